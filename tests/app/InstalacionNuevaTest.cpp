// A fresh installation, as a new user meets it: no settings, the delivered database and a working
// directory holding only the terminal's configuration files. Everything else is done through the
// program's own windows, up to a consumption ticket answered by tarsa-terminal-sim and journalled.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTreeWidget>

#include "app/frmTarsa.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/Rutas.h"
#include "support/Controles.h"
#include "support/Entorno.h"
#include "support/Simulador.h"
#include "tickets/frmTicketFarmaciaBase.h"
#include "ui/frmConfiguracion.h"
#include "ui/frmConfigurarVista.h"

namespace {

class InstalacionNuevaTest : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        if (!PredeterminadoEnTrabajo()) GTEST_SKIP() << "this machine has its own C:\\Estandar, left alone";
        AbrirBaseEntregada();
        gDB.reset();  // for the start-up to open
        // One company with one activity, and the fields the consumption asks for.
        EscribirArchivo(Rutas::Unir(dirTrabajo, "_Quelo.emp"), "2045187711" + QByteArray("OSDE").leftJustified(30) +
                                                                   "01" + QByteArray("FARMACIA").leftJustified(30) +
                                                                   "\r\n");
        const auto linea = [](const char* archivo, const char* mascara) {
            return "110101" + QByteArray(archivo).leftJustified(64) + mascara + "\r\n";
        };
        EscribirArchivo(
            Rutas::Unir(dirTrabajo, "_Quelo.prm"),
            "[Bitmaps]\r\n" + linea("SVL1", "01000000000000000000000000000000000") + linea("SVL3", "110101110001001"));
        modales.alMostrar = [this](QDialog& d) {
            if (const auto paso = pasos.value(d.objectName())) paso(d);
        };
        modales.Instalar();
    }
    void TearDown() override {
        frmTicketFarmaciaBase::DescargarAbierto();
        Entorno::TearDown();
    }
    // Opens a non-modal dialog from the main window's menu.
    template <class T>
    T* DesdeMenu(frmTarsa& principal, const char* accion) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the one closed before
        Hijo<QAction>(&principal, accion)->trigger();
        return Hijo<T>(&principal, T::staticMetaObject.className());
    }

    Modales modales;
    QHash<QString, std::function<void(QDialog&)>> pasos;  // what the user does in each modal window
};

TEST_F(InstalacionNuevaTest, FromTheTerminalsFilesToAJournalledConsumption) {
    // Start-up imports the terminal's configuration, bitmaps included.
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_TRUE(mensajes.mostrados.isEmpty()) << mensajes.mostrados.value(0).texto.toStdString();
    EXPECT_EQ(gQueloPath, DirectorioTrabajoPredeterminado());  // which leads to dirTrabajo
    ASSERT_EQ(gColEmpresas.size(), 1);
    ASSERT_EQ(gColLicAct.size(), 1);
    clsBitmaps bitmaps;
    bitmaps.Buscar({}, "11", "01", 1, "SVL3");
    EXPECT_EQ(bitmaps.Parametro, "110101110001001");

    frmTarsa principal;
    principal.Cargar();
    principal.show();
    auto* empresas = Hijo<QComboBox>(&principal, "cboEmpresas");
    empresas->setCurrentIndex(0);  // as the user picks it
    emit empresas->activated(0);
    EXPECT_FALSE(principal.Boton(14)->isVisible());

    // The terminal works in another directory, which does not exist yet.
    const QString nuevo = Ruta("Terminal/Estandar");
    const QString intercambioAnterior = DirectorioIntercambio();
    auto* configuracion = DesdeMenu<frmConfiguracion>(principal, "mnuConfiguracion");
    Hijo<QComboBox>(configuracion, "cboDirectorio")->setEditText(nuevo);
    mensajes.Responder(Mensajes::vbYes);
    Pulsar(configuracion, "cmdAceptar");
    ASSERT_EQ(gQueloPath, nuevo);
    EXPECT_TRUE(QDir(nuevo).exists(gTermDir + "/upload"));
    EXPECT_FALSE(QDir(intercambioAnterior).exists());
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "QUELO_Path"), nuevo);

    auto* vista = DesdeMenu<frmConfigurarVista>(principal, "mnuConfiguracionVisual");
    EXPECT_TRUE(Hijo<QCheckBox>(vista, "chkVerVerificar")->isChecked());
    Pulsar(vista, "cmdAceptar");
    EXPECT_TRUE(principal.Boton(14)->isVisible());

    pasos["frmConfiguraEmpresas"] = [](QDialog& d) {
        auto* lista = Hijo<QTreeWidget>(&d, "lvwEmpresas");
        lista->setCurrentItem(lista->topLevelItem(0));
        Pulsar(&d, "cmdEditEmpresa");
        Pulsar(&d, "cmdGrabar");
    };
    pasos["frmEditEmpresa"] = [](QDialog& d) {
        Escribir(&d, "txtNombreEmpresa", "OSDE BINARIO");
        Pulsar(&d, "cmdAceptar");
    };
    configuracion = DesdeMenu<frmConfiguracion>(principal, "mnuConfiguracion");
    Pulsar(configuracion, "cmdEmpresas");
    Pulsar(configuracion, "cmdAceptar");
    EXPECT_EQ(empresas->currentText(), "11 . OSDE BINARIO");

    // A consumption with the fields the bitmaps ask for: the card and one item typed whole.
    pasos["frmItemTicketFarmacia"] = [](QDialog& d) {
        Escribir(&d, "txtTroquel", "2233445");
        Escribir(&d, "txtCodigoBarra", "779531200045");
        Escribir(&d, "txtPrecio", "899");
        Elegir(&d, "cboTipoCobertura", QString::fromUtf8("Crónico"));
        Elegir(&d, "cboTipoPrescripcion", "Comercial");
        Pulsar(&d, "cmdAceptar");
    };
    Simulador terminal;
    terminal.Iniciar(nuevo, "ok");
    principal.EjecutarBoton("K11");
    frmTicketFarmaciaBase* ticket = frmTicketFarmaciaBase::Abierto();
    ASSERT_NE(ticket, nullptr);
    Escribir(ticket, "txtTarjeta", "6034930000012345");
    mensajes.Responder(Mensajes::vbYes);  // not in the catalog: added all the same
    Pulsar(ticket, "cmdAddItem");
    Pulsar(ticket, "cmdAceptar");
    ASSERT_TRUE(QTest::qWaitFor([] { return frmTicketFarmaciaBase::Abierto() == nullptr; }, 5000));

    EXPECT_EQ(modales.vistas, QStringList({"frmConfiguraEmpresas", "frmEditEmpresa", "frmSeleccionPrestador",
                                           "frmItemTicketFarmacia", "frmMuestraTicket"}));
    auto rs = gDB->Consultar("SELECT Operacion, Tarjeta, Ticket FROM Transaccion");
    ASSERT_FALSE(rs->EOF_());
    EXPECT_EQ(rs->Campo(0).toString() + " " + rs->Campo(1).toString(), "01 6034930000012345");
    EXPECT_TRUE(QFile::exists(Rutas::Unir(dirAplicacion, "Tickets/" + rs->Campo(2).toString().trimmed() + ".prn")));
    EXPECT_EQ(mensajes.mostrados.size(), 2);  // the questions about the new directory and the item
}

}  // namespace
