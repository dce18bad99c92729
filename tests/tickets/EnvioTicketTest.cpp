// Sending a pharmacy ticket without a window: the records written from the items and diagnoses, and
// what each way the request can end does to the journal and to the next transaction number.
#include "TestConfig.h"
#include "exchange/modIntercambio.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"
#include "tickets/EntornoTickets.h"
#include "tickets/modEnvioTicket.h"

namespace {

class EnvioTicketTest : public EntornoTickets {
protected:
    // Sends a ticket of operation 1 whose wait ends as `fin` says, after keeping the request files.
    FinEnvioTicket Enviar(const std::function<Solicitud()>& fin,
                          const std::optional<QList<clsItemTicketFarmacia>>& items = std::nullopt,
                          const std::optional<QList<clsItemDiagnostico>>& diagnosticos = std::nullopt,
                          RespuestaTicket respuesta = {}) {
        clsTicket ticket;
        ticket.CodigoOperacion = 1;
        ticket.Tarjeta = "6034930000012345";
        const PantallaEnvioTicket pantalla{[&] {
                                               for (const char* nombre : {"_SVL.1", "_SVL.3", "_SVL.4"})
                                                   subidos[nombre] = LeerArchivo(Subida(nombre));
                                               return fin();
                                           },
                                           [&](clsTransaccion&) {
                                               ++mostradas;
                                               return respuesta;
                                           }};
        return EnviarTicketFarmacia(ticket, items, diagnosticos, pantalla);
    }
    static QString Subida(const QString& nombre) { return Rutas::Unir(DirectorioIntercambio(), "UpLoad/" + nombre); }
    static Solicitud Terminada(ResultadoSolicitud resultado) {
        Solicitud s;
        s.Resultado = resultado;
        s.Transaccion.QueloPath = DirectorioIntercambio();
        return s;
    }
    static int FilasDiario() { return gDB->Consultar("SELECT COUNT(*) FROM Transaccion")->Campo(0).toInt(); }

    QHash<QString, QByteArray> subidos;
    int mostradas = 0;
};

// The two medications and the diagnosis of the hand-written request, as the item and diagnosis
// dialogs give them.
TEST_F(EnvioTicketTest, ItemsAndDiagnosesAreWrittenAsTheTerminalReadsThem) {
    gVersion = "V250";
    const clsItemTicketFarmacia ibuprofeno{.Troquel = "512345",
                                           .CodigoBarra = "7795312000123",
                                           .CodigoProveedor = "0",
                                           .NombreMedicamento = "IBUPROFENO 400",
                                           .TipoArancel = -1,
                                           .Cantidad = 2,
                                           .Precio = 1520.5,
                                           .Diagnostico = "I10",
                                           .TipoCobertura = "Normal",
                                           .PlanCobertura = "PMO",
                                           .TipoPrescripcion = 1,
                                           .PorcentajeCobertura = 40};
    const clsItemTicketFarmacia cronico{.Troquel = "2233445",
                                        .CodigoBarra = "779531200045",
                                        .TipoArancel = -1,
                                        .Cantidad = 1,
                                        .Precio = 899,
                                        .TipoCobertura = QString::fromUtf8("Crónico"),
                                        .TipoPrescripcion = 3};
    const auto dato = [](const char* nombre) { return LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, nombre)); };

    Enviar([] { return Terminada(ResultadoSolicitud::Cancelada); }, QList{ibuprofeno, cronico},
           QList{clsItemDiagnostico{"J45.0", "ASMA"}});
    EXPECT_EQ(subidos["_SVL.3"], dato("recorrido_svl3.bin"));
    EXPECT_EQ(subidos["_SVL.4"], dato("recorrido_svl4.bin"));
    EXPECT_EQ(subidos["_SVL.1"].mid(5, 18), "016034930000012345");

    // An operation without items or diagnoses writes neither file; one with diagnoses and none
    // chosen leaves the file empty.
    for (const char* nombre : {"_SVL.1", "_SVL.3", "_SVL.4"}) QFile::remove(Rutas::Resolver(Subida(nombre)));
    Enviar([] { return Terminada(ResultadoSolicitud::Cancelada); }, std::nullopt, QList<clsItemDiagnostico>{});
    EXPECT_EQ(subidos["_SVL.1"].size(), 372);
    EXPECT_FALSE(Rutas::Existe(Subida("_SVL.3")));
    EXPECT_TRUE(Rutas::Existe(Subida("_SVL.4")));
    EXPECT_EQ(subidos["_SVL.4"], "");
}

TEST_F(EnvioTicketTest, EachEndOfTheRequestDecidesTheJournalAndTheNextNumber) {
    // An answer header with ticket 1001.
    QString cabecera(340, ' ');
    cabecera.replace(5, 2, "01").replace(249, 12, "000000001001");
    const auto respondida = [&] {
        EscribirArchivo(Rutas::Resolver(Rutas::Unir(DirectorioIntercambio(), "DownLoad/_svl.1")),
                        cabecera.toLatin1() + "\r\n");
        return Terminada(ResultadoSolicitud::Procesada);
    };
    const struct {
        const char* caso;
        std::function<Solicitud()> fin;
        RespuestaTicket respuesta;
        FinEnvioTicket esperado;
        bool antes, despues;  // gNuevaTransaccion: whether this and the next ticket draw a new number
        int mostradas, filas;
    } casos[] = {
        // clang-format off
        {"cancelled", [] { return Terminada(ResultadoSolicitud::Cancelada); }, {}, FinEnvioTicket::SinRespuesta,
         true, false, 0, 0},
        {"error status", [] { return Terminada(ResultadoSolicitud::ErrorProceso); }, {},
         FinEnvioTicket::SinRespuesta, true, false, 0, 0},
        {"empty status", [] { return Terminada(ResultadoSolicitud::SinRespuesta); }, {},
         FinEnvioTicket::SinRespuesta, true, true, 0, 0},
        {"request not written", []() -> Solicitud { throw TarsaError(ErrAccesoRuta, "Disco lleno"); }, {},
         FinEnvioTicket::NoEnviado, true, false, 0, 0},
        // clang-format on
        {"item errors", respondida, {true, "TICKET 1001"}, FinEnvioTicket::ConErrores, false, false, 1, 1},
        {"ticket saying ERROR", respondida, {false, "ERROR 12"}, FinEnvioTicket::ConErrores, true, true, 1, 1},
        {"answered", respondida, {false, "TICKET 1001"}, FinEnvioTicket::Completado, false, true, 1, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Sql("DELETE FROM Transaccion");
        mensajes.mostrados.clear();
        mostradas = 0;
        gNuevaTransaccion = c.antes;
        gNTransaccionFarmacia = "77";
        gColErrores.append(clsItemError{});
        EXPECT_EQ(Enviar(c.fin, std::nullopt, std::nullopt, c.respuesta), c.esperado);
        if (!c.antes) EXPECT_EQ(subidos["_SVL.1"].mid(340, 8), "00000077");  // an unanswered request's again
        EXPECT_EQ(gNuevaTransaccion, c.despues);
        EXPECT_EQ(mostradas, c.mostradas);
        EXPECT_EQ(FilasDiario(), c.filas);
        EXPECT_EQ(gColErrores.isEmpty(), c.mostradas > 0);
        // Only the failed request is told here: the wait and the answer windows tell the rest.
        ASSERT_EQ(mensajes.mostrados.size(), c.esperado == FinEnvioTicket::NoEnviado ? 1 : 0);
        if (!mensajes.mostrados.isEmpty()) EXPECT_EQ(mensajes.mostrados[0].texto, "Disco lleno");
    }
}

}  // namespace
