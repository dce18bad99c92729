// Start-up: the settings, their reading rules and the command line.
#include <QDir>
#include <QFile>

#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/BaseDatos.h"
#include "platform/Rutas.h"
#include "support/Entorno.h"

class InicioTest : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        AbrirBaseEntregada();
        gDB.reset();  // for the start-up to open
    }
    void Ajuste(const QString& clave, const QString& valor) { Ajustes::Guardar(kAplicacion, "Start", clave, valor); }
};

TEST_F(InicioTest, DefaultsWithNoSettingsAtAll) {
    Ajuste("QUELO_Path", dirTrabajo);  // the default "C:\Estandar" does not exist here
    Ajustes::Borrar(kAplicacion, "Start", "QUELO_Path");
    RegistroAjustes::Leer(Ajuste::QUELO_Path);  // read before the home moves: the default follows the home
    if (!PredeterminadoEnTrabajo()) GTEST_SKIP() << kSinPredeterminado;
    EXPECT_TRUE(IniciarAplicacion(""));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_EQ(gQueloPath, DirectorioTrabajoPredeterminado());
    EXPECT_TRUE(QDir(Rutas::Resolver(DirectorioIntercambio())).exists("upload"));
    EXPECT_EQ(QStringList({gEmpresa, gActividad, gVersion, gFechaQueloPrm, gFechaQueloEmp}),
              QStringList({"0", "02", "V250", "01/01/1990", "01/01/1990"}));
    EXPECT_EQ(
        QList<bool>({gVerTicket, gVerListaErrores, gVerMenuLicencias, gNuevaTransaccion, gImprimirTicket,
                     gPantallaReducida, gVerBotonesVerificar, gVerBotonesConsulta, gVerBotonesDevolucion,
                     gLicenciaMatricula, gSugerirCierres, gActualizaMedicos, gActualizaMedicamentos,
                     gActualizaDiagnosticos}),
        QList<bool>({true, true, true, true, false, false, false, false, false, false, false, false, false, false}));
    ASSERT_TRUE(gDB && gDB->Abierta());
}

TEST_F(InicioTest, StoredBooleanTextsFollowTheirKeysRule) {
    Ajuste("QUELO_Path", dirTrabajo);
    Ajuste("VerMenuLicencias", "0");  // off-words: only False/Falso turn it off
    Ajuste("VerTicket", "1");         // on-words: only True/Verdadero turn it on
    Ajuste("ImprimirTicket", "verdadero");
    Ajuste("VerBotonesConsulta", "FALSO");
    Ajuste("VerBotonesDevolucion", "si");
    Ajuste("ActualizaMedicos", "-1");  // converted: numbers or the words
    Ajuste("ActualizaMedicamentos", "True");
    Ajuste("VerListaErrores", "FALSE");
    Ajuste("PantallaReducida", "TRUE");
    Ajuste("VerBotonesVerificar", "x");
    Ajuste("LicenciaMatricula", "Verdadero");
    Ajuste("SugerirCierres", "1");
    Ajuste("ActualizaDiagnosticos", "1");
    Ajuste("Empresa", "");
    // Every other key with a value of its own, so that a key read under another name shows.
    const QStringList textos = {"Actividad",        "05",         "Terminal",           "T1",
                                "TipoPrescripcion", "3",          "CambioPrescripcion", "1",
                                "FechaQueloPrm",    "02/02/2020", "FechaQueloEmp",      "03/03/2021"};
    for (int i = 0; i < textos.size(); i += 2) Ajuste(textos[i], textos[i + 1]);
    IniciarAplicacion("");
    EXPECT_EQ(QList<bool>({gVerMenuLicencias, gVerTicket, gImprimirTicket, gVerBotonesConsulta, gVerBotonesDevolucion,
                           gActualizaMedicos, gActualizaMedicamentos, gVerListaErrores, gPantallaReducida,
                           gVerBotonesVerificar, gLicenciaMatricula, gSugerirCierres, gActualizaDiagnosticos}),
              QList<bool>({true, false, true, false, true, true, true, false, true, true, true, true, true}));
    EXPECT_EQ(
        QStringList({gActividad, gTerminal, gTipoPrescripcion, gCambioPrescripcion, gFechaQueloPrm, gFechaQueloEmp}),
        QStringList({"05", "T1", "3", "1", "02/02/2020", "03/03/2021"}));
    EXPECT_EQ(gEmpresa, "0");
    EXPECT_FALSE(ConvertirBooleano(" 0 "));
}

// A working directory that does not exist yet is no failure: the run starts without an exchange
// directory, and the main window asks for the directory.
TEST_F(InicioTest, FailedStepsAreReportedWithTheirMarkersAndStartUpGoesOn) {
    Ajuste("QUELO_Path", Ruta("no-existe"));
    Ajuste("ActualizaDiagnosticos", "quizas");
    EXPECT_TRUE(IniciarAplicacion(""));
    EXPECT_EQ(gQueloPath, Ruta("no-existe"));
    EXPECT_EQ(gTermDir, "");
    EXPECT_EQ(mensajes.Unico(),
              (MensajeMostrado{"TarsaCliente\nControl: 14i\nNo coinciden los tipos", Mensajes::vbCritical, "Main"}));
    EXPECT_FALSE(gActualizaDiagnosticos);
    EXPECT_EQ(gFechaQueloEmp, "01/01/1990");  // later steps still ran
}

TEST_F(InicioTest, CommandLineSelectsTheProtocolVersion) {
    const QList<QPair<QString, QString>> casos = {
        {"  /v101  ", "V101"}, {"-V101", "V101"}, {"/V250", "V250"}, {"V101", "V250"}, {"", "V250"}};
    for (const auto& [linea, version] : casos) EXPECT_EQ(VersionDeLineaComandos(linea), version) << linea.toStdString();
}

TEST_F(InicioTest, WithoutADatabaseNorItsBackupNoCatalogIsLoaded) {
    Ajuste("QUELO_Path", dirTrabajo);
    QFile::remove(Ruta("app/TarsaCliente.mdb"));
    EXPECT_FALSE(IniciarAplicacion(""));
    ASSERT_EQ(mensajes.mostrados.size(), 1);  // no step after the connection reports anything
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Conectar");
    EXPECT_EQ(mensajes.mostrados[0].texto,
              "No existe Base de datos \n" + QDir::toNativeSeparators(Ruta("app/TarsaCliente.mdb")));
    EXPECT_FALSE(gNuevaTransaccion);  // skipped with the catalogs and the main window
}
