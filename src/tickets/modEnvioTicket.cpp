#include "tickets/modEnvioTicket.h"

#include <cmath>

#include "catalogs/clsDiagnostico.h"
#include "core/Operaciones.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "exchange/clsItemTicket.h"
#include "exchange/modIntercambio.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "tickets/modTickets.h"

namespace {

void GrabarItems(const QString& d, const QList<clsItemTicketFarmacia>& items) {
    clsItemTicket registro;
    registro.Version = gVersion;
    registro.TipoPrestador = 1;
    registro.AbrirArchivo(d);
    for (int i = 0; i < items.size(); ++i) {
        const clsItemTicketFarmacia& item = items.at(i);
        registro.InicializarVariables();
        registro.Troquel = item.Troquel;
        registro.CodigoBarra = item.CodigoBarra;
        registro.CodigoProveedor = item.CodigoProveedor;
        registro.Cantidad = FormatearNumero(item.Cantidad, 2);
        registro.TipoArancel = FormatearNumero(item.TipoArancel, 2);
        registro.Precio = TextoNumero(std::round(item.Precio * 100));
        registro.Diagnostico = item.Diagnostico;
        registro.TipoAutorizacion = item.TipoCobertura;
        registro.Autorizacion = item.Autorizacion;
        registro.PlanCobertura = item.PlanCobertura;
        registro.TipoPrescripcion = item.TipoPrescripcion;
        registro.CambioPrescripcion = item.CambioPrescripcion;
        registro.PorcentajeCobertura = QString::number(item.PorcentajeCobertura);
        registro.GrabarSVL3();
    }
    registro.CerrarArchivo();
}

void GrabarDiagnosticos(const QString& d, const QList<clsItemDiagnostico>& diagnosticos) {
    clsDiagnostico registro;
    registro.Version = gVersion;
    registro.TipoPrestador = 1;
    registro.AbrirArchivo(d);
    for (int i = 0; i < diagnosticos.size(); ++i) {
        registro.InicializarVariables();
        registro.Diagnostico = diagnosticos.at(i).Codigo;
        registro.GrabarSVL4();
    }
    registro.CerrarArchivo();
}

// The three request records; false (after a message) when one could not be written.
bool GrabarArchivos(clsTicket& ticket, const std::optional<QList<clsItemTicketFarmacia>>& items,
                    const std::optional<QList<clsItemDiagnostico>>& diagnosticos) {
    try {
        const QString d = DirectorioIntercambio();
        ticket.Version = gVersion;
        ticket.CodigoOperacion = CodigoOperacionVersion(ticket.CodigoOperacion);
        ticket.TipoPrestador = 1;
        NuevaTransaccionFarmacia();
        ticket.NTransaccionFarmacia = gNTransaccionFarmacia;
        // Each writer throws on failure: the message below names what went wrong.
        ticket.GrabarSVL1(d);
        if (items) GrabarItems(d, *items);
        if (diagnosticos) GrabarDiagnosticos(d, *diagnosticos);
        return true;
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return false;
    }
}

}  // namespace

FinEnvioTicket EnviarTicketFarmacia(clsTicket ticket, const std::optional<QList<clsItemTicketFarmacia>>& items,
                                    const std::optional<QList<clsItemDiagnostico>>& diagnosticos,
                                    const PantallaEnvioTicket& pantalla) {
    if (!GrabarArchivos(ticket, items, diagnosticos)) return FinEnvioTicket::NoEnviado;

    Solicitud solicitud;
    try {
        solicitud = pantalla.Esperar();
    } catch (const std::exception& e) {
        ConservarTransaccion();
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return FinEnvioTicket::NoEnviado;
    }
    switch (solicitud.Resultado) {
        case ResultadoSolicitud::Cancelada:
        case ResultadoSolicitud::ErrorProceso:
            ConservarTransaccion();
            return FinEnvioTicket::SinRespuesta;
        case ResultadoSolicitud::SinRespuesta:
            return FinEnvioTicket::SinRespuesta;
        case ResultadoSolicitud::Procesada:
            break;
    }

    clsTransaccion& transaccion = solicitud.Transaccion;
    const RespuestaTicket respuesta = pantalla.MostrarRespuesta(transaccion);
    VaciarErrores();
    GuardarTransaccionLocal(transaccion.LeerSVL1(), respuesta.Ticket, gCodigoEmpresa, false);
    if (respuesta.HuboErrores || respuesta.Ticket.contains("ERROR")) return FinEnvioTicket::ConErrores;
    PedirNuevaTransaccion();
    return FinEnvioTicket::Completado;
}
