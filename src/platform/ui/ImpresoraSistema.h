#pragma once
// The system's print dialog and printer. With TARSA_PDF_DIR set (demo, machines without a printer)
// every document is written as a numbered PDF file into that directory instead, without a dialog.
#include <QPrinter>
#include <memory>

#include "platform/Impresora.h"

class ImpresoraSistema : public Impresora {
public:
    ImpresoraSistema();
    ~ImpresoraSistema() override;
    bool Dialogo(int& copias) override;
    void Imprimir(const QString& texto, const QStringList& codigos = {}) override;

private:
    std::unique_ptr<QPrinter> impresora_;
    QString directorioPdf_;
};
