// The journal window: the list, saved tickets, reprint and cancellation against the terminal simulator.
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/Pedido.h"
#include "exchange/clsArchivoIntercambios.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "journal/frmInicio.h"
#include "journal/frmTicket.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Rutas.h"
#include "platform/ui/Modal.h"
#include "support/Controles.h"
#include "support/Simulador.h"

namespace {

// A V250 pharmacy answer header with the fields the journal reads.
QString Respuesta(const QString& operacion, const QString& tarjeta, qint64 ticket, const QString& fecha,
                  const QString& hora, int error = 0, const QString& comentario = "APROBADA") {
    QString r = QString("FF000%1%2").arg(operacion, tarjeta).leftJustified(372);
    r.replace(107, 1, "1").replace(119, 12, QString(12, '0')).replace(267, 12, fecha + hora);
    r.replace(249, 12, QString::number(ticket).rightJustified(12, '0'));
    r.replace(296, 4, QString::number(error).rightJustified(4, '0')).replace(300, comentario.size(), comentario);
    return r + "\r\n";
}

class frmInicioTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        gDB->Ejecutar("INSERT INTO Empresas (IdEmpresa, Nombre, CodigoQuelo) VALUES (1, \"OSDE\", \"01\")");
        Terminal();
        Sesion({.empresa = "1", .actividad = "2", .terminal = "20345678", .codigoEmpresa = "01"});
        gVersion = "V250";
    }
    void TearDown() override {
        sim.Detener();
        ConBase::TearDown();
    }
    static void Guardar(const QString& respuesta, const QString& texto = "T\r\n", const QString& empresa = "01") {
        GuardarTransaccionLocal(respuesta, texto, empresa, false);
    }
    static QTreeWidget* Lista(frmInicio& f) { return f.findChild<QTreeWidget*>("lvwTransacciones"); }
    static int Listadas() { return Lista(*std::make_unique<frmInicio>())->topLevelItemCount(); }
    // The list's rows, top first, with these columns joined by "|".
    static QStringList Renglones(frmInicio& f, const QList<int>& columnas = {0, 1, 2, 3, 4, 5, 6}) {
        QStringList r;
        for (int i = 0; i < Lista(f)->topLevelItemCount(); ++i) {
            QStringList campos;
            for (int c : columnas) campos << Lista(f)->topLevelItem(i)->text(c);
            r << campos.join('|');
        }
        return r;
    }
    // The terminal starts once the request is complete, so the test sees the request files first.
    void ConSimulador(const QStringList& opciones = {}) {
        modales.alEsperar = [this, opciones] {
            pedido = LeerArchivo(DirectorioIntercambio() + "/upload/_SVL.1");
            sim.Iniciar(dirTrabajo, "ok", opciones);
        };
        modales.Instalar();
    }
    Simulador sim;
    Modales modales;
    QByteArray pedido;  // the header record as the terminal received it
};

class frmInicioPrueba : public frmInicio {
public:
    using frmInicio::frmInicio;
    void MostrarTicket(const QString& texto, const QString& ticket, const QString& tarjeta, const QString&) override {
        abiertos << ticket + "|" + tarjeta + "|" + texto;
    }
    QStringList abiertos;
};

}  // namespace

TEST_F(frmInicioTest, RowsShowNamesDatesCardsAndSort) {
    EXPECT_EQ(Listadas(), 0);
    EXPECT_EQ(mensajes.Unico().texto, "No hay transacciones guardadas");  // an empty journal says so
    Guardar(Respuesta("01", "60349300000123456789", 1001, "20240305", "0930"));
    Guardar(Respuesta("02", "6034", 1002, "20240306", "1815", 12, "TARJETA VENCIDA"), "T2\r\n", "07");
    EXPECT_EQ(Listadas(), 1);  // the current company's only
    gEmpresa = "9";
    EXPECT_EQ(Listadas(), 0);
    gEmpresa = "0";
    frmInicio f;
    // The newest first, and chosen; a company code that matches no company leaves its name empty.
    EXPECT_EQ(Renglones(f), (QStringList{QString::fromUtf8("12|Anulación de ticket|06/03/2024 18:15||1002|6034|"
                                                           "TARJETA VENCIDA"),
                                         "0|Alta de ticket|05/03/2024 09:30|OSDE|1001|60349300000|APROBADA"}));
    QTreeWidget* l = Lista(f);
    EXPECT_EQ(l->currentItem(), l->topLevelItem(0));
    for (const char* primero : {"1001", "1002", "1001"}) {  // each click on the header turns the order round
        emit l->header()->sectionClicked(4);
        EXPECT_EQ(l->topLevelItem(0)->text(4), primero);
    }
}

