// The writers against the golden request records in tests/data, typed by hand (see its README.md).
#include <QDir>

#include "TestConfig.h"
#include "exchange/Pedido.h"
#include "support/Entorno.h"

using ArchivosPatronTest = Entorno;

TEST_F(ArchivosPatronTest, EveryLayoutWritesTheGoldenBytes) {
    struct Caso {
        const char* version;
        int tipo;
        const char *cabecera, *archivoItems, *items;
    };
    const QString d = Ruta("term1");
    for (const Caso& c : {Caso{"V101", 1, "svl1_v101_farmacia.bin", "_SVL.2", "svl2_v101_farmacia.bin"},
                          Caso{"V101", 2, "svl1_v101_otros.bin", "_SVL.2", "svl2_v101_otros.bin"},
                          Caso{"V250", 1, "svl1_v250_farmacia.bin", "_SVL.3", "svl3_v250_farmacia.bin"},
                          Caso{"V250", 2, "svl1_v250_otros.bin", "_SVL.2", "svl2_v250_otros.bin"}}) {
        QDir(d).removeRecursively();
        QDir().mkpath(d + "/UpLoad");
        GrabarPedido(d, c.version, c.tipo);
        const auto patron = [](const char* n) { return LeerArchivo(QString(TARSA_TEST_DATA_DIR) + "/" + n); };
        EXPECT_EQ(LeerArchivo(d + "/UpLoad/_SVL.1"), patron(c.cabecera)) << c.cabecera;
        EXPECT_EQ(LeerArchivo(d + "/UpLoad/" + c.archivoItems), patron(c.items)) << c.items;
        EXPECT_EQ(LeerArchivo(d + "/UpLoad/_SVL.4"), patron("svl4_diagnostico.bin"));
    }
}
