// The catalog update: the request's parameters record, and the delivered catalog files applied to
// the local database (one transaction per catalog).
#include <QCheckBox>
#include <QDir>
#include <QProcess>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "catalogs/modNomencladores.h"
#include "exchange/clsParametros.h"
#include "exchange/modIntercambio.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "support/Controles.h"
#include "support/Simulador.h"
#include "ui/frmActualizacionNomencladores.h"

namespace {

// A fixed-length record: each value padded with blanks (or cut) to its width, then CR LF.
QByteArray Reg(std::initializer_list<std::pair<QString, int>> campos) {
    QByteArray r;
    for (const auto& [valor, ancho] : campos) r += Ansi::Codificar(valor.leftJustified(ancho, ' ', true));
    return r + "\r\n";
}

QByteArray Respuesta(const QString& codigo, const QString& texto) {
    return Reg({{"00", 40}, {codigo, 4}, {texto, 40}, {"", 30}});
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
        gEmpresa = "4";
        gTerminal = "LIC1";
        gTipoActividad = "1";
    }
    void Entregar(const QString& archivo, const QList<QByteArray>& registros) {
        QDir().mkpath(d + "/DownLoad");
        EscribirArchivo(d + "/DownLoad/" + archivo, registros.join());
    }
    // The terminal simulator answers in a terminal directory of this run.
    void ConTerminal() {
        gQueloPath = dirTrabajo;
        gTermDir = CrearDirectorioTerminal();
        gVerTicket = true;
    }
    QString Generar(const QString& version, int medicamentos);
    QString d;
    Simulador sim;
    Modales modales;
};

