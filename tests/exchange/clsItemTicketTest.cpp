// Item and diagnosis records: numbering of records, field conversions and the item errors read
// back from the terminal's answer (whole layouts are compared with the golden files).
#include <QDir>

#include "catalogs/clsDiagnostico.h"
#include "core/modTarsa.h"
#include "exchange/clsItemTicket.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

namespace {

class ItemsTicket : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        d = Ruta("Estandar/term42");
        QDir().mkpath(d + "/UpLoad");
        QDir().mkpath(d + "/DownLoad");
    }
    // Writes the items with one object and returns the upload file.
    QByteArray Grabar(const char* version, int tipo, const QList<std::function<void(clsItemTicket&)>>& items,
                      const QString& archivo) {
        QFile::remove(d + "/UpLoad/" + archivo);
        clsItemTicket it;
        it.Version = version;
        it.TipoPrestador = tipo;
        EXPECT_TRUE(it.AbrirArchivo(d));
        for (const auto& poner : items) {
            it.InicializarVariables();
            poner(it);
            EXPECT_TRUE(tipo == 1 ? it.GrabarSVL3() : it.GrabarSVL2());
        }
        EXPECT_TRUE(it.CerrarArchivo());
        return LeerArchivo(d + "/UpLoad/" + archivo);
    }
    QString d;
};

void Medicamento(clsItemTicket& i) {
    i.Troquel = "1234567";
    i.CodigoBarra = " 779123456789";
    i.CodigoProveedor = "55";
    i.Cantidad = "2";
    i.TipoArancel = "1";
    i.Precio = "123450";
    i.Descuento = "15";
    i.Diagnostico = "J45";
    i.TipoAutorizacion = QString::fromUtf8("Crónico");
    i.Autorizacion = "AUT9";
    i.PorcentajeCobertura = "40";
    i.PlanCobertura = "PLAN A";
    i.TipoPrescripcion = 2;
    i.CambioPrescripcion = false;
}

}  // namespace

TEST_F(ItemsTicket, ItemsAreNumberedPerObjectAndResetKeepsTheSharedProperties) {
    auto conTroquel = [](const char* t) { return [t](clsItemTicket& i) { i.Troquel = t; }; };
    QFile::remove(d + "/UpLoad/_SVL.3");
    clsItemTicket it;
    it.Version = "V250";
    it.TipoPrestador = 1;
    it.AbrirArchivo(d);
    Medicamento(it);
    it.GrabarSVL3();
    it.InicializarVariables();
    it.Troquel = "2";
    it.GrabarSVL3();
    it.CerrarArchivo();
    const QByteArray dos = LeerArchivo(d + "/UpLoad/_SVL.3");
    ASSERT_EQ(dos.size(), 2 * 246);
    const QByteArray segundo = dos.mid(246);
    EXPECT_EQ(segundo.mid(5, 7), "0000002");
    EXPECT_EQ(segundo.mid(25, 7), "0000055") << "CodigoProveedor stays";
    EXPECT_EQ(segundo.mid(56, 1), "5") << "TipoAutorizacion stays";
    EXPECT_EQ(segundo.mid(32, 2), "00");
    EXPECT_EQ(segundo.mid(69, 5), "00000") << "empty coverage counts as 0";
    EXPECT_EQ(segundo.mid(214, 2), "  ") << "prescription texts emptied";
    // A new object starts again at record 1 (the file is not truncated).
    const QByteArray uno = Grabar("V250", 1, {conTroquel("9")}, "_SVL.3");
    EXPECT_EQ(uno.size(), 246);
    EXPECT_EQ(Grabar("V250", 1, {conTroquel("1"), conTroquel("2"), conTroquel("3")}, "_SVL.3").mid(2 * 246 + 5, 7),
              "0000003");
}

