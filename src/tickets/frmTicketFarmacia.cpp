#include "tickets/frmTicketFarmacia.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "exchange/clsTicket.h"

frmTicketFarmacia* frmTicketFarmacia::Cargar(int pCodigoOperacion, bool& pCargado, QMdiArea* area) {
    DescargarAbierto();
    auto* forma = new frmTicketFarmacia(pCodigoOperacion);
    Presentar(forma, pCargado, area);
    return forma;
}

frmTicketFarmacia::frmTicketFarmacia(int codigoOperacion) : frmTicketFarmaciaBase(codigoOperacion, nullptr) {
    setObjectName("frmTicketFarmacia");
    cboTipoMatriculaA_ = new QComboBox(this);
    cboTipoMatriculaA_->setObjectName("cboTipoMatriculaA");
    cboProvinciaA_ = new QComboBox(this);
    cboProvinciaA_->setObjectName("cboProvinciaA");
    Rotulo(cboTipoMatriculaA_, "Autorizante");
    acompanantes_[cboTipoMatriculaA_] << cboProvinciaA_;

    const auto salirMatriculaAu = [this] {
        BuscarMedicoDe(txtMatriculaAu_, lblNombreMedicoAu_, cboTipoMatriculaA_, cboProvinciaA_);
    };
    InstalarSalida(txtMatriculaAu_, salirMatriculaAu);
    InstalarSalida(cboTipoMatriculaA_, salirMatriculaAu);
    InstalarSalida(cboProvinciaA_, salirMatriculaAu);

    // From the top down: the header and the two doctors, the items, then the diagnoses beside the
    // totals and the buttons.
    AgregarMedico(cboTipoMatriculaA_, cboProvinciaA_, txtMatriculaAu_, cmdBuscarMedicoAu_, lblNombreMedicoAu_);
    auto* pie = new QHBoxLayout;
    pie->addWidget(fmeDiagnosticos_, 1);
    pie->addLayout(Totales(false));
    pie->addStretch();
    pie->addLayout(Botones(false));
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(encabezado_);
    raiz->addWidget(fmeItems_, 1);
    raiz->addLayout(pie);
}

QWidget* frmTicketFarmacia::TipoMatriculaAutorizante() const { return cboTipoMatriculaA_; }

void frmTicketFarmacia::MostrarMedicoAutorizante(qint32 matricula, const QString& tipoMatricula) {
    MostrarMedicoEn(lblNombreMedicoAu_, txtMatriculaAu_, cboTipoMatriculaA_, cboProvinciaA_, matricula, tipoMatricula);
}

void frmTicketFarmacia::CargarAutorizante(clsTicket& ticket) const {
    ticket.TipoMatriculaAu = cboTipoMatriculaA_->isEnabled() ? CodigoLista(cboTipoMatriculaA_) : QString();
    ticket.MatriculaAu = txtMatriculaAu_->isEnabled() ? txtMatriculaAu_->text() : QString();
}
