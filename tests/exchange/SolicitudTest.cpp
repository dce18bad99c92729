// The request cycle: the notification, the wait window, the status and answer files, the answer windows.
#include <QDir>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "core/modTarsa.h"
#include "exchange/clsTransaccion.h"
#include "exchange/frmMostrarErrores.h"
#include "exchange/frmMuestraTicket.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "support/Controles.h"
#include "support/Entorno.h"
#include "support/Simulador.h"

class SolicitudTest : public ConIntercambio {
protected:
    void TearDown() override {
        frmProcesando::VigilarDirectorio = true;
        frmProcesando::IntervaloSondeoMs = 500;
        frmProcesando::IntervaloRevisionMs = 10;
        Entorno::TearDown();
    }
};

TEST_F(SolicitudTest, NotifiesOnlyThroughAnExistingTxAndRaisesWhenTheRequestCannotBeWritten) {
    const clsTransaccion t{.Version = "V250", .Licencia = "LIC1", .QueloPath = d};
    EXPECT_NO_THROW(t.PutSVL0());
    EXPECT_FALSE(QDir(dirTrabajo).exists("TX"));
    QDir(dirTrabajo).mkdir("tx");
    EscribirArchivo(dirTrabajo + "/tx/term42", "old");
    EXPECT_NO_THROW(t.PutSVL0());
    EXPECT_EQ(LeerArchivo(dirTrabajo + "/tx/term42"), "old");  // a file with content is never truncated
    QDir(d).removeRecursively();
    EXPECT_THROW(t.PutSVL0(), TarsaError);
}

// A status file created and written a moment later is read only once its line is complete, by the watch
// and the poll alike; the watch alone also ends the wait (its deadline fails the test).
TEST_F(SolicitudTest, AStatusWrittenInStepsIsReadOnlyOnceItsLineIsComplete) {
    const struct {
        const char* nombre;
        QList<QByteArray> partes;  // written one after another, the pause before each
    } escrituras[] = {
        {"one write", {"0 Aprobada\r\n"}},
        {"two writes", {"0 Apro", "bada\r\n"}},
        {"no line end", {"0 Apro", "bada"}},
    };
    constexpr int kNunca = 24 * 3600 * 1000;
    const struct {
        const char* nombre;
        bool vigilar;
        int sondeoMs, revisionMs;
    } modos[] = {{"watch", true, 500, 10},
                 {"poll", false, 1, 10},  // every millisecond, so that it meets the file half written
                 {"watch alone", true, kNunca, kNunca}};
    Sesion({.terminal = "LIC1"});
    for (const auto& m : modos) {
        frmProcesando::VigilarDirectorio = m.vigilar;
        frmProcesando::IntervaloSondeoMs = m.sondeoMs;
        frmProcesando::IntervaloRevisionMs = m.revisionMs;
        for (const int pausaMs : {1, 5, 30}) {
            for (const auto& e : escrituras) {
                // A line without its end counts once it has stood unchanged, which only a later look sees.
                if (m.revisionMs == kNunca && !e.partes.last().endsWith('\n')) continue;
                SCOPED_TRACE(e.nombre + std::string(", ") + m.nombre + ", pause " + std::to_string(pausaMs));
                std::thread escritor;
                EsperarDeVerdad([&] {
                    escritor = std::thread([&, estado = d + "/Estado.rsp"] {
                        QFile f(estado);
                        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                        for (const QByteArray& parte : e.partes) {
                            std::this_thread::sleep_for(std::chrono::milliseconds(pausaMs));
                            f.write(parte);
                            f.flush();
                        }
                    });
                });
                const Solicitud s = EnviarSolicitud();
                escritor.join();
                EXPECT_EQ(s.Resultado, ResultadoSolicitud::Procesada);
                EXPECT_EQ(s.Estado, "0 Aprobada");
                if (HasFailure()) return;  // a wait that fails costs its whole deadline: one is enough
            }
        }
    }
    EXPECT_TRUE(mensajes.mostrados.isEmpty());
}

