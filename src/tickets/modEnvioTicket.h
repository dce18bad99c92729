#pragma once
// Sending one pharmacy ticket, without a window: the header, item and diagnosis records written,
// the request to the terminal, and the answer journalled. The two steps that need the screen, the
// wait and the answer shown, come from the caller.
#include <QList>
#include <functional>
#include <optional>

#include "exchange/Solicitud.h"
#include "exchange/clsTicket.h"
#include "tickets/clsItemDiagnostico.h"
#include "tickets/clsItemTicketFarmacia.h"
#include "ui/modRespuesta.h"

// How sending a ticket ended.
enum class FinEnvioTicket {
    NoEnviado,     // a record or the request could not be written; the user was told
    SinRespuesta,  // the wait was cancelled, the status was empty or an error: nothing journalled
    ConErrores,    // answered and journalled, but with errors or a ticket text saying "ERROR"
    Completado,    // answered without errors and journalled
};

// The steps of the sending that need the screen: the request written and waited for
// (EnviarSolicitud), and the answer shown and printed (MostrarRespuestaTicket).
struct PantallaEnvioTicket {
    std::function<Solicitud()> Esperar;
    std::function<RespuestaTicket(clsTransaccion&)> MostrarRespuesta;
};

// Writes the header (stamped with the run's version, the pharmacy's provider kind, the operation code
// as the version sends it and the transaction number), the items and the diagnoses, each only when
// the operation has them (nothing: it has none), then sends the request and journals the answer.
// A cancelled wait, an error status or a failed request keep the transaction number for the next
// try (gNuevaTransaccion false); a completed ticket lets the next one draw a new number.
FinEnvioTicket EnviarTicketFarmacia(clsTicket ticket, const std::optional<QList<clsItemTicketFarmacia>>& items,
                                    const std::optional<QList<clsItemDiagnostico>>& diagnosticos,
                                    const PantallaEnvioTicket& pantalla);
