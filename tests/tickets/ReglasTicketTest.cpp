// The ticket rules that need no window: bitmap positions with the fixed V101 fields, the items
// list's row and totals and the prescription list.
#include <QLocale>

#include "core/modTarsa.h"
#include "support/Entorno.h"
#include "tickets/modTickets.h"

namespace {

QString Posiciones(const QList<bool>& p) {
    QString s;
    for (int i = 1; i < p.size(); ++i) s += p[i] ? '1' : '0';
    return s;
}

using ReglasTicketTest = Entorno;

TEST_F(ReglasTicketTest, BitmapPositionsAndTheFixedV101Fields) {
    const struct {
        const char *version, *empresa;
        int operacion;
        const char* bitmap;
        bool itemsAntes, items;
        const char* esperado;  // header positions 1..35
    } casos[] = {
        // The terminal's bitmap as it is; a short text leaves the rest unset.
        {"V250", "01", 1, "0110", true, true, "01100000000000000000000000000000000"},
        {"V250", "05", 41, "", false, false, "00000000000000000000000000000000000"},
        // V101 to company 1 or 42 replaces the bitmap by the operation's fixed fields.
        {"V101", "01", 1, "1111111111", false, true, "11100001000000110000010000000000000"},
        {"V101", "42", 4, "", false, true, "11100001000000110000010000000000000"},
        {"V101", "1", 3, "", false, true, "11101000000000000000000000000000000"},
        {"V101", "01", 2, "", false, false, "11101000000000000000000000000000000"},
        {"V101", "01", 2, "", true, true, "11101000000000000000000000000000000"},
        {"V101", "42", 41, "1111", true, false, "11100000000000000000000000000000000"},
        {"V101", "01", 42, "1111", true, true, "00000000000000000000000000000000000"},
        {"V101", "07", 1, "0101", false, false, "01010000000000000000000000000000000"},  // other companies: as is
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.version) + " " + c.empresa + " op " + std::to_string(c.operacion));
        gVersion = c.version;
        gCodigoEmpresa = c.empresa;
        QList<bool> p = PosicionesBitmap(c.bitmap, 35);
        bool items = c.itemsAntes;
        if (HayExcepcionV101()) ExcepcionV101Encabezado(c.operacion, p, items);
        EXPECT_EQ(Posiciones(p), QString(c.esperado));
        EXPECT_EQ(items, c.items);
    }
    // Items gain their fixed fields without losing any.
    gVersion = "V101";
    for (const auto& [operacion, bitmap, esperado] :
         {std::tuple{1, "", "110100100000000"}, std::tuple{4, "001", "111100100000000"},
          std::tuple{3, "", "110100000000000"}, std::tuple{41, "0000001", "000000100000000"}}) {
        QList<bool> p = PosicionesBitmap(bitmap, 15);
        ExcepcionV101Item(operacion, p);
        EXPECT_EQ(Posiciones(p), QString(esperado)) << "item op " << operacion;
    }
}

TEST_F(ReglasTicketTest, TheListRowOfAnItemAndTheTotals) {
    clsItemTicketFarmacia item{.TipoArancel = -1, .Cantidad = 2, .Precio = 1234.5, .CambioPrescripcion = true};
    const QStringList fila = ColumnasItem(item);
    ASSERT_EQ(fila.size(), kColumnasItem);
    EXPECT_EQ(fila.mid(7, 2) + fila.mid(15, 1),
              (QStringList{"", "1,234.50", QString::fromUtf8("Sí")}));  // a fee type of -1 is empty
    EXPECT_DOUBLE_EQ(PrecioEnCentavos(22.956), 22.96);

    // A quantity not given counts none; no discount typed is none.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    const clsItemTicketFarmacia sinCantidad{.Cantidad = -1, .Precio = 10};
    item.Precio = 10;
    const TotalesTicket t = CalcularTotales({item, sinCantidad}, "");
    EXPECT_EQ(TextoNumero(t.Total) + " " + TextoNumero(t.TotalGeneral), "20 20");
    EXPECT_EQ(TextoNumero(CalcularTotales({item}, "12,5").TotalGeneral), "17,5");
    // The quantity counts as the item record carries it, in two digits: 150 is sent, and charged, as 50.
    item.Cantidad = 150;
    EXPECT_EQ(TextoNumero(CalcularTotales({item}, "").Total), "500");
}

TEST_F(ReglasTicketTest, PrescriptionEntriesHideTheirCodeAndGiveTypeAndChange) {
    EXPECT_TRUE(EntradasTipoPrescripcion().value(1).startsWith(QString::fromUtf8("Comercial") + QString(100, ' ')));
    // The entries' own codes reach the item record, checked there; here, the change flag and no code.
    for (const auto& [entrada, esperado] : {std::pair{"Otro" + QString(100, ' ') + "21", "2 1"}, {QString(), "0 0"}}) {
        int tipo = -1;
        bool cambio = true;
        LeerTipoPrescripcion(entrada, tipo, cambio);
        EXPECT_EQ(QString("%1 %2").arg(tipo).arg(cambio), esperado);
    }
}

}  // namespace
