// The pharmacy ticket forms offscreen: what the bitmaps show, the checks on acceptance, leaving
// dates and licences, the items and their totals, the header record, one form at a time.
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTreeWidget>

#include "core/RegistroAjustes.h"
#include "core/modFormato.h"
#include "platform/Ajustes.h"
#include "support/Disposicion.h"
#include "tickets/EntornoTickets.h"
#include "tickets/modTickets.h"

namespace {

class TicketFarmaciaTest : public EntornoTickets {
protected:
    // Every header field, and the header's controls in screen order with each form's authoriser.
    static QString TodoElEncabezado() {
        return Mascara({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 33});
    }
    const QStringList encabezado = Nombres(
        "txtTarjeta cboTipoLectura txtFarmacia txtTicketPadre txtTipoReceta txtReceta txtFechaReceta "
        "txtFechaEmisionRecetario txtFechaVenta txtHoraVenta cboTipoDocumentoRetira txtDocumentoRetira txtConsulta "
        "cboTipoAutorizacion txtAutorizacion txtDocumentacionExtra txtDescuentoPrestador cboTipoMatriculaR "
        "cboProvinciaR txtMatriculaRe cmdBuscarMedicoRe");
    const QStringList autorizante = Nombres("cboTipoMatriculaA cboProvinciaA txtMatriculaAu cmdBuscarMedicoAu");
    const QStringList autorizanteR = Nombres("txtTipoMatriculaAu txtMatriculaAu cmdBuscarMedicoAu");
};

TEST_F(TicketFarmaciaTest, BitmapsAndTheFixedV101FieldsDecideWhatTheFormOffers) {
    const QStringList prescriptor = Nombres(
        "txtTarjeta cboTipoLectura txtFechaReceta cboTipoMatriculaR cboProvinciaR txtMatriculaRe cmdBuscarMedicoRe "
        "txtDescuentoPrestador");
    const QStringList anulacion = Nombres("txtTarjeta txtTicketPadre txtMatriculaAu cmdBuscarMedicoAu fmeDiagnosticos");
    const struct {
        const char *version, *empresa;
        int operacion;
        bool reducida;
        QString svl1, svl3;
        QStringList campos;  // shown and enabled
        bool items;
    } casos[] = {
        {"V250", "05", 1, false, "", "", {}, false},
        {"V101", "01", 1, false, "", "", prescriptor, true},
        {"V101", "42", 41, false, Mascara({4, 5, 33}), "1", {"txtTarjeta", "cboTipoLectura"}, false},
        {"V250", "05", 2, false, Mascara({2, 5, 17, 18, 33}), "1",
         anulacion + QStringList{"cboTipoMatriculaA", "cboProvinciaA"}, true},
        {"V250", "05", 2, true, Mascara({2, 5, 17, 18, 33}), "1", anulacion + QStringList{"txtTipoMatriculaAu"}, true},
        {"V250", "05", 3, true, Mascara({2}), "", {"txtTarjeta"}, false},
        {"V250", "05", 1, false, TodoElEncabezado(), "1", encabezado + autorizante + QStringList{"fmeDiagnosticos"},
         true},
    };
    {
        // In the main window's area the items list opens at about its three rows.
        Bitmaps(TodoElEncabezado(), "1", 1);
        QMdiArea area;
        area.resize(1280, 1200);  // room for any height the form asks
        area.show();
        auto* items = Hijo<QTreeWidget>(AbrirForma(1, false, &area), "lvwItems");
        QApplication::processEvents();  // laid out at the window's size
        EXPECT_LE(items->height(), items->minimumHeight() + 2 * items->fontMetrics().height());
        frmTicketFarmaciaBase::DescargarAbierto();
    }
    const LetraGrande letra;
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.version) + " " + c.empresa + " op " + std::to_string(c.operacion) +
                     (c.reducida ? " R" : ""));
        gVersion = c.version;
        gCodigoEmpresa = c.empresa;
        Bitmaps(c.svl1, c.svl3, c.operacion);
        frmTicketFarmaciaBase* f = AbrirForma(c.operacion, c.reducida);
        for (const QString& nombre : encabezado + autorizante + autorizanteR + QStringList{"fmeDiagnosticos"})
            if (QWidget* w = f->findChild<QWidget*>(nombre)) {  // each form lacks the other's authoriser fields
                EXPECT_EQ(w->isVisible(), c.campos.contains(nombre)) << nombre.toStdString();
                EXPECT_EQ(w->isEnabled(), c.campos.contains(nombre)) << nombre.toStdString();
            }
        EXPECT_EQ(Hijo<QWidget>(f, "fmeItems")->isVisible(), c.items);
        EXPECT_EQ(Hijo<QWidget>(f, "cmdAceptar")->isEnabled(), !c.campos.isEmpty());
        // As it opens, no doctor found yet: no blank row for a name.
        ComprobarDisposicion(f, 20);
        // In a large font nothing is cut or overlaps: three diagnoses in sight, a doctor's long name whole.
        for (const char* nombre : {"lblNombreMedicoRe", "lblNombreMedicoAu"})
            Hijo<QLabel>(f, nombre)->setText(kNombreLargo);
        ComprobarDisposicion(f);
        for (const char* nombre : {"lblNombreMedicoRe", "lblNombreMedicoAu"})
            if (auto* l = Hijo<QLabel>(f, nombre); l->isVisible())
                EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(kNombreLargo)) << nombre;
        for (QGroupBox* marco : f->findChildren<QGroupBox*>())
            if (marco->isVisible()) ComprobarDisposicion(marco);
        if (auto* diagnosticos = Hijo<QTreeWidget>(f, "lvwDiagnosticos"); diagnosticos->isVisible())
            EXPECT_GE(diagnosticos->viewport()->height(), 3 * (diagnosticos->fontMetrics().height() + 2));
        EXPECT_EQ(f->BitmapItem(), c.svl3);
    }
}

