#include "ui/frmConfiguraPrestador.h"

#include "catalogs/clsPrestadores.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "platform/ui/Modal.h"
#include "ui/frmEditPrestador.h"

namespace {

// Columns: code, licence, name, type, registration number, chain of branches ("Sí" or "No").
QStringList Fila(const clsItemPrestador& p) {
    return {p.Codigo, p.LicenciaQuelo, p.Nombre,
            p.Tipo,   p.Matricula,     p.CadenaSucursales ? QString::fromUtf8("Sí") : QString("No")};
}

clsItemPrestador Prestador(const QStringList& f) {
    return {f.value(0), f.value(2), f.value(3), f.value(1), f.value(4), f.value(5).startsWith("S")};
}

frmConfiguraCatalogo::Definicion Nombres() {
    frmConfiguraCatalogo::Definicion d;
    d.nombre = "frmConfiguraPrestador";
    d.titulo = "Prestadores";
    d.lista = "lvwPrestadores";
    d.etiquetaLista = "&Prestadores:";
    d.columnas = {QString::fromUtf8("Código"), "Licencia", "Nombre", "Tipo", QString::fromUtf8("Matrícula"),
                  "Cadena de sucursales"};
    d.columnaRed = 1;
    d.listaRed = "lvwLicenciasQuelo";
    d.etiquetaRed = "Licencias &Quelo:";
    d.columnasRed = {"Licencia"};
    d.agregar = "cmdAdd";
    d.editar = "cmdEdit";
    d.borrar = "cmdDel";
    d.textoAsignar = "Asignar Licencia Quelo a Prestador";
    d.textoQuitar = "Quitar Licencia Quelo A prestador";
    d.textoGrabar = "&Grabar";
    d.textoCancelar = "&Cancelar";
    return d;
}

}  // namespace

frmConfiguraPrestador::frmConfiguraPrestador(QWidget* parent) : frmConfiguraCatalogo(Nombres(), parent) {
    for (const clsItemPrestador& p : gColPrestadores) AgregarFila(Fila(p));
    CargarLicencias();
}

bool frmConfiguraPrestador::Cargar(QWidget* parent) {
    frmConfiguraPrestador dialogo(parent);
    return MostrarModal(dialogo) == QDialog::Accepted;
}

void frmConfiguraPrestador::CargarLicencias() {
    QList<QStringList> licencias;
    for (const clsItemEmpresaQuelo& e : gColEmpresasQuelo)
        if (!licencias.contains(QStringList{e.Licencia})) licencias << QStringList{e.Licencia};
    LlenarListaRed(licencias);
}

std::optional<QStringList> frmConfiguraPrestador::EditarFila(const QStringList* fila) {
    const auto prestador = fila ? frmEditPrestador::Cargar(frmEditCatalogo::kModificar, Prestador(*fila), this)
                                : frmEditPrestador::Cargar(frmEditCatalogo::kAgregar, {}, this);
    if (!prestador) return std::nullopt;
    return Fila(*prestador);
}

void frmConfiguraPrestador::Guardar(const QList<QStringList>& filas) {
    clsPrestadores prestadores;
    prestadores.Condicion.clear();
    prestadores.Procesar(2);
    for (const QStringList& f : filas) {
        const clsItemPrestador p = Prestador(f);
        prestadores.Procesar(1, p.Codigo, p.Nombre, p.Tipo, p.LicenciaQuelo, p.Matricula, p.CadenaSucursales);
    }
}

void frmConfiguraPrestador::Recargar() {
    QList<clsItemPrestador> col;
    clsPrestadores().GetAP(col, false);
    gColPrestadores = col;
}
