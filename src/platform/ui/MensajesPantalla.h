#pragma once
// Message boxes on screen.
#include "platform/Mensajes.h"

class MensajesPantalla : public Mensajes {
public:
    int Mostrar(const QString& texto, int estilo, const QString& titulo) override {
        return MostrarConDetalles(texto, {}, estilo, titulo);
    }
    int MostrarConDetalles(const QString& texto, const QString& detalles, int estilo, const QString& titulo) override;
};
