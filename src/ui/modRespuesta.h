#pragma once
// What every ticket operation does with a processed answer: the error list, the ticket text shown
// and printed as the settings say. Shared by the ticket forms, the reprint and the cancellation.
#include <QString>

class QWidget;
class clsTransaccion;

struct RespuestaTicket {
    bool HuboErrores = false;  // the error list held entries (and was shown)
    QString Ticket;            // the ticket text, empty when the terminal wrote none
};

// When gVerListaErrores is on: gColErrores afresh, the answered records read (LeeArchivos) and the
// error list shown modally when it holds entries. Then the ticket text: shown when gVerTicket is on,
// printed directly when gImprimirTicket is on.
RespuestaTicket MostrarRespuestaTicket(clsTransaccion& transaccion, QWidget* padre);
// The ticket text shown (when gVerTicket) and printed directly (when gImprimirTicket).
void MostrarEImprimirTicket(const QString& ticket, int medida, QWidget* padre);
