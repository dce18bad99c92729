// The windows that start-up shows.
#include "app/modVentanas.h"

#include <QTimer>

#include "app/Main.h"
#include "app/frmTarsa.h"
#include "ui/frmConfiguracion.h"

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
