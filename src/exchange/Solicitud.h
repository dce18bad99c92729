#pragma once
// How one request to the terminal ended, and the transaction whose answer it left to read.
#include "exchange/clsTransaccion.h"

enum class ResultadoSolicitud {
    Procesada,     // status starting with "0": read the answer files through Transaccion
    Cancelada,     // the user cancelled the wait
    SinRespuesta,  // the status file held no text
    ErrorProceso,  // any other status; the user has been told ("Error en el proceso:")
};

struct Solicitud {
    ResultadoSolicitud Resultado = ResultadoSolicitud::Cancelada;
    QString Estado;              // the status line
    clsTransaccion Transaccion;  // QueloPath set; BuscarTicket, LeerSVL1, LeerSAL0 read the answer
    bool Procesada() const { return Resultado == ResultadoSolicitud::Procesada; }
};
