// What every window shares: Spanish texts, unique Alt keys, a place on the screen, the status bar.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include "app/frmTarsa.h"
#include "catalogs/ConBase.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
#include "exchange/frmMostrarErrores.h"
#include "exchange/frmMuestraTicket.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "journal/frmCierres.h"
#include "journal/frmHistorialIntercambios.h"
#include "journal/frmInicio.h"
#include "journal/frmTicket.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Ajustes.h"
#include "platform/Traducciones.h"
#include "platform/ui/MensajesPantalla.h"
#include "platform/ui/Modal.h"
#include "platform/ui/RecordarVentanas.h"
#include "support/Controles.h"
#include "tickets/frmDiagnostico.h"
#include "tickets/frmItemTicketFarmacia.h"
#include "tickets/frmTicketFarmacia.h"
#include "ui/frmAbout.h"
#include "ui/frmActualizacionNomencladores.h"
#include "ui/frmConfiguraActividad.h"
#include "ui/frmConfiguraEmpresas.h"
#include "ui/frmConfiguraPrestador.h"
#include "ui/frmConfiguracion.h"
#include "ui/frmConfigurarVista.h"
#include "ui/frmEditActividad.h"
#include "ui/frmEditEmpresa.h"
#include "ui/frmEditPrestador.h"
#include "ui/frmEditText.h"
#include "ui/frmPromptedSearch.h"
#include "ui/frmSeleccionPrestador.h"

namespace {

class VentanasTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        Sesion({.empresa = "1", .actividad = "2", .terminal = "00001234", .tipoActividad = "1"});
    }
    static QRect Pantalla() { return QGuiApplication::primaryScreen()->availableGeometry(); }
    // Opens a window of kind T within the screen and leaves it at lugar; returns where the next one opens.
    template <class T>
    static QRect Reabierta(const QRect& lugar) {
        {
            T primera;
            primera.show();
            EXPECT_TRUE(Pantalla().contains(primera.frameGeometry())) << primera.objectName().toStdString();
            primera.setGeometry(lugar);
            primera.hide();
        }
        T ventana;
        ventana.show();
        return ventana.geometry();
    }
};

// Fails the test for each Alt key (the letter after "&") that the window offers on more than one control.
void SinAtajosRepetidos(QWidget& ventana) {
    QMap<QString, QStringList> atajos;
    auto anotar = [&atajos](const QString& texto, const QString& quien) {
        const QKeySequence tecla = QKeySequence::mnemonic(texto);
        if (!tecla.isEmpty()) atajos[tecla.toString()] << quien + " \"" + texto + "\"";
    };
    for (QWidget* w : ventana.findChildren<QWidget*>()) {
        // Hidden controls count too: another option or setting shows them.
        if (auto* b = qobject_cast<QAbstractButton*>(w)) anotar(b->text(), b->objectName());
        if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) anotar(l->text(), l->objectName());
        if (auto* g = qobject_cast<QGroupBox*>(w); g && g->isCheckable()) anotar(g->title(), g->objectName());
        if (auto* m = qobject_cast<QMenuBar*>(w))
            for (QAction* a : m->actions()) anotar(a->text(), a->objectName());
    }
    for (auto it = atajos.begin(); it != atajos.end(); ++it)
        if (it.value().size() > 1)
            ADD_FAILURE() << ventana.objectName().toStdString() << ": " << it.key().toStdString() << ": "
                          << it.value().join(", ").toStdString();
}
template <class... T>
void SinAtajosRepetidos() {
    (SinAtajosRepetidos(*std::make_unique<T>()), ...);
}

}  // namespace

// Qt's standard buttons speak Spanish, and a message without a title carries the program's name.
TEST_F(VentanasTest, MessageBoxesAnswerInSpanishUnderTheProgramsName) {
    const Traducciones traducciones;
    ASSERT_TRUE(traducciones.Cargadas());
    MensajesPantalla pantalla(kNombrePrograma);
    QString titulo;
    QStringList botones;
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(caja, nullptr);
        titulo = caja->windowTitle();
        for (QAbstractButton* b : caja->buttons()) botones << b->text().remove('&');
        caja->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(pantalla.Mostrar(QString::fromUtf8("¿Anular el ticket 1001?"), Mensajes::vbYesNo, {}), Mensajes::vbNo);
    EXPECT_EQ(titulo, "Tarsa Cliente");
    botones.sort();
    EXPECT_EQ(botones, (QStringList{"No", QString::fromUtf8("Sí")}));
}

