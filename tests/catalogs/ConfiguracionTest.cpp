// The terminal configuration: the newer-file check, the import, the bitmaps and the start-up steps.
#include <QDir>
#include <QFile>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "platform/Ajustes.h"
#include "platform/Rutas.h"

namespace {

class ConfiguracionTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        gQueloPath = dirTrabajo;
        gTermDir = "term42";
        gFechaQueloPrm = gFechaQueloEmp = "01/01/1990";
    }
    // Copies a file of the test data into the working directory under its name there.
    void Poner(const char* dato, const char* nombre, const QDateTime& fecha = QDateTime::currentDateTime()) {
        const QString destino = Rutas::Unir(dirTrabajo, nombre);
        QFile::remove(destino);
        ASSERT_TRUE(QFile::copy(Rutas::Unir(TARSA_TEST_DATA_DIR, dato), destino));
        QFile f(destino);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(fecha, QFileDevice::FileModificationTime));
    }
    void PonerConfiguracion() {
        Poner("configuracion_Quelo.emp", "_Quelo.emp");
        Poner("configuracion_Quelo.prm", "_Quelo.prm");
    }
    // Start-up against a scratch application and working directory: the delivered database stays in
    // the application directory.
    void DesdeLaAplicacion() {
        gDB.reset();
        ReiniciarGlobales();
        gDirectorioAplicacion = dirAplicacion;
        Ajustes::Guardar(kAplicacion, kSeccionStart, "QUELO_Path", dirTrabajo);
    }
};

TEST_F(ConfiguracionTest, TheDirectoryIsThisRunsWorkingDirectory) {
    EXPECT_EQ(DirectorioConfiguracion(), dirTrabajo);
    gQueloPath = dirTrabajo + "/";
    EXPECT_EQ(DirectorioConfiguracion(), dirTrabajo);
    gTermDir.clear();
    gQueloPath = "/sin/directorio";
    EXPECT_EQ(DirectorioConfiguracion(), DirectorioTrabajoPredeterminado());
}

TEST_F(ConfiguracionTest, ANewerFileIsCountedInWholeDays) {
    const QDate hoy = QDate::currentDate();
    const struct {
        const char* caso;
        QString guardada;
        QDateTime delArchivo;
        bool nueva;
    } casos[] = {
        {"nunca importado", "01/01/1990", QDateTime(hoy, QTime(8, 0)), true},
        {"mismo dia, mas tarde", hoy.toString("dd/MM/yyyy"), QDateTime(hoy, QTime(23, 59)), false},
        {"dia siguiente, temprano", hoy.addDays(-1).toString("dd/MM/yyyy"), QDateTime(hoy, QTime(0, 1)), true},
        {"archivo mas viejo", hoy.toString("dd/MM/yyyy"), QDateTime(hoy.addDays(-3), QTime(12, 0)), false},
    };
    for (const auto& c : casos) {
        Poner("configuracion_Quelo.prm", "_Quelo.PRM", c.delArchivo);  // found whatever the letter case
        gFechaQueloPrm = c.guardada;
        QString fecha;
        EXPECT_EQ(HayConfiguracionNueva("prm", fecha), c.nueva) << c.caso;
        EXPECT_EQ(fecha, c.delArchivo.date().toString("dd/MM/yyyy")) << c.caso;
    }
    QString fecha = "sin cambio";
    EXPECT_FALSE(HayConfiguracionNueva("EMP", fecha));  // no _Quelo.emp
    EXPECT_EQ(fecha, "sin cambio");
}

