#include "journal/frmHistorialIntercambios.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "journal/frmDetalleIntercambio.h"
#include "platform/Mensajes.h"
#include "platform/SelectorCarpetas.h"
#include "platform/ui/Modal.h"

namespace {
const QString kTodos = QString::fromUtf8("(todos)");
}

frmHistorialIntercambios::frmHistorialIntercambios(const QString& raiz, QMap<QString, QString> empresas,
                                                   QWidget* parent)
    : QWidget(parent),
      historial_(raiz),
      empresas_(std::move(empresas)),
      chkFechas(new QCheckBox("Enviados entre el", this)),
      dtpDesde(new QDateEdit(QDate::currentDate().addMonths(-1), this)),
      dtpHasta(new QDateEdit(QDate::currentDate(), this)),
      txtTarjeta(new QLineEdit(this)),
      txtTicket(new QLineEdit(this)),
      cboResultado(new QComboBox(this)),
      lvwIntercambios(new QTableView(this)),
      lblCantidad(new QLabel(this)),
      cmdAbrir(new QPushButton("&Ver ...", this)),
      cmdExportar(new QPushButton("&Exportar CSV ...", this)),
      cmdActualizar(new QPushButton("&Actualizar", this)),
      cmdCerrar(new QPushButton("&Cerrar", this)) {
    setObjectName("frmHistorialIntercambios");
    setWindowTitle("Historial de intercambios");
    const std::pair<QWidget*, const char*> nombres[] = {{chkFechas, "chkFechas"},
                                                        {dtpDesde, "dtpDesde"},
                                                        {dtpHasta, "dtpHasta"},
                                                        {txtTarjeta, "txtTarjeta"},
                                                        {txtTicket, "txtTicket"},
                                                        {cboResultado, "cboResultado"},
                                                        {lvwIntercambios, "lvwIntercambios"},
                                                        {lblCantidad, "lblCantidad"},
                                                        {cmdAbrir, "cmdAbrir"},
                                                        {cmdExportar, "cmdExportar"},
                                                        {cmdActualizar, "cmdActualizar"},
                                                        {cmdCerrar, "cmdCerrar"}};
    for (const auto& [control, nombre] : nombres) control->setObjectName(nombre);
    cboResultado->addItem(kTodos);
    for (QDateEdit* fecha : {dtpDesde, dtpHasta}) {
        fecha->setCalendarPopup(true);
        fecha->setDisplayFormat("dd/MM/yyyy");
        fecha->setEnabled(false);
    }

    lvwIntercambios->setModel(&modelo_);
    lvwIntercambios->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwIntercambios->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwIntercambios->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwIntercambios->verticalHeader()->hide();
    // Rows of one height: the view then never measures the rows it does not draw.
    lvwIntercambios->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lvwIntercambios->horizontalHeader()->setStretchLastSection(true);
    const int ancho = fontMetrics().horizontalAdvance('0');
    const int anchos[ModeloHistorial::kColumnas] = {20, 24, 16, 22, 14, 14};
    for (int c = 0; c < ModeloHistorial::kColumnas; ++c) lvwIntercambios->setColumnWidth(c, anchos[c] * ancho);

    auto* filtros = new QGridLayout;
    filtros->addWidget(chkFechas, 0, 0);
    filtros->addWidget(dtpDesde, 0, 1);
    filtros->addWidget(new QLabel("y el", this), 0, 2);
    filtros->addWidget(dtpHasta, 0, 3);
    filtros->addWidget(new QLabel("Tarjeta", this), 1, 0);
    filtros->addWidget(txtTarjeta, 1, 1);
    filtros->addWidget(new QLabel(QString::fromUtf8("Nº ticket"), this), 1, 2);
    filtros->addWidget(txtTicket, 1, 3);
    filtros->addWidget(new QLabel("Resultado", this), 1, 4);
    filtros->addWidget(cboResultado, 1, 5);
    filtros->setColumnStretch(6, 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(lblCantidad, 1);
    for (QPushButton* b : {cmdAbrir, cmdExportar, cmdActualizar, cmdCerrar}) botones->addWidget(b);
    auto* raizLayout = new QVBoxLayout(this);
    raizLayout->addLayout(filtros);
    raizLayout->addWidget(lvwIntercambios, 1);
    raizLayout->addLayout(botones);
    resize(880, 520);

    connect(chkFechas, &QCheckBox::toggled, this, [this](bool activo) {
        dtpDesde->setEnabled(activo);
        dtpHasta->setEnabled(activo);
        Filtrar();
    });
    connect(dtpDesde, &QDateEdit::dateChanged, this, &frmHistorialIntercambios::Filtrar);
    connect(dtpHasta, &QDateEdit::dateChanged, this, &frmHistorialIntercambios::Filtrar);
    connect(txtTarjeta, &QLineEdit::textChanged, this, &frmHistorialIntercambios::Filtrar);
    connect(txtTicket, &QLineEdit::textChanged, this, &frmHistorialIntercambios::Filtrar);
    connect(cboResultado, &QComboBox::currentTextChanged, this, &frmHistorialIntercambios::Filtrar);
    connect(lvwIntercambios, &QTableView::activated, this, &frmHistorialIntercambios::AbrirSeleccionado);
    connect(cmdAbrir, &QPushButton::clicked, this, &frmHistorialIntercambios::AbrirSeleccionado);
    connect(cmdExportar, &QPushButton::clicked, this, &frmHistorialIntercambios::Exportar);
    connect(cmdActualizar, &QPushButton::clicked, this, &frmHistorialIntercambios::Cargar);
    connect(cmdCerrar, &QPushButton::clicked, this, [this] {
        if (parentWidget()) parentWidget()->close();  // the window frame of the main window's area
        close();
    });
    Cargar();
}

void frmHistorialIntercambios::Cargar() {
    historial_.Cargar();
    modelo_.Establecer(&historial_, {}, empresas_);
    const FiltroHistorial filtro = FiltroActual();
    while (historial_.Pendiente() && modelo_.rowCount() < kPrimeraPantalla)
        modelo_.Agregar(historial_.CargarMes(filtro));
    ActualizarEstado();
    if (modelo_.rowCount() > 0) lvwIntercambios->selectRow(0);
    if (historial_.Pendiente()) QTimer::singleShot(0, this, &frmHistorialIntercambios::CargarOtroMes);
}

void frmHistorialIntercambios::CargarOtroMes() {
    if (!historial_.Pendiente()) return;
    modelo_.Agregar(historial_.CargarMes(FiltroActual()));
    ActualizarEstado();
    if (historial_.Pendiente()) QTimer::singleShot(0, this, &frmHistorialIntercambios::CargarOtroMes);
}

void frmHistorialIntercambios::TerminarCarga() {
    const FiltroHistorial filtro = FiltroActual();
    while (historial_.Pendiente()) modelo_.Agregar(historial_.CargarMes(filtro));
    ActualizarEstado();
}

void frmHistorialIntercambios::ActualizarEstado() {
    // The result choices grow as months are read; the one chosen stays.
    for (const QString& r : historial_.Resultados())
        if (cboResultado->findText(r) < 0) {
            const QSignalBlocker bloqueo(cboResultado);
            cboResultado->addItem(r);
        }
    QString texto = QString::fromUtf8("%1 de %2 intercambios").arg(modelo_.rowCount()).arg(historial_.Cantidad());
    if (historial_.Pendiente()) texto += QString::fromUtf8(" (leyendo el archivo…)");
    lblCantidad->setText(texto);
}

FiltroHistorial frmHistorialIntercambios::FiltroActual() const {
    FiltroHistorial f;
    if (chkFechas->isChecked()) {
        f.Desde = dtpDesde->date();
        f.Hasta = dtpHasta->date();
    }
    f.Tarjeta = txtTarjeta->text();
    f.Ticket = txtTicket->text();
    f.Resultado = cboResultado->currentIndex() > 0 ? cboResultado->currentText() : QString();
    return f;
}

void frmHistorialIntercambios::Filtrar() {
    modelo_.Establecer(&historial_, historial_.Filas(FiltroActual()), empresas_);
    ActualizarEstado();
    if (modelo_.rowCount() > 0) lvwIntercambios->selectRow(0);
}

void frmHistorialIntercambios::AbrirSeleccionado() {
    const QModelIndex actual = lvwIntercambios->currentIndex();
    if (!actual.isValid()) return;
    frmDetalleIntercambio detalle(this);
    detalle.Cargar(historial_.Abrir(modelo_.Fila(actual.row())));
    MostrarModal(detalle);
}

void frmHistorialIntercambios::Exportar() {
    QString ruta = SelectorCarpetas::Actual().GuardarComo(this, "Exportar intercambios", "intercambios.csv");
    if (ruta.isEmpty()) return;
    // A name typed without an extension would give a file no spreadsheet opens by itself.
    if (QFileInfo(ruta).suffix().isEmpty()) ruta += ".csv";
    TerminarCarga();
    QString error;
    if (!historial_.ExportarCsv(ruta, modelo_.Filas(), empresas_, &error)) {
        MsgBox("No se pudo escribir " + ruta + ": " + error, Mensajes::vbCritical, "Exportar intercambios");
        return;
    }
    MsgBox(QString::fromUtf8("Se exportaron %1 intercambios a %2").arg(modelo_.rowCount()).arg(ruta),
           Mensajes::vbInformation, "Exportar intercambios");
}
