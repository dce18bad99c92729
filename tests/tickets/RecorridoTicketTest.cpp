// The road of a ticket through the form's widgets against tarsa-terminal-sim: the request files as
// the terminal receives them, the wait, the answer shown, printed, journalled and cancelled.
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextEdit>
#include <QTreeWidget>
#include <list>

#include "TestConfig.h"
#include "app/frmTarsa.h"
#include "exchange/modIntercambio.h"
#include "journal/frmInicio.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "support/Simulador.h"
#include "tickets/EntornoTickets.h"
#include "tickets/frmTicketFarmacia.h"
#include "tickets/frmTicketFarmaciaR.h"

namespace {

class RecorridoTicketTest : public EntornoTickets {
protected:
    void SetUp() override {
        EntornoTickets::SetUp();
        Ibuprofeno();
        Sql("INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre, Baja) VALUES (1, 12345, 'B1', "
            "'PEREZ JUAN', 0)");
        Sql("INSERT INTO Diagnosticos (IdEmpresa, Codigo, Nombre, Baja) VALUES (1, 'J45.0', 'ASMA', 0)");
        // The terminal starts once the request is complete, so its files are read before it takes them.
        modales["frmProcesando"] = [this](QDialog& espera) {
            for (const char* nombre : {"_SVL.0", "_SVL.1", "_SVL.3", "_SVL.4"})
                subidos[nombre] = LeerArchivo(Rutas::Unir(DirectorioIntercambio(), QString("UpLoad/") + nombre));
            simuladores.emplace_back().Iniciar(
                dirTrabajo, escenario, {"--max-requests", "1", "--first-ticket", QString::number(primerTicket++)});
            return espera.exec();
        };
        modales["frmMuestraTicket"] = [this](QDialog& d) {
            ticketsMostrados << Hijo<QTextEdit>(&d, "rtextTicket")->toPlainText();
            return 1;
        };
        modales["frmMostrarErrores"] = [this](QDialog& d) {
            erroresMostrados << Hijo<QTreeWidget>(&d, "lvwErrores")->topLevelItemCount();
            return 1;
        };
        modales["frmDiagnostico"] = [](QDialog& d) {
            Escribir(&d, "txtDiagnostico", "J45.0", true);
            Pulsar(&d, "cmdAceptar");
            return d.result();
        };
        modales["frmItemTicketFarmacia"] = [this](QDialog& d) {
            if (!items.isEmpty()) items.takeFirst()(d);
            Pulsar(&d, "cmdAceptar");
            return d.result();
        };
    }

    // The first item is found in the catalog by its troquel; the second is typed whole. The dialogs'
    // lookups and questions are checked with the dialogs themselves.
    void DosItems(QWidget* f) {
        items << [](QDialog& d) {
            Escribir(&d, "txtTroquel", "512345", true);
            Escribir(&d, "txtCantidad", "2");
            Escribir(&d, "txtDiagnostico", "I10");
            Escribir(&d, "txtPlanCobertura", "PMO");
            Escribir(&d, "txtPorcentajeCobertura", "40");
            Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
        };
        items << [](QDialog& d) {
            Escribir(&d, "txtTroquel", "2233445");
            Escribir(&d, "txtCodigoBarra", "779531200045");
            Escribir(&d, "txtPrecio", "899");
            Elegir(&d, "cboTipoCobertura", QString::fromUtf8("Crónico"));
            Elegir(&d, "cboTipoPrescripcion", "Comercial");
        };
        mensajes.Responder(Mensajes::vbYes);  // the second is not in the catalog: added all the same
        Pulsar(f, "cmdAddItem");
        Pulsar(f, "cmdAddItem");
        EXPECT_EQ(mensajes.mostrados.size(), 1);
        mensajes.mostrados.clear();
    }
    static bool EsperarCierre() {
        return QTest::qWaitFor([] { return frmTicketFarmaciaBase::Abierto() == nullptr; }, 5000);
    }
    static int FilasDiario() { return gDB->Consultar("SELECT COUNT(*) FROM Transaccion")->Campo(0).toInt(); }

