// The run's state: its globals and the pharmacy transaction number.
#include "core/modTarsa.h"

#include <QRandomGenerator>
#include <cmath>

void ReiniciarEstado() {
    gSeparadorDecimal = 46;
    gQueloPath.clear();
    gTermDir.clear();
    gVersion = QStringLiteral("V250");
    gEmpresa.clear();
    gActividad.clear();
    gTerminal.clear();
    gCodigoEmpresa.clear();
    gCodigoActividad.clear();
    gTipoActividad.clear();
    gTipoPrescripcion.clear();
    gCambioPrescripcion.clear();
    gVerTicket = gVerListaErrores = gImprimirTicket = gPantallaReducida = false;
    gVerMenuLicencias = gVerBotonesVerificar = gVerBotonesConsulta = gVerBotonesDevolucion = false;
    gLicenciaMatricula = gSugerirCierres = false;
    gActualizaMedicos = gActualizaMedicamentos = gActualizaDiagnosticos = false;
    gFechaQueloPrm.clear();
    gFechaQueloEmp.clear();
    gNuevaTransaccion = false;
    gNTransaccionFarmacia.clear();
}

void PedirNuevaTransaccion() { gNuevaTransaccion = true; }

void ConservarTransaccion() { gNuevaTransaccion = false; }

void NuevaTransaccionFarmacia() {
    if (!gNuevaTransaccion) return;
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    const double n = std::nearbyint(QRandomGenerator::global()->generateDouble() * 1001);
    gNTransaccionFarmacia = QString::number(static_cast<int>(n));
}
