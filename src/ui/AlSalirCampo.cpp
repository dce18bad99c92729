#include "ui/AlSalirCampo.h"

#include <QApplication>
#include <QFocusEvent>
#include <QWidget>

namespace {
constexpr const char* kSinReglas = "tarsaSinReglasAlSalir";
}

void AlSalirCampo::SinReglas(QWidget* destino) { destino->setProperty(kSinReglas, true); }

bool AlSalirCampo::Dispara(const QEvent* evento) const {
    if (evento->type() != QEvent::FocusOut) return false;
    const auto razon = static_cast<const QFocusEvent*>(evento)->reason();
    if (razon == Qt::PopupFocusReason || razon == Qt::ActiveWindowFocusReason) return false;
    // The focus has already moved when the field hears it lost it.
    const QWidget* destino = QApplication::focusWidget();
    return !(destino && destino->property(kSinReglas).toBool());
}
