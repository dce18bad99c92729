// The answer header _svl.1: read as text for the journal, as the answered header record of every
// layout for the error list, and compared with the request it should answer.
#include "Banco.h"
#include "exchange/clsTicket.h"
#include "exchange/clsTransaccion.h"
#include "exchange/modIntercambio.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

// Requests of each layout the answer may be matched against: V250 with and without the pharmacy's
// transaction number, V101 pharmacy and other providers.
QList<QByteArray> Pedidos() {
    return {"FF00012" + QByteArray(365, '1'), "FF00034" + QByteArray(100, ' '), QByteArray(222, '2'),
            QByteArray(262, '3')};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QString d = Banco::DirectorioIntercambio();
    const QByteArray respuesta = Banco::Bytes(datos, tamano);
    Banco::Escribir(Rutas::Unir(d, "DownLoad/_svl.1"), respuesta);
    clsTransaccion t;
    t.QueloPath = d;
    (void)t.LeerSVL1();
    for (const QByteArray& pedido : Pedidos()) (void)RespondeA(pedido, respuesta);
    for (const char* version : {"V101", "V250"})
        for (int tipo : {1, 2}) {
            gColErrores.clear();
            clsTicket ticket;
            ticket.Version = version;
            ticket.TipoPrestador = tipo;
            try {
                ticket.LeerSVL1(d);
            } catch (const TarsaError&) {
                // a code that must be a number and is not: reported to the user by the caller
            }
        }
    gColErrores.clear();
    return 0;
}
