#include "tickets/frmTicketFarmaciaBase.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "catalogs/clsBitmaps.h"
#include "catalogs/clsMedico.h"
#include "core/RegistroAjustes.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "exchange/clsTicket.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "platform/ui/Twips.h"
#include "tickets/frmDiagnostico.h"
#include "tickets/frmItemTicketFarmacia.h"
#include "tickets/modEnvioTicket.h"
#include "tickets/modTickets.h"
#include "ui/AlSalirCampo.h"
#include "ui/EtiquetaNombre.h"
#include "ui/FiltroTeclas.h"
#include "ui/OrdenTabulacion.h"
#include "ui/TeclaEnter.h"
#include "ui/frmMuestraLista.h"
#include "ui/frmPromptedSearch.h"
#include "ui/modReferencias.h"
#include "ui/modRespuesta.h"

namespace {

template <class W>
W* Nuevo(QWidget* padre, const char* nombre, const QString& texto = {}) {
    auto* w = new W(padre);
    w->setObjectName(nombre);
    if constexpr (std::is_same_v<W, QLabel> || std::is_same_v<W, QPushButton>) w->setText(texto);
    if constexpr (std::is_same_v<W, QGroupBox>) w->setTitle(texto);
    return w;
}

// The row a list has selected, the first when none is; -1 on an empty list.
int FilaActual(const QTreeWidget* lista) {
    if (lista->topLevelItemCount() == 0) return -1;
    return lista->currentItem() ? lista->indexOfTopLevelItem(lista->currentItem()) : 0;
}

// Removes the selected row of a list and the entry it shows; false on an empty list.
template <class T>
bool QuitarFila(QList<T>& datos, QTreeWidget* lista) {
    const int i = FilaActual(lista);
    if (i < 0) return false;
    datos.removeAt(i);
    delete lista->topLevelItem(i);
    return true;
}

const QString kRE = QStringLiteral("RE");
const QString kAU = QStringLiteral("AU");

}  // namespace

