#include "platform/ui/ImpresoraSistema.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPrinterInfo>
#include <QTextDocument>

#include "platform/DocumentoTicket.h"
#include "platform/Privado.h"
#include "platform/SelectorCarpetas.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "platform/ui/VistaPreviaImpresion.h"

ImpresoraSistema::ImpresoraSistema()
    : impresora_(std::make_unique<QPrinter>()), directorioPdf_(qEnvironmentVariable("TARSA_PDF_DIR")) {}

ImpresoraSistema::~ImpresoraSistema() = default;

bool ImpresoraSistema::Dialogo(const QString& texto, const QStringList& codigos, int& copias) {
    const bool soloPdf = !directorioPdf_.isEmpty();
    QStringList impresoras;
    if (!soloPdf) {
        impresoras = QPrinterInfo::availablePrinterNames();
        const QString predeterminada = QPrinterInfo::defaultPrinterName();
        if (impresoras.removeOne(predeterminada)) impresoras.prepend(predeterminada);
    }
    VistaPreviaImpresion vista(impresora_.get(), texto, codigos, impresoras, true, QApplication::activeWindow());
    if (MostrarModal(vista) != QDialog::Accepted) return false;
    if (!soloPdf && vista.EsPdf()) {
        const QString archivo = SelectorCarpetas::Actual().GuardarComo(&vista, "Imprimir en archivo PDF", "ticket.pdf");
        if (archivo.isEmpty()) return false;
        impresora_->setOutputFormat(QPrinter::PdfFormat);
        impresora_->setOutputFileName(archivo);
    } else if (!soloPdf) {
        impresora_->setOutputFormat(QPrinter::NativeFormat);
        impresora_->setPrinterName(vista.Impresora());
    }
    copias = vista.Copias();
    impresora_->setCopyCount(1);  // the caller prints each copy as its own document
    return true;
}

void ImpresoraSistema::Imprimir(const QString& texto, const QStringList& codigos) {
    if (!directorioPdf_.isEmpty()) {
        Privado::CrearDirectorio(directorioPdf_);
        impresora_->setOutputFormat(QPrinter::PdfFormat);
        // Copies printed within the same millisecond each get their own file.
        const QString base =
            QDir(directorioPdf_).filePath("ticket-" + QDateTime::currentDateTime().toString("yyyyMMdd-HHmmsszzz"));
        QString archivo = base + ".pdf";
        for (int n = 2; QFileInfo::exists(archivo); ++n) archivo = base + "-" + QString::number(n) + ".pdf";
        impresora_->setOutputFileName(archivo);
    }
    DocumentoTicket(texto, codigos)->print(impresora_.get());
    // A ticket printed to a file (here, or chosen in the dialog) is as private as the saved tickets.
    if (!impresora_->outputFileName().isEmpty()) Privado::Restringir(impresora_->outputFileName());
    if (impresora_->printerState() == QPrinter::Error) throw TarsaError(ErrImpresora, "Error de impresora");
}
