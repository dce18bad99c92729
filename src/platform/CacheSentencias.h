#pragma once
// Prepared statements kept per connection. The program writes its values into the SQL text, so
// nearly every statement is new text; the cache turns each literal into a parameter, so statements
// that differ only in their values share one prepared statement and SQLite parses each shape once.
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

class CacheSentencias {
public:
    explicit CacheSentencias(sqlite3* db) : db_(db) {}
    ~CacheSentencias() { Vaciar(); }
    CacheSentencias(const CacheSentencias&) = delete;
    CacheSentencias& operator=(const CacheSentencias&) = delete;

    // A statement for SQL already in SQLite's dialect, with its values bound and ready to step.
    // Throws TarsaError on bad SQL or more than one statement. Give it back with Devolver.
    sqlite3_stmt* Obtener(const QString& sql, const QString& original);
    void Devolver(sqlite3_stmt* stmt);
    void Vaciar();

    // The SQL with its literals replaced by "?" and the literals' values, in order. Literals after
    // ORDER BY or GROUP BY stay (there a number names a column), and so does everything but plain
    // SELECT, INSERT, UPDATE and DELETE statements.
    static QString Parametrizar(const QString& sql, QList<QVariant>& valores);

private:
    struct Entrada {
        sqlite3_stmt* stmt = nullptr;
        bool enUso = false;
        quint64 uso = 0;
    };
    sqlite3_stmt* Preparar(const QString& sql, const QString& original);

    static constexpr int kMaximo = 64;
    sqlite3* db_;
    QHash<QString, Entrada> entradas_;
    QHash<sqlite3_stmt*, QString> claves_;  // statements handed out from the cache
    quint64 reloj_ = 0;
};
