#include "tickets/frmItemTicketFarmacia.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <cmath>

#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsPlan.h"
#include "core/RegistroAjustes.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "tickets/modTickets.h"
#include "ui/AlSalirCampo.h"
#include "ui/CampoDiagnostico.h"
#include "ui/FiltroTeclas.h"
#include "ui/OrdenTabulacion.h"
#include "ui/TeclaEnter.h"
#include "ui/frmPromptedSearch.h"

namespace {

template <class W>
W* Nuevo(QWidget* padre, const char* nombre, const QString& texto = {}) {
    auto* w = new W(padre);
    w->setObjectName(nombre);
    if constexpr (!std::is_same_v<W, QLineEdit> && !std::is_same_v<W, QComboBox>) w->setText(texto);
    return w;
}

void InformarError(const std::exception& e) { MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical); }

}  // namespace

std::optional<clsItemTicketFarmacia> frmItemTicketFarmacia::Cargar(int pNumEmpresa, const QString& pCodEmpresa,
                                                                   int pMyOperacion, int pCodigoOperacion,
                                                                   const QString& pBitmapItem,
                                                                   const clsItemTicketFarmacia* pItemDatos,
                                                                   bool* pEnviarTicket) {
    frmItemTicketFarmacia dialogo(pNumEmpresa, pCodEmpresa, pMyOperacion, pCodigoOperacion, pBitmapItem, pItemDatos);
    bool enviar = false;
    if (pEnviarTicket) {
        auto* f12 = new QShortcut(QKeySequence(Qt::Key_F12), &dialogo);
        QObject::connect(f12, &QShortcut::activated, &dialogo, [&] {
            dialogo.Aceptar();
            enviar = dialogo.resultado_.has_value();
        });
        dialogo.cmdAceptar_->setToolTip(QString::fromUtf8("Aceptar (Enter); F12: aceptar y enviar el ticket"));
    }
    MostrarModal(dialogo);
    if (pEnviarTicket) *pEnviarTicket = enviar;
    gColControlesItem.clear();
    return dialogo.resultado_;
}