frmTicketFarmaciaBase::frmTicketFarmaciaBase(int codigoOperacion, QWidget* padre)
    : QWidget(padre), codigoOperacion_(codigoOperacion) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Ticket");

    lblOperacion_ = Nuevo<QLabel>(this, "lblOperacion");
    txtTarjeta_ = Nuevo<QLineEdit>(this, "txtTarjeta");
    cboTipoLectura_ = Nuevo<QComboBox>(this, "cboTipoLectura");
    txtFarmacia_ = Nuevo<QLineEdit>(this, "txtFarmacia");
    txtTicketPadre_ = Nuevo<QLineEdit>(this, "txtTicketPadre");
    txtTipoReceta_ = Nuevo<QLineEdit>(this, "txtTipoReceta");
    txtReceta_ = Nuevo<QLineEdit>(this, "txtReceta");
    txtFechaReceta_ = Nuevo<QLineEdit>(this, "txtFechaReceta");
    txtFechaEmisionRecetario_ = Nuevo<QLineEdit>(this, "txtFechaEmisionRecetario");
    txtFechaVenta_ = Nuevo<QLineEdit>(this, "txtFechaVenta");
    txtHoraVenta_ = Nuevo<QLineEdit>(this, "txtHoraVenta");
    cboTipoDocumentoRetira_ = Nuevo<QComboBox>(this, "cboTipoDocumentoRetira");
    txtDocumentoRetira_ = Nuevo<QLineEdit>(this, "txtDocumentoRetira");
    txtConsulta_ = Nuevo<QLineEdit>(this, "txtConsulta");
    cboTipoMatriculaR_ = Nuevo<QComboBox>(this, "cboTipoMatriculaR");
    cboProvinciaR_ = Nuevo<QComboBox>(this, "cboProvinciaR");
    txtMatriculaRe_ = Nuevo<QLineEdit>(this, "txtMatriculaRe");
    lblNombreMedicoRe_ = Nuevo<EtiquetaNombre>(this, "lblNombreMedicoRe");
    cmdBuscarMedicoRe_ = Nuevo<QPushButton>(this, "cmdBuscarMedicoRe", "...");
    txtMatriculaAu_ = Nuevo<QLineEdit>(this, "txtMatriculaAu");
    lblNombreMedicoAu_ = Nuevo<EtiquetaNombre>(this, "lblNombreMedicoAu");
    cmdBuscarMedicoAu_ = Nuevo<QPushButton>(this, "cmdBuscarMedicoAu", "...");
    cboTipoAutorizacion_ = Nuevo<QComboBox>(this, "cboTipoAutorizacion");
    txtAutorizacion_ = Nuevo<QLineEdit>(this, "txtAutorizacion");
    txtDocumentacionExtra_ = Nuevo<QLineEdit>(this, "txtDocumentacionExtra");
    txtDescuentoPrestador_ = Nuevo<QLineEdit>(this, "txtDescuentoPrestador");

    fmeItems_ = Nuevo<QGroupBox>(this, "fmeItems", QString::fromUtf8("Ítems"));
    lvwItems_ = Nuevo<QTreeWidget>(fmeItems_, "lvwItems");
    cmdAddItem_ = Nuevo<QPushButton>(fmeItems_, "cmdAddItem", "Agregar");
    cmdChangeItem_ = Nuevo<QPushButton>(fmeItems_, "cmdChangeItem", "Modificar");
    cmdDelItem_ = Nuevo<QPushButton>(fmeItems_, "cmdDelItem", "Quitar");
    fmeDiagnosticos_ = Nuevo<QGroupBox>(this, "fmeDiagnosticos", QString::fromUtf8("Diagnósticos"));
    lvwDiagnosticos_ = Nuevo<QTreeWidget>(fmeDiagnosticos_, "lvwDiagnosticos");
    cmdAddDiags_ = Nuevo<QPushButton>(fmeDiagnosticos_, "cmdAddDiags", "Agregar");
    cmdDelDiags_ = Nuevo<QPushButton>(fmeDiagnosticos_, "cmdDelDiags", "Quitar");

    lblTotalRotulo_ = Nuevo<QLabel>(this, "lblTotalRotulo", "Total:");
    lblTotal_ = Nuevo<QLabel>(this, "lblTotal");
    lblTotalGeneralRotulo_ = Nuevo<QLabel>(this, "lblTotalGeneralRotulo", "Total general:");
    lblTotalGeneral_ = Nuevo<QLabel>(this, "lblTotalGeneral");
    cmdAceptar_ = Nuevo<QPushButton>(this, "cmdAceptar", "Aceptar");
    cmdCancelar_ = Nuevo<QPushButton>(this, "cmdCancelar", "Cancelar");
    // Enter on a button with the focus presses it, as in a dialog.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(true);
    // Enabled by the bitmap as soon as the operation has one header field.
    cmdAceptar_->setEnabled(false);

    Rotulo(txtTarjeta_, "Tarjeta");
    Rotulo(cboTipoLectura_, "Lectura");
    Rotulo(txtFarmacia_, "Farmacia");
    Rotulo(txtTicketPadre_, "Ticket original");
    Rotulo(txtTipoReceta_, "Tipo de receta");
    Rotulo(txtReceta_, "Receta");
    Rotulo(txtFechaReceta_, "Fecha receta");
    Rotulo(txtFechaEmisionRecetario_, QString::fromUtf8("Emisión recetario"));
    Rotulo(txtFechaVenta_, "Fecha venta");
    Rotulo(txtHoraVenta_, "Hora venta");
    Rotulo(cboTipoDocumentoRetira_, "Documento retira");
    Rotulo(txtDocumentoRetira_, QString::fromUtf8("Nº documento"));
    Rotulo(txtConsulta_, "Consulta");
    Rotulo(cboTipoAutorizacion_, QString::fromUtf8("Tipo autorización"));
    Rotulo(txtAutorizacion_, QString::fromUtf8("Autorización"));
    Rotulo(txtDocumentacionExtra_, QString::fromUtf8("Documentación extra"));
    Rotulo(txtDescuentoPrestador_, "Descuento %");
    Rotulo(cboTipoMatriculaR_, "Prescriptor");
    acompanantes_[cboTipoMatriculaR_] << cboProvinciaR_;
    Rotulo(txtMatriculaRe_, QString::fromUtf8("Matrícula"));
    acompanantes_[txtMatriculaRe_] << cmdBuscarMedicoRe_ << lblNombreMedicoRe_;
    Rotulo(txtMatriculaAu_, QString::fromUtf8("Matrícula"));
    acompanantes_[txtMatriculaAu_] << cmdBuscarMedicoAu_ << lblNombreMedicoAu_;

    lvwItems_->setRootIsDecorated(false);
    lvwItems_->setHeaderLabels({QString::fromUtf8("Nº"), "Cantidad", "Troquel", QString::fromUtf8("Código barra"),
                                QString::fromUtf8("Código proveedor"), "Medicamento", QString::fromUtf8("Presentación"),
                                "Tipo arancel", "Precio", QString::fromUtf8("Diagnóstico"), "Nombre diagnóstico",
                                "Cobertura", QString::fromUtf8("Autorización"), "Plan",
                                QString::fromUtf8("Prescripción"), "Cambio", "% Cobertura"});
    lvwItems_->header()->setMinimumSectionSize(0);
    lvwItems_->header()->setStretchLastSection(false);
    lvwItems_->setColumnWidth(0, TwipsAPixeles(450));
    lvwDiagnosticos_->setRootIsDecorated(false);
    lvwDiagnosticos_->setHeaderLabels({QString::fromUtf8("Nº"), QString::fromUtf8("Código"), "Nombre"});
    lvwDiagnosticos_->header()->setMinimumSectionSize(0);
    lvwDiagnosticos_->setColumnWidth(0, TwipsAPixeles(450));
    Armar();

    const auto fechas = {txtFechaReceta_, txtFechaEmisionRecetario_, txtFechaVenta_};
    for (QLineEdit* fecha : fechas) InstalarSalida(fecha, [this, fecha] { SalirFecha(fecha); });
    InstalarSalida(txtDescuentoPrestador_, [this] { ActualizarItems(false); });
    const auto salirMatriculaRe = [this] {
        BuscarMedicoDe(txtMatriculaRe_, lblNombreMedicoRe_, cboTipoMatriculaR_, cboProvinciaR_);
    };
    InstalarSalida(txtMatriculaRe_, salirMatriculaRe);
    InstalarSalida(cboTipoMatriculaR_, [this, salirMatriculaRe] {
        salirMatriculaRe();
        gIndiceTipoMatriculaR = cboTipoMatriculaR_->currentIndex();
    });
    InstalarSalida(cboProvinciaR_, [this, salirMatriculaRe] {
        salirMatriculaRe();
        gIndiceProvinciaR = cboProvinciaR_->currentIndex();
    });

    connect(cmdBuscarMedicoRe_, &QPushButton::clicked, this, [this] { ElegirMedico(kRE); });
    connect(cmdBuscarMedicoAu_, &QPushButton::clicked, this, [this] { ElegirMedico(kAU); });
    connect(cmdAddItem_, &QPushButton::clicked, this, &frmTicketFarmaciaBase::AgregarItem);
    connect(cmdChangeItem_, &QPushButton::clicked, this, &frmTicketFarmaciaBase::CambiarItem);
    connect(cmdDelItem_, &QPushButton::clicked, this, &frmTicketFarmaciaBase::BorrarItem);
    connect(lvwItems_, &QTreeWidget::itemDoubleClicked, this, &frmTicketFarmaciaBase::VerItem);
    connect(cmdAddDiags_, &QPushButton::clicked, this, &frmTicketFarmaciaBase::AgregarDiagnostico);
    connect(cmdDelDiags_, &QPushButton::clicked, this, &frmTicketFarmaciaBase::BorrarDiagnostico);
    connect(cmdAceptar_, &QPushButton::clicked, this, &frmTicketFarmaciaBase::Aceptar);
    connect(cmdCancelar_, &QPushButton::clicked, this, &frmTicketFarmaciaBase::Cancelar);
    AlSalirCampo::SinReglas(cmdCancelar_);
    InstalarTeclas();
}

