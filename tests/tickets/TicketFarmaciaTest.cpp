// The pharmacy ticket forms offscreen: what the bitmaps show, the checks on acceptance, leaving
// dates and licences, the items and their totals, the header record, and the main window's selectors.
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QSignalSpy>
#include <QTreeWidget>

#include "platform/Ajustes.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "platform/ui/Twips.h"
#include "tickets/EntornoTickets.h"
#include "tickets/frmTicketFarmacia.h"
#include "tickets/frmTicketFarmaciaR.h"

namespace {

class TicketFarmaciaTest : public EntornoTickets {
protected:
    frmTicketFarmaciaBase* Abrir(int operacion, bool reducida = false) {
        bool cargado = false;
        frmTicketFarmaciaBase* f = reducida ? static_cast<frmTicketFarmaciaBase*>(frmTicketFarmaciaR::Cargar(operacion, cargado))
                                            : frmTicketFarmacia::Cargar(operacion, cargado);
        EXPECT_TRUE(cargado);
        return f;
    }
    // The header record as written in the upload directory.
    QByteArray Encabezado() { return LeerArchivo(Rutas::Unir(DirectorioIntercambio(), "UpLoad/_SVL.1")); }
    // The wait window cancelled at once: the request is written but not answered.
    void CancelarEspera() {
        modales["frmProcesando"] = [](QDialog&) { return 0; };
    }
};

const QStringList kCampos{"txtTarjeta",       "cboTipoLectura",        "txtFarmacia",         "txtTicketPadre",
                          "txtTipoReceta",    "txtReceta",             "txtFechaReceta",      "txtFechaEmisionRecetario",
                          "txtFechaVenta",    "txtHoraVenta",          "cboTipoDocumentoRetira", "txtDocumentoRetira",
                          "txtConsulta",      "cboTipoMatriculaR",     "cboProvinciaR",       "txtMatriculaRe",
                          "cboTipoMatriculaA", "cboProvinciaA",        "txtTipoMatriculaAu",  "txtMatriculaAu",
                          "cboTipoAutorizacion", "txtAutorizacion",    "txtDocumentacionExtra", "txtDescuentoPrestador",
                          "fmeDiagnosticos"};

TEST_F(TicketFarmaciaTest, BitmapsAndTheFixedV101FieldsDecideWhatTheFormOffers) {
    struct Caso {
        const char* version;
        const char* empresa;
        int operacion;
        bool reducida;
        QString svl1;
        QString svl3;
        QStringList campos;  // shown and enabled
        bool items;
        int altoTwips;
    };
    const QStringList prescriptor{"txtTarjeta", "cboTipoLectura", "txtFechaReceta", "cboTipoMatriculaR", "cboProvinciaR",
                                  "txtMatriculaRe", "txtDescuentoPrestador"};
    const Caso casos[] = {
        {"V250", "05", 1, false, "", "", {}, false, 6015},
        {"V101", "01", 1, false, "", "", prescriptor, true, 6015},
        {"V101", "42", 41, false, Mascara({4, 5, 33}), "1", {"txtTarjeta", "cboTipoLectura"}, false, 6015},
        {"V250",
         "05",
         2,
         false,
         Mascara({2, 5, 17, 18, 33}),
         "1",
         {"txtTarjeta", "txtTicketPadre", "cboTipoMatriculaA", "cboProvinciaA", "txtMatriculaAu", "fmeDiagnosticos"},
         true,
         7170},
        {"V250",
         "05",
         2,
         true,
         Mascara({2, 5, 17, 18, 33}),
         "1",
         {"txtTarjeta", "txtTicketPadre", "txtTipoMatriculaAu", "txtMatriculaAu", "fmeDiagnosticos"},
         true,
         4995},
        {"V250", "05", 3, true, Mascara({2}), "", {"txtTarjeta"}, false, 4995},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.version) + " " + c.empresa + " op " + std::to_string(c.operacion) +
                     (c.reducida ? " reduced" : ""));
        gVersion = c.version;
        gCodigoEmpresa = c.empresa;
        Sql("DELETE FROM Bitmaps");
        if (!c.svl1.isEmpty()) Bitmap(c.operacion, "SVL1", c.svl1);
        if (!c.svl3.isEmpty()) Bitmap(c.operacion, "SVL3", c.svl3);
        frmTicketFarmaciaBase* f = Abrir(c.operacion, c.reducida);
        for (const QString& nombre : kCampos) {
            QWidget* w = f->findChild<QWidget*>(nombre);
            if (!w) continue;  // the other form's authorising-doctor fields
            EXPECT_EQ(w->isVisible(), c.campos.contains(nombre)) << nombre.toStdString();
            EXPECT_EQ(w->isEnabled(), c.campos.contains(nombre)) << nombre.toStdString();
        }
        EXPECT_FALSE(Hijo<QWidget>(f, "lblOperacion")->isVisible());
        EXPECT_EQ(Hijo<QWidget>(f, "fmeItems")->isVisible(), c.items);
        EXPECT_EQ(f->HayItems(), c.items);
        EXPECT_EQ(Hijo<QWidget>(f, "cmdAceptar")->isEnabled(), !c.campos.isEmpty());
        EXPECT_EQ(Hijo<QWidget>(f, "cmdBuscarMedicoAu")->isEnabled(), c.campos.contains("txtMatriculaAu"));
        EXPECT_EQ(f->height(), TwipsAPixeles(c.altoTwips));
        EXPECT_EQ(gColControles.size(), 23);
        EXPECT_EQ(f->BitmapItem(), c.svl3);
    }
}

