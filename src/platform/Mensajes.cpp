#include "platform/Mensajes.h"

#include <cstdio>

namespace {

// Without a screen (tools, start-up failures before the window exists) messages go to the error
// output; a question is answered with its safe choice.
class MensajesConsola : public Mensajes {
public:
    int Mostrar(const QString& texto, int estilo, const QString& titulo) override {
        std::fprintf(stderr, "[%s] %s\n", qPrintable(titulo), qPrintable(texto));
        switch (estilo & 7) {
            case vbYesNo:
            case vbYesNoCancel:
                return vbNo;
            case vbOKCancel:
            case vbRetryCancel:
                return vbCancel;
            default:
                return vbOK;
        }
    }
};

MensajesConsola gConsola;
Mensajes* gActual = &gConsola;

}  // namespace

Mensajes& Mensajes::Actual() { return *gActual; }
void Mensajes::Establecer(Mensajes* m) { gActual = m ? m : &gConsola; }
