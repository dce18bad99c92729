// Which activity types offer each operation and open its ticket form; its codes and journal names.
#include "core/Operaciones.h"
#include "core/modTarsa.h"
#include "support/Entorno.h"

using OperacionesTest = Entorno;

TEST_F(OperacionesTest, OperationsOfferedAndOpenedByActivityType) {
    const struct {
        const char* tipo;
        QStringList ofrecidas, abren;
    } casos[] = {
        {"1", {"K11", "K14", "K12", "K13", "K41", "K60"}, {"K11", "K14", "K12", "K13", "K41", "K42", "K43", "K60"}},
        {"2", {"K11", "K14", "K12", "K41"}, {}},
        {"3", {"K21", "K24", "K22", "K31", "K34", "K32", "K41"}, {}},
        {"4", {"K51", "K52"}, {}},
        // Any other type is offered every operation but the return and the list; "13" opens two of them.
        {"13",
         {"K11", "K14", "K12", "K21", "K24", "K22", "K31", "K34", "K32", "K41", "K42", "K43", "K51", "K52", "K60"},
         {"K11", "K60"}},
    };
    for (const auto& c : casos) {
        QStringList ofrecidas, abren;
        for (const Operacion& o : Operaciones()) {
            if (o.OfrecidaPara(c.tipo)) ofrecidas << o.Clave;
            if (o.AbreTicketCon(c.tipo)) abren << o.Clave;
        }
        EXPECT_EQ(ofrecidas, c.ofrecidas) << "type " << c.tipo;
        EXPECT_EQ(abren, c.abren) << "type " << c.tipo;
    }
}

TEST_F(OperacionesTest, CodesWrittenForV101AndNamesInTheJournal) {
    EXPECT_EQ(CodigoOperacionVersion(12), 12);  // V250 writes the code as given
    gVersion = "V101";
    const QList<QPair<int, int>> tabla = {{1, 1},   {9, 1},  {11, 1}, {2, 3},   {7, 3},  {12, 3}, {3, 2},
                                          {6, 2},   {4, 0},  {14, 0}, {21, 4},  {22, 6}, {31, 5}, {32, 7},
                                          {41, 41}, {0, -1}, {5, -1}, {42, -1}, {80, -1}};
    for (const auto& [dado, escrito] : tabla) EXPECT_EQ(CodigoOperacionVersion(dado), escrito) << dado;
    EXPECT_EQ(NombreOperacion(80), "Reimpresión de ticket");
    EXPECT_EQ(NombreOperacion(43), "43");  // an operation without a name shows its code
    EXPECT_EQ(NombreOperacion(99), "99");
}
