// The settings and view dialogs: the working directory and its recent list, the catalog and view flags.
#include <QCheckBox>
#include <QDir>

#include "catalogs/ConBase.h"
#include "core/RegistroAjustes.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/Rutas.h"
#include "support/Controles.h"
#include "ui/frmConfiguracion.h"
#include "ui/frmConfigurarVista.h"

namespace {

class frmConfiguracionTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        Terminal();
        Guardar("QUELO_Path", dirTrabajo);
    }
    static void Guardar(const QString& clave, const QString& valor) {
        Ajustes::Guardar(kAplicacion, kSeccionStart, clave, valor);
    }
    static QString Leer(const QString& clave) { return Ajustes::Obtener(kAplicacion, kSeccionStart, clave); }
    static QStringList Recientes() {
        QStringList r;
        for (int i = 1; i <= 10; ++i)
            if (const QString d = Ajustes::Obtener(kAplicacion, kSeccionUltimos, QString::number(i)); !d.isEmpty())
                r << d;
        return r;
    }
    // Types dir into the dialog and accepts; true when the dialog closed.
    static bool Aceptar(frmConfiguracion& f, const QString& dir) {
        Hijo<QComboBox>(&f, "cboDirectorio")->setEditText(dir);
        Pulsar(&f, "cmdAceptar");
        return f.result() == QDialog::Accepted;
    }
    // The state a refused or failed directory must leave as it was.
    QStringList Estado() const {
        const QString existe = QString::number(QDir(dirTrabajo).exists(gTermDir));
        return {gQueloPath, gTermDir, Leer("QUELO_Path"), Recientes().join('|'), Leer("ActualizaMedicos"), existe};
    }
    static QString Bitmaps() { return Filas("SELECT Empresa || ':' || Parametro FROM Bitmaps ORDER BY 1"); }
    static void Prm(const QString& dir, const QString& empresa, const QString& mascara) {
        const QString bitmap = empresa + "0101" + QString("SVL1").leftJustified(64) + mascara;
        EscribirArchivo(Rutas::Unir(dir, "_Quelo.prm"), ("[Bitmaps]\r\n" + bitmap + "\r\n").toLatin1());
    }
};

