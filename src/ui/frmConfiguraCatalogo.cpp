#include "ui/frmConfiguraCatalogo.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modConexion.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"

namespace {

QTreeWidget* Lista(QWidget* padre, const QString& nombre, const QStringList& columnas) {
    auto* lista = new QTreeWidget(padre);
    lista->setObjectName(nombre);
    lista->setHeaderLabels(columnas);
    lista->setRootIsDecorated(false);
    lista->setAllColumnsShowFocus(true);
    lista->setUniformRowHeights(true);
    lista->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lista->header()->setStretchLastSection(true);
    return lista;
}

QString Clave(const QString& codigo) { return "K" + codigo; }

QStringList Textos(const QTreeWidgetItem* item) {
    QStringList textos;
    for (int c = 0; c < item->columnCount(); ++c) textos << item->text(c);
    return textos;
}

}  // namespace

frmConfiguraCatalogo::frmConfiguraCatalogo(const Definicion& d, QWidget* parent)
    : QDialog(parent),
      lista_(::Lista(this, d.lista, d.columnas)),
      listaRed_(::Lista(this, d.listaRed, d.columnasRed)),
      cabecera_(new QVBoxLayout),
      columnaRed_(d.columnaRed) {
    setObjectName(d.nombre);
    setWindowTitle(d.titulo);
    auto boton = [this](const QString& nombre, const QString& texto, auto&& hacer) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nombre);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, hacer);
        return b;
    };
    auto etiqueta = [this](const QString& texto, QWidget* companero) {
        auto* l = new QLabel(texto, this);
        l->setBuddy(companero);
        return l;
    };
    auto* agregar = boton(d.agregar, "Agregar", &frmConfiguraCatalogo::Agregar);
    auto* editar = boton(d.editar, "Editar", &frmConfiguraCatalogo::Editar);
    auto* borrar = boton(d.borrar, "Borrar", &frmConfiguraCatalogo::Borrar);
    auto* filas = new QHBoxLayout;
    filas->addWidget(agregar);
    filas->addWidget(editar);
    filas->addWidget(borrar);
    filas->addStretch();
    auto* asignar = boton("cmdAsignar", d.textoAsignar, [this] { Asignar(true); });
    auto* quitar = boton("cmdQuitar", d.textoQuitar, [this] { Asignar(false); });
    auto* red = new QHBoxLayout;
    red->addWidget(asignar);
    red->addWidget(quitar);
    red->addStretch();

    auto* listas = new QGridLayout;
    listas->addWidget(etiqueta(d.etiquetaLista, lista_), 0, 0);
    listas->addWidget(lista_, 1, 0);
    listas->addLayout(filas, 2, 0);
    listas->addWidget(etiqueta(d.etiquetaRed, listaRed_), 0, 1);
    listas->addWidget(listaRed_, 1, 1);
    listas->addLayout(red, 2, 1);
    listas->setColumnStretch(0, 3);
    listas->setColumnStretch(1, 2);

    auto* grabar = boton("cmdGrabar", d.textoGrabar, &frmConfiguraCatalogo::Grabar);
    auto* cancelar = boton("cmdCancelar", d.textoCancelar, &QDialog::reject);
    auto* cierre = new QHBoxLayout;
    cierre->addStretch();
    cierre->addWidget(grabar);
    cierre->addWidget(cancelar);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(cabecera_);
    todo->addLayout(listas, 1);
    todo->addLayout(cierre);
    connect(lista_, &QTreeWidget::itemDoubleClicked, this, &frmConfiguraCatalogo::Editar);
    // Tab goes through each list before its own buttons, the client's rows first.
    tabulacion_ = {lista_, agregar, editar, borrar, listaRed_, asignar, quitar, grabar, cancelar};
    OrdenarTabulacion();
    resize(900, 440);
}

void frmConfiguraCatalogo::OrdenarTabulacion() {
    for (qsizetype i = 0; i + 1 < tabulacion_.size(); ++i) setTabOrder(tabulacion_[i], tabulacion_[i + 1]);
}

void frmConfiguraCatalogo::AgregarFila(const QStringList& textos) {
    auto* item = new QTreeWidgetItem(lista_, textos);
    item->setData(0, Qt::UserRole, Clave(textos.value(0)));
}

QList<QStringList> frmConfiguraCatalogo::Filas() const {
    QList<QStringList> filas;
    for (int i = 0; i < lista_->topLevelItemCount(); ++i) filas << Textos(lista_->topLevelItem(i));
    return filas;
}

void frmConfiguraCatalogo::LlenarFilas(const QList<QStringList>& filas) {
    lista_->clear();
    for (const QStringList& f : filas) AgregarFila(f);
}

void frmConfiguraCatalogo::LlenarListaRed(const QList<QStringList>& filas) {
    listaRed_->clear();
    for (const QStringList& f : filas) new QTreeWidgetItem(listaRed_, f);
}

void frmConfiguraCatalogo::Agregar() {
    const auto fila = EditarFila(nullptr);
    if (!fila) return;
    const QString clave = Clave(fila->value(0));
    for (int i = 0; i < lista_->topLevelItemCount(); ++i)
        if (lista_->topLevelItem(i)->data(0, Qt::UserRole).toString() == clave) {
            MsgBox(QString::fromUtf8("El código ingresado ya existe"), Mensajes::vbInformation, windowTitle());
            return;
        }
    AgregarFila(*fila);
    lista_->setCurrentItem(lista_->topLevelItem(lista_->topLevelItemCount() - 1));
}

void frmConfiguraCatalogo::Editar() {
    QTreeWidgetItem* item = lista_->currentItem();
    if (!item) return;
    const QStringList actual = Textos(item);
    const auto fila = EditarFila(&actual);
    if (!fila) return;
    for (int c = 0; c < fila->size(); ++c) item->setText(c, fila->at(c));
}

void frmConfiguraCatalogo::Borrar() { delete lista_->currentItem(); }

void frmConfiguraCatalogo::Asignar(bool asignar) {
    QTreeWidgetItem* item = lista_->currentItem();
    const QTreeWidgetItem* red = listaRed_->currentItem();
    if (!item || (asignar && !red)) return;
    item->setText(columnaRed_, asignar ? red->text(0) : QString());
}

void frmConfiguraCatalogo::Grabar() {
    try {
        BaseAbierta().Transaccion([this] { Guardar(Filas()); });
        Recargar();
        AsignarLicenciaActividad();
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, windowTitle());
        return;
    }
    accept();
}
