// The search dialog: templates, options, statements, sorting, selection and failures, driven offscreen
// through the modal-window handler.
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include <functional>

#include "core/modTarsa.h"
#include "platform/ui/Modal.h"
#include "support/Entorno.h"
#include "ui/frmPromptedSearch.h"
#include "ui/modPresentacion.h"

namespace {

const QString kDiagnosticosMenu = QString::fromUtf8(
    "SELECT {Código}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE 1= 1 AND {Options:"
    "Nombre;Nombre LIKE '{S}*';Código;Codigo LIKE '{S}*';Todos;}");
const QString kMedicamentosMenu = QString::fromUtf8(
    "SELECT {Troquel}Troquel, {Código Barra}CodigoBarra, {Nombre}Nombre, {Presentación}Presentacion, "
    "{Precio}Precio FROM Medicamentos WHERE 1=1 AND {Options:Nombre;Nombre LIKE '{S}*';Troquel;Troquel LIKE '{S}*'}");
QString MedicosMenu(int empresa) {
    return QString::fromUtf8("SELECT {Matricula}Matricula, {Tipo Matricula}TipoMatricula, {Apellido}ApellidoNombre "
                             "FROM Medicos WHERE IdEmpresa=%1 AND {Options:"
                             "Nombre;ApellidoNombre LIKE '{S}*';Matricula;Matricula = {S};Todos;}")
        .arg(empresa);
}
const QString kMedicosTicket = QString::fromUtf8(
    "SELECT {Matricula}Matricula, {Tipo Matricula}TipoMatricula, {Apellido}ApellidoNombre FROM Medicos WHERE {Options:"
    "Nombre;ApellidoNombre LIKE '{S}*';Matricula;Cstr(Matricula) = '{S}'}");
QString PlanesItem(int empresa) {
    return QString::fromUtf8("SELECT {Código}Codigo, {Tipo}PlanCobertura, {Cobertura}PorcentajeCobertura FROM Planes "
                             "WHERE IdEmpresa=%1 AND {Options:Código;Codigo LIKE '{S}*'}")
        .arg(empresa);
}

template <class T>
T* Control(QWidget& w, const char* nombre) {
    T* c = w.findChild<T*>(nombre);
    if (!c) ADD_FAILURE() << "missing control " << nombre;
    return c;
}

QStringList Fila(QTreeView* lista, int fila) {
    QStringList textos;
    for (int c = 0; c < lista->model()->columnCount(); ++c) textos << lista->model()->index(fila, c).data().toString();
    return textos;
}

QStringList Encabezados(QTreeView* lista) {
    QStringList textos;
    for (int c = 0; c < lista->model()->columnCount(); ++c)
        textos << lista->model()->headerData(c, Qt::Horizontal).toString();
    return textos;
}

QStringList Columna(QTreeView* lista, int columna) {
    QStringList textos;
    for (int r = 0; r < lista->model()->rowCount(); ++r) textos << lista->model()->index(r, columna).data().toString();
    return textos;
}

}  // namespace

