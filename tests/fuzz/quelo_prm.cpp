// The terminal's bitmaps file _Quelo.prm: imported into the Bitmaps table, then looked up and read
// as the ticket forms read a field mask.
#include "Banco.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/modConfiguracion.h"
#include "platform/Ansi.h"
#include "platform/ArchivoTexto.h"
#include "platform/Rutas.h"
#include "tickets/modTickets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar(true);
    const QByteArray bytes = Banco::Bytes(datos, tamano);
    Banco::Escribir(Rutas::Unir(DirectorioConfiguracion(), "_Quelo.prm"), bytes);
    clsBitmaps bitmaps;
    try {
        bitmaps.GetBitmaps();  // a file is imported whole or refused whole, and nothing else fails
    } catch (const TarsaError& e) {
        if (e.Numero >= ErrBaseDatos) throw;
    }
    int vistas = 0;
    for (const QString& linea : ArchivoTexto::Lineas(bytes)) {
        if (linea.isEmpty() || linea.startsWith('[') || ++vistas > 16) continue;
        const clsItemBitmap b = clsBitmaps::LeerLinea(linea);
        bitmaps.Buscar({}, b.Empresa, b.Actividad, b.Operacion, b.Archivo);
        (void)PosicionesBitmap(bitmaps.Parametro, 60);
    }
    return 0;
}
