#include "ui/frmConfiguraEmpresas.h"

#include "catalogs/clsEmpresas.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "platform/ui/Modal.h"
#include "ui/frmEditEmpresa.h"

namespace {

QStringList Fila(const clsItemEmpresa& e) { return {QString::number(e.IdEmpresa), e.Nombre, e.CodigoQuelo}; }

clsItemEmpresa Empresa(const QStringList& fila) {
    return {static_cast<qint16>(fila.value(0).toInt()), fila.value(1), fila.value(2)};
}

frmConfiguraCatalogo::Definicion Nombres() {
    frmConfiguraCatalogo::Definicion d;
    d.nombre = "frmConfiguraEmpresas";
    d.titulo = "Obras Sociales";
    d.lista = "lvwEmpresas";
    d.etiquetaLista = "&Obras Sociales:";
    d.columnas = {QString::fromUtf8("Código"), "Nombre", "Tarsa"};
    d.columnaRed = 2;
    d.listaRed = "lvwEmpresasQuelo";
    d.etiquetaRed = "Obras Sociales que operan &quelo:";
    d.columnasRed = {"Codigo", "Nombre"};
    d.agregar = "cmdAddEmpresa";
    d.editar = "cmdEditEmpresa";
    d.borrar = "cmdDelEmpresa";
    d.textoAsignar = QString::fromUtf8("Asignar código quelo a obra social");
    d.textoQuitar = QString::fromUtf8("Quitar código quelo a Obra Social");
    d.textoGrabar = "Grabar";
    d.textoCancelar = "Cancelar";
    return d;
}

}  // namespace

frmConfiguraEmpresas::frmConfiguraEmpresas(QWidget* parent) : frmConfiguraCatalogo(Nombres(), parent) {
    for (const clsItemEmpresa& e : gColEmpresas) AgregarFila(Fila(e));
    QList<QStringList> red;
    QStringList vistos;
    for (const clsItemEmpresaQuelo& e : gColEmpresasQuelo) {
        if (vistos.contains(e.CodigoEmpresa)) continue;
        vistos << e.CodigoEmpresa;
        red << QStringList{e.CodigoEmpresa, e.NombreEmpresa.trimmed()};
    }
    LlenarListaRed(red);
}

bool frmConfiguraEmpresas::Cargar(QWidget* parent) {
    frmConfiguraEmpresas dialogo(parent);
    return MostrarModal(dialogo) == QDialog::Accepted;
}

std::optional<QStringList> frmConfiguraEmpresas::EditarFila(const QStringList* fila) {
    const auto empresa = fila ? frmEditEmpresa::Cargar(frmEditCatalogo::kModificar, Empresa(*fila), this)
                              : frmEditEmpresa::Cargar(frmEditCatalogo::kAgregar, {}, this);
    if (!empresa) return std::nullopt;
    return Fila(*empresa);
}

void frmConfiguraEmpresas::Guardar(const QList<QStringList>& filas) {
    clsEmpresas empresas;
    empresas.Condicion.clear();
    empresas.Procesar(2);
    int n = 0;
    for (const QStringList& f : filas) empresas.PutAP(++n, f.value(0), f.value(1), f.value(2), false);
    empresas.PutAP(0, QString(), QString(), QString(), false);
}

void frmConfiguraEmpresas::Recargar() { CargarColEmpresas(); }