class Busqueda : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        AbrirBaseEntregada();
        for (const char* sql : {
                 "INSERT INTO Empresas VALUES (1, 'OSDE', '101')",
                 "INSERT INTO Empresas VALUES (3, 'PAMI', '103')",
                 "INSERT INTO Diagnosticos VALUES (1, 'A01', 'GRIPE', 0)",
                 "INSERT INTO Diagnosticos VALUES (1, 'B02', 'GASTRITIS', 0)",
                 "INSERT INTO Diagnosticos VALUES (1, 'A05', 'angina', 0)",
                 "INSERT INTO Diagnosticos VALUES (3, 'D04', 'GRIPE AVIAR', 0)",
                 "INSERT INTO Medicamentos VALUES (1, 1234, '7790001', 'AMOXICILINA', '500 MG X 16', 123.45, 1, 0, 0)",
                 "INSERT INTO Medicamentos VALUES (1, 1299, '7790002', 'IBUPROFENO', '400 MG X 10', 50.5, 1, 0, 0)",
                 "INSERT INTO Medicamentos VALUES (1, 5555, NULL, 'AMOXIDAL DUO', '1 G X 8', 200, 1, 0, 0)",
                 "INSERT INTO Medicos VALUES (3, 1234, 'B1', 'PEREZ JUAN', 0)",
                 "INSERT INTO Medicos VALUES (3, 5678, 'C2', 'GOMEZ ANA', 0)",
                 "INSERT INTO Medicos VALUES (1, 777, 'B1', 'PAZ LUIS', 0)",
                 "INSERT INTO Planes VALUES (3, 'P10', 40, '', 0)",
                 "INSERT INTO Planes VALUES (3, 'Q20', 100, 'ESPECIAL', 0)",
             })
            ASSERT_EQ(gDB->Ejecutar(sql), 1) << sql;
    }
    void TearDown() override {
        EstablecerManejadorModal({});
        Entorno::TearDown();
    }

    // Shows the dialog through Perform and lets the script act as the user.
    std::optional<ResultadoBusqueda> Perform(const QString& plantilla, const QString& titulo,
                                             const std::function<void(frmPromptedSearch&)>& guion) {
        EstablecerManejadorModal([&](QDialog& d) {
            auto& f = static_cast<frmPromptedSearch&>(d);
            f.show();
            guion(f);
            f.hide();
            return f.result();
        });
        return dlg.Perform(plantilla, titulo, true, true);
    }

    static void Elegir(frmPromptedSearch& f, const QString& opcion) {
        QComboBox* cbo = Control<QComboBox>(f, "cboOption");
        const int i = cbo->findText(opcion);
        ASSERT_GE(i, 0) << opcion.toStdString();
        cbo->setCurrentIndex(i);
    }
    static void Escribir(frmPromptedSearch& f, const QString& patron) {
        QLineEdit* txt = Control<QLineEdit>(f, "txtPattern");
        txt->clear();
        QTest::keyClicks(txt, patron);
    }
    static void ClickBuscar(frmPromptedSearch& f) { Control<QPushButton>(f, "cmdSearchBegin")->click(); }
    static void ClickEncabezado(frmPromptedSearch& f, int columna) {
        QHeaderView* h = Control<QTreeView>(f, "lvwResult")->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2, h->height() / 2));
    }
    static void ElegirFila(frmPromptedSearch& f, int fila) {
        QTreeView* lista = Control<QTreeView>(f, "lvwResult");
        const QModelIndex i = lista->model()->index(fila, 0);
        lista->selectionModel()->select(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(i).center());
    }

    int Contar(const QString& tabla) {
        auto r = gDB->Consultar("SELECT COUNT(*) AS n FROM " + tabla);
        return r->Campo("n").toInt();
    }

    frmPromptedSearch dlg;
};

