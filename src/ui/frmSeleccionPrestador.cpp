#include "ui/frmSeleccionPrestador.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogs/modInicioCatalogos.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "platform/ui/Modal.h"
#include "ui/modCombos.h"

frmSeleccionPrestador::frmSeleccionPrestador(QWidget* parent)
    : QDialog(parent),
      cboPrestador(new QComboBox(this)),
      lblLicencia(new QLabel(this)),
      lblTipoPrestador(new QLabel(this)) {
    setObjectName("frmSeleccionPrestador");
    setWindowTitle(QString::fromUtf8("Selección de Prestador"));
    cboPrestador->setObjectName("cboPrestador");
    lblLicencia->setObjectName("lblLicencia");
    lblTipoPrestador->setObjectName("lblTipoPrestador");
    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("cmdAceptar");
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton("&Cancelar", this);
    cancelar->setObjectName("cmdCancelar");

    auto* datos = new QFormLayout;
    datos->addRow(cboPrestador);
    datos->addRow("Licencia:", lblLicencia);
    datos->addRow("Tipo de Prestador:", lblTipoPrestador);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(datos);
    todo->addLayout(botones);

    // Wide enough for its whole title beside the window's buttons.
    setMinimumWidth(qMax(360, fontMetrics().horizontalAdvance(windowTitle()) + 200));

    CargarComboPrestadores(cboPrestador);
    MostrarPrestador();
    connect(cboPrestador, &QComboBox::currentIndexChanged, this, &frmSeleccionPrestador::MostrarPrestador);
    connect(aceptar, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void frmSeleccionPrestador::MostrarPrestador() {
    const int i = cboPrestador->currentIndex();
    if (i < 0 || i >= gColPrestadores.size()) {
        lblLicencia->clear();
        lblTipoPrestador->clear();
        return;
    }
    const clsItemPrestador& p = gColPrestadores[i];
    lblLicencia->setText(p.LicenciaQuelo);
    QString tipo = p.Tipo;
    for (const clsItemTipoPrestador& t : gColTipoPrestador)
        if (t.Codigo == p.Tipo) tipo = CodigoYNombre(t.Codigo, t.Nombre);
    lblTipoPrestador->setText(tipo);
}

QString frmSeleccionPrestador::LicenciaElegida() const {
    const int i = cboPrestador->currentIndex();
    return i >= 0 && i < gColPrestadores.size() ? gColPrestadores[i].LicenciaQuelo : QString();
}

bool frmSeleccionPrestador::Cargar(QWidget* parent) {
    frmSeleccionPrestador dialogo(parent);
    if (MostrarModal(dialogo) != QDialog::Accepted) return false;
    // The provider chosen here becomes the current one: asked for before an operation, it is the one
    // the operation is for.
    const QString licencia = dialogo.LicenciaElegida();
    if (licencia.trimmed().isEmpty()) return false;
    gTerminal = licencia;
    return true;
}
