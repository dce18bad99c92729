#include "catalogs/ArchivoConfiguracion.h"

#include "catalogs/clsBitmaps.h"
#include "catalogs/modConfiguracion.h"
#include "platform/Ansi.h"
#include "platform/ArchivoTexto.h"
#include "platform/Rutas.h"

namespace ArchivoConfiguracion {

namespace {

bool SinControles(const QByteArray& bytes) {
    for (const char b : bytes)
        if (static_cast<unsigned char>(b) < 0x20 || b == 0x7f) return false;
    return true;
}

// A code of the network: digits, possibly after blanks.
bool EsCodigo(const QString& campo) {
    const QString t = campo.trimmed();
    if (t.isEmpty()) return false;
    for (const QChar c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

// What is wrong with one record of _Quelo.emp, or nothing.
QString FallaEmpresa(const QByteArray& registro) {
    if (registro.size() == kLongitudEmpresa && !registro.endsWith("\r\n")) return "no termina en CR LF";
    if (!SinControles(registro.left(kLongitudEmpresa - 2))) return "tiene caracteres de control";
    const QString r = Ansi::Decodificar(registro);
    if (r.mid(0, 8).trimmed().isEmpty()) return "no tiene licencia";
    if (!EsCodigo(r.mid(8, 2))) return QString("el código de empresa \"%1\" no es un número").arg(r.mid(8, 2));
    if (!EsCodigo(r.mid(40, 2))) return QString("el código de actividad \"%1\" no es un número").arg(r.mid(40, 2));
    return {};
}

QString FallaBitmap(const QString& linea) {
    for (const QChar c : linea)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return "tiene caracteres de control";
    if (!EsCodigo(linea.mid(0, 2)) || !EsCodigo(linea.mid(2, 2)) || !EsCodigo(linea.mid(4, 2)))
        return "no empieza por los códigos de empresa, actividad y operación";
    if (linea.mid(6, 64).trimmed().isEmpty()) return "no nombra el registro";
    for (const QChar c : linea.mid(70, 100).trimmed())
        if (c != '0' && c != '1') return "tiene una máscara que no es de ceros y unos";
    return {};
}

}  // namespace

TarsaError ConfiguracionRechazada(const QString& archivo, int numero, const QString& motivo) {
    return TarsaError(numero, QString::fromUtf8("El archivo de configuración de la terminal %1 %2. No se importó: "
                                                "la configuración quedó como estaba y se volverá a leer "
                                                "cuando el archivo esté completo.")
                                  .arg(archivo, motivo));
}

std::optional<QList<clsItemEmpresaQuelo>> LeerEmpresas(const QString& ruta, qint64 maximoRegistros) {
    const QString nombre = "_Quelo.emp";
    const QString archivo = Rutas::Resolver(ruta);
    if (!Rutas::Existe(archivo)) return std::nullopt;
    const auto leido = ArchivoTexto::LeerPrincipio(archivo, maximoRegistros * kLongitudEmpresa + 1);
    if (!leido)
        throw ConfiguracionRechazada(nombre, ErrAccesoRuta, "(" + archivo + ") no es un archivo que se pueda leer");
    const qint64 resto = leido->Tamano % kLongitudEmpresa;
    const qint64 registros = leido->Tamano / kLongitudEmpresa + (resto == kLongitudEmpresa - 2 ? 1 : 0);
    // Part of the companies would be imported as if they were all: too large a file is refused.
    if (registros > maximoRegistros)
        throw ConfiguracionExcedida(nombre, leido->Tamano, maximoRegistros * kLongitudEmpresa);
    if (leido->Tamano == 0) throw ConfiguracionRechazada(nombre, ErrLongitudRegistro, "está vacío");
    if (resto != 0 && resto != kLongitudEmpresa - 2)
        throw ConfiguracionRechazada(
            nombre, ErrLongitudRegistro,
            QString::fromUtf8("termina en un registro incompleto (%1 bytes; cada registro ocupa %2)")
                .arg(leido->Tamano)
                .arg(kLongitudEmpresa));
    QList<clsItemEmpresaQuelo> lista;
    lista.reserve(registros);
    for (qint64 i = 0; i < registros; ++i) {
        const QByteArray registro = leido->Bytes.mid(i * kLongitudEmpresa, kLongitudEmpresa);
        if (const QString falla = FallaEmpresa(registro); !falla.isEmpty())
            throw ConfiguracionRechazada(
                nombre, ErrTiposNoCoinciden,
                QString::fromUtf8("tiene un registro que no es válido (el %1: %2)").arg(i + 1).arg(falla));
        const QString r = Ansi::Decodificar(registro);
        lista.append({r.mid(0, 8), r.mid(8, 2), r.mid(10, 30), r.mid(40, 2), r.mid(42, 30)});
    }
    return lista;
}

QList<clsItemBitmap> LeerBitmaps(const QByteArray& bytes) {
    const QString nombre = "_Quelo.prm";
    if (bytes.isEmpty()) throw ConfiguracionRechazada(nombre, ErrLongitudRegistro, "está vacío");
    if (!bytes.endsWith('\n') && !bytes.endsWith('\r'))
        throw ConfiguracionRechazada(nombre, ErrLongitudRegistro, "termina en una línea incompleta");
    QList<clsItemBitmap> bitmaps;
    const QStringList lineas = ArchivoTexto::Lineas(bytes);
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString& linea = lineas[i];
        // An empty line carries no bitmap.
        if (linea.isEmpty() || linea.startsWith('[')) continue;
        if (const QString falla = FallaBitmap(linea); !falla.isEmpty())
            throw ConfiguracionRechazada(
                nombre, ErrTiposNoCoinciden,
                QString::fromUtf8("tiene una línea que no es válida (la %1: %2)").arg(i + 1).arg(falla));
        bitmaps.append(clsBitmaps::LeerLinea(linea));
    }
    if (bitmaps.isEmpty()) throw ConfiguracionRechazada(nombre, ErrTiposNoCoinciden, "no tiene ningún bitmap");
    return bitmaps;
}

}  // namespace ArchivoConfiguracion
