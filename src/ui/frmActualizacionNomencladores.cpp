#include "ui/frmActualizacionNomencladores.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "catalogs/clsMedicamento.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modConexion.h"
#include "core/modTarsa.h"
#include "exchange/frmMostrarErrores.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "ui/modMatricula.h"
#include "ui/modRespuesta.h"

namespace {
bool gAbierto = false;

// Sends the catalog request already written, as activity 92 of company 99.
Solicitud EnviarPedido(const QString& licencia) {
    try {
        return EnviarSolicitud("92", "99", licencia);
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return {};
    }
}

void MostrarErrores(QWidget* padre) {
    if (gColErrores.isEmpty()) return;
    // Besides the terminal's errors it lists what the update did ("Se insertaron 120 medicamentos").
    frmMostrarErrores errores(padre, QString::fromUtf8("Resultado de la actualización de nomencladores"));
    MostrarModal(errores);
}
// The count shown in a status bar (when there is one) while the window repaints; clicks and keys wait
// until the catalogs are applied, since the database and the exchange directory are in use.
AvisoProgreso AvisoEnBarra(QStatusBar* barra) {
    return [barra](const QString& texto) {
        if (barra) barra->showMessage(texto);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

}  // namespace

frmActualizacionNomencladores::frmActualizacionNomencladores(QWidget* parent) : QDialog(parent) {
    setObjectName("frmActualizacionNomencladores");
    setWindowTitle(QString::fromUtf8("Actualización de nomencladores"));
    gAbierto = true;

    auto* marco = new QGroupBox("Actualizar", this);
    auto* grilla = new QGridLayout(marco);
    chkMedicos_ = Casilla("chkMedicos", QString::fromUtf8("M&édicos"));
    chkTMedicos_ = Casilla("chkTMedicos", "Todos");
    chkMedicamentos_ = Casilla("chkMedicamentos", "Med&icamentos");
    chkTMedicamentos_ = Casilla("chkTMedicamentos", "Todos");
    chkDiagnosticos_ = Casilla("chkDiagnosticos", QString::fromUtf8("&Diagnósticos"));
    chkTDiagnosticos_ = Casilla("chkTDiagnosticos", "Todos");
    const std::pair<QCheckBox*, QCheckBox*> filas[] = {
        {chkMedicos_, chkTMedicos_}, {chkMedicamentos_, chkTMedicamentos_}, {chkDiagnosticos_, chkTDiagnosticos_}};
    int fila = 0;
    for (const auto& [catalogo, todos] : filas) {
        grilla->addWidget(catalogo, fila, 0);
        grilla->addWidget(todos, fila++, 1);
        todos->setEnabled(false);
        // "Todos" means something only for a catalog that is asked for.
        connect(catalogo, &QCheckBox::toggled, todos, [todos](bool si) {
            todos->setEnabled(si);
            if (!si) todos->setChecked(false);
        });
    }

    const CampoMatricula matricula = CrearMatricula(this);
    lblMatricula_ = matricula.etiqueta;
    txtMatricula_ = matricula.caja;
    auto* filaMatricula = new QHBoxLayout;
    filaMatricula->addWidget(lblMatricula_);
    filaMatricula->addWidget(txtMatricula_);

    cmdAceptar_ = new QPushButton("&Aceptar", this);
    cmdAceptar_->setObjectName("cmdAceptar");
    cmdAceptar_->setDefault(true);
    cmdCancelar_ = new QPushButton("&Cancelar", this);
    cmdCancelar_->setObjectName("cmdCancelar");
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar_);
    botones->addWidget(cmdCancelar_);

    stbNomencladores_ = new QStatusBar(this);
    stbNomencladores_->setObjectName("stbNomencladores");
    stbNomencladores_->setSizeGripEnabled(false);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(marco);
    todo->addLayout(filaMatricula);
    todo->addLayout(botones);
    todo->addWidget(stbNomencladores_);
    setMinimumWidth(360);

    connect(cmdAceptar_, &QPushButton::clicked, this, &frmActualizacionNomencladores::Aceptar);
    connect(cmdCancelar_, &QPushButton::clicked, this, &frmActualizacionNomencladores::reject);
}

frmActualizacionNomencladores::~frmActualizacionNomencladores() { gAbierto = false; }

QCheckBox* frmActualizacionNomencladores::Casilla(const char* nombre, const QString& texto) {
    auto* c = new QCheckBox(texto, this);
    c->setObjectName(nombre);
    return c;
}

void frmActualizacionNomencladores::Mostrar(QWidget* parent) {
    frmActualizacionNomencladores ventana(parent);
    MostrarModal(ventana);
}

bool frmActualizacionNomencladores::Abierto() { return gAbierto; }

void frmActualizacionNomencladores::reject() {
    if (!aplicando_) QDialog::reject();
}

PedidoNomencladores frmActualizacionNomencladores::Pedido() const {
    return {chkMedicos_->isChecked(),  chkMedicamentos_->isChecked(),  chkDiagnosticos_->isChecked(),
            chkTMedicos_->isChecked(), chkTMedicamentos_->isChecked(), chkTDiagnosticos_->isChecked()};
}

void frmActualizacionNomencladores::Aceptar() {
    const std::optional<QString> licencia = LicenciaParaSolicitud(txtMatricula_->text());
    if (!licencia) return;
    const PedidoNomencladores pedido = Pedido();
    if (!GrabarPedidoNomencladores(pedido)) return;
    Solicitud solicitud = EnviarPedido(*licencia);
    if (!solicitud.Procesada()) return;

    Aplicar(pedido);
    // Done: the boxes are cleared, so a second Enter does not ask for the same catalogs all over again.
    for (QCheckBox* c : {chkMedicos_, chkMedicamentos_, chkDiagnosticos_}) c->setChecked(false);
    MostrarErrores(this);
    const QString ticket = solicitud.Transaccion.BuscarTicket();
    MostrarEImprimirTicket(ticket, solicitud.Transaccion.MedidaTicket, this);
    if (gColErrores.isEmpty()) accept();
}

void frmActualizacionNomencladores::Aplicar(const PedidoNomencladores& pedido) {
    // The window repaints and shows the count while a large catalog is applied, but takes no clicks
    // or keys until it is done: the database and the exchange directory are in use.
    aplicando_ = true;
    cmdAceptar_->setEnabled(false);
    cmdCancelar_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ActualizarNomencladores(pedido, AvisoEnBarra(stbNomencladores_));
    QApplication::restoreOverrideCursor();
    cmdAceptar_->setEnabled(true);
    cmdCancelar_->setEnabled(true);
    aplicando_ = false;
}

namespace {

// Writes the request, sends it for the current provider and applies what the terminal delivers,
// with the count in the main window's status bar (which repaints meanwhile; it takes no input until
// the catalogs are applied), then lists the outcome.
void PedirYAplicar(const PedidoNomencladores& pedido) {
    if (!GrabarPedidoNomencladores(pedido)) {
        MsgBox("Error al actualizar nomencladores", Mensajes::vbInformation, "Grabar archivos");
        return;
    }
    const Solicitud solicitud = EnviarPedido(gTerminal);
    if (!solicitud.Procesada()) return;
    VaciarErrores();
    auto* principal = qobject_cast<QMainWindow*>(QApplication::activeWindow());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ActualizarNomencladores(pedido, AvisoEnBarra(principal ? principal->statusBar() : nullptr));
    QApplication::restoreOverrideCursor();
    MostrarErrores(QApplication::activeWindow());
}

}  // namespace

void ActualizacionAutomaticaNomencladores() {
    if (!gActualizaMedicos && !gActualizaMedicamentos && !gActualizaDiagnosticos) return;
    // The automatic refresh asks for the changes only, for the provider of the selection bar (also
    // when licences are professional registrations: no request goes out without a licence).
    PedirYAplicar({gActualizaMedicos, gActualizaMedicamentos, gActualizaDiagnosticos, false, false, false});
}

void OfrecerNomencladoresCompletos() {
    if (gTerminal.trimmed().isEmpty()) return;  // nobody to ask the terminal for
    if (MsgBox(QString::fromUtf8("¿Desea actualizar ahora los nomencladores completos (médicos, medicamentos y "
                                 "diagnósticos) desde la terminal?\nSin ellos, cada medicamento se carga como "
                                 "«no figura en el catálogo»."),
               Mensajes::vbYesNo | Mensajes::vbQuestion, "Nomencladores") != Mensajes::vbYes)
        return;
    PedirYAplicar({true, true, true, true, true, true});
}

void OfrecerNomencladoresSiFaltan() {
    if (!gConfiguracionImportada || !gDB) return;
    try {
        if (clsMedicamento().HayFilas()) return;
    } catch (const std::exception&) {
        return;  // a catalog that cannot be read is not offered again here
    }
    OfrecerNomencladoresCompletos();
}
