// The run's exchange directory in a working directory shared with the terminal and other runs:
// removed without following links, left-overs of crashed runs cleaned, no requests without one.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <memory>

#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/frmProcesando.h"
#include "platform/MarcaPropietario.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {
class DirectorioTerminalTest : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        gQueloPath = dirTrabajo;
    }
    void TearDown() override {
        for (auto& p : duenos_) p->kill(), p->waitForFinished();
        Entorno::TearDown();
    }
    QString Term(const QString& nombre) {
        QDir(dirTrabajo).mkpath(nombre + "/upload");
        QDir(dirTrabajo).mkpath(nombre + "/download");
        return dirTrabajo + "/" + nombre;
    }
    // Another run of the program holding the mark of the directory, as a separate process.
    QProcess& Dueno(const QString& dir) {
        auto p = std::make_unique<QProcess>();
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert("TARSA_RETENER_MARCA", dir);
        p->setProcessEnvironment(entorno);
        p->start(QCoreApplication::applicationFilePath(), {});
        EXPECT_TRUE(p->waitForReadyRead(30000));
        EXPECT_EQ(p->readLine().trimmed(), "tomada");
        duenos_.push_back(std::move(p));
        return *duenos_.back();
    }
    // Untouched for three days, with its subdirectories if it has them.
    static void Envejecer(const QString& dir) {
        for (const char* sub : {"/upload", "/download", "/tarsa.lck", ""}) {
#ifdef Q_OS_WIN
            // MinGW's library sets the time of files only: a directory is opened as one here.
            HANDLE h = CreateFileW(Rutas::Nativa(dir + sub).c_str(), FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (h == INVALID_HANDLE_VALUE) continue;  // no such subdirectory
            FILETIME ahora;
            GetSystemTimeAsFileTime(&ahora);
            ULARGE_INTEGER t{{ ahora.dwLowDateTime, ahora.dwHighDateTime }};
            t.QuadPart -= 72ULL * 3600 * 10'000'000;  // in 100 ns steps
            const FILETIME antes{t.LowPart, t.HighPart};
            SetFileTime(h, nullptr, nullptr, &antes);
            CloseHandle(h);
#else
            const auto antes = std::filesystem::file_time_type::clock::now() - std::chrono::hours(72);
            std::error_code sinSubdirectorio;
            std::filesystem::last_write_time(Rutas::Nativa(dir + sub), antes, sinSubdirectorio);
#endif
        }
    }
    std::vector<std::unique_ptr<QProcess>> duenos_;
};
}  // namespace

TEST_F(DirectorioTerminalTest, OnlyDirectoriesWithNoLivingOwnerAreRemovedAtStartUp) {
    QProcess& vivo = Dueno(Term("term1"));
    QProcess& caido = Dueno(Term("term2"));
    caido.kill();
    caido.waitForFinished();
    // Windows may close a killed process's files a moment after it reports the process ended; until
    // then its mark cannot be removed, and the directory is rightly kept for the next start.
    QFile marca(dirTrabajo + "/term2/tarsa.lck");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const bool libre = marca.open(QIODevice::ReadWrite);
        marca.close();
        return libre;
    }));
    Term("term3");             // no mark, in use recently: kept
    Envejecer(Term("term4"));  // no mark, untouched for days: abandoned
    QDir().mkpath(Term("term6") + "/tarsa.lck");
    Envejecer(dirTrabajo + "/term6");  // a directory in the mark's place marks nothing
    Envejecer(Term("term7"));
    EscribirArchivo(dirTrabajo + "/term7/tarsa.lck", "");  // a mark that never named its run
    Envejecer(Term("termupg"));                            // not an exchange directory
    Envejecer(Term("term1000"));                           // not a name a run takes
    QDir().mkpath(Ruta("afuera"));
    EscribirArchivo(Ruta("afuera/TarsaCliente.mdb"), "BASE");
    const bool enlace = EnlacesPosibles();  // a link in place of an exchange directory is kept
    if (enlace) ASSERT_TRUE(CrearEnlace(Ruta("afuera"), dirTrabajo + "/term5"));

    gTermDir = CrearDirectorioTerminal();
    const QStringList quedan = QDir(dirTrabajo).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const char* n : {"term1", "term3", "term5", "termupg", "term1000"})
        EXPECT_TRUE(quedan.contains(n) || (QString(n) == "term5" && !enlace)) << n;
    for (const char* n : {"term2", "term4", "term6", "term7"}) EXPECT_FALSE(quedan.contains(n)) << n;
    EXPECT_EQ(LeerArchivo(Ruta("afuera/TarsaCliente.mdb")), "BASE");
    // This run's own directory is marked: a second run sees it in use.
    EXPECT_TRUE(MarcaPropietario::Existe(DirectorioIntercambio()));
    EXPECT_FALSE(MarcaPropietario().Tomar(DirectorioIntercambio()));

    vivo.kill();
    vivo.waitForFinished();
    EXPECT_EQ(BorrarDirectoriosAbandonados(), 1);  // term1, now that its run is gone
    EXPECT_TRUE(QFileInfo::exists(DirectorioIntercambio()));
}

