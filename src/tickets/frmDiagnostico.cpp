#include "tickets/frmDiagnostico.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogs/clsDiagnostico.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "ui/AlSalirCampo.h"
#include "ui/CampoDiagnostico.h"
#include "ui/OrdenTabulacion.h"
#include "ui/frmPromptedSearch.h"

std::optional<clsItemDiagnostico> frmDiagnostico::Cargar(int pNumEmpresa, const QString& pCodEmpresa, int pMyOperacion,
                                                         int pCodigoOperacion) {
    frmDiagnostico dialogo(pNumEmpresa, pCodEmpresa, pMyOperacion, pCodigoOperacion);
    MostrarModal(dialogo);
    return dialogo.resultado_;
}

frmDiagnostico::frmDiagnostico(int pNumEmpresa, const QString& pCodEmpresa, int pMyOperacion, int pCodigoOperacion)
    : numEmpresa_(QString::number(pNumEmpresa)),
      codEmpresa_(pCodEmpresa),
      modo_(pMyOperacion),
      codigoOperacion_(pCodigoOperacion) {
    setObjectName("frmDiagnostico");
    setWindowTitle(QString::fromUtf8("Diagnóstico"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    txtDiagnostico_ = new QLineEdit(this);
    txtDiagnostico_->setObjectName("txtDiagnostico");
    lblNombreDiagnostico_ = new QLabel(this);
    lblNombreDiagnostico_->setObjectName("lblNombreDiagnostico");
    lblNombreDiagnostico_->setMinimumWidth(260);
    cmdBuscarDiagnostico_ = new QPushButton("...", this);
    cmdBuscarDiagnostico_->setObjectName("cmdBuscarDiagnostico");
    cmdBuscarDiagnostico_->setFixedWidth(28);
    cmdAceptar_ = new QPushButton("Aceptar", this);
    cmdAceptar_->setObjectName("cmdAceptar");
    cmdCancelar_ = new QPushButton("Cancelar", this);
    cmdCancelar_->setObjectName("cmdCancelar");

    auto* g = new QGridLayout;
    auto* rotulo = new QLabel(QString::fromUtf8("Código"), this);
    rotulo->setBuddy(txtDiagnostico_);
    g->addWidget(rotulo, 0, 0);
    g->addWidget(txtDiagnostico_, 0, 1);
    g->addWidget(cmdBuscarDiagnostico_, 0, 2);
    g->addWidget(lblNombreDiagnostico_, 1, 1, 1, 2);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar_);
    botones->addWidget(cmdCancelar_);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(g);
    raiz->addLayout(botones);

    // Enter accepts the diagnosis; the search is a button of its own, never the default.
    cmdBuscarDiagnostico_->setAutoDefault(false);
    cmdAceptar_->setDefault(true);
    // The diagnosis is looked up when the code field is left for another field of the dialog.
    AlSalirCampo::Instalar(txtDiagnostico_, [this] {
        if (!txtDiagnostico_->text().isEmpty()) MostrarDiagnostico(txtDiagnostico_->text());
    });
    connect(cmdBuscarDiagnostico_, &QPushButton::clicked, this, &frmDiagnostico::BuscarDiagnostico);
    connect(cmdAceptar_, &QPushButton::clicked, this, &frmDiagnostico::Aceptar);
    connect(cmdCancelar_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmDiagnostico::MostrarDiagnostico(const QString& codigo) {
    CampoDiagnostico(txtDiagnostico_, lblNombreDiagnostico_, numEmpresa_).Mostrar(codigo);
}

void frmDiagnostico::BuscarDiagnostico() {
    CampoDiagnostico(txtDiagnostico_, lblNombreDiagnostico_, numEmpresa_).Buscar();
}

void frmDiagnostico::Aceptar() {
    // Accepted with Enter straight from the code field, the code has not been looked up yet.
    if (lblNombreDiagnostico_->text().isEmpty() && !txtDiagnostico_->text().trimmed().isEmpty())
        MostrarDiagnostico(txtDiagnostico_->text());
    resultado_ = clsItemDiagnostico{txtDiagnostico_->text().trimmed(), lblNombreDiagnostico_->text().trimmed()};
    accept();
}

void frmDiagnostico::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Laid out now: Tab follows the screen and the dialog starts in its first field.
    OrdenarTabulacion(this);
    if (QWidget* primero = PrimerCampo(this)) primero->setFocus();
}
