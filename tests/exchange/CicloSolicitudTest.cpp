// The request cycle without a window: a scripted terminal walks each road of a cancelled request's answer.
#include <QDir>

#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/Pedido.h"
#include "exchange/modIntercambio.h"
#include "support/Entorno.h"

class CicloSolicitudTest : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        gVersion = "V250";
        Sesion({.empresa = "5", .actividad = "7", .terminal = "LIC1", .codigoEmpresa = "1"});
        Nuevo("term42");
    }
    // A fresh run: its exchange directory and its cycle, whose late approvals land in `tardias`.
    void Nuevo(const QString& term) {
        d = Intercambio(term);
        ciclo = CicloSolicitud();
        ciclo.AlRecibirRespuestaTardia = [this](const RespuestaTardia& r) { tardias << r.Ticket; };
    }
    QByteArray PedirTicket() {
        GrabarPedido(d, "V250", 1);
        return LeerArchivo(d + "/upload/_SVL.1");
    }
    // The terminal takes the request: its files leave UpLoad.
    void Tomar() {
        for (const QString& f : QDir(d + "/upload").entryList(QDir::Files)) QFile::remove(d + "/upload/" + f);
    }
    // The terminal's approval of a ticket request: its header with the ticket number, the ticket, the status last.
    void Aprobar(const QByteArray& pedido, int ticket) {
        EscribirArchivo(d + "/download/_svl.1",
                        QByteArray(pedido).replace(249, 12, QByteArray::number(ticket).rightJustified(12, '0')));
        EscribirArchivo(d + "/download/_ticket.prn", "Ticket: " + QByteArray::number(ticket) + "\r\n");
        EscribirArchivo(d + "/Estado.rsp", "0 Aprobada\r\n");
    }
    // A wait as the window's: over once Estado.rsp is there; until then the terminal does its next step;
    // with none left the user cancels. A wait that keeps ending on the same answer fails the test.
    Solicitud Enviar(QList<std::function<void()>> terminal) {
        clsTransaccion t{.Version = "V250", .Actividad = "7", .Empresa = "5", .Licencia = "LIC1", .QueloPath = d};
        int esperas = 0;
        return ciclo.Enviar(t, [&] {
            if (++esperas > 10) {
                ADD_FAILURE() << "the wait ended on the same answer again and again";
                return false;
            }
            if (!QFile::exists(d + "/Estado.rsp")) {
                if (terminal.isEmpty()) return false;
                terminal.takeFirst()();
            }
            return QFile::exists(d + "/Estado.rsp");
        });
    }
    // The user gives up waiting once the terminal has taken the ticket request.
    QByteArray CancelarTicket() {
        const QByteArray pedido = PedirTicket();
        EXPECT_EQ(Enviar({[this] { Tomar(); }}).Resultado, ResultadoSolicitud::Cancelada);
        return pedido;
    }

    QString d;
    CicloSolicitud ciclo;
    QStringList tardias;
};

