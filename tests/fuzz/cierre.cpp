// The closure answer _sal.0, read whole and trimmed for the closure's window.
#include "Banco.h"
#include "exchange/clsTransaccion.h"
#include "platform/Rutas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QString d = Banco::DirectorioIntercambio();
    Banco::Escribir(Rutas::Unir(d, "DownLoad/_sal.0"), Banco::Bytes(datos, tamano));
    clsTransaccion t;
    t.QueloPath = d;
    const QString texto = t.LeerSAL0();
    if (texto.startsWith(' ') || texto.endsWith(' ')) __builtin_trap();
    return 0;
}
