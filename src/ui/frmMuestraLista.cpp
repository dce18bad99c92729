#include "ui/frmMuestraLista.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "platform/ui/Twips.h"
#include "ui/modPresentacion.h"

frmMuestraLista::frmMuestraLista(QWidget* padre) : QDialog(padre) {
    setObjectName("frmMuestraLista");
    lvwLista_ = new QTreeWidget(this);
    lvwLista_->setObjectName("lvwLista");
    lvwLista_->setColumnCount(2);
    lvwLista_->setHeaderHidden(true);
    lvwLista_->setRootIsDecorated(false);
    lvwLista_->setTextElideMode(Qt::ElideNone);
    lvwLista_->header()->setStretchLastSection(false);
    cmdSalir_ = new QPushButton("&Salir", this);
    cmdSalir_->setObjectName("cmdSalir");
    connect(cmdSalir_, &QPushButton::clicked, this, &QDialog::close);
}

void frmMuestraLista::Cargar(const QStringList& item, int columnas, const QList<EncabezadoLista>& encabezados,
                             const QString& caption) {
    setWindowTitle(caption);
    resize(TwipsAPixeles(5000), TwipsAPixeles(3000));
    lvwLista_->clear();
    const QFontMetrics fm = fontMetrics();
    int anchoTitulo = 0;
    int anchoValor = 0;
    for (int i = 1; i <= columnas && i <= encabezados.size(); ++i) {
        const EncabezadoLista& e = encabezados[i - 1];
        if (e.Ancho < 1) continue;  // a hidden column of the list
        auto* fila = new QTreeWidgetItem(lvwLista_, {e.Texto, item.value(i - 1)});
        fila->setData(0, Qt::UserRole, "K" + QString::number(i));
        anchoTitulo = std::max(anchoTitulo, fm.horizontalAdvance(fila->text(0)));
        anchoValor = std::max(anchoValor, fm.horizontalAdvance(fila->text(1)));
    }
    lvwLista_->header()->resizeSection(0, anchoTitulo + MargenCelda(lvwLista_));
    lvwLista_->header()->resizeSection(1, anchoValor + MargenCelda(lvwLista_));
    show();
}

void frmMuestraLista::Cargar(const QTreeView& lista, int fila, const QString& caption) {
    const QAbstractItemModel* modelo = lista.model();
    QStringList item;
    QList<EncabezadoLista> encabezados;
    const int columnas = modelo ? modelo->columnCount() : 0;
    for (int c = 0; c < columnas; ++c) {
        item << modelo->index(fila, c).data().toString();
        const bool oculta = lista.isColumnHidden(c) || lista.header()->sectionSize(c) == 0;
        encabezados.append({modelo->headerData(c, Qt::Horizontal).toString(), oculta ? 0 : 1});
    }
    Cargar(item, columnas, encabezados, caption);
}

frmMuestraLista* frmMuestraLista::Abrir(QWidget* padre, const QStringList& item,
                                        const QList<EncabezadoLista>& encabezados, const QString& caption) {
    auto* f = new frmMuestraLista(padre);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->Cargar(item, static_cast<int>(item.size()), encabezados, caption);
    return f;
}

void frmMuestraLista::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    constexpr int m = 6;
    const QSize boton = cmdSalir_->sizeHint().expandedTo(QSize(90, 0));
    cmdSalir_->setGeometry(width() - m - boton.width(), height() - m - boton.height(), boton.width(), boton.height());
    lvwLista_->setGeometry(0, 0, width(), std::max(0, cmdSalir_->y() - m));
}