    std::list<Simulador> simuladores;
    QString escenario = "ok";
    int primerTicket = 1001;
    QHash<QString, QByteArray> subidos;
    QList<std::function<void(QDialog&)>> items;
    QStringList ticketsMostrados;
    QList<int> erroresMostrados;
};

TEST_F(RecorridoTicketTest, FromTheConsumoButtonToTheJournalAndTheCancellation) {
    gCodigoEmpresa = "01";  // the journal list shows company gEmpresa's rows by this code
    gTipoActividad = "1";
    gVerTicket = gImprimirTicket = gVerListaErrores = true;
    Bitmap(1, "SVL1", Mascara({2, 3, 4, 6, 7, 8, 10, 11, 15, 16, 22, 33}));
    Bitmap(1, "SVL3", Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    frmTarsa principal;
    principal.show();
    principal.EjecutarBoton("K11");
    frmTicketFarmaciaBase* f = frmTicketFarmaciaBase::Abierto();
    ASSERT_NE(qobject_cast<frmTicketFarmacia*>(f), nullptr);
    EXPECT_EQ(f->windowTitle(), "CONSUMO");
    const QStringList selectores{"cboEmpresas", "cboActividades", "cboPrestadores"};
    for (const QString& s : selectores) EXPECT_FALSE(Hijo<QComboBox>(&principal, s)->isEnabled()) << s.toStdString();

    Escribir(f, "txtTarjeta", "6034930000012345");
    Elegir(f, "cboTipoLectura", "Manual");
    Escribir(f, "txtFarmacia", "4512");
    Escribir(f, "txtTipoReceta", "1");
    Escribir(f, "txtReceta", "778123");
    Escribir(f, "txtFechaReceta", "05122024", true);
    Escribir(f, "txtFechaVenta", "06122024", true);
    Escribir(f, "txtHoraVenta", "14:35");
    Elegir(f, "cboProvinciaR", "B.");
    Elegir(f, "cboTipoMatriculaR", "1.");
    Escribir(f, "txtMatriculaRe", "12345", true);
    EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoRe")->text(), "PEREZ JUAN");
    Escribir(f, "txtDescuentoPrestador", "10", true);
    DosItems(f);
    Pulsar(f, "cmdAddDiags");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotal")->text(), "3940");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotalGeneral")->text(), "3546");
    Pulsar(f, "cmdAceptar");
    ASSERT_TRUE(EsperarCierre());

