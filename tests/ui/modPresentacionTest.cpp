// Numbers in lists written as the locale writes them, also where it groups digits otherwise or has other digits.
#include <gtest/gtest.h>

#include <QLocale>

#include "ui/modPresentacion.h"

namespace {

TEST(modPresentacionTest, NumbersAndMoneyAreWrittenAsTheLocaleWritesThem) {
    const QLocale antes;
    const QLocale locales[] = {
        QLocale(QLocale::Spanish, QLocale::Argentina),  QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Switzerland),  // apostrophe groups
        QLocale(QLocale::Hindi, QLocale::India),         // groups of two after the first three
        QLocale(QLocale::Spanish, QLocale::Spain),       // four digits may stay ungrouped
        QLocale(QLocale::Arabic, QLocale::Egypt),        // other digits
        QLocale(QLocale::French, QLocale::France),
    };
    const double valores[] = {0,    0.05,  7,       123.45,    1520.5,     -1234.56, 12345.6,     1e6,      1234567.89,
                              -0.5, 0.125, 1.0 / 3, 99999.995, 1e13 + 0.5, 1e15,     -98765.4321, 1234.5e-7};
    for (const QLocale& local : locales) {
        QLocale::setDefault(local);  // changed between calls: nothing of the previous locale may stay
        QLocale sinGrupos = local;
        sinGrupos.setNumberOptions(QLocale::OmitGroupSeparator);
        for (const double v : valores) {
            const std::string caso = local.name().toStdString() + " " + std::to_string(v);
            EXPECT_EQ(TextoMoneda(v).toStdString(), local.toString(v, 'f', 2).toStdString()) << caso;
            EXPECT_EQ(TextoVisible(v).toStdString(), sinGrupos.toString(v, 'g', 15).toStdString()) << caso;
        }
        EXPECT_EQ(TextoMoneda(QVariant()), "");
        EXPECT_EQ(TextoMoneda(QString("sin precio")), "sin precio");
    }
    QLocale::setDefault(antes);
}

}  // namespace
