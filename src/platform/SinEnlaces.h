#pragma once
// File operations in the shared working directory that never follow a symbolic link or a junction.
// Anyone who can write in that directory can put a link where the client expects its own files; a
// delete, an open for output or a read that followed it would act on whatever the link points at
// (the database, a system file).
#include <QFile>
#include <QString>
#include <QStringList>
#include <utility>

namespace SinEnlaces {

// True when the entry itself is a symbolic link, a junction or a shortcut (dangling ones included).
bool EsEnlace(const QString& path);

// Removes the directory and everything below it. A link met on the way (or standing in the
// directory's place) is removed itself; what it points at is never touched. False when something
// could not be removed (the rest is still removed).
bool BorrarArbol(const QString& path);

enum class Creacion {
    Creado,     // there was no file: an empty one was created
    Existente,  // a plain file was already there: it is left exactly as it was
    Rechazado,  // a link, a directory or another kind of entry is there: nothing was done
};
// Makes sure an empty marker file exists without following a link and without truncating anything.
// Throws TarsaError when the directory refuses the creation.
Creacion CrearVacio(const QString& path);

enum class Apertura {
    Abierto,    // archivo is open for reading
    Falta,      // nothing of that name
    Rechazado,  // a link on the way, a directory, or another kind of entry: not opened
};
// Opens base/relativa for reading. Every component of relativa is found without regard to letter
// case and must be a real directory or, the last one, a plain file; base itself may be reached
// through links (a working directory on another disk).
Apertura AbrirLectura(QFile& archivo, const QString& base, const QString& relativa);

// The names of the plain files of base/relativa, reached as AbrirLectura reaches a file (every
// component of relativa a real directory, none a link); empty when the directory is missing or
// refused. Links, directories and other entries inside it are not listed.
QStringList ArchivosDe(const QString& base, const QString& relativa);

// Removes base/relativa when it is a plain file (or a link, which is removed itself) reached without
// a link on the way; a directory is never removed. True when nothing of that name is left.
bool BorrarDentro(const QString& base, const QString& relativa);

// The base and the relative path that reach path from the directory above it (so that path itself
// is checked as a component too).
std::pair<QString, QString> DesdeArriba(const QString& path);

// Appends bytes to the plain file at path, created (owner only) when missing; a link at path is
// refused, never followed. When the file does not end in a line end (a line cut by a crash), a
// "\r\n" goes first, so the cut piece stays a line of its own that readers can tell by its "\r".
// False, with the reason in error, when it cannot.
bool AnexarLinea(const QString& path, const QByteArray& linea, QString* error = nullptr);

}  // namespace SinEnlaces