// ---------------------------------------------------------------------------------------------
// Layout

namespace {

// Room for filas rows of a list under its column captions, and for the scroll bar that a narrow list
// shows below them.
void AltoFilas(QTreeWidget* lista, int filas) {
    const int fila = lista->fontMetrics().height() + 4;
    lista->setMinimumHeight(lista->header()->sizeHint().height() + filas * fila + 2 * lista->frameWidth() +
                            lista->horizontalScrollBar()->sizeHint().height());
}

// A list with its buttons stacked at its right, inside its frame.
void ArmarMarco(QGroupBox* marco, QTreeWidget* lista, std::initializer_list<QPushButton*> botones) {
    auto* columna = new QVBoxLayout;
    for (QPushButton* b : botones) columna->addWidget(b);
    columna->addStretch();
    auto* fila = new QHBoxLayout(marco);
    fila->addWidget(lista, 1);
    fila->addLayout(columna);
}

}  // namespace

void frmTicketFarmaciaBase::Armar() {
    // Captions and fields measure themselves in the form's font: nothing is cut, and a row whose
    // fields the operation hides takes no room.
    encabezado_ = new QGridLayout;
    const QList<QList<QWidget*>> filas{
        {txtTarjeta_, cboTipoLectura_, txtFarmacia_},
        {txtTicketPadre_, txtTipoReceta_, txtReceta_},
        {txtFechaReceta_, txtFechaEmisionRecetario_, txtFechaVenta_},
        {txtHoraVenta_, cboTipoDocumentoRetira_, txtDocumentoRetira_},
        {txtConsulta_, cboTipoAutorizacion_, txtAutorizacion_},
        {txtDocumentacionExtra_, txtDescuentoPrestador_},
    };
    for (int f = 0; f < filas.size(); ++f)
        for (int c = 0; c < filas[f].size(); ++c) {
            encabezado_->addWidget(rotulos_.value(filas[f][c]), f, 2 * c);
            encabezado_->addWidget(filas[f][c], f, 2 * c + 1);
        }
    for (int c : {1, 3, 5}) encabezado_->setColumnStretch(c, 1);
    // Each field at least as wide as what it takes: a card's digits, a date, a few more for the rest.
    for (QLineEdit* campo : findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        const int digitos = campo == txtTarjeta_ ? 19 : 10;
        campo->setMinimumWidth(campo->fontMetrics().horizontalAdvance(QString(digitos, '0')) + 12);
    }
    AgregarMedico(cboTipoMatriculaR_, cboProvinciaR_, txtMatriculaRe_, cmdBuscarMedicoRe_, lblNombreMedicoRe_);

    ArmarMarco(fmeItems_, lvwItems_, {cmdAddItem_, cmdChangeItem_, cmdDelItem_});
    ArmarMarco(fmeDiagnosticos_, lvwDiagnosticos_, {cmdAddDiags_, cmdDelDiags_});
    AltoFilas(lvwItems_, 3);
    AltoFilas(lvwDiagnosticos_, 3);
}

void frmTicketFarmaciaBase::AgregarMedico(QWidget* tipo, QComboBox* provincia, QLineEdit* matricula,
                                          QPushButton* buscar, QLabel* nombre) {
    const int r = encabezado_->rowCount();
    auto* listas = new QHBoxLayout;
    listas->addWidget(tipo);
    if (provincia) listas->addWidget(provincia, 1);
    if (!provincia) listas->addStretch();
    encabezado_->addWidget(rotulos_.value(tipo), r, 0);
    encabezado_->addLayout(listas, r, 1, 1, 3);
    auto* licencia = new QHBoxLayout;
    licencia->addWidget(matricula, 1);
    licencia->addWidget(buscar);
    buscar->setFixedWidth(buscar->fontMetrics().horizontalAdvance("...") + 16);
    encabezado_->addWidget(rotulos_.value(matricula), r, 4);
    encabezado_->addLayout(licencia, r, 5);
    // The name found, whole, on a row as wide as the header (a longer one widens the window). The row
    // takes no room until a name is found; the window keeps that room for it under the items.
    encabezado_->addWidget(nombre, r + 1, 1, 1, 5);
}

QGridLayout* frmTicketFarmaciaBase::Totales(bool enUnaFila) {
    auto* totales = new QGridLayout;
    totales->addWidget(lblTotalRotulo_, 0, 0);
    totales->addWidget(lblTotal_, 0, 1);
    totales->addWidget(lblTotalGeneralRotulo_, enUnaFila ? 0 : 1, enUnaFila ? 2 : 0);
    totales->addWidget(lblTotalGeneral_, enUnaFila ? 0 : 1, enUnaFila ? 3 : 1);
    // Room for a large total, so that the window does not widen as the items come.
    for (QLabel* importe : {lblTotal_, lblTotalGeneral_})
        importe->setMinimumWidth(importe->fontMetrics().horizontalAdvance("000.000.000,00"));
    if (enUnaFila)
        totales->setColumnMinimumWidth(1, lblTotal_->minimumWidth() + 12);
    else
        totales->setRowStretch(2, 1);  // at the top of a taller row
    return totales;
}

