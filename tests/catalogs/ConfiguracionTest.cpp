// The terminal configuration: the newer-file check, the import, the bitmaps and the start-up steps.
#include <SQLiteCpp/SQLiteCpp.h>

#include <QDir>
#include <QFile>
#include <optional>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modTarsa.h"
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

TEST_F(ConfiguracionTest, ImportsCompaniesActivitiesProvidersAndLinksAndRewritesThemOnlyWhenChanged) {
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

    // The same configuration again, at an import or at a start, writes nothing.
    const int cambios = gDB->Nativa().getTotalChanges();
    ImportarConfiguracion(false);
    AsignarLicenciaActividad();
    EXPECT_EQ(gDB->Nativa().getTotalChanges(), cambios);
    EXPECT_EQ(gColLicAct.size(), 3);

    // One name changed in the file: the import replaces the tables again.
    QByteArray emp = LeerArchivo(Rutas::Unir(dirTrabajo, "_Quelo.emp"));
    EscribirArchivo(Rutas::Unir(dirTrabajo, "_Quelo.emp"), emp.replace("SESIONES", "TERAPIAS"));
    ImportarConfiguracion(false);
    EXPECT_EQ(Valor("SELECT trim(Nombre) FROM Actividades WHERE IdActividad = 8").toString(), "TERAPIAS");
    EXPECT_EQ(Contar("PrestadorActividad"), 3);
    // A link lost by hand is put back.
    gDB->Ejecutar("DELETE FROM PrestadorActividad WHERE IdActividad = 8");
    AsignarLicenciaActividad();
    EXPECT_EQ(Contar("PrestadorActividad"), 3);
}

TEST_F(ConfiguracionTest, WithConfirmationItAsksAndNoImportsNothing) {
    PonerConfiguracion();
    mensajes.Responder(Mensajes::vbNo);
    ImportarConfiguracion(true);
    EXPECT_EQ(Contar("Empresas"), 0);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].titulo, "Configuración inicial");
    EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbYesNo | Mensajes::vbExclamation | Mensajes::vbDefaultButton2);
    EXPECT_TRUE(mensajes.mostrados[0].texto.startsWith("CUIDADO!!!\nEste proceso borrará"));
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

// A file larger than allowed is refused whole before anything is replaced; one exactly that large is read.
TEST_F(ConfiguracionTest, AFileLargerThanItCanBeIsRefusedWhole) {
    const QByteArray bitmaps = LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, "configuracion_Quelo.prm"));
    const QByteArray empresa = LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, "configuracion_Quelo.emp")).left(74);
    // A section header as long as asked: it fills the file without adding a bitmap.
    const auto Seccion = [](qint64 largo) { return "[" + QByteArray(largo - 3, ' ') + "\r\n"; };
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
        if (const auto e = ErrorDe([&] { prm ? void(clsBitmaps().GetBitmaps()) : CargarColEmpresas(); })) {
            EXPECT_EQ(e->Numero, ErrAccesoRuta);
            EXPECT_TRUE(e->Descripcion.startsWith(
                QString("El archivo de configuración %1 es más grande de lo que puede ser").arg(c.archivo)))
                << e->Descripcion.toStdString();
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

// A file not made of whole valid records (empty, cut mid-rewrite, foreign bytes, missing, a directory)
// is refused whole, named in the message, and every configuration table stays as it was.
TEST_F(ConfiguracionTest, ABadConfigurationFileIsRefusedWhole) {
    PonerConfiguracion();
    ImportarConfiguracion(false);
    clsBitmaps().GetBitmaps();
    const QString tablas =
        "SELECT (SELECT COUNT(*) FROM Empresas), (SELECT COUNT(*) FROM Actividades), "
        "(SELECT COUNT(*) FROM Prestadores), (SELECT COUNT(*) FROM PrestadorActividad), "
        "(SELECT COUNT(*) FROM Bitmaps)";
    ASSERT_EQ(Filas(tablas), "2|3|2|3|3");
    const QByteArray emp = LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, "configuracion_Quelo.emp"));
    const QByteArray prm = LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, "configuracion_Quelo.prm"));
    QByteArray basura;
    for (int i = 0; i < 74 * 20; ++i) basura += char((i * 131 + 7) % 256);
    const struct {
        const char* archivo;
        std::optional<QByteArray> contenido;  // nothing: a directory of that name
        const char* motivo;
    } casos[] = {
        {"_Quelo.emp", QByteArray(), "_Quelo.emp está vacío"},
        {"_Quelo.emp", emp.left(emp.size() - 30), "_Quelo.emp termina en un registro incompleto (266 bytes; cada "},
        {"_Quelo.emp", basura, "_Quelo.emp tiene un registro que no es válido (el 1: "},
        {"_Quelo.emp", QByteArray(emp).replace(8, 2, "X3"), "el código de empresa \"X3\" no es un número"},
        {"_Quelo.emp", std::nullopt, "no es un archivo que se pueda leer"},
        {"_Quelo.prm", QByteArray(), "_Quelo.prm está vacío"},
        {"_Quelo.prm", prm.left(prm.size() - 2), "_Quelo.prm termina en una línea incompleta"},
        {"_Quelo.prm", "[Seccion]\r\n", "_Quelo.prm no tiene ningún bitmap"},
        {"_Quelo.prm", basura + "\r\n", "_Quelo.prm tiene una línea que no es válida (la 1: "},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.motivo);
        const QString ruta = Rutas::Unir(dirTrabajo, c.archivo);
        QFile::remove(ruta);
        if (c.contenido)
            EscribirArchivo(ruta, *c.contenido);
        else
            ASSERT_TRUE(QDir().mkpath(ruta));
        const auto e = ErrorDe([&] {
            QByteArray(c.archivo).endsWith("prm") ? void(clsBitmaps().GetBitmaps()) : ImportarConfiguracion(false);
        });
        const QString dicho = e ? e->Descripcion : "accepted";
        EXPECT_TRUE(dicho.startsWith("El archivo de configuración de la terminal ") && dicho.contains(c.motivo) &&
                    dicho.contains("la configuración quedó como estaba"))
            << dicho.toStdString();
        EXPECT_EQ(Filas(tablas), "2|3|2|3|3");
        QDir(ruta).removeRecursively();
        QFile::remove(ruta);
    }
    // Without _Quelo.emp there is nothing to import.
    EXPECT_THROW(ImportarConfiguracion(false), TarsaError);
    EXPECT_EQ(Filas(tablas), "2|3|2|3|3");

    // A last record without its line end is whole.
    EscribirArchivo(Rutas::Unir(dirTrabajo, "_Quelo.emp"), emp.left(emp.size() - 2));
    ImportarConfiguracion(false);
    EXPECT_EQ(gColEmpresasQuelo.size(), 4);
}

