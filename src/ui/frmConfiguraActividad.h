#pragma once
// "Actividades": the activities of one company beside the ones the terminal's configuration offers
// for it.
#include "catalogs/clsItemActividad.h"
#include "ui/frmConfiguraCatalogo.h"

class QComboBox;

class frmConfiguraActividad : public frmConfiguraCatalogo {
    Q_OBJECT
public:
    explicit frmConfiguraActividad(QWidget* parent = nullptr);
    // Shows the dialog modally; true when the activities were stored.
    static bool Cargar(QWidget* parent = nullptr);
    // Both lists for the company chosen in cboEmpresas.
    void CargarActividadesEmpr();

protected:
    std::optional<QStringList> EditarFila(const QStringList* fila) override;
    void Guardar(const QList<QStringList>& filas) override;
    void Recargar() override;

private:
    // The chosen company's identifier, 0 when none is chosen.
    qint16 EmpresaElegida() const;

    QComboBox* cboEmpresas;
};
