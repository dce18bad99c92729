// A ticket against tarsa-terminal-sim with the real wait window; an answer that does not echo its request.
#include <QApplication>
#include <QDir>
#include <QtTest/QTest>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/Pedido.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Ansi.h"
#include "support/Entorno.h"
#include "support/Simulador.h"
#include "tickets/modEnvioTicket.h"

class IntercambioSimuladorTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        d = Terminal();
        Sesion({.terminal = "LIC1"});
    }
    Simulador sim;
    QString d;
};

// The user cancels a ticket's wait (Esc, No, Esc, Yes) and sends it again at once; the terminal approves
// both: the first, arriving in the second wait, is journalled as the cancelled one's, each with its text.
TEST_F(IntercambioSimuladorTest, CancelAndSendAgainJournalsBothApprovalsEachWithItsOwnText) {
    Sesion({.codigoEmpresa = "1"});
    gCicloSolicitud.AlRecibirRespuestaTardia = RegistrarRespuestaTardia;
    QDir(dirTrabajo).mkdir("TX");
    sim.Iniciar(dirTrabajo, "delay", {"--delay-ms", "1500"});
    int esperas = 0;
    EsperarDeVerdad([&] {
        QWidget* espera = QApplication::activeModalWidget();
        ASSERT_TRUE(espera && espera->objectName() == "frmProcesando");
        if (++esperas > 1) return;
        // The first wait: Esc once the terminal has taken the request.
        ASSERT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(d + "/upload/_SVL.0"); }, 10000));
        mensajes.Responder(Mensajes::vbNo);
        QTest::keyClick(espera, Qt::Key_Escape);
        EXPECT_TRUE(espera->isVisible()) << "No keeps waiting";
        mensajes.Responder(Mensajes::vbYes);
        QTest::keyClick(espera, Qt::Key_Escape);
    });
    QStringList mostrados;
    const PantallaEnvioTicket pantalla{[] { return EnviarSolicitud(); },
                                       [&](clsTransaccion& t) {
                                           mostrados << t.BuscarTicket();
                                           return RespuestaTicket{false, mostrados.last()};
                                       }};
    gNuevaTransaccion = true;
    const clsTicket ticket = CabeceraMuestra("V250", 1);
    EXPECT_EQ(EnviarTicketFarmacia(ticket, std::nullopt, std::nullopt, pantalla), FinEnvioTicket::SinRespuesta);
    EXPECT_EQ(EnviarTicketFarmacia(ticket, std::nullopt, std::nullopt, pantalla), FinEnvioTicket::Completado);

    ASSERT_EQ(mostrados.size(), 1);
    EXPECT_TRUE(mostrados[0].contains("Ticket: 1002")) << mostrados[0].toStdString();
    EXPECT_EQ(Filas("SELECT CAST(Ticket AS INTEGER), CodigoEmpresa FROM Transaccion ORDER BY Ticket"),
              "1001|1\n1002|1");
    for (const char* numero : {"1001", "1002"}) {
        const QString texto = Ansi::Decodificar(LeerArchivo(dirAplicacion + "/Tickets/" + numero + ".prn"));
        EXPECT_TRUE(texto.contains(QString("Ticket: ") + numero)) << numero << ": " << texto.toStdString();
    }
    const QString pregunta = QString::fromUtf8("La terminal puede aprobar el pedido aunque se cancele la espera.");
    ASSERT_EQ(mensajes.mostrados.size(), 3);
    for (int i : {0, 1}) EXPECT_TRUE(mensajes.mostrados[i].texto.startsWith(pregunta)) << i;
    EXPECT_TRUE(mensajes.mostrados[2].texto.startsWith(QString::fromUtf8(
        "La terminal aprobó el ticket Nº 1001 (Alta de ticket) después de que se canceló la espera.")))
        << mensajes.mostrados[2].texto.toStdString();
}

// An answer whose header does not echo the request is not shown as its answer.
TEST_F(IntercambioSimuladorTest, AnAnswerThatDoesNotEchoTheRequestIsRefused) {
    const QByteArray pedido = LeerArchivo(QString(TARSA_TEST_DATA_DIR) + "/svl1_v250_farmacia.bin");
    const auto con = [&](int offset, const QByteArray& valor) {
        return QByteArray(pedido).replace(offset, valor.size(), valor);
    };
    const QByteArray v101 = QByteArray(220, '0') + "\r\n";
    const struct {
        const char* caso;
        QByteArray pedido, respuesta;
        bool responde;
    } casos[] = {{"V250 echoed", pedido, pedido, true},
                 {"V250 other operation", pedido, con(5, "02"), false},
                 {"V250 other transaction", pedido, con(340, "00000999"), false},
                 {"no answer header", pedido, {}, true},
                 {"V101 echoed", v101, v101, true},
                 {"V101 other operation", v101, QByteArray(v101).replace(143, 1, "3"), false}};
    for (const auto& c : casos) EXPECT_EQ(RespondeA(c.pedido, c.respuesta), c.responde) << c.caso;

    EscribirArchivo(d + "/upload/_SVL.1", pedido);
    EsperarDeVerdad([&] {
        EscribirArchivo(d + "/download/_svl.1", con(340, "00000999"));
        EscribirArchivo(d + "/Estado.rsp", "0 Aprobada\r\n");
    });
    EXPECT_EQ(EnviarSolicitud().Resultado, ResultadoSolicitud::ErrorProceso);
    EXPECT_TRUE(mensajes.Unico().texto.contains("no corresponde a este pedido"));
}
