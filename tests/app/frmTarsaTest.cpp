// The main window: which operations it offers and where each one leads.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QToolBar>

#include "app/frmTarsa.h"
#include "catalogs/ConBase.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/Pedido.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Ajustes.h"
#include "platform/ui/Modal.h"
#include "support/Controles.h"
#include "tickets/frmTicketFarmaciaBase.h"
#include "ui/frmAyuda.h"

namespace {

// The main window loaded from the globals as they are, recording what it opens.
class frmTarsaPrueba : public frmTarsa {
public:
    frmTarsaPrueba() { Cargar(); }
    void AbrirTicket(int operacion) override { tickets.append(operacion); }
    void AbrirListaTransacciones() override { ++listas; }
    bool ElegirPrestador() override {
        ++selecciones;
        return dialogo ? frmTarsa::ElegirPrestador() : eligePrestador;
    }
    QList<int> tickets;
    int listas = 0;
    int selecciones = 0;
    bool eligePrestador = false;
    bool dialogo = false;  // the real selection dialog is asked
};

}  // namespace

class frmTarsaTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        gColEmpresas = {{1, "OSDE", "01"}, {2, "IOMA", "02"}};
        gColActividades = {{1, 2, "Farmacia", "1", "02"},
                           {1, 3, "Prestaciones", "3", "03"},
                           {1, 9, "Ortopedia", "2", "09"},
                           {2, 2, "Farmacia", "1", "02"}};
        gColPrestadores = {{"100", "Farmacia Central", "01", "00001234", "0", false},
                           {"200", "Farmacia Norte", "01", "00005678", "0", true}};
        gColLicAct = {{"100", 1, 2, "00001234", "01", "02"}, {"100", 1, 3, "00001234", "01", "03"}};
        Sesion({.empresa = "1", .actividad = "2", .terminal = "00001234"});
        gVerMenuLicencias = gVerBotonesVerificar = gVerBotonesConsulta = gVerBotonesDevolucion = true;
    }
    // The consumption operation of a pharmacy in the bitmaps, for its ticket form to open.
    static void ConsumoEnBitmaps() {
        Sesion({.codigoEmpresa = "01", .codigoActividad = "02", .tipoActividad = "1"});
        gDB->Ejecutar("INSERT INTO Bitmaps VALUES ('01', '02', 1, 'SVL1', '01')");
    }
    // The operations in sight in the menu, or on the toolbar (usable there, but for the list's button).
    static QList<int> EnVista(frmTarsa& v, bool menu) {
        QList<int> r;
        for (int i = 1; i <= (menu ? 20 : 21); ++i) {
            const QAction* a = menu ? v.ItemOperacion(i) : v.Boton(i);
            if (a->isVisible() && (menu || i > 20 || a->isEnabled())) r.append(i);
        }
        return r;
    }
};

