#pragma once
// The providers (table Prestadores), their activity assignments (PrestadorActividad) and the
// fixed list of provider types.
#include <QList>

#include "catalogs/clsAcceso.h"
#include "catalogs/clsItemLicenciaActividad.h"
#include "catalogs/clsItemPrestador.h"
#include "catalogs/clsItemTipoPrestador.h"

class clsPrestadores : public clsCatalogo {
public:
    clsPrestadores() : clsCatalogo(QStringLiteral("clsPrestadores"), 1) {}

    // 1 insert, 2 delete by Condicion, 3 update every column but Codigo by Condicion.
    bool Procesar(int iOpcion, const QString& pCodigo = {}, const QString& pNombre = {}, const QString& pTipo = {},
                  const QString& pLicenciaQuelo = {}, const QString& pMatricula = {}, bool pCadenaSucursales = false);
    // 1 insert one assignment, 2 delete that one assignment, 5 delete every assignment.
    bool ProcesarActividad(int iOpcion, const QString& pCodigo = {}, qint32 pIdEmpresa = 0, qint32 pidActividad = 0);
    Consulta Buscar(const QString& sWhere = {}, const QString& pCodigo = {});
    bool GetAP(QList<clsItemPrestador>& colPres, bool bDesdeArchivo = false);
    // The rows of PrestadorActividad as they are (provider and ids only); false when there is none.
    bool GetActividades(QList<clsItemLicenciaActividad>& col);
    bool GetTipoPrestador(QList<clsItemTipoPrestador>& colTipoPres);
};