// Acceptance checks the items and the card before writing anything; the doctors' fields go into the
// header only when enabled: the full form's authoriser without its province, the reduced one's as typed.
TEST_F(TicketFarmaciaTest, AcceptChecksItemsAndCardAndWritesOnlyEnabledDoctorFields) {
    const QString sinItems = QString::fromUtf8("Es necesario cargar algún item");
    const QString sinTarjeta = "Falta ingresar datos del beneficiario (Tarjeta)";
    const struct {
        QString svl1, svl3;
        QStringList mensajes;
        const char *provincia, *tipo;  // the prescriber's, with a card and both doctors typed; nullptr: nothing
        QByteArray escrito;            // offset 210: prescriber's type (2 bytes) and licence (6), then the authoriser's
        bool reducida = false;
    } casos[] = {
        {Mascara({2}), "1", {sinItems, sinTarjeta}, nullptr, nullptr, ""},
        {Mascara({3}), "1", {sinItems}, nullptr, nullptr, ""},
        {Mascara({2}), "", {sinTarjeta}, nullptr, nullptr, ""},
        // a card field the operation lacks may stay empty
        {Mascara({3}), "", {}, nullptr, nullptr, "  000000  000000"},
        {Mascara({2, 15, 16, 17, 18}), "", {}, "B.", "1.", "B10123452 004321"},
        {Mascara({2, 15, 16}), "", {}, "", "2.", "2 012345  000000"},
        {Mascara({2}), "", {}, "B.", "1.", "  000000  000000"},  // switched off: a blank type and no licence
        {Mascara({2, 16, 18}), "", {}, "B.", "1.", "  012345  004321"},
        {Mascara({2, 17, 18}), "", {}, "B.", "1.", "  000000B2004321", true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.svl1.toStdString() + " " + c.svl3.toStdString() + (c.reducida ? " R" : ""));
        mensajes.mostrados.clear();
        gNuevaTransaccion = true;
        Bitmaps(c.svl1, c.svl3);
        QFile::remove(Rutas::Resolver(Subida("_SVL.1")));
        modales["frmProcesando"] = [](QDialog&) { return 0; };  // the wait cancelled at once
        frmTicketFarmaciaBase* f = AbrirForma(1, c.reducida);
        if (c.provincia) {
            Escribir(f, "txtTarjeta", "6034930000012345");
            Elegir(f, "cboProvinciaR", c.provincia);
            Elegir(f, "cboTipoMatriculaR", c.tipo);
            Hijo<QLineEdit>(f, "txtMatriculaRe")->setText("12345");
            Hijo<QLineEdit>(f, "txtMatriculaAu")->setText("4321");
            if (c.reducida) Hijo<QLineEdit>(f, "txtTipoMatriculaAu")->setText("B2");
            if (!c.reducida) Rellenar(f, "cboProvinciaA=B. cboTipoMatriculaA=2.");
        }
        Pulsar(f, "cmdAceptar");
        const QByteArray svl1 = Subido("_SVL.1");
        QList<MensajeMostrado> esperados;
        for (const QString& m : c.mensajes) esperados << MensajeMostrado{m, Mensajes::vbInformation, "CONSUMO"};
        EXPECT_EQ(mensajes.mostrados, esperados);
        EXPECT_EQ(svl1.mid(210, 16), c.escrito);
        if (!c.provincia && c.mensajes.isEmpty()) {
            EXPECT_EQ(svl1.mid(7, 101), QByteArray(100, ' ') + "1");  // empty card; "Banda", the first real entry
            EXPECT_FALSE(gNuevaTransaccion);  // the cancelled wait: the next acceptance sends the same number
            EXPECT_NE(frmTicketFarmaciaBase::Abierto(), nullptr);
        }
    }
}

