// The built client starts and ends on its own, offscreen, with no settings at all.
#include <QDir>
#include <QFile>
#include <QProcess>

#include "TestConfig.h"
#include "support/Entorno.h"

class Ejecutable : public Entorno {};

TEST_F(Ejecutable, StartsWithNoSettingsOpensTheDeliveredDatabaseAndEndsCleanly) {
    QProcess cliente;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARSA_SETTINGS", Ruta("vacio.ini"));
    env.insert("HOME", tmp.path());  // the default working directory is $HOME/Estandar
    env.insert("TARSA_APPDIR", dirAplicacion);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TARSA_SALIR", "1");  // the main window closes as soon as it is shown
    QDir().mkpath(Ruta("run"));
    QFile::setPermissions(Ruta("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert("XDG_RUNTIME_DIR", Ruta("run"));
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
    // The run's exchange directory was created and removed again.
    EXPECT_TRUE(QDir(dirTrabajo).entryList({"term*"}, QDir::Dirs).isEmpty());
}
