#include "journal/frmDetalleIntercambio.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QColor kMarca(170, 0, 0);

void Marcar(QTreeWidgetItem* item) {
    for (int c = 0; c < frmDetalleIntercambio::kColumnas; ++c) item->setForeground(c, kMarca);
}

QTreeWidgetItem* FilaCampo(QTreeWidgetItem* registro, const CampoLeido& c) {
    auto* item = new QTreeWidgetItem(registro);
    item->setText(frmDetalleIntercambio::ColCampo, c.Campo.Nombre);
    item->setText(frmDetalleIntercambio::ColPosicion, QString::number(c.Campo.Offset + 1));  // the first byte is 1
    item->setText(frmDetalleIntercambio::ColAncho, QString::number(c.Campo.Ancho));
    item->setText(frmDetalleIntercambio::ColBytes, clsHistorialIntercambios::BytesVisibles(c.Bytes));
    item->setText(frmDetalleIntercambio::ColValor, c.Valor);
    item->setText(frmDetalleIntercambio::ColMarca, c.Marca);
    if (!c.Marca.isEmpty()) Marcar(item);
    return item;
}

}  // namespace

frmDetalleIntercambio::frmDetalleIntercambio(QWidget* parent)
    : QDialog(parent),
      lblIntercambio(new QLabel(this)),
      tvwRegistros(new QTreeWidget(this)),
      txtTicket(new QPlainTextEdit(this)) {
    setObjectName("frmDetalleIntercambio");
    setWindowTitle("Intercambio con la terminal");
    lblIntercambio->setObjectName("lblIntercambio");
    lblIntercambio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblIntercambio->setWordWrap(true);
    tvwRegistros->setObjectName("tvwRegistros");
    tvwRegistros->setHeaderLabels(
        {"Campo", QString::fromUtf8("Posición"), "Ancho", "Bytes", "Valor", QString::fromUtf8("Observación")});
    txtTicket->setObjectName("txtTicket");
    txtTicket->setReadOnly(true);
    const QFont fija = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    tvwRegistros->setFont(fija);
    txtTicket->setFont(fija);
    auto* botones = new QDialogButtonBox(QDialogButtonBox::Close, this);
    botones->button(QDialogButtonBox::Close)->setObjectName("cmdCerrar");
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* partes = new QSplitter(Qt::Vertical, this);
    partes->addWidget(tvwRegistros);
    partes->addWidget(txtTicket);
    partes->setStretchFactor(0, 3);
    partes->setStretchFactor(1, 1);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(lblIntercambio);
    raiz->addWidget(partes, 1);
    raiz->addWidget(botones);
    resize(900, 640);
}

void frmDetalleIntercambio::Cargar(const DetalleHistorial& d) {
    const clsItemIntercambio& i = d.Item;
    QString resumen =
        QString::fromUtf8("%1 — %2 — enviado %3").arg(i.Id, i.Resultado, i.Enviado.toString("dd/MM/yyyy HH:mm:ss.zzz"));
    if (i.Respondido.isValid()) resumen += ", respondido " + i.Respondido.toString("dd/MM/yyyy HH:mm:ss.zzz");
    if (!i.Estado.isEmpty()) resumen += "\nEstado: " + i.Estado;
    if (!d.Marca.isEmpty()) resumen += "\n" + d.Marca;
    lblIntercambio->setText(resumen);
    if (!d.Marca.isEmpty()) lblIntercambio->setStyleSheet("color: rgb(170, 0, 0)");

    tvwRegistros->clear();
    for (const ArchivoDesglosado& a : d.Archivos) {
        auto* archivo = new QTreeWidgetItem(tvwRegistros);
        QString titulo = a.Grupo + "/" + a.Nombre;
        if (!a.Disposicion.isEmpty()) titulo += " (" + a.Disposicion + ")";
        archivo->setText(ColCampo, titulo);
        archivo->setText(ColAncho, QString::number(a.Bytes.size()));
        archivo->setText(ColMarca, a.Marca);
        if (!a.Marca.isEmpty()) Marcar(archivo);
        if (a.Registros.isEmpty() && !a.Bytes.isEmpty())
            archivo->setText(ColBytes, clsHistorialIntercambios::BytesVisibles(a.Bytes.left(400)));
        for (const RegistroDesglosado& r : a.Registros) {
            auto* registro = new QTreeWidgetItem(archivo);
            registro->setText(ColCampo, QString("Registro %1").arg(r.Numero));
            registro->setText(ColMarca, r.Marca);
            if (!r.Marca.isEmpty()) Marcar(registro);
            for (const CampoLeido& c : r.Campos) FilaCampo(registro, c);
        }
        archivo->setExpanded(true);
    }
    tvwRegistros->expandAll();
    for (int c = 0; c < kColumnas; ++c) tvwRegistros->resizeColumnToContents(c);
    txtTicket->setPlainText(d.Ticket);
}
