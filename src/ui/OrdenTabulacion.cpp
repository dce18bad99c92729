#include "ui/OrdenTabulacion.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

namespace {

bool TomaFoco(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy(); }

bool TieneCampos(const QWidget* w) {
    for (const QWidget* hijo : w->findChildren<QWidget*>())
        if (TomaFoco(hijo) && hijo->isVisibleTo(w)) return true;
    return false;
}

// The shown controls of a container that take the focus with Tab, in screen order: its children by
// rows (tops within half a control's height of the row's first), left to right along a row; a frame
// among them stands for its own controls, in their own order. A control is one unit with its parts
// (the line edit of a combo, say).
void Recorrer(QWidget* contenedor, QList<QWidget*>& orden) {
    QList<QWidget*> hijos;
    for (QWidget* w : contenedor->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isWindow() && w->isVisibleTo(contenedor) && (TomaFoco(w) || TieneCampos(w))) hijos.append(w);
    std::stable_sort(hijos.begin(), hijos.end(), [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    for (qsizetype i = 0; i < hijos.size();) {
        const int arriba = hijos[i]->y();
        const int tolerancia = std::max(4, hijos[i]->height() / 2);
        qsizetype fin = i;
        while (fin < hijos.size() && hijos[fin]->y() - arriba <= tolerancia) ++fin;
        QList<QWidget*> fila = hijos.mid(i, fin - i);
        std::stable_sort(fila.begin(), fila.end(), [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        for (QWidget* w : fila) {
            if (TomaFoco(w))
                orden.append(w);
            else
                Recorrer(w, orden);
        }
        i = fin;
    }
}

QList<QWidget*> EnOrden(QWidget* ventana) {
    QList<QWidget*> orden;
    Recorrer(ventana, orden);
    return orden;
}

}  // namespace

void OrdenarTabulacion(QWidget* ventana) {
    const QList<QWidget*> orden = EnOrden(ventana);
    for (qsizetype i = 1; i < orden.size(); ++i) QWidget::setTabOrder(orden[i - 1], orden[i]);
}

QWidget* PrimerCampo(QWidget* ventana) {
    for (QWidget* w : EnOrden(ventana))
        if (w->isEnabled()) return w;
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

bool SiguienteCampoPorLlenar(QWidget* ventana, QWidget* desde, const std::function<bool(const QWidget*)>& porLlenar) {
    const QList<QWidget*> orden = EnOrden(ventana);
    for (qsizetype i = orden.indexOf(desde) + 1; i > 0 && i < orden.size(); ++i) {
        QWidget* w = orden[i];
        if (!w->isEnabled() || qobject_cast<QAbstractButton*>(w)) continue;
        bool vacio = true;
        if (const auto* texto = qobject_cast<const QLineEdit*>(w)) vacio = texto->text().trimmed().isEmpty();
        if (const auto* lista = qobject_cast<const QComboBox*>(w))
            vacio = lista->currentIndex() < 0 || lista->currentText().trimmed().isEmpty();
        if (!vacio && !(porLlenar && porLlenar(w))) continue;
        w->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}
