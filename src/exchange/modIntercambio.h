#pragma once
// Reading the terminal's answer to a ticket, and the errors it reported.
#include <QList>

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

// Reads the answered header and item records of a ticket into gColErrores (gVersion, provider kind 1); an
// error is shown in a critical message titled "Error" and gives false.
bool LeeArchivos();

// Empties gColErrores and forgets the last exchange (tests).
void ReiniciarErrores();