// Tab follows the screen, top to bottom and left to right, a frame's controls together.
TEST_F(TicketFarmaciaTest, TabFollowsTheScreenAndTheFormStartsInTheCard) {
    Bitmaps(TodoElEncabezado(), Mascara({1}, 15));
    const QStringList resto = Nombres(
        "lvwItems cmdAddItem cmdChangeItem cmdDelItem lvwDiagnosticos cmdAddDiags cmdDelDiags cmdAceptar cmdCancelar");
    for (const auto& [reducida, esperado] :
         {std::pair{false, encabezado + autorizante + resto}, {true, encabezado + autorizanteR + resto}}) {
        frmTicketFarmaciaBase* f = AbrirForma(1, reducida);
        Activar(*f);
        QStringList orden{NombreConFoco()};
        for (int i = 0; i < 60; ++i) {
            Tecla(Qt::Key_Tab);
            if (NombreConFoco() == orden.first()) break;
            orden << NombreConFoco();
        }
        EXPECT_EQ(orden, esperado) << (reducida ? "reduced" : "full");
        frmTicketFarmaciaBase::DescargarAbierto();
    }
}

TEST_F(TicketFarmaciaTest, DatesAreNormalisedAndNeverLaterThanToday) {
    Bitmaps(Mascara({8, 9, 10}));
    frmTicketFarmaciaBase* f = AbrirForma(1);
    Activar(*f);
    auto* venta = Hijo<QLineEdit>(f, "txtFechaVenta");
    auto* receta = Hijo<QLineEdit>(f, "txtFechaReceta");
    const QDate manana = QDate::currentDate().addDays(1);
    // A message sends the focus back to the field with its text selected.
    for (const auto& [tecleado, queda, mensaje] :
         {std::tuple<QString, QString, QString>{"150305", "15/03/2005", ""},
          {"", "", ""},
          {manana.toString("ddMMyyyy"), manana.toString("dd/MM/yyyy"), "La fecha no puede ser mayor a la actual"}}) {
        SCOPED_TRACE(tecleado.toStdString());
        mensajes.mostrados.clear();
        venta->setFocus();
        Escribir(f, "txtFechaVenta", tecleado);
        receta->setFocus();  // leaves the sale date
        EXPECT_EQ(venta->text(), queda);
        const bool vuelve = !mensaje.isEmpty();
        const QString foco = vuelve ? "txtFechaVenta" : "txtFechaReceta";
        EXPECT_TRUE(QTest::qWaitFor([&] { return NombreConFoco() == foco; }, 2000));
        EXPECT_EQ(mensajes.Textos(), vuelve ? QStringList{mensaje} : QStringList{});
        if (vuelve) EXPECT_EQ(venta->selectedText(), queda);
    }
}

