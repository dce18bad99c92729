#include "ui/modCombos.h"

#include <QComboBox>

#include "catalogs/clsAcceso.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "platform/LectorNumeros.h"

namespace {

// Fills the list and selects the first entry for which elegir is true; else the first entry, or
// none at all when primeroPorDefecto is false.
template <class Item, class Texto, class Elegir>
bool Llenar(QComboBox* cbo, const QList<Item>& col, Texto texto, Elegir elegir, bool primeroPorDefecto) {
    if (!cbo) return false;
    cbo->clear();
    int elegido = -1;
    for (const Item& item : col) {
        cbo->addItem(texto(item));
        if (elegido < 0 && elegir(item)) elegido = cbo->count() - 1;
    }
    if (elegido < 0 && primeroPorDefecto && cbo->count() > 0) elegido = 0;
    cbo->setCurrentIndex(elegido);
    return true;
}

}  // namespace

bool CargarComboEmpresas(QComboBox* cbo) {
    return Llenar(
        cbo, gColEmpresas, [](const clsItemEmpresa& e) { return CodigoYNombre(QVariant(int(e.IdEmpresa)), e.Nombre); },
        [](const clsItemEmpresa& e) { return QString::number(e.IdEmpresa) == gEmpresa; }, false);
}

bool CargarComboTipoPrestador(QComboBox* cbo, const QString& codigo) {
    return Llenar(
        cbo, gColTipoPrestador, [](const clsItemTipoPrestador& t) { return CodigoYNombre(t.Codigo, t.Nombre); },
        [&](const clsItemTipoPrestador& t) { return t.Codigo == codigo; }, true);
}

bool CargarComboTipoActividad(QComboBox* cbo, const QString& codigo) {
    return Llenar(
        cbo, gColTipoActividad, [](const clsItemTipoActividad& t) { return CodigoYNombre(t.Codigo, t.Nombre); },
        [&](const clsItemTipoActividad& t) { return t.Codigo == codigo; }, true);
}

bool CargarComboActividades(QComboBox* cbo) {
    QList<clsItemActividad> deLaEmpresa;
    for (const clsItemActividad& a : gColActividades)
        if (a.IdEmpresa == Val(gEmpresa)) deLaEmpresa.append(a);
    return Llenar(
        cbo, deLaEmpresa,
        [](const clsItemActividad& a) { return CodigoYNombre(QVariant(int(a.IdActividad)), a.Nombre); },
        [](const clsItemActividad& a) { return a.IdActividad == Val(gActividad); }, true);
}

bool CargarComboPrestadores(QComboBox* cbo) {
    return Llenar(
        cbo, gColPrestadores, [](const clsItemPrestador& p) { return CodigoYNombre(p.Codigo, p.Nombre); },
        [](const clsItemPrestador& p) { return p.LicenciaQuelo == gTerminal; }, true);
}
