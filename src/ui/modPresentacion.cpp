#include "ui/modPresentacion.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>
#include <QWidget>
#include <charconv>
#include <cmath>

namespace {

constexpr qint64 kIntervaloCederMs = 40;

// How a value with at most two decimals is written: thousands grouped by threes or not, and the two
// decimals always or only as far as they are not zeros.
struct Cifras {
    bool agrupar = false;
    bool decimalesFijos = false;  // "200,00" rather than "200"
};

}  // namespace

// The regional pieces a number with two decimals needs, read again only when the default locale
// changes: building the locale's text for every price of a long list costs more than the rest of it.
struct ReglasRegionales {
    QLocale local{QLocale::c()};
    QString punto, menos, grupo;
    bool digitosLatinos = false;
    bool monedaPropia = false;  // money written here as the locale writes it

    void Actualizar(const QLocale& actual);
};

namespace {

// Writes v into t (its room reused) and says so, or leaves t alone and says no when v is not a value
// of at most two decimals and 13 digits (or the locale does not write digits 0-9).
bool ConDosDecimales(double v, const ReglasRegionales& r, Cifras como, QString& t) {
    const double centavos = std::round(v * 100);
    if (!r.digitosLatinos || !(std::fabs(centavos) < 1e13) || centavos / 100 != v || (v == 0 && std::signbit(v)))
        return false;
    const qint64 c = static_cast<qint64>(std::fabs(centavos));
    char enteros[16];
    const qsizetype n = std::to_chars(enteros, enteros + sizeof enteros, c / 100).ptr - enteros;
    t.resize(0);
    if (centavos < 0) t += r.menos;
    for (qsizetype i = 0; i < n; ++i) {
        if (como.agrupar && i > 0 && (n - i) % 3 == 0) t += r.grupo;
        t += QLatin1Char(enteros[i]);
    }
    const int decimales = static_cast<int>(c % 100);
    if (decimales != 0 || como.decimalesFijos) {
        t += r.punto;
        t += QLatin1Char('0' + decimales / 10);
        if (decimales % 10 != 0 || como.decimalesFijos) t += QLatin1Char('0' + decimales % 10);
    }
    return true;
}

constexpr Cifras kMoneda{true, true};

}  // namespace

void ReglasRegionales::Actualizar(const QLocale& actual) {
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
    QString escrito;
    for (const double muestra : {0.05, 7.0, 1234.5, -1234.56, 12345.6, 1234567.89, -12345678901.3})
        monedaPropia = monedaPropia && ConDosDecimales(muestra, *this, kMoneda, escrito) &&
                       escrito == actual.toString(muestra, 'f', 2);
}

namespace {

ReglasRegionales& RegionalActual() {
    static thread_local ReglasRegionales regional;
    regional.Actualizar(QLocale());
    return regional;
}

}  // namespace

bool EsCampoMoneda(const QString& campo) {
    static const QStringList kMoneda{"Precio", "ValorNomenclador", "MontoAbonar"};
    return kMoneda.contains(campo, Qt::CaseInsensitive);
}

QString TextoMoneda(const QVariant& valor) {
    QString texto;
    EscritorNumeros().Moneda(valor, texto);
    return texto;
}

QString TextoVisible(const QVariant& valor) {
    QString texto;
    EscritorNumeros().Visible(valor, texto);
    return texto;
}

EscritorNumeros::EscritorNumeros() : reglas_(RegionalActual()) {}

void EscritorNumeros::Moneda(const QVariant& valor, QString& texto) const {
    bool numero = false;
    const double importe = valor.isNull() ? 0 : valor.toDouble(&numero);
    if (!numero) return Visible(valor, texto);
    if (!reglas_.monedaPropia || !ConDosDecimales(importe, reglas_, kMoneda, texto))
        texto = reglas_.local.toString(importe, 'f', 2);
}

void EscritorNumeros::Visible(const QVariant& valor, QString& texto) const {
    if (valor.isNull() || !valor.isValid()) {
        texto.resize(0);
        return;
    }
    switch (valor.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float: {
            if (ConDosDecimales(valor.toDouble(), reglas_, {}, texto)) return;
            QLocale local = reglas_.local;
            local.setNumberOptions(QLocale::OmitGroupSeparator);
            texto = local.toString(valor.toDouble(), 'g', 15);
            return;
        }
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Short: {
            char cifras[24];
            const char* fin = std::to_chars(cifras, cifras + sizeof cifras, valor.toLongLong()).ptr;
            texto.resize(0);
            texto += QLatin1String(cifras, fin - cifras);
            return;
        }
        default:
            texto = valor.toString();
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