TEST_F(ConfiguracionTest, ImportsCompaniesActivitiesProvidersAndTheirLinks) {
    PonerConfiguracion();
    clsEmpresas().Procesar(1, 50, "MANUAL", "50");
    ImportarConfiguracion(false);
    EXPECT_TRUE(mensajes.mostrados.isEmpty());

    const QString osde = "OSDE" + QString(26, ' ');
    EXPECT_EQ(Filas("SELECT IdEmpresa, Nombre, CodigoQuelo FROM Empresas ORDER BY IdEmpresa"),
              "3|" + osde + "|03\n12|OBRA 'SOCIAL' O'HIGGINS       |12");
    EXPECT_EQ(Filas("SELECT IdEmpresa, IdActividad, trim(Nombre), Tipo, CodigoQuelo FROM Actividades "
                    "ORDER BY IdEmpresa, IdActividad"),
              "3|1|FARMACIA|1|01\n3|5|PRESTACIONES|2|05\n12|8|SESIONES|3|08");
    EXPECT_EQ(Filas("SELECT Codigo, Nombre, Tipo, LicenciaQuelo, Matricula, CadenaSucursales FROM Prestadores "
                    "ORDER BY Codigo"),
              "12345678|12345678|0|12345678|0|0\n87654321|87654321|0|87654321|0|0");
    EXPECT_EQ(Filas("SELECT Codigo, IdEmpresa, IdActividad FROM PrestadorActividad ORDER BY 1, 2, 3"),
              "12345678|3|1\n12345678|3|5\n87654321|12|8");

    EXPECT_EQ(QList<qsizetype>(
                  {gColEmpresas.size(), gColEmpresasQuelo.size(), gColActividades.size(), gColPrestadores.size()}),
              QList<qsizetype>({2, 4, 3, 2}));  // the file as it is, company 99 included
    ASSERT_EQ(gColLicAct.size(), 3);
    EXPECT_EQ(gColLicAct[2].CodigoEmpQuelo + gColLicAct[2].CodigoActQuelo, "1208");
}

TEST_F(ConfiguracionTest, WithConfirmationItAsksAndTells) {
    PonerConfiguracion();
    mensajes.Responder(Mensajes::vbNo);
    ImportarConfiguracion(true);
    EXPECT_EQ(Contar("Empresas"), 0);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Configuración inicial");
    EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbYesNo | Mensajes::vbExclamation | Mensajes::vbDefaultButton2);
    EXPECT_TRUE(mensajes.mostrados[0].texto.startsWith("CUIDADO!!!\nEste proceso borrará"));

    mensajes.Responder(Mensajes::vbYes);
    ImportarConfiguracion(true);
    EXPECT_EQ(Contar("Empresas"), 2);
    ASSERT_EQ(mensajes.mostrados.size(), 3);
    EXPECT_EQ(mensajes.mostrados[2].titulo + ": " + mensajes.mostrados[2].texto,
              "Configuración: Se ha configurado Licencia; empresa y actividad");
}

TEST_F(ConfiguracionTest, ALicenceWithoutAProviderMakesNoLink) {
    PonerConfiguracion();
    CargarColEmpresas();
    clsEmpresas().PutAP(1, "03", "OSDE", "03");
    gColEmpresas = {{3, "OSDE", "03"}};
    gColActividades = {{3, 1, "FARMACIA", "1", "01"}};
    gColPrestadores = {{"P9", "OTRA", "01", "99999999", "0", false}};
    AsignarLicenciaActividad();
    EXPECT_EQ(Contar("PrestadorActividad"), 0);
    EXPECT_TRUE(gColLicAct.isEmpty());
}

TEST_F(ConfiguracionTest, TheFilesBitmapsReplaceTheTable) {
    clsBitmaps b;
    b.GrabarBitmap(false, "77", "01", 1, "SVL1", "1");
    QFile::remove(Rutas::Unir(dirTrabajo, "_Quelo.prm"));
    EXPECT_FALSE(b.GetBitmaps());  // no file: the table stays
    EXPECT_EQ(Contar("Bitmaps"), 1);

    PonerConfiguracion();
    EXPECT_TRUE(b.GetBitmaps());
    EXPECT_EQ(Filas("SELECT Empresa, Actividad, Operacion, Archivo, Parametro FROM Bitmaps"),
              "03|01|1|SVL1|1101100000\n03|01|1|SVL3|111\n12|08|2|SVL1|");

    b.Buscar({}, "03", "01", 4, "SVL3");
    EXPECT_EQ(b.Registros, 0);
    EXPECT_EQ(b.Parametro, "");
}

