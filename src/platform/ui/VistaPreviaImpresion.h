#pragma once
// The ticket as it will come out of the printer, before anything is printed: the pages, the printer
// to print on (or a PDF file) and the number of copies. "Imprimir" only chooses; the caller prints
// each copy, so cancelling here prints nothing.
#include <QDialog>
#include <QStringList>

class QComboBox;
class QPrinter;
class QPrintPreviewWidget;
class QSpinBox;

class VistaPreviaImpresion : public QDialog {
public:
    // impresoras: the printers offered, the one chosen first at the head; conPdf adds "Archivo PDF",
    // which asks for the file's name when chosen.
    VistaPreviaImpresion(QPrinter* impresora, const QString& texto, const QStringList& codigos,
                         const QStringList& impresoras, bool conPdf, QWidget* padre);
    int Copias() const;
    // The printer chosen; empty for a PDF file.
    QString Impresora() const;
    bool EsPdf() const;

    static QString TextoPdf();

private:
    void CambiarImpresora();

    QPrinter* impresora_;
    QString texto_;
    QStringList codigos_;
    QPrintPreviewWidget* vistaPrevia_;
    QComboBox* cboImpresora_;
    QSpinBox* txtCopias_;
};
