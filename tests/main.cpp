// One test program for the whole client; a QApplication exists for the windows' tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QThread>
#include <cstdio>

#include "platform/MarcaPropietario.h"

namespace {
// Run as a child by the tests of abandoned exchange directories: holds the mark of a directory
// until it is killed, as a run of the client would.
int RetenerMarca(const QString& directorio) {
    MarcaPropietario marca;
    std::puts(marca.Tomar(directorio) ? "tomada" : "rechazada");
    std::fflush(stdout);
    for (;;) QThread::sleep(60);
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (!qEnvironmentVariableIsEmpty("TARSA_RETENER_MARCA"))
        return RetenerMarca(qEnvironmentVariable("TARSA_RETENER_MARCA"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
