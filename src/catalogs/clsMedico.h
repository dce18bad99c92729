#pragma once
// The doctors (table Medicos), kept per company; the ticket forms find one by registration number
// and type whatever its company.
#include "catalogs/clsAcceso.h"

class clsMedico : public clsCatalogo {
public:
    clsMedico() : clsCatalogo(QStringLiteral("clsMedico"), 1) {}

    // Of the row the last lookup found (Registros is in the base).
    QString TipoMatricula;
    qint32 Matricula = 0;
    QString ApellidoNombre;
    bool Baja = false;

    // 1 insert, 2 delete by Condicion, 3 update name and withdrawal by Condicion, 4 purge withdrawn rows,
    // 5 delete the company's doctors (its complete catalog replaces them).
    bool Procesar(int iOpcion, qint32 pMatricula = 0, const QString& pTipoMatricula = {},
                  const QString& pApellidoNombre = {}, bool pBaja = false);
    // Nothing when neither a condition nor a registration number is given. A condition that already
    // holds the word "where" is appended as it is.
    Consulta Buscar(const QString& sWhere = {}, qint32 pMatricula = 0, const QString& pTipoMatricula = {});
    // The rows of the company in Empresa, for its report.
    Consulta BuscarEmpresa();

    // The search templates: the ticket forms' (a doctor of any company) and the main window's (the
    // doctors of one company).
    static QString PlantillaTicket();
    static QString PlantillaMenu(const QString& empresa);
};