// The request against the golden files of tests/data, typed by hand from the layouts.
TEST_F(NomencladoresTest, TheRequestMatchesTheGoldenFilesOfEachVersion) {
    const PedidoNomencladores pedido{true, true, false, true, false, false};  // doctors all, medications changes
    const struct {
        const char* version;
        const char* tipo;
        const char* patron;
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
    // Nothing ticked: every mode is "0".
    gVersion = "V250";
    ASSERT_TRUE(GrabarPedidoNomencladores({}));
    EXPECT_EQ(LeerArchivo(subido).mid(35, 5), "00000");
}

TEST_F(NomencladoresTest, AnswerMessagesAreListedAndANonNumericCodeIs9999) {
    Entregar("_SAL.0", {Respuesta("0000", "BIEN"), Respuesta("A123", "RARO"), Respuesta("0012", "PARCIAL")});
    ASSERT_TRUE(ActualizarNomencladores({}));
    EXPECT_EQ(Comentarios(), QStringList({"9999 RARO", "12 PARCIAL"}));
}

TEST_F(NomencladoresTest, V250DoctorsAreInsertedUpdatedAndWithdrawnOnesPurged) {
    clsMedico m;
    m.Procesar(1, 123, "01", "VIEJO NOMBRE");
    m.Procesar(1, 555, "02", "SE DA DE BAJA");
    Entregar("_SAL.2", {Reg({{"000123", 6}, {"01", 2}, {"  PEREZ, JUAN  ", 40}, {"0", 1}}),
                        Reg({{"000555", 6}, {"02", 2}, {"SE DA DE BAJA", 40}, {"1", 1}}),
                        Reg({{"000777", 6}, {"03", 2}, {QString::fromUtf8("MUÑOZ, ÁNGEL"), 40}, {"0", 1}})});
    ASSERT_TRUE(ActualizarNomencladores({true, false, false, false, false, false}));
    EXPECT_EQ(Valor("SELECT ApellidoNombre FROM Medicos WHERE Matricula = 123").toString(), "PEREZ, JUAN");
    EXPECT_EQ(Valor("SELECT ApellidoNombre FROM Medicos WHERE Matricula = 777").toString(),
              QString::fromUtf8("MUÑOZ, ÁNGEL"));
    EXPECT_EQ(Contar("Medicos"), 2);
    EXPECT_EQ(Comentarios(), QStringList({QString::fromUtf8("0 Se borraron 1 médicos dados de baja"),
                                          QString::fromUtf8("0 Se insertaron 1 médicos"),
                                          QString::fromUtf8("0 Se actualizaron 2 médicos")}));
}

TEST_F(NomencladoresTest, TheCompleteCatalogReplacesWhatWasThere) {
    clsMedicamento otraEmpresa;
    otraEmpresa.Empresa = 9;
    otraEmpresa.Procesar(1, 1, "", "DE OTRA EMPRESA");
    clsMedico medico;
    medico.Procesar(1, 9, "01", "QUE YA NO ESTA");
    Entregar("_SAL.2", {Reg({{"000123", 6}, {"01", 2}, {"PEREZ", 40}, {"0", 1}})});
    Entregar("_SAL.3", {Reg({{"0000042", 7},
                             {"7790001", 13},
                             {"AMOXIDAL", 50},
                             {"500 MG", 25},
                             {"00000012345", 11},
                             {"003", 3},
                             {"000000009", 9},
                             {"1", 1}})});
    ASSERT_TRUE(ActualizarNomencladores({true, true, false, true, true, false}));
    EXPECT_EQ(Contar("Medicos"), 1);
    // Every company's medications went; a withdrawn one keeps its row, marked.
    EXPECT_EQ(Contar("Medicamentos"), 1);
    EXPECT_EQ(Valor("SELECT Precio || ' ' || Baja || ' ' || IdEmpresa FROM Medicamentos").toString(), "123.45 1 4");
    EXPECT_TRUE(Comentarios().contains(QString::fromUtf8("0 Se borraron 1 registros de médicos")));
    EXPECT_TRUE(Comentarios().contains("0 Se borraron 1 registros de medicamentos"));
}

TEST_F(NomencladoresTest, V101FilesAreReadLikeV250Ones) {
    gVersion = "V101";
    Entregar("_SAL.2", {Reg({{"000321", 6}, {"GOMEZ", 35}, {"0", 1}})});
    Entregar("_SAL.3", {Reg({{"0000042", 7},
                             {"7790001", 13},
                             {"AMOXIDAL", 30},
                             {"500 MG", 24},
                             {"12345", 13},
                             {"3", 1},
                             {"00009", 5},
                             {"0", 1}})});
    Entregar("_SAL.5", {Reg({{"A01", 6}, {"COLERA", 150}})});
    // Under V101 the diagnoses file is _SAL.5; a _SAL.4 left over is not read.
    Entregar("_SAL.4", {Reg({{"ZZZ", 10}, {"NO", 150}, {"0", 1}})});
    ASSERT_TRUE(ActualizarNomencladores({true, true, true, false, false, false}));
    EXPECT_EQ(Valor("SELECT TipoMatricula FROM Medicos WHERE Matricula = 321").toString(), "01");
    EXPECT_EQ(Valor("SELECT Precio FROM Medicamentos").toDouble(), 123.45);
    EXPECT_EQ(Valor("SELECT Codigo || Baja FROM Diagnosticos").toString(), "A010");
    EXPECT_EQ(Contar("Diagnosticos"), 1);

    // Other providers' doctors carry their type first, made two digits.
    gTipoActividad = "2";
    Entregar("_SAL.2", {Reg({{" 7", 2}, {"000654", 6}, {"LOPEZ", 35}, {"0", 1}})});
    ASSERT_TRUE(ActualizarNomencladores({true, false, false, false, false, false}));
    EXPECT_EQ(Valor("SELECT TipoMatricula FROM Medicos WHERE Matricula = 654").toString(), "07");
}

TEST_F(NomencladoresTest, AFailureHalfWayKeepsThatCatalogAsItWasAndTheEarlierOnesApplied) {
    clsDiagnostico previo;
    previo.Empresa = 4;
    previo.Procesar(1, "X99", "PREVIO");
    Entregar("_SAL.3",
             {Reg({{"0000042", 7}, {"", 13}, {"AMOXIDAL", 50}, {"", 25}, {"100", 11}, {"", 3}, {"", 9}, {"0", 1}})});
    Entregar("_SAL.4", {Reg({{"A01", 10}, {"COLERA", 150}, {"0", 1}}), Reg({{"B02", 10}, {"FALLA", 150}, {"0", 1}})});
    // The database fails on the second diagnosis with an error, not a refused (skipped) row.
    gDB->Ejecutar(
        "CREATE TRIGGER falla BEFORE INSERT ON Diagnosticos WHEN NEW.Codigo = 'B02' "
        "BEGIN SELECT abs(-9223372036854775807 - 1); END");
    EXPECT_FALSE(ActualizarNomencladores({false, true, true, false, false, true}));
    EXPECT_EQ(Contar("Medicamentos"), 1);
    EXPECT_EQ(Valor("SELECT group_concat(Codigo) FROM Diagnosticos").toString(), "X99");
    ASSERT_FALSE(mensajes.mostrados.isEmpty());
    EXPECT_EQ(mensajes.mostrados.last().titulo, "Error al leer archivos");
    EXPECT_EQ(Comentarios().last(),
              QString::fromUtf8("0 No se actualizaron los diagnósticos: el catálogo quedó como estaba antes"));
    EXPECT_FALSE(gDB->EnTransaccion());
}

// Files that are not what the layout says: nothing half-applied, a clear word, the previous catalog kept.
TEST_F(NomencladoresTest, AFileOfAnotherLayoutIsNotHalfApplied) {
    const QByteArray bueno = Reg({{"A01", 10}, {"COLERA", 150}, {"0", 1}});
    const QByteArray enUtf8 =
        Reg({{"B02", 10}, {"", 150}, {"0", 1}}).replace(10, 12, QString::fromUtf8("HIPERTENSIÓN").toUtf8());
    const struct {
        const char* caso;
        QByteArray contenido;
        bool aplicado;
        QString diagnosticos;  // the codes left in the table
    } casos[] = {
        {"vacío", "", true, "X99"},
        {"último registro corto", bueno + bueno.left(40), true, "A01,X99"},
        {"codificado en UTF-8", bueno + enUtf8 + bueno, false, "X99"},
        {"sin fines de línea", QByteArray(163 * 2, 'A'), false, "X99"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        gDB->Ejecutar("DELETE FROM Diagnosticos");
        clsDiagnostico previo;
        previo.Empresa = 4;
        previo.Procesar(1, "X99", "PREVIO");
        EscribirArchivo(d + "/download/_SAL.4", c.contenido);
        mensajes.mostrados.clear();
        EXPECT_EQ(ActualizarNomencladores({false, false, true, false, false, false}), c.aplicado);
        EXPECT_EQ(
            Valor("SELECT group_concat(Codigo) FROM (SELECT Codigo FROM Diagnosticos ORDER BY Codigo)").toString(),
            c.diagnosticos);
        if (!c.aplicado) {
            ASSERT_EQ(mensajes.mostrados.size(), 1);
            EXPECT_TRUE(mensajes.mostrados[0].texto.contains("no tiene el formato esperado"));
        }
    }
}

TEST_F(NomencladoresTest, ARowTheDatabaseRefusesIsReportedAndTheRestApplied) {
    Entregar("_SAL.4", {Reg({{"A01", 10}, {"COLERA", 150}, {"0", 1}}), Reg({{"", 10}, {"SIN CODIGO", 150}, {"0", 1}}),
                        Reg({{"B02", 10}, {"TIFUS", 150}, {"0", 1}})});
    gDB->Ejecutar(
        "CREATE TRIGGER sinCodigo BEFORE INSERT ON Diagnosticos WHEN NEW.Codigo = '' "
        "BEGIN SELECT RAISE(IGNORE); END");
    ASSERT_TRUE(ActualizarNomencladores({false, false, true, false, false, false}));
    EXPECT_EQ(Contar("Diagnosticos"), 2);
    EXPECT_TRUE(Comentarios().contains(QString::fromUtf8("1 No se pudo insertar diagnóstico")));
}

// Quotes inside a key of the file reach the filter of the update: they must neither break the
// statement (the whole catalog would be rolled back) nor match other rows. Each file goes twice, so
// that the second pass updates the rows the first one inserted.
TEST_F(NomencladoresTest, AKeyWithQuotesIsInsertedAndUpdated) {
    const QString tipo = QString::fromUtf8("\"'");
    const QString codigo = QString::fromUtf8("O'X\"1");
    for (const char* nombre : {"PRIMERO", "SEGUNDO"}) {
        Entregar("_SAL.2", {Reg({{"000123", 6}, {tipo, 2}, {nombre, 40}, {"0", 1}})});
        Entregar("_SAL.4", {Reg({{codigo, 10}, {nombre, 150}, {"0", 1}}), Reg({{"A01", 10}, {nombre, 150}, {"0", 1}})});
        ASSERT_TRUE(ActualizarNomencladores({true, false, true, false, false, false})) << nombre;
    }
    EXPECT_EQ(Valor("SELECT ApellidoNombre || TipoMatricula FROM Medicos").toString(), "SEGUNDO" + tipo);
    EXPECT_EQ(Contar("Medicos"), 1);
    EXPECT_EQ(Valor("SELECT group_concat(Codigo || Nombre) FROM Diagnosticos WHERE Codigo <> 'A01'").toString(),
              codigo + "SEGUNDO");
    EXPECT_EQ(Contar("Diagnosticos"), 2);
}

// ---- The dialog against the terminal simulator, with catalog files of the demo tool.

// Catalog files as the demo tool writes them for the simulator.
QString NomencladoresTest::Generar(const QString& version, int medicamentos) {
    const QString dir = Ruta("catalogos");
    QProcess demo;
    demo.start(TARSA_DEMO_EXE, {"--catalogos", dir, version, "1", QString::number(medicamentos)});
    EXPECT_TRUE(demo.waitForFinished(60000));
    EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().toStdString();
    return dir;
}

TEST_F(NomencladoresTest, TheDialogAsksAppliesAndShowsTheResult) {
    ConTerminal();
    sim.Iniciar(dirTrabajo, "ok", {"--catalogs", Generar("V250", 400)});
    modales.Instalar();
    frmActualizacionNomencladores ventana;
    Hijo<QCheckBox>(&ventana, "chkMedicamentos")->setChecked(true);
    auto* todos = Hijo<QCheckBox>(&ventana, "chkTMedicamentos");
    EXPECT_TRUE(todos->isEnabled());
    todos->setChecked(true);
    Hijo<QCheckBox>(&ventana, "chkDiagnosticos")->setChecked(true);
    Pulsar(&ventana, "cmdAceptar");

    // 400 medications, one of them with letters in its troquel and the last one cut short on disk:
    // the short one is left out, the one with letters is stored as troquel 0.
    EXPECT_EQ(Contar("Medicamentos"), 400);
    EXPECT_GT(Contar("Diagnosticos"), 50);
    EXPECT_EQ(Contar("Medicos"), 0);  // not asked for
    EXPECT_GT(Valor("SELECT COUNT(*) FROM Medicamentos WHERE Baja = 1").toInt(), 0);
    EXPECT_GT(Valor("SELECT COUNT(*) FROM Diagnosticos WHERE Nombre LIKE '*Ó*' OR Nombre LIKE '*Í*'").toInt(), 0);
    // The counts are listed, so the dialog stays open behind the list; the ticket was shown.
    EXPECT_TRUE(modales.vistas.contains("frmMostrarErrores"));
    EXPECT_TRUE(modales.vistas.contains("frmMuestraTicket"));
    EXPECT_TRUE(Comentarios().contains("0 Se insertaron 400 medicamentos"));
    EXPECT_EQ(ventana.result(), QDialog::Rejected);
}

// The refresh at load asks for the changes only: what the local catalog had stays, the delivered rows
// join it.
TEST_F(NomencladoresTest, TheStartUpRefreshAsksForTheChangesOnly) {
    ConTerminal();
    sim.Iniciar(dirTrabajo, "ok", {"--catalogs", Generar("V250", 300)});
    modales.Instalar();
    clsMedicamento propio;
    propio.Empresa = 4;
    propio.Procesar(1, 9999999, "", "CARGADO A MANO");
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