// The form starts with the remembered pharmacy, prescriber's province and licence type, and today;
// a licence left finds the prescriber by the number alone, but not the reduced form's authoriser.
TEST_F(TicketFarmaciaTest, TheFormStartsWithWhatWasRememberedAndALicenceLeftFindsThePrescriber) {
    Sql("INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre, Baja) VALUES (1, 4321, 'X2', 'GOMEZ "
        "ANA', 0)");
    Bitmaps(Mascara({2, 4, 15, 16, 17, 18}));
    Ajustes::Guardar(kAplicacion, kSeccionStart, "farmacia", "4512");
    gIndiceProvinciaR = 3;
    const QString hoy = QDate::currentDate().toString("dd/MM/yyyy");
    for (const bool reducida : {false, true}) {
        frmTicketFarmaciaBase* f = AbrirForma(1, reducida);
        // The reduced form comes after the full one's licence left; the authoriser's type, enabled, is blank.
        EXPECT_EQ(Textos(f, "txtFarmacia cboProvinciaR cboTipoMatriculaR txtFechaVenta"),
                  "4512|B.BUENOS AIRES|" + QString(reducida ? "2.ODONTOLOGO|" : "1.MEDICO|") + hoy);
        if (!reducida) EXPECT_EQ(Textos(f, "cboTipoMatriculaA"), "");
        Hijo<QComboBox>(f, "cboTipoMatriculaR")->setCurrentIndex(0);  // blank lists: the number alone finds him
        Hijo<QComboBox>(f, "cboProvinciaR")->setCurrentIndex(0);
        Escribir(f, "txtMatriculaRe", "4321", true);
        Escribir(f, "txtMatriculaAu", "4321", true);
        EXPECT_EQ(Textos(f, "lblNombreMedicoRe cboTipoMatriculaR lblNombreMedicoAu"),
                  QString("GOMEZ ANA|2.ODONTOLOGO|") + (reducida ? "" : "GOMEZ ANA"));
        Salir(Hijo<QComboBox>(f, "cboTipoMatriculaR"));
    }
}

TEST_F(TicketFarmaciaTest, ItemsThroughTheDialogAndTheirTotals) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    gSeparadorDecimal = 44;
    Bitmaps(Mascara({2, 22}), Mascara({1, 4, 6}, 15));
    frmTicketFarmaciaBase* f = AbrirForma(1);
    auto* lista = Hijo<QTreeWidget>(f, "lvwItems");
    EXPECT_EQ(lista->columnWidth(2), 0);  // empty columns take no room
    const auto total = [f] { return Textos(f, "lblTotal lblTotalGeneral"); };
    QStringList tecleados{"txtTroquel=111 txtCantidad=2 txtPrecio=10", "txtTroquel=222 txtCantidad=1 txtPrecio=5,5"};
    for (int i = 0; i < 3; ++i) mensajes.Responder(Mensajes::vbYes);  // none is in the catalog: added all the same
    modales["frmItemTicketFarmacia"] = [&](QDialog& d) {
        // Genérico: not where a changed row's list starts.
        Rellenar(&d, tecleados.takeFirst() + QString::fromUtf8(" cboTipoPrescripcion=Genérico"));
        Pulsar(&d, "cmdAceptar");
        return d.result();
    };
    Pulsar(f, "cmdAddItem");
    Pulsar(f, "cmdAddItem");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    EXPECT_EQ(lista->topLevelItem(1)->text(0) + " " + lista->topLevelItem(1)->text(8), "2 5,50");
    EXPECT_GT(lista->columnWidth(2), 0);
    EXPECT_GE(lista->columnWidth(1), lista->header()->sectionSizeHint(1));  // "Cantidad" whole above "2"
    EXPECT_EQ(lista->columnWidth(12), 0);
    Escribir(f, "txtDescuentoPrestador", "10", true);
    EXPECT_EQ(total(), "25,50|22,95");

    // Changing the first row: the dialog gets the row's values and the row takes the new ones.
    lista->setCurrentItem(lista->topLevelItem(0));
    modales["frmItemTicketFarmacia"] = [&](QDialog& d) {
        // A fee type not given, and not made 0.
        EXPECT_TRUE(Textos(&d, "txtTroquel txtPrecio txtTipoArancel cboTipoPrescripcion")
                        .startsWith(QString::fromUtf8("111|10,00||Genérico")));
        Escribir(&d, "txtCantidad", "4");
        Pulsar(&d, "cmdAceptar");
        return d.result();
    };
    Pulsar(f, "cmdChangeItem");
    EXPECT_EQ(lista->topLevelItem(0)->text(1), "4");
    EXPECT_EQ(total(), "45,50|40,95");
    // A double click shows the row's shown columns one under the other.
    emit lista->itemDoubleClicked(lista->topLevelItem(0), 0);
    auto* vista = Hijo<QTreeWidget>(f, "lvwLista");
    QStringList vistas;
    for (int i = 0; i < vista->topLevelItemCount(); ++i) vistas << vista->topLevelItem(i)->text(1);
    EXPECT_EQ(vistas.mid(0, 3), (QStringList{"1", "4", "111"}));
    vista->window()->close();
    Pulsar(f, "cmdDelItem");
    ASSERT_EQ(lista->topLevelItemCount(), 1);
    EXPECT_EQ(lista->topLevelItem(0)->text(0), "1");
    EXPECT_EQ(total(), "5,50|4,95");
}

