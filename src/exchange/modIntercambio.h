#pragma once
// Reading the terminal's answer to a ticket, and the errors it reported.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "exchange/clsItemError.h"

// The errors of the last answer read, shown by the error window; started afresh by every operation
// that reads an answer.
inline QList<clsItemError> gColErrores;

// The last exchange of this run: its archive id, whether the user cancelled its wait (its answer
// may still come), and what is needed to recognise and journal that answer.
struct IntercambioAnterior {
    QString Id;
    bool Cancelado = false;
    QByteArray Cabecera;    // the request header _SVL.1 as sent; empty for other requests
    QString Version;        // gVersion when it was sent
    QString CodigoEmpresa;  // gCodigoEmpresa when it was sent
};
inline IntercambioAnterior gIntercambioAnterior;

// An answer that came after the user had cancelled the wait for it.
struct RespuestaTardia {
    QString Estado;         // the status line
    QString Cabecera;       // the answer header text (LeerSVL1)
    QString Ticket;         // the ticket text (BuscarTicket)
    QString CodigoEmpresa;  // gCodigoEmpresa when the request was sent
};
// Told of every late answer that echoes its request and whose status starts with "0"; the journal
// installs it (a lower layer cannot journal).
inline std::function<void(const RespuestaTardia&)> gAlRecibirRespuestaTardia;

// Whether an answer header echoes the request header it answers: the operation code, and in the
// V250 pharmacy layout the pharmacy's transaction number. Either one missing: nothing to contradict.
bool RespondeA(const QByteArray& pedido, const QByteArray& respuesta);

// Reads the answered header and item records of a ticket into gColErrores (gVersion, provider kind 1); an
// error is shown in a critical message titled "Error" and gives false.
bool LeeArchivos();

// Empties gColErrores and forgets the last exchange (tests).
void ReiniciarErrores();
