#pragma once
// One record of the terminal's company configuration file, fields as stored (blank-padded).
#include <QString>

struct clsItemEmpresaQuelo {
    QString Licencia;         // 8
    QString CodigoEmpresa;    // 2
    QString NombreEmpresa;    // 30
    QString CodigoActividad;  // 2
    QString NombreActividad;  // 30
};
