#include "ui/TeclaEnter.h"

#include <QKeyEvent>
#include <QWidget>

void TeclaEnter::Instalar(QWidget* campo, std::function<void()> accion) {
    campo->installEventFilter(new TeclaEnter(campo, std::move(accion)));
}

bool TeclaEnter::eventFilter(QObject*, QEvent* evento) {
    // A field passes Enter on to its dialog, which clicks the default button; taken here, it never
    // gets there.
    if (evento->type() != QEvent::KeyPress) return false;
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if ((tecla->key() != Qt::Key_Return && tecla->key() != Qt::Key_Enter) || (tecla->modifiers() & ~Qt::KeypadModifier))
        return false;
    accion_();
    return true;
}
