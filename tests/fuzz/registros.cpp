// The answered item records _SVL.2 and _SVL.3: the error code and text of every item, in every layout.
#include "Banco.h"
#include "exchange/clsItemTicket.h"
#include "exchange/modIntercambio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QByteArray bytes = Banco::Bytes(datos, tamano);
    Banco::Entregar("DownLoad/_SVL.2", bytes);
    const QString d = Banco::Entregar("DownLoad/_SVL.3", bytes);
    Banco::EnCadaDisposicion([&](const QString& version, int tipo) {
        clsItemTicket items;
        items.Version = version;
        items.TipoPrestador = tipo;
        items.LeerSVL2(d, gColErrores);
        for (const clsItemError& e : gColErrores) (void)e.Comentario.trimmed();
    });
    return 0;
}
