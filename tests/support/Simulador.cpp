#include "support/Simulador.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTimer>

#include "TestConfig.h"
#include "platform/ui/Modal.h"
#include "support/Dobles.h"

void Simulador::Iniciar(const QString& directorio, const QString& escenario, const QStringList& extra) {
    ASSERT_STRNE(TARSA_SIM_EXE, "") << "the terminal simulator is not built";
    proceso_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proceso_.setStandardOutputFile(QProcess::nullDevice());
    proceso_.start(TARSA_SIM_EXE, QStringList{"--dir", directorio, "--scenario", escenario} + extra);
    ASSERT_TRUE(proceso_.waitForStarted(5000)) << TARSA_SIM_EXE;
}

void Simulador::Detener() {
    if (proceso_.state() == QProcess::NotRunning) return;
    proceso_.terminate();
    if (!proceso_.waitForFinished(5000)) proceso_.kill();
    proceso_.waitForFinished(5000);
}

namespace {

// Runs the window's own event loop; cancels it (by its Cancelar button, else rejects it, saying Yes
// to the wait window's question) once cancelarCuando holds, or failing the test once plazoMs have passed.
int EjecutarConPlazo(QDialog& dialogo, int plazoMs, const std::function<void()>& alMostrarse = {},
                     const std::function<bool()>& cancelarCuando = {}) {
    const auto cancelar = [&dialogo] {
        if (auto* m = dynamic_cast<MensajesDoble*>(&Mensajes::Actual());
            m && dialogo.objectName() == QLatin1String("frmProcesando"))
            m->Responder(Mensajes::vbYes);
        if (auto* b = dialogo.findChild<QAbstractButton*>("cmdCancelar"))
            b->click();
        else
            dialogo.reject();
    };
    QTimer plazo, sondeo;
    plazo.setSingleShot(true);
    QObject::connect(&plazo, &QTimer::timeout, &dialogo, [&] {
        ADD_FAILURE() << dialogo.objectName().toStdString() << " was still open at its deadline";
        cancelar();
    });
    plazo.start(plazoMs);
    if (cancelarCuando) {
        QObject::connect(&sondeo, &QTimer::timeout, &dialogo, [&] {
            if (cancelarCuando()) cancelar();
        });
        sondeo.start(5);
    }
    if (alMostrarse) QTimer::singleShot(0, &dialogo, alMostrarse);
    return dialogo.exec();
}

}  // namespace

void Modales::Instalar() {
    EstablecerManejadorModal([this](QDialog& dialogo) {
        if (dialogo.objectName() != "frmProcesando") {
            vistas.append(dialogo.objectName());
            if (alMostrar) alMostrar(dialogo);
            return respuesta;
        }
        if (alEsperar) alEsperar();
        return EjecutarConPlazo(dialogo, plazoMs);
    });
}

void EsperarDeVerdad(std::function<void()> alMostrarse, int plazoMs) {
    EstablecerManejadorModal(
        [alMostrarse, plazoMs](QDialog& dialogo) { return EjecutarConPlazo(dialogo, plazoMs, alMostrarse); });
}

void CancelarCuando(std::function<bool()> cuando, int plazoMs) {
    EstablecerManejadorModal(
        [cuando, plazoMs](QDialog& dialogo) { return EjecutarConPlazo(dialogo, plazoMs, {}, cuando); });
}
