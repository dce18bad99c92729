#include "ui/frmConfigurarVista.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modTarsa.h"

namespace {

// The check boxes in the order they are shown and saved, each with its setting, the default the
// dialog reads for an absent setting (not always that of start-up) and its flag.
struct Vista {
    const char* nombre;
    const char* texto;
    Ajuste ajuste;
    bool predeterminado;
    bool* bandera;
};
const Vista kVistas[] = {
    {"chkPantallaReducida", "Ver formulario de carga en modo &reducido", Ajuste::PantallaReducida, false,
     &gPantallaReducida},
    {"chkVerMenuLicencias", "Mostrar menú de &licencias", Ajuste::VerMenuLicencias, true, &gVerMenuLicencias},
    {"chkVerVerificar", "Habilitar Botones &Verificar", Ajuste::VerBotonesVerificar, true, &gVerBotonesVerificar},
    {"chkVerConsultas", "Habilitar Botones Con&sulta", Ajuste::VerBotonesConsulta, true, &gVerBotonesConsulta},
    {"chkVerDevolucion", "Habilitar Botones Devolución", Ajuste::VerBotonesDevolucion, false, &gVerBotonesDevolucion},
    {"chkVerTicket", "Ver &Ticket", Ajuste::VerTicket, true, &gVerTicket},
    {"chkImprimirTicket", "&Imprimir Ticket", Ajuste::ImprimirTicket, false, &gImprimirTicket},
    {"chkVerListaErrores", "&Mostrar Lista de Errores", Ajuste::VerListaErrores, true, &gVerListaErrores},
    {"chkSugerirCierres", "Sugerir Cierres por período calendario", Ajuste::SugerirCierres, false, &gSugerirCierres},
};

}  // namespace

frmConfigurarVista::frmConfigurarVista(QWidget* parent) : QDialog(parent) {
    setObjectName("frmConfigurarVista");
    setWindowTitle(QString::fromUtf8("Configuración Visual"));
    auto* todo = new QVBoxLayout(this);
    for (const Vista& v : kVistas) {
        auto* c = new QCheckBox(QString::fromUtf8(v.texto), this);
        c->setObjectName(v.nombre);
        todo->addWidget(c);
    }
    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("cmdAceptar");
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton("&Cancelar", this);
    cancelar->setObjectName("cmdCancelar");
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    todo->addSpacing(8);
    todo->addLayout(botones);
    connect(aceptar, &QPushButton::clicked, this, &frmConfigurarVista::Aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    Cargar();
}

frmConfigurarVista* frmConfigurarVista::Mostrar(QWidget* parent) {
    static QPointer<frmConfigurarVista> abierta;
    if (!abierta) {
        abierta = new frmConfigurarVista(parent);
        abierta->setAttribute(Qt::WA_DeleteOnClose);
    }
    abierta->show();
    abierta->raise();
    abierta->activateWindow();
    return abierta;
}

void frmConfigurarVista::Cargar() {
    // The flags take the stored values at once, even when the dialog is then cancelled.
    for (const Vista& v : kVistas) {
        *v.bandera = RegistroAjustes::LeerBandera(v.ajuste, Lectura::PalabrasSi, v.predeterminado);
        findChild<QCheckBox*>(v.nombre)->setChecked(*v.bandera);
    }
}

void frmConfigurarVista::Aceptar() {
    for (const Vista& v : kVistas) {
        *v.bandera = findChild<QCheckBox*>(v.nombre)->isChecked();
        RegistroAjustes::GuardarBandera(v.ajuste, *v.bandera);
    }
    accept();
}
