#pragma once
// The local database file itself: whether a file is this program's database, the delivered empty
// database, setting a file aside that must not be lost, and the backup copy.
#include <QString>
#include <QStringList>

// The tables the delivered database holds, as the schema defines them.
QStringList TablasEntregadas();
// Whether the file is this program's database: the engine's format with every delivered table
// (the journal of a crashed write is rolled back first). It says nothing about damaged pages.
bool EsBaseDelPrograma(const QString& archivo);
// A database file fit to be copied or restored: this program's and with every page sound.
bool BaseSana(const QString& archivo);
// Brings the tables of an open database made from an earlier schema (text keys that told letter
// case apart, the doctors kept as one list for every company) to the delivered schema, keeping their
// rows; returns the tables made again. A table that differs from the schema in any other way is left
// as it is. Throws TarsaError, leaving the table it was at as it was.
class BaseDatos;
QStringList ActualizarEsquema(BaseDatos& db);
// Writes the delivered, empty database as archivo (through a temporary file and a rename).
void CrearBaseEntregada(const QString& archivo);
// Renames archivo (with the journal beside it) to a free name beside it that says why, for
// example "TarsaCliente-Access-20261206-160800.mdb"; returns the new name. Throws TarsaError.
QString ApartarArchivo(const QString& archivo, const QString& motivo);
// Puts a copy of the backup in place of the database (never the backup itself, which stays).
void RestaurarRespaldo(const QString& archivo);
// Claims the application directory for this run; when another running client holds it, tells the
// user in a message and returns false.
bool ReservarDirectorioAplicacion();
// Gives the claim up (orderly shutdown, tests).
void LiberarDirectorioAplicacion();
