// Answer readers shared by the operations that send a ticket header (tickets, reprints, cancellations).
#include "exchange/modIntercambio.h"

#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/clsArchivoIntercambios.h"
#include "exchange/clsItemTicket.h"
#include "exchange/clsTicket.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"

bool LeeArchivos() {
    try {
        const QString d = DirectorioIntercambio();
        clsTicket ticket;
        ticket.Version = gVersion;
        ticket.TipoPrestador = 1;
        ticket.LeerSVL1(d, gColErrores);
        clsItemTicket items;
        items.Version = gVersion;
        items.TipoPrestador = 1;
        items.LeerSVL2(d, gColErrores);
        return true;
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return false;
    }
}

bool RespondeA(const QByteArray& pedido, const QByteArray& respuesta) {
    if (pedido.isEmpty() || respuesta.isEmpty()) return true;
    const auto igual = [&](int offset, int ancho) { return pedido.mid(offset, ancho) == respuesta.mid(offset, ancho); };
    if (pedido.startsWith("FF000")) return igual(5, 2) && (pedido.size() != 372 || igual(340, 8));
    if (pedido.size() == 222) return igual(143, 1);  // V101 pharmacy: the operation character
    if (pedido.size() == 262) return igual(153, 1);  // V101 other providers
    return true;
}

void VaciarErrores() { gColErrores.clear(); }

void AgregarErrores(const QList<clsItemError>& errores) { gColErrores.append(errores); }

void ReiniciarErrores() {
    gColErrores.clear();
    gCicloSolicitud = CicloSolicitud();
    gArchivoIntercambiosAvisado = false;
}
