// The item dialog and the diagnosis dialog, offscreen, against the delivered database.
#include <QLabel>
#include <QLocale>

#include "core/RegistroAjustes.h"
#include "core/modFormato.h"
#include "platform/Ajustes.h"
#include "support/Disposicion.h"
#include "tickets/EntornoTickets.h"
#include "tickets/frmDiagnostico.h"
#include "tickets/frmItemTicketFarmacia.h"
#include "tickets/modTickets.h"

namespace {

class ItemTicketFarmaciaTest : public EntornoTickets {
protected:
    // Opens a new item's dialog with the item bitmap and lets trabajo act on it before it returns.
    std::optional<clsItemTicketFarmacia> Abrir(const QString& bitmap, const std::function<void(QDialog&)>& trabajo) {
        modales["frmItemTicketFarmacia"] = [&](QDialog& d) {
            trabajo(d);
            return d.result();
        };
        return frmItemTicketFarmacia::Cargar(1, gCodigoEmpresa, 1, 1, bitmap, nullptr);
    }
    static QString Todo() { return Mascara({1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 15}, 15); }
};

TEST_F(ItemTicketFarmaciaTest, OnlyAuthorisationEspecialOpensTheAuthorisationNumber) {
    Abrir(Todo(), [&](QDialog& d) {
        for (const QString& tipo : EntradasTipoCobertura()) {
            Elegir(&d, "cboTipoCobertura", tipo);
            EXPECT_EQ(Hijo<QLineEdit>(&d, "txtAutorizacion")->isEnabled(), tipo == kAutorizacionEspecial)
                << tipo.toStdString();
        }
    });
    // With the coverage list switched off, the number keeps what the bitmap gave it.
    Abrir(Mascara({9}, 15), [&](QDialog& d) { EXPECT_TRUE(Hijo<QLineEdit>(&d, "txtAutorizacion")->isEnabled()); });
}

// The field just typed in decides: a barcode, or a code longer than a troquel in the troquel field, is
// looked up as a barcode. After a medication found Enter passes over the quantity's 1 and the catalog's
// price; a code the catalog does not hold leaves no name and Enter goes on. Enter never accepts.
TEST_F(ItemTicketFarmaciaTest, TheTroquelOrTheBarcodeFindsTheMedicationAndEnterMovesOn) {
    Catalogo();
    Sql("INSERT INTO Medicamentos (IdEmpresa, Troquel, Nombre, Precio) VALUES (1, 700, 'SIN PRECIO', 0), "
        "(1, 701, 'PRECIO VIEJO', -0.01)");
    const struct {
        const char *campo, *tecleado, *esperado, *foco;  // esperado: troquel|barcode|name|price
    } casos[] = {
        {"txtCodigoBarra", "7795312000123", "512345|7795312000123|IBUPROFENO 400|1,520.50", "cboTipoPrescripcion"},
        {"txtTroquel", "77953120", "|77953120||", "txtCodigoBarra"},  // eight digits: a barcode, not held
        {"txtTroquel", "999", "999|||", "txtCodigoBarra"},
        {"txtTroquel", "700", "700||SIN PRECIO|", "txtPrecio"},  // a catalog without a price
        {"txtTroquel", "701", "701||PRECIO VIEJO|", "txtPrecio"},
        {"txtCodigoBarra", "000", "|000||", "txtCantidad"},
    };
    for (const auto& c : casos) {
        Abrir(Mascara({1, 2, 4, 6}, 15), [&](QDialog& d) {
            Activar(d);
            EXPECT_EQ(NombreConFoco(), "txtTroquel");  // the dialog starts in its first field
            ASSERT_TRUE(TabHasta(c.campo));
            Teclear(c.tecleado);
            Tecla(Qt::Key_Return);
            EXPECT_TRUE(d.isVisible()) << c.tecleado;
            EXPECT_EQ(Textos(&d, "txtTroquel txtCodigoBarra lblNombreMedicamento txtPrecio"), c.esperado);
            EXPECT_EQ(NombreConFoco(), c.foco) << c.tecleado;
        });
    }
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

// By keys alone: Enter goes on to the next field still to fill and, with none left, accepts; the lists
// take typed letters; a plan code the catalog knows brings its coverage percentage.
TEST_F(ItemTicketFarmaciaTest, EnterGoesToWhatIsLeftToFillAndTheListsTakeLetters) {
    Catalogo();
    Sql("INSERT INTO Planes (IdEmpresa, Codigo, PorcentajeCobertura, PlanCobertura) VALUES (1, 'PMO', 40, '')");
    QStringList focos;
    const auto item = Abrir(Mascara({1, 2, 4, 6, 12, 15}, 15), [&](QDialog& d) {
        Activar(d);
        Escanear("7795312000123");
        for (const char* texto : {"pmo", "", "c"}) {
            focos << NombreConFoco();
            Teclear(texto);
            Tecla(Qt::Key_Return);
        }
    });
    EXPECT_EQ(focos, Nombres("txtPlanCobertura txtPorcentajeCobertura cboTipoPrescripcion"));
    ASSERT_TRUE(item);
    EXPECT_EQ(QString("%1 %2 %3 %4")
                  .arg(item->Cantidad)
                  .arg(item->PlanCobertura)
                  .arg(item->PorcentajeCobertura)
                  .arg(item->TipoPrescripcion),
              "1 PMO 40 3");
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

// A new item starts with one of quantity and is refused while its prescription type is undefined; one
// without a catalog name or a price is added only when the user says so. What was not given goes as
// "none"; the type chosen is remembered, but the next item starts at "Indefinida" again.
TEST_F(ItemTicketFarmaciaTest, ANewItemAsksForThePrescriptionTypeAndWhetherToAddItIncomplete) {
    for (const int respuesta : {Mensajes::vbOK, Mensajes::vbNo, Mensajes::vbYes}) mensajes.Responder(respuesta);
    QList<bool> abierto;
    const auto item = Abrir(Todo(), [&](QDialog& d) {
        EXPECT_EQ(Textos(&d, "txtCantidad cboTipoCobertura"), "1|Normal");
        Escribir(&d, "txtTroquel", "999");
        Pulsar(&d, "cmdAceptar");  // the prescription type is still "Indefinida"
        abierto << (d.result() != QDialog::Accepted);
        Elegir(&d, "cboTipoPrescripcion", "Comercial");
        Pulsar(&d, "cmdAceptar");
        abierto << (d.result() != QDialog::Accepted);
        Pulsar(&d, "cmdAceptar");
    });
    EXPECT_EQ(abierto, QList<bool>({true, true}));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->Troquel, "999");
    EXPECT_EQ(QList<double>({item->Precio, double(item->Cantidad), double(item->TipoArancel),
                             double(item->PorcentajeCobertura), double(item->TipoPrescripcion)}),
              QList<double>({0, 1, -1, 0, 3}));
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "TipoPrescripcion"), "3");
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "CambioPrescripcion"), "0");
    Abrir(Todo(), [](QDialog& d) { EXPECT_TRUE(Textos(&d, "cboTipoPrescripcion").startsWith("Indefinida")); });
    const QString incompleto = QString::fromUtf8(
        "El medicamento no figura en el catálogo, no tiene precio.\n¿Agregar el ítem de todos modos?");
    EXPECT_EQ(mensajes.Textos(),
              (QStringList{QString::fromUtf8("Debe seleccionar el tipo de prescripción"), incompleto, incompleto}));
    EXPECT_EQ(mensajes.mostrados.value(0).estilo, Mensajes::vbInformation);
    EXPECT_EQ(mensajes.mostrados.value(1).estilo,
              Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2);
}

