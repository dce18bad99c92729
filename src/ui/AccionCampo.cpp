#include "ui/AccionCampo.h"

#include <QWidget>

AccionCampo::AccionCampo(QWidget* campo, std::function<void()> accion) : QObject(campo), accion_(std::move(accion)) {
    campo->installEventFilter(this);
}

bool AccionCampo::eventFilter(QObject*, QEvent* evento) {
    if (!Dispara(evento)) return false;
    accion_();
    return Consume();
}