// The outcome follows the status file's first line; an error status is shown to the user.
TEST_F(SolicitudTest, RequestCycleOutcomes) {
    const struct {
        std::optional<QByteArray> estado;  // none: the user cancels the wait
        QString linea;
        ResultadoSolicitud resultado;
    } casos[] = {
        {"0 Aprobada\r\nsegunda\r\n", "0 Aprobada", ResultadoSolicitud::Procesada},
        {"0 solo LF\nmas", "0 solo LF", ResultadoSolicitud::Procesada},
        {"E105 Tarjeta inv\xe1lida", QString::fromUtf8("E105 Tarjeta inválida"), ResultadoSolicitud::ErrorProceso},
        {"\r\n", "", ResultadoSolicitud::SinRespuesta},
        {std::nullopt, "", ResultadoSolicitud::Cancelada}};
    Sesion({.empresa = "5", .actividad = "7", .terminal = "LIC1"});
    for (const auto& c : casos) {
        EscribirArchivo(d + "/Estado.rsp", "0 viejo");  // an old status must not end the new wait early
        if (c.estado) {
            EsperarDeVerdad([this, &c] {
                EXPECT_FALSE(QFile::exists(d + "/Estado.rsp")) << "old status still there";
                EXPECT_EQ(LeerArchivo(d + "/upload/_SVL.0"), "V2500507LIC1    ");
                EscribirArchivo(d + "/Estado.rsp", *c.estado);
            });
        } else {
            CancelarCuando([] { return true; });
        }
        const Solicitud s = c.estado ? EnviarSolicitud() : EnviarSolicitud("1234", " 5 ", "12345678AB");
        EXPECT_EQ(s.Resultado, c.resultado) << c.linea.toStdString();
        EXPECT_EQ(s.Estado, c.linea);
    }
    EXPECT_EQ(LeerArchivo(d + "/upload/_SVL.0"), "V250053412345678");
    ASSERT_EQ(mensajes.mostrados.size(), 2);  // the error, then the question before cancelling
    EXPECT_EQ(mensajes.mostrados[0],
              (MensajeMostrado{QString::fromUtf8("Error en el proceso:\r\nE105 Tarjeta inválida"),
                               Mensajes::vbInformation, "Proceso"}));
    EXPECT_EQ(mensajes.mostrados[1].estilo, Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2);
}

// A request without the provider's licence is refused before anything is written or archived.
TEST_F(SolicitudTest, ARequestWithoutALicenceIsRefusedBeforeAnythingIsWritten) {
    const auto rechazado = [](const std::function<void()>& enviar) {
        const auto e = ErrorDe(enviar);
        ASSERT_TRUE(e) << "sent without a licence";
        EXPECT_EQ(e->Numero, ErrSinLicencia);
        EXPECT_TRUE(e->Descripcion.startsWith(
            QString::fromUtf8("No se envió el pedido a la terminal: no hay un prestador elegido")))
            << e->Descripcion.toStdString();
    };
    Sesion({.empresa = "5", .actividad = "7"});
    CancelarCuando([] { return true; });  // a request that went out is not waited for
    for (const QString& licencia : {QString(), QString("        "), QString(" \t ")}) {
        SCOPED_TRACE(licencia.size());
        EscribirArchivo(d + "/Estado.rsp", "0 viejo");
        rechazado([&] { clsTransaccion{.Version = "V250", .Licencia = licencia, .QueloPath = d}.PutSVL0(); });
        EXPECT_EQ(LeerArchivo(d + "/Estado.rsp"), "0 viejo");
        QFile::remove(d + "/Estado.rsp");
        gTerminal = licencia;
        rechazado([] { EnviarSolicitud(); });
        EXPECT_FALSE(QFile::exists(d + "/upload/_SVL.0"));
    }
    EXPECT_FALSE(QDir(dirAplicacion + "/Intercambios").exists());  // nothing archived as sent
}