// At the counter: a barcode scanned into the troquel finds the medication and passes over the
// quantity's 1, to which Alt+N goes back; a price typed or pasted with thousands separators reaches
// the items file whole.
TEST_F(TicketFarmaciaTest, WhatTheClerkScansTypesAndPastesReachesTheItemsFile) {
    Catalogo();
    Bitmaps(Mascara({2}), Mascara({1, 2, 4, 6}, 15));
    const QLocale argentina(QLocale::Spanish, QLocale::Argentina), eeuu(QLocale::English, QLocale::UnitedStates);
    const struct {
        QLocale local;
        const char *escaneado, *cantidad, *precio;  // no price: the catalog's
        bool pegar;
        const char* registro;  // _SVL.3: quantity and price, after the medication's troquel and barcode
        const char* montos;    // the catalog's price in the box, the list's price, the total and the general total
    } casos[] = {
        {argentina, "7795312000123", "3", nullptr, false, "03 00000152050", "1.520,50 1.520,50 4.561,50|4.561,50"},
        {argentina, "512345", "2", "15.230,50", false, "02 00001523050", "1.520,50 15.230,50 30.461,00|30.461,00"},
        {argentina, "512345", "1", "15.230,50", true, "01 00001523050", "1.520,50 15.230,50 15.230,50|15.230,50"},
        {eeuu, "7795312000123", "1", "15,230.50", false, "01 00001523050", "1,520.50 15,230.50 15,230.50|15,230.50"},
        {eeuu, "512345", "1", "15,230.50", true, "01 00001523050", "1,520.50 15,230.50 15,230.50|15,230.50"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.local.name().toStdString() + " " + c.escaneado + " " + (c.precio ? c.precio : "") +
                     (c.pegar ? " pasted" : ""));
        QLocale::setDefault(c.local);
        gSeparadorDecimal = SeparadorDecimal();
        mensajes.mostrados.clear();
        frmTicketFarmaciaBase* f = AbrirForma(1);
        QString delCatalogo;
        modales["frmItemTicketFarmacia"] = [&](QDialog& d) {
            Activar(d);
            Teclear(c.escaneado);  // the scanner types the digits and ends with Enter
            Tecla(Qt::Key_Return);
            EXPECT_EQ(NombreConFoco(), "cboTipoPrescripcion");
            Tecla(Qt::Key_N, Qt::AltModifier);
            EXPECT_EQ(NombreConFoco(), "txtCantidad");
            delCatalogo = Hijo<QLineEdit>(&d, "txtPrecio")->text();
            Teclear(c.cantidad);
            if (c.precio && c.pegar)
                Pegar(Hijo<QLineEdit>(&d, "txtPrecio"), c.precio);
            else if (c.precio)
                Escribir(&d, "txtPrecio", c.precio);
            Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
            Pulsar(&d, "cmdAceptar");
            return d.result();
        };
        Pulsar(f, "cmdAddItem");
        ASSERT_EQ(Hijo<QTreeWidget>(f, "lvwItems")->topLevelItemCount(), 1);
        EXPECT_EQ(delCatalogo + " " + Hijo<QTreeWidget>(f, "lvwItems")->topLevelItem(0)->text(8) + " " +
                      Textos(f, "lblTotal lblTotalGeneral"),
                  c.montos);
        Escribir(f, "txtTarjeta", "6034930000012345");
        modales["frmProcesando"] = [](QDialog&) { return 0; };  // the request written, the wait cancelled
        Pulsar(f, "cmdAceptar");
        const QByteArray item = Subido("_SVL.3");
        ASSERT_EQ(item.size(), 246);
        EXPECT_EQ(item.mid(5, 20) + " " + item.mid(32, 2) + " " + item.mid(35, 11),
                  "05123457795312000123 " + QByteArray(c.registro));
        EXPECT_TRUE(mensajes.mostrados.isEmpty());
        frmTicketFarmaciaBase::DescargarAbierto();
    }
}

