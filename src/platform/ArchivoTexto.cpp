#include "platform/ArchivoTexto.h"

#include <QFile>
#include <QFileInfo>

#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace ArchivoTexto {

std::optional<QByteArray> Leer(const QString& path) {
    QFile f(Rutas::Resolver(path));
    if (!QFileInfo(f).isFile() || !f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

void CrearVacio(const QString& path) {
    QFile f(Rutas::Resolver(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw TarsaError(75, "No se puede crear " + path + ": " + f.errorString());
}

}  // namespace ArchivoTexto
