// A fresh installation as a new user meets it: no settings, the delivered database, and the terminal
// (tarsa-terminal-sim) in a directory holding only its two configuration files. Everything is done through
// the windows with keys and clicks; the requests are checked in the bytes the exchange archive kept.
#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPointer>
#include <QProcess>
#include <QToolBar>
#include <QTreeWidget>

#include "TestConfig.h"
#include "app/frmTarsa.h"
#include "app/modVentanas.h"
#include "catalogs/ConBase.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modTarsa.h"
#include "exchange/clsArchivoIntercambios.h"
#include "journal/frmCierres.h"
#include "journal/frmInicio.h"
#include "platform/Ajustes.h"
#include "platform/Rutas.h"
#include "support/Controles.h"
#include "support/Simulador.h"
#include "tickets/frmTicketFarmaciaBase.h"
#include "ui/frmConfiguracion.h"
#include "ui/frmConfigurarVista.h"

namespace {

constexpr char kLicencia[] = "20451877";

class InstalacionNuevaTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        gDB.reset();  // the delivered database, for the start-up to open
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
        qputenv("HOME", tmp.path().toUtf8());  // the default working directory, $HOME/Estandar, is not there
        QDir(dirTrabajo).removeRecursively();
        quelo = Ruta("Quelo");
        QDir().mkpath(quelo);
        for (const char* archivo : {"_Quelo.emp", "_Quelo.prm"})
            QFile::copy(QString(TARSA_TEST_DATA_DIR) + "/instalacion" + archivo, Rutas::Unir(quelo, archivo));
        modales.alMostrar = [this](QDialog& d) {
            if (const auto paso = pasos.value(d.objectName())) paso(d);
        };
        modales.Instalar();
    }
    void TearDown() override {
        frmTicketFarmaciaBase::DescargarAbierto();
        gFrmTarsa = nullptr;
        Entorno::TearDown();
    }
    // The catalog files the terminal delivers: tarsa-demo writes them as a terminal would.
    QString Catalogos() {
        const QString dir = Ruta("catalogos");
        QProcess demo;
        demo.start(TARSA_DEMO_EXE, {"--catalogos", dir, "V250", "1", "200"});
        EXPECT_TRUE(demo.waitForFinished(60000));
        EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
        return dir;
    }
    // A check box or option chosen from the keyboard: the focus on it, then Space.
    static void Marcar(const QWidget* ventana, const char* nombre) {
        auto* boton = Hijo<QAbstractButton>(ventana, nombre);
        boton->setFocus();
        QTest::keyClick(boton, Qt::Key_Space);
        EXPECT_TRUE(boton->isChecked()) << nombre;
    }
    // A window the main window opens without blocking, once shown.
    template <class T>
    static T* Abierta(const frmTarsa& principal, const char* nombre) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the one closed before
        return Hijo<T>(&principal, nombre);
    }
    // What the client sent in each request, in order, from the exchange archive.
    static QList<QMap<QString, QByteArray>> Enviados() {
        const clsArchivoIntercambios archivo(clsArchivoIntercambios::RaizPorDefecto());
        QList<QMap<QString, QByteArray>> r;
        for (const clsItemIntercambio& item : archivo.Listar())
            if (const auto detalle = archivo.Leer(item.Id); detalle && detalle->Enviados.contains("_SVL.0"))
                r << detalle->Enviados;
        return r;
    }

    QString quelo;
    Modales modales;
    QHash<QString, std::function<void(QDialog&)>> pasos;  // what the user does in each modal window
};