// A configuration file larger than it can be is refused whole, before anything is replaced; one
// exactly as large as allowed is read.
TEST_F(ConfiguracionTest, AFileLargerThanItCanBeIsRefusedWhole) {
    const QByteArray bitmaps = LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, "configuracion_Quelo.prm"));
    const QByteArray empresa = LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, "configuracion_Quelo.emp")).left(74);
    // A section header as long as asked: it fills the file without adding a bitmap.
    const auto Seccion = [](qint64 largo) { return "[" + QByteArray(largo - 1, ' '); };
    const qint64 resto = clsBitmaps::kLimiteArchivo - bitmaps.size();
    const int maximo = clsEmpresas::kMaximoRegistrosQuelo;
    const struct {
        const char* archivo;
        QByteArray contenido;
        qsizetype cuenta;  // bitmaps in the table, or companies in the list, afterwards; 1 when refused
    } casos[] = {
        {"_Quelo.prm", bitmaps + Seccion(resto), 3},
        {"_Quelo.prm", bitmaps + Seccion(resto + 1), 1},
        {"_Quelo.emp", empresa.repeated(maximo), maximo},
        {"_Quelo.emp", empresa.repeated(maximo + 1), 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.contenido.size());
        clsBitmaps().GrabarBitmap(true);
        clsBitmaps().GrabarBitmap(false, "77", "01", 1, "SVL1", "1");
        gColEmpresasQuelo = {{"00000000", "77", "ANTERIOR", "01", "FARMACIA"}};
        EscribirArchivo(Rutas::Unir(dirTrabajo, c.archivo), c.contenido);
        const bool prm = QByteArray(c.archivo).endsWith("prm");
        try {
            prm ? void(clsBitmaps().GetBitmaps()) : CargarColEmpresas();
        } catch (const TarsaError& e) {
            EXPECT_EQ(e.Numero, ErrAccesoRuta);
            EXPECT_TRUE(e.Descripcion.startsWith(QString::fromUtf8("El archivo de configuración ") + c.archivo +
                                                 QString::fromUtf8(" es más grande de lo que puede ser")))
                << e.Descripcion.toStdString();
        }
        EXPECT_EQ(prm ? Contar("Bitmaps") : gColEmpresasQuelo.size(), c.cuenta);
        QFile::remove(Rutas::Unir(dirTrabajo, c.archivo));
    }

    // The import itself stops before it deletes anything.
    PonerConfiguracion();
    ImportarConfiguracion(false);
    EscribirArchivo(Rutas::Unir(dirTrabajo, "_Quelo.emp"), empresa.repeated(maximo + 1));
    EXPECT_THROW(ImportarConfiguracion(false), TarsaError);
    EXPECT_EQ(Contar("Empresas") + Contar("Actividades"), 2 + 3);
}

TEST_F(ConfiguracionTest, StartUpLoadsTheCatalogsAndImportsWithoutAsking) {
    DesdeLaAplicacion();
    PonerConfiguracion();
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_TRUE(mensajes.mostrados.isEmpty()) << mensajes.mostrados.value(0).texto.toStdString();
    EXPECT_EQ(QList<qsizetype>({gColTipoPrestador.size(), gColTipoActividad.size(), gColEmpresas.size(),
                                gColActividades.size(), gColPrestadores.size(), gColLicAct.size()}),
              QList<qsizetype>({14, 4, 2, 3, 2, 3}));
    const QString hoy = QDate::currentDate().toString("dd/MM/yyyy");
    for (const char* clave : {"FechaQueloPrm", "FechaQueloEmp"})
        EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, clave), hoy);
    EXPECT_EQ(Contar("Bitmaps"), 3);  // a newer _Quelo.prm brings its bitmaps too

    // A company added by hand survives the next start: the files are no newer than their import.
    clsEmpresas().Procesar(1, 50, "MANUAL", "50");
    DesdeLaAplicacion();
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_EQ(gColEmpresas.size(), 3);
    EXPECT_EQ(gColLicAct.size(), 3);
}

TEST_F(ConfiguracionTest, AFailingStartUpStepIsReportedAndStartUpGoesOn) {
    DesdeLaAplicacion();
    {
        BaseDatos db;
        db.Abrir(Rutas::Unir(dirAplicacion, kBaseDatos));
        db.Ejecutar("DROP TABLE Actividades");
        db.Ejecutar("CREATE TABLE Actividades (Otra INTEGER)");  // there, but not as the program reads it
    }
    ASSERT_TRUE(IniciarAplicacion(""));
    ASSERT_GE(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Main");
    EXPECT_TRUE(mensajes.mostrados[0].texto.startsWith("clsActividades\nControl: 18\n"))
        << mensajes.mostrados[0].texto.toStdString();
    EXPECT_EQ(gColTipoPrestador.size(), 14);  // the steps before it were done
    EXPECT_EQ(gColTipoActividad.size(), 0);   // the rest of its own step was not
    EXPECT_TRUE(gNuevaTransaccion);
}

}  // namespace
