// The built client starts and ends on its own, offscreen, with no settings at all.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "TestConfig.h"
#include "support/Entorno.h"

class EjecutableTest : public Entorno {
protected:
    QProcessEnvironment Ambiente() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TARSA_SETTINGS", Ruta("vacio.ini"));
        env.insert("TARSA_APPDIR", dirAplicacion);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QDir().mkpath(Ruta("run"));
        QFile::setPermissions(Ruta("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", Ruta("run"));
        return env;
    }
};

TEST_F(EjecutableTest, StartsWithNoSettingsOpensTheDeliveredDatabaseAndEndsCleanly) {
    if (!PredeterminadoEnTrabajo()) GTEST_SKIP() << kSinPredeterminado;
    // A run killed while its window was open leaves its claim on the application directory behind,
    // and the next start is not stopped by it.
    QProcess muerto;
    muerto.setProcessEnvironment(Ambiente());
    muerto.start(TARSA_CLIENT_EXE, {});
    ASSERT_TRUE(muerto.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(dirAplicacion + "/TarsaCliente.lck"); }, 60000));
    muerto.kill();
    muerto.waitForFinished();
    const qsizetype restos = QDir(dirTrabajo).entryList({"term*"}, QDir::Dirs).size();

    QProcess cliente;
    QProcessEnvironment env = Ambiente();
    env.insert("TARSA_SALIR", "1");  // the main window closes as soon as it is shown
    cliente.setProcessEnvironment(env);
    cliente.start(TARSA_CLIENT_EXE, {});
    ASSERT_TRUE(cliente.waitForFinished(60000)) << "the client did not end";
    EXPECT_EQ(cliente.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cliente.exitCode(), 0);
    // A start-up failure would have been reported with its step marker.
    EXPECT_FALSE(cliente.readAllStandardError().contains("Control:"));
    // The delivered database was copied, opened and backed up at the orderly shutdown.
    EXPECT_TRUE(QFile::exists(dirAplicacion + "/TarsaCliente.mdb"));
    EXPECT_EQ(LeerArchivo(dirAplicacion + "/TarsaCliente.mdb.bak"), LeerArchivo(dirAplicacion + "/TarsaCliente.mdb"));
    // The run's exchange directory was created and removed again (the killed run's stays).
    EXPECT_LE(QDir(dirTrabajo).entryList({"term*"}, QDir::Dirs).size(), restos);
}
