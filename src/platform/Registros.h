#pragma once
// A read-only, forward-only result set over one prepared statement.
#include <QAnyStringView>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class CacheSentencias;
struct sqlite3_stmt;

class Registros {
public:
    // Prepares and runs one read-only statement in the program's dialect; throws TarsaError on bad
    // SQL, on more than one statement, or on a statement that would write. A result set must be
    // closed before its database.
    Registros(const std::shared_ptr<CacheSentencias>& cache, const QString& sql);
    ~Registros();
    Registros(const Registros&) = delete;
    Registros& operator=(const Registros&) = delete;

    bool EOF_() const { return fin_; }
    void MoveNext();
    // The number of rows visited so far, as the old engine reported it: right after opening 0 for an
    // empty result and 1 otherwise; it grows as the rows are walked.
    int RecordCount() const { return visitadas_; }

    int CantidadCampos() const { return nombres_.size(); }
    QString NombreCampo(int i) const { return nombres_.value(i); }
    // A column of the current row by name (without regard to case) or by position; null at the end.
    // An unknown name throws TarsaError.
    QVariant Campo(QAnyStringView nombre) const;
    QVariant Campo(int i) const;
    // A column of the current row as the engine holds it, for a reader of many rows that keeps them
    // its own way: its kind, and its value without making a QVariant of it. Campo(i) is the same value
    // (a blob reads as its text). The bytes are valid until the next MoveNext.
    enum class Tipo { Nulo, Entero, Real, Texto };
    Tipo TipoCampo(int i) const;
    qint64 Entero(int i) const;
    double Real(int i) const;
    QByteArrayView Utf8(int i) const;
    void Close();

private:
    void Avanzar();

    std::weak_ptr<CacheSentencias> cache_;
    sqlite3_stmt* stmt_ = nullptr;
    QStringList nombres_;
    bool fin_ = true;
    int visitadas_ = 0;
};
