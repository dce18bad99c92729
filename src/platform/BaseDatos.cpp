#include "platform/BaseDatos.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <filesystem>

#include "platform/CacheSentencias.h"
#include "platform/Dialecto.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

constexpr int kBaseNoAbierta = 3420;  // object invalid or no longer set

TarsaError ErrorSqlite(sqlite3* db, const QString& sql = QString()) {
    const int codigo = db ? sqlite3_extended_errcode(db) : SQLITE_ERROR;
    QString texto = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("error de la base de datos");
    if (!sql.isEmpty()) texto += " [" + sql.left(300) + "]";
    return TarsaError(3000 + (codigo & 0xff), texto, "BaseDatos");
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Registros

Registros::Registros(const std::shared_ptr<CacheSentencias>& cache, const QString& sql, const QString& original)
    : cache_(cache) {
    stmt_ = cache->Obtener(sql, original);
    if (!sqlite3_stmt_readonly(stmt_)) {
        cache->Devolver(stmt_);
        stmt_ = nullptr;
        throw TarsaError(3000, "Sólo se admiten consultas de lectura [" + original.left(300) + "]", "BaseDatos");
    }
    const int n = sqlite3_column_count(stmt_);
    for (int i = 0; i < n; ++i) {
        nombres_.append(QString::fromUtf8(sqlite3_column_name(stmt_, i)));
    }
    fin_ = false;
    Avanzar();
}

Registros::~Registros() { Close(); }

void Registros::Avanzar() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        ++visitadas_;
        return;
    }
    fin_ = true;
    if (rc != SQLITE_DONE) {
        TarsaError e = ErrorSqlite(sqlite3_db_handle(stmt_));
        Close();
        throw e;
    }
}

void Registros::MoveNext() {
    if (fin_ || !stmt_) throw TarsaError(3021, "No hay registro activo", "BaseDatos");
    Avanzar();
}

QVariant Registros::Campo(int i) const {
    if (fin_ || !stmt_ || i < 0 || i >= nombres_.size()) return {};
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt_, i)));
        case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt_, i));
        case SQLITE_NULL: return {};
        default:
            return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                                              sqlite3_column_bytes(stmt_, i)));
    }
}

QVariant Registros::Campo(const QString& nombre) const {
    // Few columns: a scan is cheaper than hashing, and callers mostly spell the name as the column
    // does; the first of a repeated name wins.
    for (int i = 0; i < nombres_.size(); ++i)
        if (nombres_[i] == nombre) return Campo(i);
    for (int i = 0; i < nombres_.size(); ++i)
        if (nombres_[i].compare(nombre, Qt::CaseInsensitive) == 0) return Campo(i);
    throw TarsaError(3265, "No se encontró el elemento en esta colección: " + nombre, "BaseDatos");
}

void Registros::Close() {
    // Once the database is closed its statements are gone with it.
    if (auto cache = cache_.lock(); cache && stmt_) cache->Devolver(stmt_);
    stmt_ = nullptr;
    fin_ = true;
}

// ---------------------------------------------------------------------------------------------
// BaseDatos

BaseDatos::BaseDatos() = default;
BaseDatos::~BaseDatos() = default;

void BaseDatos::Abrir(const QString& archivo) {
    Cerrar();
    if (!QFileInfo(archivo).isFile()) throw TarsaError(3024, "No se encontró el archivo " + archivo, "BaseDatos");
    try {
        db_ = std::make_unique<SQLite::Database>(archivo.toStdString(), SQLite::OPEN_READWRITE);
        // Reading the catalog proves that the file is a database at all.
        db_->exec("SELECT count(*) FROM sqlite_master");
    } catch (const SQLite::Exception& e) {
        db_.reset();
        throw TarsaError(3049, "No se puede abrir la base de datos " + archivo + ": " + e.what(), "BaseDatos");
    }
    db_->setBusyTimeout(2000);
    Dialecto::Registrar(db_->getHandle());
    cache_ = std::make_shared<CacheSentencias>(db_->getHandle());
    archivo_ = archivo;
}

void BaseDatos::Cerrar() {
    cache_.reset();
    db_.reset();
    archivo_.clear();
}

bool BaseDatos::Abierta() const { return db_ != nullptr; }

SQLite::Database& BaseDatos::Nativa() {
    if (!db_) throw TarsaError(kBaseNoAbierta, "La base de datos no está abierta", "BaseDatos");
    return *db_;
}

int BaseDatos::Ejecutar(const QString& sql) {
    sqlite3* db = Nativa().getHandle();
    sqlite3_stmt* stmt = cache_->Obtener(Traducir(sql), sql);
    const int rc = sqlite3_step(stmt);
    cache_->Devolver(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        // A refused row is skipped without an error: the count of 0 is the only sign of it.
        if ((sqlite3_extended_errcode(db) & 0xff) == SQLITE_CONSTRAINT) return 0;
        throw ErrorSqlite(db, sql);
    }
    return sqlite3_changes(db);
}

