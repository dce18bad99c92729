// The journal: rows from answer texts, the purge beyond 40 rows, the list and the saved tickets.
#include <SQLiteCpp/SQLiteCpp.h>

#include <QDir>

#include "catalogs/ConBase.h"
#include "core/modConexion.h"
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

QString Ticket(qint64 numero, const QString& fecha = "20240102", const QString& hora = "1030") {
    return Respuesta({{6, "01"}, {250, QString("%1").arg(numero, 12, 10, QChar('0'))}, {268, fecha}, {276, hora}});
}

struct Fila {
    qint64 ticket;
    QString fecha, empresa;
};

class TransaccionesTest : public ConBase {
protected:
    void Llenar(int filas) {
        clsTransacciones t;
        for (int i = 1; i <= filas; ++i) t.SaveTransaccion(Ticket(100 + i, "20240102", QString::number(1000 + i)), "3");
    }
    // Ticket and company of every row, in arrival order.
    static QStringList Diario() {
        return Filas("SELECT CAST(Ticket AS INTEGER) || '/' || CodigoEmpresa FROM Transaccion ORDER BY rowid")
            .split('\n');
    }
};

TEST_F(TransaccionesTest, TheFieldsOfAnAnsweredTicket) {
    clsTransacciones t;
    // clang-format off
    const QString r = Respuesta({{6, "01"}, {8, "6034 O'Brien \"Jr\""}, {108, "M"}, {109, "FARM01"},
                                 {120, "000000000077"}, {170, "20240101"}, {178, "0915"}, {211, "B1"}, {213, "004567"},
                                 {227, "2"}, {228, "AUT9"}, {250, "000000001234"}, {268, "20240102"}, {276, "1030"},
                                 {280, "PLAN1"}, {285, "3"}, {286, "00000001050"}, {297, "0012"}, {301, "Sin 'sal'"}});
    // clang-format on
    EXPECT_EQ(t.SaveTransaccion(r, "3"), 0);
    QList<clsItemTransaccion> col;
    ASSERT_TRUE(t.GetAP(col));
    ASSERT_EQ(col.size(), 1);
    const clsItemTransaccion& x = col[0];
    // Quotes in the texts survive; no company with that code: listed all the same.
    EXPECT_EQ(QStringList({x.Operacion, x.Tarjeta, x.TipoLectura, x.Prestador, x.PrestadorSolicitante,
                           x.FechaPrestacion, x.HoraPrestacion, x.TipoMatriculaMPractica, x.MatriculaMedicoPractica,
                           x.NumeroAutorizacion, x.Fecha, x.Hora, x.PlanAsociado, x.Comentario, x.ObraSocial}),
              QStringList({"01", "6034 O'Brien \"Jr\"", "M", "FARM01", "", "20240101", "0915", "B1", "004567", "AUT9",
                           "20240102", "1030", "PLAN1", "Sin 'sal'", ""}));
    EXPECT_EQ(QList<double>({double(x.TicketPadre), double(x.CodigoAutorizacion), double(x.Ticket),
                             double(x.TipoAsociado), x.MontoAbonar, double(x.Error), double(x.NumeroTrxPrestador)}),
              QList<double>({77, 2, 1234, 3, 10.5, 12, 0}));
}

TEST_F(TransaccionesTest, AClosureTakesItsPositionsAndTodaysDate) {
    clsTransacciones t;
    t.SaveTransaccion(Respuesta({{1, "41"}, {3, "   123456"}, {41, "0000"}, {45, "CIERRE OK"}, {85, "FARM01"}}), "3",
                      true);
    EXPECT_EQ(Valor("SELECT CAST(Ticket AS INTEGER) || Operacion || Prestador || Comentario || Fecha FROM Transaccion")
                  .toString(),
              "12345641FARM01CIERRE OK" + QDate::currentDate().toString("yyyyMMdd"));
}

// Beyond 40 rows the next one deletes exactly one other row, the oldest, of whichever company; the
// number comes back only when no row is left with it (its saved ticket may go). With 40, none goes.
TEST_F(TransaccionesTest, ThePurgeDeletesExactlyTheOldestRowAndNeverTheNewOne) {
    const struct {
        const char* caso;
        QList<Fila> antes;  // before the fillers, which complete 41 rows
        Fila nueva;
        QString borrada;
        qint64 devuelto;
        int filas = 41;  // before the new one
    } casos[] = {
        {"doce dígitos", {{5000000000, "20230101", "3"}}, {700, "20240105", "3"}, "5000000000/3", 5000000000},
        {"de otra empresa", {{900, "20230101", "7"}}, {701, "20240105", "3"}, "900/7", 900},
        {"número repetido", {{901, "20230101", "7"}, {901, "20230102", "3"}}, {702, "20240105", "3"}, "901/7", 0},
        {"nueva con el número de la vieja", {{903, "20230101", "3"}}, {903, "20240105", "3"}, "903/3", 0},
        {"nueva sin fecha", {{902, "20230101", "3"}}, {703, "", "3"}, "902/3", 902},
        {"nueva más vieja que todas", {}, {704, "20200101", "3"}, "101/3", 101},
        {"cuarenta filas", {}, {705, "20240105", "3"}, "", 0, 40},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        gDB->Ejecutar("DELETE FROM Transaccion");
        clsTransacciones t;
        for (const Fila& f : c.antes) t.SaveTransaccion(Ticket(f.ticket, f.fecha), f.empresa);
        Llenar(c.filas - c.antes.size());
        QStringList esperadas = Diario();
        esperadas.removeOne(c.borrada);
        esperadas << QString("%1/%2").arg(c.nueva.ticket).arg(c.nueva.empresa);
        EXPECT_EQ(t.SaveTransaccion(Ticket(c.nueva.ticket, c.nueva.fecha), c.nueva.empresa), c.devuelto);
        EXPECT_EQ(Diario(), esperadas);
    }
}

