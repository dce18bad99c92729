// The start-up steps that load the catalogs into the global collections.
#include "core/modTarsa.h"

void CargarCatalogosInicio(QString& marcador) { Q_UNUSED(marcador); }

void ReiniciarColecciones() {}
