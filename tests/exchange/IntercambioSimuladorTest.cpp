// A ticket end to end against tarsa-terminal-sim: the client's writers, the request cycle with the
// real wait window, and the answer readers, in each of the terminal's scenarios.
#include <QDir>

#include "TestConfig.h"
#include "catalogs/clsDiagnostico.h"
#include "core/modTarsa.h"
#include "exchange/clsItemTicket.h"
#include "exchange/clsTicket.h"
#include "exchange/frmProcesando.h"
#include "platform/Ansi.h"
#include "support/Entorno.h"
#include "support/Simulador.h"

namespace {

class IntercambioSimulador : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        gQueloPath = dirTrabajo;
        gTermDir = CrearDirectorioTerminal();
        gVersion = "V250";
        gEmpresa = "5";
        gActividad = "7";
        gTerminal = "20345678";
    }
    void Iniciar(const QString& escenario) { sim.Iniciar(dirTrabajo, escenario); }
    // A V250 pharmacy consumption with two medications and one diagnosis, as the ticket form writes it.
    void GrabarTicket() {
        const QString d = DirectorioIntercambio();
        clsTicket t;
        t.Version = gVersion;
        t.CodigoOperacion = CodigoOperacionVersion(1);
        t.TipoPrestador = 1;
        t.Tarjeta = "6034930000012345";
        t.TipoLectura = "1";
        t.Farmacia = "4512";
        t.FechaVenta = "06/12/2026";
        t.HoraVenta = "14:35";
        t.NTransaccionFarmacia = "537";
        ASSERT_TRUE(t.GrabarSVL1(d));
        clsItemTicket it;
        it.Version = gVersion;
        it.TipoPrestador = 1;
        ASSERT_TRUE(it.AbrirArchivo(d));
        for (const char* troquel : {"512345", "2233445"}) {
            it.InicializarVariables();
            it.Troquel = troquel;
            it.Cantidad = "1";
            it.Precio = "152050";
            it.PorcentajeCobertura = "40";
            it.PlanCobertura = "PMO";
            it.TipoAutorizacion = "Normal";
            ASSERT_TRUE(it.GrabarSVL3());
        }
        it.CerrarArchivo();
        clsDiagnostico dg;
        dg.Version = gVersion;
        dg.TipoPrestador = 1;
        ASSERT_TRUE(dg.AbrirArchivo(d));
        dg.Diagnostico = "J45.0";
        ASSERT_TRUE(dg.GrabarSVL4());
        dg.CerrarArchivo();
    }
    static int LineaMasLarga(const QByteArray& texto) {
        int n = 0;
        for (const QByteArray& l : texto.split('\n')) n = std::max(n, static_cast<int>(l.endsWith('\r') ? l.size() - 1 : l.size()));
        return n;
    }
    Simulador sim;
};

}  // namespace

TEST_F(IntercambioSimulador, ApprovedTicketWithTwoItemsAndADiagnosis) {
    QDir(dirTrabajo).mkdir("TX");  // this run notifies the terminal
    Iniciar("ok");
    GrabarTicket();
    EsperarDeVerdad();
    Solicitud s = EnviarSolicitud();
    ASSERT_EQ(s.Resultado, ResultadoSolicitud::Procesada) << s.Estado.toStdString();
    EXPECT_EQ(s.Estado, QString::fromUtf8("0 Transacción aprobada"));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());

    EXPECT_TRUE(LeeArchivos());
    EXPECT_TRUE(gColErrores.isEmpty());
    const QString ticket = s.Transaccion.BuscarTicket();
    const QByteArray prn = LeerArchivo(DirectorioIntercambio() + "/download/_ticket.prn");
    EXPECT_FALSE(ticket.isEmpty());
    EXPECT_TRUE(ticket.endsWith("\r\n"));
    EXPECT_EQ(ticket.count("\r\n"), prn.count('\n'));
    EXPECT_EQ(s.Transaccion.MedidaTicket, LineaMasLarga(prn));
    const QString cabecera = s.Transaccion.LeerSVL1();
    ASSERT_GE(cabecera.size(), 372);
    EXPECT_EQ(cabecera.left(7), "FF00001");
    EXPECT_EQ(cabecera.mid(249, 12), "000000001001");
    EXPECT_EQ(cabecera.mid(296, 4), "0000");
}

TEST_F(IntercambioSimulador, ItemErrorsReachTheErrorList) {
    Iniciar("item-errors");
    GrabarTicket();
    EsperarDeVerdad();
    const Solicitud s = EnviarSolicitud();
    ASSERT_EQ(s.Resultado, ResultadoSolicitud::Procesada) << s.Estado.toStdString();
    EXPECT_TRUE(LeeArchivos());
    ASSERT_EQ(gColErrores.size(), 1);
    EXPECT_EQ(gColErrores[0].Tipo, 1);
    EXPECT_EQ(gColErrores[0].Numero, 105);
    EXPECT_FALSE(gColErrores[0].Comentario.trimmed().isEmpty());
    EXPECT_EQ(gColErrores[0].Comentario.size(), 40);
}

TEST_F(IntercambioSimulador, ErrorStatusIsShownToTheUser) {
    Iniciar("error");
    GrabarTicket();
    EsperarDeVerdad();
    const Solicitud s = EnviarSolicitud();
    EXPECT_EQ(s.Resultado, ResultadoSolicitud::ErrorProceso);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].texto, QString::fromUtf8("Error en el proceso:\r\n1 Error de comunicación con el autorizador"));
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Proceso");
    EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbInformation);
}

TEST_F(IntercambioSimulador, NoAnswerIsCancelledByTheUser) {
    Iniciar("no-answer");
    GrabarTicket();
    const QString pedido = DirectorioIntercambio() + "/upload/_SVL.0";
    // The user gives up once the terminal has taken the request.
    CancelarCuando([&] { return !QFile::exists(pedido) && !QFile::exists(DirectorioIntercambio() + "/upload/_SVL.1"); });
    const Solicitud s = EnviarSolicitud();
    EXPECT_EQ(s.Resultado, ResultadoSolicitud::Cancelada);
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_FALSE(QFile::exists(DirectorioIntercambio() + "/Estado.rsp"));
}
