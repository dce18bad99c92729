#include "journal/frmInicio.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Operaciones.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "exchange/clsTicket.h"
#include "exchange/frmProcesando.h"
#include "journal/clsTransacciones.h"
#include "journal/frmTicket.h"
#include "platform/ArchivoTexto.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"
#include "ui/modRespuesta.h"

namespace {

struct DefColumna {
    const char* titulo;
    int blancos;
};
const DefColumna kColumnas[] = {{"", 10},          {"Operación", 20}, {"Fecha", 24},    {"Financiador", 18},
                                {"Nº ticket", 15}, {"Afiliado", 35},  {"Respuesta", 50}};

// The row icons: answered without error, answered with an error.
QIcon IconoFila(bool error) {
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setBrush(error ? QColor(0xc6, 0x28, 0x28) : QColor(0x2e, 0x7d, 0x32));
    pintor.setPen(Qt::NoPen);
    pintor.drawEllipse(1, 1, 14, 14);
    return QIcon(p);
}

// "yyyymmdd" and "hhmm" as "dd/mm/yyyy hh:mm".
QString FechaHora(const QString& fecha, const QString& hora) {
    return fecha.mid(6, 2) + "/" + fecha.mid(4, 2) + "/" + fecha.left(4) + " " + hora.left(2) + ":" + hora.mid(2, 2);
}

constexpr int kOperacionAnulacion = 2;

// A cancelled ticket stays listed (it can be looked at and printed again), greyed and saying so.
void MarcarAnulado(QTreeWidgetItem* fila, qint64 anulacion) {
    fila->setText(frmInicio::ColOperacion, fila->text(frmInicio::ColOperacion) + " (anulado)");
    const QString aviso = QString::fromUtf8("Anulado por el ticket %1").arg(anulacion);
    for (int c = 0; c < fila->columnCount(); ++c) {
        fila->setForeground(c, QColor(0x75, 0x75, 0x75));
        fila->setToolTip(c, aviso);
    }
}

}  // namespace

frmInicio::frmInicio(QWidget* parent)
    : QWidget(parent),
      lvwTransacciones(new QTreeWidget(this)),
      txtNrotransaccion(new QLineEdit(this)),
      cmdBuscar(new QPushButton("&Buscar", this)),
      cmdCerrar(new QPushButton("&Cerrar", this)) {
    setObjectName("frmInicio");
    setWindowTitle(QString::fromUtf8("Últimos tickets"));
    lvwTransacciones->setObjectName("lvwTransacciones");
    txtNrotransaccion->setObjectName("txtNrotransaccion");
    cmdBuscar->setObjectName("cmdBuscar");
    cmdCerrar->setObjectName("cmdCerrar");

    lvwTransacciones->setRootIsDecorated(false);
    lvwTransacciones->setAllColumnsShowFocus(true);
    lvwTransacciones->setColumnCount(7);
    QStringList titulos;
    for (const DefColumna& c : kColumnas) titulos << QString::fromUtf8(c.titulo);
    lvwTransacciones->setHeaderLabels(titulos);
    const QFontMetrics medida(font());
    for (int i = 0; i < 7; ++i)
        lvwTransacciones->setColumnWidth(i, medida.horizontalAdvance(QString(kColumnas[i].blancos, ' ')) + 8);
    lvwTransacciones->header()->setSectionsClickable(true);
    lvwTransacciones->viewport()->installEventFilter(this);
    // Enter on a row opens its ticket, as deliberately as a click (moving with the arrows does not).
    lvwTransacciones->installEventFilter(this);
    connect(lvwTransacciones->header(), &QHeaderView::sectionClicked, this, &frmInicio::OrdenarColumna);
    connect(lvwTransacciones, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* fila) { ClickFila(fila); });
    // A row chosen with the keyboard counts as a row click too, and so opens nothing.
    connect(lvwTransacciones, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* fila) {
        if (!botonMouse_ && fila) ClickFila(fila);
    });

    auto* pie = new QHBoxLayout;
    pie->addWidget(new QLabel(QString::fromUtf8("Nº de transacción:"), this));
    pie->addWidget(txtNrotransaccion);
    pie->addWidget(cmdBuscar);
    pie->addStretch();
    pie->addWidget(cmdCerrar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lvwTransacciones);
    todo->addLayout(pie);
    resize(900, 420);

    connect(cmdBuscar, &QPushButton::clicked, this, &frmInicio::Reimprimir);
    connect(cmdCerrar, &QPushButton::clicked, this, &frmInicio::Cerrar);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &frmInicio::Cerrar);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(txtNrotransaccion, &QLineEdit::returnPressed, this, &frmInicio::Reimprimir);
    CargarListaTransacciones();
}

