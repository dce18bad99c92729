#include "platform/Impresora.h"

#include "platform/TarsaError.h"

namespace {

// Without a printing system installed nothing can be printed: the dialog reports cancellation.
class ImpresoraAusente : public Impresora {
public:
    bool Dialogo(const QString&, const QStringList&, int& copias) override {
        copias = 0;
        return false;
    }
    void Imprimir(const QString&, const QStringList&) override {
        throw TarsaError(ErrImpresora, "No hay impresora disponible");
    }
};

ImpresoraAusente gAusente;
Impresora* gActual = &gAusente;

}  // namespace

Impresora& Impresora::Actual() { return *gActual; }
void Impresora::Establecer(Impresora* i) { gActual = i ? i : &gAusente; }
