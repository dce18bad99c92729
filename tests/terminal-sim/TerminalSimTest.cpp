// tarsa-terminal-sim run as a separate process against a scratch working directory, with the
// golden request records as the client's request files.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>

#include "TestConfig.h"
#include "support/Entorno.h"

namespace {

QByteArray Golden(const char* nombre) { return LeerArchivo(QString(TARSA_TEST_DATA_DIR) + "/" + nombre); }
const QByteArray kV250 = "V2500507000012  ";  // a V250 ticket's request record
// The fields of a record at the given offsets and lengths, separated by spaces.
QByteArray Tramos(const QByteArray& registro, std::initializer_list<std::pair<int, int>> campos) {
    QByteArray unidos;
    for (const auto& [desde, largo] : campos) unidos += ' ' + registro.mid(desde, largo);
    return unidos.mid(1);
}

// The 116-byte parameters record of a V250 catalog update or closure.
QByteArray Sal0V250(const QByteArray& operacion, const QByteArray& modos) {
    return operacion + "000000000" + QByteArray(24, ' ') + "0" + modos + "0" + "0000" + QByteArray(40, ' ') +
           QByteArray(16, '\0') + QByteArray(14, ' ') + "\r\n";
}

class TerminalSimTest : public Entorno {
protected:
    void TearDown() override {
        sim.terminate();  // nothing when it has ended
        if (!sim.waitForFinished(2000)) sim.kill();
        Entorno::TearDown();
    }
    void Iniciar(const QStringList& argumentos) {
        sim.start(TARSA_SIM_EXE, QStringList{"--dir", tmp.path()} + argumentos);
        ASSERT_TRUE(sim.waitForStarted(2000)) << TARSA_SIM_EXE;
    }
    // Request files first, the request record last, as the client does.
    void Pedir(const QString& term, const QByteArray& svl0, const QList<QPair<QString, QByteArray>>& archivos) {
        for (const char* dir : {"/upload", "/download"}) QDir().mkpath(Ruta(term + dir));
        for (const auto& [nombre, bytes] : archivos) EscribirArchivo(Ruta(term + "/upload/" + nombre), bytes);
        EscribirArchivo(Ruta(term + "/upload/_SVL.0"), svl0);
    }
    // The status line once it is whole: Windows shows the file empty at first, and refuses to open it
    // for a moment while the rename puts it in place.
    QByteArray Estado(const QString& term) {
        const QString ruta = Ruta(term + "/Estado.rsp");
        QByteArray estado;
        EXPECT_TRUE(QTest::qWaitFor([&] { return (estado = LeerArchivo(ruta)).endsWith('\n'); }))
            << "sin Estado.rsp en " << term.toStdString();
        return estado;
    }

    QProcess sim;
};

// Each scenario's answer to a V250 pharmacy ticket; the first writes its status in two steps (created
// empty, its line a moment later), as some terminals do.
TEST_F(TerminalSimTest, AnswersAV250PharmacyTicketPerScenario) {
    int n = 0;
    // The status code, the first item's error code (none: no answer files) and whether the ticket says ERROR.
    for (const auto& [escenario, codigo, errorItem1, errorEnTicket] :
         {std::tuple<const char*, char, const char*, bool>{"ok", '0', "0000", false},
          {"item-errors", '0', "0105", false},
          {"ticket-error", '0', "0000", true},
          {"error", '1', nullptr, false}}) {
        SCOPED_TRACE(escenario);
        const QString term = QString("term%1").arg(++n);
        Iniciar(QStringList{"--scenario", escenario, "--max-requests", "1"} +
                (n == 1 ? QStringList{"--status-pause-ms", "1000"} : QStringList{}));
        Pedir(term, kV250,
              {{"_SVL.1", Golden("svl1_v250_farmacia.bin")},
               {"_SVL.3", Golden("svl3_v250_farmacia.bin")},
               {"_SVL.4", Golden("svl4_diagnostico.bin")}});
        const QString down = Ruta(term + "/download/");
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(Ruta(term + "/Estado.rsp")); }));
        // Estado.rsp is the last file: at the moment it exists every answer is complete.
        const QStringList respuestas = QDir(down).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        if (n == 1) EXPECT_EQ(QFileInfo(Ruta(term + "/Estado.rsp")).size(), 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return sim.state() == QProcess::NotRunning; }));
        EXPECT_EQ(sim.exitCode(), 0);
        const QByteArray estado = Estado(term);
        EXPECT_TRUE(QDir(Ruta(term + "/upload")).isEmpty()) << "request files not consumed";
        EXPECT_EQ(estado.left(1) + estado.right(2), QByteArray(1, codigo) + "\r\n") << estado.constData();
        EXPECT_EQ(respuestas, errorItem1 ? QStringList({"_svl.1", "_SVL.3", "_ticket.prn"}) : QStringList());
        if (!errorItem1) continue;
        const QByteArray cabecera = LeerArchivo(down + "_svl.1");
        ASSERT_EQ(cabecera.size(), 372);
        EXPECT_EQ(cabecera.left(249), Golden("svl1_v250_farmacia.bin").left(249));
        // Ticket 1001; 2 x 1520.50 at 40 % + 899.00, error 0000.
        EXPECT_EQ(Tramos(cabecera, {{249, 12}, {285, 15}}), "000000001001 000002723600000");
        const QByteArray items = LeerArchivo(down + "_SVL.3");
        ASSERT_EQ(items.size(), 492);
        EXPECT_EQ(Tramos(items, {{170, 4}, {246 + 170, 4}}), QByteArray(errorItem1) + " 0000");
        EXPECT_EQ(items.mid(246, 170), Golden("svl3_v250_farmacia.bin").mid(246, 170));
        const QByteArray ticket = LeerArchivo(down + "_ticket.prn");
        EXPECT_TRUE(ticket.contains("6034930000012345") && ticket.contains("1001") && ticket.contains("1520.50"));
        EXPECT_EQ(ticket.contains("ERROR"), errorEnTicket);
    }
}

