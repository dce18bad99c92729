#include "journal/frmCierres.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Operaciones.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "exchange/clsParametros.h"
#include "exchange/clsTicket.h"
#include "exchange/frmMostrarErrores.h"
#include "exchange/frmProcesando.h"
#include "exchange/modIntercambio.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "ui/AlSalirCampo.h"
#include "ui/FiltroTeclas.h"
#include "ui/modMatricula.h"
#include "ui/modRespuesta.h"

namespace {

// Which parameters an operation takes.
enum Usa { kNumero = 1, kDesde = 2, kHasta = 4, kCupon = 8, kCadena = 16, kFiltro = 32 };

struct Opcion {
    const char* texto;
    int codigo;
    int usa;
};
const Opcion kOpciones[] = {
    {"Consultar cupones &sin cerrar", 6, kCadena | kFiltro},
    {"Consultar &último cierre realizado", 7, 0},
    {"C&onsulta por número de cierre", 7, kNumero},
    {"Consulta tickets por &rango de fechas", 8, kDesde | kHasta | kCadena | kFiltro},
    {"C&errar cupones", 9, kDesde | kHasta | kCadena},
    {"E&xcluir cupón del cierre o consulta", 10, kCupon},
    {"&Incluir cupón del cierre o consulta", 11, kCupon},
};

const std::pair<const char*, char> kFiltros[] = {
    {"Transacciones pendientes de pago", '0'}, {"Solo transacciones aprobadas", '1'},
    {"Solo transacciones rechazadas", '2'},    {"Transacciones Anuladas", '3'},
    {"Transacciones Bloqueadas", '4'},         {"Todas las transacciones registradas ", '9'},
};

void Ver(QWidget* w, bool si) {
    w->setVisible(si);
    w->setEnabled(si);
}

QString SiHabilitada(const QLineEdit* caja) { return caja->isEnabled() ? caja->text() : QString(); }

const QString kFormatoFecha = QStringLiteral("dd/MM/yyyy");

// A date as the confirmation shows it.
QString FechaMostrada(const QLineEdit* caja) {
    return caja->text().isEmpty() ? QStringLiteral("(sin fecha)") : caja->text();
}

}  // namespace

frmCierres::frmCierres(bool cadenaSucursales, QWidget* parent) : QDialog(parent) {
    setObjectName("frmCierres");
    setWindowTitle("Cierres");

    auto* marcoOpcion = new QGroupBox(QString::fromUtf8("Opción"), this);
    auto* opciones = new QVBoxLayout(marcoOpcion);
    auto* grupo = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(std::size(kOpciones)); ++i) {
        auto* o = new QRadioButton(QString::fromUtf8(kOpciones[i].texto), marcoOpcion);
        o->setObjectName(QString("optOpcion%1").arg(i));
        grupo->addButton(o, i);
        opciones->addWidget(o);
        optOpcion_.append(o);
    }
    connect(grupo, &QButtonGroup::idClicked, this, &frmCierres::ElegirOpcion);

    auto* marcoParametros = new QGroupBox(QString::fromUtf8("Parámetros"), this);
    auto* formulario = new QFormLayout(marcoParametros);
    const auto agregar = [&](const char* nombre, const char* etiqueta, int tipoTecla) {
        QLineEdit* caja = Caja(nombre, QString::fromUtf8(etiqueta), tipoTecla);
        formulario->addRow(parametros_.last().etiqueta, caja);
        return caja;
    };
    txtNumeroCierre_ = agregar("txtNumeroCierre", "&Número de cierre:", 1);
    txtPeriodoCierre_ = agregar("txtPeriodoCierre", "&Período de cierre:", 4);
    txtFechaDesde_ = agregar("txtFechaDesde", "&Desde el:", 4);
    txtFechaHasta_ = agregar("txtFechaHasta", "&Hasta el:", 4);
    txtNumeroCupon_ = agregar("txtNumeroCupon", "Número de c&upón:", 1);
    for (QLineEdit* fecha : {txtPeriodoCierre_, txtFechaDesde_, txtFechaHasta_})
        AlSalirCampo::Instalar(fecha, [this, fecha] { SalirFecha(fecha); });
    cboOpciones_ = new QComboBox(marcoParametros);
    cboOpciones_->setObjectName("cboOpciones");
    for (const auto& [texto, codigo] : kFiltros) cboOpciones_->addItem(QString(texto) + QString(40, ' ') + codigo);
    formulario->addRow(cboOpciones_);
    chkIndicaCadena_ = new QCheckBox("Incluir todas las sucursales", marcoParametros);
    chkIndicaCadena_->setObjectName("chkIndicaCadena");
    chkIndicaCadena_->setToolTip("Incluye en el cierre toda la cadena de sucursales");
    chkIndicaCadena_->setChecked(cadenaSucursales);
    formulario->addRow(chkIndicaCadena_);

    const CampoMatricula matricula = CrearMatricula(this);
    lblMatricula_ = matricula.etiqueta;
    txtMatricula_ = matricula.caja;

    auto* aceptar = new QPushButton("&Aceptar", this);
    aceptar->setObjectName("cmdAceptar");
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton("&Cancelar", this);
    cancelar->setObjectName("cmdCancelar");
    connect(aceptar, &QPushButton::clicked, this, &frmCierres::Aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* abajo = new QHBoxLayout;
    abajo->addWidget(lblMatricula_);
    abajo->addWidget(txtMatricula_);
    abajo->addStretch();
    abajo->addWidget(aceptar);
    abajo->addWidget(cancelar);
    auto* arriba = new QHBoxLayout;
    arriba->addWidget(marcoOpcion);
    arriba->addWidget(marcoParametros, 1);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(arriba);
    todo->addLayout(abajo);

    for (const Parametro& p : parametros_) {
        Ver(p.etiqueta, false);
        Ver(p.caja, false);
    }
    // With closures suggested by calendar period, the open-ended query is not offered.
    const int primera = gSugerirCierres ? 1 : 0;
    optOpcion_[0]->setVisible(!gSugerirCierres);
    optOpcion_[primera]->setChecked(true);
    ElegirOpcion(primera);
}

