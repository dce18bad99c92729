#include "support/Dobles.h"

#include <gtest/gtest.h>

#include "platform/TarsaError.h"

int MensajesDoble::Mostrar(const QString& texto, int estilo, const QString& titulo) {
    mostrados.append({texto, estilo, titulo});
    if (respuestas.isEmpty()) {
        if ((estilo & 7) == vbOKOnly) return vbOK;
        ADD_FAILURE() << "unexpected question: [" << titulo.toStdString() << "] " << texto.toStdString();
        return vbCancel;
    }
    return respuestas.dequeue();
}

int MensajesDoble::MostrarConDetalles(const QString& texto, const QString& detalles, int estilo,
                                      const QString& titulo) {
    const int respuesta = Mostrar(texto, estilo, titulo);
    mostrados.last().detalles = detalles;
    return respuesta;
}

MensajeMostrado MensajesDoble::Unico() const {
    if (mostrados.size() == 1) return mostrados[0];
    ADD_FAILURE() << mostrados.size() << " messages shown instead of one: " << Textos().join(" | ").toStdString();
    return {};
}

QStringList MensajesDoble::Textos() const {
    QStringList textos;
    for (const MensajeMostrado& m : mostrados) textos << m.texto;
    return textos;
}

void ImpresoraDoble::Imprimir(const QString& texto, const QStringList& codigosImpresos) {
    if (fallar) throw TarsaError(ErrImpresora, "Error de impresora");
    impresos.append(texto);
    codigos.append(codigosImpresos);
}
