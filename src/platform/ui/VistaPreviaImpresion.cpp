#include "platform/ui/VistaPreviaImpresion.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTextDocument>
#include <QVBoxLayout>

#include "platform/DocumentoTicket.h"

VistaPreviaImpresion::VistaPreviaImpresion(QPrinter* impresora, const QString& texto, const QStringList& codigos,
                                           const QStringList& impresoras, bool conPdf, QWidget* padre)
    : QDialog(padre),
      impresora_(impresora),
      texto_(texto),
      codigos_(codigos),
      vistaPrevia_(new QPrintPreviewWidget(impresora, this)),
      cboImpresora_(new QComboBox(this)),
      txtCopias_(new QSpinBox(this)) {
    setObjectName("frmVistaPrevia");
    setWindowTitle(QString::fromUtf8("Vista previa de impresión"));
    vistaPrevia_->setObjectName("vistaPrevia");
    cboImpresora_->setObjectName("cboImpresora");
    cboImpresora_->addItems(impresoras);
    if (conPdf) cboImpresora_->addItem(TextoPdf());
    txtCopias_->setObjectName("txtCopias");
    txtCopias_->setRange(1, 99);

    auto* impresoraRotulo = new QLabel("&Impresora:", this);
    impresoraRotulo->setBuddy(cboImpresora_);
    auto* copiasRotulo = new QLabel("C&opias:", this);
    copiasRotulo->setBuddy(txtCopias_);
    auto* botones = new QDialogButtonBox(this);
    auto* imprimir = botones->addButton("&Imprimir", QDialogButtonBox::AcceptRole);
    imprimir->setObjectName("cmdImprimir");
    imprimir->setDefault(true);
    imprimir->setEnabled(cboImpresora_->count() > 0);
    botones->addButton("&Cancelar", QDialogButtonBox::RejectRole)->setObjectName("cmdCancelar");

    auto* fila = new QHBoxLayout;
    fila->addWidget(impresoraRotulo);
    fila->addWidget(cboImpresora_, 1);
    fila->addWidget(copiasRotulo);
    fila->addWidget(txtCopias_);
    fila->addWidget(botones);
    auto* capas = new QVBoxLayout(this);
    capas->addLayout(fila);
    capas->addWidget(vistaPrevia_, 1);
    resize(640, 720);

    connect(vistaPrevia_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* p) { DocumentoTicket(texto_, codigos_)->print(p); });
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(cboImpresora_, &QComboBox::currentIndexChanged, this, &VistaPreviaImpresion::CambiarImpresora);
    CambiarImpresora();
    cboImpresora_->setFocus();
}

QString VistaPreviaImpresion::TextoPdf() { return "Archivo PDF"; }

int VistaPreviaImpresion::Copias() const { return txtCopias_->value(); }

bool VistaPreviaImpresion::EsPdf() const { return cboImpresora_->currentText() == TextoPdf(); }

QString VistaPreviaImpresion::Impresora() const { return EsPdf() ? QString() : cboImpresora_->currentText(); }

void VistaPreviaImpresion::CambiarImpresora() {
    // Each printer has its own paper and margins: the pages shown are those it will print.
    if (!EsPdf() && !Impresora().isEmpty()) {
        impresora_->setOutputFormat(QPrinter::NativeFormat);
        impresora_->setPrinterName(Impresora());
    }
    vistaPrevia_->updatePreview();
}
