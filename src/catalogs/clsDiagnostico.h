#pragma once
// Diagnoses: the local catalog (table Diagnosticos) and the diagnosis records of a ticket request.
#include <QString>
#include <memory>

#include "catalogs/clsAcceso.h"
#include "exchange/Registro.h"
#include "platform/ArchivoRegistros.h"

class clsDiagnostico : public clsCatalogo {
public:
    clsDiagnostico() : clsCatalogo(QStringLiteral("clsDiagnostico"), 1) {}

    // ---- Catalog (table Diagnosticos)

    // Of the row the last lookup found (Registros is in the base).
    QString Codigo;
    QString Nombre;
    bool Baja = false;

    // 1 insert, 2 delete by Condicion, 3 update name and withdrawal by Condicion, 4 purge the
    // company's withdrawn rows, 5 delete the company's rows.
    bool Procesar(int iOpcion, const QString& pCodigo = {}, const QString& pNombre = {}, bool pBaja = false);
    // Nothing when neither a condition nor a code is given; the code is looked up in every company.
    Consulta Buscar(const QString& sWhere = {}, const QString& pCodigo = {});
    // The rows of the company in Empresa, for its report.
    Consulta BuscarEmpresa();

    // The search templates: the diagnosis and item dialogs' (one company's diagnoses) and the main
    // window's.
    static QString PlantillaTicket(const QString& empresa);
    static QString PlantillaMenu();

    // ---- Diagnosis records of a ticket request (directorio\UpLoad\_SVL.4, 56 bytes, any version) ----
    QString Diagnostico;    // trimmed where it is written
    QString Version;        // kept; the layout does not depend on it
    int TipoPrestador = 0;  // kept; the layout does not depend on it

    // Opens directorio\UpLoad\_SVL.4 for records of 56 bytes (not truncated).
    void AbrirArchivo(const QString& directorio);
    void InicializarVariables();  // empties Diagnostico
    // Writes Diagnostico as the next record; throws TarsaError on file errors.
    void GrabarSVL4();
    void CerrarArchivo();

    static const Disposicion<clsDiagnostico>& DisposicionSVL4();

private:
    std::shared_ptr<ArchivoRegistros> archivoSVL4_;  // shared so that the catalog rows stay copyable
    int registroSVL4_ = 0;
    // ---- end of the diagnosis records ----
};
