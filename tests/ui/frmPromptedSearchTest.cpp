// The search dialog: templates, options, sorting, selection and failures, driven offscreen.
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>

#include "catalogs/ConBase.h"
#include "platform/ui/Modal.h"
#include "support/Controles.h"
#include "ui/frmPromptedSearch.h"
#include "ui/modPresentacion.h"

namespace {

const QString kDiagnosticosMenu = QString::fromUtf8(
    "SELECT {Código}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE 1= 1 AND {Options:"
    "Nombre;Nombre LIKE '{S}*';Código;Codigo LIKE '{S}*';Todos;}");
const QString kMedicamentosMenu = QString::fromUtf8(
    "SELECT {Troquel}Troquel, {Código Barra}CodigoBarra, {Nombre}Nombre, {Presentación}Presentacion, "
    "{Precio}Precio FROM Medicamentos WHERE 1=1 AND {Options:Nombre;Nombre LIKE '{S}*';Troquel;Troquel LIKE '{S}*'}");
const QString kMedicosMenu = QString::fromUtf8(
    "SELECT {Matricula}Matricula, {Tipo Matricula}TipoMatricula, {Apellido}ApellidoNombre FROM Medicos WHERE "
    "IdEmpresa=3 AND {Options:Nombre;ApellidoNombre LIKE '{S}*';Matricula;Matricula = {S};Todos;}");
// A statement that would run for ever.
const QString kInterminable = QString::fromUtf8(
    "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x+1 FROM c) SELECT {Número}x FROM c WHERE x = {S}");

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

class frmPromptedSearchTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        for (const char* sql : {
                 "INSERT INTO Empresas VALUES (1, 'OSDE', '101'), (3, 'PAMI', '103')",
                 "INSERT INTO Diagnosticos VALUES (1, 'A01', 'GRIPE', 0), (1, 'B02', 'GASTRITIS', 0), "
                 "(1, 'A05', 'angina', 0), (3, 'D04', 'GRIPE AVIAR', 0)",
                 "INSERT INTO Medicamentos VALUES (1, 1234, '7790001', 'AMOXICILINA', '500 MG X 16', 123.45, 1, 0, 0), "
                 "(1, 1299, '7790002', 'IBUPROFENO', '400 MG X 10', 50.5, 1, 0, 0), "
                 "(1, 5555, NULL, 'AMOXIDAL DUO', '1 G X 8', 200, 1, 0, 0)",
                 "INSERT INTO Medicos VALUES (3, 1234, 'B1', 'PEREZ JUAN', 0), (3, 5678, 'C2', 'GOMEZ ANA', 0), "
                 "(1, 777, 'B1', 'PAZ LUIS', 0)",
             })
            ASSERT_GT(gDB->Ejecutar(sql), 0) << sql;
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

    // Chooses the option and types the pattern when given, then clicks the search button unless told not to.
    static void Buscar(frmPromptedSearch& f, const QString& opcion, const QString& patron, bool pulsar = true) {
        if (!opcion.isEmpty()) Elegir(&f, "cboOption", opcion);
        if (!patron.isEmpty()) Escribir(&f, "txtPattern", patron);
        if (pulsar) Pulsar(&f, "cmdSearchBegin");
    }
    static QTreeView* Lista(frmPromptedSearch& f) { return Hijo<QTreeView>(&f, "lvwResult"); }
    static void ClickEncabezado(frmPromptedSearch& f, int columna) {
        QHeaderView* h = Lista(f)->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2, h->height() / 2));
    }
    static void ElegirFila(frmPromptedSearch& f, int fila) {
        QTreeView* lista = Lista(f);
        const QModelIndex i = lista->model()->index(fila, 0);
        lista->selectionModel()->select(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(i).center());
    }
    // Medications 1 to n: troquel 10000 + i, name "MEDICAMENTO i", price i / 4.
    static void AgregarMedicamentos(int n) {
        gDB->Ejecutar(QString("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                              "INSERT INTO Medicamentos (IdEmpresa, Troquel, Nombre, Precio) "
                              "SELECT 1, 10000 + i, 'MEDICAMENTO ' || i, i / 4.0 FROM n")
                          .arg(n));
    }

    frmPromptedSearch dlg;
};

