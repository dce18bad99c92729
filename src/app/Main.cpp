#include "app/Main.h"

#include <QApplication>

#include "app/modVentanas.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modBaseLocal.h"
#include "core/modConexion.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/clsArchivoIntercambios.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Ansi.h"
#include "platform/Mensajes.h"
#include "platform/Traducciones.h"
#include "platform/ui/ImpresoraSistema.h"
#include "platform/ui/MensajesPantalla.h"
#include "platform/ui/RecordarVentanas.h"
#include "platform/ui/SelectorCarpetasPantalla.h"
#include "platform/ui/SistemaPantalla.h"

int Main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAplicacion);
    QApplication::setApplicationVersion(TARSA_VERSION);

    // The standard buttons and the choosers in Spanish, like the rest of the program.
    const Traducciones traducciones;
    static MensajesPantalla mensajes(kNombrePrograma);
    // Each window reopens where the user left it, within the screen.
    RecordarVentanas ventanas(kAplicacion);
    app.installEventFilter(&ventanas);
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
    gCicloSolicitud.AlRecibirRespuestaTardia = RegistrarRespuestaTardia;

    const QStringList args = QCoreApplication::arguments().mid(1);
    const bool conectado = IniciarAplicacion(args.join(' '));
    // Before any request, and never on a request's way: the pass grows with the archive.
    clsArchivoIntercambios::RetencionDeAjustes();
    bool ventana = false;
    // Approvals that a run which died (or closed while a cancelled request was unanswered) left in
    // its exchange directory: journalled now that the journal is open.
    if (conectado && gDB) gCicloSolicitud.RecuperarAbandonados(gQueloPath);
    if (conectado) ventana = MostrarVentanaPrincipal();
    ventana = PedirDirectorioDeTrabajo() || ventana;
    if (!ventana) {
        // Nothing to show: an orderly shutdown closes and backs up the database.
        if (gDB) Desconectar();
        return 0;
    }
    return QApplication::exec();
}
