#pragma once
// The windows that start-up shows; each returns whether a window is now open.
bool MostrarVentanaPrincipal();
bool MostrarConfiguracion();
// Without an exchange directory (the working directory is missing, as in a fresh installation) no
// request can be sent: says "Debe configurar el directorio de trabajo" and opens the settings.
bool PedirDirectorioDeTrabajo();
