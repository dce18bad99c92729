#pragma once
// Gives the Enter key of one field a meaning of its own (a look-up, moving on), so that it never
// reaches the window's default button.
#include "ui/AccionCampo.h"

class TeclaEnter : public AccionCampo {
public:
    static void Instalar(QWidget* campo, std::function<void()> accion) { new TeclaEnter(campo, std::move(accion)); }

protected:
    bool Dispara(const QEvent* evento) const override;
    // A field passes Enter on to its dialog, which clicks the default button; taken here, it never
    // gets there.
    bool Consume() const override { return true; }

private:
    using AccionCampo::AccionCampo;
};
