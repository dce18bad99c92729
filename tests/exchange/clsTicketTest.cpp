// The ticket header record: conversions of single fields, and the errors read back from the
// terminal's answer (whole layouts are compared with the golden files).
#include <QDir>

#include "core/modTarsa.h"
#include "exchange/clsTicket.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

namespace {

class TicketCabecera : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        d = Ruta("Estandar/term42");
        QDir().mkpath(d + "/upload");
        QDir().mkpath(d + "/download");
    }
    QByteArray Grabado(const clsTicket& t) {
        QFile::remove(d + "/upload/_SVL.1");
        EXPECT_TRUE(t.GrabarSVL1(d));
        return LeerArchivo(d + "/upload/_SVL.1");
    }
    QString d;
};

clsTicket Completo(const char* version, int tipoPrestador, int operacion) {
    clsTicket t;
    t.Version = version;
    t.CodigoOperacion = operacion;
    t.TipoPrestador = tipoPrestador;
    t.Tarjeta = "6034930001234567";
    return t;
}

}  // namespace

TEST_F(TicketCabecera, SingleFieldConversions) {
    struct Caso {
        const char* nombre;
        const char* version;
        int tipo;
        std::function<void(clsTicket&)> poner;
        int offset;
        QByteArray bytes;
    };
    const QList<Caso> casos = {
        {"hora 12:30", "V250", 1, [](clsTicket& t) { t.HoraVenta = "12:30"; }, 177, "1230"},
        {"hora 9:5", "V250", 1, [](clsTicket& t) { t.HoraVenta = "9:5"; }, 177, "9500"},
        {"hora vacía", "V250", 1, [](clsTicket& t) { t.HoraVenta = ""; }, 177, "0000"},
        {"hora práctica vacía", "V250", 2, [](clsTicket& t) { t.HoraPractica = ""; }, 188, "    "},
        {"fecha inválida", "V250", 1, [](clsTicket& t) { t.FechaReceta = "31/04/2005"; }, 153, "        "},
        {"fecha vacía", "V101", 1, [](clsTicket& t) { t.FechaReceta = ""; }, 135, "        "},
        {"farmacia de 12 dígitos", "V250", 1, [](clsTicket& t) { t.Farmacia = "123456789012"; }, 108, "23456789012"},
        {"descuento por 100", "V250", 2, [](clsTicket& t) { t.DescuentoPrestador = "12.5"; }, 255, "01250"},
        {"autorización en blanco", "V101", 2, [](clsTicket& t) { t.Autorizacion = "  "; t.TicketPadre = "987"; }, 154, "0000000987"},
        {"nulos al final", "V101", 2, [](clsTicket&) {}, 230, QByteArray(30, '\0')},
        {"operación 3 en V101", "V101", 1, [](clsTicket& t) { t.CodigoOperacion = 3; }, 143, "3"},
        {"tarjeta larga", "V250", 1, [](clsTicket& t) { t.Tarjeta = QString(101, 'x') + "Z"; }, 7, QByteArray(100, 'x')},
        {"eñe en la tarjeta", "V250", 1, [](clsTicket& t) { t.Tarjeta = QString::fromUtf8("ÑO"); }, 7, "\xd1O "},
        {"operación en V250", "V250", 1, [](clsTicket& t) { t.CodigoOperacion = 80; }, 5, "80"},
    };
    for (const Caso& c : casos) {
        clsTicket t = Completo(c.version, c.tipo, 1);
        c.poner(t);
        EXPECT_EQ(Grabado(t).mid(c.offset, c.bytes.size()), c.bytes) << c.nombre;
    }
}

TEST_F(TicketCabecera, UnknownVersionWritesNothingAndALongerOldFileKeepsItsTail) {
    clsTicket t = Completo("", 1, 1);
    EXPECT_TRUE(t.GrabarSVL1(d));
    EXPECT_FALSE(QFile::exists(d + "/upload/_SVL.1"));
    EscribirArchivo(d + "/upload/_SVL.1", QByteArray(400, 'x'));
    t.Version = "V250";
    EXPECT_TRUE(t.GrabarSVL1(d));
    EXPECT_EQ(LeerArchivo(d + "/upload/_SVL.1").mid(370), "\r\n" + QByteArray(28, 'x'));
}

