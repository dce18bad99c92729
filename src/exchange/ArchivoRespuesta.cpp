#include "exchange/ArchivoRespuesta.h"

#include <QFileInfo>

#include "platform/Ansi.h"
#include "platform/ArchivoTexto.h"
#include "platform/Mensajes.h"

namespace ArchivoRespuesta {

namespace {

QString Nombre(const QString& relativa) {
    QString r = relativa;
    r.replace('\\', '/');
    return QFileInfo(r).fileName();
}

}  // namespace

void InformarRechazo(const QString& relativa) {
    MsgBox(QString::fromUtf8("La respuesta %1 no es un archivo común del directorio de intercambio (es un enlace, "
                             "un directorio u otro tipo de entrada): no se lee.")
               .arg(Nombre(relativa)),
           Mensajes::vbExclamation, "Proceso");
}

void InformarCorte(const QString& relativa, const QString& leido, const QString& total) {
    MsgBox(QString::fromUtf8("La respuesta %1 es más larga de lo que puede ser (%2): se leyeron sólo %3 y el resto "
                             "no se tiene en cuenta.")
               .arg(Nombre(relativa), total, leido),
           Mensajes::vbExclamation, "Proceso");
}

std::optional<QStringList> Lineas(const QString& d, const QString& relativa, qint64 limite) {
    const ArchivoTexto::Contenido c = ArchivoTexto::LeerDentro(d, relativa, limite);
    switch (c.Resultado) {
        case ArchivoTexto::Contenido::Estado::Falta:
            return std::nullopt;
        case ArchivoTexto::Contenido::Estado::Rechazado:
            InformarRechazo(relativa);
            return std::nullopt;
        case ArchivoTexto::Contenido::Estado::Leido:
            break;
    }
    if (c.Cortado())
        InformarCorte(relativa, QString::number(c.Bytes.size()) + " bytes", QString::number(c.Tamano) + " bytes");
    return ArchivoTexto::Lineas(c.Bytes);
}

QString PrimeraLinea(const QString& d, const QString& relativa, qint64 limite) {
    const ArchivoTexto::Contenido c = ArchivoTexto::LeerDentro(d, relativa, limite, true);
    if (c.Resultado == ArchivoTexto::Contenido::Estado::Rechazado) InformarRechazo(relativa);
    const QString linea = Ansi::Decodificar(c.Bytes);
    return c.Cortado() ? linea + QChar(0x2026) : linea;
}

}  // namespace ArchivoRespuesta
