#pragma once
// The coverage plans of a company (table Planes).
#include "catalogs/clsAcceso.h"

class clsPlan : public clsCatalogo {
public:
    clsPlan() : clsCatalogo(QStringLiteral("clsPlan"), 0) {}

    // Of the row the last lookup found (Registros is in the base).
    QString Codigo;
    double PorcentajeCobertura = 0;
    QString PlanCobertura;
    bool Baja = false;

    // 1 insert, 2 delete and 3 update the company's rows matching Condicion (which must be set),
    // 4 purge the company's withdrawn rows, 5 delete the company's rows. The percentage arrives in
    // hundredths.
    bool Procesar(int iOpcion, const QString& pCodigo = {}, double pPorcentajeCobertura = 0,
                  const QString& pPlanCobertura = {}, bool pBaja = false);
    // Nothing when neither a condition nor a code is given; the plan type is compared exactly.
    Consulta Buscar(const QString& sWhere = {}, const QString& pCodigo = {}, const QString& pPlanCobertura = {});

    // The item dialog's search template: the plans of one company.
    static QString PlantillaTicket(const QString& empresa);
};
