#include "support/Simulador.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTimer>

#include "TestConfig.h"
#include "platform/ui/Modal.h"

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

void Modales::Instalar() {
    EstablecerManejadorModal([this](QDialog& dialogo) {
        if (dialogo.objectName() != "frmProcesando") {
            vistas.append(dialogo.objectName());
            if (alMostrar) alMostrar(dialogo);
            return respuesta;
        }
        if (alEsperar) alEsperar();
        QTimer plazo;
        plazo.setSingleShot(true);
        QObject::connect(&plazo, &QTimer::timeout, &dialogo, [&dialogo] {
            ADD_FAILURE() << "the terminal did not answer before the deadline";
            if (auto* b = dialogo.findChild<QAbstractButton*>("cmdCancelar")) b->click();
        });
        plazo.start(plazoMs);
        return dialogo.exec();
    });
}
