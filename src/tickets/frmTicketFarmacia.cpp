#include "tickets/frmTicketFarmacia.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "exchange/clsTicket.h"
#include "platform/ui/Twips.h"

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
}

QWidget* frmTicketFarmacia::TipoMatriculaAutorizante() const { return cboTipoMatriculaA_; }

void frmTicketFarmacia::Disponer(bool conDiagnosticos) {
    // From the top down, each part only when the operation has it: header rows, the two doctors, the
    // items, then the diagnoses beside the totals and the buttons.
    constexpr int kAncho = 11700, kFila = 345, kAlto = 300;
    int arriba = DisponerEncabezado(kFila);
    if (!cboTipoMatriculaA_->isHidden() || !txtMatriculaAu_->isHidden()) {
        DisponerMedico(arriba, cboTipoMatriculaA_, cboProvinciaA_, txtMatriculaAu_, cmdBuscarMedicoAu_,
                       lblNombreMedicoAu_);
        arriba += kFila;
    }
    arriba += 60;
    if (!fmeItems_->isHidden()) {
        Colocar(fmeItems_, 120, arriba, kAncho - 240, 1740);
        Colocar(lvwItems_, 120, 270, 9960, 1350);
        Colocar(cmdAddItem_, 10200, 270, 1200, 330);
        Colocar(cmdChangeItem_, 10200, 660, 1200, 330);
        Colocar(cmdDelItem_, 10200, 1050, 1200, 330);
        arriba += 1800;
    }
    // Three diagnoses in sight at least.
    Colocar(fmeDiagnosticos_, 120, arriba, 7600, 1560);
    Colocar(lvwDiagnosticos_, 120, 270, 5900, 1170);
    Colocar(cmdAddDiags_, 6180, 270, 1200, 330);
    Colocar(cmdDelDiags_, 6180, 660, 1200, 330);
    const int totales = conDiagnosticos ? 7860 : 120;
    Colocar(lblTotalRotulo_, totales, arriba, 1300, kAlto);
    Colocar(lblTotal_, totales + 1320, arriba, 1500, kAlto);
    Colocar(lblTotalGeneralRotulo_, totales, arriba + 360, 1300, kAlto);
    Colocar(lblTotalGeneral_, totales + 1320, arriba + 360, 1500, kAlto);
    Colocar(cmdAceptar_, kAncho - 1440, arriba + (conDiagnosticos ? 780 : 0), 1320, 330);
    Colocar(cmdCancelar_, kAncho - 1440, arriba + (conDiagnosticos ? 1140 : 360), 1320, 330);
    setFixedSize(TwipsAPixeles(kAncho), TwipsAPixeles(arriba + (conDiagnosticos ? 1560 : 720) + 120));
}

void frmTicketFarmacia::MostrarMedicoAutorizante(qint32 matricula, const QString& tipoMatricula) {
    MostrarMedicoEn(lblNombreMedicoAu_, txtMatriculaAu_, cboTipoMatriculaA_, cboProvinciaA_, matricula, tipoMatricula);
}

void frmTicketFarmacia::CargarAutorizante(clsTicket& ticket) const {
    ticket.TipoMatriculaAu = cboTipoMatriculaA_->isEnabled() ? CodigoLista(cboTipoMatriculaA_) : QString();
    ticket.MatriculaAu = txtMatriculaAu_->isEnabled() ? txtMatriculaAu_->text() : QString();
}
