// Opening, compacting, repairing and closing the local database; the run's exchange directory.
#include <QDir>
#include <QFile>

#include "TestConfig.h"
#include "core/modTarsa.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

class Conexion : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        base = Ruta("app/TarsaCliente.mdb");
        gQueloPath = dirTrabajo;
    }
    void CopiarEntregada(const QString& destino) {
        ASSERT_TRUE(QFile::copy(TARSA_BASE_ENTREGADA, destino));
        QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner);
    }
    QString base;
};

TEST_F(Conexion, AStaleTemporaryFileIsRemovedAndTheBackupBecomesTheMissingDatabase) {
    CopiarEntregada(base + ".bak");
    EscribirArchivo(base + ".tmp", "restos de una compactación interrumpida");
    ASSERT_TRUE(Conectar(base));
    EXPECT_TRUE(gDB->Abierta());
    EXPECT_FALSE(QFile::exists(base + ".tmp"));
    EXPECT_TRUE(QFile::exists(base));
    EXPECT_FALSE(QFile::exists(base + ".bak"));
}

TEST_F(Conexion, AFailedReplaceKeepsTheOldDatabaseIntact) {
    CopiarEntregada(base);
    const QByteArray antes = LeerArchivo(base);
    Rutas::SimularFallaReemplazo(true);
    EXPECT_FALSE(Conectar(base));
    EXPECT_EQ(LeerArchivo(base), antes);
    EXPECT_FALSE(QFile::exists(base + ".tmp"));
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Conectar");
}

TEST_F(Conexion, ADamagedDatabaseAsksForARepair) {
    EscribirArchivo(base, QByteArray(8192, 'z'));
    mensajes.Responder(Mensajes::vbNo);
    EXPECT_FALSE(Conectar(base));
    EXPECT_EQ(mensajes.mostrados[0].texto, "Reparar base de datos?");
    mensajes.mostrados.clear();
    mensajes.Responder(Mensajes::vbYes);
    EXPECT_FALSE(Conectar(base));
    ASSERT_EQ(mensajes.mostrados.size(), 2);
    EXPECT_EQ(mensajes.mostrados[1].titulo, "ERROR");
    EXPECT_TRUE(mensajes.mostrados[1].texto.startsWith("No se ha podido reparar la base de datos!\n30"));
    EXPECT_EQ(LeerArchivo(base), QByteArray(8192, 'z'));  // nothing lost
}

TEST_F(Conexion, ShutdownBacksUpTheClosedDatabaseAndRemovesTheExchangeDirectory) {
    EXPECT_FALSE(Desconectar());  // nothing open: reported, the process goes on
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Desconectar");
    EXPECT_TRUE(sistema.terminaciones.isEmpty());

    CopiarEntregada(base);
    ASSERT_TRUE(Conectar(base));
    gDB->Ejecutar("INSERT INTO Empresas (IdEmpresa, Nombre) VALUES (3, \"IOMA\")");
    gTermDir = CrearDirectorioTerminal();
    const QString d = Rutas::Resolver(DirectorioIntercambio());
    EscribirArchivo(d + "/upload/_SVL.0", "V250");
    EscribirArchivo(d + "/Estado.rsp", "0");
    QDir(dirTrabajo).mkpath("termupg");
    EscribirArchivo(dirTrabajo + "/termupg/_Tarsa.end", "");
    EXPECT_TRUE(Desconectar());
    EXPECT_FALSE(gDB);
    EXPECT_EQ(LeerArchivo(base + ".bak"), LeerArchivo(base));
    EXPECT_FALSE(Rutas::Existe(d));
    EXPECT_FALSE(QFile::exists(dirTrabajo + "/termupg/_Tarsa.end"));
    EXPECT_EQ(sistema.terminaciones, QList<int>{0});
}

TEST_F(Conexion, RunsOnOneWorkingDirectoryGetDifferentExchangeDirectories) {
    QSet<QString> nombres;
    for (int i = 0; i < 30; ++i) {
        const QString n = CrearDirectorioTerminal();
        EXPECT_FALSE(nombres.contains(n)) << n.toStdString();
        nombres.insert(n);
        EXPECT_TRUE(n.startsWith("term") && n.mid(4).toInt() >= 1 && n.mid(4).toInt() <= 999) << n.toStdString();
        EXPECT_TRUE(QDir(dirTrabajo + "/" + n + "/upload").exists() && QDir(dirTrabajo + "/" + n + "/download").exists());
    }
    gQueloPath = Ruta("no-existe");
    EXPECT_THROW(CrearDirectorioTerminal(), TarsaError);
}
