#include "ui/EtiquetaRecortada.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

QString EtiquetaRecortada::TextoMostrado() const {
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void EtiquetaRecortada::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    pintor.setPen(palette().color(foregroundRole()));
    pintor.drawText(contentsRect(), static_cast<int>(alignment()), TextoMostrado());
}

bool EtiquetaRecortada::event(QEvent* e) {
    // The whole text is offered only when it is cut: a tooltip repeating what is in sight says nothing.
    if (e->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const auto* ayuda = static_cast<QHelpEvent*>(e);
        if (TextoMostrado() != text())
            QToolTip::showText(ayuda->globalPos(), text(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(e);
}
