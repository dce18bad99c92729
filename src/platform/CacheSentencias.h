#pragma once
// Prepared statements kept per connection. The program writes its SQL in its own dialect with the
// values inside the text, so nearly every statement is new text. The cache reads each statement once,
// turning the dialect into SQLite's and every literal into a parameter: statements that differ only in
// their values share one prepared statement, and SQLite parses each shape once.
//
// The dialect: double-quoted text literals (the client never uses double-quoted identifiers), LEFT(
// and RIGHT( as functions (SQLite reads them as join keywords; the connection has them as TARSA_LEFT
// and TARSA_RIGHT), and "/" dividing as floating point ("12345/100" is 123.45). Action statements
// skip the rows a constraint refuses instead of failing as a whole (INSERT and UPDATE get OR IGNORE).
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

class CacheSentencias {
public:
    explicit CacheSentencias(sqlite3* db) : db_(db) {}
    ~CacheSentencias() { Vaciar(); }
    CacheSentencias(const CacheSentencias&) = delete;
    CacheSentencias& operator=(const CacheSentencias&) = delete;

    // A statement for SQL in the program's dialect, with its values bound and ready to step; the names
    // of its columns go to nombres when it is given. Throws TarsaError on bad SQL or more than one
    // statement. Give it back with Devolver.
    sqlite3_stmt* Obtener(const QString& sql, QStringList* nombres = nullptr);
    void Devolver(sqlite3_stmt* stmt);
    void Vaciar();

    // A statement in SQLite's own SQL, not shared, kept for its caller until Soltar or until the
    // connection closes. Throws TarsaError on bad SQL.
    sqlite3_stmt* PrepararPropia(const char* sql);
    void Soltar(sqlite3_stmt* stmt);

    // Whether the engine reported a failure on this connection other than a row a constraint refused
    // or a statement its watcher interrupted: a sign that the file may be damaged.
    void AnotarFalla(int codigo);
    bool HuboFallas() const { return fallas_; }

    // What SQLite is given for SQL in the program's dialect: the statement with its literals replaced
    // by "?", and the literals' values in order. Literals after ORDER BY or GROUP BY stay (there a
    // number names a column), and so does every literal of statements other than plain SELECT,
    // INSERT, UPDATE and DELETE.
    static QString Forma(const QString& sql, QList<QVariant>& valores);

    // A literal of the statement being read: a number, or text, which is a piece of the statement
    // itself unless quotes inside it had to be undoubled.
    struct Valor {
        enum class Tipo : quint8 { Entero, Real, Texto } tipo = Tipo::Entero;
        qint64 entero = 0;
        double real = 0;
        QStringView texto;
        QString propio;  // the text when it is not a piece of the statement
    };

private:
    struct Entrada {
        sqlite3_stmt* stmt = nullptr;
        QString forma;
        QStringList nombres;
        QByteArray textos;  // the text values bound, as UTF-8
        bool enUso = false;
        quint64 uso = 0;
    };
    Entrada& Preparar(const QString& original);
    void Olvidar();

    static constexpr int kMaximo = 64;
    sqlite3* db_;
    QHash<QString, std::shared_ptr<Entrada>> entradas_;            // by shape
    QHash<sqlite3_stmt*, std::shared_ptr<Entrada>> porSentencia_;  // every statement kept
    quint64 reloj_ = 0;
    bool fallas_ = false;
    QList<sqlite3_stmt*> propias_;
    // Reused from statement to statement, so that reading one allocates nothing once they have grown.
    QString forma_;
    std::vector<Valor> valores_;
};
