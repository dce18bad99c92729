// The demo installation that tarsa-demo prepares: what a newcomer needs to run a consumption
// ticket against the terminal simulator as soon as the client starts.
#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include "TestConfig.h"
#include "app/frmTarsa.h"
#include "catalogs/ConBase.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/Ansi.h"

namespace {

class DemoTest : public ConBase {
protected:
    void SetUp() override { Entorno::SetUp(); }  // the demo brings its own database
    // Runs tarsa-demo on the test's directory: its Estandar, app and ajustes.ini are this test's.
    QString Preparar() {
        QProcess demo;
        demo.start(TARSA_DEMO_EXE, {tmp.path()});
        EXPECT_TRUE(demo.waitForFinished(60000)) << "tarsa-demo did not end";
        EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
        return QString::fromUtf8(demo.readAllStandardOutput());
    }
    // Every file of the demo with its date and content, and every row of the catalog tables.
    QStringList Estado() {
        QStringList estado;
        for (QDirIterator it(tmp.path(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QFileInfo f(it.next());
            if (f.suffix() == "mdb") continue;  // compared by its rows below
            estado << f.filePath() + " " + f.lastModified().toString(Qt::ISODateWithMs) + " " +
                          QString::fromLatin1(LeerArchivo(f.filePath()).toHex());
        }
        gDB = std::make_unique<BaseDatos>();
        gDB->Abrir(dirAplicacion + "/TarsaCliente.mdb");
        for (const char* tabla : {"Medicamentos", "Medicos", "Diagnosticos", "Planes", "Bitmaps", "Empresas"})
            estado << Filas(QString("SELECT * FROM ") + tabla);
        gDB.reset();
        return estado;
    }
};

}  // namespace

// The configuration files are in the terminal's own form, and the client's start-up imports them. Their
// layouts are checked by use: the walkthrough below runs a consumption against the simulator with them.
TEST_F(DemoTest, StartUpImportsTheConfigurationAndOffersAConsumptionTicket) {
    Preparar();
    const QByteArray emp = LeerArchivo(dirTrabajo + "/_Quelo.emp");
    EXPECT_TRUE(emp.contains(Ansi::Codificar("FARMACIA ONCOLÓGICA"))) << "names in Windows-1252";
    EXPECT_EQ(emp.mid(4 * 74 + 8, 2), "99");  // the catalogs' own company, last
    EXPECT_TRUE(LeerArchivo(dirTrabajo + "/_Quelo.prm").startsWith("[Bitmaps]\r\n"));
    EXPECT_TRUE(QDir(dirTrabajo + "/TX").exists());

    ASSERT_TRUE(IniciarAplicacion(""));
    EXPECT_TRUE(mensajes.mostrados.isEmpty()) << mensajes.mostrados.value(0).texto.toStdString();
    EXPECT_EQ(gQueloPath, QDir::toNativeSeparators(dirTrabajo));
    EXPECT_EQ(QStringList({gEmpresa, gActividad, gTerminal}), QStringList({"11", "1", "20451877"}));
    EXPECT_TRUE(gImprimirTicket && gVerBotonesVerificar && gVerBotonesConsulta && gVerBotonesDevolucion);
    // The import ran and remembered the files' dates, so the next start does not repeat it.
    EXPECT_NE(Ajustes::Obtener(kAplicacion, "Start", "FechaQueloEmp", "01/01/1990"), "01/01/1990");
    EXPECT_EQ(gColEmpresas.size(), 3);
    EXPECT_EQ(gColActividades.size(), 4);

    frmTarsa ventana;
    ventana.Cargar();
    EXPECT_EQ(QStringList({gCodigoEmpresa, gCodigoActividad, gTipoActividad}), QStringList({"11", "01", "1"}));
    // Consumption, query, cancellation, return, check, deferred and the journal are offered; every
    // operation opens a form with fields to fill: its bitmap sets more than position 1.
    for (const auto& [boton, operacion] : {std::pair{1, 1}, {2, 4}, {3, 2}, {4, 3}, {14, 41}, {20, 5}, {21, 0}}) {
        EXPECT_TRUE(ventana.Boton(boton)->isVisible() && ventana.Boton(boton)->isEnabled()) << boton;
        if (operacion == 0) continue;  // the journal
        clsBitmaps b;
        b.Buscar({}, gCodigoEmpresa, gCodigoActividad, static_cast<qint16>(operacion), "SVL1");
        EXPECT_TRUE(b.Parametro.mid(1).contains('1')) << "operation " << operacion;
    }
}

TEST_F(DemoTest, RunningItAgainChangesNothing) {
    Preparar();
    const QStringList antes = Estado();
    const QString informe = Preparar();
    EXPECT_EQ(Estado(), antes);
    EXPECT_TRUE(informe.contains("Medicamentos: 0 filas nuevas de 32")) << informe.toStdString();
    EXPECT_TRUE(informe.contains("ajustes.ini: sin cambios")) << informe.toStdString();

    // The working directory always follows the demo directory; the newcomer's other choices stay.
    Ajustes::Guardar(kAplicacion, "Start", "Empresa", "23");
    Ajustes::Guardar(kAplicacion, "Start", "QUELO_Path", "/otro");
    Preparar();
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, "Start", "Empresa"), "23");
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, "Start", "QUELO_Path"), QDir::toNativeSeparators(dirTrabajo));
}