TEST_F(SolicitudTest, AnswerTextsAndTicketWidth) {
    clsTransaccion t{.QueloPath = d};
    EXPECT_EQ(t.BuscarTicket(), "");
    const QByteArray largo(48, '=');
    EscribirArchivo(d + "/download/_ticket.prn", "TICKET\n" + largo + "\r\ncorto");
    EXPECT_EQ(t.BuscarTicket(), "TICKET\r\n" + QString(largo) + "\r\ncorto\r\n");
    EXPECT_EQ(t.MedidaTicket, 48);
    EscribirArchivo(d + "/download/_ticket.prn", "x\r\n");
    t.BuscarTicket();
    EXPECT_EQ(t.MedidaTicket, 48) << "the widest ticket seen stays";
    EscribirArchivo(d + "/download/_SVL.1", "FF00001 cabecera");
    EXPECT_EQ(t.LeerSVL1(), "FF00001 cabecera\r\n");
    EscribirArchivo(d + "/download/_sal.0", "   0000 listo   \r\n");
    EXPECT_EQ(t.LeerSAL0(), "0000 listo   \r\n");
}

// The width follows the longest line. The text has the focus but takes no key: Tab moves on, Enter
// closes, and the terminal's text is printed with its barcodes, whatever was typed.
TEST_F(SolicitudTest, TicketWindow) {
    // The text's width in pixels (twips / 15) for each ticket width in characters.
    const std::pair<int, int> anchos[] = {{39, 373}, {40, 347}, {119, 1031}, {120, 1000}};
    for (const auto& [medida, anchoTexto] : anchos) {
        SCOPED_TRACE(medida);
        EstablecerManejadorModal([&](QDialog& ventana) {
            auto* texto = Hijo<QPlainTextEdit>(&ventana, "rtextTicket");
            EXPECT_EQ(texto->width(), anchoTexto);
            EXPECT_EQ(ventana.width(), anchoTexto + 21);
            EXPECT_TRUE(QFontInfo(texto->font()).fixedPitch());
            Activar(ventana);
            EXPECT_EQ(NombreConFoco(), "rtextTicket");
            Teclear("NOTA");
            Tecla(Qt::Key_Tab);
            EXPECT_NE(NombreConFoco(), "rtextTicket");
            texto->setFocus();
            Tecla(Qt::Key_Return);
            EXPECT_EQ(ventana.result(), QDialog::Accepted);
            EXPECT_EQ(texto->toPlainText(), "TICKET 1001\nTOTAL 10,00\n");
            Pulsar(&ventana, "cmdImprimir");
            return ventana.result();
        });
        frmMuestraTicket ventana;
        ventana.Codigos = {"1001"};
        ventana.Cargar("TICKET 1001\r\nTOTAL 10,00\r\n", medida);
    }
    EXPECT_EQ(impresora.impresos, QStringList(4, "TICKET 1001\nTOTAL 10,00\n"));
    EXPECT_EQ(impresora.codigos, QList<QStringList>(4, {"1001"}));
}

TEST_F(SolicitudTest, ErrorWindowListsTheEntriesAndWidensTheCommentColumn) {
    gColErrores = {{1, "", 105, "Corto"}, {1, "512345", 212, QString(200, 'W')}};
    frmMostrarErrores ventana;
    auto* lista = ventana.findChild<QTreeWidget*>("lvwErrores");
    ASSERT_EQ(lista->topLevelItemCount(), 2);
    const QTreeWidgetItem* fila = lista->topLevelItem(1);
    EXPECT_EQ(QStringList({fila->text(0), fila->text(1), fila->text(2)}), QStringList({"1", "512345", "212"}));
    // Wider than the text by the cell's margins, so that its last letters are not cut either.
    EXPECT_GT(lista->columnWidth(3), lista->fontMetrics().horizontalAdvance(QString(200, 'W')));
    gColErrores = {{1, "", 105, "Corto"}};
    frmMostrarErrores corta;
    EXPECT_EQ(corta.findChild<QTreeWidget*>("lvwErrores")->columnWidth(3), 300);
}
