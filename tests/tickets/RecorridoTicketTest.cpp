// The road of a ticket through the form's widgets against tarsa-terminal-sim: the request files as
// the terminal receives them, the wait, the answer shown, printed, journalled and listed.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTreeWidget>
#include <iostream>
#include <list>

#include "app/frmTarsa.h"
#include "journal/frmInicio.h"
#include "platform/Ansi.h"
#include "support/Simulador.h"
#include "tickets/EntornoTickets.h"

namespace {

class RecorridoTicketTest : public EntornoTickets {
protected:
    void SetUp() override {
        EntornoTickets::SetUp();
        Catalogo();
        // The terminal starts once the request is complete, so its files are read before it takes them.
        modales["frmProcesando"] = [this](QDialog& espera) {
            for (const char* nombre : {"_SVL.0", "_SVL.1", "_SVL.3", "_SVL.4"}) subidos[nombre] = Subido(nombre);
            simuladores.emplace_back().Iniciar(
                dirTrabajo, escenario, {"--max-requests", "1", "--first-ticket", QString::number(primerTicket++)});
            return espera.exec();
        };
        modales["frmMuestraTicket"] = [this](QDialog& d) {
            ticketsMostrados << Hijo<QPlainTextEdit>(&d, "rtextTicket")->toPlainText();
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
        // Enter on the dialog's last field accepts the item.
        modales["frmItemTicketFarmacia"] = [this](QDialog& d) {
            if (!items.isEmpty()) Rellenar(&d, items.takeFirst());
            d.show();
            QTest::keyClick(Hijo<QWidget>(&d, "cboTipoPrescripcion"), Qt::Key_Return);
            return d.result();
        };
    }

    // The first item is found in the catalog by its troquel; the second is typed whole.
    void DosItems(const std::function<void()>& agregar) {
        items << QString::fromUtf8(
                     "txtTroquel=512345 txtCantidad=2 txtDiagnostico=I10 txtPlanCobertura=PMO "
                     "txtPorcentajeCobertura=40 cboTipoPrescripcion=Genérico")
              << QString::fromUtf8(
                     "txtTroquel=2233445 txtCodigoBarra=779531200045 txtPrecio=899 "
                     "cboTipoCobertura=Crónico cboTipoPrescripcion=Comercial");
        mensajes.Responder(Mensajes::vbYes);  // the second is not in the catalog: added all the same
        agregar();
        agregar();
        EXPECT_EQ(mensajes.mostrados.size(), 1);
        EXPECT_TRUE(items.isEmpty());
        mensajes.mostrados.clear();
    }
    static bool EsperarCierre() {
        return QTest::qWaitFor([] { return frmTicketFarmaciaBase::Abierto() == nullptr; }, 5000);
    }

    // A consumption as the counter does it, with keys only, from the main window to the answer closed:
    // the card typed, the prescription number, the prescriber's licence, each item scanned (one action:
    // the scanner types the digits and its Enter). Counts what the person presses, and checks that what
    // the terminal receives is what was given. Returns the keys it took.
    int Consumo(frmTarsa& principal, int cuantos) {
        gTeclas = 0;
        // The last item is taken with F12, which sends the ticket too.
        int faltan = cuantos;
        modales["frmItemTicketFarmacia"] = [&faltan](QDialog& d) {
            Activar(d);
            Escanear("7795312000123");
            EXPECT_EQ(NombreConFoco(), "cboTipoPrescripcion");  // past the quantity's 1 and the catalog's price
            Teclear("g");
            EXPECT_EQ(Hijo<QLabel>(frmTicketFarmaciaBase::Abierto(), "lblNombreMedicoRe")->text(), "GOMEZ ANA");
            Tecla(--faltan == 0 ? Qt::Key_F12 : Qt::Key_Return);
            return d.result();
        };
        modales["frmMuestraTicket"] = [](QDialog& d) {
            Activar(d);
            Tecla(Qt::Key_Return);
            return d.result();
        };
        const auto volver = [&] {
            if (QApplication::activeWindow() != &principal) Activar(principal);
        };
        Tecla(Qt::Key_F2);
        EXPECT_EQ(NombreConFoco(), "txtTarjeta");
        Teclear("6034930000012345");
        Tecla(Qt::Key_Return);
        Teclear("778123");
        Tecla(Qt::Key_Return);  // past today's date and the remembered licence type and province
        EXPECT_EQ(NombreConFoco(), "txtMatriculaRe");
        Teclear("12345");
        Tecla(Qt::Key_Return);  // the first item's dialog
        for (int i = 1; i < cuantos; ++i) {
            volver();
            EXPECT_EQ(NombreConFoco(), "lvwItems");
            Tecla(Qt::Key_Return);
        }
        EXPECT_TRUE(EsperarCierre());
        volver();
        for (const char* dato : {"6034930000012345", "778123", "0000012345"})
            EXPECT_TRUE(subidos["_SVL.1"].contains(dato)) << dato;
        const QList<QByteArray> registros = subidos["_SVL.3"].split('\n');
        EXPECT_EQ(registros.size(), cuantos + 1);
        for (int i = 0; i < cuantos; ++i) {  // the medication scanned, its quantity, Genérico
            EXPECT_TRUE(registros[i].contains("05123457795312000123")) << registros[i].toStdString();
            EXPECT_EQ(registros[i].mid(32, 2), "01");
            EXPECT_EQ(registros[i].mid(214, 1), "1") << registros[i].toStdString();
        }
        return gTeclas;
    }

    std::list<Simulador> simuladores;
    QString escenario = "ok";
    int primerTicket = 1001;
    QHash<QString, QByteArray> subidos;
    QStringList items;  // what each item dialog is filled with
    QStringList ticketsMostrados;
    QList<int> erroresMostrados;
};

// From the main window's button to the journal, the buttons pressed with Enter: the request against the
// hand-written records, the answer shown, printed once, journalled with its text, listed in the journal.
TEST_F(RecorridoTicketTest, FromTheConsumoButtonToTheJournal) {
    Sesion({.codigoEmpresa = "01", .tipoActividad = "1"});  // the journal lists company gEmpresa's rows by this code
    gVerTicket = gImprimirTicket = gVerListaErrores = true;
    Bitmaps(Mascara({2, 3, 4, 6, 7, 8, 10, 11, 15, 16, 22, 33}), Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    frmTarsa principal;
    Activar(principal);
    principal.EjecutarBoton("K11");
    frmTicketFarmaciaBase* f = frmTicketFarmaciaBase::Abierto();
    ASSERT_NE(qobject_cast<frmTicketFarmacia*>(f), nullptr);
    EXPECT_EQ(f->windowTitle(), "CONSUMO");
    const auto selectores = [&](bool habilitados) {
        for (const char* s : {"cboEmpresas", "cboActividades", "cboPrestadores"})
            EXPECT_EQ(Hijo<QComboBox>(&principal, s)->isEnabled(), habilitados) << s;
    };
    selectores(false);
    // A modal window gives the activation back to the main window when it closes.
    const auto volver = [&] {
        if (QApplication::activeWindow() != &principal) Activar(principal);
    };
    const auto pulsar = [&](const char* boton) {
        ASSERT_TRUE(TabHasta(boton));
        Tecla(Qt::Key_Return);
        volver();
    };

    EXPECT_EQ(NombreConFoco(), "txtTarjeta");
    Rellenar(f,
             "txtTarjeta=6034930000012345 cboTipoLectura=Manual txtFarmacia=4512 txtTipoReceta=1 txtReceta=778123 "
             "txtFechaReceta=05122024 txtFechaVenta=06122024 txtHoraVenta=14:35 cboProvinciaR=B. cboTipoMatriculaR=1. "
             "txtMatriculaRe=12345 txtDescuentoPrestador=10");
    EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoRe")->text(), "PEREZ JUAN");
    DosItems([&] { pulsar("cmdAddItem"); });
    pulsar("cmdAddDiags");
    // The lists show what the dialogs found in the catalogs.
    EXPECT_EQ(Hijo<QTreeWidget>(f, "lvwItems")->topLevelItem(0)->text(5), "IBUPROFENO 400");
    const QTreeWidgetItem* diagnostico = Hijo<QTreeWidget>(f, "lvwDiagnosticos")->topLevelItem(0);
    EXPECT_EQ(diagnostico->text(1) + " " + diagnostico->text(2), "J45.0 ASMA");
    EXPECT_EQ(Textos(f, "lblTotal lblTotalGeneral"), "3,940.00|3,546.00");
    pulsar("cmdAceptar");
    ASSERT_TRUE(EsperarCierre());

    // The transaction number at 340 is random.
    EXPECT_EQ(subidos["_SVL.0"], "V2500101LIC00001");
    const QByteArray numero = QString("%1").arg(gNTransaccionFarmacia.toInt(), 8, 10, QChar('0')).toLatin1();
    EXPECT_EQ(subidos["_SVL.1"], Dato("recorrido_svl1.bin").replace(340, 8, numero));
    EXPECT_EQ(subidos["_SVL.3"], Dato("recorrido_svl3.bin"));
    EXPECT_EQ(subidos["_SVL.4"], Dato("recorrido_svl4.bin"));

    ASSERT_EQ(impresora.impresos.size(), 1);
    const QString ticket = impresora.impresos[0];
    EXPECT_TRUE(ticket.contains("1001")) << ticket.toStdString();
    EXPECT_EQ(ticketsMostrados.value(0).simplified(), ticket.simplified());
    EXPECT_TRUE(erroresMostrados.isEmpty());
    EXPECT_EQ(Filas("SELECT Operacion, Tarjeta, CAST(Ticket AS INTEGER), CodigoEmpresa FROM Transaccion"),
              "01|6034930000012345|1001|1");
    EXPECT_EQ(LeerArchivo(Rutas::Unir(dirAplicacion, "Tickets/1001.prn")), Ansi::Codificar(ticket));
    EXPECT_TRUE(gNuevaTransaccion);
    selectores(true);
    for (QMdiSubWindow* hija : principal.Area()->subWindowList())  // no empty frame is left behind
        EXPECT_FALSE(hija->isVisible() && !qobject_cast<frmInicio*>(hija->widget()));

    // The journal comes up listing the ticket and takes the keys; Escape closes it.
    volver();
    auto* lista = principal.findChild<frmInicio*>();
    ASSERT_NE(lista, nullptr);
    EXPECT_EQ(Hijo<QTreeWidget>(lista, "lvwTransacciones")->topLevelItemCount(), 1);
    ASSERT_TRUE(TabHasta("lvwTransacciones"));
    Tecla(Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return principal.findChild<frmInicio*>() == nullptr; }, 2000));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

// An answer with rejected items is shown and journalled, and keeps the form with its data for another
// try: the form and the terminal's answer tied together (each end of a request is checked where sent).
TEST_F(RecorridoTicketTest, AnAnswerWithItemErrorsKeepsTheFormAndItsData) {
    gVerListaErrores = true;
    Bitmaps(Mascara({2}), Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    frmTicketFarmaciaBase* f = AbrirForma(1);
    QSignalSpy completado(f, &frmTicketFarmaciaBase::Completado);
    Escribir(f, "txtTarjeta", "6034930000012345");
    DosItems([&] { Pulsar(f, "cmdAddItem"); });
    escenario = "item-errors";
    Pulsar(f, "cmdAceptar");
    ASSERT_EQ(erroresMostrados.size(), 1);
    EXPECT_GE(erroresMostrados[0], 1);
    EXPECT_EQ(Contar("Transaccion"), 1);
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), f);
    EXPECT_EQ(Hijo<QTreeWidget>(f, "lvwItems")->topLevelItemCount(), 2);
    EXPECT_EQ(Hijo<QLineEdit>(f, "txtTarjeta")->text(), "6034930000012345");
    EXPECT_EQ(completado.count(), 0);
}

TEST_F(RecorridoTicketTest, AConsumptionWithTheScannerTakesFewKeys) {
    Sesion({.codigoEmpresa = "01", .tipoActividad = "1"});
    gVerTicket = true;
    Bitmaps(Mascara({2, 7, 8, 15, 16}), Mascara({1, 2, 4, 6}, 15));
    // A doctor of the provincial registry, the one the form offers first.
    Sql("INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre, Baja) VALUES (1, 12345, '01', "
        "'GOMEZ ANA', 0)");
    frmTarsa principal;
    Activar(principal);
    // What the data itself takes in any program: the card, the prescription, the licence, and one scan
    // per item. The rest is finding one's way through the windows.
    const auto datos = [](int items) { return 16 + 6 + 5 + items; };
    const int uno = Consumo(principal, 1);
    const int dos = Consumo(principal, 2);
    std::cout << "[ teclas   ] un item: " << uno << " (" << uno - datos(1) << " fuera de los datos), dos items: " << dos
              << " (" << dos - datos(2) << ")" << std::endl;
    RecordProperty("teclas_un_item", uno);
    RecordProperty("teclas_dos_items", dos);
    // F2, Enter after the card and the prescription, Enter after the licence opens the item, "g"
    // chooses Genérico and F12 takes the item and sends the ticket, Enter closes the answer; per
    // further item, Enter in the list, "g" and Enter.
    EXPECT_LE(uno - datos(1), 7);
    EXPECT_LE(dos - datos(2), 10);
}

// "Aceptar" again while the answer is awaited (a second F12, or the item dialog's F12 queued behind
// it) sends nothing more: the request files the terminal is reading stay as they are.
TEST_F(RecorridoTicketTest, ASecondAceptarWhileTheAnswerIsAwaitedSendsNothingMore) {
    Bitmaps(Mascara({2}), Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    frmTicketFarmaciaBase* f = AbrirForma(1);
    Escribir(f, "txtTarjeta", "6034930000012345");
    DosItems([&] { Pulsar(f, "cmdAddItem"); });
    int esperas = 0;
    const auto esperar = modales["frmProcesando"];
    modales["frmProcesando"] = [&](QDialog& espera) {
        if (++esperas > 1) return 0;  // a second wait is given up at once
        Pulsar(f, "cmdAceptar");
        return esperar(espera);
    };
    Pulsar(f, "cmdAceptar");
    EXPECT_EQ(esperas, 1);
    EXPECT_TRUE(EsperarCierre());
}

// F12 on an item whose prescription type is still to choose only asks for it: nothing is sent, nor
// when the item is then accepted with its button. F12 on the item reopened to change it sends.
TEST_F(RecorridoTicketTest, F12OnAnItemSendsOnlyOnceTheItemIsAccepted) {
    Bitmaps(Mascara({2}), Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    frmTicketFarmaciaBase* f = AbrirForma(1);
    Escribir(f, "txtTarjeta", "6034930000012345");
    modales["frmItemTicketFarmacia"] = [](QDialog& d) {
        Activar(d);
        Escanear("7795312000123");
        Tecla(Qt::Key_F12);
        Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
        Pulsar(&d, "cmdAceptar");
        return d.result();
    };
    Pulsar(f, "cmdAddItem");
    QTest::qWait(50);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].texto, QString::fromUtf8("Debe seleccionar el tipo de prescripción"));
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), f);
    EXPECT_EQ(Hijo<QTreeWidget>(f, "lvwItems")->topLevelItemCount(), 1);
    EXPECT_TRUE(simuladores.empty());
    modales["frmItemTicketFarmacia"] = [](QDialog& d) {
        Activar(d);
        Tecla(Qt::Key_F12);
        return d.result();
    };
    Pulsar(f, "cmdChangeItem");
    EXPECT_TRUE(EsperarCierre());
    EXPECT_EQ(simuladores.size(), 1);
}

}  // namespace
