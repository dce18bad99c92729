// The program's SQL dialect: statements translated for SQLite and cut into shape and literals, LIKE
// patterns, and the functions registered on the connection, called with values of every kind. The
// input holds a statement, a text and a pattern separated by NUL bytes.
#include "platform/Dialecto.h"

#include <sqlite3.h>

#include <cstring>

#include "Banco.h"
#include "platform/BaseDatos.h"
#include "platform/CacheSentencias.h"

namespace {

sqlite3* Conexion() {
    static sqlite3* db = [] {
        sqlite3* c = nullptr;
        if (sqlite3_open(":memory:", &c) != SQLITE_OK) __builtin_trap();
        Dialecto::Registrar(c);
        return c;
    }();
    return db;
}

// The text bound as each kind SQLite has: text, integer, real, blob and null.
void Vincular(sqlite3_stmt* s, int n, const QByteArray& valor, int tipo) {
    switch (tipo % 5) {
        case 0:
            sqlite3_bind_text(s, n, valor.constData(), static_cast<int>(valor.size()), SQLITE_TRANSIENT);
            break;
        case 1: {
            sqlite3_int64 i = 0;
            if (valor.size() >= 8)
                std::memcpy(&i, valor.constData(), sizeof i);
            else
                i = valor.toLongLong();
            sqlite3_bind_int64(s, n, i);
            break;
        }
        case 2: {
            double d = 0;
            if (valor.size() >= 8)
                std::memcpy(&d, valor.constData(), sizeof d);
            else
                d = valor.toDouble();
            sqlite3_bind_double(s, n, d);
            break;
        }
        case 3:
            sqlite3_bind_blob(s, n, valor.constData(), static_cast<int>(valor.size()), SQLITE_TRANSIENT);
            break;
        default:
            sqlite3_bind_null(s, n);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QByteArray bytes = Banco::Bytes(datos, tamano);
    const int tipos = bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes[0]);
    const QList<QByteArray> partes = Banco::Partes(bytes.mid(1), '\0', 3);
    // Translated and cut into a shape and its literals, as every statement is before it is prepared.
    QList<QVariant> valores;
    (void)CacheSentencias::Forma(QString::fromUtf8(partes[0]), valores);
    (void)Dialecto::Coincide(QString::fromUtf8(partes[1]), QString::fromUtf8(partes[2]));

    static sqlite3_stmt* s = [] {
        sqlite3_stmt* p = nullptr;
        const char* sql =
            "SELECT CINT(?1), CSTR(?1), TARSA_LEFT(?1, ?3), TARSA_RIGHT(?1, ?3), ?1 LIKE ?2, CINT(?2), CSTR(?3)";
        if (sqlite3_prepare_v2(Conexion(), sql, -1, &p, nullptr) != SQLITE_OK) __builtin_trap();
        return p;
    }();
    Vincular(s, 1, partes[1], tipos);
    Vincular(s, 2, partes[2], tipos / 5);
    Vincular(s, 3, partes[0].left(8), tipos / 25);
    while (sqlite3_step(s) == SQLITE_ROW) {
    }
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    return 0;
}
