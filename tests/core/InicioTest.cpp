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
    // Off-words (VerMenuLicencias) turn off only with False/Falso, on-words (VerTicket) turn on only
    // with True/Verdadero, the converted ones (ActualizaMedicos) take numbers or the words. Every text
    // key has a value of its own, so that a key read under another name shows.
    Ajuste("QUELO_Path", dirTrabajo);
    const QString ajustes =
        "VerMenuLicencias=0;VerTicket=1;ImprimirTicket=verdadero;VerBotonesConsulta=FALSO;VerBotonesDevolucion=si;"
        "ActualizaMedicos=-1;ActualizaMedicamentos=True;VerListaErrores=FALSE;PantallaReducida=TRUE;"
        "VerBotonesVerificar=x;LicenciaMatricula=Verdadero;SugerirCierres=1;ActualizaDiagnosticos=1;Empresa=;"
        "Actividad=05;Terminal=T1;TipoPrescripcion=3;CambioPrescripcion=1;FechaQueloPrm=02/02/2020;"
        "FechaQueloEmp=03/03/2021";
    for (const QString& a : ajustes.split(';')) Ajuste(a.section('=', 0, 0), a.section('=', 1));
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

// A working directory not there yet is no failure: the run starts without an exchange directory.
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
    const auto m = mensajes.Unico();  // no step after the connection reports anything
    EXPECT_EQ(m.titulo + "|" + m.texto,
              "Conectar|No existe Base de datos \n" + QDir::toNativeSeparators(Ruta("app/TarsaCliente.mdb")));
    EXPECT_FALSE(gNuevaTransaccion);  // skipped with the catalogs and the main window
}
