// The one reader of numbers: each form on the same texts, its overflow rule, the regional formats.
#include <QLocale>
#include <cmath>

#include "platform/LectorNumeros.h"
#include "support/Entorno.h"

class LectorNumerosTest : public Entorno {};

TEST_F(LectorNumerosTest, EachFormReadsSignsBlanksSeparatorsAndHoldsAtTheLimits) {
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint32 kMax32 = std::numeric_limits<qint32>::max();
    const QLocale us(QLocale::English, QLocale::UnitedStates), ar(QLocale::Spanish, QLocale::Argentina);
    using F = FormaNumero;
    const struct {
        F forma;
        QLocale local;
        const char* texto;
        bool numero;
        qint64 entero;
        double valor;
        qint32 en32;  // the same in 32 bits
    } casos[] = {{F::Val, us, " 0042abc", true, 42, 42, 42},
                 {F::Val, us, "- 1 2", true, -12, -12, -12},  // blanks skipped wherever they stand
                 {F::Val, us, "+7.9", true, 7, 7, 7},
                 {F::Val, us, "abc", false, 0, 0, 0},
                 {F::Val, us, "   ", false, 0, 0, 0},
                 {F::Val, us, "99999999999", true, 99999999999LL, 99999999999.0, kMax32},
                 {F::Val, us, "12345678901234567890", true, kMax, double(kMax), kMax32},
                 {F::Val, us, "-99999999999999999999999", true, -kMax, -double(kMax), -kMax32 - 1},
                 {F::Campo, us, " 0042 ", true, 42, 42, 42},
                 {F::Campo, us, "-5", true, -5, -5, -5},
                 {F::Campo, us, "4 2", false, 0, 0, 0},
                 {F::Campo, us, "12a", false, 0, 0, 0},
                 {F::Campo, us, "    ", false, 0, 0, 0},
                 {F::Campo, us, "99999999999", true, 99999999999LL, 99999999999.0, kMax32},
                 {F::Regional, us, "15,230.50", true, 15230, 15230.5, 15230},
                 {F::Regional, ar, "15.230,50", true, 15230, 15230.5, 15230},
                 {F::Regional, ar, "-12,5", true, -12, -12.5, -12},
                 {F::Regional, ar, "15,230,50", false, 0, 0, 0},
                 {F::Regional, ar, "15.5", false, 0, 0, 0},
                 {F::Regional, QLocale(QLocale::French, QLocale::France), "15.230,50", true, 15230, 15230.5, 15230},
                 {F::Regional, QLocale(QLocale::German, QLocale::Switzerland), "15.5", true, 15, 15.5, 15},
                 {F::Regional, ar, "0000123", true, 123, 123, 123},
                 {F::Regional, ar, "99999999999999999999", true, kMax, 1e20, kMax32},
                 {F::Regional, ar, "1e300", true, kMax, 1e300, kMax32}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.local.name().toStdString() + " " + std::to_string(int(c.forma)) + " \"" + c.texto + "\"");
        QLocale::setDefault(c.local);
        const NumeroLeido n = LeerNumero(QString::fromUtf8(c.texto), c.forma);
        EXPECT_EQ(std::tuple(n.EsNumero, n.Entero, n.Como<qint32>(), n.Vacio),
                  std::tuple(c.numero, c.entero, c.en32, QString::fromUtf8(c.texto).trimmed().isEmpty()));
        EXPECT_DOUBLE_EQ(n.Valor, c.valor);
    }
    const struct {
        double valor;
        qint64 esperado;
    } dobles[] = {{1e300, kMax}, {-1e300, std::numeric_limits<qint64>::min()}, {std::nan(""), 0}, {-2.9, -2}};
    for (const auto& d : dobles) EXPECT_EQ(SaturarEntero(d.valor), d.esperado) << d.valor;
}
