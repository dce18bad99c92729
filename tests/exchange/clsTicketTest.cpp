// The ticket header record: the four layouts byte by byte, the conversions of single fields, and
// the errors read back from the terminal's answer.
#include <QDir>

#include "core/modTarsa.h"
#include "exchange/RegistroEsperado.h"
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

// Every property set, so each field shows where it lands.
clsTicket Completo(const char* version, int tipoPrestador, int operacion) {
    clsTicket t;
    t.Version = version;
    t.CodigoOperacion = operacion;
    t.TipoPrestador = tipoPrestador;
    t.Tarjeta = "6034930001234567";
    t.TipoLectura = "2";
    t.Prestador = "778899";
    t.PrestadorSolicitante = "112233";
    t.TicketPadre = "987";
    t.NTransaccionFarmacia = "4321";
    t.Farmacia = "123456789012";
    t.TipoReceta = "R1";
    t.Receta = "RX-55";
    t.FechaReceta = "05/03/2024";
    t.FechaEmisionRecetario = "01/02/2024";
    t.FechaVenta = "06/03/2024";
    t.HoraVenta = "9:5";
    t.FechaPractica = "07/03/2024";
    t.HoraPractica = "09:30";
    t.Consulta = "CONS";
    t.TipoMatriculaRe = "MN";
    t.MatriculaRe = "12345";
    t.TipoMatriculaPr = "MP";
    t.MatriculaPr = "54321";
    t.TipoMatriculaAu = "MA";
    t.MatriculaAu = "777";
    t.TipoAutorizacion = "P";
    t.Autorizacion = "";
    t.DocumentacionExtra = "DX";
    t.CodigoFinTerapia = "3";
    t.DescuentoPrestador = "12.5";
    t.DescuentoOS = "150";
    t.TipoDocumentoRetira = "D";
    t.DocumentoRetira = "20111222";
    return t;
}

}  // namespace

TEST_F(TicketCabecera, V101PharmacyLayout) {
    const QByteArray esperado = RegistroEsperado(222, {
        {0, "6034930001234567" + Esp(84)}, {100, "2"}, {101, Esp(18)}, {119, "012345"}, {125, "012.5"},
        {130, "00150"}, {135, "20240305"}, {143, "A"}, {144, "0000000987"}, {154, Esp(10, '0')},
        {164, Esp(13)}, {177, Esp(9, '0')}, {186, "0000"}, {190, Esp(30)}, {220, "\r\n"}});
    EXPECT_EQ(Grabado(Completo("V101", 1, 41)), esperado);
}

TEST_F(TicketCabecera, V101OtherProviderLayout) {
    clsTicket t = Completo("V101", 2, 3);
    const QByteArray sinAutorizacion = RegistroEsperado(262, {
        {0, "6034930001234567" + Esp(84)}, {100, "2"}, {101, Esp(18)}, {119, "MN"}, {121, "012345"},
        {127, "MP"}, {129, "054321"}, {135, "012.5"}, {140, "00150"}, {145, "20240305"}, {153, "3"},
        {154, "0000000987"}, {164, Esp(10, '0')}, {174, Esp(13)}, {187, Esp(9, '0')}, {196, "0000"},
        {200, Esp(30)}, {230, Esp(30, '\0')}, {260, "\r\n"}});
    t.Autorizacion = "   ";  // blanks only: the earlier ticket goes
    EXPECT_EQ(Grabado(t), sinAutorizacion);
    t.Autorizacion = "556677";
    EXPECT_EQ(Grabado(t).mid(154, 10), "0000556677");
}

TEST_F(TicketCabecera, V250PharmacyLayout) {
    const QByteArray esperado = RegistroEsperado(372, {
        {0, "FF000"}, {5, "02"}, {7, "6034930001234567" + Esp(84)}, {107, "2"}, {108, "23456789012"},
        {119, "987" + Esp(9)}, {131, "R1"}, {133, "RX-55" + Esp(15)}, {153, "20240305"}, {161, "20240201"},
        {169, "20240306"}, {177, "9500"}, {181, "D"}, {182, "20111222"}, {190, "CONS" + Esp(16)},
        {210, "MN"}, {212, "012345"}, {218, "MA"}, {220, "000777"}, {226, "P"}, {227, Esp(12)},
        {239, "DX   "}, {244, "012.5"}, {249, Esp(36)}, {285, Esp(11, '0')}, {296, "0000"}, {300, Esp(40)},
        {340, "00004321"}, {348, Esp(22)}, {370, "\r\n"}});
    EXPECT_EQ(Grabado(Completo("V250", 1, 2)), esperado);
}

TEST_F(TicketCabecera, V250OtherProviderLayout) {
    const QByteArray esperado = RegistroEsperado(383, {
        {0, "FF000"}, {5, "51"}, {7, "6034930001234567" + Esp(84)}, {107, "2"}, {108, "00000778899"},
        {119, "00000112233"}, {130, "987" + Esp(9)}, {142, "R1"}, {144, "RX-55" + Esp(15)},
        {164, "20240305"}, {172, "20240201"}, {180, "20240307"}, {188, "0930"}, {192, "CONS" + Esp(16)},
        {212, "MN"}, {214, "012345"}, {220, "MP"}, {222, "054321"}, {228, "MA"}, {230, "000777"},
        {236, "P"}, {237, Esp(12)}, {249, "DX   "}, {254, "3"}, {255, "01250"}, {260, Esp(36)},
        {296, Esp(11, '0')}, {307, "0000"}, {311, Esp(40)}, {351, Esp(30)}, {381, "\r\n"}});
    EXPECT_EQ(Grabado(Completo("V250", 7, 51)), esperado);
}

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
        {"hora vacía", "V250", 1, [](clsTicket& t) { t.HoraVenta = ""; }, 177, "0000"},
        {"hora práctica vacía", "V250", 2, [](clsTicket& t) { t.HoraPractica = ""; }, 188, "    "},
        {"fecha inválida", "V250", 1, [](clsTicket& t) { t.FechaReceta = "31/04/2005"; }, 153, Esp(8)},
        {"fecha vacía", "V101", 1, [](clsTicket& t) { t.FechaReceta = ""; }, 135, Esp(8)},
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
        QByteArray ok = Esp(c.longitud), error = Esp(c.longitud);
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
    QByteArray letrasV101 = Esp(222), letrasV250 = Esp(372), corto = Esp(371);
    letrasV101.replace(186, 4, "AB12");
    letrasV250.replace(296, 4, "AB12");
    corto.replace(296, 4, "0105");
    QByteArray blancoV250 = Esp(372);  // the terminal left the code blank
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
