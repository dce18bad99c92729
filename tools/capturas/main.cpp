// tarsa-capturas <output dir>: the screenshots of the user guide, taken from the real windows on a
// demo installation (see scripts/capturas.sh, which prepares it and runs this under Xvfb).
// It sends a few tickets to the terminal simulator through the client's request cycle so that the
// journal has rows, makes one consumption through the ticket form as docs/demo.md tells, and
// saves each window as PNG in the state a newcomer sees it.
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <cstdio>
#include <functional>

#include "Conduccion.h"
#include "app/frmTarsa.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/Operaciones.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "exchange/clsItemTicket.h"
#include "exchange/clsTicket.h"
#include "exchange/frmProcesando.h"
#include "journal/frmCierres.h"
#include "journal/frmInicio.h"
#include "journal/frmTicket.h"
#include "journal/modTransaccionLocal.h"
#include "platform/BaseDatos.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"
#include "platform/Traducciones.h"
#include "platform/ui/ImpresoraSistema.h"
#include "platform/ui/Modal.h"
#include "tickets/frmDiagnostico.h"
#include "tickets/frmTicketFarmaciaBase.h"
#include "ui/frmAbout.h"
#include "ui/frmActualizacionNomencladores.h"
#include "ui/frmConfiguracion.h"
#include "ui/frmConfigurarVista.h"

using namespace Conduccion;

