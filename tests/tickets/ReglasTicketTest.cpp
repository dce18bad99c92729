// The ticket rules that need no window: bitmap positions with the fixed V101 fields, the items
// list's columns and totals, the prescription list, and the key filter of the fields.
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "core/modTarsa.h"
#include "support/Entorno.h"
#include "tickets/modTickets.h"
#include "ui/FiltroTeclas.h"

namespace {

QString Posiciones(const QList<bool>& p) {
    QString s;
    for (int i = 1; i < p.size(); ++i) s += p[i] ? '1' : '0';
    return s;
}

class ReglasTicketTest : public Entorno {};

TEST_F(ReglasTicketTest, HeaderPositionsFromTheBitmapAndTheFixedV101Fields) {
    struct Caso {
        const char* version;
        const char* empresa;
        int operacion;
        const char* bitmap;
        bool itemsAntes;
        const char* esperado;  // positions 1..35
        bool items;
    };
    const Caso casos[] = {
        // The terminal's bitmap as it is; a short text leaves the rest unset.
        {"V250", "01", 1, "0110", true, "01100000000000000000000000000000000", true},
        {"V250", "05", 41, "", false, "00000000000000000000000000000000000", false},
        // V101 to company 1 or 42 replaces the bitmap by the operation's fixed fields.
        {"V101", "01", 1, "1111111111", false, "11100001000000110000010000000000000", true},
        {"V101", "42", 4, "", false, "11100001000000110000010000000000000", true},
        {"V101", "1", 3, "", false, "11101000000000000000000000000000000", true},
        {"V101", "01", 2, "", false, "11101000000000000000000000000000000", false},
        {"V101", "01", 2, "", true, "11101000000000000000000000000000000", true},
        {"V101", "42", 41, "1111", true, "11100000000000000000000000000000000", false},
        {"V101", "01", 42, "1111", true, "00000000000000000000000000000000000", true},
        // Other companies keep their bitmap under V101.
        {"V101", "07", 1, "0101", false, "01010000000000000000000000000000000", false},
    };
    for (const Caso& c : casos) {
        gVersion = c.version;
        gCodigoEmpresa = c.empresa;
        QList<bool> p = PosicionesBitmap(c.bitmap, 35);
        bool items = c.itemsAntes;
        if (HayExcepcionV101()) ExcepcionV101Encabezado(c.operacion, p, items);
        EXPECT_EQ(Posiciones(p), QString(c.esperado)) << c.version << " " << c.empresa << " op " << c.operacion;
        EXPECT_EQ(items, c.items) << c.version << " " << c.empresa << " op " << c.operacion;
    }
}

TEST_F(ReglasTicketTest, ItemPositionsGainTheFixedV101FieldsWithoutLosingAny) {
    gVersion = "V101";
    struct Caso {
        int operacion;
        const char* bitmap;
        const char* esperado;
    };
    const Caso casos[] = {
        {1, "", "110100100000000"},
        {4, "001", "111100100000000"},
        {3, "", "110100000000000"},
        {41, "0000001", "000000100000000"},
    };
    for (const Caso& c : casos) {
        QList<bool> p = PosicionesBitmap(c.bitmap, 15);
        ExcepcionV101Item(c.operacion, p);
        EXPECT_EQ(Posiciones(p), QString(c.esperado)) << "op " << c.operacion;
    }
}

TEST_F(ReglasTicketTest, TotalsWithACommaDecimalSeparator) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    clsItemTicketFarmacia a;
    a.Cantidad = 2;
    a.Precio = 10;
    clsItemTicketFarmacia b;
    b.Cantidad = 1;
    b.Precio = 5.5;
    const QStringList filaA = ColumnasItem(a), filaB = ColumnasItem(b);
    EXPECT_EQ(filaA.at(8), "10,00");
    EXPECT_EQ(filaB.at(8), "5,50");
    const TotalesTicket t = CalcularTotales({filaA, filaB}, "10");
    EXPECT_EQ(TextoNumero(t.Total), "25,5");
    EXPECT_EQ(TextoNumero(t.TotalGeneral), "22,95");
    // No discount typed counts as none; a row without a price counts its quantity times -1.
    clsItemTicketFarmacia sinPrecio;
    sinPrecio.Cantidad = 3;
    QStringList filaSinPrecio = ColumnasItem(sinPrecio);
    filaSinPrecio[8].clear();
    const TotalesTicket u = CalcularTotales({filaA, filaSinPrecio}, "");
    EXPECT_EQ(TextoNumero(u.Total), "17");
    EXPECT_EQ(TextoNumero(u.TotalGeneral), "17");
    EXPECT_EQ(TextoNumero(1234567.5), "1234567,5");
}

