#include "exchange/frmMostrarErrores.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "exchange/modIntercambio.h"

frmMostrarErrores::frmMostrarErrores(QWidget* parent, const QString& titulo) : QDialog(parent) {
    setObjectName("frmMostrarErrores");
    setWindowTitle(titulo);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(560, 260);
    lvwErrores_ = new QTreeWidget(this);
    lvwErrores_->setObjectName("lvwErrores");
    lvwErrores_->setRootIsDecorated(false);
    lvwErrores_->setHeaderLabels({"Tipo", "Clave", QString::fromUtf8("Número"), "Comentario"});
    lvwErrores_->header()->setStretchLastSection(false);
    const int anchos[] = {50, 90, 70, 300};
    for (int c = 0; c < 4; ++c) lvwErrores_->setColumnWidth(c, anchos[c]);
    auto* cmdAceptar = new QPushButton("Aceptar", this);
    cmdAceptar->setObjectName("cmdAceptar");
    cmdAceptar->setDefault(true);
    connect(cmdAceptar, &QPushButton::clicked, this, &QDialog::accept);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(lvwErrores_);
    raiz->addLayout(botones);

    // A comment wider than its column widens it, with the cell's margins, so no error text is cut.
    for (const clsItemError& e : gColErrores) {
        new QTreeWidgetItem(lvwErrores_, {QString::number(e.Tipo), e.Clave, QString::number(e.Numero), e.Comentario});
        const int ancho = lvwErrores_->fontMetrics().horizontalAdvance(e.Comentario);
        if (ancho > lvwErrores_->columnWidth(3)) lvwErrores_->setColumnWidth(3, ancho + 12);
    }
    // The window widens, within the screen, to show the widest comment whole.
    int necesario = lvwErrores_->frameWidth() * 2 + lvwErrores_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < 4; ++c) necesario += lvwErrores_->columnWidth(c);
    const QMargins m = raiz->contentsMargins();
    necesario += m.left() + m.right();
    const QScreen* pantalla = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int maximo = pantalla ? pantalla->availableGeometry().width() - 40 : necesario;
    if (necesario > width()) resize(qMin(necesario, maximo), height());
}
