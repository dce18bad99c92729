#pragma once
// The modal dialog in which the user picks one diagnosis for a ticket: a code typed or found in the
// diagnoses catalog, shown with its name.
#include <QDialog>
#include <optional>

#include "tickets/clsItemDiagnostico.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmDiagnostico : public QDialog {
    Q_OBJECT
public:
    // The diagnosis accepted (any code is accepted as typed, with the name the catalog gave it),
    // or nothing when the dialog was cancelled or closed.
    static std::optional<clsItemDiagnostico> Cargar(int pNumEmpresa, const QString& pCodEmpresa, int pMyOperacion,
                                                    int pCodigoOperacion);

    void MostrarDiagnostico(const QString& codigo);

protected:
    void showEvent(QShowEvent* e) override;

private:
    frmDiagnostico(int pNumEmpresa, const QString& pCodEmpresa, int pMyOperacion, int pCodigoOperacion);
    void BuscarDiagnostico();
    void Aceptar();

    QString numEmpresa_;
    QString codEmpresa_;
    int modo_;
    int codigoOperacion_;
    std::optional<clsItemDiagnostico> resultado_;

    QLineEdit* txtDiagnostico_;
    QLabel* lblNombreDiagnostico_;
    QPushButton* cmdBuscarDiagnostico_;
    QPushButton* cmdAceptar_;
    QPushButton* cmdCancelar_;
};
