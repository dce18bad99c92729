#pragma once
// Whole text files exchanged with the terminal (status, ticket text, answers, notifications),
// found without regard to letter case.
#include <QByteArray>
#include <QString>

#include <optional>

namespace ArchivoTexto {
// The bytes of an existing file, or nothing when it is missing or cannot be read.
std::optional<QByteArray> Leer(const QString& path);
// Creates the file empty, or empties it; throws TarsaError when it cannot.
void CrearVacio(const QString& path);
}  // namespace ArchivoTexto