TEST_F(InstalacionNuevaTest, FromTheTerminalsFilesToAConsumptionItsCancellationAndAClosure) {
    Simulador terminal;
    terminal.Iniciar(quelo, "ok", {"--catalogs", Catalogos()});

    // The first start: the default working directory does not exist, which is no failure.
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_TRUE(mensajes.mostrados.isEmpty()) << mensajes.mostrados.value(0).texto.toStdString();
    EXPECT_EQ(gTermDir, "");
    frmTarsa principal;
    gFrmTarsa = &principal;
    principal.Cargar();
    Activar(principal);
    EXPECT_TRUE(PedirDirectorioDeTrabajo());
    EXPECT_EQ(mensajes.Unico(),
              (MensajeMostrado{"Debe configurar el directorio de trabajo", Mensajes::vbInformation, ""}));
    mensajes.mostrados.clear();

    // The settings: the terminal's directory typed, "Configuración Automática", "Configurar" in the
    // same visit; then the complete catalogs, offered at once.
    auto* configuracion = Abierta<frmConfiguracion>(principal, "frmConfiguracion");
    Activar(*configuracion);
    Hijo<QComboBox>(configuracion, "cboDirectorio")->setFocus();
    Tecla(Qt::Key_A, Qt::ControlModifier);  // all of what is shown, replaced by what is typed
    Teclear(quelo);
    Marcar(configuracion, "chkAutomatica");
    mensajes.Responder(Mensajes::vbYes);  // "CUIDADO!!! ... ¿ Desea Continuar?"
    mensajes.Responder(Mensajes::vbOK);   // "Se ha configurado Licencia; empresa y actividad"
    mensajes.Responder(Mensajes::vbYes);  // the complete catalogs, now
    Pulsar(configuracion, "cmdConfAutomatica");
    ASSERT_EQ(mensajes.mostrados.size(), 3);
    EXPECT_TRUE(mensajes.mostrados[2].texto.startsWith(QString::fromUtf8("¿Desea actualizar ahora los nomencladores")))
        << mensajes.mostrados[2].texto.toStdString();
    EXPECT_EQ(QStringList({gQueloPath, Textos(&principal, "cboEmpresas cboPrestadores"), gTerminal,
                           Ajustes::Obtener(kAplicacion, kSeccionStart, "Terminal")}),
              QStringList({quelo, QString("11 . OSDE|%1 . %1").arg(kLicencia), kLicencia, kLicencia}));
    EXPECT_GT(Valor("SELECT COUNT(*) FROM Medicamentos WHERE Baja = 0").toInt(), 100);
    EXPECT_GT(Contar("Bitmaps"), 0);  // the bitmaps, loaded by "Configurar" itself
    const QString intercambio = gTermDir;
    Pulsar(configuracion, "cmdAceptar");
    EXPECT_EQ(gTermDir, intercambio);  // "Aceptar" keeps the exchange directory "Configurar" made
    EXPECT_TRUE(principal.Boton(1)->isVisible());

    // The view: closures suggested by calendar period.
    Hijo<QAction>(&principal, "mnuConfiguracionVisual")->trigger();
    auto* vista = Abierta<frmConfigurarVista>(principal, "frmConfigurarVista");
    Marcar(vista, "chkSugerirCierres");
    Pulsar(vista, "cmdAceptar");

    // A consumption of a catalogued medication at a price typed the Argentine way.
    const QString medicamento =
        Valor("SELECT Troquel FROM Medicamentos WHERE Baja = 0 AND Troquel > 0 ORDER BY Troquel").toString();
    pasos["frmItemTicketFarmacia"] = [&](QDialog& d) {
        Escribir(&d, "txtTroquel", medicamento, true);
        Escribir(&d, "txtCantidad", "1");
        Escribir(&d, "txtPrecio", "15.230,50");
        Elegir(&d, "cboTipoCobertura", QString::fromUtf8("Crónico"));
        Elegir(&d, "cboTipoPrescripcion", "Comercial");
        d.show();
        QTest::keyClick(Hijo<QWidget>(&d, "cboTipoPrescripcion"), Qt::Key_Return);
    };
    QWidget* consumo = Hijo<QToolBar>(&principal, "tbrPrincipal")->widgetForAction(principal.Boton(1));
    ASSERT_NE(consumo, nullptr);
    QTest::mouseClick(consumo, Qt::LeftButton);  // as the user does
    frmTicketFarmaciaBase* ticket = frmTicketFarmaciaBase::Abierto();
    ASSERT_NE(ticket, nullptr);
    Escribir(ticket, "txtTarjeta", "6034930000012345");
    Pulsar(ticket, "cmdAddItem");
    Pulsar(ticket, "cmdAceptar");
    ASSERT_TRUE(QTest::qWaitFor([] { return frmTicketFarmaciaBase::Abierto() == nullptr; }, 5000));

    // The cancellation, from the journal the consumption brought up: Enter on its row, "Anular".
    auto* diario = principal.findChild<frmInicio*>();
    ASSERT_NE(diario, nullptr);
    auto* filas = Hijo<QTreeWidget>(diario, "lvwTransacciones");
    ASSERT_EQ(filas->topLevelItemCount(), 1);
    pasos["frmTicket"] = [this](QDialog& d) {
        mensajes.Responder(Mensajes::vbYes);  // "¿Anular el ticket …?"
        Pulsar(&d, "cmdAnular");
    };
    Activar(principal);
    filas->setCurrentItem(filas->topLevelItem(0));
    filas->setFocus();
    QTest::keyClick(filas, Qt::Key_Return);

    // A closure of the proposed period: the previous calendar month.
    const auto [desde, hasta] = frmCierres::MesAnterior(QDate::currentDate());
    Hijo<QAction>(&principal, "mnuCierres")->trigger();
    auto* cierres = Abierta<frmCierres>(principal, "frmCierres");
    Marcar(cierres, "optOpcion4");
    EXPECT_FALSE(Hijo<QLineEdit>(cierres, "txtFechaDesde")->text().isEmpty());
    mensajes.mostrados.clear();
    mensajes.Responder(Mensajes::vbYes);  // "¿Enviar el cierre … del … al …?"
    Pulsar(cierres, "cmdAceptar");
    const MensajeMostrado confirmacion = mensajes.mostrados.value(0);
    EXPECT_TRUE(confirmacion.texto.startsWith(QString::fromUtf8("¿Enviar el cierre")))
        << confirmacion.texto.toStdString();
    EXPECT_EQ(confirmacion.estilo & Mensajes::vbDefaultButton2, Mensajes::vbDefaultButton2);

    EXPECT_FALSE(modales.vistas.contains("frmSeleccionPrestador")) << modales.vistas.join(' ').toStdString();
    // Every request carried the licence: the catalogs (company 99, activity 92), the consumption, its
    // cancellation and the closure (company 11, activity 01).
    const auto enviados = Enviados();
    ASSERT_EQ(enviados.size(), 4);
    EXPECT_EQ(enviados[0].value("_SVL.0"), QByteArray("V2509992") + kLicencia);
    for (int i = 1; i < 4; ++i) EXPECT_EQ(enviados[i].value("_SVL.0"), QByteArray("V2501101") + kLicencia) << i;
    // The consumption's item: the price at offset 35, eleven digits with two implied decimals.
    EXPECT_EQ(enviados[1].value("_SVL.1").mid(5, 2), "01");
    EXPECT_EQ(enviados[1].value("_SVL.3").mid(35, 11), "00001523050");
    EXPECT_EQ(enviados[2].value("_SVL.1").mid(5, 2), "02");
    // The closure: operation 09 and the period's first and last days.
    const QByteArray sal0 = enviados[3].value("_SAL.0");
    EXPECT_EQ(sal0.left(2), "09");
    EXPECT_EQ(sal0.mid(19, 16), (desde.toString("yyyyMMdd") + hasta.toString("yyyyMMdd")).toLatin1());
    EXPECT_EQ(Contar("Transaccion"), 3);  // consumption, cancellation, closure

    // The choice outlives the run: a restart finds the same provider.
    principal.close();
    ReiniciarGlobales();
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_EQ(QStringList({gQueloPath, gTerminal, gEmpresa}), QStringList({quelo, kLicencia, "11"}));
}