// scripts/demo.sh --guion on a machine without a display: the walkthrough ends by itself after one
// line per step, with every ticket printed as PDF, every window saved and the cancellation answered.
TEST_F(DemoTest, TheWalkthroughEndsByItselfWithTheTicketsTheWindowsAndTheCancellationAnswered) {
    Preparar();
    QProcess guion;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert("TARSA_APPDIR", dirAplicacion);
    entorno.insert("TARSA_PDF_DIR", Ruta("pdf"));
    entorno.insert("QT_QPA_PLATFORM", "offscreen");
    guion.setProcessEnvironment(entorno);
    guion.start(TARSA_GUION_EXE, {Ruta("guion")});
    ASSERT_TRUE(guion.waitForFinished(60000)) << "tarsa-guion did not end";
    EXPECT_EQ(guion.exitCode(), 0) << guion.readAllStandardError().toStdString();

    // Written in the system's own code page: Windows-1252 on a Spanish Windows.
    const QStringList pasos = QString::fromLocal8Bit(guion.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(pasos.size(), 7) << pasos.join('\n').toStdString();
    for (int i = 0; i < pasos.size(); ++i) EXPECT_TRUE(pasos[i].startsWith(QString("Paso %1: ").arg(i + 1)));
    const QRegularExpression anulacion(QString::fromUtf8("anulación del ticket \\d+: la terminal respondió"));
    EXPECT_TRUE(anulacion.match(pasos.value(5)).hasMatch()) << pasos.value(5).toStdString();
    // The terminal's own account: the cancellation of the consumption was answered without error.
    const QString registro = QString::fromUtf8(LeerArchivo(Ruta("guion/terminal-sim.log")));
    EXPECT_TRUE(registro.contains("op 02 escenario=ok -> estado 0")) << registro.toStdString();

    const QStringList pdfs = QDir(Ruta("pdf")).entryList({"*.pdf"}, QDir::Files);
    EXPECT_EQ(pdfs.size(), 3);  // the consumption, the reprint and the cancellation
    for (const QString& pdf : pdfs)
        EXPECT_TRUE(LeerArchivo(Ruta("pdf/" + pdf)).startsWith("%PDF")) << pdf.toStdString();
    for (const char* ventana :
         {"ventana-principal", "consumo", "consumo-item", "consumo-diagnostico", "consumo-respuesta", "ultimos-tickets",
          "reimpresion", "ticket-guardado", "anulacion-respuesta"}) {
        const QImage captura(Ruta(QString("guion/%1.png").arg(ventana)));
        EXPECT_GT(captura.width() * captura.height(), 0) << ventana;
    }
}
