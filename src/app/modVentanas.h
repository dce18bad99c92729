#pragma once
// The windows that start-up shows; each returns whether a window is now open.
bool MostrarVentanaPrincipal();
bool MostrarConfiguracion();