// Each template in use, with an option and a pattern: the statement sent and what the list shows.
TEST_F(Busqueda, EveryTemplateBuildsItsStatementAndListsWhatItFinds) {
    struct Caso {
        const char* nombre;
        QString plantilla;
        QString opcion;  // empty: the template has no options
        QString patron;
        QString sql;
        QStringList encabezados;
        QStringList primeraColumna;
    };
    const QList<Caso> casos = {
        {"diagnoses by name, typed in lower case", kDiagnosticosMenu, "Nombre", "gri",
         "SELECT Codigo, Nombre FROM Diagnosticos WHERE 1= 1 AND Nombre LIKE 'gri*'",
         {QString::fromUtf8("Código"), "Nombre"}, {"A01", "D04"}},
        {"diagnoses, every row", kDiagnosticosMenu, "Todos", "", "SELECT Codigo, Nombre FROM Diagnosticos WHERE 1= 1",
         {QString::fromUtf8("Código"), "Nombre"}, {"A01", "B02", "A05", "D04"}},
        {"doctors of a company, every row", MedicosMenu(3), "Todos", "",
         "SELECT Matricula, TipoMatricula, ApellidoNombre FROM Medicos WHERE IdEmpresa=3",
         {"Matricula", "Tipo Matricula", "Apellido"}, {"1234", "5678"}},
        {"doctors of a company by registration", MedicosMenu(3), "Matricula", "5678",
         "SELECT Matricula, TipoMatricula, ApellidoNombre FROM Medicos WHERE IdEmpresa=3 AND Matricula = 5678",
         {"Matricula", "Tipo Matricula", "Apellido"}, {"5678"}},
        {"medications by troquel", kMedicamentosMenu, "Troquel", "12",
         "SELECT Troquel, CodigoBarra, Nombre, Presentacion, Precio FROM Medicamentos WHERE 1=1 AND Troquel LIKE '12*'",
         {"Troquel", QString::fromUtf8("Código Barra"), "Nombre", QString::fromUtf8("Presentación"), "Precio"},
         {"1234", "1299"}},
        {"ticket doctor look-up by registration", kMedicosTicket, "Matricula", "777",
         "SELECT Matricula, TipoMatricula, ApellidoNombre FROM Medicos WHERE Cstr(Matricula) = '777'",
         {"Matricula", "Tipo Matricula", "Apellido"}, {"777"}},
        {"plans of a company by code", PlanesItem(3), QString::fromUtf8("Código"), "q",
         "SELECT Codigo, PlanCobertura, PorcentajeCobertura FROM Planes WHERE IdEmpresa=3 AND Codigo LIKE 'q*'",
         {QString::fromUtf8("Código"), "Tipo", "Cobertura"}, {"Q20"}},
        {"no options block: only the pattern is replaced",
         QString::fromUtf8("SELECT {Código}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'"), "",
         "GA", "SELECT Codigo, Nombre FROM Diagnosticos WHERE Nombre LIKE 'GA*'",
         {QString::fromUtf8("Código"), "Nombre"}, {"B02"}},
        {"keys with a table prefix read the bare field",
         QString::fromUtf8("SELECT {Empresa}Empresas.Nombre, {Código}Diagnosticos.Codigo FROM Diagnosticos INNER JOIN "
                           "Empresas ON Empresas.IdEmpresa = Diagnosticos.IdEmpresa WHERE 1= 1 AND {Options:Todos;}"),
         "Todos", "",
         "SELECT Empresas.Nombre, Diagnosticos.Codigo FROM Diagnosticos INNER JOIN Empresas ON Empresas.IdEmpresa = "
         "Diagnosticos.IdEmpresa WHERE 1= 1",
         {"Empresa", QString::fromUtf8("Código")}, {"OSDE", "OSDE", "OSDE", "PAMI"}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Perform(caso.plantilla, "Prueba", [&](frmPromptedSearch& f) {
            EXPECT_EQ(Control<QComboBox>(f, "cboOption")->isVisible(), !caso.opcion.isEmpty());
            EXPECT_EQ(Control<QLabel>(f, "lblOption")->isVisible(), !caso.opcion.isEmpty());
            if (!caso.opcion.isEmpty()) Elegir(f, caso.opcion);
            if (!caso.patron.isEmpty()) Escribir(f, caso.patron);
            ClickBuscar(f);
            QTreeView* lista = Control<QTreeView>(f, "lvwResult");
            EXPECT_EQ(f.SqlConstruido(), caso.sql);
            EXPECT_EQ(Encabezados(lista), caso.encabezados);
            EXPECT_EQ(Columna(lista, 0), caso.primeraColumna);
            EXPECT_EQ(Control<QStatusBar>(f, "StatusBar")->currentMessage(),
                      QString::number(caso.primeraColumna.size()) + " registro(s) encontrado(s)");
            EXPECT_TRUE(Control<QPushButton>(f, "cmdOK")->isEnabled());
        });
        EXPECT_TRUE(mensajes.mostrados.isEmpty()) << mensajes.mostrados.value(0).texto.toStdString();
    }
}

TEST_F(Busqueda, TheOptionsBlockBecomesAMarkerAndFillsTheOptionList) {
    dlg.EstablecerPlantilla(kDiagnosticosMenu);
    EXPECT_EQ(dlg.Plantilla(),
              QString::fromUtf8("SELECT {Código}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE 1= 1 AND {Options}"));
    QComboBox* cbo = Control<QComboBox>(dlg, "cboOption");
    QStringList etiquetas;
    for (int i = 0; i < cbo->count(); ++i) etiquetas << cbo->itemText(i);
    EXPECT_EQ(etiquetas, (QStringList{"Nombre", QString::fromUtf8("Código"), "Todos"}));
    EXPECT_EQ(cbo->currentIndex(), 0);

    // A new template without options hides the list again.
    dlg.EstablecerPlantilla("SELECT {Nombre}Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'");
    EXPECT_TRUE(cbo->isHidden());
    EXPECT_EQ(cbo->count(), 0);
}

// Which of the pattern box and the search button the user can use, by option and pattern.
TEST_F(Busqueda, ThePatternAndTheSearchButtonFollowTheOptionAndThePattern) {
    struct Caso {
        QString plantilla;
        QString opcion;
        QString patron;
        bool patronHabilitado;
        bool buscarHabilitado;
    };
    const QString sinOpciones = "SELECT {Nombre}Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'";
    const QList<Caso> casos = {
        {kDiagnosticosMenu, "Todos", "", false, true},   {kDiagnosticosMenu, "Nombre", "", true, false},
        {kDiagnosticosMenu, "Nombre", "   ", true, false}, {kDiagnosticosMenu, "Nombre", "g", true, true},
        {sinOpciones, "", "", true, false},               {sinOpciones, "", " x ", true, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE((c.opcion + "/" + c.patron).toStdString());
        Perform(c.plantilla, "Prueba", [&](frmPromptedSearch& f) {
            if (!c.opcion.isEmpty()) Elegir(f, c.opcion);
            if (!c.patron.isEmpty()) Escribir(f, c.patron);
            EXPECT_EQ(Control<QLineEdit>(f, "txtPattern")->isEnabled(), c.patronHabilitado);
            EXPECT_EQ(Control<QPushButton>(f, "cmdSearchBegin")->isEnabled(), c.buscarHabilitado);
        });
    }
}

TEST_F(Busqueda, EnterInThePatternRunsTheSearchOnlyWhenItCan) {
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        QLineEdit* txt = Control<QLineEdit>(f, "txtPattern");
        QTreeView* lista = Control<QTreeView>(f, "lvwResult");
        QTest::keyClick(txt, Qt::Key_Return);  // blank pattern: nothing runs
        EXPECT_TRUE(f.SqlConstruido().isEmpty());
        Escribir(f, "GA");
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(Columna(lista, 0), QStringList{"B02"});
        EXPECT_EQ(txt->selectedText(), "GA");
        EXPECT_FALSE(txt->isReadOnly());
        ASSERT_TRUE(Control<QPushButton>(f, "cmdOK")->isEnabled());
        QFocusEvent entrada(QEvent::FocusIn);  // back into the pattern: nothing to accept until a row is clicked
        QApplication::sendEvent(txt, &entrada);
        EXPECT_FALSE(Control<QPushButton>(f, "cmdOK")->isEnabled());
    });
}

