#pragma once
// Runs a routine when a field loses the focus to another field of its window: a list opening its
// popup or the window losing the focus to a message box is not leaving the field (otherwise a
// message shown on leaving would be shown again and again).
#include "ui/AccionCampo.h"

class AlSalirCampo : public AccionCampo {
public:
    static void Instalar(QWidget* campo, std::function<void()> accion) { new AlSalirCampo(campo, std::move(accion)); }
    // A control that only leaves the window (Cancelar) takes the focus without the left field's
    // routine running: a date half typed must not keep the user in a window he is leaving.
    static void SinReglas(QWidget* destino);

protected:
    bool Dispara(const QEvent* evento) const override;
    bool Consume() const override { return false; }  // the field still learns it lost the focus

private:
    using AccionCampo::AccionCampo;
};
