#pragma once
// The medications (table Medicamentos), found by troquel whatever their company.
#include "catalogs/clsAcceso.h"
#include "platform/SentenciaPreparada.h"

class clsMedicamento : public clsCatalogo {
public:
    clsMedicamento() : clsCatalogo(QStringLiteral("clsMedicamentos"), 1) {}

    // Of the row the last lookup found (Registros is in the base).
    qint32 Troquel = 0;
    QString CodigoBarra;
    QString Nombre;
    QString Presentacion;
    double Precio = 0;
    qint16 TipoMedicamento = 0;
    double CodProveedor = 0;
    bool Baja = false;

    // 1 insert, 2 delete by Condicion, 3 update by Condicion, 4 purge withdrawn rows. The price
    // arrives in cents; double quotes in the three texts become single quotes.
    bool Procesar(int iOpcion, qint32 pTroquel = 0, const QString& pCodigoBarra = {}, const QString& pNombre = {},
                  const QString& pPresentacion = {}, double pPrecio = 0, qint16 pTipoMedicamento = 0,
                  double pCodProveedor = 0, bool pBaja = false);
    // Nothing when neither a condition nor a troquel is given.
    Consulta Buscar(const QString& sWhere = {}, qint32 pTroquel = 0);
    // The rows of the company in Empresa, for its report.
    Consulta BuscarEmpresa();
    // Whether the table holds any medication, of any company.
    bool HayFilas();

    // The search templates: the item dialog's, and the main window's query of every medication.
    static QString PlantillaTicket();
    static QString PlantillaMenu();

    // For a whole catalog file: the look-up by troquel of Buscar, the insert of Procesar option 1 and
    // its update of every row of a troquel (option 3 with the condition " Troquel = " n), with the
    // same rows, through statements prepared at their first use and kept while this object lives.
    // Each sets Registros as its counterpart does; the row found is not read into the properties.
    bool ExisteTroquel(qint32 pTroquel);
    bool Insertar(qint32 pTroquel, QStringView pCodigoBarra, QStringView pNombre, QStringView pPresentacion,
                  double pPrecio, qint16 pTipoMedicamento, double pCodProveedor, bool pBaja);
    bool ActualizarTroquel(qint32 pTroquel, QStringView pCodigoBarra, QStringView pNombre, QStringView pPresentacion,
                           double pPrecio, qint16 pTipoMedicamento, double pCodProveedor, bool pBaja);

private:
    // Binds the values both statements share from the first parameter on: bar code, name,
    // presentation, price, type, supplier, flag.
    void EnlazarDatos(SentenciaPreparada& s, int primero, QStringView pCodigoBarra, QStringView pNombre,
                      QStringView pPresentacion, double pPrecio, qint16 pTipoMedicamento, double pCodProveedor,
                      bool pBaja);

    std::unique_ptr<SentenciaPreparada> existe_, inserta_, actualiza_;
};
