#pragma once
// What every ticket operation does with a processed answer: the error list, the ticket text shown
// and printed as the settings say. Shared by the ticket forms, the reprint and the cancellation.
#include <QString>
#include <QStringList>

class QWidget;
class clsTransaccion;

struct RespuestaTicket {
    bool HuboErrores = false;  // the error list held entries (and was shown)
    QString Ticket;            // the ticket text, empty when the terminal wrote none
};

// The codes printed as barcodes under a ticket: the ticket number (leading zeros removed) and the
// authorisation number, those that are not blank; none when the setting CodigoBarrasTicket of
// section "Start" is "0".
QStringList CodigosTicket(const QString& numero, const QString& autorizacion = {});
// The same from the text of an answered ticket header, its fields read by name from the header's
// layout; autorizacionGuardada stands in when the header carries no authorisation.
QStringList CodigosDeRespuesta(const QString& cabecera, const QString& autorizacionGuardada = {});

// When gVerListaErrores is on: gColErrores afresh, the answered records read (LeeArchivos) and the
// error list shown modally when it holds entries. Then the ticket text: shown when gVerTicket is on,
// printed directly when gImprimirTicket is on.
// autorizacionGuardada: the journalled authorisation of a reprinted ticket, printed as a barcode when
// the answer carries none.
RespuestaTicket MostrarRespuestaTicket(clsTransaccion& transaccion, QWidget* padre,
                                       const QString& autorizacionGuardada = {});
// The ticket text shown (when gVerTicket) and printed directly (when gImprimirTicket).
// codigos: the barcodes printed under it.
void MostrarEImprimirTicket(const QString& ticket, int medida, QWidget* padre, const QStringList& codigos = {});
