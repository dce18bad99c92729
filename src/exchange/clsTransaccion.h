#pragma once
// One request to the terminal: the request record _SVL.0 and the notification, then the status
// line and the answer files once the terminal has written Estado.rsp.
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

#include "exchange/Registro.h"

class clsTransaccion {
public:
    QString Version;       // "V101" or "V250"
    QString Actividad;     // activity code
    QString Empresa;       // company code
    QString Licencia;      // the provider's licence in the terminal network
    QString QueloPath;     // the exchange directory of the run (D)
    int MedidaTicket = 0;  // length of the longest line of the last ticket text read
    // The answer texts kept by RetenerRespuesta (by file, nothing for a missing one); empty: read D.
    QMap<QString, std::optional<QStringList>> Retenida;

    // Writes D\Upload\_SVL.0 (16 bytes, record 1, not truncated) and, when the working directory has
    // a TX directory, the empty notification file named after the exchange directory. File errors
    // throw TarsaError, and so does a blank licence (ErrSinLicencia), before anything is written. A
    // status file is left alone: the cycle clears the way before, and one that comes now is a cancelled
    // request's answer, met in the wait (CicloSolicitud).
    void PutSVL0() const;
    // The first line of D\Estado.rsp without its line end, or empty text when there is none.
    QString BuscarRespuesta() const;
    // D\Download\_ticket.prn, every line ended by CR LF; widens MedidaTicket to its longest line.
    QString BuscarTicket();
    // D\Download\_svl.1, every line ended by CR LF.
    QString LeerSVL1() const;
    // D\Download\_sal.0, every line ended by CR LF, without leading and trailing spaces.
    QString LeerSAL0() const;

    // Keeps the ticket, answer header and closure texts now in D, so that BuscarTicket, LeerSVL1 and
    // LeerSAL0 give this answer's even when the terminal writes another one (a cancelled request's)
    // while the user is still looking at this one.
    void RetenerRespuesta();

    // Throws ErrSinLicencia when the licence is blank.
    void ExigirLicencia() const;
    // The 16 bytes of the request record; a blank licence throws (ErrSinLicencia).
    QByteArray RegistroSVL0() const;
    static const Disposicion<clsTransaccion>& DisposicionSVL0();
    static QString ArchivoEstado(const QString& directorio);  // D\Estado.rsp

private:
    QString LeerLineas(const QString& relativa, qint64 limite, int* medida) const;
};
