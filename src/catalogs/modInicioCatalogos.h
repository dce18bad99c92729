#pragma once
// The catalog collections every window reads, and the start-up steps that load them.
#include <QList>
#include <QString>

#include "catalogs/clsItemActividad.h"
#include "catalogs/clsItemEmpresa.h"
#include "catalogs/clsItemEmpresaQuelo.h"
#include "catalogs/clsItemLicenciaActividad.h"
#include "catalogs/clsItemPrestador.h"
#include "catalogs/clsItemTipoActividad.h"
#include "catalogs/clsItemTipoPrestador.h"

// Catalog collections, loaded at start-up and after a configuration import.
inline QList<clsItemPrestador> gColPrestadores;
inline QList<clsItemTipoPrestador> gColTipoPrestador;
inline QList<clsItemEmpresa> gColEmpresas;
inline QList<clsItemEmpresaQuelo> gColEmpresasQuelo;  // companies as the terminal configures them
inline QList<clsItemActividad> gColActividades;
inline QList<clsItemTipoActividad> gColTipoActividad;
inline QList<clsItemLicenciaActividad> gColLicAct;
// The start-up of this run imported the terminal's configuration (a first start, or newer files).
inline bool gConfiguracionImportada = false;

// Steps of start-up that need no window: the settings and the database (IniciarNucleo), then the
// catalogs; the marker of the step that failed is reported and start-up goes on. Returns true when
// the database is open.
bool IniciarAplicacion(const QString& lineaComandos);
// The catalog steps of start-up, run once the database is open.
void CargarCatalogosInicio(QString& marcador);
// Empties the catalog collections (tests).
void ReiniciarColecciones();
