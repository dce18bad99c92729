#include "exchange/Registro.h"

#include <QDate>
#include <QRegularExpression>
#include <tuple>

#include "core/modFormato.h"
#include "exchange/ArchivoRespuesta.h"
#include "exchange/clsItemError.h"
#include "platform/Ansi.h"
#include "platform/ArchivoRegistros.h"
#include "platform/LectorNumeros.h"
#include "platform/TarsaError.h"

namespace Registro {

namespace {
// A whole number where the layout has one; anything else in the field is a type mismatch.
int NumeroDeCampo(const QString& texto) {
    const NumeroLeido n = LeerNumero(texto, FormaNumero::Campo);
    if (!n.EsNumero) throw TarsaError(ErrTiposNoCoinciden, "No coinciden los tipos: \"" + texto + "\" no es un número");
    return n.Como<int>();
}

// Every field is cut and padded after encoding, so its width is in bytes whatever the text held.
QByteArray AlAncho(const QByteArray& bytes, int ancho, char relleno) {
    return bytes.size() >= ancho ? bytes.left(ancho) : bytes + QByteArray(ancho - bytes.size(), relleno);
}

QByteArray CerosAlAncho(const QByteArray& bytes, int ancho) { return (QByteArray(ancho, '0') + bytes).right(ancho); }
}  // namespace

QByteArray FormatearCampo(Convencion conv, int ancho, const QVariant& valor, const QString& literal) {
    switch (conv) {
        case Convencion::Texto:
            return AlAncho(Ansi::Codificar(valor.toString()), ancho, ' ');
        case Convencion::Ceros:
            return CerosAlAncho(Ansi::Codificar(RellenarCeros(valor, ancho)), ancho);
        case Convencion::CerosRTrim:
            return CerosAlAncho(Ansi::Codificar(RellenarCerosRTrim(valor, ancho)), ancho);
        case Convencion::Fecha:
            return AlAncho(Ansi::Codificar(FechaAAAAMMDD(valor.toString())), ancho, ' ');
        case Convencion::Blanco:
            return QByteArray(ancho, ' ');
        case Convencion::Relleno0:
            return QByteArray(ancho, '0');
        case Convencion::Literal:
            return AlAncho(Ansi::Codificar(literal), ancho, ' ');
        case Convencion::Nulos:
            return QByteArray(ancho, '\0');
        case Convencion::FinLinea:
            return QByteArray("\r\n");
    }
    return QByteArray(ancho, ' ');
}

void Agregar(QByteArray& registro, const QString& disposicion, int offset, const QByteArray& campo) {
    if (offset != registro.size())
        throw TarsaError(ErrArgumentoInvalido,
                         QString("Disposición %1: el campo de la posición %2 no sigue al anterior (%3)")
                             .arg(disposicion)
                             .arg(offset)
                             .arg(registro.size()));
    registro += campo;
}

void Verificar(const QByteArray& registro, const QString& disposicion, int longitud) {
    if (registro.size() != longitud)
        throw TarsaError(
            ErrArgumentoInvalido,
            QString("Disposición %1: %2 bytes en lugar de %3").arg(disposicion).arg(registro.size()).arg(longitud));
}

namespace {

QString SinCerosIniciales(const QString& texto) {
    int i = 0;
    while (i < texto.size() - 1 && texto[i] == '0') ++i;
    return texto.mid(i);
}

// What the bytes of a whole field stand for, and what is wrong with them.
std::pair<QString, QString> Interpretar(const CampoDescrito& c, const QByteArray& bytes) {
    const QString texto = Ansi::Decodificar(bytes).trimmed();
    static const QRegularExpression digitos(QStringLiteral("^[0-9]+$"));
    switch (c.Conv) {
        case Convencion::Ceros:
        case Convencion::CerosRTrim:
        case Convencion::Relleno0:
            return {digitos.match(texto).hasMatch() ? SinCerosIniciales(texto) : texto, {}};
        case Convencion::Fecha: {
            if (texto.isEmpty()) return {};
            const QDate dia = QDate::fromString(texto, "yyyyMMdd");
            if (dia.isValid()) return {dia.toString("dd/MM/yyyy"), {}};
            return {texto, QString::fromUtf8("no es una fecha")};
        }
        case Convencion::Literal:
            if (c.Papel == Rol::CodigoError)
                return {digitos.match(texto).hasMatch() ? SinCerosIniciales(texto) : texto, {}};
            if (Ansi::Decodificar(bytes) != c.Literal)
                return {texto, QString::fromUtf8("se esperaba «%1»").arg(c.Literal)};
            return {texto, {}};
        case Convencion::Nulos:
            return {bytes.count('\0') == bytes.size() ? QString() : texto, {}};
        case Convencion::FinLinea:
            if (bytes != "\r\n") return {texto, QString::fromUtf8("falta el fin de línea")};
            return {"CR LF", {}};
        case Convencion::Texto:
        case Convencion::Blanco:
            break;
    }
    return {texto, {}};
}

}  // namespace

QList<CampoLeido> Desglosar(const DisposicionDescrita& d, const QByteArray& registro) {
    QList<CampoLeido> campos;
    for (const CampoDescrito& c : d.Campos) {
        CampoLeido l{c, registro.mid(c.Offset, c.Ancho), {}, {}};
        if (l.Bytes.size() < c.Ancho) {
            l.Valor = Ansi::Decodificar(l.Bytes).trimmed();
            l.Marca = l.Bytes.isEmpty() ? QString::fromUtf8("falta: el registro termina antes")
                                        : QString::fromUtf8("cortado: %1 de %2 bytes").arg(l.Bytes.size()).arg(c.Ancho);
        } else {
            std::tie(l.Valor, l.Marca) = Interpretar(c, l.Bytes);
        }
        campos.append(l);
    }
    return campos;
}

QString ValorDe(const DisposicionDescrita& d, const QByteArray& registro, const QString& nombre) {
    for (const CampoDescrito& c : d.Campos)
        if (c.Nombre == nombre) return Ansi::Decodificar(registro.mid(c.Offset, c.Ancho)).trimmed();
    return {};
}

QString ValorDe(const DisposicionDescrita& d, const QString& registro, const QString& nombre) {
    for (const CampoDescrito& c : d.Campos)
        if (c.Nombre == nombre) return registro.mid(c.Offset, c.Ancho).trimmed();
    return {};
}

TarsaError VersionDesconocida(const QString& version) {
    return TarsaError(
        ErrArgumentoInvalido,
        QString::fromUtf8("Versión de protocolo desconocida: «%1»; se esperaba V101 o V250.").arg(version));
}

void LeerErrores(const QString& directorio, const QString& relativa, int longitud, LecturaCodigo lectura,
                 int offsetCodigo, int anchoCodigo, int offsetTexto, int anchoTexto, QList<clsItemError>& errores) {
    ArchivoRegistros archivo;
    switch (archivo.AbrirLecturaDentro(directorio, relativa, longitud)) {
        case SinEnlaces::Apertura::Falta:
            return;  // no answer records: nothing to list
        case SinEnlaces::Apertura::Rechazado:
            ArchivoRespuesta::InformarRechazo(relativa);
            return;
        case SinEnlaces::Apertura::Abierto:
            break;
    }
    const qint64 total = archivo.CantidadRegistros();
    const QList<QByteArray> registros = archivo.LeerPrimeros(ArchivoRespuesta::kMaximoRegistros);
    archivo.Cerrar();
    if (total > registros.size())
        ArchivoRespuesta::InformarCorte(relativa, QString::number(registros.size()) + " registros",
                                        QString::number(total) + " registros");
    for (const QByteArray& r : registros) {
        clsItemError e;
        e.Tipo = 1;
        e.Comentario = Ansi::Decodificar(r.mid(offsetTexto, anchoTexto));
        const QString codigo = Ansi::Decodificar(r.mid(offsetCodigo, anchoCodigo));
        switch (lectura) {
            case LecturaCodigo::ValorNumerico:
                e.Numero = Val<int>(codigo);
                break;
            case LecturaCodigo::Entero:
                e.Numero = NumeroDeCampo(codigo);
                break;
            case LecturaCodigo::EnteroO9999: {
                const NumeroLeido n = LeerNumero(codigo, FormaNumero::Campo);
                e.Numero = n.EsNumero ? n.Como<int>() : 9999;
                break;
            }
            case LecturaCodigo::TextoPresente:
                e.Numero = e.Comentario.trimmed().isEmpty() ? 0 : 1;
                break;
        }
        if (e.Numero != 0) errores.append(e);
    }
}

}  // namespace Registro
