#pragma once
// One company of the catalog.
#include <QString>

struct clsItemEmpresa {
    qint16 IdEmpresa = 0;
    QString Nombre;
    QString CodigoQuelo;  // the company's code in the terminal's network
};