TEST_F(TerminalSimTest, NoAnswerScenarioConsumesTheRequestAndWritesNothing) {
    Iniciar({"--scenario", "no-answer"});
    Pedir("term9", kV250, {{"_SVL.1", Golden("svl1_v250_farmacia.bin")}});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(Ruta("term9/upload/_SVL.0")); }));
    EXPECT_FALSE(QTest::qWaitFor([&] { return QFile::exists(Ruta("term9/Estado.rsp")); }, 400));
    EXPECT_TRUE(QDir(Ruta("term9/download")).isEmpty());
}

TEST_F(TerminalSimTest, V101ThroughNotificationsAnswersInTheV101PharmacyLayout) {
    QDir().mkpath(Ruta("TX"));
    Iniciar({"--first-ticket", "500"});
    const QByteArray pedido = Golden("svl1_v101_farmacia.bin");
    // The second notification stays open a moment, as a slow client's: Windows cannot remove it meanwhile.
    for (const auto& [numero, avisoAbiertoMs] : {std::pair{"0000000500", 0}, std::pair{"0000000501", 300}}) {
        QFile::remove(Ruta("term7/Estado.rsp"));
        Pedir("term7", "V101050700001234", {{"_SVL.1", pedido}, {"_SVL.2", Golden("svl2_v101_farmacia.bin")}});
        QFile aviso(Ruta("TX/term7"));
        ASSERT_TRUE(aviso.open(QIODevice::WriteOnly));
        QTest::qWait(avisoAbiertoMs);
        aviso.close();
        EXPECT_EQ(Estado("term7").left(1), "0");
        EXPECT_FALSE(QFile::exists(Ruta("TX/term7")));
        const QByteArray cabecera = LeerArchivo(Ruta("term7/download/_svl.1"));
        ASSERT_EQ(cabecera.size(), 222);
        EXPECT_EQ(Tramos(cabecera, {{0, 101}, {119, 35}}), Tramos(pedido, {{0, 101}, {119, 35}}))
            << "the request's own fields come back";
        EXPECT_EQ(Tramos(cabecera, {{154, 10}, {186, 4}, {220, 2}}), numero + QByteArray(" 0000 \r\n"));
        const QByteArray items = LeerArchivo(Ruta("term7/download/_SVL.3"));
        ASSERT_EQ(items.size(), 196);
        EXPECT_EQ(items.mid(46, 30) + items.mid(98 + 46, 30), QByteArray(60, ' '));
        EXPECT_EQ(items.left(46), Golden("svl2_v101_farmacia.bin").left(46));
    }
    sim.terminate();
    ASSERT_TRUE(sim.waitForFinished(2000));
    EXPECT_EQ(sim.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_EQ(sim.readAllStandardOutput().count(" term7 "), 2) << "each notification is answered once";
}

// A request that comes while an answer is held is neither lost nor served out of turn: each release lets
// one answer out, in the order the notifications came, a second one of the same directory included.
TEST_F(TerminalSimTest, QueuedRequestsWaitForAHeldAnswerAndAreAnsweredInOrder) {
    QDir().mkpath(Ruta("TX"));
    const QString liberar = Ruta("liberar");
    Iniciar({"--answer-after", liberar, "--first-ticket", "500"});
    const auto pedir = [&](const QString& term) {
        Pedir(term, kV250, {{"_SVL.1", Golden("svl1_v250_farmacia.bin")}});
        EscribirArchivo(Ruta("TX/" + term), {});
        QThread::msleep(20);  // notifications of distinct ages
    };
    pedir("term1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(Ruta("term1/upload/_SVL.0")); }));
    pedir("term2");
    pedir("term1");  // the client cancelled its wait and asked again
    for (const auto& [term, ticket] :
         {std::pair{"term1", "000000000500"}, std::pair{"term2", "000000000501"}, std::pair{"term1", "000000000502"}}) {
        SCOPED_TRACE(ticket);
        EXPECT_FALSE(QFile::exists(Ruta(QString(term) + "/Estado.rsp"))) << "answered before its release";
        EscribirArchivo(liberar, {});
        EXPECT_EQ(Estado(term).left(1), "0");
        EXPECT_EQ(LeerArchivo(Ruta(QString(term) + "/download/_svl.1")).mid(249, 12), ticket);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(liberar); })) << "the release file is used up";
        QFile::remove(Ruta(QString(term) + "/Estado.rsp"));  // as the client does before its next request
    }
    EXPECT_TRUE(QDir(Ruta("TX")).isEmpty());
}

