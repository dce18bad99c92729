#include "platform/BaseDatos.h"

#include <SQLiteCpp/SQLiteCpp.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "platform/CacheSentencias.h"
#include "platform/Dialecto.h"
#include "platform/ErrorSqlite.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

void ExigirArchivo(const QString& archivo) {
    if (!QFileInfo(archivo).isFile())
        throw TarsaError(ErrBaseNoEncontrada, "No se encontró el archivo " + archivo, "BaseDatos");
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Registros

Registros::Registros(const std::shared_ptr<CacheSentencias>& cache, const QString& sql) : cache_(cache) {
    stmt_ = cache->Obtener(sql, &nombres_);
    if (!sqlite3_stmt_readonly(stmt_)) {
        cache->Devolver(stmt_);
        stmt_ = nullptr;
        throw TarsaError(ErrBaseDatos, "Sólo se admiten consultas de lectura [" + sql.left(300) + "]", "BaseDatos");
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
        if (auto cache = cache_.lock()) cache->AnotarFalla(rc);
        TarsaError e = ErrorSqlite(sqlite3_db_handle(stmt_));
        Close();
        throw e;
    }
}

void Registros::MoveNext() {
    if (fin_ || !stmt_) throw TarsaError(ErrSinRegistroActivo, "No hay registro activo", "BaseDatos");
    Avanzar();
}

QVariant Registros::Campo(int i) const {
    switch (TipoCampo(i)) {
        case Tipo::Entero:
            return QVariant(static_cast<qlonglong>(Entero(i)));
        case Tipo::Real:
            return QVariant(Real(i));
        case Tipo::Texto:
            return QVariant(QString::fromUtf8(Utf8(i)));
        case Tipo::Nulo:
            break;
    }
    return {};
}

Registros::Tipo Registros::TipoCampo(int i) const {
    if (fin_ || !stmt_ || i < 0 || i >= nombres_.size()) return Tipo::Nulo;
    switch (sqlite3_column_type(stmt_, i)) {
        case SQLITE_INTEGER:
            return Tipo::Entero;
        case SQLITE_FLOAT:
            return Tipo::Real;
        case SQLITE_NULL:
            return Tipo::Nulo;
        default:
            return Tipo::Texto;
    }
}

qint64 Registros::Entero(int i) const { return sqlite3_column_int64(stmt_, i); }

double Registros::Real(int i) const { return sqlite3_column_double(stmt_, i); }

QByteArrayView Registros::Utf8(int i) const {
    // The text first, then its length: asking for the text may convert the value.
    const auto* texto = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return QByteArrayView(texto, sqlite3_column_bytes(stmt_, i));
}

QVariant Registros::Campo(QAnyStringView nombre) const {
    // Few columns: a scan is cheaper than hashing, and callers mostly spell the name as the column
    // does; the first of a repeated name wins.
    for (int i = 0; i < nombres_.size(); ++i)
        if (QAnyStringView::equal(nombres_[i], nombre)) return Campo(i);
    for (int i = 0; i < nombres_.size(); ++i)
        if (QAnyStringView::compare(nombres_[i], nombre, Qt::CaseInsensitive) == 0) return Campo(i);
    throw TarsaError(ErrElementoNoEncontrado, "No se encontró el elemento en esta colección: " + nombre.toString(),
                     "BaseDatos");
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
    ExigirArchivo(archivo);
    try {
        db_ = std::make_unique<SQLite::Database>(archivo.toStdString(), SQLite::OPEN_READWRITE);
        // Reading the catalog proves that the file is a database at all.
        db_->exec("SELECT count(*) FROM sqlite_master");
    } catch (const SQLite::Exception& e) {
        db_.reset();
        throw ErrorArchivoBase("No se puede abrir la base de datos " + archivo, e);
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

bool BaseDatos::HuboFallas() const { return cache_ && cache_->HuboFallas(); }

SQLite::Database& BaseDatos::Nativa() {
    if (!db_) throw TarsaError(ErrBaseNoAbierta, "La base de datos no está abierta", "BaseDatos");
    return *db_;
}

int BaseDatos::Ejecutar(const QString& sql) {
    sqlite3* db = Nativa().getHandle();
    sqlite3_stmt* stmt = cache_->Obtener(sql);
    const int rc = sqlite3_step(stmt);
    cache_->Devolver(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        // A refused row is skipped without an error: the count of 0 is the only sign of it.
        if ((sqlite3_extended_errcode(db) & 0xff) == SQLITE_CONSTRAINT) return 0;
        cache_->AnotarFalla(sqlite3_extended_errcode(db));
        throw ErrorSqlite(db, sql);
    }
    return sqlite3_changes(db);
}

std::unique_ptr<Registros> BaseDatos::Consultar(const QString& sql) {
    Nativa();
    return std::make_unique<Registros>(cache_, sql);
}

std::unique_ptr<SentenciaPreparada> BaseDatos::Preparar(const char* sql) {
    Nativa();
    return std::make_unique<SentenciaPreparada>(cache_, sql);
}

void BaseDatos::ComenzarTransaccion() { Control("BEGIN"); }
void BaseDatos::ConfirmarTransaccion() { Control("COMMIT"); }
void BaseDatos::DeshacerTransaccion() {
    if (EnTransaccion()) Control("ROLLBACK");
}

void BaseDatos::Control(const char* sql) {
    try {
        Nativa().exec(sql);
    } catch (const SQLite::Exception& e) {
        cache_->AnotarFalla(e.getExtendedErrorCode());
        throw;
    }
}
bool BaseDatos::EnTransaccion() const { return db_ && !sqlite3_get_autocommit(db_->getHandle()); }

void BaseDatos::Transaccion(const std::function<void()>& trabajo) {
    if (EnTransaccion()) {
        // Inside another transaction the work is a savepoint of it: undone alone when it fails.
        Nativa().exec("SAVEPOINT anidada");
        try {
            trabajo();
        } catch (...) {
            Nativa().exec("ROLLBACK TO anidada");
            Nativa().exec("RELEASE anidada");
            throw;
        }
        Nativa().exec("RELEASE anidada");
        return;
    }
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
    ExigirArchivo(archivo);
    try {
        SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE);
        SQLite::Statement q(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
        QStringList tablas;
        while (q.executeStep()) tablas << QString::fromStdString(q.getColumn(0).getString());
        return tablas;
    } catch (const SQLite::Exception& e) {
        throw ErrorArchivoBase("No se puede abrir la base de datos " + archivo, e);
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
        throw ErrorArchivoBase("No se pudo crear la base de datos", e);
    }
}

int BaseDatos::PaginasLibres(const QString& archivo) {
    if (!QFileInfo(archivo).isFile()) return -1;
    try {
        SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READONLY);
        return db.execAndGet("PRAGMA freelist_count").getInt();
    } catch (const SQLite::Exception&) {
        return -1;
    }
}

namespace {

constexpr int kVacioIncremental = 2;  // PRAGMA auto_vacuum: free pages given back on request

// A copy of the file taken under a read lock, so that no other connection writes while it is made;
// then the free pages go, moved out from the end of the copy. Only the copy is written: no journal,
// and one sync before it may replace anything.
void CopiarYDevolverLibres(SQLite::Database& origen, const QString& archivoOrigen, const QString& destino) {
    origen.exec("BEGIN");
    origen.execAndGet("SELECT count(*) FROM sqlite_master");
    std::filesystem::copy_file(Rutas::Nativa(archivoOrigen), Rutas::Nativa(destino));
    origen.exec("COMMIT");
    SQLite::Database copia(destino.toStdString(), SQLite::OPEN_READWRITE);
    copia.exec("PRAGMA journal_mode = OFF");
    copia.exec("PRAGMA synchronous = NORMAL");
    // Each step of the pragma gives back one page.
    SQLite::Statement devolver(copia, "PRAGMA incremental_vacuum");
    while (devolver.executeStep()) {
    }
}

}  // namespace

void BaseDatos::Compactar(const QString& origen, const QString& destino) {
    ExigirArchivo(origen);
    try {
        SQLite::Database db(origen.toStdString(), SQLite::OPEN_READONLY);
        if (db.execAndGet("PRAGMA auto_vacuum").getInt() == kVacioIncremental) {
            CopiarYDevolverLibres(db, origen, destino);
            return;
        }
        // A file made before the free pages could be given back is rebuilt once into one that can.
        db.exec("PRAGMA auto_vacuum = INCREMENTAL");
        SQLite::Statement vacuum(db, "VACUUM INTO ?");
        vacuum.bind(1, destino.toStdString());
        vacuum.exec();
    } catch (const std::exception& e) {
        std::error_code ec;
        std::filesystem::remove(Rutas::Nativa(destino), ec);
        throw ErrorArchivoBase("No se pudo compactar la base de datos", e);
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
        const TarsaError error = ErrorSqlite(e.getExtendedErrorCode(), QString::fromUtf8(e.what()));
        errores.append({error.Numero, error.Descripcion});
    } catch (const std::filesystem::filesystem_error& e) {
        errores.append({ErrReparacion, QString::fromLocal8Bit(e.what())});
    }
    std::filesystem::remove(Rutas::Nativa(copia), ec);
    return errores;
}