TEST_F(DirectorioTerminalTest, ShutdownNeverDeletesThroughALinkInThePlaceOfTheExchangeDirectory) {
    if (!EnlacesPosibles()) GTEST_SKIP() << kSinEnlaces;
    const QString base = dirAplicacion + "/TarsaCliente.mdb";
    AbrirBaseEntregada();
    gTermDir = "term42";
    ASSERT_TRUE(CrearEnlace(dirAplicacion, dirTrabajo + "/term42"));
    EXPECT_TRUE(Desconectar());
    EXPECT_TRUE(QFile::exists(base) && QFile::exists(base + ".bak"));  // the linked directory's files all kept
    EXPECT_FALSE(SinEnlaces::EsEnlace(dirTrabajo + "/term42"));
}

TEST_F(DirectorioTerminalTest, WithoutAnExchangeDirectoryNoRequestIsWritten) {
    QDir(dirTrabajo).mkpath("UpLoad");
    QDir(dirTrabajo).mkpath("TX");
    gTermDir.clear();
    const auto e = ErrorDe([] { DirectorioIntercambio(); });
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->Descripcion.contains("no se pueden enviar pedidos")) << e->Descripcion.toStdString();
    EXPECT_THROW(EnviarSolicitud("02", "5", "LIC"), TarsaError);
    EXPECT_TRUE(QDir(dirTrabajo + "/UpLoad").isEmpty());
    EXPECT_TRUE(QDir(dirTrabajo + "/TX").isEmpty());
}

TEST_F(DirectorioTerminalTest, EachRunGetsAFreeNameEvenWhenCrashedRunsLeftThemAll) {
    for (int n = 1; n <= 999; ++n) {
        QDir(dirTrabajo).mkdir("term" + QString::number(n));
        Envejecer(dirTrabajo + "/term" + QString::number(n));
    }
    gTermDir = CrearDirectorioTerminal();
    EXPECT_EQ(QDir(dirTrabajo).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{gTermDir});
    QSet<QString> nombres{gTermDir};
    for (int i = 0; i < 30; ++i) {
        const QString n = CrearDirectorioTerminal();
        EXPECT_FALSE(nombres.contains(n)) << n.toStdString();
        nombres.insert(n);
        EXPECT_TRUE(n.startsWith("term") && n.mid(4).toInt() >= 1 && n.mid(4).toInt() <= 999) << n.toStdString();
        EXPECT_TRUE(QDir(dirTrabajo + "/" + n + "/upload").exists() &&
                    QDir(dirTrabajo + "/" + n + "/download").exists());
    }
    gQueloPath = Ruta("no-existe");
    EXPECT_THROW(CrearDirectorioTerminal(), TarsaError);
}