// Templates of each shape (options or none, a table prefix): what the list shows.
TEST_F(frmPromptedSearchTest, EveryTemplateListsWhatItFinds) {
    const struct {
        const char* nombre;
        QString plantilla, opcion, patron;  // no option: the template has no options
        QString encabezados, primeraColumna;
    } casos[] = {
        {"diagnoses by name, typed in lower case", kDiagnosticosMenu, "Nombre", "gri", "Código|Nombre", "A01|D04"},
        {"doctors of a company by registration", kMedicosMenu, "Matricula", "5678", "Matricula|Tipo Matricula|Apellido",
         "5678"},
        {"no options block: only the pattern is replaced",
         "SELECT {Código}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'", "", "GA", "Código|Nombre",
         "B02"},
        {"keys with a table prefix read the bare field",
         "SELECT {Empresa}Empresas.Nombre, {Código}Diagnosticos.Codigo FROM Diagnosticos INNER JOIN Empresas ON "
         "Empresas.IdEmpresa = Diagnosticos.IdEmpresa WHERE 1= 1 AND {Options:Todos;}",
         "Todos", "", "Empresa|Código", "OSDE|OSDE|OSDE|PAMI"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Perform(caso.plantilla, "Prueba", [&](frmPromptedSearch& f) {
            EXPECT_EQ(Hijo<QComboBox>(&f, "cboOption")->isVisible(), !caso.opcion.isEmpty());
            EXPECT_EQ(Hijo<QLabel>(&f, "lblOption")->isVisible(), !caso.opcion.isEmpty());
            Buscar(f, caso.opcion, caso.patron);
            EXPECT_EQ(Encabezados(Lista(f)).join('|'), caso.encabezados);
            EXPECT_EQ(Columna(Lista(f), 0).join('|'), caso.primeraColumna);
            const int n = Lista(f)->model()->rowCount();
            EXPECT_EQ(Hijo<QStatusBar>(&f, "StatusBar")->currentMessage(),
                      QString::number(n) + " registro(s) encontrado(s)");
            EXPECT_EQ(Hijo<QPushButton>(&f, "cmdOK")->isEnabled(), n > 0);
        });
        EXPECT_TRUE(mensajes.mostrados.isEmpty()) << mensajes.mostrados.value(0).texto.toStdString();
    }
}

TEST_F(frmPromptedSearchTest, ThePatternAndTheSearchButtonFollowTheOptionAndThePattern) {
    const QString sinOpciones = "SELECT {Nombre}Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'";
    const struct {
        QString plantilla, opcion, patron;
        bool patronHabilitado, buscarHabilitado;
    } casos[] = {
        {kDiagnosticosMenu, "Todos", "", false, true},
        {kDiagnosticosMenu, "Nombre", "", true, false},
        {kDiagnosticosMenu, "Nombre", "   ", true, false},
        {kDiagnosticosMenu, "Nombre", "g", true, true},
        {sinOpciones, "", "", true, false},
        {sinOpciones, "", " x ", true, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE((c.opcion + "/" + c.patron).toStdString());
        Perform(c.plantilla, "Prueba", [&](frmPromptedSearch& f) {
            Buscar(f, c.opcion, c.patron, false);
            EXPECT_EQ(Hijo<QLineEdit>(&f, "txtPattern")->isEnabled(), c.patronHabilitado);
            EXPECT_EQ(Hijo<QPushButton>(&f, "cmdSearchBegin")->isEnabled(), c.buscarHabilitado);
        });
    }
}

TEST_F(frmPromptedSearchTest, EnterInThePatternRunsTheSearchOnlyWhenItCan) {
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        QLineEdit* txt = Hijo<QLineEdit>(&f, "txtPattern");
        QTreeView* lista = Lista(f);
        QTest::keyClick(txt, Qt::Key_Return);  // blank pattern: nothing runs
        EXPECT_TRUE(f.SqlConstruido().isEmpty());
        Buscar(f, "", "GA", false);
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(Columna(lista, 0), QStringList{"B02"});
        EXPECT_EQ(txt->selectedText(), "GA");
        EXPECT_FALSE(txt->isReadOnly());
        ASSERT_TRUE(Hijo<QPushButton>(&f, "cmdOK")->isEnabled());
        QFocusEvent entrada(QEvent::FocusIn);  // back into the pattern: nothing to accept until a row is clicked
        QApplication::sendEvent(txt, &entrada);
        EXPECT_FALSE(Hijo<QPushButton>(&f, "cmdOK")->isEnabled());
        Buscar(f, "", "ZZZ", false);  // nothing found: the status is cleared
        QTest::keyClick(txt, Qt::Key_Return);
        EXPECT_EQ(lista->model()->rowCount(), 0);
        EXPECT_TRUE(Hijo<QStatusBar>(&f, "StatusBar")->currentMessage().isEmpty());
    });
}