void frmInicio::CargarListaTransacciones() {
    QList<clsItemTransaccion> filas;
    try {
        clsTransacciones().GetAP(filas);
    } catch (const std::exception& e) {
        const TarsaError t = ComoTarsaError(e);
        MsgBox(t.Descripcion, Mensajes::vbCritical, t.Fuente);
        return;
    }
    if (filas.isEmpty()) {
        MsgBox("No hay transacciones guardadas", Mensajes::vbInformation);
        return;
    }
    // Newest first, the way the user looks for the ticket just made (among equal times, the later row).
    std::stable_sort(filas.begin(), filas.end(), [](const clsItemTransaccion& a, const clsItemTransaccion& b) {
        return a.Fecha + a.Hora < b.Fecha + b.Hora;
    });
    std::reverse(filas.begin(), filas.end());
    // A ticket that a cancellation answered without error names is no longer in force.
    QHash<qint64, qint64> anulados;  // ticket -> the cancellation's ticket
    for (const clsItemTransaccion& t : filas)
        if (t.Operacion.toInt() == kOperacionAnulacion && t.Error == 0 && t.TicketPadre != 0)
            anulados.insert(t.TicketPadre, t.Ticket);
    lvwTransacciones->clear();
    for (const clsItemTransaccion& t : filas) {
        auto* fila = new QTreeWidgetItem(lvwTransacciones);
        fila->setIcon(ColError, IconoFila(t.Error != 0));
        fila->setText(ColError, QString::number(t.Error));
        fila->setText(ColOperacion, NombreOperacion(t.Operacion.toInt()));
        fila->setText(ColFecha, FechaHora(t.Fecha, t.Hora));
        fila->setText(ColFinanciador, t.ObraSocial);
        fila->setText(ColTicket, QString::number(t.Ticket));
        fila->setData(ColTicket, Qt::UserRole, t.NumeroAutorizacion);
        fila->setText(ColAfiliado, t.Tarjeta.left(11));
        fila->setText(ColRespuesta, t.Comentario);
        if (t.Operacion.toInt() != kOperacionAnulacion && anulados.contains(t.Ticket))
            MarcarAnulado(fila, anulados[t.Ticket]);
    }
    lvwTransacciones->setCurrentItem(lvwTransacciones->topLevelItem(0));
    // The columns start as wide as their runs of blanks; a text that does not fit widens its column,
    // so no operation name or date is cut.
    for (int c = ColOperacion; c <= ColRespuesta; ++c) {
        const int ancho = lvwTransacciones->columnWidth(c);
        lvwTransacciones->resizeColumnToContents(c);
        if (lvwTransacciones->columnWidth(c) < ancho) lvwTransacciones->setColumnWidth(c, ancho);
    }
}

bool frmInicio::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == lvwTransacciones->viewport() && evento->type() == QEvent::MouseButtonPress) botonMouse_ = true;
    if (objeto == lvwTransacciones && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && lvwTransacciones->currentItem()) {
            AbrirTicketGuardado(lvwTransacciones->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmInicio::ClickFila(QTreeWidgetItem* fila) {
    const bool abrir = botonMouse_;
    botonMouse_ = false;
    if (abrir && fila) AbrirTicketGuardado(fila);
}

void frmInicio::AbrirTicketGuardado(QTreeWidgetItem* fila) {
    const QString directorio = Rutas::Unir(Rutas::Unir(gDirectorioAplicacion, "Tickets"), "");
    if (!Rutas::EsDirectorio(directorio)) {
        MsgBox("No se encuentra el directorio de los tickets: " + directorio);
        return;
    }
    const QString archivo = directorio + fila->text(ColTicket) + ".prn";
    if (!Rutas::EsArchivo(archivo)) {
        MsgBox("No se encuentra el archivo del ticket: " + archivo);
        return;
    }
    MostrarTicket(ArchivoTexto::LeerTextoCrLf(archivo), fila->text(ColTicket), fila->text(ColAfiliado),
                  fila->data(ColTicket, Qt::UserRole).toString());
    CargarListaTransacciones();  // a cancellation adds a row
}

void frmInicio::MostrarTicket(const QString& texto, const QString& ticket, const QString& tarjeta,
                              const QString& autorizacion) {
    frmTicket vista(this);
    vista.Autorizacion = autorizacion;
    vista.Cargar(texto, ticket, tarjeta);
}

void frmInicio::OrdenarColumna(int columna) {
    orden_ = columna == columnaOrden_ && orden_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    columnaOrden_ = columna;
    lvwTransacciones->sortItems(columna, orden_);
}

void frmInicio::Reimprimir() {
    const QString numero = txtNrotransaccion->text().trimmed();
    if (numero.isEmpty()) {
        MsgBox(QString::fromUtf8("Debe ingresar el nº de transacción"), Mensajes::vbInformation);
        return;
    }
    bool esNumero = false;
    QLocale().toDouble(numero, &esNumero);
    if (!esNumero) {
        MsgBox(QString::fromUtf8("El nº de transacción ingresado no es correcto"), Mensajes::vbInformation);
        return;
    }
    NuevaTransaccionFarmacia();
    clsTicket reimpresion;
    reimpresion.Version = gVersion;
    reimpresion.CodigoOperacion = 80;  // written as it is for every protocol version
    reimpresion.TipoPrestador = 1;
    reimpresion.TipoLectura = "0";
    reimpresion.TicketPadre = numero;
    reimpresion.NTransaccionFarmacia = gNTransaccionFarmacia;
    try {
        reimpresion.GrabarSVL1(DirectorioIntercambio());
        Solicitud s = EnviarSolicitud();
        if (s.Procesada()) {
            MostrarRespuestaTicket(s.Transaccion, this, AutorizacionGuardada(numero));
            PedirNuevaTransaccion();
        } else {
            ConservarTransaccion();
        }
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, windowTitle());
    }
}

QString frmInicio::AutorizacionGuardada(const QString& numero) const {
    const QString ticket = QString::number(QLocale().toLongLong(numero));
    for (const QTreeWidgetItem* fila : lvwTransacciones->findItems(ticket, Qt::MatchExactly, ColTicket)) {
        const QString autorizacion = fila->data(ColTicket, Qt::UserRole).toString();
        if (!autorizacion.trimmed().isEmpty()) return autorizacion;
    }
    return {};
}

void frmInicio::Cerrar() {
    PedirNuevaTransaccion();
    QGuiApplication::restoreOverrideCursor();
    if (parentWidget() && parentWidget()->inherits("QMdiSubWindow"))
        parentWidget()->close();
    else
        close();
}
