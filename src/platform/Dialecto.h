#pragma once
// The functions and the pattern matching of the program's SQL dialect, registered on every connection.
#include <QString>

struct sqlite3;

namespace Dialecto {
// Pattern matching of LIKE: "*" any run, "?" one character, "#" one digit, "[abc]", "[a-z]", "[!abc]";
// letters compare without regard to case.
bool Coincide(const QString& texto, const QString& patron);
// Registers like(), CINT, CSTR, and LEFT and RIGHT (as TARSA_LEFT and TARSA_RIGHT, see CacheSentencias).
void Registrar(sqlite3* db);
}  // namespace Dialecto
