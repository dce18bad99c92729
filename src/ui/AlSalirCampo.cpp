#include "ui/AlSalirCampo.h"

#include <QFocusEvent>
#include <QWidget>

void AlSalirCampo::Instalar(QWidget* campo, std::function<void()> accion) {
    campo->installEventFilter(new AlSalirCampo(campo, std::move(accion)));
}

bool AlSalirCampo::eventFilter(QObject*, QEvent* evento) {
    if (evento->type() == QEvent::FocusOut) {
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        if (razon != Qt::PopupFocusReason && razon != Qt::ActiveWindowFocusReason) accion_();
    }
    return false;
}
