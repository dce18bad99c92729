#include "tickets/frmTicketFarmaciaR.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "exchange/clsTicket.h"

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

    // The header and the two doctors, the items and the diagnoses side by side, then the totals and
    // the buttons on one row.
    // Narrow, for a licence type of a digit or two, but never below what the style needs for a line
    // edit: Windows' style asks for the font's widest character plus its frame.
    txtTipoMatriculaAu_->setMaximumWidth(std::max(txtTipoMatriculaAu_->fontMetrics().horizontalAdvance("0000") + 12,
                                                  txtTipoMatriculaAu_->minimumSizeHint().width()));
    AgregarMedico(txtTipoMatriculaAu_, nullptr, txtMatriculaAu_, cmdBuscarMedicoAu_, lblNombreMedicoAu_);
    auto* marcos = new QHBoxLayout;
    marcos->addWidget(fmeItems_, 2);
    marcos->addWidget(fmeDiagnosticos_, 1);
    auto* pie = new QHBoxLayout;
    pie->addLayout(Totales(true));
    pie->addStretch();
    pie->addLayout(Botones(true));
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(encabezado_);
    raiz->addLayout(marcos, 1);
    raiz->addLayout(pie);
}

QWidget* frmTicketFarmaciaR::TipoMatriculaAutorizante() const { return txtTipoMatriculaAu_; }

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
