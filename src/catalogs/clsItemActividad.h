#pragma once
// One activity of a company.
#include <QString>

struct clsItemActividad {
    qint16 IdEmpresa = 0;
    qint16 IdActividad = 0;
    QString Nombre;
    QString Tipo;         // activity type code ("01"...)
    QString CodigoQuelo;  // the activity's code in the terminal's network
};
