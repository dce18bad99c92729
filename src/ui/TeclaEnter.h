#pragma once
// Gives the Enter key of one field a meaning of its own (a look-up, moving on), so that it never
// reaches the window's default button.
#include <QObject>
#include <functional>

class QWidget;

class TeclaEnter : public QObject {
    Q_OBJECT
public:
    static void Instalar(QWidget* campo, std::function<void()> accion);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    TeclaEnter(QObject* padre, std::function<void()> accion) : QObject(padre), accion_(std::move(accion)) {}
    std::function<void()> accion_;
};
