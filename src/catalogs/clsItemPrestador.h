#pragma once
// One provider (pharmacy or professional) working with this client.
#include <QString>

struct clsItemPrestador {
    QString Codigo;
    QString Nombre;
    QString Tipo;           // provider type code ("01"...)
    QString LicenciaQuelo;  // the provider's licence in the network, sent in every request
    QString Matricula;
    bool CadenaSucursales = false;
};
