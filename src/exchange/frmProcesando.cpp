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
#include "platform/ArchivoTexto.h"
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

Solicitud EnviarSolicitud(const QString& actividad, const QString& empresa, const QString& licencia) {
    Solicitud s;
    s.Transaccion.Actividad = actividad;
    s.Transaccion.Empresa = empresa;
    s.Transaccion.Licencia = licencia;
    s.Transaccion.Version = gVersion;
    const QString d = DirectorioIntercambio();
    s.Transaccion.QueloPath = d;

    // No answer of an earlier request may be read as this one's: what is left goes to the archive.
    const bool archivar = !gDirectorioAplicacion.isEmpty();
    clsArchivoIntercambios archivo(clsArchivoIntercambios::RaizPorDefecto());
    if (archivar) {
        clsArchivoIntercambios::RetencionDeAjustes();
        archivo.Despejar(gIntercambioAnterior.Id, d, QDateTime::currentDateTime());
    }
    s.Transaccion.PutSVL0();
    const QByteArray cabecera = ArchivoTexto::Leer(Rutas::Unir(d, "UpLoad\\_SVL.1")).value_or(QByteArray());
    gIntercambioAnterior = {
        archivar ? archivo.GuardarPedido(d, OperacionDe(cabecera), QDateTime::currentDateTime()) : QString(), false,
        cabecera, gVersion, gCodigoEmpresa};

    frmProcesando espera(QApplication::activeWindow());
    if (!espera.Cargar()) {
        s.Resultado = ResultadoSolicitud::Cancelada;
        gIntercambioAnterior.Cancelado = true;
        if (archivar)
            archivo.Anotar(gIntercambioAnterior.Id, NombreResultado(s.Resultado), QDateTime::currentDateTime());
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
