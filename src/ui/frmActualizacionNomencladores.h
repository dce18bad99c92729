#pragma once
// "Actualización de nomencladores": the user ticks the doctors, medications and diagnoses catalogs
// (each complete or only its changes), the terminal delivers them and they are applied to the local
// database, with the count shown in the window's status bar.
#include <QDialog>

#include "catalogs/modNomencladores.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

class frmActualizacionNomencladores : public QDialog {
    Q_OBJECT
public:
    explicit frmActualizacionNomencladores(QWidget* parent = nullptr);
    ~frmActualizacionNomencladores() override;

    // Opens the dialog modally.
    static void Mostrar(QWidget* parent = nullptr);
    // Whether the dialog is open.
    static bool Abierto();

protected:
    void reject() override;  // not while a catalog is being applied

private:
    QCheckBox* Casilla(const char* nombre, const QString& texto);
    PedidoNomencladores Pedido() const;
    void Aceptar();
    void Aplicar(const PedidoNomencladores& pedido);

    QCheckBox* chkMedicos_;
    QCheckBox* chkMedicamentos_;
    QCheckBox* chkDiagnosticos_;
    QCheckBox* chkTMedicos_;
    QCheckBox* chkTMedicamentos_;
    QCheckBox* chkTDiagnosticos_;
    QLabel* lblMatricula_;
    QLineEdit* txtMatricula_;
    QStatusBar* stbNomencladores_;
    QPushButton* cmdAceptar_;
    QPushButton* cmdCancelar_;
    bool aplicando_ = false;
};

// The refresh the main window runs when it loads, for the catalogs whose refresh flags are on.
void ActualizacionAutomaticaNomencladores();
// After the terminal's configuration is imported: asks whether to bring the complete doctors,
// medications and diagnoses catalogs now and, on yes, requests and applies them.
void OfrecerNomencladoresCompletos();
// The same after the start-up imported the configuration, only while the medications catalog is
// empty (a fresh installation): every item would be "no figura en el catálogo".
void OfrecerNomencladoresSiFaltan();
