#pragma once
// What every fuzz target shares: a scratch working directory with its exchange directory, silent
// platform doubles, and the fuzzer's bytes written where the client reads them. The readers are run
// exactly as the client runs them, through the file edge.
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace Banco {

// Once per process: scratch directories, settings file, message double, globals of a fresh run.
// With base, also the delivered database, created from the schema and opened in gDB.
void Preparar(bool base = false);

QString DirectorioTrabajo();      // gQueloPath
QString DirectorioIntercambio();  // the run's exchange directory D, with UpLoad and DownLoad
QString DirectorioAplicacion();   // gDirectorioAplicacion

// The title and text of the last message the program showed since the last call (then forgotten).
QString UltimoMensaje();

// Writes the bytes as the file D/relativa, as the terminal would deliver it; returns D.
QString Entregar(const QString& relativa, const QByteArray& bytes);
// Runs the reader once for each record layout: V101 and V250, pharmacy (1) and other providers (2).
// A TarsaError is what the reader tells the user (a code that must be a number and is not); the error
// list is emptied after each run.
void EnCadaDisposicion(const std::function<void(const QString& version, int tipoPrestador)>& leer);

// Writes the bytes over the file (created or truncated).
void Escribir(const QString& ruta, const QByteArray& bytes);
QByteArray Bytes(const uint8_t* datos, size_t tamano);

// The input cut at the separator into at most partes pieces (the last one keeps the rest).
QList<QByteArray> Partes(const QByteArray& bytes, char separador, int partes);

}  // namespace Banco
