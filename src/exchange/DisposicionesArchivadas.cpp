#include "exchange/DisposicionesArchivadas.h"

#include <QRegularExpression>

#include "exchange/clsItemTicket.h"
#include "exchange/clsParametros.h"
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
    const QByteArray parametros = ArchivoDe(enviados, "_SAL.0");
    if (parametros.isEmpty()) return r;
    // The catalog update is sent for the company "99" and the activity "92"; any other is a closure.
    const bool nomencladores = Registro::ValorDe(*r.Pedido, ArchivoDe(enviados, "_SVL.0"), "Actividad") == "92" &&
                               r.Empresa(enviados).isEmpty();
    r.Clase = nomencladores ? Tipo::Nomencladores : Tipo::Cierre;
    const auto disposicion =
        nomencladores ? &clsParametros::DisposicionNomencladores : &clsParametros::DisposicionCierres;
    // Under V101 the record's length tells the pharmacy's (61 bytes) from the other providers' layout.
    const auto* farmacia = disposicion(version, "1");
    const bool esFarmacia = version != "V101" || (farmacia && parametros.size() == farmacia->Longitud);
    if (const auto* d = disposicion(version, esFarmacia ? "1" : "2")) r.Parametros = Describir(*d);
    // Whatever the version, the terminal answers in the V250 shape.
    r.RespuestaParametros = Describir(*disposicion("V250", "1"));
    return r;
}

std::optional<DisposicionDescrita> DisposicionesArchivadas::Para(const QString& archivo, bool respuesta) const {
    const QString n = archivo.toUpper();
    if (n == "_SAL.0") return respuesta ? RespuestaParametros : Parametros;
    if (n == "_SVL.0") return Pedido;
    if (n == "_SVL.1") return Cabecera;
    if (n == "_SVL.2" || n == "_SVL.3") return Items;
    return std::nullopt;
}

QString DisposicionesArchivadas::Operacion() const {
    switch (Clase) {
        case Tipo::Cierre:
            return "Cierre";
        case Tipo::Nomencladores:
            return "Nomencladores";
        case Tipo::Ticket:
            break;
    }
    return {};
}

QString DisposicionesArchivadas::Empresa(const QMap<QString, QByteArray>& enviados) const {
    if (Clase == Tipo::Nomencladores) return {};
    const QString empresa = Pedido ? Registro::ValorDe(*Pedido, ArchivoDe(enviados, "_SVL.0"), "Empresa") : QString();
    // The catalog update names the terminal's pseudo-company "99", not a company of the pharmacy.
    return empresa == "99" && !ArchivoDe(enviados, "_SAL.0").isEmpty() ? QString() : empresa;
}

QString DisposicionesArchivadas::Tarjeta(const QMap<QString, QByteArray>& enviados) const {
    return Cabecera ? Registro::ValorDe(*Cabecera, ArchivoDe(enviados, "_SVL.1"), "Tarjeta") : QString();
}

QString DisposicionesArchivadas::Ticket(const QMap<QString, QByteArray>& recibidos) const {
    if (Clase == Tipo::Cierre && RespuestaParametros) {
        const QString numero =
            SinCeros(Registro::ValorDe(*RespuestaParametros, ArchivoDe(recibidos, "_SAL.0"), "NumeroCierre"));
        return numero == "0" ? QString() : numero;
    }
    return Cabecera ? SinCeros(Registro::ValorDe(*Cabecera, ArchivoDe(recibidos, "_SVL.1"), "Ticket")) : QString();
}
