#pragma once
// The per-user settings store: a text value by application, section and key.
// On Windows it is the registry key HKCU\Software\VB and VBA Program Settings\<app>\<section>, so an
// existing installation keeps its settings; elsewhere an INI file per application in the user's
// configuration directory. The environment variable TARSA_SETTINGS names another INI file.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace Ajustes {
QString Obtener(const QString& app, const QString& seccion, const QString& clave, const QString& defecto = QString());
// A value already saved as it is leaves the store untouched.
void Guardar(const QString& app, const QString& seccion, const QString& clave, const QString& valor);
// Several keys of one section in one write.
void Guardar(const QString& app, const QString& seccion, const QList<QPair<QString, QString>>& valores);
// Deletes one key, or the whole section when the key is empty.
void Borrar(const QString& app, const QString& seccion, const QString& clave = QString());
QStringList Claves(const QString& app, const QString& seccion);
// Where the values live (the INI file's path, or the registry key).
QString Ubicacion(const QString& app);
}  // namespace Ajustes
