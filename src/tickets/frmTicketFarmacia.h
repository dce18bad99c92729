#pragma once
// The pharmacy ticket form: the shared ticket with the authorising doctor chosen, like the
// prescriber, from a licence-type list and a province list.
#include "tickets/frmTicketFarmaciaBase.h"

class frmTicketFarmacia : public frmTicketFarmaciaBase {
    Q_OBJECT
public:
    // Unloads the ticket form open before (of either kind), creates this one for the operation,
    // loads it with the operation's caption and shows it, not modally: inside area when given,
    // else as a window of its own. pCargado becomes true once it is shown.
    static frmTicketFarmacia* Cargar(int pCodigoOperacion, bool& pCargado, QMdiArea* area = nullptr);

protected:
    explicit frmTicketFarmacia(int codigoOperacion);
    int PosicionesEncabezado() const override { return 35; }
    QWidget* TipoMatriculaAutorizante() const override;
    QComboBox* ProvinciaAutorizante() const override { return cboProvinciaA_; }
    bool ListasMatriculaEnBlanco() const override { return true; }
    void MostrarMedicoAutorizante(qint32 matricula, const QString& tipoMatricula) override;
    void CargarAutorizante(clsTicket& ticket) const override;

private:
    QComboBox* cboTipoMatriculaA_;
    QComboBox* cboProvinciaA_;
};
