#pragma once
// The local database's connection: opening it (compacted, repaired or restored from its backup as
// needed), closing it at shutdown with its backup copy.
#include <QString>
#include <memory>

class BaseDatos;

// The open local database (platform/BaseDatos.h gives its operations).
extern std::unique_ptr<BaseDatos> gDB;

// The open local database; error 91 ("La base de datos no está abierta", from fuente) when none is.
BaseDatos& BaseAbierta(const QString& fuente = {});

bool Conectar(const QString& archivo);
bool RepararBase(const QString& archivo);
// Closes and backs up the database, removes the run's exchange directory and ends the process.
bool Desconectar();
// Copies the database to its backup, unless the backup is sound and the database is not: not this
// program's database, or, when revisarPaginas asks for the engine's check of every page, damaged.
void CopiarRespaldo(const QString& archivo, bool revisarPaginas = true);
