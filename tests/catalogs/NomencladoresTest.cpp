// The catalog update: the request record, and the delivered files applied (one transaction per catalog).
#include <QCheckBox>
#include <QProcess>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "catalogs/modNomencladores.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "platform/Ansi.h"
#include "platform/LectorNumeros.h"
#include "platform/Rutas.h"
#include "support/Controles.h"
#include "support/Simulador.h"
#include "ui/frmActualizacionNomencladores.h"

namespace {

// The widths of each record's fields, typed from the layouts.
using Anchos = QList<int>;
const Anchos kRespuesta{40, 4, 40, 30}, kMedico{6, 2, 40, 1}, kMedicamento{7, 13, 50, 25, 11, 3, 9, 1},
    kDiagnostico{10, 150, 1}, kMedicoV101{6, 35, 1}, kMedicoV101Otros{2, 6, 35, 1},
    kMedicamentoV101{7, 13, 30, 24, 13, 1, 5, 1}, kDiagnosticoV101{6, 150};

// A fixed-length record: each value padded with blanks (or cut) to its width, then CR LF.
QByteArray Reg(const Anchos& anchos, const QStringList& valores) {
    QByteArray r;
    for (int i = 0; i < anchos.size(); ++i) r += Ansi::Codificar(valores.value(i).leftJustified(anchos[i], ' ', true));
    return r + "\r\n";
}

// The error list as "code text" lines.
QStringList Comentarios() {
    QStringList r;
    for (const clsItemError& e : gColErrores) r << QString("%1 %2").arg(e.Numero).arg(e.Comentario.trimmed());
    return r;
}

class NomencladoresTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        d = Intercambio();
        Sesion({.empresa = "4", .terminal = "LIC1", .tipoActividad = "1"});
    }
    void Entregar(const QString& archivo, const QList<QByteArray>& registros) {
        EscribirArchivo(d + "/download/" + archivo, registros.join());
    }
    // A diagnosis of this run's company already in the table.
    static void DiagnosticoPrevio() { DeEmpresa<clsDiagnostico>(4).Procesar(1, "X99", "PREVIO"); }
    static QString Diagnosticos() { return Filas("SELECT Codigo FROM Diagnosticos ORDER BY Codigo"); }
    // The terminal simulator answers in this run's terminal directory, with the demo tool's catalogs.
    void ConSimulador(int medicamentos);
    QString d;
    Simulador sim;
    Modales modales;
};

// The request against the golden files of tests/data, typed by hand from the layouts.
TEST_F(NomencladoresTest, TheRequestMatchesTheGoldenFilesOfEachVersion) {
    const PedidoNomencladores pedido{true, true, false, true, false, false};  // doctors all, medications changes
    const struct {
        const char *version, *tipo, *patron;
    } casos[] = {
        {"V250", "1", "sal0_nomencladores_v250.bin"},
        {"V101", "1", "sal0_nomencladores_v101_farmacia.bin"},
        {"V101", "2", "sal0_nomencladores_v101_otros.bin"},
    };
    const QString subido = Rutas::Resolver(d + "/UpLoad/_SAL.0");  // the directory is "upload" on disk
    for (const auto& c : casos) {
        SCOPED_TRACE(c.patron);
        gVersion = c.version;
        gTipoActividad = c.tipo;
        QFile::remove(subido);
        ASSERT_TRUE(GrabarPedidoNomencladores(pedido));
        EXPECT_EQ(LeerArchivo(subido), LeerArchivo(QString(TARSA_TEST_DATA_DIR) + "/" + c.patron));
    }
}

TEST_F(NomencladoresTest, AnswerMessagesAreListedAndANonNumericCodeIs9999) {
    Entregar("_SAL.0", {Reg(kRespuesta, {"00", "0000", "BIEN"}), Reg(kRespuesta, {"00", "A123", "RARO"}),
                        Reg(kRespuesta, {"00", "0012", "PARCIAL"})});
    ASSERT_TRUE(ActualizarNomencladores({}));
    EXPECT_EQ(Comentarios(), QStringList({"9999 RARO", "12 PARCIAL"}));
}

