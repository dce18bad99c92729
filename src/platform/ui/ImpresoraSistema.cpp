#include "platform/ui/ImpresoraSistema.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QTextDocument>

#include "platform/DocumentoTicket.h"
#include "platform/Privado.h"
#include "platform/TarsaError.h"

ImpresoraSistema::ImpresoraSistema()
    : impresora_(std::make_unique<QPrinter>()), directorioPdf_(qEnvironmentVariable("TARSA_PDF_DIR")) {}

ImpresoraSistema::~ImpresoraSistema() = default;

bool ImpresoraSistema::Dialogo(int& copias) {
    if (!directorioPdf_.isEmpty()) {
        copias = 1;
        return true;
    }
    QPrintDialog dialogo(impresora_.get(), QApplication::activeWindow());
    if (dialogo.exec() != QDialog::Accepted) return false;
    copias = qMax(1, impresora_->copyCount());
    impresora_->setCopyCount(1);  // the caller prints each copy as its own document
    return true;
}

void ImpresoraSistema::Imprimir(const QString& texto, const QStringList& codigos) {
    if (!directorioPdf_.isEmpty()) {
        Privado::CrearDirectorio(directorioPdf_);
        impresora_->setOutputFormat(QPrinter::PdfFormat);
        impresora_->setOutputFileName(
            QDir(directorioPdf_)
                .filePath("ticket-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmsszzz") + ".pdf"));
    }
    DocumentoTicket(texto, codigos)->print(impresora_.get());
    // A ticket printed to a file (here, or chosen in the dialog) is as private as the saved tickets.
    if (!impresora_->outputFileName().isEmpty()) Privado::Restringir(impresora_->outputFileName());
    if (impresora_->printerState() == QPrinter::Error) throw TarsaError(ErrImpresora, "Error de impresora");
}
