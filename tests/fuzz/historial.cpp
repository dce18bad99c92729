// The exchange history over an archive someone else may have written: a month's index and an
// exchange's description and files, NUL-separated (index, intercambio.txt, sent _SVL.0, sent _SVL.1,
// sent _SAL.0, answered _svl.1, answered _sal.0). The list is read, filtered and exported, and the
// exchange is opened and broken down field by field.
#include <QDir>

#include "Banco.h"
#include "journal/clsHistorialIntercambios.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QString raiz = Banco::DirectorioAplicacion() + "/Intercambios";
    QDir(raiz).removeRecursively();
    const QList<QByteArray> partes = Banco::Partes(Banco::Bytes(datos, tamano), '\0', 7);
    const QString id = "20261206-173005120-term42";
    const QString dir = raiz + "/2026-12/" + id;
    QDir().mkpath(dir + "/enviado");
    QDir().mkpath(dir + "/recibido");
    const char* archivos[] = {"/../indice.txt",  "/intercambio.txt", "/enviado/_SVL.0", "/enviado/_SVL.1",
                              "/enviado/_SAL.0", "/recibido/_svl.1", "/recibido/_sal.0"};
    for (qsizetype i = 0; i < partes.size(); ++i) Banco::Escribir(QDir::cleanPath(dir + archivos[i]), partes[i]);

    clsHistorialIntercambios historial(raiz);
    historial.Cargar();
    historial.CargarTodo();
    FiltroHistorial filtro;
    filtro.Tarjeta = "6034";
    filtro.Ticket = "0001";
    (void)historial.Filtrar(filtro);
    (void)historial.Resultados();
    QList<clsItemIntercambio> filas = historial.Todos();
    clsItemIntercambio propio;
    propio.Id = id;
    filas.append(propio);
    (void)clsHistorialIntercambios::Csv(filas, {{"05", "OSDE"}});
    for (const clsItemIntercambio& fila : filas) {
        const DetalleHistorial detalle = historial.Abrir(fila);
        for (const ArchivoDesglosado& a : detalle.Archivos) {
            (void)clsHistorialIntercambios::BytesVisibles(a.Bytes);
            for (const RegistroDesglosado& r : a.Registros)
                for (const CampoLeido& c : r.Campos)
                    if (c.Bytes.size() > c.Campo.Ancho) __builtin_trap();  // a field never reads past its width
        }
    }
    return 0;
}
