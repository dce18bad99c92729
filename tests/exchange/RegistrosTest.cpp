// Header and item records: conversions the golden sample misses, and every layout's answers read back.
#include <optional>
#include <tuple>

#include "exchange/clsItemTicket.h"
#include "exchange/clsTicket.h"
#include "exchange/modIntercambio.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

namespace {

// Where an answer layout keeps its error code (-1: none, the text alone tells) and its error text.
struct Respuesta {
    const char* nombre;
    bool items;
    const char* version;
    int tipo;
    const char* archivo;
    int longitud, offCodigo, offTexto, anchoTexto;
};
const Respuesta kRespuestas[] = {{"cabecera V101 farmacia", false, "V101", 1, "_SVL.1", 222, 186, 190, 30},
                                 {"cabecera V101 otros", false, "V101", 2, "_SVL.1", 262, 196, 200, 30},
                                 {"cabecera V250 farmacia", false, "V250", 1, "_SVL.1", 372, 296, 300, 40},
                                 {"cabecera V250 otros", false, "V250", 2, "_SVL.1", 383, 307, 311, 40},
                                 {"items V101 farmacia", true, "V101", 1, "_SVL.3", 98, -1, 46, 30},
                                 {"items V101 otros", true, "V101", 2, "_SVL.2", 85, -1, 23, 30},
                                 {"items V250 farmacia", true, "V250", 1, "_SVL.3", 246, 170, 174, 40},
                                 {"items V250 otros", true, "V250", 2, "_SVL.2", 162, 86, 90, 40}};
const Respuesta& kCabeceraV250 = kRespuestas[2];

QByteArray Respondido(const Respuesta& r, const QByteArray& codigo, const QByteArray& texto = {}) {
    QByteArray b(r.longitud, ' ');
    if (r.offCodigo >= 0) b.replace(r.offCodigo, 4, codigo);
    return b.replace(r.offTexto, texto.size(), texto);
}

class RegistrosTest : public ConIntercambio {
protected:
    // The answer file of the layout (absent when contenido is), read back by its reader.
    void Leer(const Respuesta& r, const std::optional<QByteArray>& contenido) {
        gColErrores.clear();
        QFile::remove(d + "/download/" + r.archivo);
        if (contenido) EscribirArchivo(d + "/download/" + r.archivo, *contenido);
        if (!r.items) return clsTicket{.Version = r.version, .TipoPrestador = r.tipo}.LeerSVL1(d, gColErrores);
        clsItemTicket it;
        it.Version = r.version;
        it.TipoPrestador = r.tipo;
        it.LeerSVL2(d, gColErrores);
    }
    QByteArray Cabecera(const clsTicket& t) {
        QFile::remove(d + "/upload/_SVL.1");
        EXPECT_NO_THROW(t.GrabarSVL1(d));
        return LeerArchivo(d + "/upload/_SVL.1");
    }
    QByteArray Item(const char* version, const std::function<void(clsItemTicket&)>& poner) {
        const QString archivo = d + "/upload/" + clsItemTicket::ArchivoSubida(version, 1);
        QFile::remove(archivo);
        clsItemTicket it;
        it.Version = version;
        it.TipoPrestador = 1;
        it.AbrirArchivo(d);
        poner(it);
        EXPECT_NO_THROW(it.GrabarSVL3());
        it.CerrarArchivo();
        return LeerArchivo(archivo);
    }
};

}  // namespace

TEST_F(RegistrosTest, FieldConversions) {
    const struct {
        const char* nombre;
        QByteArray registro;
        int offset;
        QByteArray bytes;
    } casos[] = {
        {"hora 9:5", Cabecera({.Version = "V250", .TipoPrestador = 1, .HoraVenta = "9:5"}), 177, "9500"},
        {"hora de práctica vacía", Cabecera({.Version = "V250", .TipoPrestador = 2, .HoraPractica = ""}), 188, "    "},
        {"fecha inexistente", Cabecera({.Version = "V250", .TipoPrestador = 1, .FechaReceta = "31/04/2005"}), 153,
         "        "},
        {"tarjeta larga", Cabecera({.Version = "V250", .TipoPrestador = 1, .Tarjeta = QString(101, 'x') + "Z"}), 7,
         QByteArray(100, 'x') + "0"},
        {"verificar beneficiario V101", Cabecera({.Version = "V101", .CodigoOperacion = 41, .TipoPrestador = 1}), 143,
         "A"},
        {"autorización en blanco V101",
         Cabecera({.Version = "V101", .TipoPrestador = 2, .TicketPadre = "987", .Autorizacion = "  "}), 154,
         "0000000987"},
        {"descuento 12.5 por 100", Cabecera({.Version = "V250", .TipoPrestador = 2, .DescuentoPrestador = "12.5"}), 255,
         "01250"},
        {"cobertura 12.5 por 100", Item("V250", [](clsItemTicket& i) { i.PorcentajeCobertura = "12.5"; }), 69, "01250"},
        {"diagnóstico V101: los 6 últimos", Item("V101", [](clsItemTicket& i) { i.Diagnostico = "ABCDEFG"; }), 40,
         "BCDEFG"}};
    for (const auto& c : casos) EXPECT_EQ(c.registro.mid(c.offset, c.bytes.size()), c.bytes) << c.nombre;
}

