// The catalog files _SAL.2 (doctors), _SAL.3 (medications), _SAL.4 and _SAL.5 (diagnoses) and the
// parameters answer _SAL.0, applied to the catalogs as the catalog update does. The first byte chooses
// the protocol version, the activity type and which catalogs come complete; the rest is every file.
#include "Banco.h"
#include "catalogs/modNomencladores.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar(true);
    if (tamano == 0) return 0;
    const int opciones = datos[0];
    const QByteArray bytes = Banco::Bytes(datos + 1, tamano - 1);
    for (const char* archivo : {"_SAL.0", "_SAL.2", "_SAL.3", "_SAL.4", "_SAL.5"})
        Banco::Entregar(QString("DownLoad/") + archivo, bytes);
    gVersion = opciones & 1 ? "V101" : "V250";
    gTipoActividad = opciones & 2 ? "1" : "2";
    gEmpresa = "1";
    gTerminal = "12345678";
    const PedidoNomencladores pedido{true, true, true, (opciones & 4) != 0, (opciones & 8) != 0, (opciones & 16) != 0};
    Banco::UltimoMensaje();
    ActualizarNomencladores(pedido);
    // Every record is applied or listed as refused; the update fails only for a file whose records do
    // not end where the layout says (another layout or encoding).
    const QString mensaje = Banco::UltimoMensaje();
    if (mensaje.startsWith("Error al leer archivos") && !mensaje.contains("no tiene el formato esperado"))
        __builtin_trap();
    gColErrores.clear();
    return 0;
}
