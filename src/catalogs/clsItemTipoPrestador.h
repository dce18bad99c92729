#pragma once
// A provider type of the fixed list, with the kind of ticket its providers issue.
#include <QString>

struct clsItemTipoPrestador {
    QString Codigo;
    QString Nombre;
    QString TipoTicket;  // "F" pharmacy, "M" medical, "S" session
};
