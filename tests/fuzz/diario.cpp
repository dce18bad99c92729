// The journal: an answer header (and its ticket text) journalled as an answered or late ticket or
// as a closure, and rows of the Transaccion table holding values of any kind (the database file is
// the user's), read back as the journal window lists them. The first byte chooses the case.
#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include <cstring>

#include "Banco.h"
#include "core/modConexion.h"
#include "exchange/CicloSolicitud.h"
#include "journal/clsTransacciones.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Ansi.h"
#include "platform/BaseDatos.h"

namespace {

const char* const kInsertar =
    "INSERT INTO Transaccion (Operacion, Tarjeta, TipoLectura, Prestador, PrestadorSolicitante, TicketPadre, "
    "FechaPrestacion, HoraPrestacion, TipoMatriculaMPractica, MatriculaMedicoPractica, CodigoAutorizacion, "
    "NumeroAutorizacion, Ticket, Fecha, Hora, PlanAsociado, TipoAsociado, MontoAbonar, Error, Comentario, "
    "NumeroTrxPrestador, CodigoEmpresa) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
constexpr int kColumnas = 22;

// A row whose values are of the kind the fuzzer chose for each column.
void InsertarFila(const QList<QByteArray>& valores) {
    sqlite3* db = gDB->Nativa().getHandle();
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, kInsertar, -1, &s, nullptr) != SQLITE_OK) __builtin_trap();
    for (int i = 0; i < kColumnas; ++i) {
        const QByteArray& v = valores[i];
        const int tipo = v.isEmpty() ? 4 : static_cast<unsigned char>(v[0]) % 5;
        const QByteArray resto = v.mid(1);
        double d = 0;
        sqlite3_int64 n = 0;
        switch (tipo) {
            case 0:
                sqlite3_bind_text(s, i + 1, resto.constData(), int(resto.size()), SQLITE_TRANSIENT);
                break;
            case 1:
                std::memcpy(&n, (resto + QByteArray(8, '\0')).constData(), sizeof n);
                sqlite3_bind_int64(s, i + 1, n);
                break;
            case 2:
                std::memcpy(&d, (resto + QByteArray(8, '\0')).constData(), sizeof d);
                sqlite3_bind_double(s, i + 1, d);
                break;
            case 3:
                sqlite3_bind_blob(s, i + 1, resto.constData(), int(resto.size()), SQLITE_TRANSIENT);
                break;
            default:
                sqlite3_bind_null(s, i + 1);
        }
    }
    sqlite3_step(s);
    sqlite3_finalize(s);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar(true);
    if (tamano == 0) return 0;
    const int caso = datos[0] % 4;
    const QByteArray bytes = Banco::Bytes(datos + 1, tamano - 1);
    if (caso == 3) {
        gDB->Ejecutar("DELETE FROM Transaccion");
        InsertarFila(Banco::Partes(bytes, '\t', kColumnas));
    } else {
        const QList<QByteArray> partes = Banco::Partes(bytes, '\0', 2);
        const QString cabecera = Ansi::Decodificar(partes[0]);
        const QString ticket = Ansi::Decodificar(partes[1]);
        Banco::UltimoMensaje();
        if (caso == 2)
            RegistrarRespuestaTardia(RespuestaTardia{"0", cabecera, ticket, "42"});
        else
            GuardarTransaccionLocal(cabecera, ticket, "42", caso == 1);
        // An answer is journalled unless its ticket number is not a number: no other refusal.
        const QString mensaje = Banco::UltimoMensaje();
        if (mensaje.startsWith("Error al guardar") && !mensaje.contains(QString::fromUtf8("no es un número")))
            __builtin_trap();
    }
    QList<clsItemTransaccion> filas;
    clsTransacciones().GetAP(filas);  // a failure here is a fault: any row must be listed
    return 0;
}
