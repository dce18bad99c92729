#include "ui/frmEditCatalogo.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogs/clsAcceso.h"
#include "platform/LectorNumeros.h"
#include "platform/Mensajes.h"
#include "platform/ui/Modal.h"
#include "ui/FiltroTeclas.h"

namespace {
constexpr int kSoloDigitos = 1;  // the field kind of FiltrarTecla that admits only digits
}

frmEditCatalogo::frmEditCatalogo(const QString& nombre, const QString& titulo, const QString& nombreCodigo,
                                 const QString& nombreNombre, bool codigoNumerico, QWidget* parent)
    : QDialog(parent),
      txtCodigo(new QLineEdit(this)),
      txtNombre(new QLineEdit(this)),
      datos_(new QFormLayout),
      numerico_(codigoNumerico) {
    setObjectName(nombre);
    setWindowTitle(titulo);
    txtCodigo->setObjectName(nombreCodigo);
    txtNombre->setObjectName(nombreNombre);
    txtNombre->setMinimumWidth(280);
    if (codigoNumerico) {
        FiltroTeclas::Instalar(txtCodigo, kSoloDigitos);
        txtCodigo->setMaxLength(4);  // the identifiers are 16-bit numbers
    }
    datos_->addRow(QString::fromUtf8("C&ódigo:"), txtCodigo);
    datos_->addRow("&Nombre:", txtNombre);

    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("cmdAceptar");
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton("&Cancelar", this);
    cancelar->setObjectName("cmdCancelar");
    connect(aceptar, &QPushButton::clicked, this, &frmEditCatalogo::Aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(datos_);
    todo->addStretch();
    todo->addLayout(botones);
}

void frmEditCatalogo::AgregarCampo(const QString& etiqueta, QWidget* campo) {
    datos_->addRow(etiqueta, campo);
    // The buttons were made before the fields a dialog adds: Tab reaches them after the last field.
    auto* aceptar = findChild<QPushButton*>("cmdAceptar");
    setTabOrder(campo, aceptar);
    setTabOrder(aceptar, findChild<QPushButton*>("cmdCancelar"));
}

QComboBox* frmEditCatalogo::AgregarTipo() {
    auto* tipo = new QComboBox(this);
    tipo->setObjectName("cboTipo");
    AgregarCampo("&Tipo:", tipo);
    return tipo;
}

bool frmEditCatalogo::Mostrar(int operacion) {
    txtCodigo->setReadOnly(operacion == kModificar);
    (operacion == kModificar ? txtNombre : txtCodigo)->setFocus();
    return MostrarModal(*this) == QDialog::Accepted;
}

QString frmEditCatalogo::Codigo() const {
    const QString codigo = txtCodigo->text().trimmed();
    return numerico_ && !codigo.isEmpty() ? QString::number(Val(codigo)) : codigo;
}

void frmEditCatalogo::MostrarNombre(const QString& guardado) {
    nombreGuardado_ = guardado;
    txtNombre->setText(guardado.trimmed());
}

QString frmEditCatalogo::Nombre() const {
    // A name imported from the terminal's files keeps its padding, so an edit that does not touch the
    // name stores it as it was.
    const QString nombre = txtNombre->text().trimmed();
    return nombre == nombreGuardado_.trimmed() && !nombre.isEmpty() ? nombreGuardado_ : nombre;
}

void frmEditCatalogo::Aceptar() {
    // A row without a code could never be told apart from the others, nor stored.
    if (Codigo().isEmpty() || (numerico_ && Codigo() == "0")) {
        MsgBox(QString::fromUtf8("Debe ingresar un código."), Mensajes::vbInformation, windowTitle());
        txtCodigo->setFocus();
        return;
    }
    accept();
}