TEST_F(ReglasTicketTest, AnItemSurvivesTheTripThroughTheListRow) {
    clsItemTicketFarmacia item;
    item.Troquel = "1234567";
    item.CodigoBarra = "7791234567890";
    item.NombreMedicamento = "IBUPROFENO";
    item.Presentacion = "400 MG X 20";
    item.Cantidad = 2;
    item.TipoArancel = -1;
    item.Precio = 1234.5;
    item.Diagnostico = "J11";
    item.TipoCobertura = kAutorizacionEspecial;
    item.Autorizacion = "A-77";
    item.PlanCobertura = "210";
    item.TipoPrescripcion = 3;
    item.CambioPrescripcion = true;
    item.PorcentajeCobertura = 40;
    const QStringList fila = ColumnasItem(item);
    ASSERT_EQ(fila.size(), kColumnasItem);
    EXPECT_EQ(fila.at(1), "2");
    EXPECT_EQ(fila.at(7), "");  // a fee type of -1 is shown empty
    EXPECT_EQ(fila.at(8), "1,234.50");
    EXPECT_EQ(fila.at(15), "True");

    const clsItemTicketFarmacia vuelta = ItemDeColumnas(fila);
    EXPECT_EQ(vuelta.Cantidad, 2);
    EXPECT_EQ(vuelta.TipoArancel, 0);  // the empty column reads back as 0
    EXPECT_DOUBLE_EQ(vuelta.Precio, 1234.5);
    EXPECT_EQ(vuelta.Troquel, item.Troquel);
    EXPECT_EQ(vuelta.TipoCobertura, item.TipoCobertura);
    EXPECT_EQ(vuelta.TipoPrescripcion, 3);
    EXPECT_TRUE(vuelta.CambioPrescripcion);
    EXPECT_EQ(vuelta.PorcentajeCobertura, 40);
    // An empty price column reads back as -1.
    QStringList sinPrecio = fila;
    sinPrecio[8].clear();
    EXPECT_DOUBLE_EQ(ItemDeColumnas(sinPrecio).Precio, -1);
}

TEST_F(ReglasTicketTest, PrescriptionEntriesHideTheirCodeAndGiveTypeAndChange) {
    const QStringList entradas = EntradasTipoPrescripcion();
    ASSERT_EQ(entradas.size(), 3);
    struct Caso {
        QString entrada;
        int tipo;
        bool cambio;
    };
    const Caso casos[] = {
        {entradas[0], 1, false}, {entradas[1], 3, false}, {entradas[2], 0, false},
        {"Otro" + QString(100, ' ') + "21", 2, true}, {"", 0, false},
    };
    for (const Caso& c : casos) {
        int tipo = -1;
        bool cambio = true;
        LeerTipoPrescripcion(c.entrada, tipo, cambio);
        EXPECT_EQ(tipo, c.tipo) << c.entrada.left(12).toStdString();
        EXPECT_EQ(cambio, c.cambio) << c.entrada.left(12).toStdString();
    }
    EXPECT_TRUE(entradas[1].startsWith(QString::fromUtf8("Comercial") + QString(100, ' ')));
}

TEST_F(ReglasTicketTest, TypedKeysAreFilteredByFieldKind) {
    struct Caso {
        int tipo;
        const char* tecleado;
        const char* queda;
        int pitidos;
    };
    gSeparadorDecimal = 44;
    const Caso casos[] = {
        {1, "12a3-", "123", 2},  {2, "12.5", "12,5", 0},   {4, "01/02x", "01/02", 1},
        {5, "a/b 9", "a/b 9", 0}, {7, "779 12x", "779 12", 1}, {FiltroTeclas::kBloquearTodo, "abc", "", 0},
    };
    for (const Caso& c : casos) {
        QLineEdit campo;
        FiltroTeclas::Instalar(&campo, c.tipo);
        const int antes = sistema.pitidos;
        QTest::keyClicks(&campo, c.tecleado);
        EXPECT_EQ(campo.text(), QString(c.queda)) << "kind " << c.tipo;
        EXPECT_EQ(sistema.pitidos - antes, c.pitidos) << "kind " << c.tipo;
    }
}

}  // namespace