TEST_F(TransaccionesTest, SavingKeepsTheTicketFileAndDeletesThePurgedOnes) {
    const QString tickets = Rutas::Unir(dirAplicacion, "Tickets");
    GuardarTransaccionLocal(Respuesta({{6, "01"}}), "nada", "3", false);  // blank number
    EXPECT_EQ(Contar("Transaccion"), 0);
    EXPECT_FALSE(QDir(tickets).exists());

    GuardarTransaccionLocal(Ticket(5000000000, "20230101"), "TICKET 5000000000\r\nAÑO", "7", false);
    EXPECT_EQ(LeerArchivo(Rutas::Unir(tickets, "5000000000.prn")), QByteArray("TICKET 5000000000\r\nA\xD1O"));
    GuardarTransaccionLocal(Ticket(120, "20230102"), "OTRA EMPRESA, MISMO NÚMERO QUE UN RELLENO", "7", false);
    Llenar(39);  // 41 rows; 5000000000 of 2023 is the oldest, then 120 of company 7
    GuardarTransaccionLocal(Ticket(700), "TICKET 700", "3", false);
    EXPECT_TRUE(QFile::exists(Rutas::Unir(tickets, "700.prn")));
    EXPECT_FALSE(QFile::exists(Rutas::Unir(tickets, "5000000000.prn")));
    GuardarTransaccionLocal(Ticket(701), "TICKET 701", "3", false);  // 120 of company 7 goes; filler 120 stays
    EXPECT_TRUE(QFile::exists(Rutas::Unir(tickets, "120.prn")));
    EXPECT_EQ(Contar("Transaccion"), 41);
    EXPECT_TRUE(mensajes.mostrados.isEmpty());

    GuardarTransaccionLocal(Ticket(0).replace(249, 12, "00000000012A"), "X", "3", false);  // letters: not ticket 0
    EXPECT_TRUE(mensajes.Unico().texto.contains("\"00000000012A\"")) << mensajes.mostrados.value(0).texto.toStdString();
    EXPECT_EQ(Contar("Transaccion WHERE Ticket = 0"), 0);
    EXPECT_FALSE(QFile::exists(Rutas::Unir(tickets, "12.prn")));

    gDB.reset();  // a journal that cannot be written is reported; the ticket file came first
    GuardarTransaccionLocal(Ticket(702), "X", "3", false);
    ASSERT_EQ(mensajes.mostrados.size(), 2);
    EXPECT_EQ(mensajes.mostrados[1].titulo, "Error al guardar la transacción en local");
    EXPECT_TRUE(mensajes.mostrados[1].texto.contains(QString::fromUtf8("no se pudo anotar en la lista")));
    EXPECT_TRUE(QFile::exists(Rutas::Unir(tickets, "702.prn")));
}

// A database that can grow no more (the disk is full) is explained in words: what happened, where the
// ticket text is and how to reprint it; the statement that failed goes only to the details.
TEST_F(TransaccionesTest, AFullDiskIsExplainedWithoutTheStatement) {
    SQLite::Database& db = gDB->Nativa();
    db.exec("PRAGMA synchronous = OFF");
    db.exec("PRAGMA max_page_count = " + std::to_string(db.execAndGet("PRAGMA page_count").getInt()));
    try {  // rows until the engine has no page left for one more
        for (int i = 0; i < 100000; ++i)
            gDB->Ejecutar("INSERT INTO Transaccion (Ticket, Fecha) VALUES (1, '20200101')");
        FAIL() << "the database did not fill";
    } catch (const TarsaError& e) {
        ASSERT_EQ(e.Numero, ErrBaseDatos + 13) << e.Descripcion.toStdString();
    }
    const int filas = Contar("Transaccion");

    GuardarTransaccionLocal(Ticket(702), "TICKET 702", "3", false);
    const QString archivo = QDir::toNativeSeparators(Rutas::Unir(Rutas::Unir(dirAplicacion, "Tickets"), "702.prn"));
    const MensajeMostrado m = mensajes.Unico();
    EXPECT_EQ(m.texto, QString::fromUtf8("La terminal aprobó la transacción (ticket Nº 702), pero no se pudo anotar en "
                                         "la lista de transacciones: el disco está lleno.\n\nEl texto del ticket "
                                         "quedó guardado en %1.\nLibere espacio en el disco. El ticket se puede volver "
                                         "a imprimir pidiéndolo a la terminal desde \"Ultimos tickets\": escriba el "
                                         "Nº 702 y pulse Buscar.")
                           .arg(archivo));
    EXPECT_EQ(m.estilo, Mensajes::vbCritical);
    EXPECT_TRUE(m.detalles.contains("INSERT INTO Transaccion")) << m.detalles.toStdString();
    EXPECT_EQ(LeerArchivo(archivo), "TICKET 702");
    EXPECT_EQ(Contar("Transaccion"), filas);
#ifndef Q_OS_WIN
    {  // no room left for a ticket's text either: the one saved before stays whole
        const DiscoLleno lleno(4);
        GuardarTransaccionLocal(Ticket(702), "TICKET 702 OTRA VEZ", "3", false);
    }
    EXPECT_EQ(LeerArchivo(archivo), "TICKET 702");
#endif
}

}  // namespace
