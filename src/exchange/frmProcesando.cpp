#include "exchange/frmProcesando.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/modDirectorioTerminal.h"
#include "exchange/CicloSolicitud.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/ui/Modal.h"

namespace {

// Four frames of a ring of four dots, the lit dot going round.
QPixmap Cuadro(int encendido) {
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const double angulo = M_PI / 2 * i - M_PI / 2;
        g.setBrush(i == encendido ? QColor(0, 90, 170) : QColor(190, 200, 215));
        g.drawEllipse(QPointF(16 + 10 * std::cos(angulo), 16 + 10 * std::sin(angulo)), 4.5, 4.5);
    }
    return p;
}

}  // namespace

frmProcesando::frmProcesando(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProcesando");
    setWindowTitle("Proceso");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    for (int i = 0; i < 4; ++i) cuadros_[i] = Cuadro(i);

    imgAnimacion_ = new QLabel(this);
    imgAnimacion_->setObjectName("imgAnimacion");
    imgAnimacion_->setPixmap(cuadros_[0]);
    auto* texto = new QLabel(QString::fromUtf8("Esperando la respuesta de la terminal…"), this);
    cmdCancelar_ = new QPushButton("Cancelar", this);
    cmdCancelar_->setObjectName("cmdCancelar");

    auto* fila = new QHBoxLayout;
    fila->addWidget(imgAnimacion_);
    fila->addWidget(texto, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdCancelar_);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(fila);
    raiz->addLayout(botones);

    TimerTarsa.setObjectName("TimerTarsa");
    connect(&TimerTarsa, &QTimer::timeout, this, &frmProcesando::Tick);
    connect(&vigilante_, &QFileSystemWatcher::directoryChanged, this, &frmProcesando::Comprobar);
    connect(&vigilante_, &QFileSystemWatcher::fileChanged, this, &frmProcesando::Comprobar);
    connect(&revision_, &QTimer::timeout, this, &frmProcesando::Comprobar);
    connect(cmdCancelar_, &QPushButton::clicked, this, &frmProcesando::Cancelar);
}

bool frmProcesando::Cargar() {
    resultado_ = false;
    cuadro_ = 0;
    const QString d = DirectorioIntercambio();
    estado_ = clsTransaccion::ArchivoEstado(d);
    lectura_ = clsLecturaEstado(estado_);
    TimerTarsa.start(IntervaloSondeoMs);
    if (VigilarDirectorio && Rutas::EsDirectorio(d)) vigilante_.addPath(Rutas::Resolver(d));
    // The terminal may have answered before the watch began.
    if (VigilarDirectorio) QTimer::singleShot(0, this, &frmProcesando::Comprobar);
    MostrarModal(*this);
    TimerTarsa.stop();
    revision_.stop();
    if (!vigilante_.directories().isEmpty()) vigilante_.removePaths(vigilante_.directories());
    if (!vigilante_.files().isEmpty()) vigilante_.removePaths(vigilante_.files());
    return resultado_;
}

void frmProcesando::Descargar() {
    TimerTarsa.stop();
    revision_.stop();
    close();
}

void frmProcesando::Tick() {
    cuadro_ = cuadro_ % 4 + 1;
    imgAnimacion_->setPixmap(cuadros_[cuadro_ - 1]);
    Comprobar();
}

void frmProcesando::Comprobar() {
    if (resultado_ || !TimerTarsa.isActive()) return;
    if (!lectura_.Completo()) {
        // Without the watch only the poll looks again, so the two can be compared.
        if (!VigilarDirectorio || !lectura_.Incompleto()) return;
        if (!revision_.isActive()) revision_.start(IntervaloRevisionMs);
        if (VigilarArchivo()) Comprobar();  // written between the look and the watch
        return;
    }
    resultado_ = true;
    TimerTarsa.stop();
    revision_.stop();
    accept();
}

// The directory reports the status file when it appears, not when the terminal writes into it after
// creating it: the file itself is watched from then on, so that its line is read as soon as it is written.
bool frmProcesando::VigilarArchivo() {
    const QString archivo = Rutas::Resolver(estado_);
    if (vigilante_.files().contains(archivo)) return false;
    return vigilante_.addPath(archivo);
}

void frmProcesando::reject() { Cancelar(); }

void frmProcesando::Cancelar() {
    if (resultado_ || !TimerTarsa.isActive()) return;
    // The terminal is not told: it may still approve the request. While the user decides the wait
    // stands still, so the answer cannot close the window under the question.
    TimerTarsa.stop();
    revision_.stop();
    const int respuesta = MsgBox(QString::fromUtf8("La terminal puede aprobar el pedido aunque se cancele la espera. "
                                                   "Si lo aprueba, se registrará en la lista de transacciones "
                                                   "cuando llegue su respuesta.\r\n\r\n¿Cancelar la espera?"),
                                 Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, "Proceso");
    TimerTarsa.start(IntervaloSondeoMs);
    // The answer may have come while the question was up: then it is read, not lost to a cancel.
    if (respuesta != Mensajes::vbYes || lectura_.Completo()) {
        Comprobar();
        return;
    }
    TimerTarsa.stop();
    QDialog::reject();
}

Solicitud EnviarSolicitud(const QString& actividad, const QString& empresa, const QString& licencia) {
    clsTransaccion t;
    t.Actividad = actividad;
    t.Empresa = empresa;
    t.Licencia = licencia;
    t.Version = gVersion;
    t.QueloPath = DirectorioIntercambio();
    // Whoever follows the terminal (the main window's status bar) hears when the wait starts and how it
    // ended; a request refused before it was written never started a wait.
    bool esperando = false;
    Solicitud s;
    try {
        s = gCicloSolicitud.Enviar(t, [&esperando] {
            if (!esperando && gAlCambiarEstadoTerminal) gAlCambiarEstadoTerminal(nullptr);
            esperando = true;
            frmProcesando espera(QApplication::activeWindow());
            return espera.Cargar();
        });
    } catch (...) {
        if (esperando && gAlCambiarEstadoTerminal) gAlCambiarEstadoTerminal(&s);
        throw;
    }
    if (esperando && gAlCambiarEstadoTerminal) gAlCambiarEstadoTerminal(&s);
    return s;
}