TEST_F(Busqueda, AnEmptyResultClearsTheStatusAndLeavesAcceptOff) {
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Elegir(f, "Todos");
        ClickBuscar(f);
        ASSERT_FALSE(Control<QStatusBar>(f, "StatusBar")->currentMessage().isEmpty());
        Elegir(f, "Nombre");
        Escribir(f, "ZZZ");
        ClickBuscar(f);
        EXPECT_EQ(Control<QTreeView>(f, "lvwResult")->model()->rowCount(), 0);
        EXPECT_TRUE(Control<QStatusBar>(f, "StatusBar")->currentMessage().isEmpty());
        EXPECT_FALSE(Control<QPushButton>(f, "cmdOK")->isEnabled());
    });
}

TEST_F(Busqueda, ClickingAHeaderSortsAndTheSameHeaderAgainReverses) {
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Elegir(f, "Todos");
        ClickBuscar(f);
        QTreeView* lista = Control<QTreeView>(f, "lvwResult");
        ClickEncabezado(f, 1);
        EXPECT_EQ(Columna(lista, 1), (QStringList{"angina", "GASTRITIS", "GRIPE", "GRIPE AVIAR"}));
        ClickEncabezado(f, 1);
        EXPECT_EQ(Columna(lista, 1), (QStringList{"GRIPE AVIAR", "GRIPE", "GASTRITIS", "angina"}));
        EXPECT_EQ(lista->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        ClickEncabezado(f, 0);  // another column starts ascending
        EXPECT_EQ(Columna(lista, 0), (QStringList{"A01", "A05", "B02", "D04"}));
    });
}