    // The request against the hand-written records; the transaction number at 340 is random.
    const auto dato = [](const char* nombre) { return LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, nombre)); };
    EXPECT_EQ(subidos["_SVL.0"], "V2500101LIC00001");
    const QByteArray numero = QString("%1").arg(gNTransaccionFarmacia.toInt(), 8, 10, QChar('0')).toLatin1();
    EXPECT_EQ(subidos["_SVL.1"], dato("recorrido_svl1.bin").replace(340, 8, numero));
    // The item and diagnosis records are checked byte by byte where they are written; here, that the
    // form handed over its two items and its diagnosis.
    EXPECT_EQ(subidos["_SVL.3"].size(), 2 * 246);
    EXPECT_EQ(subidos["_SVL.4"].left(10), "J45.0     ");

    // The answer: shown, printed once, journalled with its text saved under its number, the list opened.
    ASSERT_EQ(impresora.impresos.size(), 1);
    const QString ticket = impresora.impresos[0];
    EXPECT_TRUE(ticket.contains("1001")) << ticket.toStdString();
    EXPECT_EQ(ticketsMostrados.value(0).simplified(), ticket.simplified());
    EXPECT_TRUE(erroresMostrados.isEmpty());
    auto rs = gDB->Consultar("SELECT Operacion, Tarjeta, Ticket, CodigoEmpresa FROM Transaccion");
    EXPECT_EQ(QStringList(
                  {rs->Campo(0).toString(), rs->Campo(1).toString(), rs->Campo(2).toString(), rs->Campo(3).toString()}),
              QStringList({"01", "6034930000012345", "1001", "1"}));
    EXPECT_EQ(LeerArchivo(Rutas::Unir(dirAplicacion, "Tickets/1001.prn")), Ansi::Codificar(ticket));
    EXPECT_TRUE(gNuevaTransaccion);
    for (const QString& s : selectores) EXPECT_TRUE(Hijo<QComboBox>(&principal, s)->isEnabled()) << s.toStdString();
    for (QMdiSubWindow* hija : principal.Area()->subWindowList())  // no empty frame is left behind
        EXPECT_FALSE(hija->isVisible() && !qobject_cast<frmInicio*>(hija->widget()));
    auto* lista = principal.findChild<frmInicio*>();
    ASSERT_NE(lista, nullptr);
    auto* filas = Hijo<QTreeWidget>(lista, "lvwTransacciones");
    ASSERT_EQ(filas->topLevelItemCount(), 1);

    // The saved text opens in the ticket view, whose "Anular" sends the cancellation.
    QString vista;
    modales["frmTicket"] = [&](QDialog& d) {
        vista = Hijo<QPlainTextEdit>(&d, "txtPreView")->toPlainText();
        mensajes.Responder(Mensajes::vbYes);
        Pulsar(&d, "cmdAnular");
        return d.result();
    };
    lista->AbrirTicketGuardado(filas->topLevelItem(0));
    EXPECT_TRUE(vista.contains("1001"));
    const QByteArray anulacion = subidos["_SVL.1"];
    ASSERT_EQ(anulacion.size(), 372);
    EXPECT_EQ(anulacion.mid(7, 16), "60349300000     ");  // the card as the list shows it, 11 characters
    EXPECT_EQ(FilasDiario(), 2);
    EXPECT_EQ(filas->topLevelItemCount(), 2);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].texto, QString::fromUtf8("¿Anular el ticket 1001?"));
}

// A failed answer keeps the form with its data, and the next try sends the same transaction number.
TEST_F(RecorridoTicketTest, FailedAnswersKeepTheFormAndTheNextTrySendsTheSameNumber) {
    gVerListaErrores = true;
    Bitmap(1, "SVL1", Mascara({2}));
    Bitmap(1, "SVL3", Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    bool cargado = false;
    frmTicketFarmacia* f = frmTicketFarmacia::Cargar(1, cargado);
    QSignalSpy completado(f, &frmTicketFarmaciaBase::Completado);
    Escribir(f, "txtTarjeta", "6034930000012345");
    DosItems(f);

    // What each end does to the journal and the number is checked where the ticket is sent; here,
    // that the form and the terminal's answers are tied together.
    escenario = "error";
    Pulsar(f, "cmdAceptar");
    EXPECT_EQ(mensajes.mostrados.size(), 1);  // the wait tells the failure
    const QByteArray primero = subidos["_SVL.1"];
    ASSERT_EQ(primero.size(), 372);

    escenario = "item-errors";  // answered, so journalled, even with rejected items
    Pulsar(f, "cmdAceptar");
    EXPECT_EQ(subidos["_SVL.1"], primero);
    ASSERT_EQ(erroresMostrados.size(), 1);
    EXPECT_GE(erroresMostrados[0], 1);
    EXPECT_EQ(FilasDiario(), 1);
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), f);
    EXPECT_EQ(Hijo<QTreeWidget>(f, "lvwItems")->topLevelItemCount(), 2);
    EXPECT_EQ(Hijo<QLineEdit>(f, "txtTarjeta")->text(), "6034930000012345");
    EXPECT_EQ(completado.count(), 0);
}

// Counts what reaches the program from a mouse.
class ContadorMouse : public QObject {
public:
    ContadorMouse() { qApp->installEventFilter(this); }
    ~ContadorMouse() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        const auto t = e->type();
        if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick ||
            t == QEvent::Wheel)
            ++eventos;
        return false;
    }
    int eventos = 0;
};