TEST_F(frmTarsaTest, OfferedOperationsByActivityTypeAndViewFlags) {
    struct Caso {
        const char* actividad;
        bool verificar, consulta, devolucion;
        QList<int> botones, menu;
    } casos[] = {
        // A separator only stands between two groups in sight: never doubled, first or last.
        {"2", true, true, true, {1, 2, 3, 4, 5, 14, 17, 20, 21}, {1, 2, 3, 4, 5, 14, 17, 20}},
        {"2", false, false, false, {1, 3, 5, 20}, {1, 2, 3, 4, 5, 14, 17, 20}},
        {"2", false, true, false, {1, 2, 3, 5, 20, 21}, {1, 2, 3, 4, 5, 14, 17, 20}},
        // the session operations are shown greyed: this client does not carry them out
        {"3", true, true, true, {9, 13, 14, 17, 21}, {6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {"9", true, false, false, {21}, {}},  // no link: nothing to separate
    };
    for (const Caso& c : casos) {
        gActividad = c.actividad;
        std::tie(gVerBotonesVerificar, gVerBotonesConsulta, gVerBotonesDevolucion) =
            std::tie(c.verificar, c.consulta, c.devolucion);
        frmTarsaPrueba v;
        v.show();
        EXPECT_EQ(EnVista(v, false), c.botones) << "activity " << c.actividad;
        EXPECT_EQ(EnVista(v, true), c.menu) << "activity " << c.actividad;
        for (int p : {6, 7, 8, 10, 11, 12, 18, 19})  // greyed, and saying why
            for (QAction* a : {v.Boton(p), v.ItemOperacion(p)})
                EXPECT_TRUE(!a->isEnabled() && a->statusTip() == a->toolTip() &&
                            a->toolTip().endsWith("no disponible en esta versión de Tarsa Cliente"))
                    << p << " " << a->toolTip().toStdString();
    }
}

// Typing into the lists is ignored; the arrows choose as in any list, and a company or provider
// chosen recomputes the offer.
TEST_F(frmTarsaTest, TheSelectionBarFollowsItsViewFlagAndItsChoicesRecomputeTheOffer) {
    gVerMenuLicencias = false;
    frmTarsaPrueba v;
    v.show();
    EXPECT_FALSE(Hijo<QToolBar>(&v, "tbrSeleccion")->isVisible());
    auto* empresas = Hijo<QComboBox>(&v, "cboEmpresas");
    auto* prestadores = Hijo<QComboBox>(&v, "cboPrestadores");
    QTest::keyClick(empresas, Qt::Key_I);
    EXPECT_EQ(empresas->currentText(), "1 . OSDE");
    EXPECT_EQ(gCodigoEmpresa, "");  // the delivered database has no companies: nothing to look up
    EXPECT_EQ(v.CodigoPrestador(), "100");
    gVerMenuLicencias = true;
    v.SeteaMenu();
    Activar(v);
    empresas->setFocus();
    QTest::keyClick(empresas, Qt::Key_Down);
    EXPECT_EQ(empresas->currentText(), "2 . IOMA");
    EXPECT_EQ(gEmpresa + gActividad, "22");
    EXPECT_FALSE(v.Boton(1)->isVisible());  // provider 100 has no link with company 2
    QTest::keyClick(empresas, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Hijo<QComboBox>(&v, "cboActividades")) << "Tab goes on to the next list";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), empresas) << "and Shift+Tab comes back";
    prestadores->setCurrentIndex(1);
    emit prestadores->activated(1);
    EXPECT_EQ(gTerminal, "00005678");
    EXPECT_EQ(v.CodigoPrestador(), "200");
}

// Opening an operation or the list unloads the ticket form: one half filled is discarded only when
// the user says so.
TEST_F(frmTarsaTest, AHalfFilledTicketIsDiscardedOnlyWhenTheUserSaysSo) {
    struct SinLista : frmTarsa {
        void AbrirListaTransacciones() override {}
    };
    ConsumoEnBitmaps();
    SinLista v;
    v.EjecutarBoton("K11");
    ASSERT_NE(frmTicketFarmaciaBase::Abierto(), nullptr);
    v.EjecutarBoton("K70");  // nothing typed yet: no question
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    v.EjecutarBoton("K11");
    Escribir(frmTicketFarmaciaBase::Abierto(), "txtTarjeta", "6034");
    for (const int respuesta : {Mensajes::vbNo, Mensajes::vbYes}) {
        mensajes.Responder(respuesta);
        v.EjecutarBoton("K70");
        EXPECT_EQ(frmTicketFarmaciaBase::Abierto() != nullptr, respuesta == Mensajes::vbNo);
    }
    const MensajeMostrado pregunta{"El ticket que está cargando (CONSUMO) se descartará. ¿Continuar?",
                                   Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2,
                                   v.windowTitle()};
    EXPECT_EQ(mensajes.mostrados, QList<MensajeMostrado>(2, pregunta));
}

TEST_F(frmTarsaTest, DispatchByKeyActivityTypeAndProvider) {
    frmTarsaPrueba v;
    v.ItemOperacion(7)->trigger();   // acts as K24: nothing in this client
    v.ItemOperacion(11)->trigger();  // K34
    v.ItemOperacion(3)->trigger();   // K12
    EXPECT_EQ(v.tickets, QList<int>{2});
    v.EjecutarBoton("K70");  // the toolbar's button: F8 reaches the list another way
    EXPECT_EQ(v.listas, 1);

    gTipoActividad = "13";  // consumption and deferred authorisation only
    v.tickets.clear();
    for (const char* k : {"K11", "K14", "K60"}) v.EjecutarBoton(k);
    EXPECT_EQ(v.tickets, (QList<int>{1, 5}));

    gTerminal.clear();  // no provider: the selection is asked first, and cancelling starts nothing
    v.tickets.clear();
    v.EjecutarBoton("K11");
    EXPECT_EQ(v.selecciones, 1);
    EXPECT_TRUE(v.tickets.isEmpty());
    v.eligePrestador = true;
    v.EjecutarBoton("K11");
    EXPECT_EQ(v.tickets, QList<int>{1});
    v.EjecutarBoton("K70");  // the list needs no provider
    EXPECT_EQ(v.selecciones, 2);
}

