// The ticket text: _ticket.prn as the terminal writes it, and the same bytes as a ticket saved in
// the application's Tickets directory, which the journal window opens again.
#include <QDir>

#include "Banco.h"
#include "exchange/clsTransaccion.h"
#include "platform/ArchivoTexto.h"
#include "platform/Rutas.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QByteArray bytes = Banco::Bytes(datos, tamano);
    const QString d = Banco::Entregar("DownLoad/_ticket.prn", bytes);
    clsTransaccion t;
    t.QueloPath = d;
    const QString ticket = t.BuscarTicket();
    if (t.MedidaTicket > ticket.size()) __builtin_trap();  // the widest line cannot be wider than the text

    const QString guardados = Rutas::Unir(Banco::DirectorioAplicacion(), "Tickets");
    QDir().mkpath(guardados);
    Banco::Escribir(Rutas::Unir(guardados, "1.prn"), bytes);
    const QString guardado = ArchivoTexto::LeerTextoCrLf(Rutas::Unir(guardados, "1.prn"));
    (void)guardado.size();
    return 0;
}
