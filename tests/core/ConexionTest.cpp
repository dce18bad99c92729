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
    int Empresas() { return gDB->Consultar("SELECT count(*) FROM Empresas")->Campo(0).toInt(); }
    QString base;
};

TEST_F(Conexion, AStaleTemporaryFileIsRemovedAndTheDatabaseOpens) {
    CopiarEntregada(base);
    EscribirArchivo(base + ".tmp", "restos de una compactación interrumpida");
    ASSERT_TRUE(Conectar(base));
    EXPECT_TRUE(gDB->Abierta());
    EXPECT_FALSE(QFile::exists(base + ".tmp"));
}

TEST_F(Conexion, TheBackupBecomesTheDatabaseWhenTheDatabaseIsMissing) {
    CopiarEntregada(base + ".bak");
    ASSERT_TRUE(Conectar(base));
    EXPECT_TRUE(QFile::exists(base));
    EXPECT_FALSE(QFile::exists(base + ".bak"));
}

TEST_F(Conexion, NoDatabaseAndNoBackupShowsTheMessage) {
    EXPECT_FALSE(Conectar(base));
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].texto, "No existe Base de datos \n" + QDir::toNativeSeparators(base));
    EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbCritical);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Conectar");
}

TEST_F(Conexion, AFailedReplaceKeepsTheOldDatabaseIntact) {
    CopiarEntregada(base);
    {
        BaseDatos db;
        db.Abrir(base);
        db.Ejecutar("INSERT INTO Empresas (IdEmpresa, Nombre) VALUES (1, \"OSDE\")");
    }
    const QByteArray antes = LeerArchivo(base);
    Rutas::SimularFallaReemplazo(true);
    EXPECT_FALSE(Conectar(base));
    EXPECT_EQ(LeerArchivo(base), antes);
    EXPECT_FALSE(QFile::exists(base + ".tmp"));
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Conectar");
    Rutas::SimularFallaReemplazo(false);
    mensajes.mostrados.clear();
    ASSERT_TRUE(Conectar(base));
    EXPECT_EQ(Empresas(), 1);
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
    CopiarEntregada(base);
    ASSERT_TRUE(Conectar(base));
    gDB->Ejecutar("INSERT INTO Empresas (IdEmpresa, Nombre) VALUES (3, \"IOMA\")");
    gTermDir = CrearDirectorioTerminal();
    const QString d = DirectorioIntercambio();
    EscribirArchivo(Rutas::Resolver(d + "/upload/_SVL.0"), "V250");
    EscribirArchivo(Rutas::Resolver(d + "/download/_ticket.prn"), "x");
    EscribirArchivo(Rutas::Resolver(d + "/Estado.rsp"), "0");
    QDir(dirTrabajo).mkpath("termupg");
    EscribirArchivo(dirTrabajo + "/termupg/_Tarsa.end", "");

    EXPECT_TRUE(Desconectar());
    EXPECT_FALSE(gDB);
    EXPECT_EQ(LeerArchivo(base + ".bak"), LeerArchivo(base));
    EXPECT_FALSE(Rutas::Existe(d));
    EXPECT_FALSE(QFile::exists(dirTrabajo + "/termupg/_Tarsa.end"));
    EXPECT_EQ(sistema.terminaciones, QList<int>{0});
}

TEST_F(Conexion, ShutdownWithoutADatabaseReportsAndDoesNotEndTheProcess) {
    EXPECT_FALSE(Desconectar());
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Desconectar");
    EXPECT_TRUE(sistema.terminaciones.isEmpty());
}

TEST_F(Conexion, RunsOnOneWorkingDirectoryGetDifferentExchangeDirectories) {
    QSet<QString> nombres;
    for (int i = 0; i < 30; ++i) {
        const QString n = CrearDirectorioTerminal();
        EXPECT_FALSE(nombres.contains(n)) << n.toStdString();
        nombres.insert(n);
        const int numero = n.mid(4).toInt();
        EXPECT_TRUE(n.startsWith("term") && numero >= 1 && numero <= 999);
        EXPECT_TRUE(QDir(dirTrabajo + "/" + n).exists("upload") && QDir(dirTrabajo + "/" + n).exists("download"));
    }
    gQueloPath = Ruta("no-existe");
    EXPECT_THROW(CrearDirectorioTerminal(), TarsaError);
}
