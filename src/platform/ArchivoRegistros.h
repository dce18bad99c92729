#pragma once
// Random-access files of fixed-length records, as the terminal exchanges them: record n lives at
// byte (n-1) x length; writing never truncates the file, so a shorter new content leaves the old
// tail in place (the terminal reads only the records it is told about).
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <optional>

#include "platform/SinEnlaces.h"

class ArchivoRegistros {
public:
    ArchivoRegistros() = default;
    ArchivoRegistros(const ArchivoRegistros&) = delete;
    ArchivoRegistros& operator=(const ArchivoRegistros&) = delete;

    // Opens (creating when missing) for reading and writing; throws TarsaError when it cannot.
    void Abrir(const QString& path, int longitud);
    // Opens an existing file for reading only; throws TarsaError when it is missing.
    void AbrirLectura(const QString& path, int longitud);
    // Opens base/relativa for reading only when it is a plain file reached without links
    // (SinEnlaces::AbrirLectura); otherwise says why it did not.
    SinEnlaces::Apertura AbrirLecturaDentro(const QString& base, const QString& relativa, int longitud);
    bool Abierto() const { return archivo_.isOpen(); }
    void Cerrar();

    // Writes record n (from 1); the bytes must be exactly one record long.
    void Escribir(qint64 n, const QByteArray& registro);
    // Record n, or nothing when the file holds no whole record n.
    std::optional<QByteArray> Leer(qint64 n);
    // The record after the last one read (the first after opening), or nothing at the end of the
    // whole records. Reads sequentially through the file's buffer: the way to walk a large file.
    std::optional<QByteArray> LeerSiguiente();
    // The bytes after the last whole record: a last record cut short, or nothing.
    QByteArray LeerResto();
    // Every whole record from the first; a trailing partial record is left out.
    QList<QByteArray> LeerTodos();
    // The first whole records, at most maximo of them.
    QList<QByteArray> LeerPrimeros(qint64 maximo);
    qint64 CantidadRegistros() const;
    int Longitud() const { return longitud_; }

private:
    QFile archivo_;
    int longitud_ = 0;
};