TEST_F(TicketCabecera, MissingUploadDirectoryRaises) {
    QDir(d).removeRecursively();
    EXPECT_THROW(Completo("V250", 1, 1).GrabarSVL1(d), TarsaError);
}

// The answer: every record's error code and text; code 0 adds nothing.
TEST_F(TicketCabecera, AnswerErrorsOfEveryLayout) {
    struct Caso {
        const char* version;
        int tipo;
        int longitud, offCodigo, offTexto, anchoTexto;
    };
    for (const Caso& c : {Caso{"V101", 1, 222, 186, 190, 30}, Caso{"V101", 2, 262, 196, 200, 30},
                          Caso{"V250", 1, 372, 296, 300, 40}, Caso{"V250", 2, 383, 307, 311, 40}}) {
        QByteArray ok(c.longitud, ' '), error(c.longitud, ' ');
        ok.replace(c.offCodigo, 4, "0000");
        error.replace(c.offCodigo, 4, "0105");
        error.replace(c.offTexto, 14, "Tarjeta vencid");
        error.replace(c.offTexto + 14, 1, "\xe1");  // á in the terminal's code page
        EscribirArchivo(d + "/download/_SVL.1", ok + error);
        gColErrores.clear();
        clsTicket t;
        t.Version = c.version;
        t.TipoPrestador = c.tipo;
        EXPECT_TRUE(t.LeerSVL1(d));
        ASSERT_EQ(gColErrores.size(), 1) << c.version << " " << c.tipo;
        EXPECT_EQ(gColErrores[0].Tipo, 1);
        EXPECT_EQ(gColErrores[0].Numero, 105);
        EXPECT_EQ(gColErrores[0].Clave, "");
        EXPECT_EQ(gColErrores[0].Comentario, QString::fromUtf8("Tarjeta vencidá") + QString(c.anchoTexto - 15, ' '));
    }
}

// Bad answers: letters in the code (only the V101 pharmacy layout reads them as 0), short records,
// empty and missing files.
TEST_F(TicketCabecera, BadAnswers) {
    struct Caso {
        const char* nombre;
        const char* version;
        int tipo;
        QByteArray contenido;  // nullptr-like empty with borrar means missing
        bool falta;
        bool lanza;
        int errores;
    };
    QByteArray letrasV101(222, ' '), letrasV250(372, ' '), corto(371, ' ');
    letrasV101.replace(186, 4, "AB12");
    letrasV250.replace(296, 4, "AB12");
    corto.replace(296, 4, "0105");
    QByteArray blancoV250(372, ' ');  // the terminal left the code blank
    const QList<Caso> casos = {
        {"letras V101 farmacia", "V101", 1, letrasV101, false, false, 0},
        {"letras V250 farmacia", "V250", 1, letrasV250, false, true, 0},
        {"código en blanco V250", "V250", 1, blancoV250, false, true, 0},
        {"registro corto", "V250", 1, corto, false, false, 0},
        {"archivo vacío", "V250", 1, QByteArray(), false, false, 0},
        {"archivo ausente", "V250", 1, QByteArray(), true, false, 0},
    };
    for (const Caso& c : casos) {
        QFile::remove(d + "/download/_SVL.1");
        if (!c.falta) EscribirArchivo(d + "/download/_SVL.1", c.contenido);
        gColErrores.clear();
        clsTicket t;
        t.Version = c.version;
        t.TipoPrestador = c.tipo;
        if (c.lanza) {
            try {
                t.LeerSVL1(d);
                ADD_FAILURE() << c.nombre << ": no error";
            } catch (const TarsaError& e) {
                EXPECT_EQ(e.Numero, 13) << c.nombre;
            }
        } else {
            EXPECT_TRUE(t.LeerSVL1(d)) << c.nombre;
        }
        EXPECT_EQ(gColErrores.size(), c.errores) << c.nombre;
    }
}
