#include "RegistrosTerminal.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace terminal {

namespace {

const QByteArray kCrLf = "\r\n";

bool TerminaEnCrLf(const QByteArray& bytes, int largo) {
    return bytes.size() >= largo && bytes.mid(largo - 2, 2) == kCrLf;
}

QString Campo(const QByteArray& registro, int posicion, int ancho) { return DesdeAnsi(registro.mid(posicion, ancho)); }

std::optional<qint64> Numero(const QByteArray& registro, int posicion, int ancho) {
    bool ok = false;
    const qint64 n = Campo(registro, posicion, ancho).trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return n;
}

// The V101 operation character back to the code of the V250 layouts.
QString OperacionDesdeV101(QChar c) {
    switch (c.toLatin1()) {
        case '1':
            return "01";
        case '3':
            return "02";
        case '2':
            return "03";
        case '0':
            return "04";
        case '4':
            return "21";
        case '6':
            return "22";
        case '5':
            return "31";
        case '7':
            return "32";
        case 'A':
            return "41";
        default:
            return QString("0") + c;
    }
}

}  // namespace

#ifdef Q_OS_WIN
// Qt for Windows names code pages only through ICU, which it is built without: Windows converts.
QByteArray Ansi(const QString& texto) {
    const auto* w = reinterpret_cast<const wchar_t*>(texto.utf16());
    const int n = WideCharToMultiByte(1252, 0, w, int(texto.size()), nullptr, 0, nullptr, nullptr);
    QByteArray bytes(n, Qt::Uninitialized);
    WideCharToMultiByte(1252, 0, w, int(texto.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

QString DesdeAnsi(const QByteArray& bytes) {
    const int n = MultiByteToWideChar(1252, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString texto(n, Qt::Uninitialized);
    MultiByteToWideChar(1252, 0, bytes.constData(), int(bytes.size()), reinterpret_cast<wchar_t*>(texto.data()), n);
    return texto;
}

bool AnsiDisponible() { return IsValidCodePage(1252); }
#else
QByteArray Ansi(const QString& texto) {
    QStringEncoder codificador("windows-1252");
    return codificador.encode(texto);
}

QString DesdeAnsi(const QByteArray& bytes) {
    QStringDecoder decodificador("windows-1252");
    return decodificador.decode(bytes);
}

bool AnsiDisponible() { return QStringEncoder("windows-1252").isValid(); }
#endif

QByteArray Texto(const QString& valor, int ancho) { return Ansi(valor).left(ancho).leftJustified(ancho, ' '); }

QByteArray Ceros(const QString& valor, int ancho) {
    return (QByteArray(ancho, '0') + Ansi(valor.trimmed())).right(ancho);
}

void Poner(QByteArray& registro, int posicion, const QByteArray& campo) {
    registro.replace(posicion, campo.size(), campo);
}

std::optional<Pedido> LeerPedido(const QByteArray& bytes, QString* motivo) {
    if (bytes.size() < 16) {
        *motivo = QString("pedido _SVL.0 de %1 bytes, se esperaban 16").arg(bytes.size());
        return std::nullopt;
    }
    Pedido p;
    p.version = Campo(bytes, 0, 4);
    p.empresa = Campo(bytes, 4, 2);
    p.actividad = Campo(bytes, 6, 2);
    p.licencia = Campo(bytes, 8, 8).trimmed();
    if (p.version != "V101" && p.version != "V250") {
        *motivo = QString("versión de protocolo desconocida \"%1\"").arg(p.version);
        return std::nullopt;
    }
    return p;
}

const DisenoCabecera& Cabecera(Diseno d) {
    // V250: ticket, a blank, date, time, plan, affiliate type, amount, error code and text, as in
    // the layout. V101: the same kinds of data in the blank and zero-filled places of that layout.
    static const DisenoCabecera v101f{222, 154, 10, 164, 114, 172, 118, 177, 9, 186, 190, 30};
    static const DisenoCabecera v101o{262, 164, 10, 174, 114, 182, 118, 187, 9, 196, 200, 30};
    static const DisenoCabecera v250f{372, 249, 12, 267, 275, 279, 284, 285, 11, 296, 300, 40};
    static const DisenoCabecera v250o{383, 260, 12, 278, 286, 290, 295, 296, 11, 307, 311, 40};
    switch (d) {
        case Diseno::V101Farmacia:
            return v101f;
        case Diseno::V101Otros:
            return v101o;
        case Diseno::V250Farmacia:
            return v250f;
        case Diseno::V250Otros:
            break;
    }
    return v250o;
}

const DisenoItem& Item(Diseno d) {
    static const DisenoItem v101f{98, -1, 46, 30};
    static const DisenoItem v101o{85, -1, 23, 30};
    static const DisenoItem v250f{246, 170, 174, 40};
    static const DisenoItem v250o{162, 86, 90, 40};
    switch (d) {
        case Diseno::V101Farmacia:
            return v101f;
        case Diseno::V101Otros:
            return v101o;
        case Diseno::V250Farmacia:
            return v250f;
        case Diseno::V250Otros:
            break;
    }
    return v250o;
}

bool EsFarmacia(Diseno d) { return d == Diseno::V101Farmacia || d == Diseno::V250Farmacia; }
bool EsV250(Diseno d) { return d == Diseno::V250Farmacia || d == Diseno::V250Otros; }

QString ArchivoItemsPedido(Diseno d) { return d == Diseno::V250Farmacia ? "_SVL.3" : "_SVL.2"; }
QString ArchivoItemsRespuesta(Diseno d) { return EsFarmacia(d) ? "_SVL.3" : "_SVL.2"; }

std::optional<Ticket> LeerCabecera(const QString& version, const QByteArray& bytes, QString* motivo) {
    Ticket t;
    if (version == "V250" && bytes.startsWith("FF000") && TerminaEnCrLf(bytes, 372)) {
        t.diseno = Diseno::V250Farmacia;
    } else if (version == "V250" && bytes.startsWith("FF000") && TerminaEnCrLf(bytes, 383)) {
        t.diseno = Diseno::V250Otros;
    } else if (version == "V101" && TerminaEnCrLf(bytes, 222)) {
        t.diseno = Diseno::V101Farmacia;
    } else if (version == "V101" && TerminaEnCrLf(bytes, 262)) {
        t.diseno = Diseno::V101Otros;
    } else {
        *motivo =
            QString("cabecera _SVL.1 de %1 bytes no coincide con ningún diseño %2").arg(bytes.size()).arg(version);
        return std::nullopt;
    }
    const QByteArray& r = t.registro = bytes.left(Cabecera(t.diseno).largo);
    switch (t.diseno) {
        case Diseno::V101Farmacia:
        case Diseno::V101Otros: {
            const int k = t.diseno == Diseno::V101Otros ? 10 : 0;  // the other layout has 10 more bytes of licences
            t.tarjeta = Campo(r, 0, 100).trimmed();
            t.tipoLectura = Campo(r, 100, 1);
            t.matriculaRe = Campo(r, t.diseno == Diseno::V101Otros ? 121 : 119, 6);
            t.fechaReceta = Campo(r, 135 + k, 8).trimmed();
            t.operacion = OperacionDesdeV101(Campo(r, 143 + k, 1).at(0));
            t.ticketPadre = Campo(r, 144 + k, 10);
            break;
        }
        case Diseno::V250Farmacia:
        case Diseno::V250Otros: {
            const bool otros = t.diseno == Diseno::V250Otros;
            t.operacion = Campo(r, 5, 2);
            t.tarjeta = Campo(r, 7, 100).trimmed();
            t.tipoLectura = Campo(r, 107, 1);
            t.prestador = Campo(r, 108, 11);
            t.ticketPadre = Campo(r, otros ? 130 : 119, 12).trimmed();
            t.receta = Campo(r, otros ? 144 : 133, 20).trimmed();
            t.fechaReceta = Campo(r, otros ? 164 : 153, 8).trimmed();
            t.matriculaRe = Campo(r, otros ? 214 : 212, 6);
            break;
        }
    }
    return t;
}

std::optional<QList<ItemPedido>> LeerItems(Diseno d, const QByteArray& bytes, QString* motivo) {
    const int largo = Item(d).largo;
    if (bytes.size() % largo != 0) {
        *motivo = QString("archivo de ítems de %1 bytes, no es múltiplo de %2").arg(bytes.size()).arg(largo);
        return std::nullopt;
    }
    QList<ItemPedido> items;
    for (int i = 0; i < bytes.size() / largo; ++i) {
        ItemPedido it;
        it.registro = bytes.mid(i * largo, largo);
        std::optional<qint64> cantidad, precio, cobertura = 0;
        switch (d) {
            case Diseno::V101Farmacia:
                it.codigo = Campo(it.registro, 0, 7);
                cantidad = Numero(it.registro, 20, 2);
                precio = Numero(it.registro, 27, 13);
                break;
            case Diseno::V250Farmacia:
                it.codigo = Campo(it.registro, 5, 7);
                cantidad = Numero(it.registro, 32, 2);
                precio = Numero(it.registro, 35, 11);
                cobertura = Numero(it.registro, 69, 5);
                it.plan = Campo(it.registro, 85, 10).trimmed();
                break;
            case Diseno::V101Otros:
                it.codigo = Campo(it.registro, 0, 8).trimmed();
                cantidad = Numero(it.registro, 8, 2);
                precio = Numero(it.registro, 10, 13);
                break;
            case Diseno::V250Otros:
                it.codigo = Campo(it.registro, 7, 10).trimmed();
                cantidad = Numero(it.registro, 17, 2);
                precio = Numero(it.registro, 27, 11);
                it.plan = Campo(it.registro, 76, 10).trimmed();
                break;
        }
        if (!TerminaEnCrLf(it.registro, largo) || !cantidad || !precio || !cobertura) {
            *motivo = QString("ítem %1 mal formado").arg(i + 1);
            return std::nullopt;
        }
        it.cantidad = int(*cantidad);
        it.precio = *precio;
        it.cobertura = int(*cobertura);
        items.append(it);
    }
    return items;
}

std::optional<int> ContarDiagnosticos(const QByteArray& bytes) {
    if (bytes.size() % 56 != 0) return std::nullopt;
    for (int i = 0; i < bytes.size(); i += 56)
        if (!TerminaEnCrLf(bytes.mid(i, 56), 56)) return std::nullopt;
    return int(bytes.size() / 56);
}

QByteArray RespuestaCabecera(const Ticket& t, const DatosRespuesta& r) {
    // Every layout is answered in itself: the request record with the terminal's places filled.
    QByteArray registro = t.registro;
    const DisenoCabecera& c = Cabecera(t.diseno);
    Poner(registro, c.ticket, Ceros(QString::number(r.ticket), c.anchoTicket));
    Poner(registro, c.fecha, Texto(r.fecha, 8));
    Poner(registro, c.hora, Texto(r.hora, 4));
    Poner(registro, c.plan, Texto(r.plan, 5));
    Poner(registro, c.tipoAfiliado, "1");
    Poner(registro, c.monto, Ceros(QString::number(r.monto), c.anchoMonto));
    Poner(registro, c.codigoError, "0000");
    Poner(registro, c.textoError, Texto(r.comentario, c.anchoTextoError));
    return registro;
}

QByteArray RespuestaItem(Diseno d, const QByteArray& registro, int codigo, const QString& texto) {
    const DisenoItem& it = Item(d);
    QByteArray r = registro;
    // The V101 pharmacy record travels with zeros in its error text; an answer that left them
    // would read as an error, so an item without error gets blanks.
    Poner(r, it.textoError, Texto(codigo == 0 ? QString() : texto, it.anchoTextoError));
    if (it.codigoError >= 0) Poner(r, it.codigoError, Ceros(QString::number(codigo), 4));
    return r;
}

std::optional<Parametros> LeerParametros(const QString& version, const QByteArray& bytes, QString* motivo) {
    Parametros p;
    std::optional<qint64> operacion;
    if (version == "V250" && TerminaEnCrLf(bytes, 116)) {
        p.registroV250 = bytes.left(116);
        operacion = Numero(bytes, 0, 2);
        p.modos = Campo(bytes, 36, 3);
    } else if (version == "V101" && TerminaEnCrLf(bytes, 61)) {
        operacion = Numero(bytes, 0, 1);
        p.modos = Campo(bytes, 2, 3);
    } else if (version == "V101" && TerminaEnCrLf(bytes, 71)) {
        operacion = Numero(bytes, 0, 1);
        p.modos = Campo(bytes, 2, 2) + Campo(bytes, 39, 1);
    }
    if (!operacion) {
        *motivo =
            QString("parámetros _SAL.0 de %1 bytes no coinciden con ningún diseño %2").arg(bytes.size()).arg(version);
        return std::nullopt;
    }
    p.operacion = int(*operacion);
    return p;
}

QByteArray RespuestaSal0(const Parametros& p, qint64 numero, int codigo, const QString& mensaje,
                         const QString& licencia) {
    QByteArray r = QByteArray(114, ' ') + kCrLf;
    Poner(r, 0, Ceros(QString::number(p.operacion), 2));
    Poner(r, 2, Ceros(QString::number(numero), 9));
    if (!p.registroV250.isEmpty())
        Poner(r, 11, p.registroV250.mid(11, 29));  // dates and modes as asked
    else
        Poner(r, 35, "0" + Ansi(p.modos) + "0");
    Poner(r, 40, Ceros(QString::number(codigo), 4));
    Poner(r, 44, Texto(mensaje, 40));
    Poner(r, 84, Ceros(licencia, 11));
    Poner(r, 95, "00000");
    return r;
}

}  // namespace terminal
