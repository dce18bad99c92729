// Answer readers shared by the operations that send a ticket header (tickets, reprints, cancellations).
#include "exchange/modIntercambio.h"

#include "core/modTarsa.h"
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
        ticket.LeerSVL1(d);
        clsItemTicket items;
        items.Version = gVersion;
        items.TipoPrestador = 1;
        return items.LeerSVL2(d);
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return false;
    }
}

void ReiniciarErrores() {
    gColErrores.clear();
    gIntercambioAnterior = {};
}
