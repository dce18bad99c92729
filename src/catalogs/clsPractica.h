#pragma once
// The practices of a company and provider account (table Practicas).
#include "catalogs/clsAcceso.h"

class clsPractica : public clsCatalogo {
public:
    clsPractica() : clsCatalogo(QStringLiteral("clsPractica"), 1) {}

    // Of the row the last lookup found (Registros is in the base).
    QString Codigo;
    QString TipoPractica;
    QString Nombre;
    double ValorNomenclador = 0;
    bool Baja = false;

    // 1 insert, 2 delete and 3 update the rows of Empresa and Licencia matching Condicion, 4 purge
    // their withdrawn rows, 5 delete their rows. The tariff arrives in hundredths.
    bool Procesar(int iOpcion, const QString& pCodigo = {}, const QString& pTipoPractica = {},
                  const QString& pNombre = {}, double pValorNomenclador = 0, bool pBaja = false);
    // Nothing when neither a condition nor a code is given. A numeric code is first padded with
    // zeros to the width of the company's stored codes.
    Consulta Buscar(const QString& sWhere = {}, const QString& pCodigo = {}, const QString& pTipoPractica = {});
};
