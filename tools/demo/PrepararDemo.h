#pragma once
// Prepares a demo installation under one directory: the terminal's working directory with its
// configuration files, the application directory with a database holding a small catalog, and
// the settings file. Running it again over a prepared directory changes nothing.
#include <QString>
#include <QStringList>

namespace Demo {

struct Preparacion {
    QString estandar;     // <dir>/Estandar, the working directory shared with the terminal
    QString aplicacion;   // <dir>/app, database and saved tickets
    QString pdf;          // <dir>/pdf, printed tickets
    QString ajustes;      // <dir>/ajustes.ini
    QStringList informe;  // one line per step, for the person running it
};

// Throws TarsaError when a step fails. baseEntregada is the delivered empty database, copied when
// the application directory has none. The settings are written into <dir>/ajustes.ini, which
// TARSA_SETTINGS names from then on.
Preparacion Preparar(const QString& dir, const QString& baseEntregada);

// The configuration files exactly as the terminal writes them (Windows-1252, CR LF).
QByteArray ArchivoEmpresas();
QByteArray ArchivoBitmaps();

}  // namespace Demo
