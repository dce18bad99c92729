// The writers against the golden request records in tests/data, typed by hand from the layouts
// (the sample values are listed in tests/data/README.md).
#include <QDir>

#include "TestConfig.h"
#include "catalogs/clsDiagnostico.h"
#include "exchange/clsItemTicket.h"
#include "exchange/clsTicket.h"
#include "support/Entorno.h"

namespace {

class ArchivosPatron : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        d = Ruta("Estandar/term1");
        QDir().mkpath(d + "/UpLoad");
    }
    static QByteArray Patron(const char* nombre) { return LeerArchivo(QString(TARSA_TEST_DATA_DIR) + "/" + nombre); }
    QByteArray Subido(const QString& archivo) { return LeerArchivo(d + "/UpLoad/" + archivo); }
    QString d;
};

clsTicket CabeceraMuestra(const char* version, int tipo) {
    clsTicket t;
    t.Version = version;
    t.CodigoOperacion = 1;
    t.TipoPrestador = tipo;
    t.Tarjeta = "6034930000012345";
    t.TipoLectura = "1";
    t.Prestador = "30512";
    t.PrestadorSolicitante = "4471";
    t.TicketPadre = "4567";
    t.NTransaccionFarmacia = "537";
    t.Farmacia = "4512";
    t.TipoReceta = "1";
    t.Receta = QString::fromUtf8("Nº778123");
    t.FechaReceta = "05/12/2026";
    t.FechaEmisionRecetario = "01/12/2026";
    t.FechaVenta = "06/12/2026";
    t.HoraVenta = "14:35";
    t.FechaPractica = "06/12/2026";
    t.HoraPractica = "09:30";
    t.Consulta = "CONS-01";
    t.TipoMatriculaRe = "1";
    t.MatriculaRe = "12345";
    t.TipoMatriculaPr = "2";
    t.MatriculaPr = "67890";
    t.TipoMatriculaAu = "3";
    t.MatriculaAu = "4321";
    t.TipoAutorizacion = "A";
    t.Autorizacion = "778899";
    t.DocumentacionExtra = "DX1";
    t.CodigoFinTerapia = "2";
    t.DescuentoPrestador = "10";
    t.DescuentoOS = "5";
    t.TipoDocumentoRetira = "1";
    t.DocumentoRetira = "2812345";
    return t;
}

void Item1(clsItemTicket& i) {
    i.Troquel = "512345";
    i.CodigoBarra = "7795312000123";
    i.CodigoProveedor = "8812";
    i.Cantidad = "2";
    i.Precio = "152050";
    i.Descuento = "150";
    i.PorcentajeCobertura = "40";
    i.PlanCobertura = "PMO";
    i.Diagnostico = "I10";
    i.TipoAutorizacion = "Normal";
    i.Autorizacion = "AU55501";
    i.TipoPrescripcion = 2;
    i.CambioPrescripcion = false;
    i.TipoArancel = "1";
    i.TipoPractica = "3";
    i.Practica = "420101";
    i.PiezaDental = "18";
    i.CaraDental = "MOD";
}

void Item2(clsItemTicket& i) {
    i.Troquel = "2233445";
    i.CodigoBarra = " 779531200045";
    i.CodigoProveedor = "8812";
    i.Cantidad = "1";
    i.Precio = "89900";
    i.PlanCobertura = "PMO";
    i.Diagnostico = "E119";
    i.TipoAutorizacion = QString::fromUtf8("Crónico");
    i.TipoPrescripcion = -1;
    i.CambioPrescripcion = true;
    i.TipoPractica = "3";
    i.Practica = "420351";
}

}  // namespace

TEST_F(ArchivosPatron, HeaderOfEveryLayout) {
    struct Caso {
        const char* version;
        int tipo;
        const char* patron;
    };
    for (const Caso& c : {Caso{"V101", 1, "svl1_v101_farmacia.bin"}, Caso{"V101", 2, "svl1_v101_otros.bin"},
                          Caso{"V250", 1, "svl1_v250_farmacia.bin"}, Caso{"V250", 2, "svl1_v250_otros.bin"}}) {
        QFile::remove(d + "/UpLoad/_SVL.1");
        ASSERT_TRUE(CabeceraMuestra(c.version, c.tipo).GrabarSVL1(d));
        EXPECT_EQ(Subido("_SVL.1"), Patron(c.patron)) << c.patron;
    }
}

TEST_F(ArchivosPatron, ItemsOfEveryLayout) {
    struct Caso {
        const char* version;
        int tipo;
        const char* archivo;
        const char* patron;
    };
    for (const Caso& c : {Caso{"V101", 1, "_SVL.2", "svl2_v101_farmacia.bin"}, Caso{"V250", 1, "_SVL.3", "svl3_v250_farmacia.bin"},
                          Caso{"V101", 2, "_SVL.2", "svl2_v101_otros.bin"}, Caso{"V250", 2, "_SVL.2", "svl2_v250_otros.bin"}}) {
        QFile::remove(d + "/UpLoad/" + c.archivo);
        clsItemTicket it;
        it.Version = c.version;
        it.TipoPrestador = c.tipo;
        ASSERT_TRUE(it.AbrirArchivo(d));
        for (auto poner : {Item1, Item2}) {
            it.InicializarVariables();
            poner(it);
            ASSERT_TRUE(c.tipo == 1 ? it.GrabarSVL3() : it.GrabarSVL2());
        }
        it.CerrarArchivo();
        EXPECT_EQ(Subido(c.archivo), Patron(c.patron)) << c.patron;
    }
}

TEST_F(ArchivosPatron, Diagnoses) {
    clsDiagnostico dg;
    dg.Version = "V250";
    dg.TipoPrestador = 1;
    ASSERT_TRUE(dg.AbrirArchivo(d));
    for (const char* codigo : {"J45.0", " I10 "}) {
        dg.InicializarVariables();
        dg.Diagnostico = codigo;
        ASSERT_TRUE(dg.GrabarSVL4());
    }
    dg.CerrarArchivo();
    EXPECT_EQ(Subido("_SVL.4"), Patron("svl4_diagnostico.bin"));
}
