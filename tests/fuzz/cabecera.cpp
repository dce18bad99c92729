// The answer header _svl.1: read as text for the journal, as the answered header record of every
// layout for the error list, and compared with the request it should answer.
#include "Banco.h"
#include "exchange/clsTicket.h"
#include "exchange/clsTransaccion.h"
#include "exchange/modIntercambio.h"

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
    const QByteArray respuesta = Banco::Bytes(datos, tamano);
    const QString d = Banco::Entregar("DownLoad/_svl.1", respuesta);
    clsTransaccion t;
    t.QueloPath = d;
    (void)t.LeerSVL1();
    for (const QByteArray& pedido : Pedidos()) (void)RespondeA(pedido, respuesta);
    Banco::EnCadaDisposicion([&](const QString& version, int tipo) {
        clsTicket ticket;
        ticket.Version = version;
        ticket.TipoPrestador = tipo;
        ticket.LeerSVL1(d, gColErrores);
    });
    return 0;
}
