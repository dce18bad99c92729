#pragma once
// What the client keeps for itself in the application directory (the database and its backup, the
// saved tickets, the PDFs, the exchange archive) holds card numbers, prescriptions and diagnoses. On
// Linux and macOS every file written there is readable by its owner only (0600) and every folder
// enterable by its owner only (0700), whatever the umask. On Windows nothing is changed: a file takes
// the permissions of its folder, and the application directory is the user's own application data
// directory whenever the executable's directory cannot be written (see docs/decisiones.md).
#include <QByteArray>
#include <QFileDevice>
#include <QString>

namespace Privado {

// Restricts an open file (a QSaveFile before its commit, a QFile) to its owner.
void Archivo(QFileDevice& archivo);
// Restricts an existing file (0600) or folder (0700) to its owner; a link is left alone.
void Restringir(const QString& path);
// Creates the folder and the missing ones above it, each one it creates owner-only, and restricts
// the last one. False, with the reason in error, when it cannot.
bool CrearDirectorio(const QString& path, QString* error = nullptr);
// Writes the bytes to path through a temporary file and a rename (an old file stays whole until the
// new one is complete), owner-only. False, with the reason in error, when it cannot.
bool Guardar(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace Privado