// A ticket that a cancellation answered without error names is marked; one whose cancellation the
// terminal refused is not. The newest rows come first, whatever order they were journalled in.
TEST_F(frmInicioTest, CancelledTicketsAreMarkedAndTheNewestComesFirst) {
    auto anulacion = [](qint64 ticket, qint64 padre, const QString& hora, int error) {
        QString r = Respuesta("02", "6034", ticket, "20261206", hora, error);
        return r.replace(119, 12, QString("%1").arg(padre, 12, 10, QChar('0')));
    };
    Guardar(Respuesta("01", "6034", 1003, "20261206", "1000"));
    Guardar(Respuesta("01", "6034", 1005, "20261206", "1100"));
    Guardar(anulacion(1006, 1005, "1101", 12));
    Guardar(anulacion(1004, 1003, "1005", 0));
    Guardar(Respuesta("01", "6034", 999, "20261205", "2300"));
    frmInicio f;
    EXPECT_EQ(Renglones(f, {frmInicio::ColTicket, frmInicio::ColOperacion}),
              (QStringList{QString::fromUtf8("1006|Anulación de ticket"), "1005|Alta de ticket",
                           QString::fromUtf8("1004|Anulación de ticket"), "1003|Alta de ticket (anulado)",
                           "999|Alta de ticket"}));
    EXPECT_EQ(Lista(f)->topLevelItem(3)->toolTip(frmInicio::ColFecha), "Anulado por el ticket 1004");
}

TEST_F(frmInicioTest, OnlyAMouseClickOpensTheSavedTicket) {
    // A ticket number beyond 32 bits is listed and opened as itself.
    Guardar(Respuesta("01", "6034930000012345", 5000000000, "20261206", "1200"), "LINEA 1\r\nLINEA 2");
    Guardar(Respuesta("01", "6034930000099999", 78, "20261206", "1201"));
    frmInicioPrueba f;
    f.show();
    QTreeWidget* l = Lista(f);
    l->setFocus();
    QTest::keyClick(l, Qt::Key_Down);  // chosen with the keyboard: nothing opens
    QTest::keyClick(l, Qt::Key_Down);
    EXPECT_TRUE(f.abiertos.isEmpty());
    const QRect fila = l->visualItemRect(l->topLevelItem(1));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, fila.center());
    ASSERT_EQ(f.abiertos.size(), 1);
    EXPECT_EQ(f.abiertos[0], "5000000000|60349300000|LINEA 1\r\nLINEA 2\r\n");
}

TEST_F(frmInicioTest, MissingTicketDirectoryOrFileIsReported) {
    Guardar(Respuesta("01", "6034", 90, "20261206", "1200"));
    frmInicioPrueba f;
    QDir(dirAplicacion + "/Tickets").removeRecursively();
    f.AbrirTicketGuardado(Lista(f)->topLevelItem(0));
    const QString dir = Rutas::Unir(Rutas::Unir(dirAplicacion, "Tickets"), "");
    EXPECT_EQ(mensajes.Unico().texto, "No se encuentra el directorio de los tickets: " + dir);
    QDir().mkpath(dir);
    f.AbrirTicketGuardado(Lista(f)->topLevelItem(0));
    EXPECT_EQ(mensajes.mostrados.value(1).texto, "No se encuentra el archivo del ticket: " + dir + "90.prn");
    EXPECT_TRUE(f.abiertos.isEmpty());
}

// A ticket printed again from the journal, from its saved view or reprinted by the terminal, carries
// the barcodes of the original: the ticket number and, when the terminal gave one, the authorisation.
TEST_F(frmInicioTest, ASavedTicketPrintedAgainCarriesTheAuthorisationOfItsAnswer) {
    const struct {
        qint64 ticket;
        QString autorizacion;
        QStringList codigos;
    } casos[] = {{1001, "AUT-5566", {"1001", "AUT-5566"}}, {1002, "", {"1002"}}};
    for (const auto& c : casos) {
        QString respuesta = Respuesta("01", "6034930000012345", c.ticket, "20261206", "1200");
        respuesta.replace(227, 12, c.autorizacion.leftJustified(12));
        Guardar(respuesta, "TICKET\r\n");
    }
    frmInicio f;
    QTreeWidget* l = Lista(f);
    EstablecerManejadorModal([](QDialog& d) {
        d.findChild<QPushButton*>("cmdImprimir")->click();
        return QDialog::Rejected;
    });
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ticket);
        impresora.codigos.clear();
        f.AbrirTicketGuardado(l->findItems(QString::number(c.ticket), Qt::MatchExactly, frmInicio::ColTicket).value(0));
        EXPECT_EQ(impresora.codigos, QList<QStringList>{c.codigos});  // drawn as barcodes by the printer
    }
}