std::unique_ptr<Registros> BaseDatos::Consultar(const QString& sql) {
    Nativa();
    return std::make_unique<Registros>(cache_, Traducir(sql), sql);
}

void BaseDatos::ComenzarTransaccion() { Nativa().exec("BEGIN"); }
void BaseDatos::ConfirmarTransaccion() { Nativa().exec("COMMIT"); }
void BaseDatos::DeshacerTransaccion() {
    if (EnTransaccion()) Nativa().exec("ROLLBACK");
}
bool BaseDatos::EnTransaccion() const { return db_ && !sqlite3_get_autocommit(db_->getHandle()); }

void BaseDatos::Transaccion(const std::function<void()>& trabajo) {
    ComenzarTransaccion();
    try {
        trabajo();
    } catch (...) {
        DeshacerTransaccion();
        throw;
    }
    ConfirmarTransaccion();
}

void BaseDatos::Vigilar(std::function<bool()> seguir) {
    vigilante_ = std::move(seguir);
    constexpr int kPasos = 4000;  // engine instructions between two calls: well under a millisecond
    sqlite3_progress_handler(
        Nativa().getHandle(), vigilante_ ? kPasos : 0,
        vigilante_ ? +[](void* yo) { return static_cast<BaseDatos*>(yo)->vigilante_() ? 0 : 1; } : nullptr, this);
}

BaseDatos::Formato BaseDatos::FormatoDe(const QString& archivo) {
    QFile f(archivo);
    if (!QFileInfo(archivo).isFile()) return Formato::NoExiste;
    if (!f.open(QIODevice::ReadOnly)) return Formato::Otro;
    const QByteArray cabecera = f.read(32);
    if (cabecera.isEmpty()) return Formato::Vacio;
    if (cabecera.startsWith(QByteArray("SQLite format 3\0", 16))) return Formato::SQLite;
    // Access files (Jet 3 and 4, and their ACE successor) name their engine from the fifth byte on.
    const QByteArray motor = cabecera.mid(4, 15);
    if (motor == "Standard Jet DB" || motor == "Standard ACE DB") return Formato::Jet;
    return Formato::Otro;
}

QStringList BaseDatos::Tablas(const QString& archivo) {
    if (!QFileInfo(archivo).isFile()) throw TarsaError(3024, "No se encontró el archivo " + archivo, "BaseDatos");
    try {
        SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE);
        SQLite::Statement q(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
        QStringList tablas;
        while (q.executeStep()) tablas << QString::fromStdString(q.getColumn(0).getString());
        return tablas;
    } catch (const SQLite::Exception& e) {
        throw TarsaError(3049, "No se puede abrir la base de datos " + archivo + ": " + e.what(), "BaseDatos");
    }
}

bool BaseDatos::Intacta(const QString& archivo) {
    try {
        SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement control(db, "PRAGMA quick_check");
        bool sana = true;
        while (control.executeStep()) sana = sana && control.getColumn(0).getString() == "ok";
        return sana;
    } catch (const SQLite::Exception&) {
        return false;
    }
}

void BaseDatos::Crear(const QString& archivo, const QString& script) {
    try {
        SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(script.toStdString());
    } catch (const SQLite::Exception& e) {
        std::error_code ec;
        std::filesystem::remove(Rutas::Nativa(archivo), ec);
        throw TarsaError(3049, QString("No se pudo crear la base de datos: ") + e.what(), "BaseDatos");
    }
}

void BaseDatos::Compactar(const QString& origen, const QString& destino) {
    if (!QFileInfo(origen).isFile()) throw TarsaError(3024, "No se encontró el archivo " + origen, "BaseDatos");
    try {
        SQLite::Database db(origen.toStdString(), SQLite::OPEN_READONLY);
        SQLite::Statement vacuum(db, "VACUUM INTO ?");
        vacuum.bind(1, destino.toStdString());
        vacuum.exec();
    } catch (const SQLite::Exception& e) {
        std::error_code ec;
        std::filesystem::remove(Rutas::Nativa(destino), ec);
        throw TarsaError(3049, QString("No se pudo compactar la base de datos: ") + e.what(), "BaseDatos");
    }
}

