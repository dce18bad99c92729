#include "platform/ArchivoTexto.h"

#include <QFile>
#include <QFileInfo>

#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"

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
    return Lineas(*bytes);
}

QStringList Lineas(const QByteArray& bytes) {
    const QString texto = Ansi::Decodificar(bytes);
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

Contenido LeerDentro(const QString& base, const QString& relativa, qint64 limite, bool primeraLinea) {
    Contenido c;
    QFile f;
    switch (SinEnlaces::AbrirLectura(f, base, relativa)) {
        case SinEnlaces::Apertura::Falta:
            c.Resultado = Contenido::Estado::Falta;
            return c;
        case SinEnlaces::Apertura::Rechazado:
            c.Resultado = Contenido::Estado::Rechazado;
            return c;
        case SinEnlaces::Apertura::Abierto:
            break;
    }
    c.Resultado = Contenido::Estado::Leido;
    c.Tamano = f.size();
    // Never more than the limit in memory, however large the file is.
    c.Bytes = f.read(limite);
    if (primeraLinea) {
        qsizetype fin = 0;
        while (fin < c.Bytes.size() && c.Bytes[fin] != '\r' && c.Bytes[fin] != '\n') ++fin;
        // A line end within the limit: the rest of the file is not part of the line.
        if (fin < c.Bytes.size()) c.Tamano = fin;
        c.Bytes.truncate(fin);
    }
    return c;
}

}  // namespace ArchivoTexto
