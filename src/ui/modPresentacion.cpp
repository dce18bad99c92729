#include "ui/modPresentacion.h"

#include <QApplication>
#include <QLocale>
#include <QStyle>
#include <QWidget>

namespace {
constexpr qint64 kIntervaloCederMs = 40;
}

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
            QLocale local;
            local.setNumberOptions(QLocale::OmitGroupSeparator);
            return local.toString(valor.toDouble(), 'g', 15);
        }
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Short: return QString::number(valor.toLongLong());
        default: return valor.toString();
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