QList<QPair<int, QString>> BaseDatos::Reparar(const QString& archivo) {
    QList<QPair<int, QString>> errores;
    const QString copia = archivo + ".rep";
    std::error_code ec;
    std::filesystem::remove(Rutas::Nativa(copia), ec);
    try {
        {
            SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE);
            SQLite::Statement control(db, "PRAGMA integrity_check");
            bool sana = true;
            while (control.executeStep()) sana = sana && control.getColumn(0).getString() == "ok";
            if (sana) return errores;
            // Rebuilding the file keeps every row the engine can still read.
            SQLite::Statement vacuum(db, "VACUUM INTO ?");
            vacuum.bind(1, copia.toStdString());
            vacuum.exec();
        }
        std::filesystem::rename(Rutas::Nativa(copia), Rutas::Nativa(archivo));
    } catch (const SQLite::Exception& e) {
        errores.append({3000 + (e.getErrorCode() & 0xff), QString::fromUtf8(e.what())});
    } catch (const std::filesystem::filesystem_error& e) {
        errores.append({3051, QString::fromLocal8Bit(e.what())});
    }
    std::filesystem::remove(Rutas::Nativa(copia), ec);
    return errores;
}

namespace {

bool EsLetraNombre(QChar c) { return c.isLetterOrNumber() || c == '_'; }

// Outside literals: Jet divides as floating point ("12345/100" is 123.45) and LEFT( and RIGHT( are
// functions, which SQLite reads as join keywords. One pass, as this runs for every statement.
void TraducirFuera(QStringView tramo, QString& r) {
    const qsizetype n = tramo.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = tramo[i];
        if (c == '/') {
            qsizetype j = i + 1;
            while (j < n && tramo[j].isSpace()) ++j;
            qsizetype k = j;
            while (k < n && tramo[k].isDigit()) ++k;
            r += tramo.mid(i, k - i);
            if (k > j && (k >= n || (tramo[k] != '.' && !EsLetraNombre(tramo[k])))) r += QLatin1String(".0");
            i = k;
        } else if (c.isLetter() || c == '_') {
            qsizetype j = i;
            while (j < n && EsLetraNombre(tramo[j])) ++j;
            const QStringView nombre = tramo.mid(i, j - i);
            qsizetype k = j;
            while (k < n && tramo[k].isSpace()) ++k;
            const bool funcion = k < n && tramo[k] == '(' &&
                                 (nombre.compare(QLatin1String("LEFT"), Qt::CaseInsensitive) == 0 ||
                                  nombre.compare(QLatin1String("RIGHT"), Qt::CaseInsensitive) == 0);
            if (funcion) r += QLatin1String("TARSA_");
            r += nombre;
            i = j;
        } else {
            qsizetype j = i + 1;
            while (j < n && tramo[j] != '/' && !tramo[j].isLetter() && tramo[j] != '_') ++j;
            r += tramo.mid(i, j - i);
            i = j;
        }
    }
}

}  // namespace

QString BaseDatos::Traducir(const QString& sql) {
    QString r;
    r.reserve(sql.size() + 16);
    qsizetype inicioFuera = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c != '\'' && c != '"') continue;
        TraducirFuera(QStringView(sql).mid(inicioFuera, i - inicioFuera), r);
        if (c == '\'') {  // a single-quoted literal passes unchanged
            const qsizetype fin = sql.indexOf('\'', i + 1);
            const qsizetype hasta = fin < 0 ? sql.size() : fin + 1;
            r += QStringView(sql).mid(i, hasta - i);
            i = hasta - 1;
        } else {  // a double-quoted literal ("" inside stands for one quote)
            QString valor;
            qsizetype j = i + 1;
            for (; j < sql.size(); ++j) {
                if (sql[j] == '"') {
                    if (j + 1 < sql.size() && sql[j + 1] == '"') {
                        valor += '"';
                        ++j;
                        continue;
                    }
                    break;
                }
                valor += sql[j];
            }
            valor.replace('\'', "''");
            r += '\'' + valor + '\'';
            i = j;
        }
        inicioFuera = i + 1;
    }
    if (inicioFuera < sql.size()) TraducirFuera(QStringView(sql).mid(inicioFuera), r);
    // Action statements skip the rows a constraint refuses instead of failing as a whole.
    // (A first word that cannot be INSERT or UPDATE spares the pattern, which every catalog row
    // would otherwise pay for.)
    qsizetype inicio = 0;
    while (inicio < r.size() && r[inicio].isSpace()) ++inicio;
    const QChar primera = inicio < r.size() ? r[inicio].toUpper() : QChar();
    if (primera != 'I' && primera != 'U') return r;
    static const QRegularExpression accion(R"(^\s*(INSERT|UPDATE)\s+(?!OR\s))",
                                           QRegularExpression::CaseInsensitiveOption);
    const auto m = accion.match(r);
    if (m.hasMatch()) r.insert(m.capturedEnd(1), " OR IGNORE");
    return r;
}
