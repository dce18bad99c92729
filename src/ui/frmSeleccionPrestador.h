#pragma once
// "Selección de Prestador": the provider to work for, asked before an operation when none is selected.
#include <QDialog>

class QComboBox;
class QLabel;

class frmSeleccionPrestador : public QDialog {
    Q_OBJECT
public:
    explicit frmSeleccionPrestador(QWidget* parent = nullptr);
    // Shows the dialog modally; when the user accepts a provider with a licence, it becomes the
    // current one (gTerminal) and the result is true.
    static bool Cargar(QWidget* parent = nullptr);
    // The licence of the provider shown in the list.
    QString LicenciaElegida() const;

private:
    void MostrarPrestador();

    QComboBox* cboPrestador;
    QLabel* lblLicencia;
    QLabel* lblTipoPrestador;
};