TEST_F(TicketFarmaciaTest, CaptionsAndRememberedPrescriberLists) {
    Bitmap(1, "SVL1", Mascara({2, 4, 15, 16, 17}));
    Ajustes::Guardar(kAplicacion, kSeccionStart, "farmacia", "4512");
    gIndiceProvinciaR = 3;
    gIndiceTipoMatriculaR = 2;
    const struct {
        int operacion;
        const char* titulo;
    } titulos[] = {{1, "CONSUMO"}, {42, "VERIFICACION ASOCIADO / MEDICAMENTO"}, {7, "Ticket"}};
    for (const auto& t : titulos) EXPECT_EQ(Abrir(t.operacion)->windowTitle(), QString(t.titulo));

    frmTicketFarmaciaBase* f = Abrir(1);
    EXPECT_EQ(Hijo<QLineEdit>(f, "txtFarmacia")->text(), "4512");
    EXPECT_EQ(Hijo<QComboBox>(f, "cboProvinciaR")->currentText(), "B.BUENOS AIRES");
    EXPECT_EQ(Hijo<QComboBox>(f, "cboTipoMatriculaR")->currentText(), "2.ODONTOLOGO");
    // The authorising doctor's enabled lists go back to their blank entry.
    EXPECT_EQ(Hijo<QComboBox>(f, "cboTipoMatriculaA")->currentIndex(), 0);
    EXPECT_EQ(Hijo<QComboBox>(f, "cboProvinciaA")->currentIndex(), 0);
    EXPECT_EQ(Hijo<QLineEdit>(f, "txtFechaVenta")->text(), QDate::currentDate().toString("dd/MM/yyyy"));
}

