// Closures: the request record each option writes under each protocol, the proposed period, and a
// closure answered with messages against the terminal simulator.
#include <QFile>
#include <QLocale>
#include <QRadioButton>
#include <QTreeWidget>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "journal/frmCierres.h"
#include "journal/frmInicio.h"
#include "platform/Rutas.h"
#include "support/Controles.h"
#include "support/Simulador.h"

namespace {

class CierresTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        Terminal();
        Sesion(
            {.empresa = "4", .terminal = "LIC1", .codigoEmpresa = "4", .codigoActividad = "1", .tipoActividad = "1"});
        gSugerirCierres = false;
    }
};

// Every option's record under each protocol: whole against the golden files typed by hand from the
// layouts (their values in tests/data/README.md), or by its first bytes for the cases those leave out.
TEST_F(CierresTest, EachOptionWritesTheRecordItsVersionExpects) {
    const struct {
        const char *version, *tipo;
        int opcion;
        const char *numero, *fecha;     // the closure number typed, both dates
        int filtro;                     // index in the list
        const char *subido, *esperado;  // the file written; a golden file, or the record's first bytes
        int longitud = -1;              // of a record checked by its first bytes; 0: none is written
    } casos[] = {
        {"V250", "1", 0, "", "", 0, "_SAL.0", "sal0_cierre_v250_op0.bin"},
        {"V250", "1", 1, "", "", 0, "_SAL.0", "sal0_cierre_v250_op1.bin"},
        {"V250", "1", 2, "123", "", 0, "_SAL.0", "sal0_cierre_v250_op2.bin"},
        {"V250", "1", 3, "", "29/02/2024", 5, "_SAL.0", "sal0_cierre_v250_op3.bin"},
        {"V250", "1", 4, "", "29/02/2024", 0, "_SAL.0", "sal0_cierre_v250_op4.bin"},
        {"V250", "1", 5, "", "", 0, "_SVL.1", "svl1_cierre_excluir_v250.bin"},
        {"V101", "1", 0, "", "", 0, "_SAL.0", "sal0_cierre_v101_farmacia.bin"},
        {"V101", "2", 4, "", "", 0, "_SAL.0", "sal0_cierre_v101_otros.bin"},
        {"V101", "1", 4, "", "", 0, "_SAL.0", "10000", 61},  // close coupons: old code 1
        {"V101", "2", 6, "", "", 0, "_SAL.0", "10000", 71},  // include a coupon: old code 1, the longer layout
        {"V101", "1", 1, "", "", 0, "_SAL.0", "30000", 61},  // last closure: old code 3
        {"V101", "1", 3, "", "", 0, "_SAL.0", "", 0},        // a range of dates has no old code
        {"V250", "1", 1, "123", "", 0, "_SAL.0", "07000000000", 116},  // the number box is not for this option
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.version) + " tipo " + c.tipo + " opcion " + std::to_string(c.opcion));
        gVersion = c.version;
        gTipoActividad = c.tipo;
        const QString subido = Rutas::Resolver(DirectorioIntercambio() + "/UpLoad/" + c.subido);
        QFile::remove(subido);
        frmCierres dialogo(true);
        Hijo<QRadioButton>(&dialogo, QString("optOpcion%1").arg(c.opcion))->click();
        Hijo<QLineEdit>(&dialogo, "txtNumeroCierre")->setText(c.numero);
        Hijo<QLineEdit>(&dialogo, "txtFechaDesde")->setText(QString(c.fecha).isEmpty() ? "" : "01/02/2024");
        Hijo<QLineEdit>(&dialogo, "txtFechaHasta")->setText(c.fecha);
        Hijo<QLineEdit>(&dialogo, "txtNumeroCupon")->setText("4567");
        Hijo<QComboBox>(&dialogo, "cboOpciones")->setCurrentIndex(c.filtro);
        ASSERT_TRUE(dialogo.GrabarPedido());
        const QByteArray r = LeerArchivo(subido);
        if (c.longitud < 0) {
            EXPECT_EQ(r, LeerArchivo(QString(TARSA_TEST_DATA_DIR) + "/" + c.esperado));
        } else {
            ASSERT_EQ(r.size(), c.longitud);
            EXPECT_TRUE(r.startsWith(c.esperado)) << r.left(12).toStdString();
        }
    }
}

TEST_F(CierresTest, TheSuggestedPeriodIsTheWholePreviousMonth) {
    const struct {
        QDate hoy;
        QString periodo;
    } casos[] = {{{2024, 3, 15}, "2024-02-01 2024-02-29"},  // leap year
                 {{2023, 3, 1}, "2023-02-01 2023-02-28"},
                 {{2025, 1, 31}, "2024-12-01 2024-12-31"}};  // across the year
    for (const auto& c : casos) {
        const auto [desde, hasta] = frmCierres::MesAnterior(c.hoy);
        EXPECT_EQ(desde.toString(Qt::ISODate) + " " + hasta.toString(Qt::ISODate), c.periodo);
    }
}

