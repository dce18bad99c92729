#pragma once
// Reading the terminal's answer to a ticket, and the errors it reported.
#include <QByteArray>
#include <QList>
#include <QString>

#include "exchange/clsItemError.h"

// The errors of the last answer read, shown by the error window; started afresh by every operation
// that reads an answer.
inline QList<clsItemError> gColErrores;
// The list's writers outside this module: an operation starts it afresh, a catalog update adds its report.
void VaciarErrores();
void AgregarErrores(const QList<clsItemError>& errores);

// Whether an answer header echoes the request header it answers: the operation code, and in the
// V250 pharmacy layout the pharmacy's transaction number. Either one missing: nothing to contradict.
bool RespondeA(const QByteArray& pedido, const QByteArray& respuesta);

// Reads the answered header and item records of a ticket into gColErrores (gVersion, provider kind 1); an
// error is shown in a critical message titled "Error" and gives false.
bool LeeArchivos();

// Empties gColErrores and forgets the requests of the run's cycle (tests).
void ReiniciarErrores();
