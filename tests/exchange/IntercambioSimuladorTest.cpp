// A ticket end to end against tarsa-terminal-sim: the client's writers, the request cycle with the
// real wait window, and the answer readers, in each of the terminal's scenarios.
#include <QDir>
#include <QTest>

#include "core/modTarsa.h"
#include "exchange/Pedido.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "support/Entorno.h"
#include "support/Simulador.h"

namespace {

class IntercambioSimulador : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        gQueloPath = dirTrabajo;
        gTermDir = CrearDirectorioTerminal();
    }
    // The sample V250 pharmacy ticket of the golden files, sent to the terminal in the scenario.
    Solicitud Enviar(const QString& escenario) {
        sim.Iniciar(dirTrabajo, escenario);
        GrabarPedido(DirectorioIntercambio(), "V250", 1);
        EsperarDeVerdad();
        return EnviarSolicitud();
    }
    Simulador sim;
};

}  // namespace

TEST_F(IntercambioSimulador, ApprovedTicketWithTwoItemsAndADiagnosis) {
    QDir(dirTrabajo).mkdir("TX");  // this run notifies the terminal
    Solicitud s = Enviar("ok");
    ASSERT_EQ(s.Resultado, ResultadoSolicitud::Procesada) << s.Estado.toStdString();
    EXPECT_EQ(s.Estado, QString::fromUtf8("0 Transacción aprobada"));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_TRUE(LeeArchivos());
    EXPECT_TRUE(gColErrores.isEmpty());
    EXPECT_TRUE(s.Transaccion.BuscarTicket().endsWith("\r\n"));
    EXPECT_GT(s.Transaccion.MedidaTicket, 0);
    const QString cabecera = s.Transaccion.LeerSVL1();
    ASSERT_GE(cabecera.size(), 372);
    EXPECT_EQ(cabecera.left(7), "FF00001");
    EXPECT_EQ(cabecera.mid(249, 12), "000000001001");
    EXPECT_EQ(cabecera.mid(296, 4), "0000");
}

TEST_F(IntercambioSimulador, ItemErrorsReachTheErrorList) {
    ASSERT_EQ(Enviar("item-errors").Resultado, ResultadoSolicitud::Procesada);
    EXPECT_TRUE(LeeArchivos());
    ASSERT_EQ(gColErrores.size(), 1);
    EXPECT_EQ(gColErrores[0].Numero, 105);
    EXPECT_EQ(gColErrores[0].Comentario.size(), 40);
    EXPECT_FALSE(gColErrores[0].Comentario.trimmed().isEmpty());
}

TEST_F(IntercambioSimulador, ErrorStatusIsShownToTheUser) {
    EXPECT_EQ(Enviar("error").Resultado, ResultadoSolicitud::ErrorProceso);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].texto,
              QString::fromUtf8("Error en el proceso:\r\n1 Error de comunicación con el autorizador"));
}

TEST_F(IntercambioSimulador, NoAnswerIsCancelledByTheUser) {
    sim.Iniciar(dirTrabajo, "no-answer");
    GrabarPedido(DirectorioIntercambio(), "V250", 1);
    // The user gives up once the terminal has taken the request.
    const QString subida = DirectorioIntercambio() + "/upload/";
    CancelarCuando([&] { return !QFile::exists(subida + "_SVL.0") && !QFile::exists(subida + "_SVL.1"); });
    EXPECT_EQ(EnviarSolicitud().Resultado, ResultadoSolicitud::Cancelada);
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_FALSE(QFile::exists(DirectorioIntercambio() + "/Estado.rsp"));
}

// A terminal that creates the status file and writes its line a moment later.
TEST_F(IntercambioSimulador, AStatusWrittenInTwoStepsIsReadWhole) {
    for (const char* pausa : {"1", "5", "30"}) {
        sim.Iniciar(dirTrabajo, "ok", {"--status-pause-ms", pausa});
        GrabarPedido(DirectorioIntercambio(), "V250", 1);
        EsperarDeVerdad();
        const Solicitud s = EnviarSolicitud();
        EXPECT_EQ(s.Resultado, ResultadoSolicitud::Procesada) << pausa;
        EXPECT_EQ(s.Estado, QString::fromUtf8("0 Transacción aprobada")) << pausa;
        sim.Detener();
    }
}

// The user cancels while the terminal still works on the request and asks again at once: the
// terminal answers the second request too, after the first.
TEST_F(IntercambioSimulador, ASecondRequestRightAfterACancelledOneIsAnswered) {
    QDir(dirTrabajo).mkdir("TX");
    sim.Iniciar(dirTrabajo, "ok", {"--delay-ms", "300"});
    const QString d = DirectorioIntercambio();
    GrabarPedido(d, "V250", 1);
    CancelarCuando([&] { return !QFile::exists(d + "/upload/_SVL.0"); });
    ASSERT_EQ(EnviarSolicitud().Resultado, ResultadoSolicitud::Cancelada);
    GrabarPedido(d, "V250", 1);
    const auto segundo = [&] { return LeerArchivo(d + "/download/_svl.1").mid(249, 12) == "000000001002"; };
    CancelarCuando(segundo);
    EnviarSolicitud();
    EXPECT_TRUE(QTest::qWaitFor(segundo, 10000)) << "the second request was not answered";
}
