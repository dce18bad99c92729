#pragma once
// "Prestadores": the providers of the catalog beside the licences of the terminal's configuration.
#include "catalogs/clsItemPrestador.h"
#include "ui/frmConfiguraCatalogo.h"

class frmConfiguraPrestador : public frmConfiguraCatalogo {
    Q_OBJECT
public:
    explicit frmConfiguraPrestador(QWidget* parent = nullptr);
    // Shows the dialog modally; true when the providers were stored.
    static bool Cargar(QWidget* parent = nullptr);
    // The licences of the terminal's configuration, each once, into the right-hand list.
    void CargarLicencias();

protected:
    std::optional<QStringList> EditarFila(const QStringList* fila) override;
    void Guardar(const QList<QStringList>& filas) override;
    void Recargar() override;
};
