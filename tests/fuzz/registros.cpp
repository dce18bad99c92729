// The answered item records _SVL.2 and _SVL.3: the error code and text of every item, in every layout.
#include "Banco.h"
#include "exchange/clsItemTicket.h"
#include "exchange/modIntercambio.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QString d = Banco::DirectorioIntercambio();
    const QByteArray bytes = Banco::Bytes(datos, tamano);
    Banco::Escribir(Rutas::Unir(d, "DownLoad/_SVL.2"), bytes);
    Banco::Escribir(Rutas::Unir(d, "DownLoad/_SVL.3"), bytes);
    for (const char* version : {"V101", "V250"})
        for (int tipo : {1, 2}) {
            gColErrores.clear();
            clsItemTicket items;
            items.Version = version;
            items.TipoPrestador = tipo;
            try {
                items.LeerSVL2(d);
            } catch (const TarsaError&) {
                // a code that must be a number and is not: reported to the user by the caller
            }
            for (const clsItemError& e : gColErrores) (void)e.Comentario.trimmed();
        }
    gColErrores.clear();
    return 0;
}