TEST_F(Busqueda, AcceptingReturnsEveryFieldOfTheChosenRowEvenAfterSorting) {
    const auto r = Perform(kMedicamentosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Escribir(f, "amox");
        ClickBuscar(f);
        ClickEncabezado(f, 2);
        ClickEncabezado(f, 2);  // AMOXIDAL DUO now comes first
        ElegirFila(f, 0);
        EXPECT_TRUE(Control<QPushButton>(f, "cmdOK")->isEnabled());
        Control<QPushButton>(f, "cmdOK")->click();
    });
    ASSERT_TRUE(r.has_value());
    QStringList nombres;
    for (const auto& c : r->Campos) nombres << c.first;
    EXPECT_EQ(nombres, (QStringList{"Troquel", "CodigoBarra", "Nombre", "Presentacion", "Precio"}));
    EXPECT_EQ(r->Item("troquel").toInt(), 5555);
    EXPECT_TRUE(r->Item("CodigoBarra").isNull());
    EXPECT_EQ(r->Item("Nombre").toString(), "AMOXIDAL DUO");
}

TEST_F(Busqueda, TheReturnMarkerReturnsOnlyItsField) {
    struct Caso {
        QString plantilla;
        QStringList encabezados;
        QString campo;
        QVariant valor;
    };
    const QList<Caso> casos = {
        {QString::fromUtf8("SELECT {R}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE {Options:Nombre;Nombre LIKE '{S}*'}"),
         {"Nombre"}, "Codigo", "B02"},
        {QString::fromUtf8("SELECT {Nombre}{R}Diagnosticos.Nombre, Codigo FROM Diagnosticos WHERE Nombre LIKE '{S}*'"),
         {"Nombre"}, "Nombre", "GASTRITIS"},
    };
    for (const Caso& c : casos) {
        const auto r = Perform(c.plantilla, "Prueba", [&](frmPromptedSearch& f) {
            Escribir(f, "GAS");
            ClickBuscar(f);
            EXPECT_EQ(Encabezados(Control<QTreeView>(f, "lvwResult")), c.encabezados);
            ElegirFila(f, 0);
            Control<QPushButton>(f, "cmdOK")->click();
        });
        ASSERT_TRUE(r.has_value());
        ASSERT_EQ(r->Count(), 1);
        EXPECT_EQ(r->Campos[0].first, c.campo);
        EXPECT_EQ(r->Campos[0].second, c.valor);
    }
}

TEST_F(Busqueda, DoubleClickingASelectedRowAccepts) {
    const auto r = Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Escribir(f, "GAS");
        ClickBuscar(f);
        ElegirFila(f, 0);
        QTreeView* lista = Control<QTreeView>(f, "lvwResult");
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(lista->model()->index(0, 0)).center());
    });
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->Item("Codigo").toString(), "B02");
}

