#include "exchange/clsLecturaEstado.h"

#include "platform/ArchivoTexto.h"

bool clsLecturaEstado::Completo() {
    const auto principio = ArchivoTexto::LeerPrincipio(archivo_, kMaximoLinea);
    if (!principio) {
        visto_.reset();
        return false;
    }
    if (principio->Bytes.contains('\n') || principio->Bytes.contains('\r')) return true;
    if (principio->Tamano == 0) {
        visto_ = Visto{};  // created, not written yet
        sinCambios_.start();
        return false;
    }
    const bool igual = visto_ && visto_->bytes == principio->Bytes && visto_->tamano == principio->Tamano;
    if (!igual) {
        visto_ = Visto{principio->Bytes, principio->Tamano};
        sinCambios_.start();
        return false;
    }
    return sinCambios_.elapsed() >= AsentamientoMs;
}
