#include "ui/AlSalirCampo.h"

#include <QFocusEvent>

bool AlSalirCampo::Dispara(const QEvent* evento) const {
    if (evento->type() != QEvent::FocusOut) return false;
    const auto razon = static_cast<const QFocusEvent*>(evento)->reason();
    return razon != Qt::PopupFocusReason && razon != Qt::ActiveWindowFocusReason;
}
