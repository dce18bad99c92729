// The road of one ticket, driven through the form's widgets against tarsa-terminal-sim: the
// request files as the terminal receives them, the wait, the answer shown, printed and journalled.
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextEdit>
#include <QTreeWidget>

#include <list>
#include <memory>

#include "TestConfig.h"
#include "journal/frmInicio.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "tickets/EntornoTickets.h"
#include "tickets/frmTicketFarmacia.h"
#include "tickets/frmTicketFarmaciaR.h"
#include "ui/frmTarsa.h"

namespace {

// A record typed by hand from its layout: blanks, then each field at its offset.
struct Registro {
    explicit Registro(int largo) : bytes(largo, ' ') { bytes.replace(largo - 2, 2, "\r\n"); }
    Registro& Poner(int offset, const QByteArray& valor) {
        bytes.replace(offset, valor.size(), valor);
        return *this;
    }
    QByteArray bytes;
};

// The V250 pharmacy header of an operation with every field the form sends empty.
Registro EncabezadoVacio(const QByteArray& operacion, const QByteArray& nTransaccion) {
    Registro r(372);
    r.Poner(0, "FF000").Poner(5, operacion).Poner(107, "0").Poner(108, "00000000000").Poner(177, "0000");
    r.Poner(182, "00000000").Poner(212, "000000").Poner(220, "000000").Poner(244, "00000");
    r.Poner(285, "00000000000").Poner(296, "0000").Poner(340, nTransaccion);
    return r;
}

QByteArray Relleno(const QByteArray& texto, int ancho) { return texto + QByteArray(ancho - texto.size(), ' '); }

class RecorridoTicketTest : public EntornoTickets {
protected:
    void SetUp() override {
        EntornoTickets::SetUp();
        ASSERT_TRUE(QFile::exists(TARSA_SIM_EXE)) << TARSA_SIM_EXE;
        Sql("INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, "
            "CodProveedor, Baja) VALUES (1, 512345, '7795312000123', 'IBUPROFENO 400', 'X 20 COMP', 1520.5, 1, 0, 0)");
        Sql("INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre, Baja) VALUES (1, 12345, 'B1', "
            "'PEREZ JUAN', 0)");
        Sql("INSERT INTO Diagnosticos (IdEmpresa, Codigo, Nombre, Baja) VALUES (1, 'J45.0', 'ASMA', 0)");
        frmTicketFarmaciaBase::MostrarTransacciones = [this] { ++listasAbiertas; };
        // The terminal starts only once the request is complete, so that its files can be read
        // before the terminal takes them away.
        modales["frmProcesando"] = [this](QDialog& espera) {
            const QString d = DirectorioIntercambio();
            subidos.clear();
            for (const char* nombre : {"_SVL.0", "_SVL.1", "_SVL.3", "_SVL.4"})
                subidos[nombre] = LeerArchivo(Rutas::Unir(d, QString("UpLoad/") + nombre));
            auto& sim = *simuladores.emplace_back(std::make_unique<QProcess>());
            sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            sim.start(TARSA_SIM_EXE, QStringList{"--dir", dirTrabajo, "--max-requests", "1", "--scenario", escenario,
                                                 "--first-ticket", QString::number(primerTicket)});
            EXPECT_TRUE(sim.waitForStarted(5000));
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
            Escribir(&d, "txtDiagnostico", "J45.0");
            Salir(Hijo<QLineEdit>(&d, "txtDiagnostico"));
            EXPECT_EQ(Hijo<QLabel>(&d, "lblNombreDiagnostico")->text(), "ASMA");
            Pulsar(&d, "cmdAceptar");
            return d.result();
        };
        modales["frmItemTicketFarmacia"] = [this](QDialog& d) {
            if (items.isEmpty()) {
                ADD_FAILURE() << "item dialog opened with nothing to type";
                return 0;
            }
            items.takeFirst()(d);
            Pulsar(&d, "cmdAceptar");
            return d.result();
        };
    }
    void TearDown() override {
        for (auto& sim : simuladores) {
            if (sim->state() == QProcess::NotRunning) continue;
            sim->terminate();
            if (!sim->waitForFinished(3000)) sim->kill();
        }
        EntornoTickets::TearDown();
    }

