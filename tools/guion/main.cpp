// tarsa-guion <output dir>: the unattended walkthrough of scripts/demo.sh --guion. On a demo
// installation (tarsa-demo) and with the terminal simulator answering, it makes a consumption with
// two items and a diagnosis through the ticket form, opens the journal, asks the terminal for a
// reprint and cancels the ticket from its saved view, printing one line per step. Each window is
// saved as PNG into the output directory; each printed ticket becomes a PDF in TARSA_PDF_DIR. It
// ends by itself: status 0 when every step was answered, 1 at the first one that was not.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QScreen>
#include <QTreeWidget>
#include <cstdio>

#include "Conduccion.h"
#include "app/frmTarsa.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "journal/clsTransacciones.h"
#include "journal/frmInicio.h"
#include "platform/Mensajes.h"
#include "platform/Traducciones.h"
#include "platform/ui/ImpresoraSistema.h"
#include "platform/ui/Modal.h"

using namespace Conduccion;

namespace {

// The questions of the walkthrough are answered yes (the cancellation asks first); a critical
// message means the step failed.
class MensajesGuion : public Mensajes {
public:
    int Mostrar(const QString& texto, int estilo, const QString& titulo) override {
        if ((estilo & 0x70) == vbCritical) Fallar(titulo + ": " + texto);
        switch (estilo & 7) {
            case vbYesNo:
            case vbYesNoCancel:
                return vbYes;
            case vbOKCancel:
                return vbOK;
            default:
                std::fprintf(stderr, "  [%s] %s\n", qPrintable(titulo), qPrintable(texto));
                return vbOK;
        }
    }
};

int gPaso = 0;
QString gSalida;  // the screenshots
QString gPdf;     // the printed tickets

// Qt's offscreen platform warns about every window it cannot size as a window manager would; the
// walkthrough's own lines are the output that matters.
void Filtrar(QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
    if (texto.contains("propagateSizeHints")) return;
    std::fprintf(stderr, "%s%s\n", tipo >= QtCriticalMsg ? "error: " : "", qPrintable(texto));
}

// A path as the user will look for it: relative to where the walkthrough was started, when it lies below.
QString Ruta(const QString& ruta) {
    const QString relativa = QDir::current().relativeFilePath(ruta);
    return relativa.startsWith("..") ? ruta : relativa;
}

void Paso(const QString& texto) {
    std::printf("Paso %d: %s\n", ++gPaso, qPrintable(texto));
    std::fflush(stdout);
}

QStringList Pdfs() { return QDir(gPdf).entryList({"*.pdf"}, QDir::Files, QDir::Name); }

// The PDF the step printed: exactly one more than before it.
int gImpresos = 0;

QString PdfNuevo(const QStringList& antes, const QString& que) {
    QStringList nuevos = Pdfs();
    for (const QString& a : antes) nuevos.removeOne(a);
    if (nuevos.size() != 1) Fallar(QString("%1 imprimió %2 tickets en lugar de uno").arg(que).arg(nuevos.size()));
    ++gImpresos;
    return QDir(gPdf).filePath(nuevos.first());
}

// The journal's rows as they stand now.
QList<clsItemTransaccion> Diario() {
    QList<clsItemTransaccion> filas;
    clsTransacciones().GetAP(filas);
    return filas;
}

// The answer to a request in a modal window (reprint, cancellation): the wait runs, the answer
// ticket is saved as captura, and every other window is a failure.
void AtenderRespuesta(const QString& captura, const std::function<int(QDialog&)>& otra = {}) {
    EstablecerManejadorModal([captura, otra](QDialog& d) -> int {
        if (d.objectName() == "frmProcesando") return EsperarTerminal(d);
        if (d.objectName() == "frmMuestraTicket") {
            d.show();
            Guardar(&d, gSalida, captura);
            return QDialog::Accepted;
        }
        if (otra) return otra(d);
        Fallar("ventana inesperada: " + d.objectName() + " " + d.windowTitle());
    });
}

void ElegirEmpresa(frmTarsa& ventana, const QString& codigo) {
    auto* empresas = ventana.findChild<QComboBox*>("cboEmpresas");
    Elegir(&ventana, "cboEmpresas", codigo + " ");
    emit empresas->activated(empresas->currentIndex());
    if (gEmpresa != codigo) Fallar("no se eligió el financiador " + codigo);
}

frmInicio* Diario(frmTarsa& ventana) {
    frmInicio* inicio = nullptr;
    Esperar(
        [&] {
            QMdiSubWindow* hija = ventana.Area()->activeSubWindow();
            inicio = hija ? qobject_cast<frmInicio*>(hija->widget()) : nullptr;
            return inicio != nullptr;
        },
        "últimos tickets");
    inicio->parentWidget()->move(10, 10);
    return inicio;
}

qint64 UltimoTicket() {
    qint64 ultimo = 0;
    for (const clsItemTransaccion& t : Diario()) ultimo = std::max(ultimo, t.Ticket);
    return ultimo;
}

qint64 Consumir(frmTarsa& ventana) {
    const QStringList antes = Pdfs();
    const DatosConsumo datos{"1234567890101", "778201", "PMO", "40", {{"3716506", "1"}, {"1314536", "2"}}, {"J45.0"}};
    Conduccion::Consumo(ventana, datos, gSalida,
                        {"consumo-item.png", "consumo-diagnostico.png", "consumo.png", "consumo-respuesta.png"});
    const qint64 ticket = UltimoTicket();
    if (ticket == 0) Fallar("el consumo no quedó en el diario");
    Paso(QString::fromUtf8("consumo con dos ítems y un diagnóstico: la terminal respondió el ticket %1 (%2)")
             .arg(ticket)
             .arg(QFileInfo(PdfNuevo(antes, "el consumo")).fileName()));
    return ticket;
}

void Reimprimir(frmInicio* inicio, qint64 ticket) {
    const QStringList antes = Pdfs();
    AtenderRespuesta("reimpresion.png");
    Escribir(inicio, "txtNrotransaccion", QString::number(ticket));
    Pulsar(inicio, "cmdBuscar");
    EstablecerManejadorModal({});
    Paso(QString::fromUtf8("reimpresión del ticket %1 pedida a la terminal (%2, reimpresion.png)")
             .arg(ticket)
             .arg(QFileInfo(PdfNuevo(antes, "la reimpresión")).fileName()));
}

void Anular(frmInicio* inicio, qint64 ticket) {
    QTreeWidgetItem* fila = nullptr;
    auto* lista = inicio->findChild<QTreeWidget*>("lvwTransacciones");
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        if (lista->topLevelItem(i)->text(frmInicio::ColTicket) == QString::number(ticket))
            fila = lista->topLevelItem(i);
    if (!fila) Fallar(QString::fromUtf8("el ticket %1 no está en últimos tickets").arg(ticket));
    const QStringList antes = Pdfs();
    AtenderRespuesta("anulacion-respuesta.png", [](QDialog& d) -> int {
        if (d.objectName() != "frmTicket") Fallar("ventana inesperada: " + d.objectName());
        d.show();
        Guardar(&d, gSalida, "ticket-guardado.png");
        Pulsar(&d, "cmdAnular");
        return d.result();
    });
    inicio->AbrirTicketGuardado(fila);
    EstablecerManejadorModal({});
    const QString pdf = PdfNuevo(antes, QString::fromUtf8("la anulación"));
    for (const clsItemTransaccion& t : Diario())
        if (t.TicketPadre == ticket && t.Error == 0) {
            Paso(QString::fromUtf8("anulación del ticket %1: la terminal respondió el ticket %2 (%3)")
                     .arg(ticket)
                     .arg(t.Ticket)
                     .arg(QFileInfo(pdf).fileName()));
            return;
        }
    Fallar(QString::fromUtf8("la anulación del ticket %1 no quedó respondida en el diario").arg(ticket));
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(Filtrar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAplicacion);
    const Traducciones traducciones;  // Qt's buttons and choosers in Spanish, as in the program
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) Fallar("uso: tarsa-guion <directorio de las capturas>");
    if (qEnvironmentVariableIsEmpty("TARSA_SETTINGS") || qEnvironmentVariableIsEmpty("TARSA_APPDIR") ||
        qEnvironmentVariableIsEmpty("TARSA_PDF_DIR"))
        Fallar("TARSA_SETTINGS, TARSA_APPDIR y TARSA_PDF_DIR deben nombrar una instalación de demostración");
    gSalida = QDir(args[1]).absolutePath();
    gPdf = QDir(qEnvironmentVariable("TARSA_PDF_DIR")).absolutePath();
    QDir().mkpath(gSalida);
    QDir().mkpath(gPdf);

