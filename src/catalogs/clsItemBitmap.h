#pragma once
// One operation bitmap line of the terminal configuration.
#include <QString>

struct clsItemBitmap {
    QString Empresa;    // company network code
    QString Actividad;  // activity network code
    qint16 Operacion = 0;
    QString Archivo;    // the record the mask applies to ("SVL1", "SVL3")
    QString Parametro;  // the mask of "0" and "1", position i for field i
};