QBoxLayout* frmTicketFarmaciaBase::Botones(bool enUnaFila) {
    QBoxLayout* botones = enUnaFila ? static_cast<QBoxLayout*>(new QHBoxLayout) : new QVBoxLayout;
    botones->addWidget(cmdAceptar_);
    botones->addWidget(cmdCancelar_);
    if (!enUnaFila) botones->addStretch();
    return botones;
}

void frmTicketFarmaciaBase::Disponer() {
    // As large as what the operation shows; the controls placed now, so that Tab follows them.
    layout()->invalidate();
    // Not adjustSize: it makes a window at least 100 high. On a small screen the fields give up
    // the room they would like, down to what they need.
    // The lists show their few rows: the window is as high as that, and taller only when the user
    // makes it so.
    QSize medida(layout()->totalSizeHint().width(), 0);
    if (const QScreen* pantalla = screen())
        medida.setWidth(std::min(medida.width(), pantalla->availableSize().width() - 40));
    resize(medida.expandedTo(layout()->totalMinimumSize()));
    layout()->activate();
}

void frmTicketFarmaciaBase::InstalarTeclas() {
    const auto atajo = [this](const QKeySequence& tecla, QWidget* donde, Qt::ShortcutContext contexto, auto&& hacer) {
        auto* s = new QShortcut(tecla, donde);
        s->setContext(contexto);
        connect(s, &QShortcut::activated, this, hacer);
    };
    // F12 sends the ticket from any field; Esc and Ctrl+F4 close the form as its close box does,
    // asking first when it holds data.
    atajo(QKeySequence(Qt::Key_F12), this, Qt::WidgetWithChildrenShortcut, [this] { AceptarPorTecla(); });
    cmdAceptar_->setToolTip("Aceptar (F12)");
    for (const QKeySequence& cerrar : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_F4)}) {
        auto* s = new QShortcut(cerrar, this);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, [this] { CerrarVentana(); });
        // Inside the main window the sub-window's own close key is Ctrl+F4 too: either way it closes.
        connect(s, &QShortcut::activatedAmbiguously, this, [this] { CerrarVentana(); });
    }
    // The items list: Enter or Insert adds an item, Delete removes the selected one. Even empty it
    // shows that it has the focus, so that the counter knows where Enter goes.
    TeclaEnter::Instalar(lvwItems_, [this] { AgregarItem(); });
    atajo(QKeySequence(Qt::Key_Insert), lvwItems_, Qt::WidgetShortcut, [this] { AgregarItem(); });
    atajo(QKeySequence(Qt::Key_Delete), lvwItems_, Qt::WidgetShortcut, [this] { BorrarItem(); });
    lvwItems_->setStyleSheet("QTreeWidget:focus { border: 2px solid palette(highlight); }");
    lvwItems_->setToolTip(QString::fromUtf8("Enter o Insert: agregar un ítem; Supr: quitarlo"));
}

frmTicketFarmaciaBase::~frmTicketFarmaciaBase() { Descargar(); }

bool frmTicketFarmaciaBase::MedioCargado() const { return editado_ || !items_.isEmpty() || !diagnosticos_.isEmpty(); }

frmTicketFarmaciaBase* frmTicketFarmaciaBase::Abierto() { return abierto_.data(); }

void frmTicketFarmaciaBase::DescargarAbierto() {
    frmTicketFarmaciaBase* forma = abierto_.data();
    if (!forma) return;
    // Unloaded now, not later: the next form locks the selectors and rebuilds the positions. Whoever
    // unloads it has asked already.
    forma->descartar_ = true;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(forma->parentWidget())) {
        sub->close();
        delete sub;
    } else {
        forma->close();
        delete forma;
    }
}

void frmTicketFarmaciaBase::Presentar(frmTicketFarmaciaBase* forma, bool& pCargado, QMdiArea* area) {
    abierto_ = forma;
    forma->Cargar();
    forma->setWindowTitle(TituloOperacion(forma->codigoOperacion_));
    if (area) {
        QMdiSubWindow* sub = area->addSubWindow(forma);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
    } else {
        forma->show();
    }
    pCargado = true;
}

void frmTicketFarmaciaBase::closeEvent(QCloseEvent* e) {
    // The close box, Esc and Ctrl+F4 do not throw away what was typed without asking.
    if (!descartar_ && isVisible() && !ConfirmarDescarte()) {
        e->ignore();
        return;
    }
    descartar_ = true;
    Descargar();
    e->accept();
}

void frmTicketFarmaciaBase::Descargar() {
    if (descargado_) return;
    descargado_ = true;
    gColControles.clear();
    if (abierto_ == this) abierto_ = nullptr;
    emit Descargado();
}

QSize frmTicketFarmaciaBase::sizeHint() const {
    // As tall as what the form shows, its lists at the rows they need, and the room a doctor's name
    // takes once found, which the items list gives up then rather than the window growing.
    QSize tamano = QWidget::sizeHint();
    int alto = minimumSizeHint().height();
    for (const QLabel* nombre : {lblNombreMedicoRe_, lblNombreMedicoAu_})
        if (nombre->isVisibleTo(this) && nombre->text().isEmpty()) alto += nombre->fontMetrics().height();
    tamano.setHeight(alto);
    return tamano;
}