// Pasted, a field keeps only what its kind allows; a price keeps its thousands separator.
TEST_F(ItemTicketFarmaciaTest, PastedTextFollowsTheKeyRule) {
    Abrir(Todo(), [&](QDialog& d) {
        for (const auto& [campo, texto, queda] : {std::tuple{"txtCantidad", "dos", ""},
                                                  {"txtCantidad", "150", "150"},
                                                  {"txtTroquel", "12-34ab", "1234"},
                                                  {"txtCodigoBarra", "779 53a", "779 53"},
                                                  {"txtPrecio", "$ 1,234.5x", "1,234.5"},
                                                  {"txtPorcentajeCobertura", "40%", "40"}}) {
            Pegar(Hijo<QLineEdit>(&d, campo), texto);
            EXPECT_EQ(Textos(&d, campo), queda) << texto;
        }
    });
    EXPECT_GT(sistema.pitidos, 0);
}

// A quantity the item record cannot carry, and a price that is not an amount, are refused with a
// message and the focus back in the field; nothing is offered "all the same".
TEST_F(ItemTicketFarmaciaTest, AQuantityOutOfRangeOrAnUnreadablePriceIsRefused) {
    Catalogo();
    const QString cantidad = QString::fromUtf8("La cantidad debe ser un número entero de 1 a 99.");
    const struct {
        const char *campo, *tecleado;
        QString mensaje;
    } casos[] = {
        {"txtCantidad", "0", cantidad},
        {"txtCantidad", "100", cantidad},
        {"txtCantidad", "", cantidad},
        {"txtPrecio", "15.5", QString::fromUtf8("El precio 15.5 no es un importe: escríbalo como 15.230,50.")},
        {"txtPrecio", "1.2.3", QString::fromUtf8("El precio 1.2.3 no es un importe: escríbalo como 15.230,50.")},
    };
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    gSeparadorDecimal = SeparadorDecimal();
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.campo) + " " + c.tecleado);
        mensajes.mostrados.clear();
        const auto item = Abrir(Todo(), [&](QDialog& d) {
            Activar(d);
            Teclear("512345");
            Tecla(Qt::Key_Return);
            Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
            Escribir(&d, c.campo, c.tecleado);
            Pulsar(&d, "cmdAceptar");
            EXPECT_EQ(Hijo<QLineEdit>(&d, c.campo)->text(), c.tecleado);
            EXPECT_TRUE(QTest::qWaitFor([&] { return NombreConFoco() == c.campo; }, 2000));
        });
        EXPECT_FALSE(item.has_value());
        EXPECT_EQ(mensajes.Unico().texto, c.mensaje);
        EXPECT_EQ(mensajes.mostrados.value(0).estilo, Mensajes::vbInformation);
    }
}

