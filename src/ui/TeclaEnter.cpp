#include "ui/TeclaEnter.h"

#include <QKeyEvent>

bool TeclaEnter::Dispara(const QEvent* evento) const {
    if (evento->type() != QEvent::KeyPress) return false;
    const auto* tecla = static_cast<const QKeyEvent*>(evento);
    return (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) &&
           !(tecla->modifiers() & ~Qt::KeypadModifier);
}
