#pragma once
// One entry of the error list: a rejected header or item of the terminal's answer, or an outcome of
// a catalog update or closure.
#include <QString>

struct clsItemError {
    int Tipo = 0;        // 1 for header and item errors
    QString Clave;       // the key of the item the error concerns; empty for header errors
    int Numero = 0;      // error code
    QString Comentario;  // error text as read, trailing spaces kept
};
