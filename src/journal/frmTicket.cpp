#include "journal/frmTicket.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Operaciones.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modImpresion.h"
#include "core/modTarsa.h"
#include "exchange/clsTicket.h"
#include "exchange/frmProcesando.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "platform/ui/VistaTicket.h"
#include "ui/modRespuesta.h"

frmTicket::frmTicket(QWidget* parent)
    : QDialog(parent),
      txtPreView(new VistaTicket("txtPreView", this)),
      cmdAnular(new QPushButton("&Anular", this)),
      cmdImprimir(new QPushButton("&Imprimir", this)),
      Command1(new QPushButton("&Cerrar", this)) {
    setObjectName("frmTicket");
    setWindowTitle("Ticket");
    cmdAnular->setObjectName("cmdAnular");
    cmdImprimir->setObjectName("cmdImprimir");
    Command1->setObjectName("Command1");
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdAnular);
    botones->addStretch();
    botones->addWidget(cmdImprimir);
    botones->addWidget(Command1);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(txtPreView);
    todo->addLayout(botones);
    resize(560, 600);
    // Enter, the key that dismisses a window, closes it; a cancellation goes to the insurer and cannot
    // be taken back, so it is never the default and it asks first.
    cmdAnular->setAutoDefault(false);
    cmdImprimir->setAutoDefault(false);
    Command1->setDefault(true);
    connect(cmdAnular, &QPushButton::clicked, this, &frmTicket::Anular);
    connect(cmdImprimir, &QPushButton::clicked, this,
            [this] { ImprimirTexto(txtPreView->toPlainText(), CodigosTicket(idTicket_, Autorizacion)); });
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);
}

void frmTicket::Cargar(const QString& sContenido, const QString& sIdTicket, const QString& sTarjeta) {
    contenido_ = sContenido;
    idTicket_ = sIdTicket;
    tarjeta_ = sTarjeta;
    txtPreView->setPlainText(sContenido);
    MostrarModal(*this);
}

void frmTicket::Anular() {
    const QString pregunta = QString::fromUtf8("¿Anular el ticket %1?").arg(idTicket_);
    if (MsgBox(pregunta, Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, windowTitle()) !=
        Mensajes::vbYes)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    clsTicket cancelacion;
    cancelacion.Version = gVersion;
    cancelacion.CodigoOperacion = CodigoOperacionVersion(2);
    cancelacion.TipoPrestador = 1;
    cancelacion.Tarjeta = tarjeta_;
    cancelacion.TipoLectura = "0";
    cancelacion.TicketPadre = idTicket_;
    cancelacion.NTransaccionFarmacia = gNTransaccionFarmacia;
    try {
        cancelacion.GrabarSVL1(DirectorioIntercambio());
    } catch (const std::exception& e) {
        // The request could not be written: the window stays open.
        QGuiApplication::restoreOverrideCursor();
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, windowTitle());
        return;
    }
    bool cerrar = true;
    try {
        Solicitud s = EnviarSolicitud();
        if (s.Procesada()) {
            const RespuestaTicket r = MostrarRespuestaTicket(s.Transaccion, this);
            cerrar = !r.HuboErrores && !r.Ticket.contains("ERROR");
            GuardarTransaccionLocal(s.Transaccion.LeerSVL1(), r.Ticket, gCodigoEmpresa, false);
        }
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, windowTitle());
    }
    QGuiApplication::restoreOverrideCursor();
    if (cerrar) {
        PedirNuevaTransaccion();
        accept();
    }
}
