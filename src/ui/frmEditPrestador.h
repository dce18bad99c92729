#pragma once
// "Prestador": one provider of the providers dialog.
#include <optional>

#include "catalogs/clsItemPrestador.h"
#include "ui/frmEditCatalogo.h"

class frmEditPrestador : public frmEditCatalogo {
    Q_OBJECT
public:
    explicit frmEditPrestador(QWidget* parent = nullptr);
    // Shows the dialog modally to add (kAgregar) or change actual (kModificar, code locked); the
    // provider as entered, keeping actual's licence, or nothing when cancelled.
    static std::optional<clsItemPrestador> Cargar(int operacion, const clsItemPrestador& actual = {},
                                                  QWidget* parent = nullptr);

private:
    QComboBox* cboTipo;
    QLineEdit* txtMatricula;
    QCheckBox* chkCadena;
};
