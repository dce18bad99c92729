#include "tickets/frmTicketFarmaciaR.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/modTarsa.h"
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

void frmTicketFarmaciaR::Disponer(bool) {
    constexpr int kAncho = 11700, kFila = 330, kAlto = 300;
    DisponerEncabezado(kFila);

    const int autorizante = 120 + 7 * kFila;
    Colocar(rotulos_.value(txtTipoMatriculaAu_), 120, autorizante, 1380, kAlto);
    Colocar(txtTipoMatriculaAu_, 1520, autorizante, 600, kAlto);
    Colocar(rotulos_.value(txtMatriculaAu_), 6180, autorizante, 900, kAlto);
    Colocar(txtMatriculaAu_, 7080, autorizante, 1100, kAlto);
    Colocar(cmdBuscarMedicoAu_, 8220, autorizante, 360, kAlto);
    Colocar(lblNombreMedicoAu_, 8640, autorizante, 2940, kAlto);

    // Items and diagnoses side by side; the window keeps one height whether or not the
    // operation has diagnoses.
    Colocar(fmeItems_, 120, 2800, 7700, 1160);
    Colocar(lvwItems_, 90, 240, 6360, 860);
    Colocar(cmdAddItem_, 6510, 240, 1100, 270);
    Colocar(cmdChangeItem_, 6510, 530, 1100, 270);
    Colocar(cmdDelItem_, 6510, 820, 1100, 270);
    Colocar(fmeDiagnosticos_, 7920, 2800, 3660, 1160);
    Colocar(lvwDiagnosticos_, 90, 240, 2370, 860);
    Colocar(cmdAddDiags_, 2520, 240, 1060, 270);
    Colocar(cmdDelDiags_, 2520, 530, 1060, 270);

    Colocar(lblTotalRotulo_, 120, 4020, 700, kAlto);
    Colocar(lblTotal_, 840, 4020, 1400, kAlto);
    Colocar(lblTotalGeneralRotulo_, 2400, 4020, 1300, kAlto);
    Colocar(lblTotalGeneral_, 3720, 4020, 1400, kAlto);
    Colocar(cmdAceptar_, kAncho - 2760, 4020, 1260, 330);
    Colocar(cmdCancelar_, kAncho - 1380, 4020, 1260, 330);
    setFixedSize(TwipsAPixeles(kAncho), TwipsAPixeles(4995));
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
