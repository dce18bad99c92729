#pragma once
// Catalog files as the terminal delivers them on a catalog update, of realistic size: medications,
// doctors and diagnoses in one protocol version's layout, with accented names (Windows-1252),
// withdrawn rows and a few malformed records. The simulator hands them out (--catalogs).
#include <QString>
#include <QStringList>

namespace Demo {

struct TamanoCatalogos {
    int medicamentos = 50000;
    int medicos = 20000;
    int diagnosticos = 12500;
    // So many medications, and doctors and diagnoses in the same proportion as above.
    static TamanoCatalogos Proporcional(int medicamentos) {
        return {medicamentos, medicamentos * 2 / 5, medicamentos / 4};
    }
};

// Writes _SAL.2, _SAL.3 and _SAL.4 (V250) or _SAL.5 (V101) into dir, the same content for the same
// arguments. tipoActividad chooses the V101 doctors' layout ("1" pharmacy). Returns one line per
// file written. Throws TarsaError when a file cannot be written.
QStringList GenerarCatalogos(const QString& dir, const QString& version, const QString& tipoActividad,
                             const TamanoCatalogos& tamano = {});

}  // namespace Demo
