// Sending a pharmacy ticket without a window: the files each operation writes, and what each way
// the request can end does to the journal and to the next transaction number.
#include "exchange/modIntercambio.h"
#include "tickets/EntornoTickets.h"
#include "tickets/modEnvioTicket.h"

namespace {

class EnvioTicketTest : public EntornoTickets {
protected:
    // Sends a ticket of operation 1 whose wait ends as `fin` says, after keeping the request files.
    FinEnvioTicket Enviar(const std::function<Solicitud()>& fin, RespuestaTicket respuesta = {},
                          const std::optional<QList<clsItemDiagnostico>>& diagnosticos = std::nullopt) {
        const clsTicket ticket{.CodigoOperacion = 1, .Tarjeta = "6034930000012345"};
        const auto esperar = [&] {
            for (const char* nombre : {"_SVL.1", "_SVL.3", "_SVL.4"}) subidos[nombre] = Subido(nombre);
            return fin();
        };
        const auto mostrar = [&](clsTransaccion&) {
            ++mostradas;
            return respuesta;
        };
        return EnviarTicketFarmacia(ticket, std::nullopt, diagnosticos, {esperar, mostrar});
    }
    static Solicitud Terminada(ResultadoSolicitud resultado) {
        return {.Resultado = resultado, .Transaccion = {.QueloPath = DirectorioIntercambio()}};
    }

    QHash<QString, QByteArray> subidos;
    int mostradas = 0;
};

// An operation without items writes no item file; one with diagnoses, none chosen, an empty one.
TEST_F(EnvioTicketTest, OnlyTheFilesOfTheOperationAreWritten) {
    Enviar([] { return Terminada(ResultadoSolicitud::Cancelada); }, {}, QList<clsItemDiagnostico>{});
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
        EXPECT_EQ(Enviar(c.fin, c.respuesta), c.esperado);
        if (!c.antes) EXPECT_EQ(subidos["_SVL.1"].mid(340, 8), "00000077");  // an unanswered request's again
        EXPECT_EQ(gNuevaTransaccion, c.despues);
        EXPECT_EQ(mostradas, c.mostradas);
        EXPECT_EQ(Contar("Transaccion"), c.filas);
        EXPECT_EQ(gColErrores.isEmpty(), c.mostradas > 0);
        // Only the failed request is told here: the wait and the answer windows tell the rest.
        EXPECT_EQ(mensajes.Textos(),
                  c.esperado == FinEnvioTicket::NoEnviado ? QStringList{"Disco lleno"} : QStringList{});
    }
}

}  // namespace
