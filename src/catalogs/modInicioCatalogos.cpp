// Start-up after the settings and the database: the steps that load the catalogs into the global
// collections and re-import the terminal's configuration when its files changed.
#include "catalogs/modInicioCatalogos.h"

#include <exception>

#include "catalogs/clsActividades.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsPrestadores.h"
#include "catalogs/modConfiguracion.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"

namespace {

// Imports when the file of the kind is newer than its last import and stores the file's date
// under the setting, even when the import failed, so that a bad file is not retried at every start.
// A newer _Quelo.prm also reloads the operation bitmaps: without them a fresh installation would
// offer no ticket field until someone accepts the settings dialog. Each of the two runs even when
// the other fails; the first failure is reported.
void ImportarSiHayNueva(const QString& tipo, const QString& clave) {
    QString fecha;
    if (!HayConfiguracionNueva(tipo, fecha)) return;
    std::exception_ptr falla;
    try {
        ImportarConfiguracion(false);
        gConfiguracionImportada = true;
    } catch (...) {
        falla = std::current_exception();
    }
    if (tipo == "PRM") {
        try {
            clsBitmaps().GetBitmaps();
        } catch (...) {
            if (!falla) falla = std::current_exception();
        }
    }
    Ajustes::Guardar(kAplicacion, kSeccionStart, clave, fecha);
    if (falla) std::rethrow_exception(falla);
}

}  // namespace

bool IniciarAplicacion(const QString& lineaComandos) {
    QString marcador;
    if (!IniciarNucleo(lineaComandos, marcador)) return false;  // no catalogs, no main window
    CargarCatalogosInicio(marcador);
    gNuevaTransaccion = true;
    return true;
}

void CargarCatalogosInicio(QString& marcador) {
    PasoInicio(marcador, "16", [] {
        QList<clsItemPrestador> col;
        clsPrestadores().GetAP(col, false);
        gColPrestadores = col;
    });
    PasoInicio(marcador, "17", [] {
        QList<clsItemTipoPrestador> col;
        clsPrestadores().GetTipoPrestador(col);
        gColTipoPrestador = col;
    });
    PasoInicio(marcador, "18", [] {
        CargarColEmpresas();
        clsActividades actividades;
        QList<clsItemActividad> col;
        actividades.GetAP(col);
        gColActividades = col;
        QList<clsItemTipoActividad> tipos;
        actividades.GetTipoActividad(tipos);
        gColTipoActividad = tipos;
    });
    PasoInicio(marcador, "19", [] { AsignarLicenciaActividad(); });
    PasoInicio(marcador, "20", [] { ImportarSiHayNueva("PRM", "FechaQueloPrm"); });
    PasoInicio(marcador, "21", [] { ImportarSiHayNueva("EMP", "FechaQueloEmp"); });
}

void ReiniciarColecciones() {
    gColPrestadores.clear();
    gColTipoPrestador.clear();
    gColEmpresas.clear();
    gColEmpresasQuelo.clear();
    gColActividades.clear();
    gColTipoActividad.clear();
    gColLicAct.clear();
    gConfiguracionImportada = false;
}
