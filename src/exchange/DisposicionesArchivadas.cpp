#include "exchange/DisposicionesArchivadas.h"

#include <QRegularExpression>

#include "exchange/clsItemTicket.h"
#include "exchange/clsTicket.h"
#include "exchange/clsTransaccion.h"

namespace {

QString SinCeros(const QString& numero) {
    for (const QChar c : numero)
        if (!c.isDigit()) return numero;
    const QString sin = QString(numero).remove(QRegularExpression("^0+"));
    return sin.isEmpty() && !numero.isEmpty() ? "0" : sin;
}

}  // namespace

QByteArray ArchivoDe(const QMap<QString, QByteArray>& archivos, const QString& nombre) {
    for (auto it = archivos.begin(); it != archivos.end(); ++it)
        if (it.key().compare(nombre, Qt::CaseInsensitive) == 0) return it.value();
    return {};
}

DisposicionesArchivadas DisposicionesArchivadas::De(const QMap<QString, QByteArray>& enviados) {
    DisposicionesArchivadas r;
    r.Pedido = Describir(clsTransaccion::DisposicionSVL0());
    r.Version = Registro::ValorDe(*r.Pedido, ArchivoDe(enviados, "_SVL.0"), "Version");
    const QByteArray cabecera = ArchivoDe(enviados, "_SVL.1");
    // The header's length tells the provider kind; a header cut short is read as a pharmacy's.
    const QString version = !r.Version.isEmpty() ? r.Version : cabecera.startsWith("FF000") ? "V250" : "V101";
    int tipo = 1;
    if (const auto* otros = clsTicket::DisposicionPara(version, 2); otros && cabecera.size() == otros->Longitud)
        tipo = 2;
    if (const auto* d = clsTicket::DisposicionPara(version, tipo)) r.Cabecera = Describir(*d);
    if (const auto* d = clsItemTicket::DisposicionPara(version, tipo)) r.Items = Describir(*d);
    return r;
}

std::optional<DisposicionDescrita> DisposicionesArchivadas::Para(const QString& archivo) const {
    const QString n = archivo.toUpper();
    if (n == "_SVL.0") return Pedido;
    if (n == "_SVL.1") return Cabecera;
    if (n == "_SVL.2" || n == "_SVL.3") return Items;
    return std::nullopt;
}

QString DisposicionesArchivadas::Empresa(const QMap<QString, QByteArray>& enviados) const {
    return Pedido ? Registro::ValorDe(*Pedido, ArchivoDe(enviados, "_SVL.0"), "Empresa") : QString();
}

QString DisposicionesArchivadas::Tarjeta(const QMap<QString, QByteArray>& enviados) const {
    return Cabecera ? Registro::ValorDe(*Cabecera, ArchivoDe(enviados, "_SVL.1"), "Tarjeta") : QString();
}

QString DisposicionesArchivadas::Ticket(const QMap<QString, QByteArray>& recibidos) const {
    return Cabecera ? SinCeros(Registro::ValorDe(*Cabecera, ArchivoDe(recibidos, "_SVL.1"), "Ticket")) : QString();
}
