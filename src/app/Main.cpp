#include "app/Main.h"

#include <QApplication>

#include "app/modVentanas.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modBaseLocal.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Ansi.h"
#include "platform/Mensajes.h"
#include "platform/ui/ImpresoraSistema.h"
#include "platform/ui/MensajesPantalla.h"
#include "platform/ui/SelectorCarpetasPantalla.h"
#include "platform/ui/SistemaPantalla.h"
#include "platform/ui/TraduccionQt.h"

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAplicacion);
    QApplication::setApplicationVersion(TARSA_VERSION);
    InstalarTraduccionQt();

    static MensajesPantalla mensajes;
    static ImpresoraSistema impresora;
    static SistemaPantalla sistema;
    static SelectorCarpetasPantalla carpetas;
    Mensajes::Establecer(&mensajes);
    Impresora::Establecer(&impresora);
    Sistema::Establecer(&sistema);
    SelectorCarpetas::Establecer(&carpetas);

    if (!Ansi::Disponible()) {
        MsgBox("Esta instalación no dispone de la página de códigos Windows-1252.", Mensajes::vbCritical, "Main");
        return 1;
    }
    gDirectorioAplicacion = ResolverDirectorioAplicacion(QCoreApplication::applicationDirPath());
    if (!ReservarDirectorioAplicacion()) return 1;
    gAlRecibirRespuestaTardia = RegistrarRespuestaTardia;

    const QStringList args = QCoreApplication::arguments().mid(1);
    const bool conectado = IniciarAplicacion(args.join(' '));
    bool ventana = false;
    if (conectado) ventana = MostrarVentanaPrincipal();
    if (gQueloPath.isEmpty()) {
        MsgBox("Debe configurar el directorio de trabajo", Mensajes::vbInformation);
        ventana = MostrarConfiguracion() || ventana;
    }
    if (!ventana) {
        // Nothing to show: an orderly shutdown closes and backs up the database.
        if (gDB) Desconectar();
        return 0;
    }
    return QApplication::exec();
}
