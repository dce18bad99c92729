#pragma once
// What the edit dialogs of a company, an activity and a provider share: the code and name fields,
// an optional type list, "Aceptar" and "Cancelar", the code locked when a row is changed, and the
// check that a code was entered.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

class frmEditCatalogo : public QDialog {
    Q_OBJECT
public:
    // The operations of Cargar.
    static constexpr int kAgregar = 1;
    static constexpr int kModificar = 3;

protected:
    // nombreCodigo and nombreNombre are the objectNames of the two fields; codigoNumerico lets only
    // digits be typed into the code.
    frmEditCatalogo(const QString& nombre, const QString& titulo, const QString& nombreCodigo,
                    const QString& nombreNombre, bool codigoNumerico, QWidget* parent);

    // Adds a labelled field below the name.
    void AgregarCampo(const QString& etiqueta, QWidget* campo);
    // Adds "&Tipo:" with the list cboTipo.
    QComboBox* AgregarTipo();
    // Shows the dialog modally for the operation; true when the user accepted.
    bool Mostrar(int operacion);
    // The code as entered: trimmed, and for numeric codes without leading zeros.
    QString Codigo() const;
    // The stored name, shown without the blanks that pad it in the catalog.
    void MostrarNombre(const QString& guardado);
    // The name as entered, trimmed; the stored one as it stands when the user left it as it was.
    QString Nombre() const;

    QLineEdit* txtCodigo;
    QLineEdit* txtNombre;

private:
    void Aceptar();

    QFormLayout* datos_;
    bool numerico_;
    QString nombreGuardado_;
};
