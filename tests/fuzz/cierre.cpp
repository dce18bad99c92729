// The closure answer _sal.0: read whole and trimmed for the closure's window and the journal, and as
// the answered parameters records whose codes go to the error list.
#include "Banco.h"
#include "exchange/clsParametros.h"
#include "exchange/clsTransaccion.h"
#include "exchange/modIntercambio.h"
#include "platform/TarsaError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QString d = Banco::Entregar("DownLoad/_sal.0", Banco::Bytes(datos, tamano));
    clsTransaccion t;
    t.QueloPath = d;
    const QString texto = t.LeerSAL0();
    if (texto.startsWith(' ') || texto.endsWith(' ')) __builtin_trap();
    for (LecturaCodigo lectura : {LecturaCodigo::Entero, LecturaCodigo::EnteroO9999}) {
        try {
            clsParametros::LeerRespuestas(d, lectura, gColErrores);
        } catch (const TarsaError&) {
            // a closure's code that is not a number: told to the user by the closure window
        }
        gColErrores.clear();
    }
    return 0;
}
