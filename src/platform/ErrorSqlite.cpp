#include "platform/ErrorSqlite.h"

#include <sqlite3.h>

TarsaError ErrorSqlite(int codigo, const QString& palabras, const QString& sql) {
    // Extended result codes carry the primary code in their low byte.
    QString texto = palabras;
    if (!sql.isEmpty()) texto += " [" + sql.left(300) + "]";
    return TarsaError(ErrBaseDatos + (codigo & 0xff), texto, "BaseDatos");
}

TarsaError ErrorSqlite(sqlite3* db, const QString& sql) {
    if (!db) return ErrorSqlite(SQLITE_ERROR, QStringLiteral("error de la base de datos"), sql);
    return ErrorSqlite(sqlite3_extended_errcode(db), QString::fromUtf8(sqlite3_errmsg(db)), sql);
}

TarsaError ErrorArchivoBase(const QString& tarea, const std::exception& e) {
    return TarsaError(ErrBaseNoValida, tarea + ": " + QString::fromUtf8(e.what()), "BaseDatos");
}