TEST_F(frmConfiguracionTest, TheRecentListHoldsEachDirectoryOnceAndAtMostSix) {
    const QString d = dirTrabajo;
    const struct {
        const char* caso;
        QStringList guardados, esperados;
        QString escrito;
    } casos[] = {
        {"a new directory goes first", {d + "/A", d + "/B"}, {d + "/N", d + "/A", d + "/B"}, d + "/N"},
        {"the typed one is not repeated in another case", {d + "/A", d + "/B"}, {d + "/b", d + "/A"}, d + "/b"},
        {"a trailing separator is dropped", {d + "/A"}, {d + "/N", d + "/A"}, d + "/N/"},
        {"at most six",
         {d + "/1", d + "/2", d + "/3", d + "/4", d + "/5", d + "/6"},
         {d + "/N", d + "/1", d + "/2", d + "/3", d + "/4", d + "/5"},
         d + "/N"},
        {"stored twice, kept once", {d + "/A", d + "/a", d + "/B"}, {d + "/N", d + "/A", d + "/B"}, d + "/N"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        for (int i = 1; i <= 10; ++i) Ajustes::Borrar(kAplicacion, kSeccionUltimos, QString::number(i));
        for (int i = 0; i < c.guardados.size(); ++i)
            Ajustes::Guardar(kAplicacion, kSeccionUltimos, QString::number(i + 1), c.guardados[i]);
        QDir().mkpath(Rutas::Resolver(c.escrito));
        frmConfiguracion f;
        EXPECT_EQ(Hijo<QComboBox>(&f, "cboDirectorio")->currentText(), c.guardados.value(0));
        ASSERT_TRUE(Aceptar(f, c.escrito));
        EXPECT_EQ(Recientes(), c.esperados);
        EXPECT_EQ(QStringList({Leer("QUELO_Path"), gQueloPath}), QStringList(2, c.esperados[0]));
        EXPECT_TRUE(QDir(gQueloPath).exists(gTermDir + "/upload"));
    }
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

// A new directory is taken as typed ("…/Nuevo" is not completed into a listed "…/Nuevo2"), created
// on Yes, and the exchange directory moves there.
TEST_F(frmConfiguracionTest, ATypedNewDirectoryIsCreatedOnYesAndTheExchangeDirectoryMovesThere) {
    const QString anterior = Rutas::Unir(dirTrabajo, gTermDir);
    const QString nuevo = Ruta("Terminal/Nuevo");
    Ajustes::Guardar(kAplicacion, kSeccionUltimos, "1", nuevo + "2");
    mensajes.Responder(Mensajes::vbYes);
    frmConfiguracion f;
    Activar(f);
    Hijo<QComboBox>(&f, "cboDirectorio")->setFocus();
    Tecla(Qt::Key_A, Qt::ControlModifier);  // all of what is shown, replaced by what is typed
    Teclear(nuevo);
    Pulsar(&f, "cmdAceptar");
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(mensajes.Unico(), (MensajeMostrado{"El directorio de trabajo seleccionado no es válido.\nDesea crearlo?",
                                                 Mensajes::vbYesNo | Mensajes::vbExclamation, "Tarsa Cliente"}));
    EXPECT_FALSE(QDir(anterior).exists());
    EXPECT_EQ(QStringList({gQueloPath, Leer("QUELO_Path")}), QStringList(2, nuevo));
    EXPECT_TRUE(QDir(nuevo).exists(gTermDir + "/download"));

    // A run that started without its working directory takes the shown one once it is created.
    // Such a run holds no exchange directory (and Windows removes no file a run holds open).
    SoltarMarcaIntercambio();
    ASSERT_TRUE(QDir(nuevo).removeRecursively());
    gTermDir.clear();
    mensajes.Responder(Mensajes::vbYes);
    frmConfiguracion g;
    ASSERT_TRUE(Aceptar(g, nuevo));
    EXPECT_EQ(mensajes.mostrados.size(), 2);
    EXPECT_TRUE(QDir(nuevo).exists(gTermDir + "/upload"));
}

TEST_F(frmConfiguracionTest, ARefusedOrImpossibleDirectoryChangesNothing) {
    EscribirArchivo(Ruta("archivo"), "x");
    const struct {
        const char* caso;
        QString dir;
        int respuesta;
        QString motivo;  // the reason given after "Yes"; empty when the user said "No"
    } casos[] = {
        {"the user says no", Ruta("Nuevo"), Mensajes::vbNo, {}},
        {"a file of that name", Ruta("archivo"), Mensajes::vbYes, "Ya existe un archivo con ese nombre."},
        {"a file on the way", Ruta("archivo/Nuevo"), Mensajes::vbYes, "Ya existe un archivo con ese nombre."},
        {"no permission", "/sys/tarsa-prueba", Mensajes::vbYes,
         QString::fromUtf8("No tiene permiso para crear directorios en esa ubicación.")},
        {"a control character", Ruta("Nue\tvo"), Mensajes::vbYes, "El sistema no acepta ese nombre de directorio."},
        {"a name too long", Ruta(QString(300, 'n')), Mensajes::vbYes, "El sistema no acepta ese nombre de directorio."},
    };
    Guardar("ActualizaMedicos", "False");
    Ajustes::Guardar(kAplicacion, kSeccionUltimos, "1", dirTrabajo);
    const QStringList antes = Estado();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        mensajes.mostrados.clear();
        mensajes.Responder(c.respuesta);
        frmConfiguracion f;
        Hijo<QCheckBox>(&f, "chkNomencladores_1")->click();
        EXPECT_FALSE(Aceptar(f, c.dir));
        EXPECT_EQ(Estado(), antes);
        EXPECT_FALSE(QFileInfo(c.dir).isDir());
        ASSERT_EQ(mensajes.mostrados.size(), c.motivo.isEmpty() ? 1 : 2);
        if (!c.motivo.isEmpty()) {
            EXPECT_TRUE(mensajes.mostrados[1].texto.endsWith(c.motivo)) << mensajes.mostrados[1].texto.toStdString();
            EXPECT_EQ(mensajes.mostrados[1].estilo, Mensajes::vbCritical);
        }
    }
}

TEST_F(frmConfiguracionTest, FlagsAreSavedOnAcceptOnlyAndTheBitmapsFollowTheDirectory) {
    Prm(dirTrabajo, "11", "1100");
    {
        frmConfiguracion f;
        Hijo<QCheckBox>(&f, "chkNomencladores_4")->click();
        EXPECT_TRUE(gActualizaMedicamentos);
        Pulsar(&f, "cmdCancelar");
    }
    EXPECT_EQ(Leer("ActualizaMedicamentos"), "");
    EXPECT_EQ(Bitmaps(), "");

    frmConfiguracion f;
    Hijo<QCheckBox>(&f, "chkNomencladores_2")->click();
    ASSERT_TRUE(Aceptar(f, dirTrabajo));
    EXPECT_EQ(QStringList({Leer("ActualizaMedicos"), Leer("ActualizaDiagnosticos"), Leer("ActualizaMedicamentos")}),
              QStringList({"False", "True", "False"}));
    EXPECT_EQ(Bitmaps(), "11:1100");

    // Another working directory with its own configuration: its bitmaps replace the table.
    const QString otro = Ruta("Otro");
    QDir().mkpath(otro);
    Prm(otro, "23", "0011");
    frmConfiguracion g;
    ASSERT_TRUE(Aceptar(g, otro));
    EXPECT_EQ(Bitmaps(), "23:0011");
}

TEST_F(frmConfiguracionTest, TheViewDialogSetsTheFlagsAtOnceAndSavesOnAccept) {
    // Nothing stored: the dialog's own defaults turn the verification and query buttons on, even cancelled.
    {
        frmConfigurarVista v;
        Pulsar(&v, "cmdCancelar");
    }
    EXPECT_TRUE(gVerBotonesVerificar && gVerBotonesConsulta && gVerMenuLicencias && gVerTicket);
    EXPECT_FALSE(gVerBotonesDevolucion || gPantallaReducida || gImprimirTicket || gSugerirCierres);
    EXPECT_EQ(Leer("VerBotonesVerificar"), "");

    Guardar("VerTicket", "verdadero");
    Guardar("VerMenuLicencias", "0");  // read as on-words here: off
    frmConfigurarVista v;
    EXPECT_TRUE(Hijo<QCheckBox>(&v, "chkVerTicket")->isChecked());
    EXPECT_FALSE(Hijo<QCheckBox>(&v, "chkVerMenuLicencias")->isChecked());
    Hijo<QCheckBox>(&v, "chkVerDevolucion")->click();
    Hijo<QCheckBox>(&v, "chkVerTicket")->click();
    Pulsar(&v, "cmdAceptar");
    EXPECT_TRUE(gVerBotonesDevolucion && !gVerTicket);
    EXPECT_EQ(QStringList({Leer("VerBotonesDevolucion"), Leer("VerTicket"), Leer("VerMenuLicencias"),
                           Leer("VerBotonesConsulta")}),
              QStringList({"True", "False", "False", "True"}));
}

}  // namespace
