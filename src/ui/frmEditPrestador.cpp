#include "ui/frmEditPrestador.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modFormato.h"
#include "ui/FiltroTeclas.h"
#include "ui/modCombos.h"

frmEditPrestador::frmEditPrestador(QWidget* parent)
    : frmEditCatalogo("frmEditPrestador", "Prestador", "txtCodigo", "txtNombre", false, parent),
      cboTipo(AgregarTipo()),
      txtMatricula(new QLineEdit(this)),
      chkCadena(new QCheckBox("Incluir cadena de sucursales en el cierre", this)) {
    txtCodigo->setMaxLength(20);
    txtMatricula->setObjectName("txtMatricula");
    txtMatricula->setMaxLength(9);  // stored as a number
    FiltroTeclas::Instalar(txtMatricula, 1);
    chkCadena->setObjectName("chkCadena");
    AgregarCampo(QString::fromUtf8("&Matrícula:"), txtMatricula);
    AgregarCampo(QString(), chkCadena);
}

std::optional<clsItemPrestador> frmEditPrestador::Cargar(int operacion, const clsItemPrestador& actual,
                                                         QWidget* parent) {
    frmEditPrestador dialogo(parent);
    CargarComboTipoPrestador(dialogo.cboTipo, actual.Tipo);
    if (operacion == kModificar) {
        dialogo.txtCodigo->setText(actual.Codigo);
        dialogo.MostrarNombre(actual.Nombre);
        dialogo.txtMatricula->setText(actual.Matricula);
        dialogo.chkCadena->setChecked(actual.CadenaSucursales);
    }
    if (!dialogo.Mostrar(operacion)) return std::nullopt;
    clsItemPrestador prestador = actual;
    prestador.Codigo = dialogo.Codigo();
    prestador.Nombre = dialogo.Nombre();
    QString tipo, nombre;
    SepararCodigoNombre(dialogo.cboTipo->currentText(), tipo, nombre);
    prestador.Tipo = tipo;
    prestador.Matricula = dialogo.txtMatricula->text().trimmed();
    prestador.CadenaSucursales = dialogo.chkCadena->isChecked();
    return prestador;
}
