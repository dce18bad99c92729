#pragma once
// The program's one error type: a number, a description and the source that raised it.
#include <QString>
#include <stdexcept>

class TarsaError : public std::runtime_error {
public:
    TarsaError(int numero, const QString& descripcion, const QString& fuente = QString())
        : std::runtime_error(descripcion.toStdString()), Numero(numero), Descripcion(descripcion), Fuente(fuente) {}

    // The same error raised again by another source (catalog classes set their own name).
    TarsaError ConFuente(const QString& fuente) const { return TarsaError(Numero, Descripcion, fuente); }

    int Numero = 0;
    QString Descripcion;
    QString Fuente;
};

// Any exception as a TarsaError, so that handlers report one shape.
TarsaError ComoTarsaError(const std::exception& e, const QString& fuente = QString());