// No window offers the same Alt key twice: the second control would never be reached with it.
TEST_F(VentanasTest, NoWindowRepeatsAnAltKey) {
    gColEmpresas = {{1, "OSDE", "01"}};
    gColActividades = {{1, 2, "Farmacia", "1", "02"}};
    gColPrestadores = {{"100", "Farmacia Central", "01", "00001234", "0", false}};
    gLicenciaMatricula = true;  // the registration number box shows too
    QStringList vistas;
    // Dialogs that only open modally are looked at as they come, and cancelled.
    EstablecerManejadorModal([&](QDialog& d) {
        vistas << d.objectName();
        SinAtajosRepetidos(d);
        return int(QDialog::Rejected);
    });
    SinAtajosRepetidos<frmTarsa, frmActualizacionNomencladores, frmConfiguracion, frmConfigurarVista,
                       frmConfiguraEmpresas, frmConfiguraActividad, frmConfiguraPrestador, frmSeleccionPrestador,
                       frmAbout, frmMostrarErrores, frmMuestraTicket, frmProcesando, frmTicket, frmInicio,
                       frmPromptedSearch, frmEditText>();
    SinAtajosRepetidos(*std::make_unique<frmCierres>(true));
    SinAtajosRepetidos(*std::make_unique<frmHistorialIntercambios>(QDir::tempPath(), QMap<QString, QString>()));
    bool cargado = false;
    SinAtajosRepetidos(*std::unique_ptr<QWidget>(frmTicketFarmacia::Cargar(1, cargado)));
    frmEditEmpresa::Cargar(1);
    frmEditActividad::Cargar(1);
    frmEditPrestador::Cargar(1);
    frmItemTicketFarmacia::Cargar(1, "01", 1, 1, QString(60, '1'));
    frmDiagnostico::Cargar(1, "01", 1, 1);
    EXPECT_EQ(vistas.size(), 5) << vistas.join(", ").toStdString();
}

TEST_F(VentanasTest, AWindowIsFittedIntoTheScreen) {
    const QRect area(0, 0, 1024, 740);
    struct Caso {
        QRect ventana, esperada;
    } casos[] = {
        {{100, 50, 600, 400}, {100, 50, 600, 400}},    // inside: as it was
        {{0, 0, 1100, 760}, {0, 0, 1024, 740}},        // larger: shrunk
        {{900, 600, 400, 300}, {624, 440, 400, 300}},  // past the right and bottom edges: moved in
        {{-300, -20, 500, 200}, {0, 0, 500, 200}},     // past the left and top edges
        {{3000, 2000, 1280, 900}, {0, 0, 1024, 740}},  // on a screen no longer there
    };
    for (const Caso& c : casos) EXPECT_EQ(RecordarVentanas::Ajustar(c.ventana, area), c.esperada) << c.ventana.x();
}

// The next window of its kind (a new run) opens where the last was left; a place off this screen is brought in.
TEST_F(VentanasTest, AWindowFitsTheScreenAndReopensWhereItWasLeft) {
    RecordarVentanas recordar(kAplicacion);
    qApp->installEventFilter(&recordar);
    const QRect area = Pantalla();
    const QRect principal(area.x() + 30, area.y() + 20, area.width() / 2, area.height() / 2);
    EXPECT_EQ(Reabierta<frmTarsa>(principal), principal);
    const QRect dialogo(area.x() + 10, area.y() + 10, 300, 200);  // a dialog likewise, under its own name
    EXPECT_EQ(Reabierta<frmMostrarErrores>(dialogo), dialogo);
    Ajustes::Guardar(kAplicacion, "Ventanas", "frmTarsa", "5000,4000,3000,2000");
    frmTarsa v;
    v.show();
    EXPECT_EQ(v.frameGeometry(), area);
    qApp->removeEventFilter(&recordar);
}

TEST_F(VentanasTest, TheStatusBarFollowsTheTerminalAndTheJournal) {
    gQueloPath = dirTrabajo;
    gVersion = "V250";
    frmTarsa v;
    v.show();
    EXPECT_EQ(Textos(&v, "lblDirectorio lblUltimoTicket"),
              "Directorio: " + dirTrabajo + QString::fromUtf8("|Último ticket: ninguno"));
    EXPECT_TRUE(Textos(&v, "lblVersion").endsWith("protocolo V250")) << Textos(&v, "lblVersion").toStdString();
    ASSERT_TRUE(gAlCambiarEstadoTerminal);
    gAlCambiarEstadoTerminal(nullptr);
    EXPECT_EQ(Textos(&v, "lblTerminal"), QString::fromUtf8("Terminal: esperando respuesta…"));
    Solicitud s{.Resultado = ResultadoSolicitud::ErrorProceso, .Estado = "3 TARJETA INVALIDA"};
    gAlCambiarEstadoTerminal(&s);
    EXPECT_TRUE(Textos(&v, "lblTerminal").startsWith(QString::fromUtf8("Terminal: error «3 TARJETA INVALIDA» a las ")));
    // A V250 pharmacy answer header: operation, ticket number at 250, date and time at 268 and 276.
    QString cabecera(372, ' ');
    cabecera.replace(0, 7, "FF00001").replace(249, 12, "000000004711").replace(267, 12, "202612061200");
    cabecera.replace(296, 4, "0000");
    GuardarTransaccionLocal(cabecera + "\r\n", "TICKET\r\n", "01", false);
    EXPECT_EQ(Textos(&v, "lblUltimoTicket"), QString::fromUtf8("Último ticket: 4711"));
    // The next run reads it from the journal.
    frmTarsa otra;
    otra.show();
    EXPECT_EQ(Textos(&otra, "lblUltimoTicket"), QString::fromUtf8("Último ticket: 4711"));
}

// The error list is as wide as its columns: its longest comment is not cut.
TEST_F(VentanasTest, TheErrorListShowsItsLongestComment) {
    gColErrores = {{1, "", 9999, "No se actualizaron los diagnósticos: el catálogo quedó como estaba antes"}};
    frmMostrarErrores errores;
    auto* lista = Hijo<QTreeWidget>(&errores, "lvwErrores");
    int columnas = 0;
    for (int c = 0; c < lista->columnCount(); ++c) columnas += lista->columnWidth(c);
    EXPECT_GT(errores.width(), columnas);
}
