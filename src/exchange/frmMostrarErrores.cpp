#include "exchange/frmMostrarErrores.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"

frmMostrarErrores::frmMostrarErrores(QWidget* parent) : QDialog(parent) {
    setObjectName("frmMostrarErrores");
    setWindowTitle("Errores");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(560, 260);
    lvwErrores_ = new QTreeWidget(this);
    lvwErrores_->setObjectName("lvwErrores");
    lvwErrores_->setRootIsDecorated(false);
    lvwErrores_->setHeaderLabels({"Tipo", "Clave", "Numero", "Comentario"});
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

    // A comment wider than its column widens it, so no error text is cut.
    for (const clsItemError& e : gColErrores) {
        new QTreeWidgetItem(lvwErrores_, {QString::number(e.Tipo), e.Clave, QString::number(e.Numero), e.Comentario});
        const int ancho = lvwErrores_->fontMetrics().horizontalAdvance(e.Comentario);
        if (ancho > lvwErrores_->columnWidth(3)) lvwErrores_->setColumnWidth(3, ancho);
    }
}