// At the counter with the keyboard alone: a medication typed by its troquel, a diagnosis typed in
// lower case, Enter on Aceptar; then the journal reached with Tab and closed with Escape. How each
// dialog's fields answer Enter is checked with the dialogs themselves.
TEST_F(RecorridoTicketTest, AConsumptionAtTheCounterWithTheKeyboardAlone) {
    gCodigoEmpresa = "01";
    gTipoActividad = "1";
    gVerTicket = gImprimirTicket = gVerListaErrores = true;
    Bitmap(1, "SVL1", Mascara({2, 3, 33}));
    Bitmap(1, "SVL3", Mascara({1, 2, 4, 6, 7, 13}, 15));
    ContadorMouse mouse;
    frmTarsa principal;
    Activar(principal);
    principal.EjecutarBoton("K11");
    frmTicketFarmaciaBase* f = frmTicketFarmaciaBase::Abierto();
    ASSERT_NE(f, nullptr);
    // A modal window gives the activation back to the main window when it closes.
    const auto volver = [&] {
        if (QApplication::activeWindow() != &principal) Activar(principal);
    };
    QList<std::function<void()>> pasos;
    const auto ejecutar = [&](QDialog& d) {
        Activar(d);
        if (!pasos.isEmpty()) pasos.takeFirst()();
        return d.result();
    };
    modales["frmItemTicketFarmacia"] = ejecutar;
    modales["frmDiagnostico"] = ejecutar;
    pasos << [&] {  // typed by its troquel, Enter moving on
        Teclear("512345");
        Tecla(Qt::Key_Return);
        ASSERT_TRUE(TabHasta("cboTipoPrescripcion"));
        Tecla(Qt::Key_Up);  // from "Indefinida" to "Genérico"
        Tecla(Qt::Key_Up);
        Tecla(Qt::Key_Return);
    };
    pasos << [&] {
        Teclear("j45.0");
        Tecla(Qt::Key_Return);
    };

    EXPECT_EQ(NombreConFoco(), "txtTarjeta");  // the form starts in its first field
    Teclear("6034930000012345");
    ASSERT_TRUE(TabHasta("cmdAddItem"));
    Tecla(Qt::Key_Return);
    volver();
    ASSERT_TRUE(TabHasta("cmdAddDiags"));
    Tecla(Qt::Key_Return);
    volver();
    EXPECT_TRUE(pasos.isEmpty());
    auto* items = Hijo<QTreeWidget>(f, "lvwItems");
    ASSERT_EQ(items->topLevelItemCount(), 1);
    EXPECT_EQ(items->topLevelItem(0)->text(5), "IBUPROFENO 400");
    EXPECT_EQ(Hijo<QTreeWidget>(f, "lvwDiagnosticos")->topLevelItem(0)->text(1), "J45.0");
    ASSERT_TRUE(TabHasta("cmdAceptar"));
    Tecla(Qt::Key_Return);
    ASSERT_TRUE(EsperarCierre());
    EXPECT_EQ(FilasDiario(), 1);

    // The journal comes up and takes the keys; Escape closes it.
    volver();
    ASSERT_NE(principal.findChild<frmInicio*>(), nullptr);
    ASSERT_TRUE(TabHasta("lvwTransacciones"));
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return principal.findChild<frmInicio*>() == nullptr; }, 2000));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_EQ(mouse.eventos, 0);
}

TEST_F(RecorridoTicketTest, TheReducedFormSendsTheAuthoriserAsTyped) {
    Bitmap(1, "SVL1", Mascara({2, 17, 18, 33}));
    Bitmap(1, "SVL3", Mascara({1, 4, 6}, 15));
    bool cargado = false;
    frmTicketFarmaciaR* f = frmTicketFarmaciaR::Cargar(1, cargado);
    Escribir(f, "txtTarjeta", "6034930000012345");
    Escribir(f, "txtTipoMatriculaAu", "B2");
    Escribir(f, "txtMatriculaAu", "4321", true);
    items << [](QDialog& d) {
        Escribir(&d, "txtTroquel", "512345", true);
        Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
    };
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAddDiags");
    Pulsar(f, "cmdAceptar");
    ASSERT_TRUE(EsperarCierre());
    EXPECT_EQ(subidos["_SVL.1"].mid(210, 16), "  000000B2004321");
    EXPECT_EQ(FilasDiario(), 1);
}

}  // namespace
