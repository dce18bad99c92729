#pragma once
// The activities of each company (table Actividades), the provider-to-activity view with the
// network codes, and the fixed list of activity types.
#include <QList>

#include "catalogs/clsAcceso.h"
#include "catalogs/clsItemActividad.h"
#include "catalogs/clsItemLicenciaActividad.h"
#include "catalogs/clsItemTipoActividad.h"

class clsActividades : public clsCatalogo {
public:
    clsActividades() : clsCatalogo(QStringLiteral("clsActividades"), 0) {}

    // Of the first row the last lookup found.
    QString Nombre;
    QString CodigoQuelo;

    // 1 insert, 2 delete by Condicion, 3 update Nombre, Tipo and CodigoQuelo by Condicion,
    // 5 delete every activity of company pIdEmpresa.
    bool Procesar(int iOpcion, qint32 pIdEmpresa = 0, qint32 pidActividad = 0, const QString& pNombre = {},
                  const QString& pTipo = {}, const QString& pCodigoQuelo = {});
    Consulta Buscar(const QString& sWhere = {}, qint32 pIdEmpresa = 0, qint32 pidActividad = 0);
    QString GetCodigoActividad(qint32 pIdEmpresa, qint32 pidActividad);
    Consulta BuscarLicAct(const QString& sWhere = {}, const QString& pCodigo = {}, qint32 pIdEmpresa = 0,
                          qint32 pidActividad = 0);
    bool GetLicAct(QList<clsItemLicenciaActividad>& colLicAct);
    bool GetAP(QList<clsItemActividad>& colActiv);
    bool GetTipoActividad(QList<clsItemTipoActividad>& colTipo);
};
