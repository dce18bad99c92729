#include "ui/modRespuesta.h"

#include "core/RegistroAjustes.h"
#include "core/modTarsa.h"
#include "exchange/clsTicket.h"
#include "exchange/clsTransaccion.h"
#include "exchange/frmMostrarErrores.h"
#include "exchange/frmMuestraTicket.h"
#include "exchange/modIntercambio.h"
#include "platform/Impresora.h"
#include "platform/ui/Modal.h"

QStringList CodigosTicket(const QString& numero, const QString& autorizacion) {
    if (!RegistroAjustes::LeerBandera(Ajuste::CodigoBarrasTicket)) return {};
    QStringList codigos;
    QString n = numero.trimmed();
    while (n.size() > 1 && n.startsWith('0')) n.remove(0, 1);
    if (!n.isEmpty() && n != "0") codigos << n;
    if (!autorizacion.trimmed().isEmpty()) codigos << autorizacion.trimmed();
    return codigos;
}

QStringList CodigosDeRespuesta(const QString& cabecera, const QString& autorizacionGuardada) {
    const QString autorizacion = clsTicket::CampoRespuesta(cabecera, "Autorizacion");
    return CodigosTicket(clsTicket::CampoRespuesta(cabecera, "Ticket"),
                         autorizacion.isEmpty() ? autorizacionGuardada : autorizacion);
}

void MostrarEImprimirTicket(const QString& ticket, int medida, QWidget* padre, const QStringList& codigos) {
    if (ticket.isEmpty()) return;
    if (gVerTicket) {
        frmMuestraTicket ventana(padre);
        ventana.Codigos = codigos;
        ventana.Cargar(ticket, medida);
    }
    if (gImprimirTicket) {
        try {
            Impresora::Actual().Imprimir(ticket, codigos);
        } catch (const std::exception&) {
            // the printer discarded the document; the ticket is still saved and shown
        }
    }
}

RespuestaTicket MostrarRespuestaTicket(clsTransaccion& transaccion, QWidget* padre,
                                       const QString& autorizacionGuardada) {
    RespuestaTicket r;
    if (gVerListaErrores) {
        VaciarErrores();
        LeeArchivos();
        if (!gColErrores.isEmpty()) {
            r.HuboErrores = true;
            frmMostrarErrores errores(padre);
            MostrarModal(errores);
        }
    }
    r.Ticket = transaccion.BuscarTicket();
    // The answered header is read only for a ticket that is shown or printed: a refused file is
    // reported once, by the reader of the ticket text.
    const bool usarCodigos = !r.Ticket.isEmpty() && (gVerTicket || gImprimirTicket);
    const QStringList codigos =
        usarCodigos ? CodigosDeRespuesta(transaccion.LeerSVL1(), autorizacionGuardada) : QStringList();
    MostrarEImprimirTicket(r.Ticket, transaccion.MedidaTicket, padre, codigos);
    return r;
}
