#pragma once
// The request cycle with the terminal, without a window: the request record and the notification,
// the wait (a step the caller gives: the wait window, or a test's), and which request each answer
// answers. It keeps the requests whose wait the user cancelled, because the terminal may still
// approve them: their answers are journalled once, whenever they come (before or during a later
// request, at shutdown, or at the next start when the program died).
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "exchange/Solicitud.h"

// A request sent to the terminal whose answer may still come.
struct PedidoPendiente {
    QString Id;             // its exchange in the archive
    QByteArray Cabecera;    // the request header _SVL.1 as sent; empty for requests without one
    QString Version;        // gVersion when it was sent
    QString CodigoEmpresa;  // gCodigoEmpresa when it was sent
};

// An answer that came after the user had cancelled the wait for it.
struct RespuestaTardia {
    QString Estado;         // the status line
    QString Cabecera;       // the answer header text (LeerSVL1)
    QString Ticket;         // the ticket text (BuscarTicket)
    QString CodigoEmpresa;  // gCodigoEmpresa when the request was sent
};

class CicloSolicitud {
public:
    // The wait: true once D\Estado.rsp holds a complete first line, false when the user cancelled.
    using Espera = std::function<bool()>;

    // The cycle once the operation's own records are in D\UpLoad (t.QueloPath): answers of cancelled
    // requests that came since are taken first, the way is cleared, the request record and the
    // notification written, and the wait repeated until the answer to this request comes or the user
    // cancels; an answer to a cancelled request met on the way is taken and the wait goes on. An
    // error status is shown ("Error en el proceso:"). A failure writing the request raises TarsaError.
    Solicitud Enviar(clsTransaccion t, const Espera& esperar);

    // Takes the answer now in d when it answers a cancelled request (journalled and announced once).
    void Revisar(const QString& d);
    // At shutdown (or when the run leaves d for another working directory): takes what has come; when
    // a cancelled request still has no answer, tells the user, forgets it and returns false: d keeps
    // the list (kArchivoPendientes) and is not removed, so the next start looks there.
    bool AlCerrar(const QString& d);
    // At start-up, once the journal is open: the exchange directories of runs that died (or closed
    // with a request unanswered) are looked at for approvals of their requests, which are journalled
    // and announced; then they are removed. Returns how many approvals were journalled.
    int RecuperarAbandonados(const QString& trabajo);

    // The cancelled requests still awaiting an answer, oldest first.
    const QList<PedidoPendiente>& Pendientes() const { return pendientes_; }

    // Told of every answer to a cancelled request whose status starts with "0"; the journal installs
    // it (a lower layer cannot journal). The same answer is never handed over twice.
    std::function<void(const RespuestaTardia&)> AlRecibirRespuestaTardia;
    // The request record's writing (clsTransaccion::PutSVL0); tests put an answer's arrival before it.
    std::function<void(const clsTransaccion&)> EscribirPedido;

private:
    // Which of the requests (oldest first) an answer answers, or -1: respuesta is its header _svl.1,
    // parametros whether it holds a catalog's or closure's _sal.0.
    static int Corresponde(const QList<PedidoPendiente>& pedidos, const QByteArray& respuesta, bool parametros);
    // Takes the answer in d as that of pendientes_[i]: archived, removed from d, handed over; enCurso
    // is the request being waited for, if any (kept in the list for the next start).
    void AtenderTardia(int i, const QString& d, const PedidoPendiente* enCurso);
    // Takes the answer in d, whole or not, when it answers a cancelled request.
    void Tomar(const QString& d);
    // Removes a taken answer from d; throws when its status file cannot be removed (the wait would
    // end on it again and again).
    void Consumir(const QString& id, const QString& d);
    void GuardarPendientes(const QString& d, const PedidoPendiente* enCurso) const;

    QList<PedidoPendiente> pendientes_;
    QString ultimoId_;  // the last exchange of the run, whose answer files are cleared before the next
};

// The cycle of this run.
inline CicloSolicitud gCicloSolicitud;
