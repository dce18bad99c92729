#pragma once
// Whole text files exchanged with the terminal (status, ticket text, answers, notifications),
// found without regard to letter case.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace ArchivoTexto {
// The bytes of an existing file, or nothing when it is missing or cannot be read.
std::optional<QByteArray> Leer(const QString& path);
// The first bytes of an existing file (at most maximo) and its whole size, or nothing when it is
// missing or cannot be read; a file that may be huge or still growing is never read whole.
struct Principio {
    QByteArray Bytes;
    qint64 Tamano = 0;
};
std::optional<Principio> LeerPrincipio(const QString& path, qint64 maximo);
// The lines of an existing Windows-1252 text file: CR LF, a lone LF or a lone CR end a line; a last
// line without an end still counts. Nothing when the file is missing.
std::optional<QStringList> LeerLineas(const QString& path);
// Every line followed by CR LF, as the program keeps texts read from files; empty when missing.
QString LeerTextoCrLf(const QString& path);
// Creates the file empty, or empties it; throws TarsaError when it cannot.
void CrearVacio(const QString& path);
}  // namespace ArchivoTexto