namespace {

// A window saved as PNG, and its file named on the output.
void Captura(QWidget* w, const QString& dir, const QString& nombre) {
    const QString archivo = Guardar(w, dir, nombre);
    std::printf("  %s (%dx%d)\n", qPrintable(archivo), w->width(), w->height());
}

// The order Tab visits the window's controls, printed beside its screenshot to be checked by eye.
void Tabulacion(QWidget* ventana) {
    QStringList orden;
    for (QWidget* w = ventana->nextInFocusChain(); w && w != ventana; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(ventana) && w->isEnabled() &&
            !w->objectName().startsWith("qt_"))
            orden << (w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName());
    std::printf("    tabulación: %s\n", qPrintable(orden.join(", ")));
}

struct Item {
    const char* troquel;
    const char* cantidad;
    const char* precio;  // hundredths
    const char* plan;
    const char* porcentaje;
};

struct Venta {
    int operacion;
    const char* empresa;  // company number, as gEmpresa
    const char* actividad;
    const char* tarjeta;
    const char* receta;
    QList<Item> items;
    const char* diagnostico = "";
    bool anulaAnterior = false;  // a cancellation or return: TicketPadre is the previous ticket
};

// A journalled ticket: its text as the terminal wrote it, its number and the card.
struct Guardado {
    QString texto, numero, tarjeta;
    QString padre;  // the ticket number as the answer carries it, for a cancellation of it
};

// One ticket through the request cycle, as the consumption form sends it, and into the journal.
Guardado Enviar(const Venta& v, const QString& ticketPadre) {
    gEmpresa = v.empresa;
    gActividad = v.actividad;
    gCodigoEmpresa = QString(v.empresa).rightJustified(2, '0');
    gNuevaTransaccion = true;
    NuevaTransaccionFarmacia();
    const QString d = DirectorioIntercambio();
    clsTicket t;
    t.Version = gVersion;
    t.CodigoOperacion = CodigoOperacionVersion(v.operacion);
    t.TipoPrestador = 1;
    t.Tarjeta = v.tarjeta;
    t.TipoLectura = "1";
    t.Farmacia = "4512";
    t.NTransaccionFarmacia = gNTransaccionFarmacia;
    t.Receta = v.receta;
    t.FechaReceta = QDate::currentDate().addDays(-2).toString("dd/MM/yyyy");
    t.FechaVenta = QDate::currentDate().toString("dd/MM/yyyy");
    t.HoraVenta = QTime::currentTime().toString("hh:mm");
    if (v.anulaAnterior) t.TicketPadre = ticketPadre;
    if (!*v.receta) t.Receta.clear();
    t.TipoMatriculaRe = "1";
    t.MatriculaRe = *v.receta ? "45213" : "";
    t.GrabarSVL1(d);
    if (!v.items.isEmpty()) {
        clsItemTicket it;
        it.Version = gVersion;
        it.TipoPrestador = 1;
        it.AbrirArchivo(d);
        for (const Item& i : v.items) {
            it.InicializarVariables();
            it.Troquel = i.troquel;
            it.Cantidad = i.cantidad;
            it.Precio = i.precio;
            it.PlanCobertura = i.plan;
            it.PorcentajeCobertura = i.porcentaje;
            it.TipoAutorizacion = "Normal";
            it.TipoPrescripcion = 3;
            it.CambioPrescripcion = false;
            it.GrabarSVL3();
        }
        it.CerrarArchivo();
    }
    if (*v.diagnostico) {
        clsDiagnostico dg;
        dg.Version = gVersion;
        dg.TipoPrestador = 1;
        dg.AbrirArchivo(d);
        dg.Diagnostico = v.diagnostico;
        dg.GrabarSVL4();
        dg.CerrarArchivo();
    }
    Solicitud s = EnviarSolicitud();
    if (!s.Procesada()) Fallar("el simulador respondió: " + s.Estado);
    const QString ticket = s.Transaccion.BuscarTicket();
    const QString respuesta = s.Transaccion.LeerSVL1();
    GuardarTransaccionLocal(respuesta, ticket, gCodigoEmpresa, false);
    return {ticket, QString::number(respuesta.mid(249, 12).trimmed().toLongLong()), v.tarjeta, respuesta.mid(249, 12)};
}

// The journal's rows; returns the first consumption, whose saved ticket the guide shows.
Guardado LlenarDiario() {
    const QList<Venta> ventas = {
        {1,
         "11",
         "1",
         "61404512300",
         "RE-778123",
         {{"3716506", "1", "1523000", "210", "40"}, {"1314536", "2", "645000", "210", "40"}}},
        {1,
         "14",
         "1",
         "15012345678900",
         "PAMI-55120",
         {{"5911877", "1", "1689050", "CRONICO", "80"}, {"1390763", "1", "1254000", "CRONICO", "80"}}},
        {1, "23", "1", "1234567890101", "IOMA-3310", {{"1864493", "1", "1466000", "PMO", "40"}}, "J45.0"},
        {1,
         "11",
         "1",
         "61402233400",
         "RE-778131",
         {{"1518936", "1", "1376000", "CRONICO", "70"}, {"5789171", "1", "1102000", "CRONICO", "70"}}},
        {41, "11", "1", "61407788100", "", {}},
        {1, "11", "1", "61409876500", "RE-778140", {{"5791609", "1", "4287000", "310", "50"}}},
        {2, "11", "1", "61409876500", "", {}, "", true},
        {1,
         "11",
         "1",
         "61405566700",
         "RE-778152",
         {{"4561125", "1", "1045000", "210", "40"}, {"6192628", "1", "876000", "210", "40"}}},
        {3, "11", "1", "61405566700", "", {{"6192628", "1", "876000", "210", "40"}}, "", true},
    };
    QList<Guardado> enviados;
    for (const Venta& v : ventas) enviados.append(Enviar(v, enviados.isEmpty() ? QString() : enviados.last().padre));
    return enviados.first();
}

// A consumption the way a newcomer makes it in the demo (docs/demo.md): Consumo, card,
// prescription, prescribing doctor, two medications by troquel, Aceptar. The form is taken before
// it is accepted, and the answer ticket as the client shows it.
void Consumo(frmTarsa& ventana, const QString& salida) {
    const DatosConsumo datos{"61404512300", "778190", "210", "40", {{"3716506", "1"}, {"1314536", "2"}}, {}};
    Conduccion::Consumo(ventana, datos, salida, {"consumo-item.png", "", "consumo.png", "consumo-ticket.png"});
    std::printf("  %s: consumo-item.png, consumo.png, consumo-ticket.png\n", qPrintable(salida));
}

// A catalog dialog with its first rows marked, and its edit dialog on the first row.
void Catalogo(frmConfiguracion* configuracion, const char* boton, const char* lista, const char* editar,
              const QString& salida, const QString& captura, const QString& capturaEdicion) {
    EstablecerManejadorModal([&](QDialog& d) -> int {
        d.show();
        if (d.objectName().startsWith("frmEdit")) {
            Captura(&d, salida, capturaEdicion);
            Tabulacion(&d);
            return QDialog::Rejected;
        }
        d.resize(900, 400);
        for (auto* l : d.findChildren<QTreeWidget*>())
            if (l->topLevelItemCount() > 0) l->setCurrentItem(l->topLevelItem(0));
        Captura(&d, salida, captura);
        Tabulacion(&d);
        if (!d.findChild<QTreeWidget*>(lista)) Fallar(QString("no existe la lista ") + lista);
        Pulsar(&d, editar);
        return QDialog::Rejected;
    });
    Pulsar(configuracion, boton);
    EstablecerManejadorModal({});
}

// Sistema → Configuración ... and Configuración Visual ..., and the catalog dialogs they lead to.
void Configuracion(frmTarsa& ventana, const QString& salida) {
    frmConfiguracion* configuracion = frmConfiguracion::Mostrar(&ventana);
    Esperar([&] { return configuracion->isVisible(); }, "configuración");
    Captura(configuracion, salida, "configuracion.png");
    Tabulacion(configuracion);
    Catalogo(configuracion, "cmdEmpresas", "lvwEmpresas", "cmdEditEmpresa", salida, "configura-empresas.png",
             "edit-empresa.png");
    Catalogo(configuracion, "cmdActividades", "lvwActividades", "cmdEdit", salida, "configura-actividad.png",
             "edit-actividad.png");
    Catalogo(configuracion, "cmdPrestadores", "lvwPrestadores", "cmdEdit", salida, "configura-prestador.png",
             "edit-prestador.png");
    Pulsar(configuracion, "cmdCancelar");

    frmConfigurarVista* vista = frmConfigurarVista::Mostrar(&ventana);
    Esperar([&] { return vista->isVisible(); }, "configuración visual");
    Captura(vista, salida, "configuracion-visual.png");
    Tabulacion(vista);
    Pulsar(vista, "cmdCancelar");
}

// The windows a consumption does not open on its own: the reduced ticket form, the diagnosis
// dialog and a journalled ticket's view.
void OtrasVentanas(frmTarsa& ventana, const QString& salida, const Guardado& guardado) {
    gPantallaReducida = true;
    ventana.EjecutarBoton("K11");
    frmTicketFarmaciaBase* reducida = frmTicketFarmaciaBase::Abierto();
    if (!reducida) Fallar("Consumo no abrió el ticket reducido");
    if (QWidget* marco = reducida->parentWidget(); qobject_cast<QMdiSubWindow*>(marco)) marco->move(10, 10);
    Captura(&ventana, salida, "consumo-reducido.png");
    Tabulacion(reducida);
    frmTicketFarmaciaBase::DescargarAbierto();
    gPantallaReducida = false;

    const auto mostrar = [&](const QString& archivo) {
        EstablecerManejadorModal([&salida, archivo](QDialog& d) -> int {
            d.show();
            Captura(&d, salida, archivo);
            Tabulacion(&d);
            return QDialog::Rejected;
        });
    };
    mostrar("diagnostico.png");
    frmDiagnostico::Cargar(23, "23", 1, 1);
    // The saved ticket, and the print preview its "Imprimir" opens (cancelled: nothing is printed).
    EstablecerManejadorModal([&salida](QDialog& d) -> int {
        d.show();
        if (d.objectName() == "frmVistaPrevia") {
            d.resize(d.width(), d.screen()->availableGeometry().height() * 9 / 10);
            Captura(&d, salida, "vista-previa.png");
            Tabulacion(&d);
            return QDialog::Rejected;
        }
        Captura(&d, salida, "ticket-guardado.png");
        Tabulacion(&d);
        Pulsar(&d, "cmdImprimir");
        return QDialog::Rejected;
    });
    frmTicket vista(&ventana);
    vista.Cargar(guardado.texto, guardado.numero, guardado.tarjeta);
    EstablecerManejadorModal({});
}

// Administración → Nomencladores ... with the medications ticked, its status bar while the demo's
// 50,000 medications are applied, and Administración → Cierres ... at "Cerrar cupones".
void Administracion(frmTarsa& ventana, const QString& salida) {
    QTimer progreso;
    bool tomada = false;
    EstablecerManejadorModal([&](QDialog& d) -> int {
        if (d.objectName() != "frmActualizacionNomencladores") {
            if (d.objectName() == "frmProcesando") return d.exec();
            return QDialog::Accepted;  // the counts and the ticket
        }
        d.show();
        for (const char* casilla : {"chkMedicamentos", "chkTMedicamentos"})
            d.findChild<QCheckBox*>(casilla)->setChecked(true);
        Captura(&d, salida, "nomencladores.png");
        Tabulacion(&d);
        // The window repaints while a catalog is applied: its status bar is taken half-way.
        auto* barra = d.findChild<QStatusBar*>("stbNomencladores");
        QObject::connect(&progreso, &QTimer::timeout, [&] {
            if (tomada || !barra->currentMessage().contains(" de ")) return;
            tomada = true;
            Captura(&d, salida, "nomencladores-progreso.png");
        });
        progreso.start(20);
        Pulsar(&d, "cmdAceptar");
        progreso.stop();
        return d.result();
    });
    ventana.findChild<QAction*>("mnuNomencladores")->trigger();
    EstablecerManejadorModal({});
    if (!tomada) Fallar("no se vio el avance de la actualización de nomencladores");

    ventana.findChild<QAction*>("mnuCierres")->trigger();
    QDialog* cierres = ventana.findChild<QDialog*>("frmCierres");
    if (!cierres) Fallar("Cierres no abrió su ventana");
    Esperar([&] { return cierres->isVisible(); }, "cierres");
    cierres->findChild<QRadioButton*>("optOpcion4")->click();
    Captura(cierres, salida, "cierres.png");
    Tabulacion(cierres);
    cierres->close();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAplicacion);
    const Traducciones traducciones;  // Qt's buttons and choosers in Spanish, as in the program
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) Fallar("uso: tarsa-capturas <directorio de salida>");
    // The main window fills the screen it is shown on: the captures show what fits at that size.
    if (qEnvironmentVariableIsEmpty("TARSA_SETTINGS") || qEnvironmentVariableIsEmpty("TARSA_APPDIR"))
        Fallar("TARSA_SETTINGS y TARSA_APPDIR deben nombrar una instalación de demostración (tarsa-demo)");
    const QString salida = QDir(args[1]).absolutePath();
    QDir().mkpath(salida);

    // Dialogs over the main window that fills the screen, so each screen size shows its own.
    dialogosEnPantalla = true;
    static ImpresoraSistema impresora;  // printed tickets go to TARSA_PDF_DIR, as in the demo
    Impresora::Establecer(&impresora);
    gDirectorioAplicacion = ResolverDirectorioAplicacion(QCoreApplication::applicationDirPath());
    if (!IniciarAplicacion("")) Fallar("no se pudo abrir la base de datos");

    QProcess sim;
    IniciarSimulador(sim);
    // Made before the journal is filled, so that its status bar shows the terminal's last answer
    // as a counter's would, not "sin pedidos todavía".
    frmTarsa ventana;
    const Guardado guardado = LlenarDiario();
    // Back to the selection the settings hold, as a fresh start would show it.
    gEmpresa = "11";
    gActividad = "1";

    ventana.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ventana.Cargar();
    ventana.show();
    Esperar([&] { return ventana.isVisible(); }, "ventana principal");
    Captura(&ventana, salida, "ventana-principal.png");
    // With the operations menu open at "Consumo ...": the menu is a window of its own, so this one
    // is taken from the screen.
    auto* operaciones = ventana.findChild<QMenu*>("mnuOperaciones");
    ventana.menuBar()->setActiveAction(operaciones->menuAction());
    Esperar([&] { return operaciones->isVisible(); }, "menú Operaciones");
    operaciones->setActiveAction(ventana.ItemOperacion(1));
    Asentar();
    const QRect marco = ventana.frameGeometry();
    const QPixmap pantalla = ventana.screen()->grabWindow(0, marco.x(), marco.y(), marco.width(), marco.height());
    const QString archivo = QDir(salida).filePath("menu-operaciones.png");
    if (!pantalla.save(archivo)) Fallar("no se pudo escribir " + archivo);
    std::printf("  %s (%dx%d)\n", qPrintable(archivo), pantalla.width(), pantalla.height());
    operaciones->hide();
    ventana.menuBar()->setActiveAction(nullptr);

    // Consultas → Medicamentos, pattern "AMO": the menu's search is modal, so it is taken while it is open.
    EstablecerManejadorModal([](QDialog& d) -> int {
        d.show();
        d.resize(820, 460);
        d.findChild<QLineEdit*>("txtPattern")->setText("AMO");
        d.findChild<QPushButton*>("cmdSearchBegin")->click();
        auto* lista = d.findChild<QTreeView*>("lvwResult");
        const int esperadas =
            gDB->Consultar("SELECT COUNT(*) AS N FROM Medicamentos WHERE Nombre LIKE 'AMO*'")->Campo("N").toInt();
        Esperar([&] { return lista->model() && lista->model()->rowCount() == esperadas; }, "resultados de la búsqueda");
        Captura(&d, QDir(QCoreApplication::arguments().value(1)).absolutePath(), "busqueda-medicamentos.png");
        return QDialog::Rejected;
    });
    ventana.findChild<QAction*>("mnuMedicamentos")->trigger();
    EstablecerManejadorModal({});

    // The consumption leaves the journal open inside the main window.
    Consumo(ventana, salida);
    QMdiSubWindow* hija = nullptr;
    Esperar(
        [&] {
            hija = ventana.Area()->activeSubWindow();
            return hija && qobject_cast<frmInicio*>(hija->widget());
        },
        "diario");
    hija->move(10, 10);
    Captura(&ventana, salida, "ultimos-tickets.png");

    // Ayuda → Acerca ...
    frmAbout* acerca = frmAbout::Mostrar(&ventana);
    Esperar([&] { return acerca->isVisible(); }, "acerca de");
    Captura(acerca, salida, "acerca.png");
    acerca->close();

    Configuracion(ventana, salida);
    Administracion(ventana, salida);
    OtrasVentanas(ventana, salida, guardado);

    DetenerSimulador(sim);
    return 0;
}
