#pragma once
// The modal dialog for one medication of a pharmacy ticket: the fields the operation's item bitmap
// switches on, the look-ups of medication, diagnosis and plan in the catalogs, and the coverage and
// prescription types.
#include <QDialog>
#include <QHash>
#include <optional>

#include "tickets/clsItemTicketFarmacia.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class frmItemTicketFarmacia : public QDialog {
    Q_OBJECT
public:
    // Mode pMyOperacion 1 adds an item, 3 changes pItemDatos (only read). Returns the item the user
    // accepted, or nothing when the dialog was cancelled or closed. With pEnviarTicket the dialog
    // also takes F12, the ticket's own send key: it accepts the item as Aceptar does and sets
    // *pEnviarTicket, so that the ticket goes without a further key.
    static std::optional<clsItemTicketFarmacia> Cargar(int pNumEmpresa, const QString& pCodEmpresa, int pMyOperacion,
                                                       int pCodigoOperacion, const QString& pBitmapItem,
                                                       const clsItemTicketFarmacia* pItemDatos = nullptr,
                                                       bool* pEnviarTicket = nullptr);

    // Catalog look-ups (also run on leaving the troquel, barcode and diagnosis fields).
    void MostrarMedicamento(const QString& troquel, const QString& codigoBarra);
    // The look-up of the troquel or the barcode field (on leaving it, on Enter): a code in the troquel
    // field longer than a troquel is looked up as a barcode. True when the medication was found.
    bool MostrarCodigo(QLineEdit* campo);
    // The medication of a barcode, when the catalog holds one; false leaves the fields as they were.
    bool MostrarPorCodigoBarra(const QString& codigoBarra);
    void MostrarDiagnostico(const QString& codigo);
    // True when the catalog holds the plan.
    bool MostrarPlan(const QString& codigo);
    void MostrarPorcentaje(double porcentaje);

protected:
    void showEvent(QShowEvent* e) override;

private:
    frmItemTicketFarmacia(int pNumEmpresa, const QString& pCodEmpresa, int pMyOperacion, int pCodigoOperacion,
                          const QString& pBitmapItem, const clsItemTicketFarmacia* pItemDatos);
    void Cargar();
    void AplicarBitmap();
    void ReglaCobertura();  // cboTipoCobertura_Click
    void BuscarMedicamento();
    void BuscarDiagnostico();
    void BuscarPlan();
    void Aceptar();
    // A quantity the user gives is a whole number the item record carries (1 to 99), and a price one
    // that reads as an amount; otherwise the user is told and taken back to the field.
    bool CantidadValida();
    bool PrecioLegible();
    // An item without a catalog name, a price or a quantity is only added when the user says so.
    bool ConfirmarIncompleto();
    QLabel* Rotulo(QWidget* campo, const QString& texto);

    QString numEmpresa_;
    QString codEmpresa_;
    int modo_;
    int codigoOperacion_;
    QString bitmapItem_;
    std::optional<clsItemTicketFarmacia> datos_;
    std::optional<clsItemTicketFarmacia> resultado_;
    QFormLayout* filas_;

    QLineEdit* txtTroquel_;
    QLineEdit* txtCodigoBarra_;
    QLineEdit* txtCodigoProveedor_;
    QLineEdit* txtCantidad_;
    QLineEdit* txtTipoArancel_;
    QLineEdit* txtPrecio_;
    QLineEdit* txtDiagnostico_;
    QComboBox* cboTipoCobertura_;
    QLineEdit* txtAutorizacion_;
    QLineEdit* txtPlanCobertura_;
    QComboBox* cboTipoPrescripcion_;
    QCheckBox* chkCambioPrescripcion_;
    QLineEdit* txtPorcentajeCobertura_;
    QLabel* lblNombreMedicamento_;
    QLabel* lblPresentacion_;
    QLabel* lblNombreDiagnostico_;
    QLabel* lblNombrePlanCobertura_;
    QLabel* lblNAutorizacion_;
    QLabel* lblPorcentaje_;
    QPushButton* cmdBuscarMedicamento_;
    QPushButton* cmdBuscarDiagnostico_;
    QPushButton* cmbBuscarPlanCobertura_;
    QPushButton* cmdAceptar_;
    QPushButton* cmdCancelar_;
};