QLabel* frmTicketFarmaciaBase::Rotulo(QWidget* campo, const QString& texto) {
    auto* rotulo = new QLabel(texto, this);
    rotulo->setObjectName("lblRotulo_" + campo->objectName());
    rotulo->setBuddy(campo);
    acompanantes_[campo] << rotulo;
    rotulos_[campo] = rotulo;
    return rotulo;
}

void frmTicketFarmaciaBase::InstalarSalida(QWidget* campo, std::function<void()> alSalir) {
    AlSalirCampo::Instalar(campo, std::move(alSalir));
}

QString frmTicketFarmaciaBase::CodigoLista(const QComboBox* lista) {
    QString codigo, resto;
    SepararCodigoNombre(lista->currentText(), codigo, resto);
    return codigo;
}

void frmTicketFarmaciaBase::Seleccionar(QComboBox* lista, int indice) {
    if (lista->count() == 0) return;
    lista->setCurrentIndex(qBound(0, indice, lista->count() - 1));
}

// ---------------------------------------------------------------------------------------------
// Loading

void frmTicketFarmaciaBase::Cargar() {
    ActualizarItems(true);

    struct Entrada {
        int posicion;
        QWidget* control;
        int tipo;
    };
    const QList<Entrada> entradas{
        {1, lblOperacion_, 5},
        {2, txtTarjeta_, 5},
        {3, cboTipoLectura_, 5},
        {4, txtFarmacia_, 5},
        {5, txtTicketPadre_, 1},
        {6, txtTipoReceta_, 5},
        {7, txtReceta_, 5},
        {8, txtFechaReceta_, 4},
        {9, txtFechaEmisionRecetario_, 4},
        {10, txtFechaVenta_, 4},
        {11, txtHoraVenta_, 5},
        {12, cboTipoDocumentoRetira_, 5},
        {13, txtDocumentoRetira_, 1},
        {14, txtConsulta_, 5},
        {15, cboTipoMatriculaR_, 5},
        {16, txtMatriculaRe_, 1},
        {17, TipoMatriculaAutorizante(), 5},
        {18, txtMatriculaAu_, 1},
        {19, cboTipoAutorizacion_, 5},
        {20, txtAutorizacion_, 5},
        {21, txtDocumentacionExtra_, 5},
        {22, txtDescuentoPrestador_, 2},
        {33, fmeDiagnosticos_, 0},
    };
    gColControles.clear();
    controlesEncabezado_.clear();
    for (const Entrada& e : entradas) {
        gColControles.append(clsControles{e.posicion, e.control->objectName()});
        controlesEncabezado_[e.posicion] = e.control;
        if (e.tipo != 0 && (qobject_cast<QLineEdit*>(e.control) || qobject_cast<QComboBox*>(e.control)))
            FiltroTeclas::Instalar(e.control, e.tipo);
    }

    cboTipoDocumentoRetira_->addItems({"", "DNI", "LC", "LE", "CE", "Pasaporte"});
    cboTipoAutorizacion_->addItems({"", "Normal", "T. Prolongado"});
    cboTipoLectura_->addItems({"", "Banda", "Manual", "Domicilio"});
    CargarProfesiones(cboTipoMatriculaR_);
    CargarJurisdicciones(cboProvinciaR_);
    if (auto* lista = qobject_cast<QComboBox*>(TipoMatriculaAutorizante())) CargarProfesiones(lista);
    if (QComboBox* lista = ProvinciaAutorizante()) CargarJurisdicciones(lista);

    const QString hoy = QDate::currentDate().toString("dd/MM/yyyy");
    txtFechaReceta_->setText(hoy);
    txtFechaVenta_->setText(hoy);

    // Enter goes on to the next field still to fill, as in the counter's other programs; Tab still
    // visits every field. When what is left is the first item, its dialog opens at once.
    for (QWidget* campo : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (qobject_cast<QLineEdit*>(campo) || qobject_cast<QComboBox*>(campo))
            TeclaEnter::Instalar(campo, [this, campo] {
                if (!SiguienteCampoPorLlenar(this, campo)) SiguienteCampo(campo);
                if (focusWidget() == lvwItems_ && items_.isEmpty()) AgregarItem();
            });

    AplicarBitmap();

    Seleccionar(cboProvinciaR_, gIndiceProvinciaR);
    Seleccionar(cboTipoMatriculaR_, gIndiceTipoMatriculaR);
    lblOperacion_->setText(QString::number(codigoOperacion_));
}

void frmTicketFarmaciaBase::AplicarBitmap() {
    QString bitmapEncabezado;
    bitmapItem_.clear();
    try {
        clsBitmaps bitmaps;
        bitmaps.Buscar({}, gCodigoEmpresa, gCodigoActividad, static_cast<qint16>(codigoOperacion_), "SVL1");
        bitmapEncabezado = bitmaps.Parametro;
        bitmaps.Buscar({}, gCodigoEmpresa, gCodigoActividad, static_cast<qint16>(codigoOperacion_), "SVL3");
        bitmapItem_ = bitmaps.Parametro;
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
    }

    QList<bool> posiciones = PosicionesBitmap(bitmapEncabezado, PosicionesEncabezado());
    conItems_ = !bitmapItem_.isEmpty();
    if (HayExcepcionV101()) ExcepcionV101Encabezado(codigoOperacion_, posiciones, conItems_);
    if (!cmdAceptar_->isEnabled() && posiciones.contains(true)) cmdAceptar_->setEnabled(true);

    const auto mostrar = [this](QWidget* w, bool valor) {
        w->setVisible(valor);
        w->setEnabled(valor);
        for (QWidget* acompanante : acompanantes_.value(w)) acompanante->setVisible(valor);
    };
    for (clsControles& entrada : gColControles) {
        const bool valor = entrada.Posicion < posiciones.size() && posiciones.at(entrada.Posicion);
        entrada.Mostrar = entrada.Habilitar = valor;
        QWidget* w = controlesEncabezado_.value(entrada.Posicion);
        if (!w) continue;
        mostrar(w, valor);
        QComboBox* provincia = nullptr;
        if (w == cboTipoMatriculaR_) provincia = cboProvinciaR_;
        if (w == TipoMatriculaAutorizante()) provincia = ProvinciaAutorizante();
        if (provincia) mostrar(provincia, valor);
        if (auto* lista = qobject_cast<QComboBox*>(w); lista && valor) Seleccionar(lista, 1);
    }
    if (ListasMatriculaEnBlanco()) {
        auto* tipoAutorizante = qobject_cast<QComboBox*>(TipoMatriculaAutorizante());
        for (QComboBox* lista : {cboTipoMatriculaR_, tipoAutorizante, cboProvinciaR_, ProvinciaAutorizante()})
            if (lista && lista->isEnabled() && lista->count() > 0) lista->setCurrentIndex(0);
    }

    cmdBuscarMedicoRe_->setEnabled(txtMatriculaRe_->isEnabled());
    cmdBuscarMedicoAu_->setEnabled(txtMatriculaAu_->isEnabled());
    fmeItems_->setEnabled(conItems_);
    fmeItems_->setVisible(conItems_);
    lblOperacion_->setVisible(false);
    conDiagnosticos_ = fmeDiagnosticos_->isEnabled();

    Disponer();
    OrdenarTabulacion(this);
    if (QWidget* primero = PrimerCampo(this)) primero->setFocus();
    for (QLineEdit* campo : findChildren<QLineEdit*>())
        connect(campo, &QLineEdit::textEdited, this, [this] { editado_ = true; });

    if (txtFarmacia_->isEnabled()) txtFarmacia_->setText(RegistroAjustes::Leer(Ajuste::farmacia));
}

// ---------------------------------------------------------------------------------------------
// Leaving fields

void frmTicketFarmaciaBase::VolverAlCampo(QLineEdit* campo) {
    campo->selectAll();
    // Back to the field once the focus change that left it is over.
    QTimer::singleShot(0, campo, [campo] {
        campo->setFocus(Qt::OtherFocusReason);
        campo->selectAll();
    });
}

bool frmTicketFarmaciaBase::SalirFecha(QLineEdit* campo) {
    // A window on its way out (Cancelar, the close box) is not held back by a date it will not send.
    if (campo->text().isEmpty() || !isVisible()) return true;
    QVariant fecha = campo->text();
    if (!NormalizarFecha(fecha)) {
        MsgBox(QString::fromUtf8("La fecha %1 no es válida: escriba día, mes y año (dd/mm/aaaa, ddmmaa o dd/mm/aa).")
                   .arg(campo->text()),
               Mensajes::vbInformation, windowTitle());
        VolverAlCampo(campo);
        return false;
    }
    campo->setText(fecha.toString());
    if (ParsearFechaDMA(fecha.toString()).value() > QDate::currentDate()) {
        MsgBox("La fecha no puede ser mayor a la actual", Mensajes::vbInformation, windowTitle());
        VolverAlCampo(campo);
        return false;
    }
    return true;
}

void frmTicketFarmaciaBase::BuscarMedicoDe(QLineEdit* matricula, QLabel* nombre, QComboBox* tipo,
                                           QComboBox* provincia) {
    const QString texto = matricula->text().trimmed();
    bool numero = false;
    const qint64 valor = texto.toLongLong(&numero);
    if (texto.isEmpty() || !numero) return;
    try {
        BuscarMedico(static_cast<qint32>(valor), nombre, tipo, provincia);
    } catch (const std::exception& e) {
        MsgBox("Error:\r\n" + ComoTarsaError(e).Descripcion, Mensajes::vbCritical);
    }
}

// ---------------------------------------------------------------------------------------------
// Doctors

void frmTicketFarmaciaBase::ElegirMedico(const QString& quien) {
    const auto fila = frmPromptedSearch::Instancia().Perform(clsMedico::PlantillaTicket(),
                                                             QString::fromUtf8("Búsqueda de Médicos"), true, true);
    if (!fila) return;
    MostrarMedico(quien, static_cast<qint32>(fila->Item("Matricula").toLongLong()),
                  fila->Item("TipoMatricula").toString());
}

void frmTicketFarmaciaBase::MostrarMedico(const QString& quien, qint32 matricula, const QString& tipoMatricula) {
    if (quien == kAU)
        MostrarMedicoAutorizante(matricula, tipoMatricula);
    else
        MostrarMedicoEn(lblNombreMedicoRe_, txtMatriculaRe_, cboTipoMatriculaR_, cboProvinciaR_, matricula,
                        tipoMatricula);
}

void frmTicketFarmaciaBase::MostrarMedicoEn(QLabel* nombre, QLineEdit* campoMatricula, QComboBox* tipo,
                                            QComboBox* provincia, qint32 matricula, const QString& tipoMatricula) {
    nombre->clear();
    try {
        if (matricula != 0 && !tipoMatricula.isEmpty()) {
            clsMedico medico;
            medico.Empresa = static_cast<qint16>(TextoANumero(gEmpresa, true));
            const auto rs = medico.Buscar({}, matricula, tipoMatricula);
            if (rs && !rs->EOF_()) {
                nombre->setText(medico.ApellidoNombre);
                campoMatricula->setText(QString::number(medico.Matricula));
                Seleccionar(tipo, BuscarIndiceCodigo(tipo, medico.TipoMatricula.right(1)));
                Seleccionar(provincia, BuscarIndiceCodigo(provincia, medico.TipoMatricula.left(1)));
            }
        } else {
            campoMatricula->clear();
            Seleccionar(tipo, 0);
        }
    } catch (const std::exception& e) {
        MsgBox("Error:\r\n" + ComoTarsaError(e).Descripcion, Mensajes::vbCritical);
    }
}

// ---------------------------------------------------------------------------------------------
// Items and diagnoses

void frmTicketFarmaciaBase::EscribirFila(int i) {
    QTreeWidgetItem* fila = lvwItems_->topLevelItem(i);
    if (!fila) fila = new QTreeWidgetItem(lvwItems_);
    const QStringList columnas = ColumnasItem(items_.at(i));
    for (int c = 1; c < kColumnasItem; ++c) fila->setText(c, columnas.at(c));
    for (int c = 14; c < kColumnasItem; ++c) lvwItems_->resizeColumnToContents(c);
}

void frmTicketFarmaciaBase::AjustarColumnas(QTreeWidget* lista, int desde, int hasta) {
    const QFontMetrics medida(font());
    constexpr int kMargen = 12;  // the cell's own padding, so that the text shows whole
    for (int i = 0; i < lista->topLevelItemCount(); ++i) {
        QTreeWidgetItem* fila = lista->topLevelItem(i);
        for (int c = desde; c <= hasta; ++c) {
            int ancho = medida.horizontalAdvance(fila->text(c));
            // A column that shows something shows its caption whole too ("Cantidad", not "Ca").
            if (ancho > 0) ancho = std::max(ancho, lista->header()->sectionSizeHint(c) - kMargen);
            if (ancho > 0 && ancho + kMargen > lista->columnWidth(c)) lista->setColumnWidth(c, ancho + kMargen);
        }
        fila->setText(0, QString::number(i + 1));
    }
}

void frmTicketFarmaciaBase::ActualizarItems(bool inicial) {
    if (inicial) {
        for (int c = 1; c <= 13; ++c) lvwItems_->setColumnWidth(c, 0);
        return;
    }
    AjustarColumnas(lvwItems_, 1, 13);
    const TotalesTicket totales = CalcularTotales(items_, txtDescuentoPrestador_->text());
    lblTotal_->setText(TextoImporte(totales.Total));
    lblTotalGeneral_->setText(TextoImporte(totales.TotalGeneral));
}

void frmTicketFarmaciaBase::ActualizarDiagnosticos(bool inicial) {
    if (inicial) {
        for (int c = 1; c <= 2; ++c) lvwDiagnosticos_->setColumnWidth(c, 0);
        return;
    }
    AjustarColumnas(lvwDiagnosticos_, 1, 2);
}

void frmTicketFarmaciaBase::AgregarItem() {
    bool enviar = false;
    const auto item = frmItemTicketFarmacia::Cargar(static_cast<int>(TextoANumero(gEmpresa, true)), gCodigoEmpresa, 1,
                                                    codigoOperacion_, bitmapItem_, nullptr, &enviar);
    if (!item) return;
    items_.append(*item);
    EscribirFila(items_.size() - 1);
    lvwItems_->setCurrentItem(lvwItems_->topLevelItem(items_.size() - 1));
    ActualizarItems(false);
    // Back in the list: Enter adds the next item, F12 sends the ticket.
    lvwItems_->setFocus(Qt::OtherFocusReason);
    EnviarTrasItem(enviar);
}

void frmTicketFarmaciaBase::CambiarItem() {
    const int i = FilaActual(lvwItems_);
    if (i < 0) return;
    bool enviar = false;
    const auto item = frmItemTicketFarmacia::Cargar(static_cast<int>(TextoANumero(gEmpresa, true)), gCodigoEmpresa, 3,
                                                    codigoOperacion_, bitmapItem_, &items_.at(i), &enviar);
    if (!item) return;
    items_[i] = *item;
    EscribirFila(i);
    ActualizarItems(false);
    EnviarTrasItem(enviar);
}

void frmTicketFarmaciaBase::EnviarTrasItem(bool enviar) {
    // F12 in the item dialog is the form's F12 pressed right after it: queued, so that the key that
    // opened the dialog is done with before the ticket goes and the form closes.
    if (enviar) QMetaObject::invokeMethod(this, &frmTicketFarmaciaBase::AceptarPorTecla, Qt::QueuedConnection);
}

void frmTicketFarmaciaBase::AceptarPorTecla() {
    if (cmdAceptar_->isEnabled()) Aceptar();
}

void frmTicketFarmaciaBase::BorrarItem() {
    if (QuitarFila(items_, lvwItems_)) ActualizarItems(false);
}

void frmTicketFarmaciaBase::VerItem() {
    const int i = FilaActual(lvwItems_);
    if (i < 0) return;
    QStringList columnas = ColumnasItem(items_.at(i));
    columnas[0] = QString::number(i + 1);
    QList<EncabezadoLista> encabezados;
    for (int c = 0; c < kColumnasItem; ++c)
        encabezados.append({lvwItems_->headerItem()->text(c), lvwItems_->columnWidth(c) == 0 ? 0 : 1});
    frmMuestraLista::Abrir(this, columnas, encabezados, QString::fromUtf8("Ítem"));
}

void frmTicketFarmaciaBase::AgregarDiagnostico() {
    const auto diagnostico =
        frmDiagnostico::Cargar(static_cast<int>(TextoANumero(gEmpresa, true)), gCodigoEmpresa, 1, codigoOperacion_);
    if (!diagnostico) return;
    diagnosticos_.append(*diagnostico);
    auto* fila = new QTreeWidgetItem(lvwDiagnosticos_);
    fila->setText(1, diagnostico->Codigo);
    fila->setText(2, diagnostico->Nombre);
    lvwDiagnosticos_->setCurrentItem(fila);
    ActualizarDiagnosticos(false);
}

void frmTicketFarmaciaBase::BorrarDiagnostico() {
    if (QuitarFila(diagnosticos_, lvwDiagnosticos_)) ActualizarDiagnosticos(false);
}

// ---------------------------------------------------------------------------------------------
// Acceptance

void frmTicketFarmaciaBase::Aceptar() {
    // One send at a time: a second F12, or the one queued by the item dialog, may come while the
    // answer is awaited, and would write the request files over the ones the terminal is reading.
    if (enviando_) return;
    const QScopedValueRollback<bool> enCurso(enviando_, true);
    const bool faltanItems = conItems_ && items_.isEmpty();
    const bool faltaTarjeta = txtTarjeta_->isEnabled() && txtTarjeta_->text().trimmed().isEmpty();
    if (faltanItems)
        MsgBox(QString::fromUtf8("Es necesario cargar algún item"), Mensajes::vbInformation, windowTitle());
    if (faltaTarjeta) MsgBox("Falta ingresar datos del beneficiario (Tarjeta)", Mensajes::vbInformation, windowTitle());
    if (faltanItems || faltaTarjeta) return;

    if (txtFarmacia_->isEnabled()) RegistroAjustes::Guardar(Ajuste::farmacia, txtFarmacia_->text());
    const PantallaEnvioTicket pantalla{
        [] { return EnviarSolicitud(gActividad, gEmpresa, gTerminal); },
        [this](clsTransaccion& transaccion) { return MostrarRespuestaTicket(transaccion, this); }};
    const FinEnvioTicket fin =
        EnviarTicketFarmacia(Encabezado(), conItems_ ? std::optional(items_) : std::nullopt,
                             conDiagnosticos_ ? std::optional(diagnosticos_) : std::nullopt, pantalla);
    if (fin != FinEnvioTicket::Completado) return;
    descartar_ = true;
    CerrarVentana();
    emit Completado();
}

bool frmTicketFarmaciaBase::ConfirmarDescarte() {
    if (!MedioCargado()) return true;
    const QString pregunta =
        items_.isEmpty()     ? QString::fromUtf8("El ticket tiene datos cargados. ¿Descartarlo?")
        : items_.size() == 1 ? QString::fromUtf8("El ticket tiene 1 ítem cargado. ¿Descartarlo?")
                             : QString::fromUtf8("El ticket tiene %1 ítems cargados. ¿Descartarlo?").arg(items_.size());
    // Enter answers No: a ticket typed item by item is not thrown away by a key pressed twice.
    if (MsgBox(pregunta, Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, windowTitle()) ==
        Mensajes::vbYes)
        return true;
    // The dates were not checked on the way out; the ticket stays, so they are now.
    RevisarFechas();
    return false;
}

void frmTicketFarmaciaBase::Cancelar() {
    // The button asks only for items: the header alone is quickly typed again.
    if (!items_.isEmpty() && !ConfirmarDescarte()) return;
    PedirNuevaTransaccion();
    descartar_ = true;
    CerrarVentana();
}

void frmTicketFarmaciaBase::RevisarFechas() {
    for (QLineEdit* fecha : {txtFechaReceta_, txtFechaEmisionRecetario_, txtFechaVenta_})
        if (fecha->isEnabled() && !SalirFecha(fecha)) return;
}

void frmTicketFarmaciaBase::CerrarVentana() {
    // Inside the main window the form lives in a sub-window: closing only the form would leave its
    // empty frame behind. The sub-window closes the form first, which unloads it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

clsTicket frmTicketFarmaciaBase::Encabezado() const {
    const auto texto = [](const QLineEdit* campo) { return campo->isEnabled() ? campo->text() : QString(); };
    const auto posicion = [](const QComboBox* lista) {
        return lista->isEnabled() ? QString::number(lista->currentIndex()) : QString();
    };
    clsTicket ticket;
    ticket.CodigoOperacion = codigoOperacion_;
    ticket.Tarjeta = txtTarjeta_->text();
    ticket.TipoLectura = cboTipoLectura_->isEnabled() ? QString::number(cboTipoLectura_->currentIndex()) : "0";
    ticket.Farmacia = texto(txtFarmacia_);
    ticket.TicketPadre = texto(txtTicketPadre_);
    ticket.TipoReceta = texto(txtTipoReceta_);
    ticket.Receta = texto(txtReceta_);
    ticket.FechaReceta = texto(txtFechaReceta_);
    ticket.FechaEmisionRecetario = texto(txtFechaEmisionRecetario_);
    ticket.FechaVenta = texto(txtFechaVenta_);
    ticket.HoraVenta = texto(txtHoraVenta_);
    ticket.Consulta = texto(txtConsulta_);
    ticket.TipoMatriculaRe = (cboProvinciaR_->isEnabled() ? CodigoLista(cboProvinciaR_) : QStringLiteral(" ")) +
                             (cboTipoMatriculaR_->isEnabled() ? CodigoLista(cboTipoMatriculaR_) : QString());
    ticket.MatriculaRe = texto(txtMatriculaRe_);
    CargarAutorizante(ticket);
    ticket.TipoAutorizacion = posicion(cboTipoAutorizacion_);
    ticket.Autorizacion = texto(txtAutorizacion_);
    ticket.DocumentacionExtra = texto(txtDocumentacionExtra_);
    ticket.TipoDocumentoRetira = posicion(cboTipoDocumentoRetira_);
    ticket.DocumentoRetira = texto(txtDocumentoRetira_);
    ticket.DescuentoPrestador = txtDescuentoPrestador_->isEnabled()
                                    ? FormatearNumero(TextoANumero(txtDescuentoPrestador_->text(), true) * 100, 2)
                                    : QString();
    return ticket;
}
