#include "platform/ui/Modal.h"

namespace {
ManejadorModal& Manejador() {
    static ManejadorModal m;
    return m;
}
}  // namespace

int MostrarModal(QDialog& dialogo) {
    if (Manejador()) return Manejador()(dialogo);
    return dialogo.exec();
}

void EstablecerManejadorModal(ManejadorModal manejador) { Manejador() = std::move(manejador); }
