#pragma once
// An event filter that a field owns and that runs a routine when one of the field's events is the one
// it waits for. Each kind says which event that is and whether the event stops there.
#include <QObject>
#include <functional>

class QWidget;

class AccionCampo : public QObject {
public:
    AccionCampo(const AccionCampo&) = delete;
    AccionCampo& operator=(const AccionCampo&) = delete;

protected:
    // Installs itself on campo, which deletes it.
    AccionCampo(QWidget* campo, std::function<void()> accion);

    virtual bool Dispara(const QEvent* evento) const = 0;
    // Whether the event is taken once the routine ran, so that the field (and its window) never see it.
    virtual bool Consume() const = 0;

    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    std::function<void()> accion_;
};
