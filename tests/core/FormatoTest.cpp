// Field formatting helpers under the default locale; the record writers' use of them has golden files.
#include <QDate>
#include <QLocale>

#include "core/modFormato.h"
#include "core/modImpresion.h"
#include "core/modTarsa.h"
#include "support/Entorno.h"

class FormatoTest : public Entorno {};

// Numbers follow the regional separators; an amount keeps its thousands separators as typed: the
// regional one, and "." wherever the decimal mark is ",".
TEST_F(FormatoTest, NumbersFollowTheRegionalSeparatorsAndAmountsCarryThousandsSeparators) {
    EXPECT_EQ(FormatearNumero(1234.5, 2), "1235");  // halves away from zero
    EXPECT_EQ(FormatearNumero(-1, 1), "");
    EXPECT_EQ(FormatearNumero(QString("12"), 1), "");
    EXPECT_EQ(TextoANumero("", true), 0);
    EXPECT_EQ(TextoANumero("abc", false), 0);
    const struct {
        QLocale local;
        int separador;
        const char *numero, *teclas;  // teclas: what "." and "," become in an amount field
    } casos[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), 46, "1,234.50", ".,"},
        {QLocale(QLocale::Spanish, QLocale::Argentina), 44, "1.234,50", ".,"},
        {QLocale(QLocale::German, QLocale::Switzerland), 46, nullptr, ".."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.local.name().toStdString());
        QLocale::setDefault(c.local);
        gSeparadorDecimal = SeparadorDecimal();
        EXPECT_EQ(gSeparadorDecimal, c.separador);
        EXPECT_EQ(FiltrarTecla('.', 2), c.separador);  // a decimal field's mark, whichever key
        if (c.numero) EXPECT_EQ(FormatearNumero(1234.5, 1), c.numero);
        const QChar teclas[] = {QChar(FiltrarTecla('.', kTipoImporte)), QChar(FiltrarTecla(',', kTipoImporte))};
        EXPECT_EQ(QString(teclas, 2), c.teclas);
    }
    bool numero = false;
    EXPECT_EQ(TextoANumero("", false, &numero), -1);
    EXPECT_TRUE(numero);  // empty is "not given", not a wrong number
    EXPECT_DOUBLE_EQ(TextoANumero("15.230,50", true, &numero), 0);
    EXPECT_FALSE(numero);
}

TEST_F(FormatoTest, TwoDigitYearsAreTheNearestWithinEightyYearsBackAndTwentyAhead) {
    const struct {
        int dosDigitos, actual, esperado;
    } casos[] = {{26, 2026, 2026}, {46, 2026, 2046}, {47, 2026, 1947}, {99, 2026, 1999}, {0, 2026, 2000},
                 {20, 2000, 2020}, {21, 2000, 1921}, {1, 2081, 2101},  {2, 2081, 2002}};
    for (const auto& c : casos)
        EXPECT_EQ(AnioCompleto(c.dosDigitos, c.actual), c.esperado) << c.dosDigitos << " in " << c.actual;
}

TEST_F(FormatoTest, DatesAreNormalisedToDayMonthYear) {
    const int actual = QDate::currentDate().year();
    const QString anio = QString::number(actual);
    const auto siglo = [actual](int aa) { return QString::number(AnioCompleto(aa, actual)); };
    const struct {
        QString entrada, salida;
        bool valida;
    } casos[] = {
        {"010203", "01/02/" + siglo(3), true},
        {"051226", "05/12/" + siglo(26), true},
        {"010290", "01/02/" + siglo(90), true},
        {"06/12/26", "06/12/" + siglo(26), true},
        {"6/1/99", "06/01/" + siglo(99), true},
        {"31/04/26", "31/04/26", false},
        {"31042005", "31/04/2005", false},
        {"0512", "05/12/" + anio, true},
        {"1/2/2005", "01/02/2005", true},
        {"29/02/2005", "29/02/2005", false},
        {"05", "05/" + QDate::currentDate().toString("MM") + "/" + anio, true},
        {"12345", "12345", false},
    };
    for (const auto& c : casos) {
        QVariant v = c.entrada;
        EXPECT_EQ(NormalizarFecha(v), c.valida) << c.entrada.toStdString();
        EXPECT_EQ(v.toString(), c.salida) << c.entrada.toStdString();
    }
    for (const char* malo : {"1/13/2005", "01/01/05", "aa/01/2005", "0/1/2005"})
        EXPECT_FALSE(ParsearFechaDMA(malo).has_value()) << malo;
}

// Zero padding trims both ends; its cut and its right-only trim are checked with the record fields.
TEST_F(FormatoTest, ZeroPaddingAndCodeAndNameTexts) {
    EXPECT_EQ(RellenarCeros(" 5 ", 4), "0005");
    EXPECT_EQ(CodigoYNombre(0, "Nada") + CodigoYNombre(QString(""), "Nada"), "");
    QString codigo = "sin", resto = "cambio";
    SepararCodigoNombre("sin punto", codigo, resto);
    EXPECT_EQ(codigo + "|" + resto, "sin|cambio");
    SepararCodigoNombre("7 . OSDE", codigo, resto);
    EXPECT_EQ(codigo + "|" + resto, "7| OSDE");
    int n = 0;
    SepararCodigoNombre("12 . Doce", n, resto);
    EXPECT_EQ(n, 12);
    EXPECT_EQ(NuloATexto(QVariant()) + NuloATexto(QString("  x ")), "x");
}

// A new transaction's pharmacy number stays in its range; a failing printer is left silently.
TEST_F(FormatoTest, PharmacyTransactionNumberAndAFailingPrinter) {
    gNuevaTransaccion = true;
    for (int i = 0; i < 200; ++i) {
        NuevaTransaccionFarmacia();
        ASSERT_TRUE(gNTransaccionFarmacia.toInt() >= 0 && gNTransaccionFarmacia.toInt() <= 1001)
            << gNTransaccionFarmacia.toStdString();
    }
    impresora.fallar = true;
    ImprimirTexto("FALLA");
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}
