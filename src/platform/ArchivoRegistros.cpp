#include "platform/ArchivoRegistros.h"

#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {
constexpr int kErrorArchivo = 75;  // path/file access error
}

void ArchivoRegistros::Abrir(const QString& path, int longitud) {
    Cerrar();
    longitud_ = longitud;
    archivo_.setFileName(Rutas::Resolver(path));
    if (!archivo_.open(QIODevice::ReadWrite))
        throw TarsaError(kErrorArchivo, "No se puede abrir el archivo " + path + ": " + archivo_.errorString());
}

void ArchivoRegistros::AbrirLectura(const QString& path, int longitud) {
    Cerrar();
    longitud_ = longitud;
    archivo_.setFileName(Rutas::Resolver(path));
    if (!archivo_.open(QIODevice::ReadOnly))
        throw TarsaError(ErrArchivoNoEncontrado, "No se encontró el archivo " + path);
}

SinEnlaces::Apertura ArchivoRegistros::AbrirLecturaDentro(const QString& base, const QString& relativa, int longitud) {
    Cerrar();
    longitud_ = longitud;
    return SinEnlaces::AbrirLectura(archivo_, base, relativa);
}

void ArchivoRegistros::Cerrar() {
    if (archivo_.isOpen()) archivo_.close();
}

void ArchivoRegistros::Escribir(qint64 n, const QByteArray& registro) {
    if (registro.size() != longitud_)
        throw TarsaError(
            ErrLongitudRegistro,
            QString("Longitud de registro incorrecta: %1 en lugar de %2").arg(registro.size()).arg(longitud_));
    if (!archivo_.seek((n - 1) * longitud_) || archivo_.write(registro) != registro.size() || !archivo_.flush())
        throw TarsaError(kErrorArchivo,
                         "No se puede escribir en " + archivo_.fileName() + ": " + archivo_.errorString());
}

std::optional<QByteArray> ArchivoRegistros::Leer(qint64 n) {
    if (n < 1 || n > CantidadRegistros() || !archivo_.seek((n - 1) * longitud_)) return std::nullopt;
    QByteArray r = archivo_.read(longitud_);
    if (r.size() != longitud_) return std::nullopt;
    return r;
}

QList<QByteArray> ArchivoRegistros::LeerTodos() { return LeerPrimeros(CantidadRegistros()); }

std::optional<QByteArray> ArchivoRegistros::LeerSiguiente() {
    if (longitud_ <= 0 || !archivo_.isOpen()) return std::nullopt;
    QByteArray r = archivo_.read(longitud_);
    if (r.size() != longitud_) return std::nullopt;
    return r;
}

QByteArray ArchivoRegistros::LeerResto() {
    if (longitud_ <= 0 || !archivo_.isOpen() || !archivo_.seek(CantidadRegistros() * longitud_)) return {};
    return archivo_.read(longitud_);
}

QList<QByteArray> ArchivoRegistros::LeerPrimeros(qint64 maximo) {
    QList<QByteArray> registros;
    if (!archivo_.seek(0)) return registros;
    while (registros.size() < maximo)
        if (auto r = LeerSiguiente())
            registros.append(*r);
        else
            break;
    return registros;
}

qint64 ArchivoRegistros::CantidadRegistros() const {
    return longitud_ > 0 && archivo_.isOpen() ? archivo_.size() / longitud_ : 0;
}
