#pragma once
// One medication of a pharmacy ticket as the item dialog returns it and the items list shows it.
#include <QString>

struct clsItemTicketFarmacia {
    QString Linea;  // the list shows row numbers; the dialog leaves it empty
    QString Troquel;
    QString CodigoBarra;
    QString CodigoProveedor;
    QString NombreMedicamento;
    QString Presentacion;
    int TipoArancel = 0;  // -1 when not given
    int Cantidad = 0;     // -1 when not given
    double Precio = 0;
    QString Diagnostico;
    QString NombreDiagnostico;
    QString TipoCobertura;  // the coverage type's name, as the list shows it
    QString Autorizacion;
    QString PlanCobertura;
    int TipoPrescripcion = 0;
    bool CambioPrescripcion = false;
    int PorcentajeCobertura = 0;
};
