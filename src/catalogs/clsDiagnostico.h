#pragma once
// Diagnoses: the local catalog and the diagnosis records of a ticket request.
#include <QString>

#include "exchange/Registro.h"
#include "platform/ArchivoRegistros.h"

#include <memory>

class clsDiagnostico {
public:
    // ---- Diagnosis records of a ticket request (directorio\UpLoad\_SVL.4, 56 bytes, any version) ----
    QString Diagnostico;    // trimmed where it is written
    QString Version;        // kept; the layout does not depend on it
    int TipoPrestador = 0;  // kept; the layout does not depend on it

    // Opens directorio\UpLoad\_SVL.4 for records of 56 bytes (not truncated).
    bool AbrirArchivo(const QString& directorio);
    void InicializarVariables();  // empties Diagnostico
    // Writes Diagnostico as the next record; throws TarsaError on file errors.
    bool GrabarSVL4();
    bool CerrarArchivo();

    static const Disposicion<clsDiagnostico>& DisposicionSVL4();

private:
    std::shared_ptr<ArchivoRegistros> archivoSVL4_;  // shared so that the catalog rows stay copyable
    int registroSVL4_ = 0;
    // ---- end of the diagnosis records ----
};
