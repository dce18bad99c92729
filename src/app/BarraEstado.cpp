#include "app/BarraEstado.h"

#include <QEvent>
#include <QLabel>
#include <QLocale>

#include "core/modConexion.h"
#include "core/modTarsa.h"
#include "exchange/frmProcesando.h"
#include "journal/clsTransacciones.h"
#include "journal/modTransaccionLocal.h"
#include "ui/EtiquetaRecortada.h"

namespace {

// The bar the terminal's and the journal's news go to: the last one created that still lives.
BarraEstado* gBarra = nullptr;

QString Hora(const QDateTime& cuando) { return QLocale().toString(cuando.time(), QStringLiteral("HH:mm")); }

QString TextoTerminal(const Solicitud* s, const QDateTime& cuando) {
    if (!s) return QString::fromUtf8("Terminal: esperando respuesta…");
    switch (s->Resultado) {
        case ResultadoSolicitud::Procesada:
            return QString::fromUtf8("Terminal: respondió a las %1").arg(Hora(cuando));
        case ResultadoSolicitud::ErrorProceso:
            return QString::fromUtf8("Terminal: error «%1» a las %2").arg(s->Estado.trimmed(), Hora(cuando));
        case ResultadoSolicitud::SinRespuesta:
            return QString::fromUtf8("Terminal: respuesta vacía a las %1").arg(Hora(cuando));
        case ResultadoSolicitud::Cancelada:
            break;
    }
    return QString::fromUtf8("Terminal: espera cancelada a las %1").arg(Hora(cuando));
}

}  // namespace

BarraEstado::BarraEstado(QWidget* parent) : QStatusBar(parent) {
    setObjectName("sbEstado");
    lblDirectorio_ = Campo("lblDirectorio", 3);
    lblTerminal_ = Campo("lblTerminal", 2);
    lblTicket_ = Campo("lblUltimoTicket", 0);
    lblVersion_ = Campo("lblVersion", 0);
    lblTerminal_->setText(QString::fromUtf8("Terminal: sin pedidos todavía"));
    gBarra = this;
    gAlCambiarEstadoTerminal = [](const Solicitud* s) {
        if (gBarra) gBarra->EstadoTerminal(s);
    };
    gAlGuardarTicket = [](qint64 ticket) {
        if (gBarra) gBarra->UltimoTicket(ticket);
    };
    // The working directory may change in the settings dialog: read again whenever the window comes back.
    if (parent) parent->installEventFilter(this);
}

BarraEstado::~BarraEstado() {
    if (gBarra == this) gBarra = nullptr;
}

QLabel* BarraEstado::Campo(const char* nombre, int estiramiento) {
    // A long directory or terminal message ends in "…" rather than widening the window; its tooltip
    // shows it whole. The ticket and the version are short and always whole.
    QLabel* l = estiramiento > 0 ? new EtiquetaRecortada(this) : new QLabel(this);
    l->setObjectName(nombre);
    if (estiramiento > 0) l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addPermanentWidget(l, estiramiento);
    return l;
}

void BarraEstado::Actualizar() {
    lblDirectorio_->setText(gQueloPath.isEmpty() ? QString::fromUtf8("Directorio de trabajo sin configurar")
                                                 : "Directorio: " + gQueloPath);
    lblVersion_->setText(QString::fromUtf8("Versión %1 · protocolo %2").arg(QStringLiteral(TARSA_VERSION), gVersion));
    if (!lblTicket_->text().isEmpty()) return;
    // At start the journal's newest ticket; from then on the one just journalled.
    QList<clsItemTransaccion> filas;
    try {
        if (gDB) clsTransacciones().GetAP(filas);
    } catch (const std::exception&) {
        // Without the journal the bar says no ticket yet.
    }
    const clsItemTransaccion* ultima = nullptr;
    for (const clsItemTransaccion& t : filas)
        if (!ultima || t.Fecha + t.Hora >= ultima->Fecha + ultima->Hora) ultima = &t;
    if (ultima)
        UltimoTicket(ultima->Ticket);
    else
        lblTicket_->setText(QString::fromUtf8("Último ticket: ninguno"));
}

void BarraEstado::EstadoTerminal(const Solicitud* solicitud, const QDateTime& cuando) {
    lblTerminal_->setText(TextoTerminal(solicitud, cuando));
}

void BarraEstado::UltimoTicket(qint64 ticket) {
    lblTicket_->setText(QString::fromUtf8("Último ticket: %1").arg(ticket));
}

bool BarraEstado::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate || evento->type() == QEvent::Show) Actualizar();
    return QStatusBar::eventFilter(objeto, evento);
}
