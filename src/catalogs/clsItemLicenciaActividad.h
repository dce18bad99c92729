#pragma once
// One provider-to-activity link with the network codes of its company and activity.
#include <QString>

struct clsItemLicenciaActividad {
    QString Codigo;  // provider
    qint16 IdEmpresa = 0;
    qint16 IdActividad = 0;
    QString LicenciaQuelo;
    QString CodigoEmpQuelo;
    QString CodigoActQuelo;
};