TEST_F(frmPromptedSearchTest, ClickingAHeaderSortsAndTheSameHeaderAgainReverses) {
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Buscar(f, "Todos", "");
        QTreeView* lista = Lista(f);
        ClickEncabezado(f, 1);
        EXPECT_EQ(Columna(lista, 1), (QStringList{"angina", "GASTRITIS", "GRIPE", "GRIPE AVIAR"}));
        ClickEncabezado(f, 1);
        EXPECT_EQ(Columna(lista, 1), (QStringList{"GRIPE AVIAR", "GRIPE", "GASTRITIS", "angina"}));
        EXPECT_EQ(lista->header()->sortIndicatorOrder(), Qt::DescendingOrder);
        ClickEncabezado(f, 0);  // another column starts ascending
        EXPECT_EQ(Columna(lista, 0), (QStringList{"A01", "A05", "B02", "D04"}));
    });
    // Money shows as money where the pharmacy is, and sorts by its value, not by its text.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    gDB->Ejecutar("INSERT INTO Medicamentos VALUES (1, 7777, '7790003', 'AMOXI FORTE', 'X 30', 1520.5, 1, 0, 0)");
    Perform(kMedicamentosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Buscar(f, "Nombre", "AMOX");
        ClickEncabezado(f, 4);
        EXPECT_EQ(Columna(Lista(f), 4), (QStringList{"123,45", "200,00", "1.520,50"}));
        ClickEncabezado(f, 4);
        EXPECT_EQ(Columna(Lista(f), 4), (QStringList{"1.520,50", "200,00", "123,45"}));
    });
}

// The dialog starts in the pattern, Enter searches and marks the first row, the arrows choose.
TEST_F(frmPromptedSearchTest, FromTheKeyboardTypeEnterChooseAndEnterOrEscape) {
    for (const bool aceptar : {true, false}) {
        const auto r = Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
            Activar(f);
            EXPECT_EQ(NombreConFoco(), "txtPattern");
            Teclear("GRI");
            Tecla(Qt::Key_Return);
            EXPECT_EQ(NombreConFoco(), "lvwResult");
            Tecla(Qt::Key_Down);
            Tecla(aceptar ? Qt::Key_Return : Qt::Key_Escape);
            EXPECT_FALSE(f.isVisible());
        });
        ASSERT_EQ(r.has_value(), aceptar);
        if (r) EXPECT_EQ(r->Item("Codigo").toString(), "D04");
    }
}

// A long result is kept in blocks of a few thousand rows: rows either side of a block's edge and the
// last one, chosen after sorting and accepted with the button or a double click, return their own fields.
TEST_F(frmPromptedSearchTest, AcceptingReturnsEveryFieldOfTheChosenRowEvenAfterSortingALongList) {
    constexpr int kFilas = 9000;
    AgregarMedicamentos(kFilas);
    for (const int fila : {4095, 4096, kFilas - 1}) {
        const bool doble = fila == kFilas - 1;  // the first row shown
        const auto r = Perform(kMedicamentosMenu, "Medicamentos", [&](frmPromptedSearch& f) {
            Buscar(f, "Nombre", "MED");
            QTreeView* lista = Lista(f);
            EXPECT_EQ(lista->model()->rowCount(), kFilas);
            ClickEncabezado(f, 0);
            ClickEncabezado(f, 0);  // the last read first
            ElegirFila(f, kFilas - 1 - fila);
            if (doble)
                QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {},
                                   lista->visualRect(lista->model()->index(0, 0)).center());
            else
                Pulsar(&f, "cmdOK");
        });
        ASSERT_TRUE(r.has_value()) << fila;
        QStringList nombres;
        for (const auto& c : r->Campos) nombres << c.first;
        EXPECT_EQ(nombres, (QStringList{"Troquel", "CodigoBarra", "Nombre", "Presentacion", "Precio"}));
        EXPECT_EQ(r->Item("troquel").toInt(), 10001 + fila);
        EXPECT_TRUE(r->Item("CodigoBarra").isNull());
        EXPECT_EQ(r->Item("Nombre").toString(), QString("MEDICAMENTO %1").arg(fila + 1));
        EXPECT_EQ(r->Item("Precio").toDouble(), (fila + 1) / 4.0);
    }
}

