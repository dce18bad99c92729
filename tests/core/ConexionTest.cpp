// Opening, compacting, repairing and closing the local database; the run's exchange directory.
#include <SQLiteCpp/SQLiteCpp.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "TestConfig.h"
#include "core/modBaseLocal.h"
#include "core/modConexion.h"
#include "core/modTarsa.h"
#include "platform/BaseDatos.h"
#include "platform/BloqueoInstancia.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

// 3000 doctors with long names: enough pages for free ones to show, and for a write to spill.
const char* const kTresMilMedicos =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
    "INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre) SELECT 1, i, 'B1', "
    "printf('%0200d', i) FROM n";

class ConexionTest : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        base = Ruta("app/TarsaCliente.mdb");
        gQueloPath = dirTrabajo;
    }
    void CopiarEntregada(const QString& destino) {
        QFile::remove(destino);
        ASSERT_TRUE(QFile::copy(TARSA_BASE_ENTREGADA, destino));
        QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner);
    }
    // A database of this program holding one company, by which a test tells it from another.
    void BaseConEmpresa(const QString& destino, const QString& nombre) {
        CopiarEntregada(destino);
        SQLite::Database(destino.toStdString(), SQLite::OPEN_READWRITE)
            .exec("INSERT INTO Empresas (IdEmpresa, Nombre) VALUES (1, '" + nombre.toStdString() + "')");
    }
    // A database holding 3000 doctors, of which all but `quedan` are deleted again when huecos says
    // so, which leaves free pages; incremental says whether the file can give them back on its own.
    void BaseConHuecos(const QString& destino, bool incremental, int quedan, bool huecos = true) {
        CopiarEntregada(destino);
        SQLite::Database db(destino.toStdString(), SQLite::OPEN_READWRITE);
        if (!incremental) db.exec("PRAGMA auto_vacuum = NONE; VACUUM");
        db.exec(kTresMilMedicos);
        if (huecos) db.exec("DELETE FROM Medicos WHERE Matricula > " + std::to_string(quedan));
    }
    static QString Uno(const QString& sql) { return gDB->Consultar(sql)->Campo(0).toString(); }
    // The application directory emptied again, for the next case of a table.
    void Vaciar() {
        gDB.reset();
        QDir(dirAplicacion).removeRecursively();
        QDir().mkpath(dirAplicacion);
        mensajes.mostrados.clear();
    }
    // The contents of the one file set aside for a reason, beside the database, and its name.
    QPair<QByteArray, QString> Apartado(const QString& motivo) const {
        const QStringList r = QDir(dirAplicacion).entryList({"TarsaCliente-" + motivo + "-*.mdb"}, QDir::Files);
        EXPECT_EQ(r.size(), 1) << motivo.toStdString();
        return {r.size() == 1 ? LeerArchivo(Rutas::Unir(dirAplicacion, r[0])) : "(none)", r.value(0, "(none)")};
    }
    QString base;
};

// What an old program's database starts with: its engine's name from the fifth byte.
const QByteArray kJet = QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(4076, '\x07');

TEST_F(ConexionTest, AStaleTemporaryFileIsRemovedAndTheBackupBecomesTheMissingDatabase) {
    CopiarEntregada(base + ".bak");
    EscribirArchivo(base + ".tmp", "restos de una compactación interrumpida");
    ASSERT_TRUE(Conectar(base));
    EXPECT_TRUE(gDB->Abierta());
    EXPECT_FALSE(QFile::exists(base + ".tmp"));
    EXPECT_EQ(LeerArchivo(base + ".bak"), LeerArchivo(TARSA_BASE_ENTREGADA));  // restored by a copy: still there
}

TEST_F(ConexionTest, AFailedReplaceKeepsTheOldDatabaseIntact) {
    BaseConHuecos(base, true, 1);
    const QByteArray antes = LeerArchivo(base);
    Rutas::SimularFallaReemplazo(true);
    EXPECT_FALSE(Conectar(base));
    EXPECT_EQ(LeerArchivo(base), antes);
    EXPECT_FALSE(QFile::exists(base + ".tmp"));
    EXPECT_EQ(mensajes.Unico().titulo, "Conectar");
}