TEST_F(NomencladoresTest, V250DoctorsAreInsertedUpdatedAndWithdrawnOnesPurged) {
    auto m = DeEmpresa<clsMedico>(4);
    m.Procesar(1, 123, "01", "VIEJO NOMBRE");
    m.Procesar(1, 555, "02", "SE DA DE BAJA");
    Entregar("_SAL.2", {Reg(kMedico, {"000123", "01", "  PEREZ, JUAN  ", "0"}),
                        Reg(kMedico, {"000555", "02", "SE DA DE BAJA", "1"}),
                        Reg(kMedico, {"000777", "03", "MUÑOZ, ÁNGEL", "0"})});
    ASSERT_TRUE(ActualizarNomencladores({true, false, false, false, false, false}));
    EXPECT_EQ(Filas("SELECT Matricula, ApellidoNombre FROM Medicos ORDER BY 1"), "123|PEREZ, JUAN\n777|MUÑOZ, ÁNGEL");
    EXPECT_EQ(Comentarios(), QStringList({"0 Se borraron 1 médicos dados de baja", "0 Se insertaron 1 médicos",
                                          "0 Se actualizaron 2 médicos"}));
}

TEST_F(NomencladoresTest, TheCompleteCatalogReplacesWhatWasThere) {
    DeEmpresa<clsMedicamento>(9).Procesar(1, 1, "", "DE OTRA EMPRESA");
    Entregar("_SAL.3",
             {Reg(kMedicamento, {"0000042", "7790001", "AMOXIDAL", "500 MG", "00000012345", "003", "000000009", "1"}),
              Reg(kMedicamento, {"0000043", "", "SIN PRECIO", "", "", "", "", "0"})});
    ASSERT_TRUE(ActualizarNomencladores({false, true, false, false, true, false}));
    // Every company's medications went; a withdrawn one keeps its row, marked; a blank price is none.
    EXPECT_EQ(Filas("SELECT Precio, Baja, IdEmpresa FROM Medicamentos ORDER BY Troquel"), "123.45|1|4\n0|0|4");
    EXPECT_TRUE(Comentarios().contains("0 Se borraron 1 registros de medicamentos"));
}

// The file's statements, prepared once, leave the rows (values and types) the class's Buscar and
// Procesar leave: quotes, accents, a troquel twice or another company's, odd prices, a refused row.
TEST_F(NomencladoresTest, TheMedicationsUpdateLeavesTheRowsTheClassStatementsLeave) {
    const QList<QStringList> registros{
        {"0000042", "7790001234567", "AMOXIDAL \"FORTE\"", "500 MG X 16", "00000012345", "003", "000000009", "0"},
        {"0000043", "", "D'ANGELO ÑANDÚ", "", "", "", "", "1"},
        {"0000042", "\"'", "  AMOXIDAL  ", "1 G", "99999999999", "999", "999999999", "0"},
        {"   0044", "X", "NEGATIVO", "", "-0000000500", " 12", "12", "1"},
        {"0000046", "", "RECHAZADO", "", "1", "", "", "0"},
        {"0000007", "", "DE TODAS", "", "7", "", "", "0"},
    };
    const auto preparar = [] {
        gDB->Ejecutar("DELETE FROM Medicamentos");
        DeEmpresa<clsMedicamento>(9).Procesar(1, 7, "", "DE OTRA EMPRESA", "", 100);
        gDB->Ejecutar(
            "CREATE TRIGGER IF NOT EXISTS rechazo BEFORE INSERT ON Medicamentos WHEN NEW.Troquel = 46 "
            "BEGIN SELECT RAISE(IGNORE); END");
    };
    const QString filas =
        "SELECT IdEmpresa, Troquel, typeof(Troquel), CodigoBarra, Nombre, Presentacion, Precio, typeof(Precio), "
        "TipoMedicamento, typeof(TipoMedicamento), CodProveedor, typeof(CodProveedor), Baja, typeof(Baja) "
        "FROM Medicamentos ORDER BY IdEmpresa, Troquel";

    preparar();
    auto m = DeEmpresa<clsMedicamento>(4);
    for (const QStringList& r : registros) {
        const auto troquel = Val<qint32>(r[0]);
        const bool existe = m.Buscar({}, troquel) && m.Registros > 0;
        if (existe) m.Condicion = " Troquel = " + QString::number(troquel);
        m.Procesar(existe ? 3 : 1, troquel, r[1].trimmed(), r[2].trimmed(), r[3].trimmed(),
                   TextoANumero(r[4].trimmed(), true), Val<qint16>(r[5]), double(Val(r[6])), Val(r[7]) == 1);
    }
    const QString esperadas = Filas(filas);

    preparar();
    QList<QByteArray> archivo;
    for (const QStringList& r : registros) archivo << Reg(kMedicamento, r);
    Entregar("_SAL.3", archivo);
    ASSERT_TRUE(ActualizarNomencladores({false, true, false, false, false, false}));
    EXPECT_EQ(Filas(filas), esperadas);
    for (const char* dicho : {"1 No se pudo insertar medicamento 0000046", "0 Se insertaron 3 medicamentos",
                              "0 Se actualizaron 2 medicamentos"})
        EXPECT_TRUE(Comentarios().contains(dicho)) << dicho;
}

