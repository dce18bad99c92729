#pragma once
// Runs a routine when a field loses the focus to another field of its window: a list opening its
// popup or the window losing the focus to a message box is not leaving the field (otherwise a
// message shown on leaving would be shown again and again).
#include <QObject>
#include <functional>

class QWidget;

class AlSalirCampo : public QObject {
    Q_OBJECT
public:
    static void Instalar(QWidget* campo, std::function<void()> accion);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    AlSalirCampo(QObject* padre, std::function<void()> accion) : QObject(padre), accion_(std::move(accion)) {}
    std::function<void()> accion_;
};