TEST_F(RegistrosTest, ResettingAnItemKeepsTheSharedProperties) {
    clsItemTicket it;  // (CodigoProveedor is kept in the golden sample)
    it.TipoAutorizacion = "Normal";
    it.CambioPrescripcion = true;
    it.InicializarVariables();
    EXPECT_EQ(it.TipoAutorizacion, "Normal");
    EXPECT_FALSE(it.CambioPrescripcion.has_value());
}

TEST_F(RegistrosTest, AnswerErrorsOfEveryLayout) {
    for (const Respuesta& r : kRespuestas) {
        SCOPED_TRACE(r.nombre);
        const QByteArray error = Respondido(r, "0105", "Tarjeta vencid\xe1");  // á in the terminal's code page
        Leer(r, error + Respondido(r, "0000") + error);
        ASSERT_EQ(gColErrores.size(), 2);
        const clsItemError& e = gColErrores[1];
        EXPECT_EQ(std::tuple(e.Tipo, e.Clave, e.Numero, e.Comentario),
                  std::tuple(1, QString(), r.offCodigo < 0 ? 1 : 105,
                             QString::fromUtf8("Tarjeta vencidá") + QString(r.anchoTexto - 15, ' ')));
    }
}

TEST_F(RegistrosTest, BadAnswers) {
    // Letters in the code: the V101 pharmacy header reads them as 0, every other layout raises.
    for (const Respuesta& r : kRespuestas) {
        if (r.offCodigo < 0) continue;
        const auto e = ErrorDe([&] { Leer(r, Respondido(r, "AB12")); });
        EXPECT_EQ(e ? e->Numero : 0, &r == &kRespuestas[0] ? 0 : ErrTiposNoCoinciden) << r.nombre;
        if (!e) EXPECT_TRUE(gColErrores.isEmpty());
    }
    EXPECT_THROW(Leer(kCabeceraV250, Respondido(kCabeceraV250, "    ")), TarsaError) << "blank code";
    // Nothing to list: a record shorter than its layout, an empty or a missing file.
    const QByteArray corto = Respondido(kCabeceraV250, "0105").left(371);
    for (const auto& contenido : {std::optional(corto), std::optional(QByteArray()), std::optional<QByteArray>()}) {
        Leer(kCabeceraV250, contenido);
        EXPECT_TRUE(gColErrores.isEmpty());
    }
}

TEST_F(RegistrosTest, LeeArchivosReadsTheHeaderFirstAndShowsABadAnswer) {
    EscribirArchivo(d + "/download/_SVL.1", Respondido(kCabeceraV250, "0105"));
    EscribirArchivo(d + "/download/_SVL.3", Respondido(kRespuestas[6], "X212"));
    EXPECT_FALSE(LeeArchivos());
    ASSERT_EQ(gColErrores.size(), 1);
    EXPECT_EQ(gColErrores[0].Numero, 105);
    const MensajeMostrado m = mensajes.Unico();
    EXPECT_TRUE(m.texto.contains("X212"));
    EXPECT_EQ(m.estilo, Mensajes::vbCritical);
}

TEST_F(RegistrosTest, AnUnknownVersionRaisesInsteadOfWritingOrReadingNothing) {
    const QString version = "V300";
    EscribirArchivo(d + "/download/_SVL.1", Respondido(kCabeceraV250, "0105"));
    const clsTicket cabecera{.Version = version, .TipoPrestador = 1};
    clsItemTicket item;
    item.Version = version;
    item.TipoPrestador = 1;
    const std::pair<const char*, std::function<void()>> casos[] = {
        {"cabecera", [&] { cabecera.GrabarSVL1(d); }},
        {"abrir items", [&] { item.AbrirArchivo(d); }},
        {"item", [&] { item.GrabarSVL3(); }},
        {"respuesta de cabecera", [&] { cabecera.LeerSVL1(d, gColErrores); }},
        {"respuesta de items", [&] { item.LeerSVL2(d, gColErrores); }}};
    for (const auto& [nombre, llamar] : casos) {
        const auto e = ErrorDe(llamar);
        EXPECT_TRUE(e && e->Numero == ErrArgumentoInvalido && e->Descripcion.contains(version)) << nombre;
    }
    EXPECT_TRUE(gColErrores.isEmpty());
    EXPECT_EQ(QDir(d + "/upload").entryList(QDir::Files), QStringList());
}