// A fresh installation starts with company "0", activity "02" and no provider: the bar shows the
// first of each, the requests carry what it shows, and the choice is stored at once, and again on closing.
TEST_F(frmTarsaTest, WhatTheBarShowsIsTheSelectionAndItIsStoredAtOnceAndOnClosing) {
    Sesion({.empresa = "0", .actividad = "02"});
    gTerminal.clear();
    frmTarsaPrueba v;
    v.show();
    EXPECT_EQ(Textos(&v, "cboEmpresas cboActividades cboPrestadores"), "1 . OSDE|2 . Farmacia|100 . Farmacia Central");
    EXPECT_EQ(QStringList({gEmpresa, gActividad, gTerminal, gTipoActividad}), QStringList({"1", "2", "00001234", "1"}));
    for (const auto& [clave, valor] : {std::pair{"Empresa", "1"}, {"Actividad", "2"}, {"Terminal", "00001234"}})
        EXPECT_EQ(Ajustes::Obtener(kAplicacion, "Start", clave), valor) << clave;
    EXPECT_TRUE(v.Boton(1)->isVisible());
    v.EjecutarBoton("K11");
    EXPECT_EQ(v.selecciones, 0);
    EXPECT_EQ(v.tickets, QList<int>{1});
    Sesion({.empresa = "2", .terminal = "00005678"});
    v.close();
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, "Start", "Empresa") + Ajustes::Obtener(kAplicacion, "Start", "Terminal"),
              "200005678");
}

// The provider chosen in the dialog asked for before an operation becomes the current one: the bar
// shows it and the operation is for it. Cancelling starts nothing.
TEST_F(frmTarsaTest, TheProviderChosenBeforeAnOperationIsTheOneItIsFor) {
    gColLicAct.append({"200", 1, 2, "00005678", "01", "02"});
    frmTarsaPrueba v;
    v.dialogo = true;
    int anchoMinimo = 0, anchoTitulo = 0;
    for (const int respuesta : {QDialog::Rejected, QDialog::Accepted}) {
        gTerminal.clear();  // a provider withdrawn, say
        EstablecerManejadorModal([&](QDialog& d) {
            Elegir(&d, "cboPrestador", "200");
            EXPECT_EQ(Hijo<QLabel>(&d, "lblLicencia")->text(), "00005678");
            anchoMinimo = d.minimumWidth();
            anchoTitulo = d.fontMetrics().horizontalAdvance(d.windowTitle());
            Pulsar(&d, respuesta == QDialog::Accepted ? "cmdAceptar" : "cmdCancelar");
            return d.result();
        });
        v.EjecutarBoton("K11");
    }
    EXPECT_EQ(v.tickets, QList<int>{1});
    EXPECT_EQ(gTerminal, "00005678");
    EXPECT_EQ(v.CodigoPrestador(), "200");
    EXPECT_EQ(Hijo<QComboBox>(&v, "cboPrestadores")->currentText(), "200 . Farmacia Norte");
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, "Start", "Terminal"), "00005678");
    EXPECT_GE(anchoMinimo, anchoTitulo + 150) << "the title \"Selección de Prestador\" is shown whole";
}

