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

    // enviados: the request files by name, as the archive keeps them.
    static DisposicionesArchivadas De(const QMap<QString, QByteArray>& enviados);
    // The layout of a request or answer file ("_SVL.1", "_svl.1", "_SVL.3", ...), or nothing for the
    // texts and the files no layout describes.
    std::optional<DisposicionDescrita> Para(const QString& archivo) const;

    // What the exchange list shows of it: the company code, the card and the answered ticket number
    // (leading zeros removed); empty where the files do not carry them.
    QString Empresa(const QMap<QString, QByteArray>& enviados) const;
    QString Tarjeta(const QMap<QString, QByteArray>& enviados) const;
    QString Ticket(const QMap<QString, QByteArray>& recibidos) const;
};

// The file of that name, found without regard to letter case (the terminal writes "_svl.1").
QByteArray ArchivoDe(const QMap<QString, QByteArray>& archivos, const QString& nombre);