// A cancelled ticket's late approval is handed over once wherever it lands, and the next request (the
// same ticket or a catalog update) reads its own answer, also when the archive cannot be written.
TEST_F(CicloSolicitudTest, AnApprovalOfACancelledRequestIsTakenOnceWheneverItLands) {
    // AlDespejar: the status is there, its line end not yet written, as the next request clears the way.
    enum Llegada { AntesDelPedido, AlDespejar, AlEscribirElPedido, EnLaEspera };
    const struct {
        const char* caso;
        bool catalogo;
        Llegada llegada;
        bool archivoRoto;
    } casos[] = {{"ticket again, approval before it", false, AntesDelPedido, false},
                 {"ticket again, approval still being written as the way is cleared", false, AlDespejar, false},
                 {"ticket again, approval while it is written", false, AlEscribirElPedido, false},
                 {"ticket again, approval during its wait", false, EnLaEspera, false},
                 {"catalog update, approval before it", true, AntesDelPedido, false},
                 {"catalog update, approval while it is written", true, AlEscribirElPedido, false},
                 {"catalog update, approval during its wait", true, EnLaEspera, false},
                 {"ticket again, approval during its wait, archive not writable", false, EnLaEspera, true},
                 {"catalog update, approval before it, archive not writable", true, AntesDelPedido, true}};
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Nuevo("term" + QString::number(++n));
        tardias.clear();
        const QString archivo = dirAplicacion + "/Intercambios";
        QDir(archivo).removeRecursively();
        if (c.archivoRoto) EscribirArchivo(archivo, "a file where the archive's directory should be");
        const QByteArray pedido = CancelarTicket();
        ASSERT_EQ(ciclo.Pendientes().size(), 1);

        QByteArray segundo;
        if (c.catalogo)
            EscribirArchivo(d + "/upload/_SAL.0", "V250 catalogos\r\n");
        else
            segundo = PedirTicket();  // the same transaction number: the form keeps it after a cancel
        const auto tardia = [&] { Aprobar(pedido, 1001); };
        const auto propia = [&] {
            Tomar();
            if (!c.catalogo) return Aprobar(segundo, 1002);
            EscribirArchivo(d + "/download/_sal.0", "0000 catalogos listos\r\n");
            EscribirArchivo(d + "/Estado.rsp", "0 Listo\r\n");
        };
        if (c.llegada == AntesDelPedido || c.llegada == AlDespejar) tardia();
        if (c.llegada == AlDespejar) EscribirArchivo(d + "/Estado.rsp", "0 Aprobada");
        ciclo.EscribirPedido = [&](const clsTransaccion& t) {
            if (c.llegada == AlEscribirElPedido) tardia();
            t.PutSVL0();
        };
        Solicitud s = c.llegada == EnLaEspera ? Enviar({tardia, propia}) : Enviar({propia});

        ASSERT_EQ(s.Resultado, ResultadoSolicitud::Procesada);
        Aprobar(pedido, 1003);  // what the terminal writes afterwards does not change the answer read
        EXPECT_EQ(tardias, QStringList{"Ticket: 1001\r\n"});
        if (c.catalogo) {
            EXPECT_EQ(s.Transaccion.LeerSAL0(), "0000 catalogos listos\r\n");
        } else {
            EXPECT_EQ(s.Transaccion.BuscarTicket(), "Ticket: 1002\r\n");
            EXPECT_EQ(s.Transaccion.LeerSVL1().mid(249, 12), "000000001002");
        }
        EXPECT_TRUE(ciclo.Pendientes().isEmpty());
        // An archive that cannot be written is told of (once a run), and nothing else is.
        for (const MensajeMostrado& m : mensajes.mostrados)
            EXPECT_EQ(m.titulo, "Archivo de intercambios") << m.texto.toStdString();
        if (!c.archivoRoto) EXPECT_TRUE(mensajes.mostrados.isEmpty());
        mensajes.mostrados.clear();
        QFile::remove(archivo);
    }
}

// A cancelled request is looked for at shutdown; one unanswered keeps the exchange directory, as does a
// run that dies while waiting: the next start journals what the terminal left there.
TEST_F(CicloSolicitudTest, ACancelledRequestIsLookedForAtShutdownAndAtTheNextStart) {
    Aprobar(CancelarTicket(), 1001);
    {  // a terminal that writes no line end: the status counts once it has stood unchanged
        EscribirArchivo(d + "/Estado.rsp", "0 Aprobada");
        QFile estado(d + "/Estado.rsp");
        ASSERT_TRUE(estado.open(QIODevice::ReadWrite));
        estado.setFileTime(QDateTime::currentDateTime().addSecs(-1), QFileDevice::FileModificationTime);
    }
    EXPECT_TRUE(ciclo.AlCerrar(d));
    EXPECT_EQ(tardias, QStringList{"Ticket: 1001\r\n"});

    const QByteArray sinRespuesta = CancelarTicket();
    EXPECT_FALSE(ciclo.AlCerrar(d));
    EXPECT_TRUE(mensajes.Unico().texto.startsWith(
        QString::fromUtf8("La terminal todavía no respondió un pedido cuya espera se canceló.")));
    BorrarDirectorioIntercambio(d);
    ASSERT_TRUE(QDir(d).exists()) << "removed at shutdown with its request unanswered";
    Aprobar(sinRespuesta, 1002);  // the terminal answers after the program has closed
    const QString cerrado = d;

    // A run that dies during a wait leaves its directory as it was then: here a copy of what lists its requests.
    Nuevo("term43");
    const QString muerto = dirTrabajo + "/term143";
    QDir().mkpath(muerto + "/download");
    const QByteArray enCurso = PedirTicket();
    Enviar({[&] {
        Tomar();
        QFile::copy(d + "/" + kArchivoPendientes, muerto + "/" + kArchivoPendientes);
    }});
    d = muerto;
    Aprobar(enCurso, 1003);

    Nuevo("term44");  // the next start
    EXPECT_EQ(BorrarDirectoriosAbandonados(), 0);
    EXPECT_EQ(ciclo.RecuperarAbandonados(dirTrabajo), 2);  // term42 and term143; term43 got no answer
    tardias.sort();
    EXPECT_EQ(tardias, (QStringList{"Ticket: 1001\r\n", "Ticket: 1002\r\n", "Ticket: 1003\r\n"}));
    EXPECT_FALSE(QDir(cerrado).exists());
    EXPECT_FALSE(QDir(muerto).exists());
    EXPECT_EQ(ciclo.RecuperarAbandonados(dirTrabajo), 0);
}