// The frequent operations answer to their function keys wherever the focus is in the main window;
// every menu opens with Alt and its letter.
TEST_F(frmTarsaTest, FunctionKeysAndMenuLetters) {
    frmTarsaPrueba v;
    Activar(v);
    for (Qt::Key k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8})
        QTest::keyClick(&v, k);
    EXPECT_EQ(v.tickets, (QList<int>{1, 4, 2, 3, 41, 5}));
    EXPECT_EQ(v.listas, 1);
    EXPECT_EQ(v.ItemOperacion(1)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_TRUE(v.Boton(1)->toolTip().endsWith("(F2)")) << v.Boton(1)->toolTip().toStdString();
    for (const auto& [tecla, modificador, menu] : {std::tuple{Qt::Key_S, Qt::AltModifier, "mnuSistema"},
                                                   {Qt::Key_D, Qt::AltModifier, "mnuAdministracion"},
                                                   {Qt::Key_C, Qt::AltModifier, "mnuConsultas"},
                                                   {Qt::Key_O, Qt::AltModifier, "mnuOperaciones"},
                                                   {Qt::Key_A, Qt::AltModifier, "mnuAyuda"},
                                                   {Qt::Key_F10, Qt::NoModifier, "mnuSistema"}}) {
        QTest::keyClick(&v, tecla, modificador);
        QWidget* abierto = QApplication::activePopupWidget();
        EXPECT_EQ(abierto ? abierto->objectName() : QString(), menu);
        if (abierto) abierto->close();
    }
}

// Closing looks in the exchange directory before removing it: the approval of a cancelled ticket that
// came meanwhile is journalled (its text saved) and announced, and then the directory goes.
TEST_F(frmTarsaTest, ClosingJournalsTheApprovalOfACancelledTicketBeforeTheExchangeDirectoryGoes) {
    gCicloSolicitud.AlRecibirRespuestaTardia = RegistrarRespuestaTardia;
    gVersion = "V250";
    const QString d = Terminal();
    GrabarPedido(d, "V250", 1);
    const QByteArray pedido = LeerArchivo(d + "/upload/_SVL.1");
    const clsTransaccion t{.Version = "V250", .Licencia = "00001234", .QueloPath = d};
    ASSERT_EQ(gCicloSolicitud.Enviar(t, [&] { return !QFile::remove(d + "/upload/_SVL.0"); }).Resultado,
              ResultadoSolicitud::Cancelada);
    EscribirArchivo(d + "/download/_svl.1", QByteArray(pedido).replace(249, 12, "000000004321"));
    EscribirArchivo(d + "/download/_ticket.prn", "Ticket: 4321\r\n");
    EscribirArchivo(d + "/Estado.rsp", "0 Aprobada\r\n");
    frmTarsaPrueba v;
    v.close();
    EXPECT_EQ(LeerArchivo(dirAplicacion + "/Tickets/4321.prn"), "Ticket: 4321\r\n");
    EXPECT_TRUE(mensajes.Unico().texto.startsWith(QString::fromUtf8("La terminal aprobó el ticket Nº 4321")));
    EXPECT_FALSE(QDir(d).exists());
    EXPECT_EQ(sistema.terminaciones, QList<int>{0});
}

// The catalog menus search in a modal dialog; the help menus open the local pages inside the
// program, F1 at the section of the window in front.
TEST_F(frmTarsaTest, EachMenuLeadsToItsSearchOrHelpPage) {
    ConsumoEnBitmaps();
    frmTarsa v;
    QStringList vistos;
    EstablecerManejadorModal([&](QDialog& d) {
        vistos << d.windowTitle();
        return int(QDialog::Rejected);
    });
    const auto ayuda = [&] {
        if (auto* a = v.findChild<frmAyuda*>()) {
            vistos << a->PaginaActual();
            delete a;
        }
    };
    for (const auto& [menu, destino] : {std::pair{"mnuMedicamentos", "Búsqueda de Medicamentos"},
                                        {"mnuMedicos", "Búsqueda de Médicos"},
                                        {"mnuDiagnosticos", "Búsqueda de Diagnósticos"},
                                        {"mnuTemasDeAyuda", "index.html"},
                                        {"mnuChat", "chat.html"}}) {
        vistos.clear();
        Hijo<QAction>(&v, menu)->trigger();
        ayuda();
        EXPECT_EQ(vistos, QStringList{destino}) << menu;
        EXPECT_TRUE(sistema.abiertos.isEmpty());  // no browser: there is none on some machines
    }
    Activar(v);
    v.AbrirTicket(1);
    vistos.clear();
    QTest::keyClick(frmTicketFarmaciaBase::Abierto(), Qt::Key_F1);
    ayuda();
    EXPECT_EQ(vistos, QStringList{"index.html#consumo"});
}
