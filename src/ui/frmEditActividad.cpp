#include "ui/frmEditActividad.h"

#include <QComboBox>
#include <QLineEdit>

#include "catalogs/clsAcceso.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modFormato.h"
#include "platform/LectorNumeros.h"
#include "ui/modCombos.h"

frmEditActividad::frmEditActividad(QWidget* parent)
    : frmEditCatalogo("frmEditActividad", "Actividad", "txtCodigo", "txtNombre", true, parent),
      cboTipo(AgregarTipo()) {}

std::optional<clsItemActividad> frmEditActividad::Cargar(int operacion, const clsItemActividad& actual,
                                                         QWidget* parent) {
    frmEditActividad dialogo(parent);
    // The list's codes are "01"..."04"; an activity keeps its type as the main window compares it, "1".
    CargarComboTipoActividad(dialogo.cboTipo, QString("%1").arg(Val(actual.Tipo), 2, 10, QChar('0')));
    if (operacion == kModificar) {
        dialogo.txtCodigo->setText(QString::number(actual.IdActividad));
        dialogo.MostrarNombre(actual.Nombre);
    }
    if (!dialogo.Mostrar(operacion)) return std::nullopt;
    clsItemActividad actividad = actual;
    actividad.IdActividad = static_cast<qint16>(dialogo.Codigo().toInt());
    actividad.Nombre = dialogo.Nombre();
    QString tipo, nombre;
    SepararCodigoNombre(dialogo.cboTipo->currentText(), tipo, nombre);
    actividad.Tipo = QString::number(Val(tipo));
    return actividad;
}
