// The item dialog and the diagnosis dialog, offscreen, against the delivered database.
#include <QCheckBox>
#include <QLabel>

#include "platform/Ajustes.h"
#include "tickets/EntornoTickets.h"
#include "tickets/frmDiagnostico.h"
#include "tickets/frmItemTicketFarmacia.h"
#include "tickets/modTickets.h"

namespace {

class ItemTicketFarmaciaTest : public EntornoTickets {
protected:
    // Opens the dialog and lets trabajo act on it before it returns; mode 3 when actual is given.
    std::optional<clsItemTicketFarmacia> Abrir(const QString& bitmap, const std::function<void(QDialog&)>& trabajo,
                                               const clsItemTicketFarmacia* actual = nullptr, int operacion = 1) {
        modales["frmItemTicketFarmacia"] = [&](QDialog& d) {
            trabajo(d);
            return d.result();
        };
        return frmItemTicketFarmacia::Cargar(1, gCodigoEmpresa, actual ? 3 : 1, operacion, bitmap, actual);
    }
    static QString Todo() { return Mascara({1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 15}, 15); }
};

TEST_F(ItemTicketFarmaciaTest, ANewItemStartsWithOneAndAsksForThePrescriptionType) {
    const auto item = Abrir(Todo(), [&](QDialog& d) {
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtCantidad")->text(), "1");
        EXPECT_TRUE(Hijo<QComboBox>(&d, "cboTipoPrescripcion")->currentText().startsWith("Indefinida"));
        EXPECT_EQ(Hijo<QComboBox>(&d, "cboTipoCobertura")->currentText(), "Normal");
        Pulsar(&d, "cmdAceptar");
        EXPECT_FALSE(d.result());
    });
    EXPECT_FALSE(item);
    ASSERT_EQ(mensajes.mostrados.size(), 1);
    EXPECT_EQ(mensajes.mostrados[0].texto, QString::fromUtf8("Debe seleccionar el tipo de prescripción"));
    EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbInformation);
}

TEST_F(ItemTicketFarmaciaTest, ComercialIsRememberedAndComesBackWhenTheRowIsChanged) {
    const auto item = Abrir(Todo(), [&](QDialog& d) {
        Escribir(&d, "txtTroquel", "2233445");
        Escribir(&d, "txtPrecio", "899");
        Elegir(&d, "cboTipoPrescripcion", "Comercial");
        Pulsar(&d, "cmdAceptar");
    });
    ASSERT_TRUE(item);
    EXPECT_EQ(item->TipoPrescripcion, 3);
    EXPECT_FALSE(item->CambioPrescripcion);
    EXPECT_EQ(item->Cantidad, 1);
    EXPECT_DOUBLE_EQ(item->Precio, 899);
    EXPECT_EQ(gTipoPrescripcion, "3");
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "TipoPrescripcion"), "3");
    EXPECT_EQ(Ajustes::Obtener(kAplicacion, kSeccionStart, "CambioPrescripcion"), "0");

    const auto cambiado = Abrir(
        Todo(),
        [&](QDialog& d) {
            EXPECT_TRUE(Hijo<QComboBox>(&d, "cboTipoPrescripcion")->currentText().startsWith("Comercial"));
            EXPECT_EQ(Hijo<QLineEdit>(&d, "txtTroquel")->text(), "2233445");
            Escribir(&d, "txtCantidad", "3");
            Pulsar(&d, "cmdAceptar");
        },
        &*item);
    ASSERT_TRUE(cambiado);
    EXPECT_EQ(cambiado->Cantidad, 3);
    EXPECT_EQ(cambiado->TipoPrescripcion, 3);
}