QLineEdit* frmCierres::Caja(const char* nombre, const QString& etiqueta, int tipoTecla) {
    auto* caja = new QLineEdit(this);
    caja->setObjectName(nombre);
    auto* lbl = new QLabel(etiqueta, this);
    lbl->setObjectName(QString(nombre).replace(0, 3, "lbl"));
    lbl->setBuddy(caja);
    FiltroTeclas::Instalar(caja, tipoTecla);
    parametros_.append({lbl, caja});
    return caja;
}

frmCierres* frmCierres::Mostrar(bool cadenaSucursales, QWidget* parent) {
    static QPointer<frmCierres> abierta;
    if (!abierta) {
        abierta = new frmCierres(cadenaSucursales, parent);
        abierta->setAttribute(Qt::WA_DeleteOnClose);
    }
    abierta->show();
    abierta->raise();
    abierta->activateWindow();
    return abierta;
}

void frmCierres::ElegirOpcion(int indice) {
    for (const Parametro& p : parametros_) {
        Ver(p.etiqueta, false);
        Ver(p.caja, false);
    }
    chkIndicaCadena_->setEnabled(false);
    Ver(cboOpciones_, false);

    const Opcion& o = kOpciones[indice];
    codigoOperacion_ = o.codigo;
    const std::pair<int, int> usos[] = {{kNumero, 0}, {kDesde, 2}, {kHasta, 3}, {kCupon, 4}};
    for (const auto& [uso, i] : usos)
        if (o.usa & uso) {
            Ver(parametros_[i].etiqueta, true);
            Ver(parametros_[i].caja, true);
        }
    chkIndicaCadena_->setEnabled(o.usa & kCadena);
    Ver(cboOpciones_, o.usa & kFiltro);

    if (gSugerirCierres && (indice == 3 || indice == 4)) {
        const auto [desde, hasta] = MesAnterior(QDate::currentDate());
        // Written as dates are typed here, whatever the system's short date: its two-digit year, and the
        // month first on some systems, would be read back as another date or as none.
        txtFechaDesde_->setText(desde.toString(kFormatoFecha));
        txtFechaHasta_->setText(hasta.toString(kFormatoFecha));
    }
}

std::pair<QDate, QDate> frmCierres::MesAnterior(const QDate& hoy) {
    const QDate ultimo = QDate(hoy.year(), hoy.month(), 1).addDays(-1);
    return {QDate(ultimo.year(), ultimo.month(), 1), ultimo};
}

