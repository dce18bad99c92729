#pragma once
// An activity type of the fixed list.
#include <QString>

struct clsItemTipoActividad {
    QString Codigo;
    QString Nombre;
};
