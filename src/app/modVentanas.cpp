// The windows that start-up shows.
#include "app/modVentanas.h"

#include <QTimer>

#include "app/Main.h"
#include "app/frmTarsa.h"
#include "core/modTarsa.h"
#include "platform/Mensajes.h"
#include "ui/frmActualizacionNomencladores.h"
#include "ui/frmConfiguracion.h"

bool MostrarVentanaPrincipal() {
    gFrmTarsa = new frmTarsa;
    gFrmTarsa->setAttribute(Qt::WA_DeleteOnClose);
    gFrmTarsa->Cargar();
    gFrmTarsa->show();
    // TARSA_SALIR closes the window as soon as it is shown: an unattended start and orderly shutdown.
    if (!qEnvironmentVariableIsEmpty("TARSA_SALIR")) QTimer::singleShot(0, gFrmTarsa, &QWidget::close);
    // The catalogs the settings ask to refresh (and, after a first start's import, the complete ones
    // when the user wants them) are requested once the window is on screen, so that the wait for the
    // terminal has a window to stand on.
    else
        QTimer::singleShot(0, gFrmTarsa, [] {
            OfrecerNomencladoresSiFaltan();
            ActualizacionAutomaticaNomencladores();
        });
    return true;
}

bool MostrarConfiguracion() {
    if (gFrmTarsa)
        gFrmTarsa->AbrirConfiguracion();
    else
        frmConfiguracion::Mostrar();
    return true;
}

bool PedirDirectorioDeTrabajo() {
    if (!gQueloPath.isEmpty() && !gTermDir.isEmpty()) return false;
    MsgBox("Debe configurar el directorio de trabajo", Mensajes::vbInformation);
    return MostrarConfiguracion();
}
