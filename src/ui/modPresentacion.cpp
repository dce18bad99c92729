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

// The regional pieces a number with two decimals needs, read again only when the default locale
// changes: building the locale's text for every price of a long list costs more than the rest of it.
struct Regional {
    QLocale local{QLocale::c()};
    QString punto, menos;
    bool digitosLatinos = false;

    void Actualizar(const QLocale& actual) {
        if (actual == local && !punto.isEmpty()) return;
        local = actual;
        punto = actual.decimalPoint();
        menos = actual.negativeSign();
        digitosLatinos = actual.zeroDigit() == QLatin1String("0");
    }
};

// A value with at most two decimals and 13 digits, as 15 significant digits write it: the digits of
// the whole cents, trailing decimal zeros dropped. Empty when the value is not one of those.
QString ConDosDecimales(double v, const Regional& r) {
    const double centavos = std::round(v * 100);
    if (!r.digitosLatinos || !(std::fabs(centavos) < 1e13) || centavos / 100 != v || (v == 0 && std::signbit(v)))
        return {};
    const qint64 c = static_cast<qint64>(std::fabs(centavos));
    QString t = centavos < 0 ? r.menos : QString();
    t += QString::number(c / 100);
    const int decimales = static_cast<int>(c % 100);
    if (decimales != 0) {
        t += r.punto;
        t += QChar('0' + decimales / 10);
        if (decimales % 10 != 0) t += QChar('0' + decimales % 10);
    }
    return t;
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
    return numero ? QLocale().toString(importe, 'f', 2) : valor.toString();
}

QString TextoVisible(const QVariant& valor) {
    if (valor.isNull() || !valor.isValid()) return {};
    switch (valor.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float: {
            static thread_local Regional regional;
            QLocale local;
            regional.Actualizar(local);
            const QString rapido = ConDosDecimales(valor.toDouble(), regional);
            if (!rapido.isEmpty()) return rapido;
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
