// The wait window, the request cycle routine and the two answer windows, offscreen.
#include <QDir>
#include <QFontInfo>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>

#include "core/modTarsa.h"
#include "platform/ui/Modal.h"
#include "support/Simulador.h"
#include "exchange/frmMostrarErrores.h"
#include "exchange/frmMuestraTicket.h"
#include "exchange/frmProcesando.h"
#include "support/Entorno.h"

namespace {
class VentanasIntercambio : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        gQueloPath = dirTrabajo;
        gTermDir = "term77";
        d = DirectorioIntercambio();
        QDir().mkpath(d + "/UpLoad");
        QDir().mkpath(d + "/DownLoad");
        gActividad = "7";
        gEmpresa = "5";
        gTerminal = "LIC1";
    }
    void TearDown() override {
        frmProcesando::VigilarDirectorio = true;
        Entorno::TearDown();
    }
    // The terminal's side: the status file appears while the window waits.
    std::function<void()> Responder(const QByteArray& estado) {
        return [this, estado] { EscribirArchivo(d + "/Estado.rsp", estado); };
    }
    QString d;
};
}  // namespace

TEST_F(VentanasIntercambio, TheWaitEndsWhenTheStatusAppearsWithTheWatchAndWithThePollAlone) {
    for (bool vigilar : {true, false}) {
        QFile::remove(d + "/Estado.rsp");
        frmProcesando::VigilarDirectorio = vigilar;
        EsperarDeVerdad(Responder("0 ok\r\n"));
        frmProcesando espera;
        EXPECT_TRUE(espera.Cargar()) << "watch " << vigilar;
    }
}

TEST_F(VentanasIntercambio, RequestCycleOutcomes) {
    struct Caso {
        const char* nombre;
        QByteArray estado;
        ResultadoSolicitud resultado;
        int mensajes;
    };
    const QList<Caso> casos = {
        {"éxito", "0 Transacción aprobada\r\n", ResultadoSolicitud::Procesada, 0},
        {"error", "1 Error de comunicaci\xf3n\r\n", ResultadoSolicitud::ErrorProceso, 1},
        {"vacío", "", ResultadoSolicitud::SinRespuesta, 0},
    };
    for (const Caso& c : casos) {
        mensajes.mostrados.clear();
        EscribirArchivo(d + "/Estado.rsp", "0 viejo");  // an old status must not end the new wait early
        EsperarDeVerdad([this, c] {
            EXPECT_FALSE(QFile::exists(d + "/Estado.rsp")) << "old status still there";
            EXPECT_EQ(LeerArchivo(d + "/UpLoad/_SVL.0"), "V2500507LIC1    ");
            EscribirArchivo(d + "/Estado.rsp", c.estado);
        });
        const Solicitud s = EnviarSolicitud();
        EXPECT_EQ(s.Resultado, c.resultado) << c.nombre;
        EXPECT_EQ(s.Transaccion.QueloPath, d);
        ASSERT_EQ(mensajes.mostrados.size(), c.mensajes) << c.nombre;
        if (c.mensajes) {
            EXPECT_EQ(mensajes.mostrados[0].texto, QString::fromUtf8("Error en el proceso:\r\n1 Error de comunicación"));
            EXPECT_EQ(mensajes.mostrados[0].titulo, "Proceso");
            EXPECT_EQ(mensajes.mostrados[0].estilo, Mensajes::vbInformation);
        }
    }
}

TEST_F(VentanasIntercambio, CancellingTheWaitEndsTheRequestWithoutReadingAnything) {
    EscribirArchivo(d + "/DownLoad/_ticket.prn", "viejo\r\n");
    CancelarCuando([] { return true; });
    const Solicitud s = EnviarSolicitud("92", "99", "OTRA");
    EXPECT_EQ(s.Resultado, ResultadoSolicitud::Cancelada);
    EXPECT_EQ(s.Estado, "");
    EXPECT_EQ(s.Transaccion.MedidaTicket, 0);
    EXPECT_EQ(LeerArchivo(d + "/UpLoad/_SVL.0"), "V2509992OTRA    ");
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

TEST_F(VentanasIntercambio, TicketWindowWidthFollowsTheLongestLine) {
    struct Caso {
        int medida;
        int anchoTexto;  // pixels: twips / 15
    };
    for (const Caso& c : {Caso{0, 373}, Caso{39, 373}, Caso{40, 347}, Caso{119, 1031}, Caso{120, 1000}, Caso{300, 1000}}) {
        EstablecerManejadorModal([&](QDialog& ventana) {
            auto* texto = ventana.findChild<QTextEdit*>("rtextTicket");
            auto* aceptar = ventana.findChild<QPushButton*>("cmdAceptar");
            auto* imprimir = ventana.findChild<QPushButton*>("cmdImprimir");
            EXPECT_EQ(texto->width(), c.anchoTexto) << c.medida;
            EXPECT_EQ(ventana.width(), c.anchoTexto + 21) << c.medida;
            EXPECT_EQ(ventana.width() - aceptar->geometry().right() - 1, 21) << c.medida;
            EXPECT_EQ(aceptar->x() - imprimir->geometry().right() - 1, 21) << c.medida;
            return 1;
        });
        frmMuestraTicket().Cargar("x", c.medida);
    }
}

TEST_F(VentanasIntercambio, TicketWindowShowsTheTextInAFixedFontAndPrintsIt) {
    EstablecerManejadorModal([](QDialog& ventana) {
        auto* texto = ventana.findChild<QTextEdit*>("rtextTicket");
        EXPECT_EQ(ventana.windowTitle(), "Ticket");
        EXPECT_TRUE(QFontInfo(texto->font()).fixedPitch());
        EXPECT_EQ(texto->font().pointSize(), 10);
        texto->append("NOTA");
        ventana.findChild<QPushButton*>("cmdImprimir")->click();
        ventana.findChild<QPushButton*>("cmdAceptar")->click();
        return ventana.result();
    });
    impresora.copiasElegidas = 2;
    frmMuestraTicket().Cargar("TICKET 1001\r\nTOTAL 10,00\r\n", 11);
    EXPECT_EQ(impresora.impresos, QStringList({"TICKET 1001\nTOTAL 10,00\n\nNOTA", "TICKET 1001\nTOTAL 10,00\n\nNOTA"}));
}

TEST_F(VentanasIntercambio, ErrorWindowListsTheEntriesAndWidensTheCommentColumn) {
    gColErrores = {{1, "", 105, "Corto"}, {1, "512345", 212, QString(200, 'W')}};
    frmMostrarErrores ventana;
    auto* lista = ventana.findChild<QTreeWidget*>("lvwErrores");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    const QTreeWidgetItem* fila = lista->topLevelItem(1);
    EXPECT_EQ(QStringList({fila->text(0), fila->text(1), fila->text(2)}), QStringList({"1", "512345", "212"}));
    EXPECT_EQ(lista->columnWidth(3), lista->fontMetrics().horizontalAdvance(QString(200, 'W')));
    gColErrores = {{1, "", 105, "Corto"}};
    frmMostrarErrores corta;
    EXPECT_EQ(corta.findChild<QTreeWidget*>("lvwErrores")->columnWidth(3), 300);
}
