#pragma once
// "Actividad": the code, name and type of one activity of the activities dialog.
#include <optional>

#include "catalogs/clsItemActividad.h"
#include "ui/frmEditCatalogo.h"

class frmEditActividad : public frmEditCatalogo {
    Q_OBJECT
public:
    explicit frmEditActividad(QWidget* parent = nullptr);
    // Shows the dialog modally to add (kAgregar) or change actual (kModificar, code locked); the
    // activity as entered, keeping actual's company and network code, or nothing when cancelled.
    static std::optional<clsItemActividad> Cargar(int operacion, const clsItemActividad& actual = {},
                                                  QWidget* parent = nullptr);

private:
    QComboBox* cboTipo;
};