TEST_F(Busqueda, AcceptingWithoutASelectionComplainsAndStaysOpenAndCancelReturnsNothing) {
    const auto r = Perform(kDiagnosticosMenu, "Búsqueda de Diagnósticos", [&](frmPromptedSearch& f) {
        Elegir(f, "Todos");
        ClickBuscar(f);
        Control<QPushButton>(f, "cmdOK")->click();
        ASSERT_EQ(mensajes.mostrados.size(), 1);
        EXPECT_TRUE(mensajes.mostrados[0].texto.startsWith("Error:\n"));
        EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbCritical);
        EXPECT_TRUE(f.isVisible());
        Control<QPushButton>(f, "cmdCancel")->click();
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_FALSE(r.has_value());
}

// Statements that the database refuses: the dialog reports them and stays usable.
TEST_F(Busqueda, ARefusedStatementShowsTheErrorAndLeavesTheDialogUsable) {
    struct Caso {
        const char* nombre;
        QString plantilla;
        QString titulo;
        QString opcion;
        QString patron;
    };
    const QList<Caso> casos = {
        {"a registration that is not a number", MedicosMenu(3), QString::fromUtf8("Búsqueda de Médicos"), "Matricula",
         "abc"},
        {"a quote inside a quoted condition", kDiagnosticosMenu, QString::fromUtf8("Búsqueda de Diagnósticos"), "Nombre",
         "O'BRIEN"},
        {"a second statement that deletes", kMedicamentosMenu, "Búsqueda de Medicamentos", "Nombre",
         "x'; DELETE FROM Medicamentos; --"},
        {"a malformed template", "SELECT {Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'", "Plantilla", "", "x"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        mensajes.mostrados.clear();
        Perform(c.plantilla, c.titulo, [&](frmPromptedSearch& f) {
            if (!c.opcion.isEmpty()) Elegir(f, c.opcion);
            Escribir(f, c.patron);
            ClickBuscar(f);
            EXPECT_TRUE(Control<QPushButton>(f, "cmdSearchBegin")->isEnabled());
            EXPECT_FALSE(Control<QLineEdit>(f, "txtPattern")->isReadOnly());
            EXPECT_EQ(Control<QTreeView>(f, "lvwResult")->model()->rowCount(), 0);
        });
        ASSERT_EQ(mensajes.mostrados.size(), 1);
        const MensajeMostrado& m = mensajes.mostrados[0];
        EXPECT_EQ(m.estilo, Mensajes::vbCritical);
        EXPECT_EQ(m.titulo, c.titulo);
        EXPECT_TRUE(m.texto.startsWith("Error:\n")) << m.texto.toStdString();
        EXPECT_TRUE(m.texto.endsWith("\n"));
        EXPECT_GT(m.texto.size(), QString("Error:\n\n").size());
    }
    EXPECT_EQ(Contar("Medicamentos"), 3);
}

TEST_F(Busqueda, ColumnsFitTheirWidestTextOrShareTheListWidth) {
    ASSERT_EQ(gDB->Ejecutar("INSERT INTO Diagnosticos VALUES (1, 'X9', 'ENFERMEDAD DE NOMBRE MUY LARGO', 0)"), 1);
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Elegir(f, "Todos");
        ClickBuscar(f);
        QTreeView* lista = Control<QTreeView>(f, "lvwResult");
        const QFontMetrics fm = f.fontMetrics();
        const int margen = MargenCelda(lista);
        // The caption is wider than every code; the long name is wider than its caption.
        EXPECT_EQ(lista->header()->sectionSize(0), fm.horizontalAdvance(QString::fromUtf8("Código")) + margen);
        EXPECT_EQ(lista->header()->sectionSize(1), fm.horizontalAdvance("ENFERMEDAD DE NOMBRE MUY LARGO") + margen);

        f.SetAutoColumnWidth(false);
        EXPECT_EQ(lista->header()->sectionSize(0), lista->width() / 2 - 25);
        EXPECT_EQ(lista->header()->sectionSize(1), lista->width() / 2 - 25);
        f.SetAutoColumnWidth(true);
        EXPECT_EQ(lista->header()->sectionSize(1), fm.horizontalAdvance("ENFERMEDAD DE NOMBRE MUY LARGO") + margen);
    });
}

TEST_F(Busqueda, ThePatternBoxStartsFurtherRightWhenThereAreOptions) {
    Perform("SELECT {Nombre}Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'", "Prueba", [&](frmPromptedSearch& f) {
        EXPECT_EQ(Control<QLineEdit>(f, "txtPattern")->x(), 52);  // 780 twips
    });
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        EXPECT_EQ(Control<QLineEdit>(f, "txtPattern")->x(), 156);  // 2340 twips
        EXPECT_LT(Control<QComboBox>(f, "cboOption")->geometry().right(), 156);
    });
}

TEST_F(Busqueda, TheNextPerformStartsWithAnEmptyList) {
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Elegir(f, "Todos");
        ClickBuscar(f);
        Control<QPushButton>(f, "cmdCancel")->click();
    });
    Perform(kMedicamentosMenu, "Prueba", [&](frmPromptedSearch& f) {
        EXPECT_EQ(Control<QTreeView>(f, "lvwResult")->model()->rowCount(), 0);
        EXPECT_TRUE(Control<QLineEdit>(f, "txtPattern")->text().isEmpty());
        EXPECT_FALSE(Control<QPushButton>(f, "cmdOK")->isEnabled());
        EXPECT_EQ(f.windowTitle(), "Prueba");
    });
}
