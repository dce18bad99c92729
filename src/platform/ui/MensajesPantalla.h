#pragma once
// Message boxes on screen.
#include "platform/Mensajes.h"

class MensajesPantalla : public Mensajes {
public:
    // tituloPredeterminado: the title of a message given none.
    explicit MensajesPantalla(QString tituloPredeterminado = {}) : titulo_(std::move(tituloPredeterminado)) {}
    int Mostrar(const QString& texto, int estilo, const QString& titulo) override {
        return MostrarConDetalles(texto, {}, estilo, titulo);
    }
    int MostrarConDetalles(const QString& texto, const QString& detalles, int estilo, const QString& titulo) override;

private:
    QString titulo_;
};
