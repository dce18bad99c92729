// The row viewer, the catalog reports and the about box.
#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMap>
#include <QTreeWidget>

#include "catalogs/ConBase.h"
#include "core/RegistroAjustes.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "support/Controles.h"
#include "ui/frmAbout.h"
#include "ui/frmEditText.h"
#include "ui/frmMuestraLista.h"
#include "ui/modPresentacion.h"

namespace {

// Each row of the viewer as key|caption|value.
QStringList Renglones(frmMuestraLista& f) {
    auto* lista = Hijo<QTreeWidget>(&f, "lvwLista");
    QStringList filas;
    for (int i = 0; i < lista->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* it = lista->topLevelItem(i);
        filas << it->data(0, Qt::UserRole).toString() + "|" + it->text(0) + "|" + it->text(1);
    }
    return filas;
}

}  // namespace

// A registry whose values depend on the key, as on a real machine.
class SistemaConRegistro : public SistemaDoble {
public:
    QString LeerRegistro(const QString& clave, const QString& valor) override {
        return valores.value(clave + "|" + valor);
    }
    QMap<QString, QString> valores;
};

// The catalogs of three companies in the delivered database, and a registry with values.
class VisoresTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        Sistema::Establecer(&registro);
        for (const char* sql : {
                 "INSERT INTO Empresas VALUES (1, 'OSDE', '101'), (3, 'PAMI', '103'), (4, 'IOMA', '104')",
                 "INSERT INTO Diagnosticos VALUES (1, 'J11', 'GRIPE', 0), (1, 'K2901', 'GASTRITIS', 0), "
                 "(3, 'I10', 'HIPERTENSION', 0)",
                 "INSERT INTO Medicamentos VALUES (1, 1234, '7790001', 'AMOXICILINA', '500 MG X 16', 123.45, 1, 0, 0), "
                 "(1, 99, NULL, 'IBUPROFENO', '400 MG', 50, 1, 0, 0)",
                 "INSERT INTO Medicos VALUES (1, 1234, 'B1', 'PEREZ JUAN', 0), (1, 55, 'C2', '   ', 0), "
                 "(1, 777, 'B1', 'UN APELLIDO MUY LARGO QUE NO CABE EN CUARENTA', 0), (3, 9, 'B1', 'GOMEZ', 0)",
             })
            ASSERT_GT(gDB->Ejecutar(sql), 0) << sql;
        Ajustes::Guardar(kAplicacion, kSeccionStart, "Empresa", "1");
    }
    SistemaConRegistro registro;
};

TEST_F(VisoresTest, TheRowViewerListsEveryVisibleColumnWithItsCaption) {
    // A list of the ticket items kind: the row number, then columns, one of them hidden.
    QTreeWidget items;
    items.setHeaderLabels({"Nro", "Troquel", "Oculta", "Nombre", "Cantidad"});
    new QTreeWidgetItem(&items, {"1", "1234", "x", "AMOXICILINA 500 MG X 16 COMPRIMIDOS", "2"});
    items.setColumnHidden(2, true);
    items.header()->resizeSection(4, 0);  // zero width hides a column too

    frmMuestraLista f;
    f.Cargar(items, 0, "Item 1");
    EXPECT_EQ(Renglones(f),
              (QStringList{"K1|Nro|1", "K2|Troquel|1234", "K4|Nombre|AMOXICILINA 500 MG X 16 COMPRIMIDOS"}));
    EXPECT_EQ(f.windowTitle(), "Item 1");

    auto* lista = Hijo<QTreeWidget>(&f, "lvwLista");
    EXPECT_EQ(lista->header()->sectionSize(1),
              f.fontMetrics().horizontalAdvance("AMOXICILINA 500 MG X 16 COMPRIMIDOS") + MargenCelda(lista));

    // Only the count given is shown.
    f.Cargar({"7", "8", "9"}, 2, {{"A", 100}, {"B", 100}, {"C", 100}}, "Dos");
    EXPECT_EQ(Renglones(f), (QStringList{"K1|A|7", "K2|B|8"}));

    Pulsar(&f, "cmdSalir");
    EXPECT_FALSE(f.isVisible());
}

