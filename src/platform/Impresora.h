#pragma once
// The printer. Printing texts goes through the current Impresora: the application installs the
// system's print dialog and printer, tests a double that records what was printed.
#include <QString>
#include <QStringList>

class Impresora {
public:
    virtual ~Impresora() = default;
    // Shows the text as it will be printed, with the printer to print on and the number of copies;
    // false when the user cancelled. copias receives the copies chosen. Nothing is printed here.
    virtual bool Dialogo(const QString& texto, const QStringList& codigos, int& copias) = 0;
    // Prints the text on the chosen (or default) printer as one document and ends it; under the text,
    // a barcode of each code (DocumentoTicket). Throws TarsaError when printing fails; the document is
    // then discarded.
    virtual void Imprimir(const QString& texto, const QStringList& codigos = {}) = 0;

    static Impresora& Actual();
    static void Establecer(Impresora* i);  // not owned; nullptr restores the default
};
