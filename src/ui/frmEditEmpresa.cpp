#include "ui/frmEditEmpresa.h"

#include <QLineEdit>

frmEditEmpresa::frmEditEmpresa(QWidget* parent)
    : frmEditCatalogo("frmEditEmpresa", "Obra Social", "txtCodigoEmpresa", "txtNombreEmpresa", true, parent) {}

std::optional<clsItemEmpresa> frmEditEmpresa::Cargar(int operacion, const clsItemEmpresa& actual, QWidget* parent) {
    frmEditEmpresa dialogo(parent);
    if (operacion == kModificar) {
        dialogo.txtCodigo->setText(QString::number(actual.IdEmpresa));
        dialogo.MostrarNombre(actual.Nombre);
    }
    if (!dialogo.Mostrar(operacion)) return std::nullopt;
    clsItemEmpresa empresa = actual;
    empresa.IdEmpresa = static_cast<qint16>(dialogo.Codigo().toInt());
    empresa.Nombre = dialogo.Nombre();
    return empresa;
}
