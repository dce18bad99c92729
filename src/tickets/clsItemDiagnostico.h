#pragma once
// One diagnosis chosen for a ticket: its code and the name the catalog gave it (empty when the
// catalog does not know the code).
#include <QString>

struct clsItemDiagnostico {
    QString Codigo;
    QString Nombre;
};
