#include "tickets/frmTicketFarmacia.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/modTarsa.h"
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

void frmTicketFarmacia::Disponer(bool conDiagnosticos) {
    constexpr int kAncho = 11700, kFila = 345, kAlto = 300;
    DisponerEncabezado(kFila);

    const int autorizante = 120 + 7 * kFila;
    Colocar(rotulos_.value(cboTipoMatriculaA_), 120, autorizante, 1380, kAlto);
    Colocar(cboTipoMatriculaA_, 1520, autorizante, 1800, kAlto);
    Colocar(cboProvinciaA_, 3380, autorizante, 2700, kAlto);
    Colocar(rotulos_.value(txtMatriculaAu_), 6180, autorizante, 900, kAlto);
    Colocar(txtMatriculaAu_, 7080, autorizante, 1100, kAlto);
    Colocar(cmdBuscarMedicoAu_, 8220, autorizante, 360, kAlto);
    Colocar(lblNombreMedicoAu_, 8640, autorizante, 2940, kAlto);

    Colocar(fmeItems_, 120, 2940, kAncho - 240, 1740);
    Colocar(lvwItems_, 120, 270, 9960, 1350);
    Colocar(cmdAddItem_, 10200, 270, 1200, 330);
    Colocar(cmdChangeItem_, 10200, 660, 1200, 330);
    Colocar(cmdDelItem_, 10200, 1050, 1200, 330);

    Colocar(fmeDiagnosticos_, 120, 4740, 7600, 1080);
    Colocar(lvwDiagnosticos_, 120, 270, 5900, 690);
    Colocar(cmdAddDiags_, 6180, 270, 1200, 330);
    Colocar(cmdDelDiags_, 6180, 630, 1200, 330);

    // The window grows by the diagnoses frame when the operation has one.
    const int alto = conDiagnosticos ? 7170 : 6015;
    const int aceptar = conDiagnosticos ? 5880 : 4740;
    const int cancelar = conDiagnosticos ? 6240 : 5100;
    const int totales = conDiagnosticos ? 7860 : 120;
    Colocar(lblTotalRotulo_, totales, 4740, 1300, kAlto);
    Colocar(lblTotal_, totales + 1320, 4740, 1500, kAlto);
    Colocar(lblTotalGeneralRotulo_, totales, 5100, 1300, kAlto);
    Colocar(lblTotalGeneral_, totales + 1320, 5100, 1500, kAlto);
    Colocar(cmdAceptar_, kAncho - 1440, aceptar, 1320, 330);
    Colocar(cmdCancelar_, kAncho - 1440, cancelar, 1320, 330);
    setFixedSize(TwipsAPixeles(kAncho), TwipsAPixeles(alto));
}

void frmTicketFarmacia::MostrarMedicoAutorizante(qint32 matricula, const QString& tipoMatricula) {
    MostrarMedicoEn(lblNombreMedicoAu_, txtMatriculaAu_, cboTipoMatriculaA_, cboProvinciaA_, matricula, tipoMatricula);
}

void frmTicketFarmacia::CargarAutorizante(clsTicket& ticket) const {
    ticket.TipoMatriculaAu = cboTipoMatriculaA_->isEnabled() ? CodigoLista(cboTipoMatriculaA_) : QString();
    ticket.MatriculaAu = txtMatriculaAu_->isEnabled() ? txtMatriculaAu_->text() : QString();
}
