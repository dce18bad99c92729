#pragma once
// How a failure of the database engine becomes the program's error, worded the same wherever it
// happens: number ErrBaseDatos plus SQLite's primary result code, the engine's own words, and the
// statement (its first 300 characters) when there is one. Source "BaseDatos".
#include <QString>
#include <exception>

#include "platform/TarsaError.h"

struct sqlite3;

TarsaError ErrorSqlite(int codigo, const QString& palabras, const QString& sql = QString());
// The connection's last failure.
TarsaError ErrorSqlite(sqlite3* db, const QString& sql = QString());
// A database file the engine cannot open, make or compact: ErrBaseNoValida, what the program was
// doing, then the engine's words.
TarsaError ErrorArchivoBase(const QString& tarea, const std::exception& e);
