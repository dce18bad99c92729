#include "Conduccion.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QFocusEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "app/frmTarsa.h"
#include "core/modTarsa.h"
#include "platform/Rutas.h"
#include "platform/ui/Modal.h"
#include "tickets/frmTicketFarmaciaBase.h"

namespace Conduccion {

namespace {
QProcess* gSimulador = nullptr;
}

void Fallar(const QString& texto) {
    std::fprintf(stderr, "%s: %s\n", qPrintable(QFileInfo(QCoreApplication::applicationFilePath()).fileName()),
                 qPrintable(texto));
    if (gSimulador) gSimulador->kill();
    std::exit(1);
}

void Esperar(const std::function<bool()>& condicion, const QString& que) {
    QDeadlineTimer limite(20000);
    while (!condicion()) {
        if (limite.hasExpired()) Fallar("se agotó la espera: " + que);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

void Asentar() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// The window as drawn; a dialog (with dialogosEnPantalla) over the main window and the dialogs it
// was opened from, where the screen shows them. Drawn by the program rather than read back from the
// display, which without a window manager keeps the remains of windows already closed.
static QPixmap Imagen(QWidget* w) {
    if (!dialogosEnPantalla || !qobject_cast<QDialog*>(w) || !w->isWindow()) return w->grab();
    QWidget* principal = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (qobject_cast<frmTarsa*>(t) && t->isVisible()) principal = t;
    if (!principal) return w->grab();
    QList<QWidget*> capas;
    for (QWidget* v = w; v && v != principal; v = v->parentWidget() ? v->parentWidget()->window() : nullptr)
        if (v->isVisible()) capas.prepend(v);
    QPixmap imagen = principal->grab();
    QPainter pintor(&imagen);
    for (QWidget* v : capas) pintor.drawPixmap(principal->mapFromGlobal(v->mapToGlobal(QPoint())), v->grab());
    return imagen;
}

QString Guardar(QWidget* w, const QString& dir, const QString& nombre) {
    // A window of its own is taken once the screen shows it and its layout has stopped resizing it
    // (a label that wraps words settles the height only after the first show).
    if (w->isWindow()) {
        Esperar([w] { return w->windowHandle() && w->windowHandle()->isExposed(); }, "ventana expuesta " + nombre);
        QSize antes;
        do {
            antes = w->size();
            if (w->layout()) w->layout()->activate();
            Asentar();
        } while (w->size() != antes);
    }
    Asentar();
    const QString archivo = QDir(dir).filePath(nombre);
    if (!Imagen(w).save(archivo)) Fallar("no se pudo escribir " + archivo);
    return archivo;
}

void Escribir(QObject* ventana, const char* campo, const QString& texto) {
    auto* w = ventana->findChild<QLineEdit*>(campo);
    if (!w) Fallar(QString("no existe el campo ") + campo);
    w->setText(texto);
}

void Salir(QObject* ventana, const char* campo) {
    QWidget* w = ventana->findChild<QWidget*>(campo);
    if (!w) Fallar(QString("no existe el campo ") + campo);
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(w, &e);
}

void Elegir(QObject* ventana, const char* lista, const QString& comienzo) {
    auto* cbo = ventana->findChild<QComboBox*>(lista);
    if (!cbo) Fallar(QString("no existe la lista ") + lista);
    for (int i = 0; i < cbo->count(); ++i)
        if (cbo->itemText(i).startsWith(comienzo)) return cbo->setCurrentIndex(i);
    Fallar(QString("la lista ") + lista + " no ofrece " + comienzo);
}

void Pulsar(QObject* ventana, const char* boton) {
    auto* b = ventana->findChild<QPushButton*>(boton);
    if (!b) Fallar(QString("no existe el botón ") + boton);
    b->click();
}

void IniciarSimulador(QProcess& simulador, const QString& registro, const QStringList& opciones) {
    if (registro.isEmpty()) {
        simulador.setProcessChannelMode(QProcess::ForwardedChannels);
    } else {
        simulador.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        simulador.setStandardOutputFile(registro, QIODevice::Append);
    }
    const QString catalogos = QDir(qEnvironmentVariable("TARSA_APPDIR") + "/../catalogos").absolutePath();
    simulador.start(Rutas::Unir(QCoreApplication::applicationDirPath(), "tarsa-terminal-sim"),
                    QStringList{"--dir", gQueloPath, "--catalogs", catalogos} + opciones);
    if (!simulador.waitForStarted(5000)) Fallar("no arranca tarsa-terminal-sim");
    gSimulador = &simulador;
}

void DetenerSimulador(QProcess& simulador) {
    gSimulador = nullptr;
    simulador.terminate();
    if (!simulador.waitForFinished(5000)) simulador.kill();
}

int EsperarTerminal(QDialog& espera) {
    QDeadlineTimer limite(20000);
    QTimer vigilancia;
    QObject::connect(&vigilancia, &QTimer::timeout, [&limite] {
        if (gSimulador && gSimulador->state() == QProcess::NotRunning)
            Fallar(QString::fromUtf8("el simulador de la terminal terminó (código %1)").arg(gSimulador->exitCode()));
        if (limite.hasExpired()) Fallar(QString::fromUtf8("la terminal no respondió en 20 s"));
    });
    vigilancia.start(100);
    return espera.exec();
}

void Consumo(frmTarsa& ventana, const DatosConsumo& datos, const QString& salida, const CapturasConsumo& capturas) {
    qsizetype item = 0, diagnostico = 0;
    const auto capturar = [&salida](QWidget* w, const QString& nombre) {
        if (!nombre.isEmpty()) Guardar(w, salida, nombre);
    };
    EstablecerManejadorModal([&](QDialog& d) -> int {
        const QString nombre = d.objectName();
        if (nombre == "frmItemTicketFarmacia") {
            d.show();
            Escribir(&d, "txtTroquel", datos.items[item].troquel);
            Salir(&d, "txtTroquel");
            Escribir(&d, "txtCantidad", datos.items[item].cantidad);
            Escribir(&d, "txtPlanCobertura", datos.plan);
            Escribir(&d, "txtPorcentajeCobertura", datos.porcentaje);
            Elegir(&d, "cboTipoPrescripcion", QString::fromUtf8("Comercial"));
            if (item++ == 0) capturar(&d, capturas.item);
            Pulsar(&d, "cmdAceptar");
            return d.result();
        }
        if (nombre == "frmDiagnostico") {
            d.show();
            Escribir(&d, "txtDiagnostico", datos.diagnosticos.value(diagnostico));
            Salir(&d, "txtDiagnostico");
            if (diagnostico++ == 0) capturar(&d, capturas.diagnostico);
            Pulsar(&d, "cmdAceptar");
            return d.result();
        }
        if (nombre == "frmMuestraTicket") {
            d.show();
            capturar(&d, capturas.respuesta);
            return QDialog::Accepted;
        }
        if (nombre == "frmProcesando") return EsperarTerminal(d);
        Fallar("ventana inesperada durante el consumo: " + nombre + " " + d.windowTitle());
    });

    ventana.EjecutarBoton("K11");
    frmTicketFarmaciaBase* ticket = frmTicketFarmaciaBase::Abierto();
    if (!ticket) Fallar("Consumo no abrió el ticket");
    Escribir(ticket, "txtTarjeta", datos.tarjeta);
    Elegir(ticket, "cboTipoLectura", "Manual");
    Escribir(ticket, "txtFarmacia", "4512");
    Escribir(ticket, "txtTipoReceta", "1");
    Escribir(ticket, "txtReceta", datos.receta);
    Elegir(ticket, "cboProvinciaR", "B.");
    Escribir(ticket, "txtMatriculaRe", "45213");
    Salir(ticket, "txtMatriculaRe");
    for (qsizetype i = 0; i < datos.items.size(); ++i) Pulsar(ticket, "cmdAddItem");
    if (item != datos.items.size()) Fallar("el ticket no aceptó los ítems");
    for (qsizetype i = 0; i < datos.diagnosticos.size(); ++i) Pulsar(ticket, "cmdAddDiags");
    if (diagnostico != datos.diagnosticos.size()) Fallar("el ticket no aceptó los diagnósticos");
    if (QWidget* marco = ticket->parentWidget(); qobject_cast<QMdiSubWindow*>(marco)) marco->move(10, 10);
    capturar(&ventana, capturas.formulario);
    Pulsar(ticket, "cmdAceptar");
    Esperar([] { return frmTicketFarmaciaBase::Abierto() == nullptr; }, "el ticket aceptado");
    EstablecerManejadorModal({});
}

}  // namespace Conduccion