TEST_F(TicketFarmaciaTest, AcceptChecksItemsAndCardBeforeWritingAnything) {
    struct Caso {
        QString svl1;
        QString svl3;
        QStringList mensajes;
        bool escrito;
    };
    const Caso casos[] = {
        {Mascara({2}), "1", {QString::fromUtf8("Es necesario cargar algún item"), "Falta ingresar datos del beneficiario (Tarjeta)"}, false},
        {Mascara({3}), "1", {QString::fromUtf8("Es necesario cargar algún item")}, false},
        {Mascara({2}), "", {"Falta ingresar datos del beneficiario (Tarjeta)"}, false},
        // A card field the operation does not have may stay empty: the header goes with an empty card.
        {Mascara({3}), "", {}, true},
    };
    CancelarEspera();
    for (const Caso& c : casos) {
        Sql("DELETE FROM Bitmaps");
        Bitmap(1, "SVL1", c.svl1);
        if (!c.svl3.isEmpty()) Bitmap(1, "SVL3", c.svl3);
        QFile::remove(Rutas::Resolver(Rutas::Unir(DirectorioIntercambio(), "UpLoad/_SVL.1")));
        mensajes.mostrados.clear();
        gNuevaTransaccion = true;
        frmTicketFarmaciaBase* f = Abrir(1);
        Pulsar(f, "cmdAceptar");
        ASSERT_EQ(mensajes.mostrados.size(), c.mensajes.size()) << c.svl1.toStdString();
        for (int i = 0; i < c.mensajes.size(); ++i) {
            EXPECT_EQ(mensajes.mostrados[i].texto, c.mensajes[i]);
            EXPECT_EQ(mensajes.mostrados[i].titulo, "CONSUMO");
            EXPECT_EQ(mensajes.mostrados[i].estilo, Mensajes::vbInformation);
        }
        const QByteArray svl1 = Encabezado();
        EXPECT_EQ(!svl1.isEmpty(), c.escrito);
        if (c.escrito) {
            EXPECT_EQ(svl1.mid(7, 100), QByteArray(100, ' '));
            EXPECT_EQ(svl1.mid(107, 1), "1");  // "Banda", the first real entry, once enabled
            // The cancelled wait clears the flag: the next acceptance sends the same number.
            EXPECT_FALSE(gNuevaTransaccion);
            EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), f);
        }
    }
}

TEST_F(TicketFarmaciaTest, DatesAreNormalisedAndNeverLaterThanToday) {
    Bitmap(1, "SVL1", Mascara({8, 9, 10}));
    frmTicketFarmaciaBase* f = Abrir(1);
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    auto* venta = Hijo<QLineEdit>(f, "txtFechaVenta");
    auto* receta = Hijo<QLineEdit>(f, "txtFechaReceta");
    const QString manana = QDate::currentDate().addDays(1).toString("ddMMyyyy");
    struct Caso {
        QString tecleado;
        QString queda;
        bool mensaje;
        bool vuelve;
    };
    const Caso casos[] = {
        {"150305", "15/03/2005", false, false},
        {"1/2/2024", "01/02/2024", false, false},
        {"31042005", "31042005", false, true},  // not a real date: back to the field, no message
        {manana, QDate::currentDate().addDays(1).toString("dd/MM/yyyy"), true, true},
        {"", "", false, false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tecleado.toStdString());
        mensajes.mostrados.clear();
        venta->setFocus();
        Escribir(f, "txtFechaVenta", c.tecleado);
        receta->setFocus();  // leaves the sale date
        EXPECT_EQ(venta->text(), c.queda);
        ASSERT_EQ(mensajes.mostrados.size(), c.mensaje ? 1 : 0);
        if (c.mensaje) {
            EXPECT_EQ(mensajes.mostrados[0].texto, "La fecha no puede ser mayor a la actual");
            EXPECT_EQ(mensajes.mostrados[0].titulo, "CONSUMO");
        }
        QWidget* esperado = c.vuelve ? static_cast<QWidget*>(venta) : receta;
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == esperado; }, 2000));
        if (c.vuelve) EXPECT_EQ(venta->selectedText(), c.queda);
    }
}