    static MensajesGuion mensajes;
    static ImpresoraSistema impresora;
    Mensajes::Establecer(&mensajes);
    Impresora::Establecer(&impresora);
    gDirectorioAplicacion = ResolverDirectorioAplicacion(QCoreApplication::applicationDirPath());
    if (!IniciarAplicacion("")) Fallar("no se pudo abrir la base de datos");
    // Tickets are shown and printed whatever the demo's settings became.
    gVerTicket = true;
    gImprimirTicket = true;
    QProcess simulador;
    // Ticket numbers grow from one run to the next (day of the year, second of the day; ten per
    // second), so that a second walkthrough on the same installation cancels its own ticket.
    const QDateTime ahora = QDateTime::currentDateTime();
    const int primero = (ahora.date().dayOfYear() * 100000 + ahora.time().msecsSinceStartOfDay() / 1000) * 10;
    IniciarSimulador(simulador, QDir(gSalida).filePath("terminal-sim.log"),
                     {"--first-ticket", QString::number(primero)});
    Paso("cliente iniciado sobre " + gQueloPath + ", simulador de la terminal en marcha");

    frmTarsa ventana;
    ventana.setGeometry(0, 0, 1280, 900);
    ventana.Cargar();
    ventana.show();
    Esperar([&] { return ventana.isVisible(); }, "ventana principal");
    ElegirEmpresa(ventana, "23");
    Guardar(&ventana, gSalida, "ventana-principal.png");
    Paso("ventana principal con " + ventana.findChild<QComboBox*>("cboEmpresas")->currentText() +
         " elegido (ventana-principal.png)");

    const qint64 ticket = Consumir(ventana);
    frmInicio* inicio = Diario(ventana);
    Guardar(&ventana, gSalida, "ultimos-tickets.png");
    Paso(QString::fromUtf8("últimos tickets abierto, filas: %1 (ultimos-tickets.png)")
             .arg(inicio->findChild<QTreeWidget*>("lvwTransacciones")->topLevelItemCount()));
    Reimprimir(inicio, ticket);
    Anular(inicio, ticket);
    inicio->CargarListaTransacciones();
    Guardar(&ventana, gSalida, "ultimos-tickets-anulado.png");

    DetenerSimulador(simulador);
    Paso(QString::fromUtf8("fin: %1 tickets en PDF en %2 y %3 capturas en %4")
             .arg(gImpresos)
             .arg(Ruta(gPdf))
             .arg(QDir(gSalida).entryList({"*.png"}, QDir::Files).size())
             .arg(Ruta(gSalida)));
    return 0;
}