TEST_F(VisoresTest, EachReportListsTheCatalogOfTheCompany) {
    const struct {
        const char* clave;
        int empresa;
        QString texto;
    } casos[] = {
        {"DIAGNOSTICOS", 1,
         QString::fromUtf8("DIAGNOSTICOS\r\nCódigo Nombre\r\n------ ---------------------------------------\r\n"
                           "   J11 GRIPE\r\n K2901 GASTRITIS\r\n")},
        {"DIAGNOSTICOS", 4, ""},  // a company without diagnoses has no report
        {"MEDICAMENTOS", 1,
         QString::fromUtf8("Troquel     Nombre    Presentación    Precio\r\n"
                           "99  IBUPROFENO    400 MG    50.00\r\n"
                           "1234  AMOXICILINA    500 MG X 16    123.45\r\n")},
        // A company's doctors come in the order of the table's key: by registration number.
        {"MEDICOS", 1,
         QString::fromUtf8("MEDICOS\r\nNombre                                   Matrícula Tipo\r\n"
                           "---------------------------------------- --------- ----\r\n"
                           "UN APELLIDO MUY LARGO QUE NO CABE EN CUA 777      B1\r\n"
                           "PEREZ JUAN                               1234      B1\r\n")},
        {"MEDICOS", 3,
         QString::fromUtf8("MEDICOS\r\nNombre                                   Matrícula Tipo\r\n"
                           "---------------------------------------- --------- ----\r\n"
                           "GOMEZ                                    9      B1\r\n")},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.clave) + " " + std::to_string(c.empresa));
        frmEditText f;
        f.SetEmpresa(c.empresa);
        Hijo<QAction>(&f, c.clave)->trigger();
        EXPECT_EQ(f.Texto().toStdString(), c.texto.toStdString());
        EXPECT_TRUE(Hijo<QLabel>(&f, "PANEL1")->text().isEmpty());
    }
}

// The company starts from the setting and follows the list; printing sends the text shown.
TEST_F(VisoresTest, TheCompanyFollowsTheListAndPrintingSendsTheShownText) {
    frmEditText f;
    f.show();
    auto* cbo = Hijo<QComboBox>(&f, "cboEmpresa");
    EXPECT_EQ(cbo->count(), 3);
    EXPECT_EQ(cbo->currentText(), "1 . OSDE");
    cbo->setCurrentIndex(cbo->findText("3 . PAMI"));
    Hijo<QAction>(&f, "DIAGNOSTICOS")->trigger();
    EXPECT_TRUE(f.Texto().contains("HIPERTENSION") && !f.Texto().contains("GRIPE"));
    impresora.copiasElegidas = 2;
    Hijo<QAction>(&f, "IMPRIMIR")->trigger();
    EXPECT_EQ(impresora.impresos, QStringList({f.Texto(), f.Texto()}));
    Hijo<QAction>(&f, "SALIR")->trigger();
    EXPECT_FALSE(f.isVisible());
}

TEST_F(VisoresTest, TheRegistrationBoxShowsOnlyForRegistrationLicences) {
    for (const bool licencia : {false, true}) {
        gLicenciaMatricula = licencia;
        frmEditText f;
        f.show();
        EXPECT_EQ(Hijo<QWidget>(&f, "txtMatricula")->isVisible(), licencia);
        EXPECT_EQ(Hijo<QWidget>(&f, "lblMatricula")->isVisible(), licencia);
    }
}

TEST_F(VisoresTest, TheShortcutActionOpensOneReportWindow) {
    QWidget principal;
    QAction* accion = frmEditText::InstalarAtajo(&principal);
    accion->trigger();
    accion->trigger();
    const auto abiertas = principal.findChildren<frmEditText*>();
    ASSERT_EQ(abiertas.size(), 1);
    EXPECT_TRUE(abiertas[0]->isVisible());
    abiertas[0]->close();
}

TEST_F(VisoresTest, SystemInformationStartsTheToolTheRegistryNamesOrSaysItIsUnavailable) {
    const QString herramienta = Ruta("msinfo/msinfo32.exe");
    QDir().mkpath(Ruta("msinfo"));
    EscribirArchivo(herramienta, "MZ");
    const QString kMsinfo = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
    const QString kUbicacion = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
    const QString kNoDisponible = "System Information Is Unavailable At This Time";
    const struct {
        const char* nombre;
        QMap<QString, QString> valores;
        QString hecho;  // the program started, or the message shown
    } casos[] = {
        {"the tool's own key", {{kMsinfo, herramienta}}, herramienta},
        {"the shared tools location", {{kUbicacion, Ruta("msinfo")}}, Ruta("msinfo") + "\\MSINFO32.EXE"},
        {"a key naming a missing file", {{kMsinfo, Ruta("falta.exe")}}, kNoDisponible},
        {"no key at all", {}, kNoDisponible},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        registro.valores = c.valores;
        registro.programas.clear();
        mensajes.mostrados.clear();
        frmAbout f;
        Pulsar(&f, "cmdSysInfo");
        QStringList hecho;
        for (const auto& programa : registro.programas) hecho << programa.first;
        hecho << mensajes.Textos();
        EXPECT_EQ(hecho, QStringList{c.hecho});
    }
}

TEST_F(VisoresTest, UpdateClosesTheBoxAndStartsTheUpdaterWithDirectoryVersionAndClient) {
    gQueloPath = dirTrabajo;
    frmAbout f;
    f.show();
    Pulsar(&f, "cmdActualizar");
    EXPECT_FALSE(f.isVisible());
    ASSERT_EQ(registro.programas.size(), 1);
    const QString dirPrograma = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    EXPECT_EQ(registro.programas[0].first, dirPrograma + QDir::separator() + "UpgradeWizardTarsa.exe");
    EXPECT_EQ(registro.programas[0].second,
              (QStringList{"/" + dirTrabajo, "/" + QString(TARSA_VERSION),
                           "/" + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())}));
}
