#include "platform/ArchivoTexto.h"

#include <QFile>
#include <QFileInfo>

#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace ArchivoTexto {

std::optional<QByteArray> Leer(const QString& path) {
    QFile f(Rutas::Resolver(path));
    if (!QFileInfo(f).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

std::optional<Principio> LeerPrincipio(const QString& path, qint64 maximo) {
    QFile f(Rutas::Resolver(path));
    if (!QFileInfo(f).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return Principio{f.read(maximo), f.size()};
}

std::optional<QStringList> LeerLineas(const QString& path) {
    const auto bytes = Leer(path);
    if (!bytes) return std::nullopt;
    const QString texto = Ansi::Decodificar(*bytes);
    QStringList lineas;
    QString actual;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c == '\r' || c == '\n') {
            lineas.append(actual);
            actual.clear();
            if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') ++i;
        } else {
            actual += c;
        }
    }
    if (!actual.isEmpty()) lineas.append(actual);
    return lineas;
}

QString LeerTextoCrLf(const QString& path) {
    QString texto;
    for (const QString& linea : LeerLineas(path).value_or(QStringList())) texto += linea + "\r\n";
    return texto;
}

void CrearVacio(const QString& path) {
    QFile f(Rutas::Resolver(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TarsaError(75, "No se puede crear " + path + ": " + f.errorString());
}

}  // namespace ArchivoTexto
