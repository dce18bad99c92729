// The windows that start-up shows.
#include "ui/Main.h"
#include "ui/modVentanas.h"

bool MostrarVentanaPrincipal() { return false; }

bool MostrarConfiguracion() { return false; }
