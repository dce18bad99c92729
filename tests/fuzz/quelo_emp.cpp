// The terminal's company configuration _Quelo.emp: read into the list of companies, activities and
// licences, then imported into the database as the configuration import does.
#include "Banco.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/modConfiguracion.h"
#include "platform/Rutas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar(true);
    Banco::Escribir(Rutas::Unir(DirectorioConfiguracion(), "_Quelo.emp"), Banco::Bytes(datos, tamano));
    QList<clsItemEmpresaQuelo> lista;
    try {
        clsEmpresas().GetEmpQuelo(lista);
    } catch (const TarsaError& e) {
        if (e.Numero >= ErrBaseDatos) throw;  // a file refused is what the reader tells the user
        return 0;
    }
    // Importing a few hundred records per input keeps the fuzzer fast; longer files only repeat.
    if (lista.size() <= 200) ImportarConfiguracion(false);  // a failure here is a fault
    return 0;
}
