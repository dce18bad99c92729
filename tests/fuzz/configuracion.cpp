// The terminal's whole configuration as start-up meets it: the input is _Quelo.emp, a NUL byte, then
// _Quelo.prm. Both are imported; a file refused must leave the database untouched, one accepted must
// be imported whole, and importing the same files again must write nothing.
#include <SQLiteCpp/SQLiteCpp.h>

#include <cstdlib>

#include "Banco.h"
#include "catalogs/ArchivoConfiguracion.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modConexion.h"
#include "platform/BaseDatos.h"
#include "platform/Rutas.h"

namespace {

// Runs one import; false when the file was refused (a refusal names no database error). Any other
// failure is a fault and ends the run.
template <class F>
bool Importar(F&& importar) {
    try {
        importar();
        return true;
    } catch (const TarsaError& e) {
        if (e.Numero >= ErrBaseDatos || !e.Descripcion.startsWith(QString::fromUtf8("El archivo de configuración")))
            throw;
        return false;
    }
}

int Cambios() { return gDB->Nativa().getTotalChanges(); }

void Exigir(bool condicion) {
    if (!condicion) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar(true);
    const QList<QByteArray> partes = Banco::Partes(Banco::Bytes(datos, tamano), '\0', 2);
    // A few hundred records per input keep the fuzzer fast; longer files only repeat.
    if (partes[0].size() > 200 * ArchivoConfiguracion::kLongitudEmpresa) return 0;
    Banco::Escribir(Rutas::Unir(DirectorioConfiguracion(), "_Quelo.emp"), partes[0]);
    Banco::Escribir(Rutas::Unir(DirectorioConfiguracion(), "_Quelo.prm"), partes[1]);

    int antes = Cambios();
    if (Importar([] { ImportarConfiguracion(false); })) {
        Exigir(gColEmpresasQuelo.size() == (partes[0].size() + 2) / ArchivoConfiguracion::kLongitudEmpresa);
        antes = Cambios();
        ImportarConfiguracion(false);
        Exigir(Cambios() == antes);
    } else {
        Exigir(Cambios() == antes);
    }
    antes = Cambios();
    if (!Importar([] { clsBitmaps().GetBitmaps(); })) Exigir(Cambios() == antes);
    return 0;
}
