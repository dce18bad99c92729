#pragma once
// A statement in SQLite's own SQL with "?" parameters, prepared once and run again and again with
// new values: for work that repeats one statement over thousands of rows, such as a catalog file,
// where reading the program's dialect and building the statement text for every row would cost more
// than the engine's own work. It fails as the connection's other statements do: a row a constraint
// refuses counts 0, anything else throws TarsaError and is noted on the connection.
#include <QByteArray>
#include <QStringView>
#include <memory>

class CacheSentencias;
struct sqlite3_stmt;

class SentenciaPreparada {
public:
    SentenciaPreparada(const std::shared_ptr<CacheSentencias>& cache, const char* sql);
    ~SentenciaPreparada();
    SentenciaPreparada(const SentenciaPreparada&) = delete;
    SentenciaPreparada& operator=(const SentenciaPreparada&) = delete;

    // The value of parameter i (from 1) for the next run. Text is copied as UTF-8 and is never null.
    void Entero(int i, qint64 valor);
    void Real(int i, double valor);
    void Texto(int i, QStringView valor);

    // Runs an action statement: the rows it touched.
    int Ejecutar();
    // Runs a query: whether it yields a row.
    bool HayFila();

private:
    int Paso();  // one step and the reset, failures raised

    std::weak_ptr<CacheSentencias> cache_;
    sqlite3_stmt* stmt_ = nullptr;
    const char* sql_;
    QByteArray utf8_;  // reused for every text bound
};