frmItemTicketFarmacia::frmItemTicketFarmacia(int pNumEmpresa, const QString& pCodEmpresa, int pMyOperacion,
                                             int pCodigoOperacion, const QString& pBitmapItem,
                                             const clsItemTicketFarmacia* pItemDatos)
    : numEmpresa_(QString::number(pNumEmpresa)),
      codEmpresa_(pCodEmpresa),
      modo_(pMyOperacion),
      codigoOperacion_(pCodigoOperacion),
      bitmapItem_(pBitmapItem) {
    if (pMyOperacion == 3 && pItemDatos) datos_ = *pItemDatos;
    setObjectName("frmItemTicketFarmacia");
    setWindowTitle(QString::fromUtf8("Ítem del ticket"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    txtTroquel_ = Nuevo<QLineEdit>(this, "txtTroquel");
    txtCodigoBarra_ = Nuevo<QLineEdit>(this, "txtCodigoBarra");
    txtCodigoProveedor_ = Nuevo<QLineEdit>(this, "txtCodigoProveedor");
    txtCantidad_ = Nuevo<QLineEdit>(this, "txtCantidad");
    txtTipoArancel_ = Nuevo<QLineEdit>(this, "txtTipoArancel");
    txtPrecio_ = Nuevo<QLineEdit>(this, "txtPrecio");
    txtDiagnostico_ = Nuevo<QLineEdit>(this, "txtDiagnostico");
    cboTipoCobertura_ = Nuevo<QComboBox>(this, "cboTipoCobertura");
    txtAutorizacion_ = Nuevo<QLineEdit>(this, "txtAutorizacion");
    txtPlanCobertura_ = Nuevo<QLineEdit>(this, "txtPlanCobertura");
    cboTipoPrescripcion_ = Nuevo<QComboBox>(this, "cboTipoPrescripcion");
    chkCambioPrescripcion_ =
        Nuevo<QCheckBox>(this, "chkCambioPrescripcion", QString::fromUtf8("Cambio de prescripción"));
    txtPorcentajeCobertura_ = Nuevo<QLineEdit>(this, "txtPorcentajeCobertura");
    lblNombreMedicamento_ = Nuevo<QLabel>(this, "lblNombreMedicamento");
    lblPresentacion_ = Nuevo<QLabel>(this, "lblPresentacion");
    lblNombreDiagnostico_ = Nuevo<QLabel>(this, "lblNombreDiagnostico");
    lblNombrePlanCobertura_ = Nuevo<QLabel>(this, "lblNombrePlanCobertura");
    lblNAutorizacion_ = Nuevo<QLabel>(this, "lblNAutorizacion", QString::fromUtf8("Nº autorización"));
    lblPorcentaje_ = Nuevo<QLabel>(this, "lblPorcentaje", "% cobertura");
    cmdBuscarMedicamento_ = Nuevo<QPushButton>(this, "cmdBuscarMedicamento", "...");
    cmdBuscarDiagnostico_ = Nuevo<QPushButton>(this, "cmdBuscarDiagnostico", "...");
    cmbBuscarPlanCobertura_ = Nuevo<QPushButton>(this, "cmbBuscarPlanCobertura", "...");
    cmdAceptar_ = Nuevo<QPushButton>(this, "cmdAceptar", "Aceptar");
    cmdCancelar_ = Nuevo<QPushButton>(this, "cmdCancelar", "Cancelar");
    lblNAutorizacion_->setBuddy(txtAutorizacion_);
    lblPorcentaje_->setBuddy(txtPorcentajeCobertura_);
    // Long enough for the names; the code behind the blanks stays out of sight.
    cboTipoPrescripcion_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboTipoPrescripcion_->setMinimumContentsLength(14);
    cboTipoCobertura_->setMinimumContentsLength(20);
    // One field a row, each caption and name measured in the dialog's font: a long name widens the
    // dialog rather than being cut, and a row the operation does not have takes no room. A name's row
    // keeps its height while empty, so that the fields do not move under the cursor.
    for (QLabel* nombre : {lblNombreMedicamento_, lblPresentacion_, lblNombreDiagnostico_, lblNombrePlanCobertura_})
        nombre->setMinimumHeight(nombre->fontMetrics().height());
    filas_ = new QFormLayout;
    const auto boton = [](QWidget* campo, QPushButton* b) {
        auto* fila = new QHBoxLayout;
        fila->setContentsMargins(0, 0, 0, 0);
        fila->addWidget(campo, 1);
        fila->addWidget(b);
        b->setFixedWidth(b->fontMetrics().horizontalAdvance("...") + 16);
        return fila;
    };
    filas_->addRow(Rotulo(txtTroquel_, "Troquel"), boton(txtTroquel_, cmdBuscarMedicamento_));
    filas_->addRow(Rotulo(txtCodigoBarra_, QString::fromUtf8("Código de barras")), txtCodigoBarra_);
    filas_->addRow(Rotulo(txtCodigoProveedor_, QString::fromUtf8("Código proveedor")), txtCodigoProveedor_);
    filas_->addRow("Medicamento", lblNombreMedicamento_);
    filas_->addRow(QString::fromUtf8("Presentación"), lblPresentacion_);
    filas_->addRow(Rotulo(txtCantidad_, "Ca&ntidad"), txtCantidad_);  // Alt+N: back to it after a scan
    filas_->addRow(Rotulo(txtPrecio_, "Precio"), txtPrecio_);
    filas_->addRow(Rotulo(txtTipoArancel_, "Tipo de arancel"), txtTipoArancel_);
    filas_->addRow(Rotulo(txtDiagnostico_, QString::fromUtf8("Diagnóstico")),
                   boton(txtDiagnostico_, cmdBuscarDiagnostico_));
    filas_->addRow(QString(), lblNombreDiagnostico_);
    filas_->addRow(Rotulo(cboTipoCobertura_, "Tipo de cobertura"), cboTipoCobertura_);
    filas_->addRow(lblNAutorizacion_, txtAutorizacion_);
    filas_->addRow(Rotulo(txtPlanCobertura_, "Plan"), boton(txtPlanCobertura_, cmbBuscarPlanCobertura_));
    filas_->addRow(QString(), lblNombrePlanCobertura_);
    filas_->addRow(lblPorcentaje_, txtPorcentajeCobertura_);
    filas_->addRow(Rotulo(cboTipoPrescripcion_, QString::fromUtf8("Tipo de prescripción")), cboTipoPrescripcion_);
    filas_->addRow(QString(), chkCambioPrescripcion_);
    filas_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(cmdAceptar_);
    botones->addWidget(cmdCancelar_);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(filas_);
    raiz->addStretch();
    raiz->addLayout(botones);
    cmdAceptar_->setDefault(true);
    for (QPushButton* buscar : {cmdBuscarMedicamento_, cmdBuscarDiagnostico_, cmbBuscarPlanCobertura_})
        buscar->setAutoDefault(false);

    AlSalirCampo::Instalar(txtTroquel_, [this] { MostrarCodigo(txtTroquel_); });
    AlSalirCampo::Instalar(txtCodigoBarra_, [this] { MostrarCodigo(txtCodigoBarra_); });
    // A prescription type still "Indefinida" is left to choose, like an empty field.
    const auto porElegir = [this](const QWidget* w) {
        return w == cboTipoPrescripcion_ && cboTipoPrescripcion_->currentText().contains("Indefinida");
    };
    // A scanner ends every code with Enter: there it means "look it up and go on", never "accept the
    // item". After a medication found, Enter passes over its codes (a barcode the catalog lacks is not
    // asked for) and what the program filled in (the quantity's 1, the catalog's price) to what is
    // left to give, the prescription type most often; the clerk who sells two goes back to the
    // quantity with Alt+N or Shift+Tab.
    for (QLineEdit* codigo : {txtTroquel_, txtCodigoBarra_})
        TeclaEnter::Instalar(codigo, [this, codigo, porElegir] {
            QWidget* ultimoCodigo = txtCodigoBarra_->isVisibleTo(this) ? txtCodigoBarra_ : codigo;
            if (!MostrarCodigo(codigo) || !SiguienteCampoPorLlenar(this, ultimoCodigo, porElegir))
                SiguienteCampo(codigo);
        });
    // Enter in any other field goes on to the next one still to fill; with nothing left to fill it
    // accepts the item.
    for (QWidget* campo : std::initializer_list<QWidget*>{
             txtCodigoProveedor_, txtCantidad_, txtTipoArancel_, txtPrecio_, txtDiagnostico_, cboTipoCobertura_,
             txtAutorizacion_, txtPlanCobertura_, txtPorcentajeCobertura_, cboTipoPrescripcion_})
        TeclaEnter::Instalar(campo, [this, campo, porElegir] {
            if (!SiguienteCampoPorLlenar(this, campo, porElegir)) Aceptar();
        });
    // A plan code typed and left brings its name and coverage, as one chosen in the search does.
    AlSalirCampo::Instalar(txtPlanCobertura_, [this] {
        if (!txtPlanCobertura_->text().trimmed().isEmpty()) MostrarPlan(txtPlanCobertura_->text());
    });
    AlSalirCampo::Instalar(txtDiagnostico_, [this] {
        if (!txtDiagnostico_->text().isEmpty()) MostrarDiagnostico(txtDiagnostico_->text());
    });
    connect(cboTipoCobertura_, &QComboBox::currentIndexChanged, this, &frmItemTicketFarmacia::ReglaCobertura);
    connect(cmdBuscarMedicamento_, &QPushButton::clicked, this, &frmItemTicketFarmacia::BuscarMedicamento);
    connect(cmdBuscarDiagnostico_, &QPushButton::clicked, this, &frmItemTicketFarmacia::BuscarDiagnostico);
    connect(cmbBuscarPlanCobertura_, &QPushButton::clicked, this, &frmItemTicketFarmacia::BuscarPlan);
    connect(cmdAceptar_, &QPushButton::clicked, this, &frmItemTicketFarmacia::Aceptar);
    connect(cmdCancelar_, &QPushButton::clicked, this, &QDialog::reject);

    Cargar();
}

QLabel* frmItemTicketFarmacia::Rotulo(QWidget* campo, const QString& texto) {
    auto* rotulo = new QLabel(texto, this);
    rotulo->setObjectName("lblRotulo_" + campo->objectName());
    rotulo->setBuddy(campo);
    return rotulo;
}

void frmItemTicketFarmacia::Cargar() {
    cboTipoCobertura_->addItems(EntradasTipoCobertura());
    cboTipoCobertura_->setCurrentIndex(1);
    cboTipoPrescripcion_->addItems(EntradasTipoPrescripcion());

    struct Entrada {
        int posicion;
        QWidget* control;
        int tipo;  // key filter kind; -1 none, 0 typing blocked
    };
    const QList<Entrada> entradas{
        {1, txtTroquel_, 1},
        {2, txtCodigoBarra_, 7},
        {3, txtCodigoProveedor_, 1},
        {4, txtCantidad_, 1},
        {5, txtTipoArancel_, 1},
        {6, txtPrecio_, kTipoImporte},
        {7, txtDiagnostico_, -1},
        {8, cboTipoCobertura_, -1},  // the lists take typed letters: "G" chooses "Genérico"
        {9, txtAutorizacion_, -1},
        {12, txtPlanCobertura_, -1},
        {13, cboTipoPrescripcion_, -1},
        {14, chkCambioPrescripcion_, -1},
        {15, txtPorcentajeCobertura_, 1},
    };
    gColControlesItem.clear();
    for (const Entrada& e : entradas) {
        gColControlesItem.append(clsControles{e.posicion, e.control->objectName()});
        if (e.tipo >= 0) FiltroTeclas::Instalar(e.control, e.tipo);
    }
    AplicarBitmap();

    if (modo_ == 1) {
        txtCantidad_->setText("1");
        // "Indefinida", so that the person chooses the type of every item.
        if (cboTipoPrescripcion_->isEnabled()) cboTipoPrescripcion_->setCurrentIndex(2);
    } else if (modo_ == 3 && datos_) {
        const clsItemTicketFarmacia& d = *datos_;
        txtTroquel_->setText(d.Troquel);
        txtCodigoBarra_->setText(d.CodigoBarra);
        txtCodigoProveedor_->setText(d.CodigoProveedor);
        lblNombreMedicamento_->setText(d.NombreMedicamento);
        lblPresentacion_->setText(d.Presentacion);
        // A quantity or fee type not given (-1) is shown empty again, as the list shows it.
        txtCantidad_->setText(FormatearNumero(d.Cantidad, 2));
        txtTipoArancel_->setText(FormatearNumero(d.TipoArancel, 2));
        txtPrecio_->setText(TextoImporte(d.Precio));
        txtDiagnostico_->setText(d.Diagnostico);
        lblNombreDiagnostico_->setText(d.NombreDiagnostico);
        txtAutorizacion_->setText(d.Autorizacion);
        txtPlanCobertura_->setText(d.PlanCobertura);
        txtPorcentajeCobertura_->setText(QString::number(d.PorcentajeCobertura));
        for (int i = 0; i < cboTipoCobertura_->count(); ++i)
            if (cboTipoCobertura_->itemText(i).trimmed() == d.TipoCobertura.trimmed()) {
                cboTipoCobertura_->setCurrentIndex(i);
                break;
            }
        const QString codigo = QString::number(d.TipoPrescripcion) + (d.CambioPrescripcion ? "1" : "0");
        for (int i = 0; i < cboTipoPrescripcion_->count(); ++i)
            if (cboTipoPrescripcion_->itemText(i).right(2) == codigo) {
                cboTipoPrescripcion_->setCurrentIndex(i);
                break;
            }
        chkCambioPrescripcion_->setChecked(d.CambioPrescripcion);
    }
    ReglaCobertura();
}

void frmItemTicketFarmacia::AplicarBitmap() {
    QList<bool> posiciones = PosicionesBitmap(bitmapItem_, 15);
    posiciones[13] = posiciones[14] = true;
    if (gVersion == "V101") {
        const double empresa = TextoANumero(codEmpresa_, true);
        if (empresa == 1 || empresa == 42) ExcepcionV101Item(codigoOperacion_, posiciones);
    }
    for (clsControles& entrada : gColControlesItem) {
        const bool valor = posiciones.at(entrada.Posicion);
        entrada.Mostrar = entrada.Habilitar = valor;
        QWidget* w = findChild<QWidget*>(entrada.Control);
        w->setEnabled(valor);
        w->setVisible(valor);
        if (auto* lista = qobject_cast<QComboBox*>(w); lista && valor) lista->setCurrentIndex(1);
    }
    // The price is always in sight, even when the operation does not let the user change it.
    txtPrecio_->setVisible(true);
    chkCambioPrescripcion_->setVisible(false);

    cmdBuscarMedicamento_->setEnabled(txtCodigoBarra_->isEnabled() || txtTroquel_->isEnabled());
    cmdBuscarDiagnostico_->setEnabled(txtDiagnostico_->isEnabled());
    cmbBuscarPlanCobertura_->setEnabled(txtPlanCobertura_->isEnabled());
    lblPorcentaje_->setEnabled(txtPorcentajeCobertura_->isEnabled());
    // A search button and a name label are of no use beside a field the operation does not have.
    // The medication search serves the troquel and the barcode alike.
    cmdBuscarMedicamento_->setVisible(txtTroquel_->isVisibleTo(this) || txtCodigoBarra_->isVisibleTo(this));
    cmdBuscarDiagnostico_->setVisible(txtDiagnostico_->isVisibleTo(this));
    cmbBuscarPlanCobertura_->setVisible(txtPlanCobertura_->isVisibleTo(this));
    lblNombreDiagnostico_->setVisible(txtDiagnostico_->isVisibleTo(this));
    lblNombrePlanCobertura_->setVisible(txtPlanCobertura_->isVisibleTo(this));
    // A row goes with its field, caption and all.
    for (int r = 0; r < filas_->rowCount(); ++r) {
        QLayoutItem* campo = filas_->itemAt(r, QFormLayout::FieldRole);
        bool visible = false;
        if (QWidget* w = campo->widget()) visible = w->isVisibleTo(this);
        if (QLayout* l = campo->layout())
            for (int i = 0; i < l->count(); ++i)
                if (QWidget* w = l->itemAt(i)->widget()) visible = visible || w->isVisibleTo(this);
        if (!visible) filas_->setRowVisible(r, false);
    }
}

void frmItemTicketFarmacia::ReglaCobertura() {
    if (!cboTipoCobertura_->isEnabled()) return;
    const bool especial = cboTipoCobertura_->currentText() == kAutorizacionEspecial;
    txtAutorizacion_->setEnabled(especial);
    lblNAutorizacion_->setEnabled(especial);
}

void frmItemTicketFarmacia::MostrarMedicamento(const QString& troquel, const QString&) {
    lblNombreMedicamento_->clear();
    lblPresentacion_->clear();
    txtPrecio_->clear();
    // The medication is found by its troquel alone; a barcode without one finds nothing.
    if (troquel.isEmpty()) {
        txtTroquel_->clear();
        return;
    }
    try {
        clsMedicamento medicamento;
        medicamento.Empresa = static_cast<qint16>(numEmpresa_.toInt());
        medicamento.Licencia = gTerminal;
        const auto rs = medicamento.Buscar({}, static_cast<qint32>(troquel.trimmed().toLongLong()));
        if (!rs || rs->EOF_()) return;
        lblNombreMedicamento_->setText(medicamento.Nombre);
        lblPresentacion_->setText(medicamento.Presentacion);
        txtTroquel_->setText(QString::number(medicamento.Troquel));
        txtCodigoBarra_->setText(medicamento.CodigoBarra);
        // A medication the catalog gives no price (0, or -0.01 as older updates stored a blank one)
        // shows none, so the item is not charged at 0 without the question for a missing price.
        txtPrecio_->setText(medicamento.Precio > 0 ? TextoImporte(medicamento.Precio) : QString());
    } catch (const std::exception& e) {
        InformarError(e);
    }
}

bool frmItemTicketFarmacia::MostrarCodigo(QLineEdit* campo) {
    const QString codigo = campo->text().trimmed();
    if (codigo.isEmpty()) return false;
    // A code longer than a troquel is a barcode, wherever it was typed: a scanner reads into the
    // field that has the focus, and the dialog starts in the troquel.
    if (campo == txtTroquel_ && codigo.size() <= kDigitosTroquel) {
        MostrarMedicamento(codigo, txtCodigoBarra_->text());
        return !lblNombreMedicamento_->text().isEmpty();
    }
    if (MostrarPorCodigoBarra(codigo)) return true;
    // A barcode the catalog does not hold is not the medication shown before: that one goes, and the
    // code stays in the barcode field for the terminal.
    if (!lblNombreMedicamento_->text().isEmpty()) MostrarMedicamento({}, {});
    if (campo == txtTroquel_) txtTroquel_->clear();
    txtCodigoBarra_->setText(codigo);
    return false;
}

bool frmItemTicketFarmacia::MostrarPorCodigoBarra(const QString& codigoBarra) {
    const QString barra = codigoBarra.trimmed();
    if (barra.isEmpty()) return false;
    try {
        clsMedicamento medicamento;
        medicamento.Empresa = static_cast<qint16>(numEmpresa_.toInt());
        medicamento.Licencia = gTerminal;
        const auto rs = medicamento.Buscar("CodigoBarra=\"" + barra + "\"");
        if (!rs || rs->EOF_() || medicamento.Troquel == 0) return false;
        MostrarMedicamento(QString::number(medicamento.Troquel), barra);
        return !lblNombreMedicamento_->text().isEmpty();
    } catch (const std::exception& e) {
        InformarError(e);
        return false;
    }
}

void frmItemTicketFarmacia::MostrarDiagnostico(const QString& codigo) {
    CampoDiagnostico(txtDiagnostico_, lblNombreDiagnostico_, numEmpresa_).Mostrar(codigo);
}

bool frmItemTicketFarmacia::MostrarPlan(const QString& codigo) {
    lblNombrePlanCobertura_->clear();
    if (codigo.isEmpty()) {
        txtPlanCobertura_->clear();
        return false;
    }
    try {
        clsPlan plan;
        plan.Empresa = static_cast<qint16>(numEmpresa_.toInt());
        const auto rs = plan.Buscar({}, codigo.trimmed(), QString());
        if (!rs || rs->EOF_()) return false;
        lblNombrePlanCobertura_->setText(plan.PlanCobertura);
        txtPlanCobertura_->setText(plan.Codigo);
        MostrarPorcentaje(plan.PorcentajeCobertura);
        return true;
    } catch (const std::exception& e) {
        InformarError(e);
        return false;
    }
}

void frmItemTicketFarmacia::BuscarMedicamento() {
    const auto fila = frmPromptedSearch::Instancia().Perform(clsMedicamento::PlantillaTicket(),
                                                             QString::fromUtf8("Búsqueda de Medicamentos"), true, true);
    if (fila) MostrarMedicamento(fila->Item("Troquel").toString(), fila->Item("CodigoBarra").toString());
}

void frmItemTicketFarmacia::BuscarDiagnostico() {
    CampoDiagnostico(txtDiagnostico_, lblNombreDiagnostico_, numEmpresa_).Buscar();
}

void frmItemTicketFarmacia::BuscarPlan() {
    const auto fila = frmPromptedSearch::Instancia().Perform(clsPlan::PlantillaTicket(numEmpresa_),
                                                             QString::fromUtf8("Búsqueda de Prácticas"), true, true);
    if (!fila) return;
    const QString codigo = fila->Item("Codigo").toString();
    // A plan with a type of its own is not found by code alone; the row the user chose says
    // which plan it is.
    if (!MostrarPlan(codigo) && !codigo.isEmpty()) {
        txtPlanCobertura_->setText(codigo);
        lblNombrePlanCobertura_->setText(fila->Item("PlanCobertura").toString());
        MostrarPorcentaje(fila->Item("PorcentajeCobertura").toDouble());
    }
}

void frmItemTicketFarmacia::MostrarPorcentaje(double porcentaje) {
    // The plan's coverage when the catalog gives one; what the user typed stays otherwise.
    if (porcentaje > 0 && txtPorcentajeCobertura_->isEnabled())
        txtPorcentajeCobertura_->setText(QString::number(qRound(porcentaje)));
}

void frmItemTicketFarmacia::Aceptar() {
    if (cboTipoPrescripcion_->currentText().contains("Indefinida")) {
        MsgBox(QString::fromUtf8("Debe seleccionar el tipo de prescripción"), Mensajes::vbInformation);
        cboTipoPrescripcion_->setFocus();
        return;
    }
    // A troquel typed and accepted at once is looked up first, so the item carries its name and price;
    // one the catalog does not hold keeps the price the user typed.
    if (!txtTroquel_->text().trimmed().isEmpty() && lblNombreMedicamento_->text().isEmpty()) {
        const QString precio = txtPrecio_->text();
        MostrarCodigo(txtTroquel_);
        if (lblNombreMedicamento_->text().isEmpty()) txtPrecio_->setText(precio);
    }
    if (!CantidadValida() || !PrecioLegible() || !ConfirmarIncompleto()) return;
    clsItemTicketFarmacia item;
    item.Troquel = txtTroquel_->text().trimmed();
    if (txtCodigoBarra_->isEnabled()) {
        QString barra = txtCodigoBarra_->text();
        while (barra.endsWith(' ')) barra.chop(1);
        item.CodigoBarra = barra;
    }
    if (txtCodigoProveedor_->isEnabled()) item.CodigoProveedor = txtCodigoProveedor_->text().trimmed();
    item.NombreMedicamento = lblNombreMedicamento_->text().trimmed();
    item.Presentacion = lblPresentacion_->text().trimmed();
    item.TipoArancel = qRound(TextoANumero(txtTipoArancel_->text(), false));
    item.Cantidad = qRound(TextoANumero(txtCantidad_->text(), false));
    // The list, its totals and the record all count whole cents.
    item.Precio = PrecioEnCentavos(TextoANumero(txtPrecio_->text(), true));
    item.Diagnostico = txtDiagnostico_->text().trimmed();
    item.NombreDiagnostico = lblNombreDiagnostico_->text().trimmed();
    if (cboTipoCobertura_->isEnabled()) item.TipoCobertura = cboTipoCobertura_->currentText();
    item.Autorizacion = txtAutorizacion_->text();
    item.PlanCobertura = txtPlanCobertura_->text();
    LeerTipoPrescripcion(cboTipoPrescripcion_->currentText(), item.TipoPrescripcion, item.CambioPrescripcion);
    const QString porcentaje = txtPorcentajeCobertura_->text().trimmed();
    item.PorcentajeCobertura = porcentaje.isEmpty() ? 0 : qRound(TextoANumero(porcentaje, true));

    // The prescription settings of the last item are remembered for the next run.
    if (TextoANumero(gTipoPrescripcion, true) != item.TipoPrescripcion) {
        gTipoPrescripcion = FormatearNumero(item.TipoPrescripcion, 2);
        RegistroAjustes::Guardar(Ajuste::TipoPrescripcion, gTipoPrescripcion);
    }
    if ((gCambioPrescripcion != "0") != item.CambioPrescripcion) {
        gCambioPrescripcion = item.CambioPrescripcion ? "1" : "0";
        RegistroAjustes::Guardar(Ajuste::CambioPrescripcion, gCambioPrescripcion);
    }
    resultado_ = item;
    accept();
}

bool frmItemTicketFarmacia::CantidadValida() {
    // A quantity the operation does not let the user give goes as it stands.
    if (!txtCantidad_->isEnabled()) return true;
    bool numero = false;
    const double cantidad = TextoANumero(txtCantidad_->text(), false, &numero);
    const int maximo = static_cast<int>(std::pow(10, kDigitosCantidad)) - 1;
    if (numero && cantidad >= 1 && cantidad <= maximo && cantidad == std::floor(cantidad)) return true;
    MsgBox(QString::fromUtf8("La cantidad debe ser un número entero de 1 a %1.").arg(maximo), Mensajes::vbInformation,
           windowTitle());
    txtCantidad_->setFocus(Qt::TabFocusReason);
    return false;
}

bool frmItemTicketFarmacia::PrecioLegible() {
    bool numero = false;
    TextoANumero(txtPrecio_->text(), true, &numero);
    if (numero) return true;
    MsgBox(QString::fromUtf8("El precio %1 no es un importe: escríbalo como %2.")
               .arg(txtPrecio_->text(), FormatearNumero(15230.5, 1)),
           Mensajes::vbInformation, windowTitle());
    txtPrecio_->setFocus(Qt::TabFocusReason);
    return false;
}

bool frmItemTicketFarmacia::ConfirmarIncompleto() {
    QStringList faltan;
    if (lblNombreMedicamento_->text().trimmed().isEmpty()) faltan << QString::fromUtf8("no figura en el catálogo");
    if (TextoANumero(txtPrecio_->text(), true) <= 0) faltan << "no tiene precio";
    if (TextoANumero(txtCantidad_->text(), true) < 1) faltan << "no tiene cantidad";
    if (faltan.isEmpty()) return true;
    const QString texto = QString::fromUtf8("El medicamento ") + faltan.join(", ") +
                          QString::fromUtf8(".\n¿Agregar el ítem de todos modos?");
    if (MsgBox(texto, Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, windowTitle()) ==
        Mensajes::vbYes)
        return true;
    if (txtTroquel_->isEnabled())
        txtTroquel_->setFocus();
    else
        txtCantidad_->setFocus();
    return false;
}

void frmItemTicketFarmacia::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // Laid out now: Tab follows the screen and the dialog starts in its first field.
    OrdenarTabulacion(this);
    if (QWidget* primero = PrimerCampo(this)) primero->setFocus();
}
