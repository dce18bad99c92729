#include "platform/SentenciaPreparada.h"

#include <sqlite3.h>

#include "platform/CacheSentencias.h"
#include "platform/ErrorSqlite.h"
#include "platform/TarsaError.h"

SentenciaPreparada::SentenciaPreparada(const std::shared_ptr<CacheSentencias>& cache, const char* sql)
    : cache_(cache), stmt_(cache->PrepararPropia(sql)), sql_(sql) {}

SentenciaPreparada::~SentenciaPreparada() {
    // Once the database is closed its statements are gone with it.
    if (auto cache = cache_.lock()) cache->Soltar(stmt_);
}

void SentenciaPreparada::Entero(int i, qint64 valor) { sqlite3_bind_int64(stmt_, i, valor); }

void SentenciaPreparada::Real(int i, double valor) { sqlite3_bind_double(stmt_, i, valor); }

void SentenciaPreparada::Texto(int i, QStringView valor) {
    // ASCII, which is nearly every catalog text, byte by byte; anything else through Qt.
    utf8_.resize(valor.size());
    char* p = utf8_.data();
    for (const QChar c : valor) {
        if (c.unicode() >= 0x80) {
            utf8_ = valor.toUtf8();
            break;
        }
        *p++ = static_cast<char>(c.unicode());
    }
    sqlite3_bind_text(stmt_, i, utf8_.isEmpty() ? "" : utf8_.constData(), static_cast<int>(utf8_.size()),
                      SQLITE_TRANSIENT);
}

int SentenciaPreparada::Paso() {
    auto cache = cache_.lock();
    if (!cache) throw TarsaError(ErrBaseNoAbierta, "La base de datos no está abierta", "BaseDatos");
    const int rc = sqlite3_step(stmt_);
    sqlite3* db = sqlite3_db_handle(stmt_);
    const int codigo = sqlite3_extended_errcode(db);
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
        sqlite3_reset(stmt_);
        return rc;
    }
    TarsaError error = ErrorSqlite(db, QString::fromUtf8(sql_));
    sqlite3_reset(stmt_);
    // A refused row is skipped without an error: the count of 0 is the only sign of it.
    if ((codigo & 0xff) == SQLITE_CONSTRAINT) return SQLITE_CONSTRAINT;
    cache->AnotarFalla(codigo);
    throw error;
}

int SentenciaPreparada::Ejecutar() { return Paso() == SQLITE_DONE ? sqlite3_changes(sqlite3_db_handle(stmt_)) : 0; }

bool SentenciaPreparada::HayFila() { return Paso() == SQLITE_ROW; }
