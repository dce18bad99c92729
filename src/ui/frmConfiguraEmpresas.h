#pragma once
// "Obras Sociales": the companies of the catalog beside the ones the terminal's configuration offers.
#include "catalogs/clsItemEmpresa.h"
#include "ui/frmConfiguraCatalogo.h"

class frmConfiguraEmpresas : public frmConfiguraCatalogo {
    Q_OBJECT
public:
    explicit frmConfiguraEmpresas(QWidget* parent = nullptr);
    // Shows the dialog modally; true when the companies were stored.
    static bool Cargar(QWidget* parent = nullptr);

protected:
    std::optional<QStringList> EditarFila(const QStringList* fila) override;
    void Guardar(const QList<QStringList>& filas) override;
    void Recargar() override;
};
