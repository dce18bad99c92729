// Keeping an answered transaction: the journal row and the ticket text in "Tickets".
#include "journal/modTransaccionLocal.h"

#include <QDir>
#include <QSaveFile>

#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "journal/clsTransacciones.h"
#include "platform/Ansi.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

void GuardarTransaccionLocal(const QString& registro, const QString& ticket, const QString& codigoEmpresa,
                             bool cierre) {
    qint32 purgado = 0;
    QString directorio;
    QString numero;
    try {
        numero = cierre ? registro.mid(2, 9) : registro.mid(249, 12);
        if (numero.trimmed().isEmpty()) return;
        purgado = clsTransacciones().SaveTransaccion(registro, codigoEmpresa, cierre);

        directorio = Rutas::Unir(gDirectorioAplicacion, "Tickets");
        if (!Rutas::EsDirectorio(directorio) && !QDir().mkpath(directorio))
            throw TarsaError(75, "No se puede crear el directorio " + directorio);
        // The ticket replaces an older one of the same number only once it is complete.
        QSaveFile archivo(Rutas::Unir(directorio, QString::number(Val(numero)) + ".prn"));
        if (!archivo.open(QIODevice::WriteOnly)) throw TarsaError(75, archivo.errorString());
        archivo.write(Ansi::Codificar(ticket));
        if (!archivo.commit()) throw TarsaError(61, archivo.errorString());
    } catch (const std::exception& e) {
        MsgBox("Error: " + ComoTarsaError(e).Descripcion, Mensajes::vbCritical,
               "Error al guardar la transacción en local");
        return;
    }
    // The ticket of the row the journal let go of (never the one just saved); a failure here is of
    // no consequence.
    const QString viejo = Rutas::Unir(directorio, QString::number(purgado) + ".prn");
    if (purgado != 0 && purgado != Val(numero) && Rutas::EsArchivo(viejo)) Rutas::Borrar(viejo);
}

void RegistrarRespuestaTardia(const RespuestaTardia& respuesta) {
    const QString& cabecera = respuesta.Cabecera;
    const QString numero = cabecera.mid(249, 12).trimmed();
    const int operacion = cabecera.mid(5, 2).toInt();
    if (numero.isEmpty() || operacion == 80) return;
    GuardarTransaccionLocal(cabecera, respuesta.Ticket, respuesta.CodigoEmpresa, false);
    MsgBox(
        QString::fromUtf8("La terminal aprobó el ticket Nº %1 (%2) después de que se canceló la espera.\r\n"
                          "Quedó registrado en la lista de transacciones; si no corresponde, anúlelo desde allí.")
            .arg(numero.toLongLong() > 0 ? QString::number(numero.toLongLong()) : numero, NombreOperacion(operacion)),
        Mensajes::vbExclamation, "Respuesta tardía de la terminal");
}
