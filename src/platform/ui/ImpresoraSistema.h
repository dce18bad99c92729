#pragma once
// The system's printers, chosen in a print preview (VistaPreviaImpresion), or a PDF file. With
// TARSA_PDF_DIR set (demo, machines without a printer) every document is written as a numbered PDF
// file into that directory instead; the preview still comes first.
#include <QPrinter>
#include <memory>

#include "platform/Impresora.h"

class ImpresoraSistema : public Impresora {
public:
    ImpresoraSistema();
    ~ImpresoraSistema() override;
    bool Dialogo(const QString& texto, const QStringList& codigos, int& copias) override;
    void Imprimir(const QString& texto, const QStringList& codigos = {}) override;

private:
    std::unique_ptr<QPrinter> impresora_;
    QString directorioPdf_;
};
