#include "ui/modPresentacion.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>
#include <QWidget>
#include <cmath>

namespace {
constexpr qint64 kIntervaloCederMs = 40;
}

namespace {

// How a value with at most two decimals is written: thousands grouped by threes or not, and the two
// decimals always or only as far as they are not zeros.
struct Cifras {
    bool agrupar = false;
    bool decimalesFijos = false;  // "200,00" rather than "200"
};

// The regional pieces a number with two decimals needs, read again only when the default locale
// changes: building the locale's text for every price of a long list costs more than the rest of it.
struct Regional {
    QLocale local{QLocale::c()};
    QString punto, menos, grupo;
    bool digitosLatinos = false;
    bool monedaPropia = false;  // money written here as the locale writes it

    void Actualizar(const QLocale& actual);
};

// The text of v, or empty when v is not a value of at most two decimals and 13 digits (or the locale
// does not write digits 0-9).
QString ConDosDecimales(double v, const Regional& r, Cifras como) {
    const double centavos = std::round(v * 100);
    if (!r.digitosLatinos || !(std::fabs(centavos) < 1e13) || centavos / 100 != v || (v == 0 && std::signbit(v)))
        return {};
    const qint64 c = static_cast<qint64>(std::fabs(centavos));
    QString t = centavos < 0 ? r.menos : QString();
    const QString enteros = QString::number(c / 100);
    if (como.agrupar) {
        for (qsizetype i = 0; i < enteros.size(); ++i) {
            if (i > 0 && (enteros.size() - i) % 3 == 0) t += r.grupo;
            t += enteros[i];
        }
    } else {
        t += enteros;
    }
    const int decimales = static_cast<int>(c % 100);
    if (decimales != 0 || como.decimalesFijos) {
        t += r.punto;
        t += QChar('0' + decimales / 10);
        if (decimales % 10 != 0 || como.decimalesFijos) t += QChar('0' + decimales % 10);
    }
    return t;
}

constexpr Cifras kMoneda{true, true};

void Regional::Actualizar(const QLocale& actual) {
    if (actual == local && !punto.isEmpty()) return;
    local = actual;
    punto = actual.decimalPoint();
    menos = actual.negativeSign();
    grupo = actual.groupSeparator();
    digitosLatinos = actual.zeroDigit() == QLatin1String("0");
    // Grouping by threes from the first thousand is the common rule, not every locale's (some group
    // by twos after the first three, some leave four digits ungrouped): money is written here only
    // when the locale writes these amounts the same way.
    monedaPropia = digitosLatinos;
    for (const double muestra : {0.05, 7.0, 1234.5, -1234.56, 12345.6, 1234567.89, -12345678901.3})
        monedaPropia = monedaPropia && ConDosDecimales(muestra, *this, kMoneda) == actual.toString(muestra, 'f', 2);
}

Regional& RegionalActual() {
    static thread_local Regional regional;
    regional.Actualizar(QLocale());
    return regional;
}

}  // namespace

bool EsCampoMoneda(const QString& campo) {
    static const QStringList kMoneda{"Precio", "ValorNomenclador", "MontoAbonar"};
    return kMoneda.contains(campo, Qt::CaseInsensitive);
}

QString TextoMoneda(const QVariant& valor) {
    if (valor.isNull() || !valor.isValid()) return {};
    bool numero = false;
    const double importe = valor.toDouble(&numero);
    if (!numero) return valor.toString();
    const Regional& regional = RegionalActual();
    if (regional.monedaPropia)
        if (QString rapido = ConDosDecimales(importe, regional, kMoneda); !rapido.isEmpty()) return rapido;
    return regional.local.toString(importe, 'f', 2);
}

QString TextoVisible(const QVariant& valor) {
    if (valor.isNull() || !valor.isValid()) return {};
    switch (valor.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float: {
            const Regional& regional = RegionalActual();
            const QString rapido = ConDosDecimales(valor.toDouble(), regional, {});
            if (!rapido.isEmpty()) return rapido;
            QLocale local = regional.local;
            local.setNumberOptions(QLocale::OmitGroupSeparator);
            return local.toString(valor.toDouble(), 'g', 15);
        }
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Short:
            return QString::number(valor.toLongLong());
        default:
            return valor.toString();
    }
}

int MargenCelda(const QWidget* vista) {
    // Item views draw a cell's text this far from each side (the focus frame and one pixel).
    const QStyle* estilo = vista ? vista->style() : QApplication::style();
    return 2 * (estilo->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, vista) + 1);
}

bool CederInterfaz::Toca() const { return reloj_.elapsed() >= kIntervaloCederMs; }

void CederInterfaz::Ceder() {
    QApplication::processEvents();
    reloj_.restart();
}