// Deleted rows leave free pages, which the start gives back; a file without any is already compact
// and stays exactly as it is. A file that cannot give them back on its own is rebuilt into one that can.
TEST_F(ConexionTest, TheStartCompactsOnlyAFileWithFreePages) {
    const struct {
        const char* caso;
        bool incremental, huecos;
        const char* modoDespues;  // PRAGMA auto_vacuum
    } casos[] = {
        {"con huecos", true, true, "2"},
        {"sin huecos", true, false, "2"},
        {"antigua con huecos", false, true, "2"},
        {"antigua sin huecos", false, false, "0"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Vaciar();
        BaseConHuecos(base, c.incremental, 10, c.huecos);
        const QByteArray antes = LeerArchivo(base);
        ASSERT_TRUE(Conectar(base));
        EXPECT_EQ(Uno("PRAGMA freelist_count") + " " + Uno("PRAGMA auto_vacuum"), QString("0 ") + c.modoDespues);
        EXPECT_EQ(Uno("SELECT COUNT(*) FROM Medicos"), c.huecos ? "10" : "3000");
        EXPECT_EQ(Uno("PRAGMA integrity_check"), "ok");
        gDB.reset();
        if (c.huecos)
            EXPECT_LT(QFile(base).size(), antes.size() / 4);
        else
            EXPECT_EQ(LeerArchivo(base), antes);
        EXPECT_FALSE(QFile::exists(base + ".tmp"));
    }
}

// A file that is not this program's database is damaged: "Sí" sets it aside and goes on with a sound
// backup, never touching the backup; without one the repair fails with nothing lost.
TEST_F(ConexionTest, AFileWithoutTheProgramsTablesIsDamagedAndTheBackupRescuesIt) {
    const struct {
        const char* caso;
        QByteArray contenido;  // "tablas": a database made by the engine with a table of its own
        bool respaldo, conectada;
        int respuesta;
    } casos[] = {
        {"vacío, sí", "", true, true, Mensajes::vbYes},
        {"vacío, no", "", true, false, Mensajes::vbNo},
        {"sin tablas, sí", "tablas", true, true, Mensajes::vbYes},
        {"sin tablas ni respaldo, sí", "tablas", false, false, Mensajes::vbYes},
        {"basura sin respaldo, sí", QByteArray(8192, 'z'), false, false, Mensajes::vbYes},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        Vaciar();
        if (c.contenido == "tablas")
            SQLite::Database(base.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE)
                .exec("CREATE TABLE Otra (x)");
        else
            EscribirArchivo(base, c.contenido);
        const QByteArray danada = LeerArchivo(base);
        if (c.respaldo) BaseConEmpresa(base + ".bak", "RESPALDO");
        const QByteArray respaldo = LeerArchivo(base + ".bak");
        mensajes.Responder(c.respuesta);
        ASSERT_EQ(Conectar(base), c.conectada);
        EXPECT_EQ(mensajes.mostrados[0].texto, "Reparar base de datos?");
        EXPECT_EQ(LeerArchivo(base + ".bak"), respaldo);
        const MensajeMostrado ultimo = mensajes.mostrados.last();
        if (c.conectada) {
            EXPECT_EQ(Uno("SELECT Nombre FROM Empresas"), "RESPALDO");
            const auto [apartada, nombre] = Apartado("averiada");
            EXPECT_EQ(apartada, danada);
            EXPECT_TRUE(ultimo.texto.contains(nombre));
        } else {
            EXPECT_EQ(LeerArchivo(base), danada);
        }
        if (!c.conectada && c.respuesta == Mensajes::vbYes)
            EXPECT_TRUE(ultimo.titulo == "ERROR" &&
                        ultimo.texto.startsWith("No se ha podido reparar la base de datos!\n30"))
                << ultimo.texto.toStdString();
    }
}

TEST_F(ConexionTest, AnAccessDatabaseIsKeptAndTheClientStartsWithoutIt) {
    for (const bool respaldo : {false, true}) {
        SCOPED_TRACE(respaldo ? "con respaldo" : "sin respaldo");
        Vaciar();
        gFechaQueloPrm = gFechaQueloEmp = "05/05/2025";
        EscribirArchivo(base, kJet);
        if (respaldo) BaseConEmpresa(base + ".bak", "RESPALDO");
        ASSERT_TRUE(Conectar(base));
        const auto [apartada, nombre] = Apartado("Access");
        EXPECT_EQ(apartada, kJet);
        ASSERT_EQ(mensajes.mostrados.size(), 1);  // told, never asked
        EXPECT_TRUE(mensajes.mostrados[0].texto.contains(nombre)) << mensajes.mostrados[0].texto.toStdString();
        EXPECT_EQ(Uno("SELECT Nombre FROM Empresas"), respaldo ? "RESPALDO" : "");
        // An empty database takes the terminal's configuration again at this start.
        EXPECT_EQ(gFechaQueloPrm + gFechaQueloEmp, respaldo ? "05/05/202505/05/2025" : "01/01/199001/01/1990");
    }
}

TEST_F(ConexionTest, AWriteInterruptedByACrashIsRolledBackWithoutARepair) {
    const QString viva = Ruta("viva.mdb");
    BaseConEmpresa(viva, "ANTES");
    {
        SQLite::Database db(viva.toStdString(), SQLite::OPEN_READWRITE);
        db.exec("PRAGMA cache_size = 1");
        SQLite::Transaction t(db);
        db.exec("UPDATE Empresas SET Nombre = 'A MEDIAS'");
        db.exec(kTresMilMedicos);
        // The files as a crash would leave them, the transaction neither committed nor rolled back.
        ASSERT_TRUE(QFile::exists(viva + "-journal"));
        ASSERT_TRUE(QFile::copy(viva, base));
        ASSERT_TRUE(QFile::copy(viva + "-journal", base + "-journal"));
    }
    ASSERT_TRUE(Conectar(base));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_EQ(Uno("SELECT Nombre FROM Empresas") + Uno("SELECT COUNT(*) FROM Medicos"), "ANTES0");
    EXPECT_FALSE(QFile::exists(base + "-journal"));
}

TEST_F(ConexionTest, TheBackupIsReplacedOnlyBySomethingAsSound) {
    BaseConEmpresa(base + ".bak", "RESPALDO");
    const QByteArray respaldo = LeerArchivo(base + ".bak");
    for (const QByteArray& peor : {QByteArray(), kJet, QByteArray(8192, 'z')}) {
        EscribirArchivo(base, peor);
        CopiarRespaldo(base);
        EXPECT_EQ(LeerArchivo(base + ".bak"), respaldo);
    }
    BaseConEmpresa(base, "NUEVA");
    CopiarRespaldo(base);
    EXPECT_EQ(LeerArchivo(base + ".bak"), LeerArchivo(base));
#ifndef Q_OS_WIN
    // A disk that fills up during the copy leaves the backup as it was.
    const QByteArray nueva = LeerArchivo(base);
    BaseConEmpresa(base, "OTRA");
    {
        const DiscoLleno lleno(QFileInfo(base).size() / 2);
        CopiarRespaldo(base);
    }
    EXPECT_EQ(LeerArchivo(base + ".bak"), nueva);
#endif
    EXPECT_EQ(QDir(dirAplicacion).entryList(QDir::Files).size(), 2);  // no temporary file left behind
}

TEST_F(ConexionTest, ShutdownBacksUpTheClosedDatabaseAndRemovesTheExchangeDirectory) {
    EXPECT_FALSE(Desconectar());  // nothing open: reported, the process goes on
    EXPECT_EQ(mensajes.Unico().titulo, "Desconectar");
    EXPECT_TRUE(sistema.terminaciones.isEmpty());

    CopiarEntregada(base);
    ASSERT_TRUE(ReservarDirectorioAplicacion());
    ASSERT_TRUE(Conectar(base));
    gDB->Ejecutar("INSERT INTO Empresas (IdEmpresa, Nombre) VALUES (3, \"IOMA\")");
    const QString d = Rutas::Resolver(Terminal());
    EscribirArchivo(d + "/upload/_SVL.0", "V250");
    QDir(dirTrabajo).mkpath("termupg");
    EscribirArchivo(dirTrabajo + "/termupg/_Tarsa.end", "");
    EXPECT_TRUE(Desconectar());
    EXPECT_FALSE(gDB);
    EXPECT_EQ(LeerArchivo(base + ".bak"), LeerArchivo(base));
    EXPECT_FALSE(Rutas::Existe(d));
    EXPECT_FALSE(QFile::exists(dirTrabajo + "/termupg/_Tarsa.end"));
    EXPECT_FALSE(QFile::exists(Rutas::Unir(dirAplicacion, "TarsaCliente.lck")));  // no lock left to take over
    EXPECT_EQ(sistema.terminaciones, QList<int>{0});
}

// The exit reads every page of the file before the backup only when the engine failed during the
// session: a damaged page nobody read is backed up as it is, one a query tripped over is not.
TEST_F(ConexionTest, TheExitChecksThePagesOnlyAfterTheEngineFailed) {
    for (const bool leerDanada : {false, true}) {
        SCOPED_TRACE(leerDanada);
        Vaciar();
        BaseConHuecos(base, true, 3000, false);
        ASSERT_TRUE(QFile::copy(base, base + ".bak"));
        const QByteArray respaldo = LeerArchivo(base + ".bak");
        {
            // A session after the backup wrote to the file.
            SQLite::Database db(base.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("UPDATE Medicos SET Baja = 0 WHERE rowid = 1");
        }
        {
            // The page header of a doctors' page in the middle of the file, overwritten.
            SQLite::Database db(base.toStdString(), SQLite::OPEN_READONLY);
            const int pagina = db.execAndGet("PRAGMA page_size").getInt();
            const int paginas = db.execAndGet("PRAGMA page_count").getInt();
            QFile f(base);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            f.seek(qint64(pagina) * (paginas / 2));
            f.write(QByteArray(16, '\xff'));
        }
        ASSERT_FALSE(BaseDatos::Intacta(base));
        ASSERT_TRUE(Conectar(base));
        if (leerDanada) EXPECT_THROW(Uno("SELECT SUM(LENGTH(ApellidoNombre)) FROM Medicos"), TarsaError);
        EXPECT_EQ(gDB->HuboFallas(), leerDanada);
        EXPECT_TRUE(Desconectar());
        EXPECT_EQ(LeerArchivo(base + ".bak") == respaldo, leerDanada);
        EXPECT_EQ(LeerArchivo(base + ".bak") == LeerArchivo(base), !leerDanada);
    }
}

// An exit copies the backup only after a session that wrote: a copy at every exit grows with the catalogs.
TEST_F(ConexionTest, AnExitAfterASessionThatWroteNothingLeavesTheBackupAsItWas) {
    const QDateTime antes(QDate(2020, 1, 1), QTime(0, 0));
    CopiarEntregada(base);
    int empresa = 0;
    for (const bool escribir : {true, false, true}) {
        SCOPED_TRACE(escribir);
        ASSERT_TRUE(Conectar(base));
        if (escribir)
            gDB->Ejecutar(QString("INSERT INTO Empresas (IdEmpresa, Nombre) VALUES (%1, 'X')").arg(++empresa));
        if (QFile f(base + ".bak"); f.open(QIODevice::Append)) f.setFileTime(antes, QFileDevice::FileModificationTime);
        EXPECT_TRUE(Desconectar());
        EXPECT_EQ(LeerArchivo(base + ".bak"), LeerArchivo(base));
        EXPECT_EQ(QFileInfo(base + ".bak").lastModified() == antes, !escribir);
    }
}

// One client per application directory; a lock file this computer cannot judge refuses the start
// with what is wrong and what to do, never with "already running here".
TEST_F(ConexionTest, OneClientPerApplicationDirectoryAndALockThatIsNotThisComputersSaysWhatIsWrong) {
    const QString archivo = Rutas::Unir(dirAplicacion, "TarsaCliente.lck");
    const QString aqui = "ya se está ejecutando";
    BloqueoInstancia otro(archivo);
    const struct {
        const char* caso;
        std::function<void()> poner;
        QString dice;
    } casos[] = {
        {"another computer", [&] { EscribirArchivo(archivo, "4321\nTarsaCliente\ncaja-2\n"); }, "\"caja-2\""},
        {"a directory", [&] { QDir().mkpath(archivo); }, "hay un directorio"},
        {"another run here", [&] { ASSERT_TRUE(otro.Tomar()); }, aqui},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(archivo).removeRecursively();
        QFile::remove(archivo);
        mensajes.mostrados.clear();
        c.poner();
        EXPECT_FALSE(ReservarDirectorioAplicacion());
        const auto m = mensajes.Unico();
        EXPECT_TRUE(m.texto.contains(c.dice)) << m.texto.toStdString();
        EXPECT_EQ(m.texto.contains(aqui), c.dice == aqui);
        if (c.dice != aqui) EXPECT_TRUE(m.texto.contains(QDir::toNativeSeparators(archivo))) << m.texto.toStdString();
    }
    otro.Soltar();
    EXPECT_TRUE(ReservarDirectorioAplicacion());
    LiberarDirectorioAplicacion();
}

// A database from before text keys ignored case and doctors were per company gets the new tables, rows
// and indexes on connecting: a lower-case code is found, another company may hold the same doctor.
TEST_F(ConexionTest, AnEarlierDatabaseIsBroughtToTheSchemaAndFindsCodesInAnyCase) {
    QFile esquema(":/schema.sql");  // the schema the program carries
    ASSERT_TRUE(esquema.open(QIODevice::ReadOnly));
    BaseDatos::Crear(base, QString::fromUtf8(esquema.readAll())
                               .remove(" COLLATE NOCASE")
                               .replace("PRIMARY KEY (IdEmpresa, Matricula, TipoMatricula)",
                                        "PRIMARY KEY (Matricula, TipoMatricula)"));
    SQLite::Database(base.toStdString(), SQLite::OPEN_READWRITE)
        .exec(
            "INSERT INTO Diagnosticos (IdEmpresa, Codigo, Nombre) VALUES (1, 'J45.0', 'ASMA'), "
            "(1, 'j45.0', 'DUPLICADO'); INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, "
            "ApellidoNombre) VALUES (1, 7, 'B1', 'PEREZ')");
    ASSERT_TRUE(Conectar(base));
    EXPECT_EQ(Uno("SELECT Nombre FROM Diagnosticos WHERE Codigo = \"j45.0\""), "ASMA");  // the first of the two stays
    EXPECT_EQ(Uno("SELECT COUNT(*) FROM Diagnosticos"), "1");
    EXPECT_EQ(Uno("SELECT ApellidoNombre FROM Medicos WHERE TipoMatricula = 'b1'"), "PEREZ");
    EXPECT_EQ(gDB->Ejecutar("INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula) VALUES (2, 7, 'B1')"), 1);
    EXPECT_EQ(Uno("SELECT group_concat(name) FROM sqlite_master WHERE name IN ('ixDiagnosticosNombre') OR name LIKE "
                  "'%_anterior'"),
              "ixDiagnosticosNombre");
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_TRUE(ActualizarEsquema(*gDB).isEmpty());  // once brought up, nothing more to do
}
