#include "ui/modRespuesta.h"

#include "core/modTarsa.h"
#include "exchange/clsTransaccion.h"
#include "exchange/frmMostrarErrores.h"
#include "exchange/frmMuestraTicket.h"
#include "exchange/modIntercambio.h"
#include "platform/Impresora.h"
#include "platform/ui/Modal.h"

void MostrarEImprimirTicket(const QString& ticket, int medida, QWidget* padre) {
    if (ticket.isEmpty()) return;
    if (gVerTicket) {
        frmMuestraTicket ventana(padre);
        ventana.Cargar(ticket, medida);
    }
    if (gImprimirTicket) {
        try {
            Impresora::Actual().Imprimir(ticket);
        } catch (const std::exception&) {
            // the printer discarded the document; the ticket is still saved and shown
        }
    }
}

RespuestaTicket MostrarRespuestaTicket(clsTransaccion& transaccion, QWidget* padre) {
    RespuestaTicket r;
    if (gVerListaErrores) {
        gColErrores.clear();
        LeeArchivos();
        if (!gColErrores.isEmpty()) {
            r.HuboErrores = true;
            frmMostrarErrores errores(padre);
            MostrarModal(errores);
        }
    }
    r.Ticket = transaccion.BuscarTicket();
    MostrarEImprimirTicket(r.Ticket, transaccion.MedidaTicket, padre);
    return r;
}
