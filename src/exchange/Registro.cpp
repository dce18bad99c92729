#include "exchange/Registro.h"

#include "core/modTarsa.h"
#include "exchange/ArchivoRespuesta.h"
#include "exchange/modIntercambio.h"
#include "platform/Ansi.h"
#include "platform/ArchivoRegistros.h"
#include "platform/TarsaError.h"

namespace Registro {

namespace {
constexpr int kTiposIncompatibles = 13;

// Every field is cut and padded after encoding, so its width is in bytes whatever the text held.
QByteArray AlAncho(const QByteArray& bytes, int ancho, char relleno) {
    return bytes.size() >= ancho ? bytes.left(ancho) : bytes + QByteArray(ancho - bytes.size(), relleno);
}

QByteArray CerosAlAncho(const QByteArray& bytes, int ancho) { return (QByteArray(ancho, '0') + bytes).right(ancho); }
}  // namespace

QByteArray FormatearCampo(Convencion conv, int ancho, const QVariant& valor, const QString& literal) {
    switch (conv) {
        case Convencion::Texto: return AlAncho(Ansi::Codificar(valor.toString()), ancho, ' ');
        case Convencion::Ceros: return CerosAlAncho(Ansi::Codificar(RellenarCeros(valor, ancho)), ancho);
        case Convencion::CerosRTrim: return CerosAlAncho(Ansi::Codificar(RellenarCerosRTrim(valor, ancho)), ancho);
        case Convencion::Fecha: return AlAncho(Ansi::Codificar(FechaAAAAMMDD(valor.toString())), ancho, ' ');
        case Convencion::Blanco: return QByteArray(ancho, ' ');
        case Convencion::Relleno0: return QByteArray(ancho, '0');
        case Convencion::Literal: return AlAncho(Ansi::Codificar(literal), ancho, ' ');
        case Convencion::Nulos: return QByteArray(ancho, '\0');
        case Convencion::FinLinea: return QByteArray("\r\n");
    }
    return QByteArray(ancho, ' ');
}

void Agregar(QByteArray& registro, const QString& disposicion, int offset, const QByteArray& campo) {
    if (offset != registro.size())
        throw TarsaError(5, QString("Disposición %1: el campo de la posición %2 no sigue al anterior (%3)")
                                .arg(disposicion)
                                .arg(offset)
                                .arg(registro.size()));
    registro += campo;
}

void Verificar(const QByteArray& registro, const QString& disposicion, int longitud) {
    if (registro.size() != longitud)
        throw TarsaError(5, QString("Disposición %1: %2 bytes en lugar de %3").arg(disposicion).arg(registro.size()).arg(longitud));
}

int ValorNumerico(const QString& texto) {
    qint64 n = 0;
    int signo = 1;
    bool inicio = true;
    for (const QChar c : texto) {
        if (c == ' ' || c == '\t') continue;
        if (inicio && (c == '-' || c == '+')) {
            signo = c == '-' ? -1 : 1;
            inicio = false;
            continue;
        }
        if (c < '0' || c > '9') break;
        inicio = false;
        n = n * 10 + (c.unicode() - '0');
        if (n > 2147483647) break;
    }
    return static_cast<int>(signo * n);
}

int Entero(const QString& texto) {
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    if (!ok) throw TarsaError(kTiposIncompatibles, "No coinciden los tipos: \"" + texto + "\" no es un número");
    return n;
}

int EnteroO9999(const QString& texto) {
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    return ok ? n : 9999;
}

void LeerErrores(const QString& directorio, const QString& relativa, int longitud, LecturaCodigo lectura,
                 int offsetCodigo, int anchoCodigo, int offsetTexto, int anchoTexto) {
    ArchivoRegistros archivo;
    switch (archivo.AbrirLecturaDentro(directorio, relativa, longitud)) {
        case SinEnlaces::Apertura::Falta: return;  // no answer records: nothing to list
        case SinEnlaces::Apertura::Rechazado: ArchivoRespuesta::InformarRechazo(relativa); return;
        case SinEnlaces::Apertura::Abierto: break;
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
            case LecturaCodigo::ValorNumerico: e.Numero = ValorNumerico(codigo); break;
            case LecturaCodigo::Entero: e.Numero = Entero(codigo); break;
            case LecturaCodigo::EnteroO9999: e.Numero = EnteroO9999(codigo); break;
            case LecturaCodigo::TextoPresente: e.Numero = e.Comentario.trimmed().isEmpty() ? 0 : 1; break;
        }
        if (e.Numero != 0) gColErrores.append(e);
    }
}

}  // namespace Registro
