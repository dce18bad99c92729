#pragma once
// The local database. The program writes its SQL in the dialect it has always used: text literals
// between double quotes, CINT, CSTR, LEFT and RIGHT, and LIKE with "*", "?", "#" and "[...]"
// wildcards; this class makes SQLite understand that dialect. A row that a constraint refuses is
// skipped and counts 0, as the program expects; malformed SQL throws TarsaError.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/Registros.h"
#include "platform/SentenciaPreparada.h"

class CacheSentencias;
namespace SQLite {
class Database;
}

class BaseDatos {
public:
    BaseDatos();
    ~BaseDatos();

    // Opens an existing database file read-write; throws TarsaError when it is missing or not a database.
    void Abrir(const QString& archivo);
    void Cerrar();
    bool Abierta() const;
    QString Archivo() const { return archivo_; }
    // Whether the engine failed on this connection since it was opened (a refused row or a watched
    // statement interrupted on purpose do not count): the file is then checked before it is backed up.
    bool HuboFallas() const;

    // Runs one action statement and returns the rows it touched.
    int Ejecutar(const QString& sql);
    // Opens a result set over one read-only statement.
    std::unique_ptr<Registros> Consultar(const QString& sql);
    // A statement in SQLite's own SQL, to be run many times with new values; it must not outlive the
    // connection's use (once the connection closes it only fails).
    std::unique_ptr<SentenciaPreparada> Preparar(const char* sql);

    void ComenzarTransaccion();
    void ConfirmarTransaccion();
    void DeshacerTransaccion();
    bool EnTransaccion() const;
    // Runs the work inside one transaction: committed when it returns, rolled back (and the failure
    // raised again) when it throws, so that the database is left either with all of it or none.
    // Inside a transaction already open it is a savepoint of that one.
    void Transaccion(const std::function<void()>& trabajo);

    // While a statement of the open connection runs, seguir is called every few thousand steps of
    // the engine (a window can serve its events from it); when it returns false the statement is
    // interrupted and fails with TarsaError. An empty function stops the watch.
    void Vigilar(std::function<bool()> seguir);

    // What a file holds, told by its first bytes.
    enum class Formato { NoExiste, Vacio, SQLite, Jet, Otro };
    static Formato FormatoDe(const QString& archivo);
    // The tables of a database file. The file is opened read-write, so that the engine first rolls
    // back the journal that a write interrupted by a crash left beside it; throws TarsaError when the
    // file is not a database.
    static QStringList Tablas(const QString& archivo);
    // Whether the engine's quick check finds every page of the file sound.
    static bool Intacta(const QString& archivo);
    // A new database file made by running a script of statements (which must not exist).
    static void Crear(const QString& archivo, const QString& script);
    // The pages of a database file that hold nothing (a file without them is already compact); -1
    // when the file cannot be read as a database.
    static int PaginasLibres(const QString& archivo);
    // Writes a compact copy of a database into a fresh file (which must not exist): a copy of the
    // file that gives back its free pages, or, for a file that cannot do that on its own, a rebuild
    // of every object into a file that can.
    static void Compactar(const QString& origen, const QString& destino);
    // Repairs a database file in place; returns the errors found when it could not (empty on success).
    static QList<QPair<int, QString>> Reparar(const QString& archivo);

    SQLite::Database& Nativa();

private:
    void Control(const char* sql);  // a transaction statement

    std::unique_ptr<SQLite::Database> db_;
    std::shared_ptr<CacheSentencias> cache_;
    QString archivo_;
    std::function<bool()> vigilante_;
};