// Cancelar asks before throwing away items (Enter answers No); the close box, Esc and Ctrl+F4 ask when
// anything was typed. An invalid date holds none back, and is checked again when the ticket stays.
TEST_F(TicketFarmaciaTest, CancelAsksBeforeDroppingItemsAndNoDateHoldsTheWindowBack) {
    Catalogo();
    Bitmaps(Mascara({2, 10}), Mascara({1, 4, 6}, 15));
    modales["frmItemTicketFarmacia"] = [](QDialog& d) {
        Rellenar(&d, QString::fromUtf8("txtTroquel=512345 cboTipoPrescripcion=Genérico"));
        Pulsar(&d, "cmdAceptar");
        return d.result();
    };
    const QString pregunta = QString::fromUtf8("El ticket tiene 1 ítem cargado. ¿Descartarlo?");
    const QString datos = QString::fromUtf8("El ticket tiene datos cargados. ¿Descartarlo?");
    const QString fechaMala =
        QString::fromUtf8("La fecha 31042005 no es válida: escriba día, mes y año (dd/mm/aaaa, ddmmaa o dd/mm/aa).");
    enum Cierre { kCancelar, kCajaCerrar, kEscape, kCtrlF4 };
    const struct {
        bool item;
        Cierre cierre;
        QList<int> respuestas;  // to the question
        QStringList mensajes;   // shown, in order
        bool queda;             // the form is still open
    } casos[] = {
        {false, kCancelar, {}, {}, false},  // the button asks only for items
        {false, kCajaCerrar, {Mensajes::vbYes}, {datos}, false},
        {true, kCajaCerrar, {Mensajes::vbYes}, {pregunta}, false},
        {true, kCancelar, {Mensajes::vbNo}, {pregunta, fechaMala}, true},
        {true, kCancelar, {Mensajes::vbYes}, {pregunta}, false},
        {false, kEscape, {Mensajes::vbNo}, {datos, fechaMala}, true},
        {true, kEscape, {Mensajes::vbYes}, {pregunta}, false},
        {true, kCtrlF4, {Mensajes::vbNo}, {pregunta, fechaMala}, true},
    };
    QMdiArea area;
    Activar(area);
    for (const auto& c : casos) {
        SCOPED_TRACE(std::to_string(c.item) + std::to_string(c.cierre) + std::to_string(c.respuestas.size()));
        mensajes.mostrados.clear();
        for (int r : c.respuestas) mensajes.Responder(r);
        frmTicketFarmaciaBase* f = AbrirForma(1, false, &area);
        if (c.item) Pulsar(f, "cmdAddItem");
        auto* venta = Hijo<QLineEdit>(f, "txtFechaVenta");
        venta->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == venta; }, 2000));
        venta->clear();  // it starts at today
        Teclear("31042005");
        gNuevaTransaccion = false;
        if (c.cierre == kCajaCerrar)
            qobject_cast<QMdiSubWindow*>(f->parentWidget())->close();
        else if (c.cierre == kEscape)
            Tecla(Qt::Key_Escape);
        else if (c.cierre == kCtrlF4)
            Tecla(Qt::Key_F4, Qt::ControlModifier);
        else
            QTest::mouseClick(Hijo<QPushButton>(f, "cmdCancelar"), Qt::LeftButton);
        EXPECT_EQ(mensajes.Textos(), c.mensajes);
        EXPECT_EQ(mensajes.mostrados.value(0).estilo,
                  c.mensajes.isEmpty() ? 0 : Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2);
        EXPECT_EQ(frmTicketFarmaciaBase::Abierto() != nullptr, c.queda);
        if (c.queda) EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == venta; }, 2000));
        // The ticket kept keeps its number; Cancelar lets the next one draw a new one.
        if (c.queda || c.cierre == kCancelar) EXPECT_EQ(gNuevaTransaccion, !c.queda);
        frmTicketFarmaciaBase::DescargarAbierto();
    }
}

TEST_F(TicketFarmaciaTest, OneFormAtATime) {
    Bitmaps(Mascara({2}));
    QPointer<frmTicketFarmaciaBase> primero(AbrirForma(1));
    QSignalSpy descargado(primero.data(), &frmTicketFarmaciaBase::Descargado);
    frmTicketFarmaciaBase* segundo = AbrirForma(4, true);
    EXPECT_TRUE(primero.isNull());
    EXPECT_EQ(descargado.count(), 1);
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), segundo);
    Pulsar(segundo, "cmdCancelar");
    EXPECT_EQ(frmTicketFarmaciaBase::Abierto(), nullptr);
    EXPECT_TRUE(gColControles.isEmpty());
}

}  // namespace
