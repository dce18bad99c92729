#pragma once
// Paths under the working directory. The terminal and the pharmacies' machines do not agree on the
// letter case of names ("UpLoad", "upload"), so every existing name is found without regard to case.
#include <QDateTime>
#include <QString>
#include <filesystem>
#include <functional>

class QIODevice;

namespace Rutas {
// The directory, a separator unless it already ends with "/" or "\", and the name.
QString Unir(const QString& dir, const QString& nombre);
// The existing entry that matches the path component by component, ignoring letter case; where a
// component does not exist the rest is kept as written (so new files get the documented spelling).
QString Resolver(const QString& path);
bool Existe(const QString& path);
bool EsDirectorio(const QString& path);
bool EsArchivo(const QString& path);
// Deletes the files of a directory whose names match a wildcard pattern ("*.*", "_SVL.*"); returns how many.
int BorrarPatron(const QString& dir, const QString& patron);
bool Borrar(const QString& path);
bool BorrarDirectorio(const QString& path);  // an empty directory
bool CrearDirectorio(const QString& path);
// Creates a directory and the missing ones above it; throws TarsaError with the reason in Spanish
// (a file of that name, no permission, a name the system refuses) when it cannot.
void CrearDirectorios(const QString& path);
// Replaces destino by origen in one step (a rename over the old file); throws TarsaError on failure,
// leaving destino as it was.
void Reemplazar(const QString& origen, const QString& destino);
// Copies origen over destino so that destino is either the old file or the complete copy, written
// to the disk before it takes the name; throws TarsaError on failure, leaving destino as it was.
void CopiarSeguro(const QString& origen, const QString& destino);
// Writes the file at path (as given) through a temporary file and a rename, escribir writing its bytes
// a piece at a time, so that a large file never has to sit whole in memory: the file is either as it
// was or complete. escribir returns false to give up. False, with the reason in error, when the file
// could not be written.
bool GuardarPorPartes(const QString& path, const std::function<bool(QIODevice&)>& escribir, QString* error);
// Makes the next replacements fail, to show that a failed replacement loses nothing (tests).
void SimularFallaReemplazo(bool fallar);
QDateTime FechaModificacion(const QString& path);  // invalid when missing
// The path as the standard library wants it (wide characters on Windows).
std::filesystem::path Nativa(const QString& path);
}  // namespace Rutas