// The terminal in the default working directory: the first start imports its configuration, and with
// no medications the complete catalogs are offered once the main window is up.
TEST_F(InstalacionNuevaTest, AFirstStartThatImportsOffersTheCatalogs) {
    QDir().mkpath(dirTrabajo);
    if (!PredeterminadoEnTrabajo()) GTEST_SKIP() << kSinPredeterminado;
    for (const char* archivo : {"_Quelo.emp", "_Quelo.prm"})
        QFile::copy(Rutas::Unir(quelo, archivo), Rutas::Unir(dirTrabajo, archivo));
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_FALSE(PedirDirectorioDeTrabajo());
    mensajes.Responder(Mensajes::vbNo);
    ASSERT_TRUE(MostrarVentanaPrincipal());
    QPointer<frmTarsa> principal = gFrmTarsa;
    ASSERT_TRUE(QTest::qWaitFor([this] { return !mensajes.mostrados.isEmpty(); }, 5000));
    EXPECT_TRUE(mensajes.Unico().texto.startsWith(QString::fromUtf8("¿Desea actualizar ahora los nomencladores")));
    EXPECT_EQ(Hijo<QComboBox>(principal, "cboEmpresas")->currentText(), "11 . OSDE");
    EXPECT_EQ(gTerminal, kLicencia);
    principal->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(principal.isNull());
}

}  // namespace