// Each insurer's complete catalog replaces its own doctors only; its changes touch its own rows only.
TEST_F(NomencladoresTest, EachCompanyKeepsItsOwnDoctors) {
    for (const auto& [empresa, matricula, nombre] :
         {std::tuple{4, 9, "QUE YA NO ESTA"}, {9, 9, "DE IOMA"}, {9, 123, "PEREZ EN IOMA"}, {12, 5, "DE PAMI"}})
        DeEmpresa<clsMedico>(empresa).Procesar(1, matricula, "01", nombre);
    Entregar("_SAL.2", {Reg(kMedico, {"000123", "01", "PEREZ", "0"})});
    ASSERT_TRUE(ActualizarNomencladores({true, false, false, true, false, false}));
    EXPECT_TRUE(Comentarios().contains("0 Se borraron 1 registros de médicos"));

    Sesion({.empresa = "9"});
    Entregar("_SAL.2", {Reg(kMedico, {"000123", "01", "PEREZ, JUAN", "0"}), Reg(kMedico, {"000777", "01", "NUEVO"})});
    ASSERT_TRUE(ActualizarNomencladores({true, false, false, false, false, false}));
    EXPECT_EQ(Filas("SELECT IdEmpresa, Matricula, ApellidoNombre FROM Medicos ORDER BY 1, 2"),
              "4|123|PEREZ\n9|9|DE IOMA\n9|123|PEREZ, JUAN\n9|777|NUEVO\n12|5|DE PAMI");
}

TEST_F(NomencladoresTest, V101FilesAreReadLikeV250Ones) {
    gVersion = "V101";
    Entregar("_SAL.2", {Reg(kMedicoV101, {"000321", "GOMEZ", "0"})});
    Entregar("_SAL.3", {Reg(kMedicamentoV101, {"0000042", "7790001", "AMOXIDAL", "500 MG", "12345", "3", "00009"})});
    Entregar("_SAL.5", {Reg(kDiagnosticoV101, {"A01", "COLERA"})});
    // Under V101 the diagnoses file is _SAL.5; a _SAL.4 left over is not read.
    Entregar("_SAL.4", {Reg(kDiagnostico, {"ZZZ", "NO", "0"})});
    ASSERT_TRUE(ActualizarNomencladores({true, true, true, false, false, false}));
    EXPECT_EQ(Filas("SELECT Matricula, TipoMatricula FROM Medicos"), "321|01");
    EXPECT_EQ(Filas("SELECT Precio FROM Medicamentos"), "123.45");
    EXPECT_EQ(Filas("SELECT Codigo, Baja FROM Diagnosticos"), "A01|0");

    // Other providers' doctors carry their type first, made two digits.
    gTipoActividad = "2";
    Entregar("_SAL.2", {Reg(kMedicoV101Otros, {" 7", "000654", "LOPEZ", "0"})});
    ASSERT_TRUE(ActualizarNomencladores({true, false, false, false, false, false}));
    EXPECT_EQ(Valor("SELECT TipoMatricula FROM Medicos WHERE Matricula = 654").toString(), "07");
}

