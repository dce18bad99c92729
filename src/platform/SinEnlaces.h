#pragma once
// File operations in the shared working directory that never follow a symbolic link or a junction.
// Anyone who can write in that directory can put a link where the client expects its own files; a
// delete, an open for output or a read that followed it would act on whatever the link points at
// (the database, a system file).
#include <QFile>
#include <QString>

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

}  // namespace SinEnlaces
