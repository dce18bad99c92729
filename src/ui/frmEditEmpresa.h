#pragma once
// "Obra Social": the code and name of one company of the companies dialog.
#include <optional>

#include "catalogs/clsItemEmpresa.h"
#include "ui/frmEditCatalogo.h"

class frmEditEmpresa : public frmEditCatalogo {
    Q_OBJECT
public:
    explicit frmEditEmpresa(QWidget* parent = nullptr);
    // Shows the dialog modally to add a company (kAgregar) or change actual (kModificar, code
    // locked); the company as entered, keeping actual's network code, or nothing when cancelled.
    static std::optional<clsItemEmpresa> Cargar(int operacion, const clsItemEmpresa& actual = {},
                                                QWidget* parent = nullptr);
};