TEST_F(ItemsTicket, FieldConversions) {
    struct Caso {
        const char* nombre;
        std::function<void(clsItemTicket&)> poner;
        int offset;
        QByteArray bytes;
    };
    const QList<Caso> casos = {
        {"cobertura 12.5", [](clsItemTicket& i) { i.PorcentajeCobertura = "12.5"; }, 69, "01250"},
        {"PM/PMI", [](clsItemTicket& i) { i.TipoAutorizacion = "PM/PMI"; }, 56, "4"},
        {"tipo desconocido", [](clsItemTicket& i) { i.TipoAutorizacion = "Otro"; }, 56, "0"},
        {"cambio verdadero", [](clsItemTicket& i) { i.CambioPrescripcion = true; }, 215, "1"},
        {"prescripción -1", [](clsItemTicket& i) { i.TipoPrescripcion = -1; }, 214, " "},
        {"troquel largo", [](clsItemTicket& i) { i.Troquel = "991234567"; }, 5, "1234567"},
    };
    for (const Caso& c : casos) {
        const QByteArray r = Grabar("V250", 1, {[&c](clsItemTicket& i) { Medicamento(i); c.poner(i); }}, "_SVL.3");
        EXPECT_EQ(r.mid(c.offset, c.bytes.size()), c.bytes) << c.nombre;
    }
    const QByteArray v101 =
        Grabar("V101", 1, {[](clsItemTicket& i) { Medicamento(i); i.Diagnostico = "ABCDEFG"; }}, "_SVL.2");
    EXPECT_EQ(v101.mid(40, 6), "BCDEFG");
}

TEST_F(ItemsTicket, AnswerErrorsOfEveryLayout) {
    struct Caso {
        const char* version;
        int tipo;
        const char* archivo;
        int longitud;
        int offCodigo;  // -1: V101, the text alone tells
        int offTexto, anchoTexto;
    };
    for (const Caso& c : {Caso{"V101", 1, "_SVL.3", 98, -1, 46, 30}, Caso{"V101", 2, "_SVL.2", 85, -1, 23, 30},
                          Caso{"V250", 1, "_SVL.3", 246, 170, 174, 40}, Caso{"V250", 2, "_SVL.2", 162, 86, 90, 40}}) {
        QByteArray ok(c.longitud, ' '), error(c.longitud, ' ');
        if (c.offCodigo >= 0) {
            ok.replace(c.offCodigo, 4, "0000");
            error.replace(c.offCodigo, 4, "0212");
        }
        error.replace(c.offTexto, 11, "Sin stock  ");
        EscribirArchivo(d + "/DownLoad/" + c.archivo, error + ok + error);
        gColErrores.clear();
        clsItemTicket it;
        it.Version = c.version;
        it.TipoPrestador = c.tipo;
        EXPECT_TRUE(it.LeerSVL2(d));
        ASSERT_EQ(gColErrores.size(), 2) << c.version << c.tipo;
        EXPECT_EQ(gColErrores[1].Numero, c.offCodigo >= 0 ? 212 : 1);
        EXPECT_EQ(gColErrores[1].Tipo, 1);
        EXPECT_EQ(gColErrores[1].Comentario, "Sin stock" + QString(c.anchoTexto - 9, ' '));
    }
}

TEST_F(ItemsTicket, BadItemAnswers) {
    QByteArray letras(246, ' ');
    letras.replace(170, 4, "12AB");
    EscribirArchivo(d + "/DownLoad/_SVL.3", letras);
    clsItemTicket it;
    it.Version = "V250";
    it.TipoPrestador = 1;
    EXPECT_THROW(it.LeerSVL2(d), TarsaError);
    EscribirArchivo(d + "/DownLoad/_SVL.3", QByteArray(245, ' '));  // shorter than one record
    gColErrores.clear();
    EXPECT_TRUE(it.LeerSVL2(d));
    EXPECT_TRUE(gColErrores.isEmpty());
    it.Version = "V999";
    EXPECT_TRUE(it.LeerSVL2(d));
}

TEST_F(ItemsTicket, DiagnosisCodesAreCutToTenAndAnEmptyListLeavesAnEmptyFile) {
    clsDiagnostico dg;
    ASSERT_TRUE(dg.AbrirArchivo(d));
    dg.Diagnostico = "ABCDEFGHIJKL";
    EXPECT_TRUE(dg.GrabarSVL4());
    dg.CerrarArchivo();
    EXPECT_EQ(LeerArchivo(d + "/UpLoad/_SVL.4").left(14), "ABCDEFGHIJ0000");
    QFile::remove(d + "/UpLoad/_SVL.4");
    clsDiagnostico vacio;
    vacio.AbrirArchivo(d);
    vacio.CerrarArchivo();
    EXPECT_EQ(LeerArchivo(d + "/UpLoad/_SVL.4"), "");
    EXPECT_TRUE(QFile::exists(d + "/UpLoad/_SVL.4"));
}
