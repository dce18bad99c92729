// The terminal's status file, Estado.rsp: the line the client waits for and then reads.
#include "Banco.h"
#include "exchange/clsLecturaEstado.h"
#include "exchange/clsTransaccion.h"
#include "platform/Rutas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QString archivo = clsTransaccion::ArchivoEstado(Banco::DirectorioIntercambio());
    Banco::Escribir(archivo, Banco::Bytes(datos, tamano));
    clsLecturaEstado::AsentamientoMs = 0;
    clsLecturaEstado lectura(archivo);
    // Twice: the second look compares with what the first one saw.
    lectura.Completo();
    lectura.Completo();
    clsTransaccion t;
    t.QueloPath = Banco::DirectorioIntercambio();
    const QString estado = t.BuscarRespuesta();
    (void)estado.startsWith('0');
    return 0;
}