TEST_F(NomencladoresTest, AFailureHalfWayKeepsThatCatalogAsItWasAndTheEarlierOnesApplied) {
    DiagnosticoPrevio();
    Entregar("_SAL.3", {Reg(kMedicamento, {"0000042", "", "AMOXIDAL", "", "100", "", "", "0"})});
    Entregar("_SAL.4", {Reg(kDiagnostico, {"A01", "COLERA", "0"}), Reg(kDiagnostico, {"B02", "FALLA", "0"})});
    // The database fails on the second diagnosis with an error, not a refused (skipped) row.
    gDB->Ejecutar(
        "CREATE TRIGGER falla BEFORE INSERT ON Diagnosticos WHEN NEW.Codigo = 'B02' "
        "BEGIN SELECT abs(-9223372036854775807 - 1); END");
    EXPECT_FALSE(ActualizarNomencladores({false, true, true, false, false, true}));
    EXPECT_EQ(Contar("Medicamentos"), 1);
    EXPECT_EQ(Diagnosticos(), "X99");
    EXPECT_EQ(mensajes.Unico().titulo, "Error al leer archivos");
    EXPECT_EQ(Comentarios().last(), "0 No se actualizaron los diagnósticos: el catálogo quedó como estaba antes");
    EXPECT_FALSE(gDB->EnTransaccion());
}