// Start-up imports a newer configuration without asking. A refused file is reported once, keeps the
// configuration and leaves its date unstored, so that the next start reads it again.
TEST_F(ConfiguracionTest, StartUpImportsWithoutAskingAndRefusesABadFileOnce) {
    DesdeLaAplicacion();
    PonerConfiguracion();
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_TRUE(mensajes.mostrados.isEmpty()) << mensajes.mostrados.value(0).texto.toStdString();
    EXPECT_EQ(QList<qsizetype>({gColTipoPrestador.size(), gColTipoActividad.size(), gColEmpresas.size(),
                                gColActividades.size(), gColPrestadores.size(), gColLicAct.size()}),
              QList<qsizetype>({14, 4, 2, 3, 2, 3}));
    EXPECT_EQ(Contar("Bitmaps"), 3);  // a newer _Quelo.prm brings its bitmaps too

    const QDate ayer = QDate::currentDate().addDays(-1);
    for (const char* clave : {"FechaQueloPrm", "FechaQueloEmp"})
        Ajustes::Guardar(kAplicacion, kSeccionStart, clave, ayer.toString("dd/MM/yyyy"));
    EscribirArchivo(Rutas::Unir(dirTrabajo, "_Quelo.emp"), QByteArray(100, 'x'));  // the terminal is rewriting it

    DesdeLaAplicacion();
    ASSERT_TRUE(IniciarAplicacion(""));
    const MensajeMostrado m = mensajes.Unico();
    EXPECT_TRUE((m.titulo + "|" + m.texto).startsWith("Main|clsEmpresas\nControl: 18\n")) << m.texto.toStdString();
    EXPECT_EQ(
        QList<qsizetype>({gColEmpresas.size(), gColActividades.size(), gColPrestadores.size(), gColLicAct.size()}),
        QList<qsizetype>({2, 3, 2, 3}));
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "FechaQueloEmp"), ayer.toString("dd/MM/yyyy"));
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "FechaQueloPrm"), ayer.toString("dd/MM/yyyy"));

    Poner("configuracion_Quelo.emp", "_Quelo.emp");
    DesdeLaAplicacion();
    mensajes.mostrados.clear();
    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "FechaQueloEmp"),
              QDate::currentDate().toString("dd/MM/yyyy"));
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
    const QString m = mensajes.mostrados.value(0).titulo + "|" + mensajes.mostrados.value(0).texto;
    EXPECT_TRUE(m.startsWith("Main|clsActividades\nControl: 18\n")) << m.toStdString();
    EXPECT_EQ(gColTipoPrestador.size(), 14);  // the steps before it were done
    EXPECT_EQ(gColTipoActividad.size(), 0);   // the rest of its own step was not
    EXPECT_TRUE(gNuevaTransaccion);
}

}  // namespace
