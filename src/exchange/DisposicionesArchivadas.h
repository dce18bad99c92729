#pragma once
// Which layout each archived file of an exchange has, worked out from the request as it was sent: the
// version and company of the request record, the provider kind from the length of the header record.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

#include "exchange/Registro.h"

struct DisposicionesArchivadas {
    QString Version;  // "V101", "V250" or empty when the request record is missing
    std::optional<DisposicionDescrita> Pedido, Cabecera, Items;
    // The parameters record _SAL.0 of a closure or a catalog update as sent, and the terminal's
    // answer records of the same name.
    std::optional<DisposicionDescrita> Parametros, RespuestaParametros;
    enum class Tipo { Ticket, Cierre, Nomencladores };
    Tipo Clase = Tipo::Ticket;

    // enviados: the request files by name, as the archive keeps them.
    static DisposicionesArchivadas De(const QMap<QString, QByteArray>& enviados);
    // The layout of a request or answer file ("_SVL.1", "_svl.1", "_SVL.3", "_SAL.0", ...), or nothing
    // for the texts and the files no layout describes. respuesta: a file the terminal wrote ("_sal.0"
    // is the answer to "_SAL.0" and has a layout of its own).
    std::optional<DisposicionDescrita> Para(const QString& archivo, bool respuesta = false) const;

    // What the exchange list shows of it: the operation of a request with no ticket header ("Cierre",
    // "Nomencladores"), the company code (none for a catalog update, which names no company), the card
    // and the answered ticket or closure number (leading zeros removed); empty where the files do not
    // carry them.
    QString Operacion() const;
    QString Empresa(const QMap<QString, QByteArray>& enviados) const;
    QString Tarjeta(const QMap<QString, QByteArray>& enviados) const;
    QString Ticket(const QMap<QString, QByteArray>& recibidos) const;
};

// The file of that name, found without regard to letter case (the terminal writes "_svl.1").
QByteArray ArchivoDe(const QMap<QString, QByteArray>& archivos, const QString& nombre);
