// Printing a text on the printer the user chooses.
#include "core/modImpresion.h"

#include "platform/Impresora.h"

void ImprimirTexto(const QString& texto, const QStringList& codigos) {
    Impresora& impresora = Impresora::Actual();
    int copias = 0;
    if (!impresora.Dialogo(texto, codigos, copias)) return;
    try {
        for (int i = 1; i <= copias; ++i) impresora.Imprimir(texto, codigos);
    } catch (const std::exception&) {
        // the printer discarded the document; nothing else to do
    }
}