TEST_F(TicketFarmaciaTest, PrescriberFieldsGoIntoTheHeaderOnlyWhenEnabled) {
    struct Caso {
        QString svl1;
        const char* provincia;
        const char* tipo;
        const char* matricula;
        QByteArray tipoEscrito;       // offset 210, 2 bytes
        QByteArray matriculaEscrita;  // offset 212, 6 bytes
    };
    const Caso casos[] = {
        {Mascara({2, 15, 16}), "B.", "1.", "12345", "B1", "012345"},
        {Mascara({2, 15, 16}), "", "2.", "777", "2 ", "000777"},
        {Mascara({2}), "B.", "1.", "12345", "  ", "000000"},  // switched off: a blank type and no licence
        {Mascara({2, 16}), "B.", "1.", "12345", "  ", "012345"},
    };
    CancelarEspera();
    for (const Caso& c : casos) {
        Sql("DELETE FROM Bitmaps");
        Bitmap(1, "SVL1", c.svl1);
        frmTicketFarmaciaBase* f = Abrir(1);
        Escribir(f, "txtTarjeta", "6034930000012345");
        Elegir(f, "cboProvinciaR", c.provincia);
        Elegir(f, "cboTipoMatriculaR", c.tipo);
        Hijo<QLineEdit>(f, "txtMatriculaRe")->setText(c.matricula);
        Pulsar(f, "cmdAceptar");
        const QByteArray svl1 = Encabezado();
        ASSERT_EQ(svl1.size(), 372);
        EXPECT_EQ(svl1.mid(210, 2), c.tipoEscrito) << c.svl1.toStdString();
        EXPECT_EQ(svl1.mid(212, 6), c.matriculaEscrita) << c.svl1.toStdString();
    }
}

TEST_F(TicketFarmaciaTest, LeavingALicenceFindsThePrescriberButNotTheReducedFormsAuthoriser) {
    Sql("INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre, Baja) VALUES (1, 4321, 'X2', "
        "'GOMEZ ANA', 0)");
    Bitmap(1, "SVL1", Mascara({2, 15, 16, 17, 18}));
    for (const bool reducida : {false, true}) {
        SCOPED_TRACE(reducida ? "reduced" : "full");
        frmTicketFarmaciaBase* f = Abrir(1, reducida);
        Hijo<QComboBox>(f, "cboTipoMatriculaR")->setCurrentIndex(0);
        Hijo<QComboBox>(f, "cboProvinciaR")->setCurrentIndex(0);
        Escribir(f, "txtMatriculaRe", "4321");
        Salir(Hijo<QLineEdit>(f, "txtMatriculaRe"));
        EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoRe")->text(), "GOMEZ ANA");
        EXPECT_EQ(Hijo<QComboBox>(f, "cboTipoMatriculaR")->currentText(), "2.ODONTOLOGO");
        EXPECT_EQ(Hijo<QComboBox>(f, "cboProvinciaR")->currentText(), "X.CORDOBA");
        Salir(Hijo<QComboBox>(f, "cboTipoMatriculaR"));
        EXPECT_EQ(gIndiceTipoMatriculaR, 2);

        Escribir(f, "txtMatriculaAu", "4321");
        Salir(Hijo<QLineEdit>(f, "txtMatriculaAu"));
        EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoAu")->text(), reducida ? "" : "GOMEZ ANA");
        // A doctor chosen in the search: shown for the authoriser only by the full form.
        Hijo<QLabel>(f, "lblNombreMedicoAu")->clear();
        f->MostrarMedico("AU", 4321, "X2");
        EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoAu")->text(), reducida ? "" : "GOMEZ ANA");
        // No licence: the field is emptied and the type list goes back to blank.
        f->MostrarMedico("RE", 0, "X2");
        EXPECT_EQ(Hijo<QLineEdit>(f, "txtMatriculaRe")->text(), "");
        EXPECT_EQ(Hijo<QComboBox>(f, "cboTipoMatriculaR")->currentIndex(), 0);
        EXPECT_EQ(Hijo<QLabel>(f, "lblNombreMedicoRe")->text(), "");
    }
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

TEST_F(TicketFarmaciaTest, ItemsThroughTheDialogAndTheirTotals) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    gSeparadorDecimal = 44;
    Bitmap(1, "SVL1", Mascara({2, 22}));
    Bitmap(1, "SVL3", Mascara({1, 4, 6}, 15));
    frmTicketFarmaciaBase* f = Abrir(1);
    auto* lista = Hijo<QTreeWidget>(f, "lvwItems");
    for (int c = 1; c <= 13; ++c) EXPECT_EQ(lista->columnWidth(c), 0) << c;

    struct Tecleado {
        const char* troquel;
        const char* cantidad;
        const char* precio;
    };
    QList<Tecleado> pendientes{{"111", "2", "10"}, {"222", "1", "5.5"}};
    modales["frmItemTicketFarmacia"] = [&](QDialog& d) {
        const Tecleado t = pendientes.takeFirst();
        Escribir(&d, "txtTroquel", t.troquel);
        Escribir(&d, "txtCantidad", t.cantidad);
        Escribir(&d, "txtPrecio", t.precio);  // the "." typed becomes ","
        Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
        Pulsar(&d, "cmdAceptar");
        return d.result();
    };
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAddItem");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    EXPECT_EQ(lista->topLevelItem(1)->text(0), "2");
    EXPECT_EQ(lista->topLevelItem(1)->text(8), "5,50");
    EXPECT_GT(lista->columnWidth(2), 0);
    EXPECT_EQ(lista->columnWidth(12), 0);  // still empty

    Escribir(f, "txtDescuentoPrestador", "10");
    Salir(Hijo<QLineEdit>(f, "txtDescuentoPrestador"));
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotal")->text(), "25,5");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotalGeneral")->text(), "22,95");

    // Changing the first row: the dialog gets the row's values and the row takes the new ones.
    lista->setCurrentItem(lista->topLevelItem(0));
    modales["frmItemTicketFarmacia"] = [&](QDialog& d) {
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtTroquel")->text(), "111");
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtPrecio")->text(), "10");
        EXPECT_TRUE(Hijo<QComboBox>(&d, "cboTipoPrescripcion")->currentText().startsWith(QString::fromUtf8("Genérico")));
        Escribir(&d, "txtCantidad", "4");
        Pulsar(&d, "cmdAceptar");
        return d.result();
    };
    Pulsar(f, "cmdChangeItem");
    EXPECT_EQ(lista->topLevelItem(0)->text(1), "4");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotal")->text(), "45,5");

    Pulsar(f, "cmdDelItem");
    ASSERT_EQ(lista->topLevelItemCount(), 1);
    EXPECT_EQ(lista->topLevelItem(0)->text(0), "1");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotal")->text(), "5,5");
    EXPECT_EQ(Hijo<QLabel>(f, "lblTotalGeneral")->text(), "4,95");
}