// The terminal's reprint answers without the authorisation: the journal's is printed.
TEST_F(frmInicioTest, ReprintAsksTheTerminalAndJournalsNothing) {
    gVerTicket = gImprimirTicket = gVerListaErrores = true;
    gNTransaccionFarmacia = "17";
    gNuevaTransaccion = false;  // the reprint keeps the pharmacy transaction number
    ConSimulador();
    // What an earlier ticket whose items the terminal refused left: archived, never read as this answer.
    QByteArray item = LeerArchivo(QString(TARSA_TEST_DATA_DIR) + "/svl3_v250_farmacia.bin").left(246);
    EscribirArchivo(DirectorioIntercambio() + "/download/_SVL.3", item.replace(170, 4, "0105"));
    EscribirArchivo(DirectorioIntercambio() + "/Estado.rsp", "0 Aprobada con items rechazados\r\n");
    Guardar(Respuesta("01", "6034", 1234, "20261206", "1200").replace(227, 8, "AUT-5566"));
    frmInicio f;
    mensajes.mostrados.clear();
    for (const char* numero : {"   ", "12a", " 1234 "}) {  // the number is checked before anything is sent
        f.findChild<QLineEdit*>("txtNrotransaccion")->setText(numero);
        f.findChild<QPushButton*>("cmdBuscar")->click();
    }
    ASSERT_EQ(mensajes.mostrados.size(), 2);
    EXPECT_EQ(mensajes.mostrados[0].texto, QString::fromUtf8("Debe ingresar el nº de transacción"));
    EXPECT_EQ(mensajes.mostrados[1].texto, QString::fromUtf8("El nº de transacción ingresado no es correcto"));
    ASSERT_EQ(pedido.size(), 372);
    EXPECT_EQ(pedido.mid(5, 2) + "|" + pedido.mid(119, 12), "80|1234        ");
    EXPECT_EQ(modales.vistas, QStringList{"frmMuestraTicket"});
    ASSERT_EQ(impresora.codigos.size(), 1);
    EXPECT_EQ(impresora.codigos[0].value(1), "AUT-5566");
    EXPECT_TRUE(gNuevaTransaccion);
    EXPECT_EQ(Contar("Transaccion"), 1);
    const clsArchivoIntercambios archivo(clsArchivoIntercambios::RaizPorDefecto());
    const auto lista = archivo.Listar();
    ASSERT_EQ(lista.size(), 2);
    EXPECT_EQ(lista[0].Resultado + "|" + lista[1].Resultado, "restos|procesada");
    const auto restos = archivo.Leer(lista[0].Id);
    ASSERT_TRUE(restos);
    EXPECT_EQ(restos->Posteriores.keys(), (QStringList{"Estado.rsp", "_SVL.3"}));
    EXPECT_EQ(restos->Posteriores.value("_SVL.3").mid(170, 4), "0105");
}

// Enter, the key that dismisses a window, closes the ticket view and cancels nothing.
TEST_F(frmInicioTest, EnterClosesTheTicketView) {
    Guardar(Respuesta("01", "6034930000012345", 1001, "20261206", "1200"), "TICKET 1001\r\n");
    frmInicio lista;
    Activar(lista);
    Lista(lista)->setCurrentItem(Lista(lista)->topLevelItem(0));
    Lista(lista)->setFocus();
    QStringList vistas;
    EstablecerManejadorModal([&](QDialog& d) {
        vistas << d.objectName() + "|" + d.findChild<QPlainTextEdit*>("txtPreView")->toPlainText().trimmed();
        if (vistas.size() > 1) return 0;  // Enter did not close it: no second round
        Activar(d);
        Tecla(Qt::Key_Return);
        return d.result();
    });
    Tecla(Qt::Key_Return);  // on the row: its ticket opens, and Enter closes it again
    EXPECT_EQ(vistas, QStringList{"frmTicket|TICKET 1001"});
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_FALSE(QFile::exists(DirectorioIntercambio() + "/upload/_SVL.1"));
}

