#pragma once
// Reading the terminal's answer to a ticket, and the errors it reported.
#include <QList>

#include "exchange/clsItemError.h"

// The errors of the last answer read, shown by the error window; started afresh by every operation
// that reads an answer.
inline QList<clsItemError> gColErrores;

// Reads the answered header and item records of a ticket into gColErrores (gVersion, provider kind 1); an
// error is shown in a critical message titled "Error" and gives false.
bool LeeArchivos();

// Empties gColErrores (tests).
void ReiniciarErrores();
