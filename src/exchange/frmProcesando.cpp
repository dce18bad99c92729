#include "exchange/frmProcesando.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "exchange/clsArchivoIntercambios.h"
#include "exchange/modIntercambio.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"
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
        if (VigilarDirectorio && lectura_.Incompleto() && !revision_.isActive()) revision_.start(IntervaloRevisionMs);
        return;
    }
    resultado_ = true;
    TimerTarsa.stop();
    revision_.stop();
    accept();
}

void frmProcesando::Cancelar() {
    resultado_ = false;
    TimerTarsa.stop();
    revision_.stop();
    reject();
}

namespace {

// The operation code a request header carries ("FF000" and two digits in V250; one character in the
// V101 pharmacy layout), for the archive's list.
QString OperacionDe(const QByteArray& cabecera) {
    if (cabecera.startsWith("FF000") && cabecera.size() >= 7) return QString::fromLatin1(cabecera.mid(5, 2));
    if (cabecera.size() == 222) return QString::fromLatin1(cabecera.mid(143, 1));
    return {};
}

QString NombreResultado(ResultadoSolicitud r) {
    switch (r) {
        case ResultadoSolicitud::Procesada:
            return "procesada";
        case ResultadoSolicitud::SinRespuesta:
            return "sin respuesta";
        case ResultadoSolicitud::ErrorProceso:
            return "error";
        case ResultadoSolicitud::Cancelada:
            break;
    }
    return "cancelada";
}

}  // namespace

namespace {

// The first record of a header file of D, never through a link; empty when missing or refused.
QByteArray Cabecera(const QString& d, const QString& relativa) {
    QFile archivo;
    if (SinEnlaces::AbrirLectura(archivo, d, relativa) != SinEnlaces::Apertura::Abierto) return {};
    return archivo.read(1024);
}

QByteArray CabeceraRespuesta(const QString& d) { return Cabecera(d, "DownLoad\\_svl.1"); }

// The answer now in d belongs to the cancelled request `anterior`: it is archived with it and, when it
// echoes that request and its status is a success, handed to whoever journals it.
void AtenderRespuestaTardia(clsArchivoIntercambios* archivo, const IntercambioAnterior& anterior, const QString& d) {
    clsTransaccion t;
    t.QueloPath = d;
    const QString estado = t.BuscarRespuesta();
    const bool propia = RespondeA(anterior.Cabecera, CabeceraRespuesta(d));
    if (archivo)
        archivo->GuardarRespuesta(anterior.Id, d, propia ? "tardía" : "tardía, no corresponde al pedido", estado,
                                  QDateTime::currentDateTime());
    if (!propia || !estado.startsWith('0') || !gAlRecibirRespuestaTardia) return;
    gAlRecibirRespuestaTardia(RespuestaTardia{estado, t.LeerSVL1(), t.BuscarTicket(), anterior.CodigoEmpresa});
}

// Whoever follows the terminal (the main window's status bar) hears when the wait starts and how it ended.
struct AvisoTerminal {
    const Solicitud& solicitud;
    explicit AvisoTerminal(const Solicitud& s) : solicitud(s) {
        if (gAlCambiarEstadoTerminal) gAlCambiarEstadoTerminal(nullptr);
    }
    ~AvisoTerminal() {
        if (gAlCambiarEstadoTerminal) gAlCambiarEstadoTerminal(&solicitud);
    }
};

}  // namespace

Solicitud EnviarSolicitud(const QString& actividad, const QString& empresa, const QString& licencia) {
    Solicitud s;
    s.Transaccion.Actividad = actividad;
    s.Transaccion.Empresa = empresa;
    s.Transaccion.Licencia = licencia;
    s.Transaccion.Version = gVersion;
    const QString d = DirectorioIntercambio();
    s.Transaccion.QueloPath = d;

    const bool archivar = !gDirectorioAplicacion.isEmpty();
    clsArchivoIntercambios archivo(clsArchivoIntercambios::RaizPorDefecto());
    clsArchivoIntercambios* registro = archivar ? &archivo : nullptr;
    // The answer to a request whose wait was cancelled may have come since: it is not lost.
    if (gIntercambioAnterior.Cancelado && !s.Transaccion.BuscarRespuesta().isEmpty()) {
        AtenderRespuestaTardia(registro, gIntercambioAnterior, d);
        gIntercambioAnterior.Cancelado = false;
    }
    // No answer of an earlier request may be read as this one's: what is left goes to the archive.
    if (archivar) archivo.Despejar(gIntercambioAnterior.Id, d, QDateTime::currentDateTime());
    const IntercambioAnterior anterior = gIntercambioAnterior;
    // The request is read and archived before the signal file is written: from then on the terminal
    // may take the request files away at any moment.
    const QByteArray cabecera = Cabecera(d, "UpLoad\\_SVL.1");
    gIntercambioAnterior = {archivar ? archivo.GuardarPedido(d, OperacionDe(cabecera), QDateTime::currentDateTime(),
                                                             {{"_SVL.0", s.Transaccion.RegistroSVL0()}})
                                     : QString(),
                            false, cabecera, gVersion, gCodigoEmpresa};
    s.Transaccion.PutSVL0();
    const AvisoTerminal aviso(s);

    for (;;) {
        frmProcesando espera(QApplication::activeWindow());
        if (!espera.Cargar()) {
            s.Resultado = ResultadoSolicitud::Cancelada;
            gIntercambioAnterior.Cancelado = true;
            if (archivar) archivo.Anotar(gIntercambioAnterior.Id, "cancelada", QDateTime::currentDateTime());
            return s;
        }
        const QByteArray respuesta = CabeceraRespuesta(d);
        if (RespondeA(cabecera, respuesta)) break;
        if (anterior.Cancelado && RespondeA(anterior.Cabecera, respuesta)) {
            // The cancelled request's answer came during this wait: it is kept, and the wait goes on.
            AtenderRespuestaTardia(registro, anterior, d);
            if (archivar)
                archivo.Despejar(anterior.Id, d, QDateTime::currentDateTime());
            else
                Rutas::Borrar(clsTransaccion::ArchivoEstado(d));
            continue;
        }
        s.Estado = s.Transaccion.BuscarRespuesta();
        s.Resultado = ResultadoSolicitud::ErrorProceso;
        if (archivar)
            archivo.GuardarRespuesta(gIntercambioAnterior.Id, d, "no corresponde al pedido", s.Estado,
                                     QDateTime::currentDateTime());
        // Its answer may still come: the next request looks for it.
        gIntercambioAnterior.Cancelado = true;
        MsgBox(QString::fromUtf8("La terminal entregó una respuesta que no corresponde a este pedido (operación "
                                 "%1 en lugar de %2); no se muestra ni se registra.")
                   .arg(OperacionDe(respuesta), OperacionDe(cabecera)),
               Mensajes::vbExclamation, "Proceso");
        return s;
    }
    s.Estado = s.Transaccion.BuscarRespuesta();
    if (s.Estado.isEmpty()) {
        s.Resultado = ResultadoSolicitud::SinRespuesta;
    } else if (!s.Estado.startsWith('0')) {
        s.Resultado = ResultadoSolicitud::ErrorProceso;
    } else {
        s.Resultado = ResultadoSolicitud::Procesada;
    }
    if (archivar)
        archivo.GuardarRespuesta(gIntercambioAnterior.Id, d, NombreResultado(s.Resultado), s.Estado,
                                 QDateTime::currentDateTime());
    if (s.Resultado == ResultadoSolicitud::ErrorProceso)
        MsgBox("Error en el proceso:\r\n" + s.Estado, Mensajes::vbInformation, "Proceso");
    return s;
}
