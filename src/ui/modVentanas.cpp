// The windows that start-up shows.
#include "ui/Main.h"
#include "ui/modVentanas.h"

#include <QTimer>

#include "ui/frmConfiguracion.h"
#include "ui/frmTarsa.h"

bool MostrarVentanaPrincipal() {
    gFrmTarsa = new frmTarsa;
    gFrmTarsa->setAttribute(Qt::WA_DeleteOnClose);
    gFrmTarsa->Cargar();
    gFrmTarsa->show();
    // TARSA_SALIR closes the window as soon as it is shown: an unattended start and orderly shutdown.
    if (!qEnvironmentVariableIsEmpty("TARSA_SALIR")) QTimer::singleShot(0, gFrmTarsa, &QWidget::close);
    return true;
}

bool MostrarConfiguracion() {
    if (gFrmTarsa) gFrmTarsa->AbrirConfiguracion();
    else frmConfiguracion::Mostrar();
    return true;
}
