// The request record, the notification and the reading of the status and answer files.
#include <QDir>

#include "core/modTarsa.h"
#include "exchange/clsTransaccion.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

namespace {
class Transaccion : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        gQueloPath = dirTrabajo;
        gTermDir = "term42";
        d = DirectorioIntercambio();
        QDir().mkpath(d + "/upload");
        QDir().mkpath(d + "/download");
        t.Version = "V250";
        t.Empresa = " 5 ";
        t.Actividad = "7";
        t.Licencia = "12345678AB";
        t.QueloPath = d;
    }
    QString d;
    clsTransaccion t;
};
}  // namespace

TEST_F(Transaccion, RequestRecordFields) {
    struct Caso {
        QString empresa, actividad, licencia;
        QByteArray bytes;
    };
    for (const Caso& c : {Caso{" 5 ", "7", "12345678AB", "V2500507" "12345678"},
                          Caso{"123", "1234", "77", "V2502334" "77      "},
                          Caso{"", " 7", "", "V25000 7" "        "}}) {
        t.Empresa = c.empresa;
        t.Actividad = c.actividad;
        t.Licencia = c.licencia;
        EXPECT_EQ(t.RegistroSVL0(), c.bytes) << c.empresa.toStdString();
    }
}

TEST_F(Transaccion, PutSVL0RemovesTheOldStatusWritesTheRequestAndNotifies) {
    EscribirArchivo(d + "/ESTADO.RSP", "0 viejo\r\n");
    EscribirArchivo(d + "/upload/_SVL.0", "XXXXXXXXXXXXXXXXtail");
    QDir(dirTrabajo).mkdir("tx");
    EscribirArchivo(dirTrabajo + "/tx/term42", "old");
    EXPECT_TRUE(t.PutSVL0());
    EXPECT_FALSE(QFile::exists(d + "/ESTADO.RSP"));
    EXPECT_EQ(LeerArchivo(d + "/upload/_SVL.0"), "V2500507" "12345678" "tail");
    EXPECT_TRUE(QFile::exists(dirTrabajo + "/tx/term42"));
    EXPECT_EQ(LeerArchivo(dirTrabajo + "/tx/term42"), "");
}

TEST_F(Transaccion, WithoutTxNoNotificationAndATrailingSeparatorGivesTheSameDirectory) {
    gQueloPath = dirTrabajo + "/";
    t.QueloPath = DirectorioIntercambio();
    EXPECT_TRUE(t.PutSVL0());
    EXPECT_EQ(LeerArchivo(d + "/upload/_SVL.0").size(), 16);
    EXPECT_FALSE(QDir(dirTrabajo).exists("TX"));
    QDir(d).removeRecursively();
    EXPECT_THROW(t.PutSVL0(), TarsaError);
}

TEST_F(Transaccion, StatusLine) {
    struct Caso {
        const char* nombre;
        std::optional<QByteArray> contenido;
        QString estado;
    };
    const QList<Caso> casos = {
        {"éxito", QByteArray("0 Procesado\r\nsegunda\r\n"), "0 Procesado"},
        {"sin fin de línea", QByteArray("E105 Tarjeta inv\xe1lida"), QString::fromUtf8("E105 Tarjeta inválida")},
        {"solo LF", QByteArray("9 error\nmas"), "9 error"},
        {"vacío", QByteArray(), ""},
        {"ausente", std::nullopt, ""},
    };
    for (const Caso& c : casos) {
        QFile::remove(d + "/Estado.rsp");
        if (c.contenido) EscribirArchivo(d + "/Estado.rsp", *c.contenido);
        EXPECT_EQ(t.BuscarRespuesta(), c.estado) << c.nombre;
    }
}

TEST_F(Transaccion, AnswerTextsAndTicketWidth) {
    EXPECT_EQ(t.BuscarTicket(), "");
    EXPECT_EQ(t.MedidaTicket, 0);
    const QByteArray largo(48, '=');
    EscribirArchivo(d + "/download/_ticket.prn", "TICKET\n" + largo + "\r\ncorto");
    EXPECT_EQ(t.BuscarTicket(), "TICKET\r\n" + QString(largo) + "\r\ncorto\r\n");
    EXPECT_EQ(t.MedidaTicket, 48);
    EscribirArchivo(d + "/download/_ticket.prn", "x\r\n");
    t.BuscarTicket();
    EXPECT_EQ(t.MedidaTicket, 48) << "the widest ticket seen stays";

    EscribirArchivo(d + "/download/_SVL.1", "FF00001 cabecera");
    EXPECT_EQ(t.LeerSVL1(), "FF00001 cabecera\r\n");
    EscribirArchivo(d + "/download/_sal.0", "   0000 listo   \r\n");
    EXPECT_EQ(t.LeerSAL0(), "0000 listo   \r\n");
    QFile::remove(d + "/download/_sal.0");
    EXPECT_EQ(t.LeerSAL0(), "");
}
