#pragma once
// "Selección de Prestador": the provider to work for, asked before an operation when none is selected.
#include <QDialog>

class QComboBox;
class QLabel;

class frmSeleccionPrestador : public QDialog {
    Q_OBJECT
public:
    explicit frmSeleccionPrestador(QWidget* parent = nullptr);
    // Shows the dialog modally; true when the user accepted. The current provider is not changed.
    static bool Cargar(QWidget* parent = nullptr);

private:
    void MostrarPrestador();

    QComboBox* cboPrestador;
    QLabel* lblLicencia;
    QLabel* lblTipoPrestador;
};
