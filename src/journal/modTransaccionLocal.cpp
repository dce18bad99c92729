// Keeping an answered transaction: the ticket text in "Tickets" and the journal row.
#include "journal/modTransaccionLocal.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>

#include "core/Operaciones.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/clsParametros.h"
#include "exchange/clsTicket.h"
#include "journal/clsTransacciones.h"
#include "platform/Ansi.h"
#include "platform/LectorNumeros.h"
#include "platform/Mensajes.h"
#include "platform/Privado.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

constexpr int kSqliteLleno = 13;  // SQLITE_FULL: the disk or the database's page limit is full

// The ticket text replaces an older one of the same number only once it is complete.
void GuardarTicket(const QString& directorio, const QString& nombre, const QString& ticket) {
    // The folder is made (or kept) owner-only, which also covers tickets an earlier version saved.
    QString error;
    if (!Privado::CrearDirectorio(directorio, &error))
        throw TarsaError(ErrAccesoRuta, "No se puede crear el directorio " + error);
    QSaveFile archivo(Rutas::Unir(directorio, nombre));
    if (!archivo.open(QIODevice::WriteOnly)) throw TarsaError(ErrAccesoRuta, archivo.errorString());
    Privado::Archivo(archivo);
    const QByteArray texto = Ansi::Codificar(ticket);
    // Written out before the rename: a commit whose final write the disk cuts short still renames.
    if (archivo.write(texto) != texto.size() || !archivo.flush() || !archivo.commit())
        throw TarsaError(ErrDiscoLleno, archivo.errorString());
}

// An approval journalled before (the answer found again in the exchange directory of a run that
// died just after journalling it) is not journalled twice.
bool YaRegistrada(const QString& numero, const QString& codigoEmpresa) {
    try {
        const Consulta filas = clsTransacciones().Buscar(
            QString("Ticket = %1 AND CodigoEmpresa = %2").arg(numero.toLongLong()).arg(codigoEmpresa.toLongLong()));
        return !filas->EOF_();
    } catch (const std::exception&) {
        return false;  // journalling will meet the same failure and report it
    }
}

// The terminal approved the transaction but the program could not keep it: the person is told what
// happened and what to do, in words; the engine's words and the statement go to the details.
void InformarSinAnotar(const QString& numero, const QString& guardado, const TarsaError& e) {
    const bool lleno = e.Numero == ErrDiscoLleno || e.Numero == ErrBaseDatos + kSqliteLleno;
    QString texto =
        QString::fromUtf8(
            "La terminal aprobó la transacción (ticket Nº %1), pero no se pudo anotar en la "
            "lista de transacciones: %2.\n\n")
            .arg(numero, lleno ? QString::fromUtf8("el disco está lleno")
                               : QString::fromUtf8("no se pudo escribir en el disco o en la base de datos"));
    if (!guardado.isEmpty())
        texto +=
            QString::fromUtf8("El texto del ticket quedó guardado en %1.\n").arg(QDir::toNativeSeparators(guardado));
    else
        texto += QString::fromUtf8("El texto del ticket no se pudo guardar.\n");
    if (lleno) texto += QString::fromUtf8("Libere espacio en el disco. ");
    texto += QString::fromUtf8(
                 "El ticket se puede volver a imprimir pidiéndolo a la terminal desde \"Ultimos "
                 "tickets\": escriba el Nº %1 y pulse Buscar.")
                 .arg(numero);
    MsgBoxDetalles(texto,
                   QString("Error %1 (%2): %3").arg(e.Numero).arg(e.Fuente.isEmpty() ? "?" : e.Fuente, e.Descripcion),
                   Mensajes::vbCritical, "Error al guardar la transacción en local");
}

}  // namespace

void GuardarTransaccionLocal(const QString& registro, const QString& ticket, const QString& codigoEmpresa,
                             bool cierre) {
    qint64 purgado = 0;
    const QString directorio = Rutas::Unir(gDirectorioAplicacion, "Tickets");
    QString numero;
    QString guardado;  // the ticket file, once written
    try {
        numero = cierre ? clsParametros::CampoRespuestaCierre(registro, "NumeroCierre")
                        : clsTicket::CampoRespuesta(registro, "Ticket");
        if (numero.isEmpty()) return;
        // A number with letters would be journalled as ticket 0, whose saved text no row could reach.
        static const QRegularExpression digitos(QStringLiteral("^[0-9]+$"));
        if (!digitos.match(numero).hasMatch())
            throw TarsaError(ErrTiposNoCoinciden, "El número de ticket de la respuesta (\"" + numero +
                                                      "\") no es un número; la transacción no se guardó en la lista.");
    } catch (const std::exception& e) {
        MsgBox("Error: " + ComoTarsaError(e).Descripcion, Mensajes::vbCritical,
               "Error al guardar la transacción en local");
        return;
    }
    try {
        // The file first, then the row: a crash between them leaves a file no row lists, never a row
        // whose ticket cannot be reprinted or cancelled.
        const QString nombre = QString::number(Val(numero)) + ".prn";
        GuardarTicket(directorio, nombre, ticket);
        guardado = Rutas::Unir(directorio, nombre);
        purgado = clsTransacciones().SaveTransaccion(registro, codigoEmpresa, cierre);
        if (!cierre && gAlGuardarTicket) gAlGuardarTicket(Val(numero));
    } catch (const std::exception& e) {
        InformarSinAnotar(QString::number(Val(numero)), guardado, ComoTarsaError(e));
        return;
    }
    // The ticket of the row the journal let go of, which no row holds any more; a failure here is of
    // no consequence.
    const QString viejo = Rutas::Unir(directorio, QString::number(purgado) + ".prn");
    if (purgado != 0 && Rutas::EsArchivo(viejo)) Rutas::Borrar(viejo);
}

void RegistrarRespuestaTardia(const RespuestaTardia& respuesta) {
    const QString& cabecera = respuesta.Cabecera;
    const QString numero = clsTicket::CampoRespuesta(cabecera, "Ticket");
    const int operacion = clsTicket::CampoRespuesta(cabecera, "CodigoOperacion").toInt();
    if (numero.isEmpty() || operacion == 80 || YaRegistrada(numero, respuesta.CodigoEmpresa)) return;
    GuardarTransaccionLocal(cabecera, respuesta.Ticket, respuesta.CodigoEmpresa, false);
    MsgBox(
        QString::fromUtf8("La terminal aprobó el ticket Nº %1 (%2) después de que se canceló la espera.\r\n"
                          "Quedó registrado en la lista de transacciones; si no corresponde, anúlelo desde allí.")
            .arg(numero.toLongLong() > 0 ? QString::number(numero.toLongLong()) : numero, NombreOperacion(operacion)),
        Mensajes::vbExclamation, "Respuesta tardía de la terminal");
}