TEST_F(ItemTicketFarmaciaTest, OnlyAuthorisationEspecialOpensTheAuthorisationNumber) {
    Abrir(Todo(), [&](QDialog& d) {
        auto* autorizacion = Hijo<QLineEdit>(&d, "txtAutorizacion");
        for (const QString& tipo : EntradasTipoCobertura()) {
            Elegir(&d, "cboTipoCobertura", tipo);
            EXPECT_EQ(autorizacion->isEnabled(), tipo == kAutorizacionEspecial) << tipo.toStdString();
            EXPECT_EQ(Hijo<QLabel>(&d, "lblNAutorizacion")->isEnabled(), tipo == kAutorizacionEspecial);
        }
    });
    // With the coverage list switched off, the number keeps what the bitmap gave it.
    Abrir(Mascara({9}, 15), [&](QDialog& d) {
        EXPECT_FALSE(Hijo<QComboBox>(&d, "cboTipoCobertura")->isEnabled());
        EXPECT_TRUE(Hijo<QLineEdit>(&d, "txtAutorizacion")->isEnabled());
    });
}

TEST_F(ItemTicketFarmaciaTest, TheTroquelFindsTheMedicationAndABarcodeAloneFindsNothing) {
    Sql("INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, "
        "CodProveedor, Baja) VALUES (1, 512345, '7795312000123', 'IBUPROFENO 400', 'X 20 COMP', 1520.5, 1, 0, 0)");
    Abrir(Todo(), [&](QDialog& d) {
        Escribir(&d, "txtTroquel", "512345");
        Salir(Hijo<QLineEdit>(&d, "txtTroquel"));
        EXPECT_EQ(Hijo<QLabel>(&d, "lblNombreMedicamento")->text(), "IBUPROFENO 400");
        EXPECT_EQ(Hijo<QLabel>(&d, "lblPresentacion")->text(), "X 20 COMP");
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtCodigoBarra")->text(), "7795312000123");
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtPrecio")->text(), "1520.5");

        // A barcode with no troquel empties the troquel and clears what the troquel had found.
        Hijo<QLineEdit>(&d, "txtTroquel")->clear();
        Salir(Hijo<QLineEdit>(&d, "txtCodigoBarra"));
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtTroquel")->text(), "");
        EXPECT_EQ(Hijo<QLabel>(&d, "lblNombreMedicamento")->text(), "");
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtPrecio")->text(), "");

        // A troquel the catalog does not hold keeps the typed code and finds no name.
        Escribir(&d, "txtTroquel", "999");
        Salir(Hijo<QLineEdit>(&d, "txtTroquel"));
        EXPECT_EQ(Hijo<QLineEdit>(&d, "txtTroquel")->text(), "999");
        EXPECT_EQ(Hijo<QLabel>(&d, "lblNombreMedicamento")->text(), "");
    });
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

TEST_F(ItemTicketFarmaciaTest, EmptyPriceAndQuantity) {
    const auto item = Abrir(Todo(), [&](QDialog& d) {
        Hijo<QLineEdit>(&d, "txtCantidad")->clear();
        Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Genérico"));
        Pulsar(&d, "cmdAceptar");
    });
    ASSERT_TRUE(item);
    EXPECT_DOUBLE_EQ(item->Precio, 0);
    EXPECT_EQ(item->Cantidad, -1);
    EXPECT_EQ(item->TipoArancel, -1);
    EXPECT_EQ(item->PorcentajeCobertura, 0);
    EXPECT_EQ(item->TipoPrescripcion, 1);
    EXPECT_EQ(item->TipoCobertura, "Normal");
}

TEST_F(ItemTicketFarmaciaTest, TheItemBitmapDecidesTheFields) {
    const QStringList controles{"txtTroquel",       "txtCodigoBarra",   "txtCodigoProveedor", "txtCantidad",
                                "txtTipoArancel",   "txtPrecio",        "txtDiagnostico",     "cboTipoCobertura",
                                "txtAutorizacion",  "txtPlanCobertura", "cboTipoPrescripcion", "chkCambioPrescripcion",
                                "txtPorcentajeCobertura"};
    struct Caso {
        const char* version;
        const char* empresa;
        int operacion;
        QString bitmap;
        QStringList habilitados;
        QStringList visibles;
    };
    const Caso casos[] = {
        // Nothing configured: only the prescription type (and the hidden change box) can be used;
        // the price stays in sight, disabled.
        {"V250", "05", 1, "", {"cboTipoPrescripcion", "chkCambioPrescripcion"}, {"txtPrecio", "cboTipoPrescripcion"}},
        {"V250",
         "05",
         1,
         Mascara({2, 4, 15}, 15),
         {"txtCodigoBarra", "txtCantidad", "cboTipoPrescripcion", "chkCambioPrescripcion", "txtPorcentajeCobertura"},
         {"txtCodigoBarra", "txtCantidad", "txtPrecio", "cboTipoPrescripcion", "txtPorcentajeCobertura"}},
        // V101 to company 42 adds troquel, barcode, quantity and diagnosis for a consumption.
        {"V101",
         "42",
         1,
         "",
         {"txtTroquel", "txtCodigoBarra", "txtCantidad", "txtDiagnostico", "cboTipoPrescripcion", "chkCambioPrescripcion"},
         {"txtTroquel", "txtCodigoBarra", "txtCantidad", "txtPrecio", "txtDiagnostico", "cboTipoPrescripcion"}},
    };
    for (const Caso& c : casos) {
        gVersion = c.version;
        gCodigoEmpresa = c.empresa;
        Abrir(c.bitmap, [&](QDialog& d) {
            d.show();
            for (const QString& nombre : controles) {
                QWidget* w = Hijo<QWidget>(&d, nombre);
                EXPECT_EQ(w->isEnabled(), c.habilitados.contains(nombre)) << c.version << " enabled " << nombre.toStdString();
                EXPECT_EQ(w->isVisible(), c.visibles.contains(nombre)) << c.version << " visible " << nombre.toStdString();
            }
            EXPECT_EQ(Hijo<QWidget>(&d, "cmdBuscarMedicamento")->isEnabled(), c.habilitados.contains("txtTroquel") ||
                                                                                  c.habilitados.contains("txtCodigoBarra"));
            EXPECT_EQ(Hijo<QWidget>(&d, "cmdBuscarDiagnostico")->isEnabled(), c.habilitados.contains("txtDiagnostico"));
            EXPECT_EQ(Hijo<QWidget>(&d, "lblPorcentaje")->isEnabled(), c.habilitados.contains("txtPorcentajeCobertura"));
            EXPECT_EQ(gColControlesItem.size(), 13);
        });
        EXPECT_TRUE(gColControlesItem.isEmpty());
    }
}

TEST_F(ItemTicketFarmaciaTest, DiagnosisDialogAcceptsAnyCodeAndFindsTheName) {
    Sql("INSERT INTO Diagnosticos (IdEmpresa, Codigo, Nombre, Baja) VALUES (1, 'J45.0', 'ASMA', 0)");
    struct Caso {
        const char* tecleado;
        bool aceptar;
        std::optional<clsItemDiagnostico> esperado;
    };
    const Caso casos[] = {
        {"J45.0", true, clsItemDiagnostico{"J45.0", "ASMA"}},
        {"Z99", true, clsItemDiagnostico{"Z99", ""}},
        {"", true, clsItemDiagnostico{"", ""}},
        {"J45.0", false, std::nullopt},
    };
    for (const Caso& c : casos) {
        modales["frmDiagnostico"] = [&](QDialog& d) {
            Escribir(&d, "txtDiagnostico", c.tecleado);
            Salir(Hijo<QLineEdit>(&d, "txtDiagnostico"));
            if (c.aceptar) Pulsar(&d, "cmdAceptar");
            else d.close();  // the window's close box
            return d.result();
        };
        const auto diagnostico = frmDiagnostico::Cargar(1, gCodigoEmpresa, 1, 1);
        ASSERT_EQ(diagnostico.has_value(), c.esperado.has_value()) << c.tecleado;
        if (!diagnostico) continue;
        EXPECT_EQ(diagnostico->Codigo, c.esperado->Codigo);
        EXPECT_EQ(diagnostico->Nombre, c.esperado->Nombre);
    }
}

}  // namespace