// A request polled and answered before the client's notification (and its TX folder) appeared keeps
// its answer: the late notification is not a second request without a record.
TEST_F(TerminalSimTest, ALateNotificationOfARequestAlreadyAnsweredLeavesItsAnswer) {
    Iniciar({});
    const QList<QPair<QString, QByteArray>> otros{{"_SVL.1", Golden("svl1_v250_otros.bin")},
                                                  {"_SVL.2", Golden("svl2_v250_otros.bin")}};
    Pedir("term9", kV250, otros);
    EXPECT_EQ(Estado("term9").left(1), "0");
    QDir().mkpath(Ruta("TX"));
    EscribirArchivo(Ruta("TX/term9"), {});
    // The next request's answer comes after the notification before it was dealt with.
    Pedir("term10", kV250, otros);
    EscribirArchivo(Ruta("TX/term10"), {});
    EXPECT_EQ(Estado("term10").left(1), "0");
    EXPECT_EQ(Estado("term9").left(1), "0");
}

TEST_F(TerminalSimTest, BadRequestsGetAnErrorStatusAndTheTerminalCarriesOn) {
    QDir().mkpath(Ruta("TX"));
    Iniciar({});
    const QByteArray svl0 = kV250, svl1 = Golden("svl1_v250_farmacia.bin");
    const struct {
        const char* term;
        QByteArray svl0;
        QList<QPair<QString, QByteArray>> archivos;
        char estado;
    } casos[] = {
        {"term1", "V250", {{"_SVL.1", svl1}}, '9'},
        {"term2", svl0, {{"_SVL.1", svl1.left(200)}}, '9'},
        {"term3", svl0, {{"_SVL.1", Golden("svl1_v101_farmacia.bin")}}, '9'},
        {"term4", svl0, {{"_SVL.1", svl1}, {"_SVL.3", Golden("svl3_v250_farmacia.bin").left(300)}}, '9'},
        {"term5", "V3000507000012  ", {{"_SVL.1", svl1}}, '9'},
        {"term6", svl0, {}, '9'},
        {"term8", svl0, {{"_SVL.1", Golden("svl1_v250_otros.bin")}, {"_SVL.2", Golden("svl2_v250_otros.bin")}}, '0'},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.term);
        Pedir(c.term, c.svl0, c.archivos);
        EscribirArchivo(Ruta(QString("TX/") + c.term), {});
        EXPECT_EQ(Estado(c.term).left(1), QByteArray(1, c.estado));
    }
    EXPECT_EQ(sim.state(), QProcess::Running);
    const QByteArray otros = LeerArchivo(Ruta("term8/download/_svl.1"));
    ASSERT_EQ(otros.size(), 383);
    EXPECT_EQ(Tramos(otros, {{260, 12}, {307, 4}}), "000000001001 0000");
    EXPECT_EQ(LeerArchivo(Ruta("term8/download/_SVL.2")).size(), 324);
}

TEST_F(TerminalSimTest, CatalogUpdatesAndClosuresAnswerInSal0) {
    const QStringList catalogos{"_SAL.2", "_SAL.3", "_SAL.4", "_SAL.5"};
    QDir().mkpath(Ruta("catalogos"));
    for (const QString& n : catalogos) EscribirArchivo(Ruta("catalogos/" + n), n.toLatin1());
    Iniciar({"--catalogs", Ruta("catalogos")});
    const struct {
        const char* term;
        QByteArray svl0, sal0;
        QStringList entregados;
        QByteArray inicioRespuesta;
    } casos[] = {
        {"term1", "V2509992000012  ", Sal0V250("00", "102"), {"_SAL.2", "_SAL.4"}, "00000000000"},
        {"term2", "V1019992000012  ", "000110000" + QByteArray(50, ' ') + "\r\n", {"_SAL.3", "_SAL.5"}, "00000000000"},
        {"term3", kV250, Sal0V250("07", "000"), {}, "07000001001"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.term);
        Pedir(c.term, c.svl0, {{"_SAL.0", c.sal0}});
        EXPECT_EQ(Estado(c.term).left(1), "0");
        const QString down = Ruta(QString(c.term) + "/download/");
        EXPECT_EQ(QDir(down).entryList({"_SAL.[2-5]"}, QDir::Files), c.entregados);
        for (const QString& n : c.entregados) EXPECT_EQ(LeerArchivo(down + n), n.toLatin1());
        const QByteArray respuesta = LeerArchivo(down + "_sal.0");
        ASSERT_EQ(respuesta.size(), 116);
        EXPECT_EQ(Tramos(respuesta, {{0, 11}, {40, 4}, {84, 11}, {114, 2}}),
                  c.inicioRespuesta + " 0000 00000000012 \r\n");
    }
}

}  // namespace
