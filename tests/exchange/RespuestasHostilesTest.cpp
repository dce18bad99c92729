// Answer files as a careless or hostile terminal may leave them, and request fields holding any character.
#include <QDialog>
#include <QDir>
#include <QFile>

#include "core/modTarsa.h"
#include "exchange/ArchivoRespuesta.h"
#include "exchange/Registro.h"
#include "exchange/clsItemTicket.h"
#include "exchange/clsTransaccion.h"
#include "exchange/modIntercambio.h"
#include "platform/ui/Modal.h"
#include "support/Entorno.h"
#include "ui/modRespuesta.h"

class RespuestasHostilesTest : public ConIntercambio {
protected:
    void SetUp() override {
        ConIntercambio::SetUp();
        t.QueloPath = d;
        gVersion = "V250";
    }
    // A file of the given size holding only its first bytes, without writing the rest (sparse).
    void Enorme(const QString& ruta, const QByteArray& comienzo, qint64 tamano) {
        EscribirArchivo(ruta, comienzo);
        ASSERT_TRUE(QFile::resize(ruta, tamano));
    }
    clsTransaccion t;
};

TEST_F(RespuestasHostilesTest, ALinkedTicketIsNeitherShownNorPrintedNorKept) {
    if (!EnlacesPosibles()) GTEST_SKIP() << kSinEnlaces;
    QDir().mkpath(Ruta("afuera"));
    EscribirArchivo(Ruta("afuera/passwd"), "root:x:0:0:SECRETO\n");
    gVerTicket = gImprimirTicket = true;
    gVerListaErrores = false;
    int ventanas = 0;
    EstablecerManejadorModal([&](QDialog&) { return ++ventanas, int(QDialog::Accepted); });
    for (const bool directorio : {false, true}) {  // the download directory itself a link, the second time
        if (directorio) {
            QDir(d + "/download").removeRecursively();
            ASSERT_TRUE(CrearEnlace(Ruta("afuera"), d + "/download"));
        }
        ASSERT_TRUE(CrearEnlace(Ruta("afuera/passwd"), d + "/download/_ticket.prn"));
        mensajes.mostrados.clear();
        const RespuestaTicket r = MostrarRespuestaTicket(t, nullptr);
        EXPECT_FALSE(r.Ticket.contains("SECRETO"));
        EXPECT_EQ(ventanas, 0);
        EXPECT_TRUE(impresora.impresos.isEmpty());
        EXPECT_TRUE(mensajes.Unico().texto.contains("_ticket.prn no es un archivo común"));
    }
}

TEST_F(RespuestasHostilesTest, OnlyWhatAnAnswerFileCanHoldIsRead) {
    // A status with no line end is cut at the limit.
    Enorme(d + "/Estado.rsp", "0", 300LL * 1024 * 1024);
    EXPECT_EQ(t.BuscarRespuesta(), "0" + QString(ArchivoRespuesta::kLimiteEstado - 1, QChar(0)) + QChar(0x2026));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());  // the status is polled: never a message

    Enorme(d + "/download/_ticket.prn", "LINEA 1\r\nLINEA 2\r\n", 50LL * 1024 * 1024);
    const QString ticket = t.BuscarTicket();
    EXPECT_TRUE(ticket.startsWith("LINEA 1\r\nLINEA 2\r\n"));
    EXPECT_LE(ticket.size(), ArchivoRespuesta::kLimiteTicket + 2);
    EXPECT_TRUE(mensajes.Unico().texto.contains("_ticket.prn es más larga"));
}

TEST_F(RespuestasHostilesTest, AnsweredRecordsBeyondTheLimitAreReportedNotRead) {
    QByteArray registro(246, ' ');
    registro.replace(170, 4, "0105");
    QByteArray archivo;
    for (int i = 0; i < 1500; ++i) archivo += registro;
    EscribirArchivo(d + "/download/_SVL.3", archivo);
    clsItemTicket items;
    items.Version = "V250";
    items.TipoPrestador = 1;
    items.LeerSVL2(d, gColErrores);
    EXPECT_EQ(gColErrores.size(), ArchivoRespuesta::kMaximoRegistros);
    EXPECT_TRUE(mensajes.Unico().texto.contains("1500 registros"));
}

TEST_F(RespuestasHostilesTest, EveryFieldKeepsItsWidthWhateverCharactersItHolds) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // beyond the Basic Multilingual Plane
    const struct {
        Convencion conv;
        int ancho;
        QString valor;
        QByteArray esperado;
    } casos[] = {{Convencion::Texto, 6, emoji + "AB", "?AB   "},
                 {Convencion::Texto, 3, QString::fromUtf8("中文ÑX"), "??\xD1"},
                 {Convencion::Texto, 4, QString::fromUtf8("e\xCC\x81") + "!", "\xE9!  "},  // e + combining accent
                 {Convencion::Ceros, 4, "1" + emoji, "001?"},
                 {Convencion::Ceros, 2, "12" + emoji, "2?"},
                 {Convencion::CerosRTrim, 5, " 7" + emoji, "00 7?"}};
    for (const auto& c : casos)
        EXPECT_EQ(Registro::FormatearCampo(c.conv, c.ancho, c.valor, {}), c.esperado) << c.valor.toStdString();

    t.Version = "V250";
    t.Licencia = emoji + QString::fromUtf8("ÑANDÚ12345");
    EXPECT_EQ(t.RegistroSVL0(), QByteArray("V2500000") +
                                    "?\xD1"
                                    "AND\xDA"
                                    "12");
}
