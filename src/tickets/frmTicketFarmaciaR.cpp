#include "tickets/frmTicketFarmaciaR.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "exchange/clsTicket.h"
#include "platform/ui/Twips.h"

frmTicketFarmaciaR* frmTicketFarmaciaR::Cargar(int pCodigoOperacion, bool& pCargado, QMdiArea* area) {
    DescargarAbierto();
    auto* forma = new frmTicketFarmaciaR(pCodigoOperacion);
    Presentar(forma, pCargado, area);
    return forma;
}

frmTicketFarmaciaR::frmTicketFarmaciaR(int codigoOperacion) : frmTicketFarmaciaBase(codigoOperacion, nullptr) {
    setObjectName("frmTicketFarmaciaR");
    txtTipoMatriculaAu_ = new QLineEdit(this);
    txtTipoMatriculaAu_->setObjectName("txtTipoMatriculaAu");
    Rotulo(txtTipoMatriculaAu_, "Autorizante");
    // Without lists to narrow it, the authorising doctor is not looked up on leaving its fields.
}

QWidget* frmTicketFarmaciaR::TipoMatriculaAutorizante() const { return txtTipoMatriculaAu_; }

void frmTicketFarmaciaR::Disponer(bool) {
    constexpr int kAncho = 11700, kFila = 330, kAlto = 300;
    int arriba = DisponerEncabezado(kFila);
    if (!txtTipoMatriculaAu_->isHidden() || !txtMatriculaAu_->isHidden()) {
        DisponerMedico(arriba, txtTipoMatriculaAu_, nullptr, txtMatriculaAu_, cmdBuscarMedicoAu_, lblNombreMedicoAu_);
        arriba += kFila;
    }
    // Items and diagnoses side by side, three rows of each in sight.
    arriba += 60;
    const bool marcos = !fmeItems_->isHidden() || !fmeDiagnosticos_->isHidden();
    Colocar(fmeItems_, 120, arriba, 7700, 1560);
    Colocar(lvwItems_, 90, 240, 6360, 1230);
    Colocar(cmdAddItem_, 6510, 240, 1100, 300);
    Colocar(cmdChangeItem_, 6510, 580, 1100, 300);
    Colocar(cmdDelItem_, 6510, 920, 1100, 300);
    Colocar(fmeDiagnosticos_, 7920, arriba, 3660, 1560);
    Colocar(lvwDiagnosticos_, 90, 240, 2370, 1230);
    Colocar(cmdAddDiags_, 2520, 240, 1060, 300);
    Colocar(cmdDelDiags_, 2520, 580, 1060, 300);
    if (marcos) arriba += 1620;

    Colocar(lblTotalRotulo_, 120, arriba, 700, kAlto);
    Colocar(lblTotal_, 840, arriba, 1400, kAlto);
    Colocar(lblTotalGeneralRotulo_, 2400, arriba, 1300, kAlto);
    Colocar(lblTotalGeneral_, 3720, arriba, 1400, kAlto);
    Colocar(cmdAceptar_, kAncho - 2760, arriba, 1260, 330);
    Colocar(cmdCancelar_, kAncho - 1380, arriba, 1260, 330);
    setFixedSize(TwipsAPixeles(kAncho), TwipsAPixeles(arriba + 450));
}

void frmTicketFarmaciaR::MostrarMedicoAutorizante(qint32, const QString&) {
    // The authorising doctor chosen in the search is not shown here: there are no lists to take
    // its licence type.
    lblNombreMedicoAu_->clear();
}

void frmTicketFarmaciaR::CargarAutorizante(clsTicket& ticket) const {
    // What the user typed for the authorising doctor is sent as typed, when the operation asks for it.
    ticket.TipoMatriculaAu = txtTipoMatriculaAu_->isEnabled() ? txtTipoMatriculaAu_->text().trimmed() : QString();
    ticket.MatriculaAu = txtMatriculaAu_->isEnabled() ? txtMatriculaAu_->text() : QString();
}