    // The first item is found in the catalog by its troquel; the second is typed whole.
    void DosItems() {
        items << [](QDialog& d) {
            Escribir(&d, "txtTroquel", "512345");
            Salir(Hijo<QLineEdit>(&d, "txtTroquel"));
            EXPECT_EQ(Hijo<QLabel>(&d, "lblNombreMedicamento")->text(), "IBUPROFENO 400");
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
    }
    QByteArray NTransaccion() const { return QString("%1").arg(gNTransaccionFarmacia.toInt(), 8, 10, QChar('0')).toLatin1(); }
    bool EsperarCierre() {
        return QTest::qWaitFor([] { return frmTicketFarmaciaBase::Abierto() == nullptr; }, 5000);
    }
    int FilasDiario() {
        auto rs = gDB->Consultar("SELECT COUNT(*) AS N FROM Transaccion");
        return rs->Campo("N").toInt();
    }

    std::list<std::unique_ptr<QProcess>> simuladores;
    QString escenario = "ok";
    int primerTicket = 1001;
    QHash<QString, QByteArray> subidos;
    QList<std::function<void(QDialog&)>> items;
    QStringList ticketsMostrados;
    QList<int> erroresMostrados;
    int listasAbiertas = 0;
};

TEST_F(RecorridoTicketTest, AConsumptionFromTheFormToTheJournal) {
    gVerTicket = gImprimirTicket = gVerListaErrores = true;
    Bitmap(1, "SVL1", Mascara({2, 3, 4, 6, 7, 8, 10, 11, 15, 16, 22, 33}));
    Bitmap(1, "SVL3", Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    bool cargado = false;
    frmTicketFarmacia* f = frmTicketFarmacia::Cargar(1, cargado);
    ASSERT_TRUE(cargado);

    Escribir(f, "txtTarjeta", "6034930000012345");
    Elegir(f, "cboTipoLectura", "Manual");
    Escribir(f, "txtFarmacia", "4512");
    Escribir(f, "txtTipoReceta", "1");
    Escribir(f, "txtReceta", "778123");
    Escribir(f, "txtFechaReceta", "05122024");
    Salir(Hijo<QLineEdit>(f, "txtFechaReceta"));
    Escribir(f, "txtFechaVenta", "06122024");
    Salir(Hijo<QLineEdit>(f, "txtFechaVenta"));
    Escribir(f, "txtHoraVenta", "14:35");
    Elegir(f, "cboProvinciaR", "B.");
    Elegir(f, "cboTipoMatriculaR", "1.");
    Escribir(f, "txtMatriculaRe", "12345");
    Salir(Hijo<QLineEdit>(f, "txtMatriculaRe"));
    EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoRe")->text(), "PEREZ JUAN");
    Escribir(f, "txtDescuentoPrestador", "10");
    Salir(Hijo<QLineEdit>(f, "txtDescuentoPrestador"));
    DosItems();
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAddDiags");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotal")->text(), "3940");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotalGeneral")->text(), "3546");

    Pulsar(f, "cmdAceptar");
    ASSERT_TRUE(EsperarCierre());

    EXPECT_EQ(subidos["_SVL.0"], "V2500101LIC00001");
    Registro svl1 = EncabezadoVacio("01", NTransaccion());
    svl1.Poner(7, "6034930000012345").Poner(107, "2").Poner(108, "00000004512").Poner(131, "1").Poner(133, "778123");
    svl1.Poner(153, "20241205").Poner(169, "20241206").Poner(177, "1435").Poner(210, "B1").Poner(212, "012345");
    svl1.Poner(244, "01000");
    EXPECT_EQ(subidos["_SVL.1"], svl1.bytes);
    const auto item = [](const QByteArray& troquel, const QByteArray& barra, const QByteArray& cantidad,
                         const QByteArray& precio, const QByteArray& diagnostico, const QByteArray& cobertura,
                         const QByteArray& porcentaje, const QByteArray& plan, const QByteArray& prescripcion) {
        Registro r(246);
        r.Poner(0, "FF000").Poner(5, troquel).Poner(12, barra).Poner(25, "0000000").Poner(32, cantidad).Poner(34, "0");
        r.Poner(35, precio).Poner(46, diagnostico).Poner(56, cobertura).Poner(69, porcentaje).Poner(74, "00000000000");
        r.Poner(85, plan).Poner(170, "0000").Poner(214, prescripcion);
        return r.bytes;
    };
    EXPECT_EQ(subidos["_SVL.3"], item("0512345", "7795312000123", "02", "00000152050", "I10", "1", "04000", "PMO", "10") +
                                     item("2233445", "0779531200045", "01", "00000089900", "", "5", "00000", "", "30"));
    EXPECT_EQ(subidos["_SVL.4"], Registro(56).Poner(0, "J45.0").Poner(10, "0000").bytes);