// Files that are not what the layout says: nothing half-applied, a clear word, the previous catalog kept.
TEST_F(NomencladoresTest, AFileOfAnotherLayoutIsNotHalfApplied) {
    const QByteArray bueno = Reg(kDiagnostico, {"A01", "COLERA", "0"});
    const QByteArray enUtf8 = Reg(kDiagnostico, {"B02", "", "0"}).replace(10, 12, "HIPERTENSI\xC3\x93N");
    const QByteArray otro = Reg(kDiagnostico, {"B02", "OTRO", "0"});
    const struct {
        const char* caso;
        QByteArray contenido;
        bool aplicado;
        QString diagnosticos;  // the codes left in the table
        QString aviso = {};    // what the message, or the list, says of the record in question
    } casos[] = {
        {"vacío", "", true, "X99"},
        {"último registro cortado", bueno + bueno.left(40), true, "A01\nX99",
         "registro 2, que empieza con «A01 COLERA»"},
        {"último registro sin fin de línea", bueno + otro.chopped(2), true, "A01\nB02\nX99"},
        {"último registro sin LF", bueno + otro.chopped(1), true, "A01\nB02\nX99"},
        {"codificado en UTF-8", bueno + enUtf8 + bueno, false, "X99", "registro 2, que empieza con «B02 HIPERTENSI»"},
        {"sin fines de línea", QByteArray(163 * 2, 'A'), false, "X99",
         "registro 1, que empieza con «AAAAAAAAAAAAAAAAAAAA»"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        gDB->Ejecutar("DELETE FROM Diagnosticos");
        DiagnosticoPrevio();
        Entregar("_SAL.4", {c.contenido});
        mensajes.mostrados.clear();
        EXPECT_EQ(ActualizarNomencladores({false, false, true, false, false, false}), c.aplicado);
        EXPECT_EQ(Diagnosticos(), c.diagnosticos);
        if (!c.aplicado) EXPECT_TRUE(mensajes.Unico().texto.contains("no tiene el formato esperado"));
        const QString dicho = c.aplicado ? Comentarios().join('\n') : mensajes.mostrados.value(0).texto;
        EXPECT_EQ(!c.aviso.isEmpty(), dicho.contains(c.aviso.isEmpty() ? "registro" : c.aviso)) << dicho.toStdString();
    }
}

TEST_F(NomencladoresTest, ARowTheDatabaseRefusesIsReportedAndTheRestApplied) {
    Entregar("_SAL.4", {Reg(kDiagnostico, {"A01", "COLERA"}), Reg(kDiagnostico, {"", "SIN CODIGO"}),
                        Reg(kDiagnostico, {"B02", "TIFUS"})});
    gDB->Ejecutar(
        "CREATE TRIGGER sinCodigo BEFORE INSERT ON Diagnosticos WHEN NEW.Codigo = '' "
        "BEGIN SELECT RAISE(IGNORE); END");
    ASSERT_TRUE(ActualizarNomencladores({false, false, true, false, false, false}));
    EXPECT_EQ(Diagnosticos(), "A01\nB02");
    EXPECT_TRUE(Comentarios().contains("1 No se pudo insertar diagnóstico"));
}

// Quotes in a key must neither break the update's filter (the catalog would roll back) nor match
// other rows; each file goes twice, so that the second pass updates what the first inserted.
TEST_F(NomencladoresTest, AKeyWithQuotesIsInsertedAndUpdated) {
    const QString tipo = "\"'";
    const QString codigo = "O'X\"1";
    for (const char* nombre : {"PRIMERO", "SEGUNDO"}) {
        Entregar("_SAL.2", {Reg(kMedico, {"000123", tipo, nombre, "0"})});
        Entregar("_SAL.4", {Reg(kDiagnostico, {codigo, nombre, "0"}), Reg(kDiagnostico, {"A01", nombre, "0"})});
        ASSERT_TRUE(ActualizarNomencladores({true, false, true, false, false, false})) << nombre;
    }
    EXPECT_EQ(Filas("SELECT ApellidoNombre, TipoMatricula FROM Medicos"), "SEGUNDO|" + tipo);
    EXPECT_EQ(Filas("SELECT Codigo, Nombre FROM Diagnosticos ORDER BY Codigo"), "A01|SEGUNDO\n" + codigo + "|SEGUNDO");
}

// ---- The dialog and the refresh at load against the terminal simulator.

void NomencladoresTest::ConSimulador(int medicamentos) {
    Terminal();
    gVerTicket = true;
    const QString catalogos = Ruta("catalogos");
    QProcess demo;
    demo.start(TARSA_DEMO_EXE, {"--catalogos", catalogos, "V250", "1", QString::number(medicamentos)});
    ASSERT_TRUE(demo.waitForFinished(60000));
    ASSERT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    sim.Iniciar(dirTrabajo, "ok", {"--catalogs", catalogos});
    modales.Instalar();
}

TEST_F(NomencladoresTest, TheDialogAsksAppliesAndShowsTheResult) {
    ConSimulador(400);
    frmActualizacionNomencladores ventana;
    Hijo<QCheckBox>(&ventana, "chkMedicamentos")->setChecked(true);
    auto* todos = Hijo<QCheckBox>(&ventana, "chkTMedicamentos");
    EXPECT_TRUE(todos->isEnabled());
    todos->setChecked(true);
    Hijo<QCheckBox>(&ventana, "chkDiagnosticos")->setChecked(true);
    QString titulo;
    modales.alMostrar = [&titulo](QDialog& d) {
        if (d.objectName() == "frmMostrarErrores") titulo = d.windowTitle();
    };
    Pulsar(&ventana, "cmdAceptar");

    // 400 medications, one of them with letters in its troquel and the last one cut short on disk:
    // the short one is left out, the one with letters is stored as troquel 0.
    EXPECT_EQ(Contar("Medicamentos"), 400);
    EXPECT_GT(Contar("Diagnosticos"), 50);
    EXPECT_EQ(Contar("Medicos"), 0);  // not asked for
    EXPECT_GT(Contar("Medicamentos WHERE Baja = 1"), 0);
    EXPECT_GT(Contar("Diagnosticos WHERE Nombre LIKE '*Ó*' OR Nombre LIKE '*Í*'"), 0);
    // The counts are listed, so the dialog stays open behind the list; the ticket was shown.
    EXPECT_EQ(modales.vistas, QStringList({"frmMostrarErrores", "frmMuestraTicket"}));
    EXPECT_TRUE(Comentarios().contains("0 Se insertaron 400 medicamentos"));
    EXPECT_EQ(titulo, "Resultado de la actualización de nomencladores");
    EXPECT_EQ(ventana.result(), QDialog::Rejected);
    // The boxes are cleared: Enter again does not ask for the whole catalog a second time.
    for (const char* casilla : {"chkMedicos", "chkMedicamentos", "chkDiagnosticos", "chkTMedicamentos"})
        EXPECT_FALSE(Hijo<QCheckBox>(&ventana, casilla)->isChecked()) << casilla;
}

// The refresh at load asks for the changes only: the local rows stay, the delivered ones join them.
TEST_F(NomencladoresTest, TheStartUpRefreshAsksForTheChangesOnly) {
    ConSimulador(300);
    DeEmpresa<clsMedicamento>(4).Procesar(1, 9999999, "", "CARGADO A MANO");
    gActualizaMedicamentos = true;
    gActualizaMedicos = gActualizaDiagnosticos = false;
    ActualizacionAutomaticaNomencladores();
    gActualizaMedicamentos = false;
    EXPECT_EQ(Contar("Medicamentos"), 301);
    EXPECT_EQ(Contar("Diagnosticos"), 0);                       // not flagged
    EXPECT_TRUE(modales.vistas.contains("frmMostrarErrores"));  // the counts are listed
    EXPECT_TRUE(Comentarios().contains("0 Se insertaron 300 medicamentos"));
}

}  // namespace