// Closing coupons as a clerk does it: the dates proposed or typed, Enter, the question answered. The
// record that leaves carries the dates the boxes show; a box that holds no date, or a No, sends nothing.
TEST_F(CierresTest, ClosingSendsTheDatesShownAfterAskingFirst) {
    gVersion = "V250";
    const auto [desde, hasta] = frmCierres::MesAnterior(QDate::currentDate());
    const QString propuesto = desde.toString("dd/MM/yyyy") + "|" + hasta.toString("dd/MM/yyyy");
    const QByteArray propuestoRegistro = (desde.toString("yyyyMMdd") + hasta.toString("yyyyMMdd")).toLatin1();
    const QLocale eeuu(QLocale::English, QLocale::UnitedStates), argentina(QLocale::Spanish, QLocale::Argentina);
    const struct {
        const char* nombre;
        QLocale local;
        bool sugerir;
        const char *desde, *hasta;  // typed; nullptr leaves the box as it is
        int respuesta;              // to the question; 0 when none may be asked
        QString mostrado;           // both boxes after Enter
        QByteArray fechas;          // positions 20 to 35 of the record; empty when none is written
    } casos[] = {
        {"proposed, en_US", eeuu, true, nullptr, nullptr, Mensajes::vbYes, propuesto, propuestoRegistro},
        {"proposed, es_AR", argentina, true, nullptr, nullptr, Mensajes::vbYes, propuesto, propuestoRegistro},
        {"typed ddmmaa", eeuu, false, "011126", "301126", Mensajes::vbYes, "01/11/2026|30/11/2026", "2026110120261130"},
        {"typed dd/mm/aa", argentina, false, "1/11/26", "30/11/26", Mensajes::vbYes, "01/11/2026|30/11/2026",
         "2026110120261130"},
        {"not a date", eeuu, false, "011126", "31/11/2026", 0, "01/11/2026|31/11/2026", ""},
        {"answered No", eeuu, false, "011126", "301126", Mensajes::vbNo, "01/11/2026|30/11/2026", ""},
    };
    const QString subido = Rutas::Resolver(DirectorioIntercambio() + "/UpLoad/_SAL.0");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        QLocale::setDefault(c.local);
        gSugerirCierres = c.sugerir;
        QFile::remove(subido);
        mensajes.mostrados.clear();
        QByteArray enviado;
        bool esperado = false;
        CancelarCuando([&] {
            esperado = true;
            enviado = LeerArchivo(subido);
            return true;
        });
        frmCierres dialogo(false);
        Activar(dialogo);
        Hijo<QRadioButton>(&dialogo, "optOpcion4")->click();
        auto* desdeCaja = Hijo<QLineEdit>(&dialogo, "txtFechaDesde");
        auto* hastaCaja = Hijo<QLineEdit>(&dialogo, "txtFechaHasta");
        desdeCaja->setFocus();
        if (c.desde) {
            desdeCaja->clear();
            Teclear(c.desde);
            ASSERT_TRUE(TabHasta("txtFechaHasta"));
            hastaCaja->clear();
            Teclear(c.hasta);
        }
        if (c.respuesta) mensajes.Responder(c.respuesta);
        Tecla(Qt::Key_Return);

        EXPECT_EQ(desdeCaja->text() + "|" + hastaCaja->text(), c.mostrado);
        ASSERT_FALSE(mensajes.mostrados.isEmpty());
        const MensajeMostrado& m = mensajes.mostrados.first();
        const QString pregunta = QString::fromUtf8("¿Enviar el cierre «Cerrar cupones» del %1 al %2?");
        if (c.respuesta) {
            EXPECT_EQ(
                m, (MensajeMostrado{pregunta.arg(desdeCaja->text(), hastaCaja->text()),
                                    Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, "Cierres"}));
        } else {
            EXPECT_TRUE(m.texto.startsWith(QString::fromUtf8("La fecha 31/11/2026 no es válida")))
                << m.texto.toStdString();
            EXPECT_EQ(NombreConFoco(), "txtFechaHasta");
        }
        EXPECT_EQ(esperado, !c.fechas.isEmpty());
        if (c.fechas.isEmpty()) {
            EXPECT_FALSE(QFile::exists(subido));
            continue;
        }
        EXPECT_EQ(enviado.size(), 116);
        EXPECT_EQ(enviado.left(2) + "|" + enviado.mid(19, 16), "09|" + c.fechas);
    }
}

// A closure answered with three observed coupons: the messages are listed, the dialog stays open,
// the ticket is shown and the closure is journalled under its number.
TEST_F(CierresTest, AClosureWithObservationsListsThemAndIsJournalled) {
    gVersion = "V250";
    gVerTicket = gVerListaErrores = true;
    Simulador sim;
    sim.Iniciar(dirTrabajo, "item-errors", {"--first-ticket", "4100"});
    Modales modales;
    modales.Instalar();
    frmCierres dialogo(false);
    dialogo.show();
    Hijo<QRadioButton>(&dialogo, "optOpcion4")->click();
    mensajes.Responder(Mensajes::vbYes);
    Pulsar(&dialogo, "cmdAceptar");

    ASSERT_EQ(gColErrores.size(), 3);
    EXPECT_EQ(QString::number(gColErrores[0].Numero) + " " + gColErrores[0].Comentario.trimmed(),
              "105 CUPON OBSERVADO EN EL CIERRE");
    EXPECT_EQ(modales.vistas, QStringList({"frmMostrarErrores", "frmMuestraTicket"}));
    EXPECT_TRUE(dialogo.isVisible());
    EXPECT_EQ(Filas("SELECT Operacion, CAST(Ticket AS INTEGER) FROM Transaccion"), "09|4100");
    frmInicio ultimos;  // the closure is in the list of the last tickets
    auto* lista = Hijo<QTreeWidget>(&ultimos, "lvwTransacciones");
    EXPECT_EQ(lista->findItems("4100", Qt::MatchExactly, frmInicio::ColTicket).size(), 1);
}

}  // namespace
