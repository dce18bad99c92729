// A ticket end to end against tarsa-terminal-sim: the client's writers, the request cycle with the
// real wait window, and the answer readers, approved, with item errors, and asked again after a cancel.
#include <QDir>

#include "TestConfig.h"
#include "core/modTarsa.h"
#include "exchange/Pedido.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "support/Entorno.h"
#include "support/Simulador.h"

namespace {

class IntercambioSimuladorTest : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        d = Terminal();
        Sesion({.terminal = "LIC1"});
    }
    // The sample V250 pharmacy ticket of the golden files, sent to the terminal in the scenario.
    Solicitud Enviar(const QString& escenario) {
        sim.Iniciar(dirTrabajo, escenario);
        GrabarPedido(d, "V250", 1);
        EsperarDeVerdad();
        return EnviarSolicitud();
    }
    Simulador sim;
    QString d;
};

}  // namespace

TEST_F(IntercambioSimuladorTest, ApprovedTicketWithTwoItemsAndADiagnosis) {
    QDir(dirTrabajo).mkdir("TX");  // this run notifies the terminal
    Solicitud s = Enviar("ok");
    ASSERT_EQ(s.Resultado, ResultadoSolicitud::Procesada) << s.Estado.toStdString();
    EXPECT_EQ(s.Estado, QString::fromUtf8("0 Transacción aprobada"));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_TRUE(LeeArchivos());
    EXPECT_TRUE(gColErrores.isEmpty());
    const QString cabecera = s.Transaccion.LeerSVL1();
    ASSERT_GE(cabecera.size(), 372);
    EXPECT_EQ(cabecera.left(7), "FF00001");
    EXPECT_EQ(cabecera.mid(249, 12), "000000001001");
    EXPECT_EQ(cabecera.mid(296, 4), "0000");
}

TEST_F(IntercambioSimuladorTest, ItemErrorsReachTheErrorList) {
    ASSERT_EQ(Enviar("item-errors").Resultado, ResultadoSolicitud::Procesada);
    EXPECT_TRUE(LeeArchivos());
    ASSERT_EQ(gColErrores.size(), 1);
    EXPECT_EQ(gColErrores[0].Numero, 105);
    EXPECT_EQ(gColErrores[0].Comentario.size(), 40);
    EXPECT_FALSE(gColErrores[0].Comentario.trimmed().isEmpty());
}

// The user cancels while the terminal still works on the request and asks again at once: the
// terminal answers both, in order, and the first answer, arriving during the second wait, is not
// taken for the second's.
TEST_F(IntercambioSimuladorTest, ASecondRequestRightAfterACancelledOneIsAnswered) {
    QDir(dirTrabajo).mkdir("TX");
    sim.Iniciar(dirTrabajo, "ok", {"--delay-ms", "300"});
    GrabarPedido(d, "V250", 1);
    // Cancelled once the terminal has read the whole request: a request rewritten while the terminal
    // still reads the first would be a different exchange, which no client can tell apart.
    const QString subida = d + "/upload/";
    CancelarCuando([&] { return !QFile::exists(subida + "_SVL.0") && !QFile::exists(subida + "_SVL.1"); });
    ASSERT_EQ(EnviarSolicitud().Resultado, ResultadoSolicitud::Cancelada);
    clsTicket segundo = CabeceraMuestra("V250", 1);
    segundo.NTransaccionFarmacia = "538";
    ASSERT_NO_THROW(segundo.GrabarSVL1(d));
    EsperarDeVerdad();
    const Solicitud s = EnviarSolicitud();
    ASSERT_EQ(s.Resultado, ResultadoSolicitud::Procesada);
    const QString cabecera = s.Transaccion.LeerSVL1();
    EXPECT_EQ(cabecera.mid(249, 12), "000000001002");
    EXPECT_EQ(cabecera.mid(340, 8), "00000538");
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
    } casos[] = {
        {"V250 echoed", pedido, pedido, true},
        {"V250 other operation", pedido, con(5, "02"), false},
        {"V250 other transaction", pedido, con(340, "00000999"), false},
        {"no answer header", pedido, {}, true},
        {"V101 echoed", v101, v101, true},
        {"V101 other operation", v101, QByteArray(v101).replace(143, 1, "3"), false},
    };
    for (const auto& c : casos) EXPECT_EQ(RespondeA(c.pedido, c.respuesta), c.responde) << c.caso;

    EscribirArchivo(d + "/upload/_SVL.1", pedido);
    EsperarDeVerdad([&] {
        EscribirArchivo(d + "/download/_svl.1", con(340, "00000999"));
        EscribirArchivo(d + "/Estado.rsp", "0 Aprobada\r\n");
    });
    EXPECT_EQ(EnviarSolicitud().Resultado, ResultadoSolicitud::ErrorProceso);
    EXPECT_TRUE(mensajes.Unico().texto.contains("no corresponde a este pedido"));
}