// The cancellation asks first, No being the answer Enter gives; a No sends nothing.
TEST_F(frmInicioTest, CancellationFromTheTicketViewAsksIsJournalledAndCloses) {
    gVerTicket = gVerListaErrores = true;
    gNuevaTransaccion = false;
    gNTransaccionFarmacia = "321";
    ConSimulador({"--first-ticket", "5001"});
    mensajes.Responder(Mensajes::vbNo);
    mensajes.Responder(Mensajes::vbYes);
    modales.alMostrar = [this](QDialog& d) {
        if (auto* vista = qobject_cast<frmTicket*>(&d)) {
            vista->Anular();
            EXPECT_TRUE(pedido.isEmpty()) << "sent after a No";
            vista->Anular();
        }
    };
    frmTicket vista;
    vista.Cargar("TICKET 1001\r\n", "1001", "6034930000012345");
    EXPECT_EQ(mensajes.mostrados.value(0),
              (MensajeMostrado{QString::fromUtf8("¿Anular el ticket 1001?"),
                               Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, "Ticket"}));
    EXPECT_EQ(modales.vistas, (QStringList{"frmTicket", "frmMuestraTicket"}));
    ASSERT_EQ(pedido.size(), 372);
    EXPECT_EQ(pedido.mid(5, 18) + "|" + pedido.mid(119, 12), "026034930000012345|1001        ");
    EXPECT_EQ(Filas("SELECT Operacion, CAST(Ticket AS INTEGER), CodigoEmpresa FROM Transaccion"), "02|5001|1");
    EXPECT_TRUE(QFile::exists(dirAplicacion + "/Tickets/5001.prn"));
    EXPECT_TRUE(gNuevaTransaccion);
    EXPECT_EQ(vista.result(), QDialog::Accepted);
}

// The same approval found again (in the exchange directory of a run that died right after journalling
// it) is neither journalled nor announced twice.
TEST_F(frmInicioTest, ALateApprovalAlreadyInTheJournalIsNotJournalledAgain) {
    const QString cabecera = Respuesta("01", "6034", 1234, "20261206", "1200");
    for (int vez = 0; vez < 2; ++vez) RegistrarRespuestaTardia({"0 Aprobada", cabecera, "TICKET 1234\r\n", "01"});
    EXPECT_EQ(Filas("SELECT CAST(Ticket AS INTEGER), CodigoEmpresa FROM Transaccion"), "1234|1");
    EXPECT_EQ(mensajes.mostrados.size(), 1);
}

// The user gives up waiting, the terminal approves the consumption afterwards: before the next
// request the approval is journalled and archived as late, and the reprint gets its own answer.
TEST_F(frmInicioTest, AConsumptionApprovedAfterTheWaitWasCancelledIsArchivedAsLate) {
    gCicloSolicitud.AlRecibirRespuestaTardia = RegistrarRespuestaTardia;
    const QString liberar = dirTrabajo + "/liberar";
    sim.Iniciar(dirTrabajo, "ok", {"--answer-after", liberar, "--first-ticket", "7001"});
    const QString d = DirectorioIntercambio();
    GrabarPedido(d, "V250", 1);
    CancelarCuando([&] { return !QFile::exists(d + "/upload/_SVL.0"); });
    ASSERT_EQ(EnviarSolicitud().Resultado, ResultadoSolicitud::Cancelada);
    EscribirArchivo(liberar, "");
    // The terminal has answered once its status line is complete, not when the file appears.
    ASSERT_TRUE(QTest::qWaitFor([&] { return LeerArchivo(d + "/Estado.rsp").contains('\n'); }, 10000));
    EXPECT_EQ(Contar("Transaccion"), 0);

    clsTicket reimpresion{.Version = "V250",
                          .CodigoOperacion = 80,
                          .TipoPrestador = 1,
                          .TipoLectura = "0",
                          .TicketPadre = "7001",
                          .NTransaccionFarmacia = "538"};
    ASSERT_NO_THROW(reimpresion.GrabarSVL1(d));
    EsperarDeVerdad([&] { EscribirArchivo(liberar, ""); });
    Solicitud s = EnviarSolicitud();
    ASSERT_EQ(s.Resultado, ResultadoSolicitud::Procesada);
    EXPECT_EQ(s.Transaccion.LeerSVL1().mid(249, 12), "000000007002") << "the reprint's own answer";

    EXPECT_EQ(Contar("Transaccion"), 1);  // what the journal keeps of it is checked where requests are sent
    const auto lista = clsArchivoIntercambios(clsArchivoIntercambios::RaizPorDefecto()).Listar();
    ASSERT_EQ(lista.size(), 2);
    EXPECT_EQ(lista[0].Resultado + "|" + lista[1].Resultado, QString::fromUtf8("tardía|procesada"));
}
