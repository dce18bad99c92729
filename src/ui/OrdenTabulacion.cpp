#include "ui/OrdenTabulacion.h"

#include <QAbstractButton>
#include <QWidget>
#include <algorithm>

namespace {

struct Lugar {
    QWidget* control;
    QRect rect;  // in the window's coordinates
};

// Controls that take the focus with Tab, without the parts of a composite control (the line edit
// of a combo, say), which come along with it.
QList<Lugar> Lugares(QWidget* ventana) {
    QList<Lugar> r;
    const auto tomaFoco = [ventana](QWidget* w) {
        return w != ventana && w->window() == ventana && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
    };
    for (QWidget* w : ventana->findChildren<QWidget*>()) {
        if (!tomaFoco(w)) continue;
        bool parte = false;
        for (QWidget* p = w->parentWidget(); p && p != ventana && !parte; p = p->parentWidget()) parte = tomaFoco(p);
        // A hidden control's place says nothing; it stays out of the order (Tab skips it anyway).
        if (!parte && w->isVisibleTo(ventana)) r.append({w, QRect(w->mapTo(ventana, QPoint(0, 0)), w->size())});
    }
    return r;
}

// Rows: controls whose middles lie within half a control's height of the row's first one.
QList<Lugar> EnOrden(QWidget* ventana) {
    QList<Lugar> lugares = Lugares(ventana);
    std::stable_sort(lugares.begin(), lugares.end(),
                     [](const Lugar& a, const Lugar& b) { return a.rect.center().y() < b.rect.center().y(); });
    QList<Lugar> r;
    for (qsizetype i = 0; i < lugares.size();) {
        const int medio = lugares[i].rect.center().y();
        const int tolerancia = std::max(4, lugares[i].rect.height() / 2);
        qsizetype fin = i;
        while (fin < lugares.size() && lugares[fin].rect.center().y() - medio <= tolerancia) ++fin;
        QList<Lugar> fila = lugares.mid(i, fin - i);
        std::stable_sort(fila.begin(), fila.end(),
                         [](const Lugar& a, const Lugar& b) { return a.rect.x() < b.rect.x(); });
        r += fila;
        i = fin;
    }
    return r;
}

}  // namespace

void OrdenarTabulacion(QWidget* ventana) {
    const QList<Lugar> orden = EnOrden(ventana);
    for (qsizetype i = 1; i < orden.size(); ++i) QWidget::setTabOrder(orden[i - 1].control, orden[i].control);
}

QWidget* PrimerCampo(QWidget* ventana) {
    for (const Lugar& l : EnOrden(ventana))
        if (l.control->isEnabled()) return l.control;
    return nullptr;
}

void SiguienteCampo(QWidget* desde) {
    for (QWidget* w = desde->nextInFocusChain(); w && w != desde; w = w->nextInFocusChain()) {
        if (w->window() != desde->window() || !(w->focusPolicy() & Qt::TabFocus) || !w->isVisible() ||
            !w->isEnabled() || qobject_cast<QAbstractButton*>(w))
            continue;
        w->setFocus(Qt::TabFocusReason);  // as Tab does: the text it holds is selected
        return;
    }
}
