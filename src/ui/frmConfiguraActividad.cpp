#include "ui/frmConfiguraActividad.h"

#include <QComboBox>
#include <QFormLayout>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogs/clsActividades.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "platform/ui/Modal.h"
#include "ui/frmEditActividad.h"
#include "ui/modCombos.h"

namespace {

// Columns: number, name, type, network code, company number.
QStringList Fila(const clsItemActividad& a) {
    return {QString::number(a.IdActividad), a.Nombre, a.Tipo, a.CodigoQuelo, QString::number(a.IdEmpresa)};
}

clsItemActividad Actividad(const QStringList& f) {
    return {static_cast<qint16>(f.value(4).toInt()), static_cast<qint16>(f.value(0).toInt()), f.value(1), f.value(2),
            f.value(3)};
}

frmConfiguraCatalogo::Definicion Nombres() {
    frmConfiguraCatalogo::Definicion d;
    d.nombre = "frmConfiguraActividad";
    d.titulo = "Actividades";
    d.lista = "lvwActividades";
    d.etiquetaLista = "Actividades &asignadas:";
    d.columnas = {QString::fromUtf8("Número"), "Nombre", "Tipo", QString::fromUtf8("Código Quelo"),
                  QString::fromUtf8("Número Empresa")};
    d.columnaRed = 3;
    d.listaRed = "lvwActividadesQuelo";
    d.etiquetaRed = "Actividades que operan con &quelo:";
    d.columnasRed = {QString::fromUtf8("Código"), "Nombre", QString::fromUtf8("Código Empresa")};
    d.agregar = "cmdAdd";
    d.editar = "cmdEdit";
    d.borrar = "cmdDel";
    d.textoAsignar = QString::fromUtf8("Asignar código quelo");
    d.textoQuitar = QString::fromUtf8("Quitar código quelo");
    d.textoGrabar = "&Grabar";
    d.textoCancelar = "&Cancelar";
    return d;
}

}  // namespace

frmConfiguraActividad::frmConfiguraActividad(QWidget* parent)
    : frmConfiguraCatalogo(Nombres(), parent), cboEmpresas(new QComboBox(this)) {
    cboEmpresas->setObjectName("cboEmpresas");
    auto* fila = new QFormLayout;
    fila->addRow("&Obra Social:", cboEmpresas);
    Cabecera()->addLayout(fila);
    cboEmpresas->setFocus();  // the company first; Tab then goes on to its activities
    // The current company first, else the first one.
    CargarComboEmpresas(cboEmpresas);
    if (cboEmpresas->currentIndex() < 0 && cboEmpresas->count() > 0) cboEmpresas->setCurrentIndex(0);
    CargarActividadesEmpr();
    connect(cboEmpresas, &QComboBox::currentIndexChanged, this, &frmConfiguraActividad::CargarActividadesEmpr);
}

bool frmConfiguraActividad::Cargar(QWidget* parent) {
    frmConfiguraActividad dialogo(parent);
    return MostrarModal(dialogo) == QDialog::Accepted;
}

qint16 frmConfiguraActividad::EmpresaElegida() const {
    const int i = cboEmpresas->currentIndex();
    return i >= 0 && i < gColEmpresas.size() ? gColEmpresas[i].IdEmpresa : qint16(0);
}

void frmConfiguraActividad::CargarActividadesEmpr() {
    const qint16 empresa = EmpresaElegida();
    QList<QStringList> filas;
    for (const clsItemActividad& a : gColActividades)
        if (a.IdEmpresa == empresa) filas << Fila(a);
    LlenarFilas(filas);

    QString codigoRed;
    for (const clsItemEmpresa& e : gColEmpresas)
        if (e.IdEmpresa == empresa) codigoRed = e.CodigoQuelo;
    QList<QStringList> red;
    QStringList vistas;
    for (const clsItemEmpresaQuelo& e : gColEmpresasQuelo) {
        if (codigoRed.isEmpty() || e.CodigoEmpresa != codigoRed || vistas.contains(e.CodigoActividad)) continue;
        vistas << e.CodigoActividad;
        red << QStringList{e.CodigoActividad, e.NombreActividad.trimmed(), e.CodigoEmpresa};
    }
    LlenarListaRed(red);
}

std::optional<QStringList> frmConfiguraActividad::EditarFila(const QStringList* fila) {
    if (EmpresaElegida() == 0) return std::nullopt;  // activities belong to a company
    clsItemActividad actual = fila ? Actividad(*fila) : clsItemActividad{EmpresaElegida(), 0, {}, {}, {}};
    const auto actividad =
        frmEditActividad::Cargar(fila ? frmEditCatalogo::kModificar : frmEditCatalogo::kAgregar, actual, this);
    if (!actividad) return std::nullopt;
    return Fila(*actividad);
}

void frmConfiguraActividad::Guardar(const QList<QStringList>& filas) {
    const qint16 empresa = EmpresaElegida();
    clsActividades actividades;
    actividades.Procesar(5, empresa);
    for (const QStringList& f : filas) {
        const clsItemActividad a = Actividad(f);
        actividades.Procesar(1, empresa, a.IdActividad, a.Nombre, a.Tipo, a.CodigoQuelo);
    }
}

void frmConfiguraActividad::Recargar() {
    QList<clsItemActividad> col;
    clsActividades().GetAP(col);
    gColActividades = col;
}