bool frmCierres::RevisarFechas() {
    for (QLineEdit* caja : {txtPeriodoCierre_, txtFechaDesde_, txtFechaHasta_}) {
        if (!caja->isEnabled()) continue;
        const QString texto = caja->text().trimmed();
        if (texto.isEmpty()) {
            caja->clear();
            continue;
        }
        QVariant fecha = texto;
        if (NormalizarFecha(fecha)) {
            caja->setText(fecha.toString());
            continue;
        }
        MsgBox(QString::fromUtf8("La fecha %1 no es válida: escriba día, mes y año (dd/mm/aaaa, ddmmaa o dd/mm/aa).")
                   .arg(texto),
               Mensajes::vbExclamation, windowTitle());
        caja->setFocus(Qt::OtherFocusReason);
        caja->selectAll();
        return false;
    }
    return true;
}

bool frmCierres::ConfirmarCierre() {
    if (codigoOperacion_ != 9) return true;
    const QString nombre = QString::fromUtf8(kOpciones[4].texto).remove('&');
    const QString pregunta = QString::fromUtf8("¿Enviar el cierre «%1» del %2 al %3?")
                                 .arg(nombre, FechaMostrada(txtFechaDesde_), FechaMostrada(txtFechaHasta_));
    return MsgBox(pregunta, Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, windowTitle()) ==
           Mensajes::vbYes;
}

void frmCierres::SalirFecha(QLineEdit* caja) {
    if (caja->text().isEmpty()) return;
    QVariant fecha = caja->text();
    if (NormalizarFecha(fecha))
        caja->setText(fecha.toString());
    else
        caja->selectAll();
}

clsParametros frmCierres::Parametros() const {
    clsParametros p;
    p.Operacion = CodigoOperacionVersion(codigoOperacion_);
    p.NumeroCierre = SiHabilitada(txtNumeroCierre_);
    p.FechaDesde = SiHabilitada(txtFechaDesde_);
    p.FechaHasta = SiHabilitada(txtFechaHasta_);
    p.IndicaCadena = chkIndicaCadena_->isChecked();
    p.Filtro = cboOpciones_->isVisibleTo(this) ? cboOpciones_->currentText().right(1) : QString(" ");
    return p;
}

bool frmCierres::GrabarPedido() {
    const QString d = DirectorioIntercambio();
    const bool porCupon = codigoOperacion_ == 10 || codigoOperacion_ == 11;
    if (gVersion == "V250" && porCupon) {
        clsTicket ticket;
        ticket.Version = "V250";
        ticket.TipoPrestador = 1;
        ticket.CodigoOperacion = codigoOperacion_;
        ticket.TicketPadre = RellenarCeros(SiHabilitada(txtNumeroCupon_), 12);
        ticket.TipoReceta = "  ";
        try {
            ticket.GrabarSVL1(d);
        } catch (const std::exception&) {
            MsgBox("Error al armar el svl1", Mensajes::vbCritical);
            return false;
        }
        return true;
    }
    try {
        const clsParametros p = Parametros();
        // Under V101 only the operations the old protocol knows carry a parameters record.
        if (gVersion == "V101" && (p.Operacion < 1 || p.Operacion > 3)) return true;
        p.GrabarSAL0(d, DisposicionRequerida(clsParametros::DisposicionCierres(gVersion, gTipoActividad), gVersion));
        return true;
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return false;
    }
}

bool frmCierres::LeeArchivos() {
    if (gVersion != "V250") return true;
    try {
        clsParametros::LeerRespuestas(DirectorioIntercambio(), LecturaCodigo::Entero, gColErrores);
        return true;
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return false;
    }
}

void frmCierres::Aceptar() {
    const std::optional<QString> licencia = LicenciaParaSolicitud(txtMatricula_->text());
    if (!licencia) return;
    // Enter accepts without leaving a date box: the boxes are read as leaving them reads them.
    if (!RevisarFechas() || !ConfirmarCierre()) return;
    if (!GrabarPedido()) return;
    Solicitud solicitud;
    try {
        solicitud = EnviarSolicitud(gCodigoActividad, gCodigoEmpresa, *licencia);
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Error");
        return;
    }
    if (!solicitud.Procesada()) return;

    VaciarErrores();
    LeeArchivos();
    const bool conMensajes = !gColErrores.isEmpty();
    if (conMensajes) {
        frmMostrarErrores errores(this);
        MostrarModal(errores);
    }
    clsTransaccion& t = solicitud.Transaccion;
    const QString ticket = t.BuscarTicket();
    MostrarEImprimirTicket(ticket, t.MedidaTicket, this);
    GuardarTransaccionLocal(t.LeerSAL0(), ticket, gCodigoEmpresa, true);
    if (!conMensajes) close();
}
