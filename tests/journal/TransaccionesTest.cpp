// The journal: rows from answer texts, the purge beyond 40 rows, the list and the saved tickets.
#include <QDir>

#include "catalogs/ConBase.h"
#include "journal/clsTransacciones.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Rutas.h"

namespace {

// An answer header line with fields put at their positions (from 1).
QString Respuesta(std::initializer_list<std::pair<int, QString>> campos) {
    QString r(340, ' ');
    for (const auto& [pos, valor] : campos) r.replace(pos - 1, valor.size(), valor);
    return r + "\r\n";
}

QString Ticket(int numero, const QString& fecha = "20240102", const QString& hora = "1030") {
    return Respuesta({{6, "01"}, {250, QString("%1").arg(numero, 12, 10, QChar('0'))}, {268, fecha}, {276, hora}});
}

class Diario : public ConBase {
protected:
    void Llenar(int filas) {
        clsTransacciones t;
        for (int i = 1; i <= filas; ++i) t.SaveTransaccion(Ticket(100 + i, "20240102", QString::number(1000 + i)), "3");
    }
};

TEST_F(Diario, CamposDeUnTicketRespondido) {
    clsTransacciones t;
    const QString r = Respuesta({{6, "01"}, {8, "6034 O'Brien \"Jr\""}, {108, "M"}, {109, "FARM01"},
                                 {120, "000000000077"}, {170, "20240101"}, {178, "0915"}, {211, "B1"}, {213, "004567"},
                                 {227, "2"}, {228, "AUT9"}, {250, "000000001234"}, {268, "20240102"}, {276, "1030"},
                                 {280, "PLAN1"}, {285, "3"}, {286, "00000001050"}, {297, "0012"}, {301, "Sin 'saldo'"}});
    EXPECT_EQ(t.SaveTransaccion(r, "3"), 0);
    EXPECT_EQ(t.UltimaSql,
              "INSERT INTO Transaccion (Operacion, Tarjeta, TipoLectura, Prestador, PrestadorSolicitante, "
              "TicketPadre, FechaPrestacion, HoraPrestacion, TipoMatriculaMPractica, MatriculaMedicoPractica, "
              "CodigoAutorizacion, NumeroAutorizacion, Ticket, Fecha, Hora, PlanAsociado, TipoAsociado, MontoAbonar, "
              "Error, Comentario, NumeroTrxPrestador, CodigoEmpresa) VALUES ('01', '6034 O''Brien \"Jr\"', 'M', "
              "'FARM01', '',77,'20240101', '0915', 'B1', '004567', 2, 'AUT9', 1234, '20240102', '1030', 'PLAN1', 3, "
              "000000010.50, 12, 'Sin ''saldo''', 0, 3);");
    QList<clsItemTransaccion> col;
    ASSERT_TRUE(t.GetAP(col));
    ASSERT_EQ(col.size(), 1);
    const clsItemTransaccion& x = col[0];
    EXPECT_EQ(QStringList({x.Operacion, x.Tarjeta, x.TipoLectura, x.Prestador, x.FechaPrestacion, x.MatriculaMedicoPractica,
                           x.Comentario, x.ObraSocial}),  // no company with that code: listed all the same
              QStringList({"01", "6034 O'Brien \"Jr\"", "M", "FARM01", "20240101", "004567", "Sin 'saldo'", ""}));
    EXPECT_EQ(QList<double>({double(x.TicketPadre), double(x.CodigoAutorizacion), double(x.Ticket), double(x.TipoAsociado),
                             x.MontoAbonar, double(x.Error)}),
              QList<double>({77, 2, 1234, 3, 10.5, 12}));
}

TEST_F(Diario, ElCierreTomaSusPosicionesYLaFechaDeHoy) {
    clsTransacciones t;
    t.SaveTransaccion(Respuesta({{1, "41"}, {3, "   123456"}, {41, "0000"}, {45, "CIERRE OK"}, {85, "FARM01"}}), "3",
                      true);
    EXPECT_EQ(Valor("SELECT CAST(Ticket AS INTEGER) || Operacion || Prestador || Comentario || Fecha FROM Transaccion").toString(),
              "12345641FARM01CIERRE OK" + QDate::currentDate().toString("yyyyMMdd"));
}

TEST_F(Diario, MasDeCuarentaFilasPurgaLaMasVieja) {
    Llenar(40);
    clsTransacciones t;
    EXPECT_EQ(t.SaveTransaccion(Ticket(500, "20240105"), "3"), 0);
    EXPECT_EQ(Contar("Transaccion"), 41);
    // The oldest by date and time goes, whatever order it was written in: even the row just added.
    EXPECT_EQ(t.SaveTransaccion(Ticket(600, "20231231", "2359"), "3"), 600);
    EXPECT_EQ(Contar("Transaccion"), 41);
    EXPECT_EQ(t.SaveTransaccion(Ticket(501, "20240105"), "3"), 101);
    EXPECT_EQ(Contar("Transaccion"), 41);
    EXPECT_EQ(Contar("Transaccion WHERE Ticket = 101"), 0);
}

TEST_F(Diario, GuardarTransaccionLocalGuardaElTicketYBorraElPurgado) {
    const QString tickets = Rutas::Unir(dirAplicacion, "Tickets");
    GuardarTransaccionLocal(Respuesta({{6, "01"}}), "nada", "3", false);  // blank number
    EXPECT_EQ(Contar("Transaccion"), 0);
    EXPECT_FALSE(QDir(tickets).exists());

    GuardarTransaccionLocal(Ticket(101, "20230101"), "TICKET 101\r\nAÑO", "3", false);
    EXPECT_EQ(LeerArchivo(Rutas::Unir(tickets, "101.prn")), QByteArray("TICKET 101\r\nA\xD1O"));
    Llenar(40);  // 41 rows; 101 of 2023 is the oldest
    GuardarTransaccionLocal(Ticket(700), "TICKET 700", "3", false);
    EXPECT_TRUE(QFile::exists(Rutas::Unir(tickets, "700.prn")));
    EXPECT_FALSE(QFile::exists(Rutas::Unir(tickets, "101.prn")));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());

    gDB.reset();  // a journal that cannot be written is reported
    GuardarTransaccionLocal(Ticket(701), "X", "3", false);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Error al guardar la transacción en local");
    EXPECT_TRUE(mensajes.mostrados[0].texto.startsWith("Error: "));
}

}  // namespace