TEST_F(ItemTicketFarmaciaTest, TheItemBitmapDecidesTheFields) {
    const QStringList controles = Nombres(
        "txtTroquel txtCodigoBarra cmdBuscarMedicamento txtCodigoProveedor txtCantidad txtTipoArancel txtPrecio "
        "txtDiagnostico cmdBuscarDiagnostico cboTipoCobertura txtAutorizacion txtPlanCobertura cboTipoPrescripcion "
        "chkCambioPrescripcion txtPorcentajeCobertura");
    const QStringList prescripcion{"cboTipoPrescripcion", "chkCambioPrescripcion"};  // the box stays hidden
    const struct {
        const char *version, *empresa;
        QString bitmap;
        QStringList habilitados;  // and shown, with the price always in sight
    } casos[] = {
        {"V250", "05", "", prescripcion},  // nothing configured
        {"V250", "05", Mascara({2, 4, 15}, 15),
         prescripcion + Nombres("txtCodigoBarra cmdBuscarMedicamento txtCantidad txtPorcentajeCobertura")},
        // V101 to company 42 adds troquel, barcode, quantity and diagnosis for a consumption.
        {"V101", "42", "",
         prescripcion + Nombres("txtTroquel txtCodigoBarra cmdBuscarMedicamento txtCantidad txtDiagnostico "
                                "cmdBuscarDiagnostico")},
    };
    const LetraGrande letra;
    for (const auto& c : casos) {
        gVersion = c.version;
        gCodigoEmpresa = c.empresa;
        Abrir(c.bitmap, [&](QDialog& d) {
            d.show();
            for (const char* nombre :
                 {"lblNombreMedicamento", "lblPresentacion", "lblNombreDiagnostico", "lblNombrePlanCobertura"})
                Hijo<QLabel>(&d, nombre)->setText(kNombreLargo);
            ComprobarDisposicion(&d);
            for (const QString& nombre : controles) {
                QWidget* w = Hijo<QWidget>(&d, nombre);
                const bool visible =
                    nombre == "txtPrecio" || (c.habilitados.contains(nombre) && nombre != prescripcion[1]);
                EXPECT_EQ(w->isEnabled(), c.habilitados.contains(nombre)) << c.version << " " << nombre.toStdString();
                EXPECT_EQ(w->isVisible(), visible) << c.version << " visible " << nombre.toStdString();
            }
        });
    }
}

TEST_F(ItemTicketFarmaciaTest, DiagnosisDialogAcceptsAnyCodeAndFindsTheName) {
    Catalogo();
    const struct {
        const char* tecleado;
        bool aceptar;
        const char* esperado;  // code|name, or nullptr when nothing comes back
        bool teclado;          // typed and accepted with Enter straight from the code field
    } casos[] = {
        {"J45.0", true, "J45.0|ASMA", false}, {"Z99", true, "Z99|", false},        {"", true, "|", false},
        {"J45.0", false, nullptr, false},     {"j45.0", true, "J45.0|ASMA", true}, {"z99", true, "z99|", true}};
    for (const auto& c : casos) {
        modales["frmDiagnostico"] = [&](QDialog& d) {
            if (c.teclado) {
                Activar(d);
                Teclear(c.tecleado);
                Tecla(Qt::Key_Return);
            } else {
                Escribir(&d, "txtDiagnostico", c.tecleado, true);
                if (c.aceptar)
                    Pulsar(&d, "cmdAceptar");
                else
                    d.close();  // the window's close box
            }
            return d.result();
        };
        const auto diagnostico = frmDiagnostico::Cargar(1, gCodigoEmpresa, 1, 1);
        ASSERT_EQ(diagnostico.has_value(), c.esperado != nullptr) << c.tecleado;
        if (diagnostico) EXPECT_EQ(diagnostico->Codigo + "|" + diagnostico->Nombre, c.esperado);
    }
}

}  // namespace
