#pragma once
// Helpers to drive the wait window in tests: run it for real (exec) with a deadline after which the
// test cancels it and fails, or cancel it as soon as a condition holds.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QTimer>

#include <functional>

#include "platform/ui/Modal.h"

// The next modal windows run their own event loop; al mostrarse runs once each window is up. After
// plazoMs the window is cancelled and the test fails, so a missing answer cannot hang the suite.
inline void EsperarDeVerdad(std::function<void()> alMostrarse = {}, int plazoMs = 20000) {
    EstablecerManejadorModal([alMostrarse, plazoMs](QDialog& dialogo) {
        QTimer plazo;
        plazo.setSingleShot(true);
        QObject::connect(&plazo, &QTimer::timeout, &dialogo, [&dialogo] {
            ADD_FAILURE() << "the wait did not end before its deadline";
            if (auto* b = dialogo.findChild<QAbstractButton*>("cmdCancelar")) b->click();
            else dialogo.reject();
        });
        plazo.start(plazoMs);
        if (alMostrarse) QTimer::singleShot(0, &dialogo, alMostrarse);
        return dialogo.exec();
    });
}

// Cancels the wait window by its button once cuando() holds (checked every few ms; deadline as above).
inline void CancelarCuando(std::function<bool()> cuando, int plazoMs = 20000) {
    EstablecerManejadorModal([cuando, plazoMs](QDialog& dialogo) {
        QTimer sondeo, plazo;
        plazo.setSingleShot(true);
        auto* cancelar = dialogo.findChild<QAbstractButton*>("cmdCancelar");
        QObject::connect(&sondeo, &QTimer::timeout, &dialogo, [&] {
            if (cuando()) cancelar->click();
        });
        QObject::connect(&plazo, &QTimer::timeout, &dialogo, [&] {
            ADD_FAILURE() << "the condition to cancel did not hold before the deadline";
            cancelar->click();
        });
        sondeo.start(5);
        plazo.start(plazoMs);
        return dialogo.exec();
    });
}