TEST_F(TicketFarmaciaTest, OneFormAtATimeWithTheMainWindowsSelectorsLocked) {
    QWidget principal;
    principal.setObjectName("frmTarsa");
    QList<QComboBox*> selectores;
    for (const char* nombre : {"cboPrestadores", "cboEmpresas", "cboActividades"}) {
        selectores << new QComboBox(&principal);
        selectores.last()->setObjectName(nombre);
    }
    const auto bloqueados = [&] {
        int n = 0;
        for (QComboBox* s : selectores) n += s->isEnabled() ? 0 : 1;
        return n;
    };
    Bitmap(1, "SVL1", Mascara({2}));
    frmTicketFarmaciaBase* primero = Abrir(1);
    EXPECT_EQ(bloqueados(), 3);
    QSignalSpy descargado(primero, &frmTicketFarmaciaBase::Descargado);
    QPointer<frmTicketFarmaciaBase> vigilado(primero);

    frmTicketFarmaciaBase* segundo = Abrir(4, true);
    EXPECT_TRUE(vigilado.isNull());
    EXPECT_EQ(descargado.count(), 1);
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), segundo);
    EXPECT_EQ(bloqueados(), 3);

    QSignalSpy descargado2(segundo, &frmTicketFarmaciaBase::Descargado);
    Pulsar(segundo, "cmdCancelar");
    EXPECT_EQ(descargado2.count(), 1);
    EXPECT_EQ(bloqueados(), 0);
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), nullptr);
    EXPECT_TRUE(gColControles.isEmpty());
    EXPECT_TRUE(gNuevaTransaccion);
}

}  // namespace