    // The answer: shown, printed once, journalled with its ticket text saved under its number.
    ASSERT_EQ(impresora.impresos.size(), 1);
    const QString ticket = impresora.impresos[0];
    EXPECT_TRUE(ticket.contains("1001")) << ticket.toStdString();
    ASSERT_EQ(ticketsMostrados.size(), 1);
    EXPECT_EQ(ticketsMostrados[0].simplified(), ticket.simplified());
    EXPECT_TRUE(erroresMostrados.isEmpty());
    auto rs = gDB->Consultar("SELECT Operacion, Tarjeta, Ticket, CodigoEmpresa FROM Transaccion");
    ASSERT_FALSE(rs->EOF_());
    EXPECT_EQ(rs->Campo("Operacion").toString(), "01");
    EXPECT_EQ(rs->Campo("Tarjeta").toString(), "6034930000012345");
    EXPECT_EQ(rs->Campo("Ticket").toInt(), 1001);
    EXPECT_EQ(rs->Campo("CodigoEmpresa").toInt(), 5);
    EXPECT_EQ(LeerArchivo(Rutas::Unir(dirAplicacion, "Tickets/1001.prn")), Ansi::Codificar(ticket));
    EXPECT_TRUE(gNuevaTransaccion);
    EXPECT_EQ(listasAbiertas, 1);
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

TEST_F(RecorridoTicketTest, AnErrorStatusKeepsTheFormAndTheNextTrySendsTheSameNumber) {
    Bitmap(2, "SVL1", Mascara({2, 5}));
    Bitmap(2, "SVL3", Mascara({1, 4, 6}, 15));
    bool cargado = false;
    frmTicketFarmacia* f = frmTicketFarmacia::Cargar(2, cargado);
    Escribir(f, "txtTarjeta", "6034930000012345");
    Escribir(f, "txtTicketPadre", "1001");
    items << [](QDialog& d) {
        Escribir(&d, "txtTroquel", "512345");
        Elegir(&d, "cboTipoPrescripcion", "Comercial");
    };
    Pulsar(f, "cmdAddItem");

    escenario = "error";
    Pulsar(f, "cmdAceptar");
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].texto,
              QString::fromUtf8("Error en el proceso:\r\n1 Error de comunicación con el autorizador"));
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Proceso");
    EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbInformation);
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), f);
    EXPECT_FALSE(gNuevaTransaccion);
    EXPECT_EQ(Hijo<QTreeWidget>(f, "lvwItems")->topLevelItemCount(), 1);
    EXPECT_EQ(FilasDiario(), 0);
    const QByteArray primero = subidos["_SVL.1"];
    ASSERT_EQ(primero.size(), 372);
    EXPECT_EQ(primero.mid(5, 2), "02");  // a cancellation
    EXPECT_EQ(primero.mid(119, 12), "1001        ");

    escenario = "ok";
    Pulsar(f, "cmdAceptar");
    ASSERT_TRUE(EsperarCierre());
    EXPECT_EQ(subidos["_SVL.1"].mid(340, 8), primero.mid(340, 8));
    EXPECT_EQ(subidos["_SVL.1"], primero);
    EXPECT_EQ(FilasDiario(), 1);
    EXPECT_TRUE(gNuevaTransaccion);
}

TEST_F(RecorridoTicketTest, ItemErrorsAreListedAndTheFormStaysWithItsData) {
    gVerListaErrores = true;
    Bitmap(1, "SVL1", Mascara({2}));
    Bitmap(1, "SVL3", Mascara({1, 2, 4, 6, 7, 8, 12, 15}, 15));
    bool cargado = false;
    frmTicketFarmacia* f = frmTicketFarmacia::Cargar(1, cargado);
    Escribir(f, "txtTarjeta", "6034930000012345");
    DosItems();
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAddItem");

    escenario = "item-errors";
    Pulsar(f, "cmdAceptar");
    ASSERT_EQ(erroresMostrados.size(), 1);
    EXPECT_GE(erroresMostrados[0], 1);
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), f);
    EXPECT_EQ(Hijo<QTreeWidget>(f, "lvwItems")->topLevelItemCount(), 2);
    EXPECT_EQ(Hijo<QLineEdit>(f, "txtTarjeta")->text(), "6034930000012345");
    EXPECT_EQ(FilasDiario(), 1);  // answered, so journalled, even with rejected items
    EXPECT_TRUE(gColErrores.isEmpty());
    EXPECT_EQ(listasAbiertas, 0);

    escenario = "ok";
    primerTicket = 2001;
    Pulsar(f, "cmdAceptar");
    ASSERT_TRUE(EsperarCierre());
    EXPECT_EQ(erroresMostrados.size(), 1);
    EXPECT_EQ(FilasDiario(), 2);
    EXPECT_EQ(listasAbiertas, 1);
}

