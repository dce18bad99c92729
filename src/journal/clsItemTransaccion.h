#pragma once
// One row of the transaction journal, with the company's name in place of its code. Ticket numbers
// have 12 digits, so they are 64-bit.
#include <QString>

struct clsItemTransaccion {
    QString Operacion;
    QString Tarjeta;
    QString TipoLectura;
    QString Prestador;
    QString PrestadorSolicitante;
    qint64 TicketPadre = 0;
    QString FechaPrestacion;
    QString HoraPrestacion;
    QString TipoMatriculaMPractica;
    QString MatriculaMedicoPractica;
    qint32 CodigoAutorizacion = 0;
    QString NumeroAutorizacion;
    qint64 Ticket = 0;
    QString Fecha;
    QString Hora;
    QString PlanAsociado;
    qint16 TipoAsociado = 0;
    double MontoAbonar = 0;
    qint16 Error = 0;
    QString Comentario;
    qint32 NumeroTrxPrestador = 0;
    QString ObraSocial;
};
