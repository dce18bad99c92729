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
// The lines of Windows-1252 bytes, split as LeerLineas does.
QStringList Lineas(const QByteArray& bytes);

// What was read of a file the terminal wrote.
struct Contenido {
    enum class Estado { Leido, Falta, Rechazado };
    Estado Resultado = Estado::Falta;
    QByteArray Bytes;   // at most the limit asked for
    qint64 Tamano = 0;  // the file's whole size
    bool Cortado() const { return Tamano > Bytes.size(); }
};
// Reads at most limite bytes of base/relativa, found without regard to case and reached without
// following links (SinEnlaces::AbrirLectura); with primeraLinea, only the first line, without its end.
Contenido LeerDentro(const QString& base, const QString& relativa, qint64 limite, bool primeraLinea = false);
}  // namespace ArchivoTexto