TEST_F(RecorridoTicketTest, TheReducedFormSendsTheAuthoriserAsTyped) {
    Bitmap(1, "SVL1", Mascara({2, 17, 18, 33}));
    Bitmap(1, "SVL3", Mascara({1, 4, 6}, 15));
    bool cargado = false;
    frmTicketFarmaciaR* f = frmTicketFarmaciaR::Cargar(1, cargado);
    EXPECT_EQ(f->windowTitle(), "CONSUMO");
    Escribir(f, "txtTarjeta", "6034930000012345");
    Escribir(f, "txtTipoMatriculaAu", "B2");
    Escribir(f, "txtMatriculaAu", "4321");
    Salir(Hijo<QLineEdit>(f, "txtMatriculaAu"));
    EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoAu")->text(), "");
    items << [](QDialog& d) {
        Escribir(&d, "txtTroquel", "512345");
        Salir(Hijo<QLineEdit>(&d, "txtTroquel"));
        Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
    };
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAddDiags");

    Pulsar(f, "cmdAceptar");
    ASSERT_TRUE(EsperarCierre());
    Registro svl1 = EncabezadoVacio("01", NTransaccion());
    svl1.Poner(7, "6034930000012345").Poner(218, "B2").Poner(220, "004321");
    EXPECT_EQ(subidos["_SVL.1"], svl1.bytes);
    EXPECT_EQ(subidos["_SVL.3"].size(), 246);
    EXPECT_EQ(subidos["_SVL.4"].left(10), Relleno("J45.0", 10));
    EXPECT_EQ(FilasDiario(), 1);
    EXPECT_EQ(LeerArchivo(Rutas::Unir(dirAplicacion, "Tickets/1001.prn")).isEmpty(), false);
}

TEST_F(RecorridoTicketTest, FromTheConsumoButtonToTheCancellationInTheList) {
    // The journal list shows the rows of company gEmpresa by their network code.
    gCodigoEmpresa = "01";
    gTipoActividad = "1";
    Bitmap(1, "SVL1", Mascara({2}));
    Bitmap(1, "SVL3", Mascara({1, 4, 6}, 15));
    frmTarsa principal;
    principal.show();
    principal.EjecutarBoton("K11");
    frmTicketFarmaciaBase* f = frmTicketFarmaciaBase::Abierto();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), "CONSUMO");
    EXPECT_EQ(f->CodigoOperacion(), 1);
    for (const char* selector : {"cboEmpresas", "cboActividades", "cboPrestadores"})
        EXPECT_FALSE(Hijo<QComboBox>(&principal, selector)->isEnabled()) << selector;

    Escribir(f, "txtTarjeta", "6034930000012345");
    items << [](QDialog& d) {
        Escribir(&d, "txtTroquel", "512345");
        Salir(Hijo<QLineEdit>(&d, "txtTroquel"));
        Elegir(&d, "cboTipoPrescripcion", "Comercial");
    };
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAceptar");
    ASSERT_TRUE(EsperarCierre());
    for (const char* selector : {"cboEmpresas", "cboActividades", "cboPrestadores"})
        EXPECT_TRUE(Hijo<QComboBox>(&principal, selector)->isEnabled()) << selector;
    for (QMdiSubWindow* hija : principal.Area()->subWindowList())  // no empty frame is left behind
        EXPECT_FALSE(hija->isVisible() && !qobject_cast<frmInicio*>(hija->widget()));

    // The list came up with the journalled ticket; its saved text opens in the ticket view,
    // whose "Anular" sends the cancellation through the same terminal.
    auto* lista = principal.findChild<frmInicio*>();
    ASSERT_NE(lista, nullptr);
    auto* filas = Hijo<QTreeWidget>(lista, "lvwTransacciones");
    ASSERT_EQ(filas->topLevelItemCount(), 1);
    primerTicket = 1002;
    QString vista;
    modales["frmTicket"] = [&](QDialog& d) {
        vista = d.findChild<QPlainTextEdit*>("txtPreView")->toPlainText();
        Pulsar(&d, "cmdAnular");
        return d.result();
    };
    lista->AbrirTicketGuardado(filas->topLevelItem(0));
    EXPECT_TRUE(vista.contains("1001"));
    const QByteArray anulacion = subidos["_SVL.1"];
    ASSERT_EQ(anulacion.size(), 372);
    EXPECT_EQ(anulacion.mid(5, 2), "02");
    EXPECT_EQ(anulacion.mid(7, 16), "60349300000     ");  // the card as the list shows it, 11 characters
    EXPECT_EQ(anulacion.mid(119, 12), "1001        ");
    EXPECT_EQ(FilasDiario(), 2);
    EXPECT_EQ(filas->topLevelItemCount(), 2);
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

}  // namespace
