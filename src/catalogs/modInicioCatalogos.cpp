// Start-up after the settings and the database: the steps that load the catalogs into the global
// collections and re-import the terminal's configuration when its files changed.
#include "catalogs/modInicioCatalogos.h"

#include <QStringList>
#include <exception>
#include <functional>

#include "catalogs/clsActividades.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsPrestadores.h"
#include "catalogs/modConfiguracion.h"
#include "core/RegistroAjustes.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "platform/TarsaError.h"

namespace {

// Imports when the file of the kind is newer than its last import, and stores the file's date under
// the setting once everything the import does has succeeded: a file refused or an import that failed
// is tried again at the next start (the import is all or nothing, so nothing was half replaced).
// A newer _Quelo.prm also reloads the operation bitmaps: without them a fresh installation would
// offer no ticket field until someone accepts the settings dialog. Each of the two runs even when
// the other fails; the first failure is reported.
void ImportarSiHayNueva(const QString& tipo, Ajuste fechaImportada) {
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
    if (falla) std::rethrow_exception(falla);
    RegistroAjustes::Guardar(fechaImportada, fecha);
}

// A step whose failure is reported once at start-up: the same refused file would otherwise be
// reported by every step that reads it.
std::function<void()> InformarUnaVez(QStringList& informados, std::function<void()> paso) {
    return [&informados, paso = std::move(paso)] {
        try {
            paso();
        } catch (const TarsaError& e) {
            if (informados.contains(e.Descripcion)) return;
            informados << e.Descripcion;
            throw;
        }
    };
}

}  // namespace

bool IniciarAplicacion(const QString& lineaComandos) {
    QString marcador;
    if (!IniciarNucleo(lineaComandos, marcador)) return false;  // no catalogs, no main window
    CargarCatalogosInicio(marcador);
    PedirNuevaTransaccion();
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
    QStringList informados;
    PasoInicio(marcador, "18", InformarUnaVez(informados, [] { CargarColEmpresas(); }));
    // The activities are loaded even when the terminal's file was refused.
    PasoInicio(marcador, "18", [] {
        clsActividades actividades;
        QList<clsItemActividad> col;
        actividades.GetAP(col);
        gColActividades = col;
        QList<clsItemTipoActividad> tipos;
        actividades.GetTipoActividad(tipos);
        gColTipoActividad = tipos;
    });
    PasoInicio(marcador, "19", [] { AsignarLicenciaActividad(); });
    PasoInicio(marcador, "20", InformarUnaVez(informados, [] { ImportarSiHayNueva("PRM", Ajuste::FechaQueloPrm); }));
    PasoInicio(marcador, "21", InformarUnaVez(informados, [] { ImportarSiHayNueva("EMP", Ajuste::FechaQueloEmp); }));
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
