#pragma once
// The reduced pharmacy ticket form, for small screens: the shared ticket in a smaller window, with
// the authorising doctor's licence type typed into a text field instead of chosen from lists.
#include "tickets/frmTicketFarmaciaBase.h"

class frmTicketFarmaciaR : public frmTicketFarmaciaBase {
    Q_OBJECT
public:
    // As frmTicketFarmacia::Cargar.
    static frmTicketFarmaciaR* Cargar(int pCodigoOperacion, bool& pCargado, QMdiArea* area = nullptr);

protected:
    explicit frmTicketFarmaciaR(int codigoOperacion);
    int PosicionesEncabezado() const override { return 33; }
    QWidget* TipoMatriculaAutorizante() const override;
    bool ListasMatriculaEnBlanco() const override { return false; }
    void MostrarMedicoAutorizante(qint32 matricula, const QString& tipoMatricula) override;
    void CargarAutorizante(clsTicket& ticket) const override;

private:
    QLineEdit* txtTipoMatriculaAu_;
};