TEST_F(frmPromptedSearchTest, TheReturnMarkerReturnsOnlyItsField) {
    const struct {
        QString plantilla, campo;
        QVariant valor;
    } casos[] = {
        {"SELECT {R}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE {Options:Nombre;Nombre LIKE '{S}*'}", "Codigo",
         "B02"},
        {"SELECT {Nombre}{R}Diagnosticos.Nombre, Codigo FROM Diagnosticos WHERE Nombre LIKE '{S}*'", "Nombre",
         "GASTRITIS"},
    };
    for (const auto& c : casos) {
        const auto r = Perform(c.plantilla, "Prueba", [&](frmPromptedSearch& f) {
            Buscar(f, "", "GAS");
            EXPECT_EQ(Encabezados(Lista(f)), QStringList{"Nombre"});
            ElegirFila(f, 0);
            Hijo<QPushButton>(&f, "cmdOK")->click();
        });
        EXPECT_EQ(r.value_or(ResultadoBusqueda{}).Campos, (QList<QPair<QString, QVariant>>{{c.campo, c.valor}}));
    }
}

TEST_F(frmPromptedSearchTest, AcceptingWithoutASelectionComplainsAndStaysOpenAndCancelReturnsNothing) {
    const auto r = Perform(kDiagnosticosMenu, "Búsqueda de Diagnósticos", [&](frmPromptedSearch& f) {
        Buscar(f, "Todos", "");
        Lista(f)->selectionModel()->clearSelection();  // the first row was marked
        Hijo<QPushButton>(&f, "cmdOK")->click();
        EXPECT_EQ(mensajes.Unico(), (MensajeMostrado{"Error:\nNo hay un registro seleccionado\n", Mensajes::vbCritical,
                                                     QString::fromUtf8("Búsqueda de Diagnósticos")}));
        EXPECT_TRUE(f.isVisible());
        Pulsar(&f, "cmdCancel");
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_FALSE(r.has_value());
    Perform(kMedicamentosMenu, "Prueba", [&](frmPromptedSearch& f) {  // the next one starts empty
        EXPECT_EQ(Lista(f)->model()->rowCount(), 0);
        EXPECT_FALSE(Hijo<QPushButton>(&f, "cmdOK")->isEnabled());
        EXPECT_EQ(f.windowTitle(), "Prueba");
    });
}

// A refused statement, or one stopped at the time limit, says why in Spanish and leaves the dialog usable.
TEST_F(frmPromptedSearchTest, ARefusedOrTooSlowStatementShowsTheErrorAndLeavesTheDialogUsable) {
    const struct {
        const char* nombre;
        QString plantilla, titulo, opcion, patron, comienzo;
    } casos[] = {
        {"a registration that is not a number", kMedicosMenu, "Búsqueda de Médicos", "Matricula", "abc",
         QString::fromUtf8("Error:\nEl texto buscado debe ser un número")},
        {"a malformed template", "SELECT {Nombre FROM Diagnosticos WHERE Nombre LIKE '{S}*'", "Plantilla", "", "x",
         "Error:\n"},
        {"a column the table does not have", "SELECT {Nombre}Inexistente FROM Diagnosticos WHERE Nombre LIKE '{S}*'",
         "Columna", "", "x", "Error:\nNo se pudo buscar con el texto ingresado."},
        {"past the time limit", kInterminable, "Lenta", "", "0",
         QString::fromUtf8("Error:\nLa búsqueda superó el tiempo")},
    };
    dlg.SetLimiteBusqueda(300);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        mensajes.mostrados.clear();
        Perform(c.plantilla, c.titulo, [&](frmPromptedSearch& f) {
            Buscar(f, c.opcion, c.patron);
            EXPECT_TRUE(Hijo<QPushButton>(&f, "cmdSearchBegin")->isEnabled());
            EXPECT_FALSE(Hijo<QLineEdit>(&f, "txtPattern")->isReadOnly());
            EXPECT_EQ(Lista(f)->model()->rowCount(), 0);
        });
        const MensajeMostrado m = mensajes.Unico();
        EXPECT_EQ(m.estilo, Mensajes::vbCritical);
        EXPECT_EQ(m.titulo, c.titulo);
        EXPECT_TRUE(m.texto.startsWith(c.comienzo) && m.texto.endsWith("\n") && m.texto.size() > 8)
            << m.texto.toStdString();
        EXPECT_FALSE(m.texto.contains("SELECT")) << m.texto.toStdString();  // never the statement
    }
}

TEST_F(frmPromptedSearchTest, ColumnsFitTheirWidestTextOrShareTheListWidth) {
    gDB->Ejecutar(QString::fromUtf8("INSERT INTO Diagnosticos VALUES (1, 'X9', 'AFECCIÓN DE NOMBRE LARGUÍSIMO', 0)"));
    Perform(kDiagnosticosMenu, "Prueba", [&](frmPromptedSearch& f) {
        Buscar(f, "Todos", "");
        QTreeView* lista = Lista(f);
        const int margen = MargenCelda(lista);
        const auto anchos = [lista] {
            return QList<int>{lista->header()->sectionSize(0), lista->header()->sectionSize(1)};
        };
        // The caption is wider than every code; the long name (not ASCII) is wider than its caption.
        const QList<int> ajustados{
            f.fontMetrics().horizontalAdvance(QString::fromUtf8("Código")) + margen,
            f.fontMetrics().horizontalAdvance(QString::fromUtf8("AFECCIÓN DE NOMBRE LARGUÍSIMO")) + margen};
        EXPECT_EQ(anchos(), ajustados);
        f.SetAutoColumnWidth(false);
        EXPECT_EQ(anchos(), QList<int>(2, lista->width() / 2 - 25));
        f.SetAutoColumnWidth(true);
        EXPECT_EQ(anchos(), ajustados);
    });
}

// Cancelar stops a statement that would run for ever inside the engine, and the dialog closes.
TEST_F(frmPromptedSearchTest, CancelarStopsASlowSearchInsideTheEngine) {
    const auto resultado = Perform(kInterminable, "Lenta", [&](frmPromptedSearch& f) {
        Buscar(f, "", "0", false);
        QTimer::singleShot(0, &f, [&f] { Pulsar(&f, "cmdCancel"); });  // while the engine works
        Pulsar(&f, "cmdSearchBegin");
    });
    EXPECT_FALSE(resultado.has_value());
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
    EXPECT_FALSE(gDB->EnTransaccion());
    EXPECT_EQ(Contar("Medicamentos"), 3);  // the connection still works
}

// Rows reach the list while the search goes on: the first screen of them at once, and the window
// answers the keyboard and Cancelar before the last row is read.
TEST_F(frmPromptedSearchTest, TypingAndCancelarAreAnsweredWhileRowsStream) {
    constexpr int kFilas = 3000;
    AgregarMedicamentos(kFilas);
    int filasAlPulsar = -1;
    const auto resultado = Perform(kMedicamentosMenu, "Medicamentos", [&](frmPromptedSearch& f) {
        QTreeView* lista = Lista(f);
        const auto conexion = QObject::connect(lista->model(), &QAbstractItemModel::rowsInserted, &f, [&] {
            if (filasAlPulsar >= 0) return;
            filasAlPulsar = lista->model()->rowCount();
            QTimer::singleShot(0, &f, [&] {  // what the user does as soon as the window answers
                QTest::keyClick(lista, Qt::Key_Down);
                Pulsar(&f, "cmdCancel");
            });
        });
        Buscar(f, "", "MED");
        QObject::disconnect(conexion);
        EXPECT_GT(filasAlPulsar, 0);
        EXPECT_LT(filasAlPulsar, kFilas);
        EXPECT_EQ(lista->model()->rowCount(), filasAlPulsar);  // stopped at once
        EXPECT_EQ(lista->currentIndex().row(), 0);             // the key reached the list
        EXPECT_TRUE(f.isHidden());
    });
    EXPECT_FALSE(resultado.has_value());
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}
