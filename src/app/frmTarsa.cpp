#include "app/frmTarsa.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

#include "app/BarraEstado.h"
#include "catalogs/clsActividades.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "exchange/clsArchivoIntercambios.h"
#include "journal/frmCierres.h"
#include "journal/frmHistorialIntercambios.h"
#include "journal/frmInicio.h"
#include "platform/Ajustes.h"
#include "platform/LectorNumeros.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/Sistema.h"
#include "tickets/frmTicketFarmacia.h"
#include "tickets/frmTicketFarmaciaR.h"
#include "tickets/modTickets.h"
#include "ui/frmAbout.h"
#include "ui/frmActualizacionNomencladores.h"
#include "ui/frmAyuda.h"
#include "ui/frmConfiguracion.h"
#include "ui/frmConfigurarVista.h"
#include "ui/frmEditText.h"
#include "ui/frmPromptedSearch.h"
#include "ui/frmSeleccionPrestador.h"
#include "ui/modCombos.h"

namespace {

// The toolbar, position by position; an empty key is a separator. The operations menu has the first
// 20 positions, in the same words followed by " ...".
struct Posicion {
    const char* clave;
    const char* texto;
    const char* marca;
};
const Posicion kBotones[frmTarsa::kPosiciones] = {
    {"K11", "Consumo", "C"},
    {"K14", "Consulta de consumo", "Q"},
    {"K12", "Anulación de consumo", "A"},
    {"K13", "Devolución de consumo", "D"},
    {"", "", ""},
    {"K21", "Autorización de práctica por sesión", "AS"},
    {"K24", "Consulta autorización de práctica por sesión", "QS"},
    {"K22", "Anulación autorización de práctica por sesión", "XS"},
    {"", "", ""},
    {"K31", "Consumo de práctica por sesión", "CS"},
    {"K34", "Consulta de consumo de práctica por sesión", "QC"},
    {"K32", "Anulación de consumo de práctica por sesión", "XC"},
    {"", "", ""},
    {"K41", "Verificar asociado", "V"},
    {"K42", "Verificar asociado práctica", "VP"},
    {"K43", "Verificar asociado, práctica prestador", "VX"},
    {"", "", ""},
    {"K51", "Aviso de depósito", "$"},
    {"K52", "Anulación de aviso de depósito", "X$"},
    {"K60", "Autorización diferida", "AD"},
    {"K70", "Últimos tickets", "T"},
};

// The function keys of the frequent operations, by toolbar position: the counter opens a consumption
// with F2 wherever the focus is in the main window.
QKeySequence TeclaDe(int posicion) {
    switch (posicion) {
        case 1:
            return QKeySequence(Qt::Key_F2);
        case 2:
            return QKeySequence(Qt::Key_F3);
        case 3:
            return QKeySequence(Qt::Key_F4);
        case 4:
            return QKeySequence(Qt::Key_F5);
        case 14:
            return QKeySequence(Qt::Key_F6);
        case 20:
            return QKeySequence(Qt::Key_F7);
        case 21:
            return QKeySequence(Qt::Key_F8);
        default:
            return {};
    }
}
// A tooltip that names its key: "Consumo (F2)".
QString ConTecla(const QString& texto, const QKeySequence& tecla) {
    return tecla.isEmpty() ? texto : texto + " (" + tecla.toString(QKeySequence::NativeText) + ")";
}

// A button's text in two lines, broken at the blank nearest its middle: the whole toolbar then fits a
// 1024-pixel screen, with no button hidden behind the overflow arrow.
QString DosRenglones(const QString& texto) {
    int corte = -1;
    for (int i = 0; i < texto.size(); ++i)
        if (texto[i] == ' ' && (corte < 0 || qAbs(i - texto.size() / 2) < qAbs(corte - texto.size() / 2))) corte = i;
    if (corte < 0) return texto;
    QString r = texto;
    r[corte] = '\n';
    return r;
}

// Operations of the network that this client does not carry out (sessions, deposits): shown where
// the activity offers them, but greyed and saying why.
const QList<int> kNoDisponibles{6, 7, 8, 10, 11, 12, 18, 19};
QString TextoNoDisponible(const QString& texto) {
    return texto + QString::fromUtf8(": no disponible en esta versión de Tarsa Cliente");
}

// Operations offered by activity type (positions of the toolbar).
QList<int> PosicionesDelTipo(const QString& tipo) {
    if (tipo == "1") return {1, 2, 3, 4, 14, 20};
    if (tipo == "2") return {1, 2, 3, 14};
    if (tipo == "3") return {6, 7, 8, 10, 11, 12, 14};
    if (tipo == "4") return {18, 19};
    return {1, 2, 3, 6, 7, 8, 10, 11, 12, 14, 15, 16, 18, 19, 20};
}

// A small drawn icon per button: the pharmacy's operations in green, queries in blue, the rest grey.
QIcon Icono(const QString& marca, const QString& clave) {
    QPixmap lienzo(32, 32);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor color = clave == "K11" || clave == "K60"           ? QColor(0x2e, 0x7d, 0x32)
                         : clave == "K12" || clave == "K13"         ? QColor(0xc6, 0x28, 0x28)
                         : clave.startsWith("K4") || clave == "K14" ? QColor(0x15, 0x65, 0xc0)
                         : clave == "K70"                           ? QColor(0x6a, 0x1b, 0x9a)
                                                                    : QColor(0x61, 0x61, 0x61);
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(2, 2, 28, 28, 6, 6);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(marca.size() > 1 ? 12 : 16);
    p.setFont(f);
    p.drawText(lienzo.rect(), Qt::AlignCenter, marca);
    return QIcon(lienzo);
}

// Typing into the selection combos is discarded (a letter would jump to another company); the
// arrows, Alt+Down, Tab and Shift+Tab work as in any list.
class SinTeclado : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease) return false;
        const auto* tecla = static_cast<QKeyEvent*>(e);
        return !tecla->text().isEmpty() && tecla->text().at(0).isPrint();
    }
};

int Numero(const QString& texto) { return Val<int>(texto); }

// A separator stands between two groups that are both in sight: one with nothing shown before it
// (since the last separator) or after it would leave a doubled or dangling line.
void OcultarSeparadoresSobrantes(const QList<QAction*>& acciones) {
    QAction* pendiente = nullptr;
    bool antes = false;
    for (QAction* a : acciones) {
        if (!a) continue;
        if (a->isSeparator()) {
            a->setVisible(false);
            if (antes) pendiente = a;
            antes = false;
        } else if (a->isVisible()) {
            if (pendiente) pendiente->setVisible(true);
            pendiente = nullptr;
            antes = true;
        }
    }
}

QString CodigoElegido(const QComboBox* cbo) {
    QString codigo, resto;
    SepararCodigoNombre(cbo->currentText(), codigo, resto);
    return codigo;
}

}  // namespace

frmTarsa::frmTarsa(QWidget* parent) : QMainWindow(parent), mdiArea(new QMdiArea(this)) {
    setObjectName("frmTarsa");
    setWindowTitle(kNombrePrograma);
    mdiArea->setObjectName("mdiArea");
    setCentralWidget(mdiArea);
    CrearBarras();
    CrearMenus();
    setStatusBar(new BarraEstado(this));
    frmEditText::InstalarAtajo(this);
    resize(1100, 760);
}

void frmTarsa::CrearBarras() {
    tbrSeleccion = addToolBar(QString::fromUtf8("Selección"));
    tbrSeleccion->setObjectName("tbrSeleccion");
    auto* filtro = new SinTeclado(this);
    auto combo = [&](const char* nombre, const QString& etiqueta, int ancho) {
        auto* cbo = new QComboBox(this);
        cbo->setObjectName(nombre);
        cbo->setMinimumWidth(ancho);
        cbo->installEventFilter(filtro);
        tbrSeleccion->addWidget(new QLabel(" " + etiqueta + " ", this));
        tbrSeleccion->addWidget(cbo);
        return cbo;
    };
    cboEmpresas = combo("cboEmpresas", "Financiador:", 220);
    cboActividades = combo("cboActividades", "Actividad:", 200);
    cboPrestadores = combo("cboPrestadores", "Prestador:", 220);
    connect(cboEmpresas, &QComboBox::activated, this, &frmTarsa::CambioEmpresa);
    connect(cboActividades, &QComboBox::activated, this, &frmTarsa::CambioActividad);
    connect(cboPrestadores, &QComboBox::activated, this, &frmTarsa::CambioPrestador);

    addToolBarBreak();
    tbrPrincipal = addToolBar("Operaciones");
    tbrPrincipal->setObjectName("tbrPrincipal");
    tbrPrincipal->setIconSize(QSize(28, 28));
    tbrPrincipal->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    botones_.append(nullptr);
    for (const Posicion& p : kBotones) {
        const QString clave = p.clave;
        QAction* a = clave.isEmpty() ? tbrPrincipal->addSeparator()
                                     : tbrPrincipal->addAction(Icono(p.marca, clave), QString::fromUtf8(p.texto));
        if (!clave.isEmpty()) {
            a->setObjectName(clave);
            a->setIconText(DosRenglones(QString::fromUtf8(p.texto)));
            a->setToolTip(ConTecla(QString::fromUtf8(p.texto), TeclaDe(static_cast<int>(botones_.size()))));
            if (kNoDisponibles.contains(static_cast<int>(botones_.size())))
                a->setToolTip(TextoNoDisponible(QString::fromUtf8(p.texto)));
            a->setStatusTip(a->toolTip());
            connect(a, &QAction::triggered, this, [this, clave] { EjecutarBoton(clave); });
        }
        botones_.append(a);
    }
    botones_[18]->setData("DEPOSITO");
    botones_[19]->setData("NODEPOSITO");
}

void frmTarsa::CrearMenus() {
    QMenuBar* barra = menuBar();
    auto accion = [this](QMenu* menu, const char* nombre, const QString& texto, auto&& hacer) {
        QAction* a = menu->addAction(texto);
        a->setObjectName(nombre);
        connect(a, &QAction::triggered, this, hacer);
        return a;
    };
    // Every menu has its letter (Alt+O opens the operations), F10 goes to the menu bar.
    QAction* inicio = barra->addAction("&Inicio");
    inicio->setObjectName("mnuTickets");
    inicio->setShortcut(TeclaDe(21));
    connect(inicio, &QAction::triggered, this, &frmTarsa::AbrirListaTransacciones);

    QMenu* sistema = barra->addMenu("&Sistema");
    sistema->setObjectName("mnuSistema");
    accion(sistema, "mnuConfiguracion", QString::fromUtf8("Configuración ..."), [this] { AbrirConfiguracion(); });
    accion(sistema, "mnuConfiguracionVisual", QString::fromUtf8("Configuración Visual ..."), [this] {
        connect(frmConfigurarVista::Mostrar(this), &QDialog::accepted, this, &frmTarsa::SeteaMenu,
                Qt::UniqueConnection);
    });
    sistema->addSeparator();
    accion(sistema, "mnuSalir", "Salir", [this] { close(); });

    QMenu* admin = barra->addMenu(QString::fromUtf8("A&dministración"));
    admin->setObjectName("mnuAdministracion");
    accion(admin, "mnuCierres", "Cierres ...", [this] { frmCierres::Mostrar(cadenaSucursales_, this); });
    accion(admin, "mnuNomencladores", "Nomencladores ...", [this] { frmActualizacionNomencladores::Mostrar(this); });

    QMenu* consultas = barra->addMenu("&Consultas");
    consultas->setObjectName("mnuConsultas");
    accion(consultas, "mnuMedicamentos", "Medicamentos ...",
           [this] { Buscar(clsMedicamento::PlantillaMenu(), QString::fromUtf8("Búsqueda de Medicamentos")); });
    accion(consultas, "mnuMedicos", QString::fromUtf8("Médicos ..."),
           [this] { Buscar(clsMedico::PlantillaMenu(gEmpresa), QString::fromUtf8("Búsqueda de Médicos")); });
    accion(consultas, "mnuDiagnosticos", QString::fromUtf8("Diagnósticos ..."),
           [this] { Buscar(clsDiagnostico::PlantillaMenu(), QString::fromUtf8("Búsqueda de Diagnósticos")); });
    consultas->addSeparator();
    accion(consultas, "mnuHistorialIntercambios", "Historial de intercambios ...",
           [this] { AbrirHistorialIntercambios(); });

    QMenu* operaciones = barra->addMenu("&Operaciones");
    operaciones->setObjectName("mnuOperaciones");
    mnuOperacionesSub_.append(nullptr);
    for (int i = 1; i <= 20; ++i) {
        const Posicion& p = kBotones[i - 1];
        const QString clave = p.clave;
        QAction* a =
            clave.isEmpty() ? operaciones->addSeparator() : operaciones->addAction(QString::fromUtf8(p.texto) + " ...");
        a->setObjectName(QString("mnuOperacionesSub_%1").arg(i));
        if (!clave.isEmpty()) connect(a, &QAction::triggered, this, [this, clave] { EjecutarBoton(clave); });
        // The key lives on the menu item (shown beside it); a hidden item, an operation not offered,
        // does not answer to it.
        a->setShortcut(TeclaDe(i));
        a->setShortcutContext(Qt::WindowShortcut);
        if (kNoDisponibles.contains(i)) {
            a->setToolTip(TextoNoDisponible(QString::fromUtf8(p.texto)));
            a->setStatusTip(a->toolTip());
        }
        mnuOperacionesSub_.append(a);
    }

    // F10 opens the first menu, as in the counter's other programs.
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [barra, sistema] { barra->setActiveAction(sistema->menuAction()); });

    QMenu* ayuda = barra->addMenu("&Ayuda");
    ayuda->setObjectName("mnuAyuda");
    // F1 opens the help inside the program, at the page of the window in front.
    QAction* temas = accion(ayuda, "mnuTemasDeAyuda", "Ayuda local sobre Tarsa Cliente", [this] {
        const QString chm = Rutas::Unir(QCoreApplication::applicationDirPath(), "Tarsa.chm");
        if (QFileInfo::exists(chm))
            Sistema::Actual().Abrir(chm);
        else
            AbrirAyuda(PaginaAyuda());
    });
    temas->setShortcut(QKeySequence(Qt::Key_F1));
    accion(ayuda, "mnuAyudaSobreTarsa", "Ayuda On-Line sobre Tarsa Cliente",
           [this] { AbrirAyuda("ayuda-online.html"); });
    accion(ayuda, "mnuAyudaCierres", QString::fromUtf8("Cierres y Presentación de Facturación"),
           [this] { AbrirAyuda("cierres.html"); });
    accion(ayuda, "mnuAltaReclamo", "Alta de un Reclamo", [this] { AbrirAyuda("reclamo.html"); });
    accion(ayuda, "mnuChat", "Chatear con Mesa de Ayuda", [this] { AbrirAyuda("chat.html"); });
    accion(ayuda, "mnuContactosFinanciador", "Contactos en cada financiador", [this] { AbrirAyuda("contactos.html"); });
    ayuda->addSeparator();
    accion(ayuda, "mnuAcerca", "Acerca ...", [this] { AbrirAcerca(); });
}

void frmTarsa::Cargar() {
    QString marcador;
    PasoInicio(marcador, "21", [this] { CargaCombosMenu(); });
    PasoInicio(marcador, "22", [] { gCodigoEmpresa = clsEmpresas().GetCodigoEmpresa(Numero(gEmpresa)); });
    PasoInicio(marcador, "23",
               [] { gCodigoActividad = clsActividades().GetCodigoActividad(Numero(gEmpresa), Numero(gActividad)); });
    PasoInicio(marcador, "24", [this] { SeteaMenu(); });
    gIndiceProvinciaR = 1;
    gIndiceTipoMatriculaR = 1;
}

void frmTarsa::CargaCombosMenu() {
    // What the bar shows is what the requests carry: a company, activity or provider that is not in
    // the catalogs (a fresh installation starts with company "0", activity "02" and no provider)
    // gives way to the first one listed, and the choice is stored at once, so that it survives a
    // crash as well as a restart.
    CargarComboEmpresas(cboEmpresas);
    if (cboEmpresas->currentIndex() < 0 && cboEmpresas->count() > 0) {
        cboEmpresas->setCurrentIndex(0);
        gEmpresa = QString::number(Numero(CodigoElegido(cboEmpresas)));
    }
    CargarComboActividades(cboActividades);
    if (cboActividades->count() > 0) gActividad = QString::number(Numero(CodigoElegido(cboActividades)));
    CargarComboPrestadores(cboPrestadores);
    const int i = cboPrestadores->currentIndex();
    const bool hay = i >= 0 && i < gColPrestadores.size();
    codigoPrestador_ = hay ? gColPrestadores[i].Codigo : QString();
    cadenaSucursales_ = hay && gColPrestadores[i].CadenaSucursales;
    if (hay) gTerminal = gColPrestadores[i].LicenciaQuelo;
    GuardarSeleccion();
}

void frmTarsa::GuardarSeleccion() {
    // Failures are left for the closing, which saves them again.
    try {
        Ajustes::Guardar(kAplicacion, kSeccionStart, "Empresa", gEmpresa);
        Ajustes::Guardar(kAplicacion, kSeccionStart, "Actividad", gActividad);
        Ajustes::Guardar(kAplicacion, kSeccionStart, "Terminal", gTerminal);
    } catch (...) {
    }
}

void frmTarsa::SeteaMenu() {
    bool flags[21] = {};
    for (int s : {5, 9, 13, 17}) flags[s] = true;
    for (const clsItemLicenciaActividad& item : gColLicAct) {
        const bool coincide =
            codigoPrestador_ == "9999999999"
                ? item.IdActividad == Numero(gActividad) && item.IdEmpresa == Numero(gEmpresa) && gLicenciaMatricula
                : item.Codigo.trimmed() == codigoPrestador_ && item.IdActividad == Numero(gActividad) &&
                      item.IdEmpresa == Numero(gEmpresa);
        if (!coincide) continue;
        for (const clsItemActividad& a : gColActividades)
            if (a.IdEmpresa == item.IdEmpresa && a.IdActividad == item.IdActividad) {
                gTipoActividad = a.Tipo;
                break;
            }
        for (int p : PosicionesDelTipo(gTipoActividad)) flags[p] = true;
    }
    for (int i = 1; i <= 20; ++i) {
        botones_[i]->setEnabled(flags[i]);
        botones_[i]->setVisible(flags[i]);
        mnuOperacionesSub_[i]->setVisible(flags[i]);
    }
    for (int p : kNoDisponibles) {
        botones_[p]->setEnabled(false);
        mnuOperacionesSub_[p]->setEnabled(false);
    }
    tbrSeleccion->setVisible(gVerMenuLicencias);
    auto ocultar = [this](std::initializer_list<int> posiciones) {
        for (int p : posiciones) {
            botones_[p]->setEnabled(false);
            botones_[p]->setVisible(false);
        }
    };
    if (!gVerBotonesVerificar) ocultar({14, 15, 16});
    if (!gVerBotonesConsulta) ocultar({2, 7, 11});
    if (!gVerBotonesDevolucion) ocultar({4});
    botones_[21]->setVisible(gVerBotonesVerificar || gVerBotonesConsulta || gVerBotonesDevolucion);
    OcultarSeparadoresSobrantes(botones_);
    OcultarSeparadoresSobrantes(mnuOperacionesSub_);
}

void frmTarsa::ActualizarCodigos() {
    gCodigoEmpresa = clsEmpresas().GetCodigoEmpresa(Numero(gEmpresa));
    gCodigoActividad = clsActividades().GetCodigoActividad(Numero(gEmpresa), Numero(gActividad));
}

void frmTarsa::CambioEmpresa() {
    const QString elegida = QString::number(Numero(CodigoElegido(cboEmpresas)));
    if (elegida != gEmpresa) {
        gEmpresa = elegida;
        CargarComboActividades(cboActividades);
        gActividad = QString::number(Numero(CodigoElegido(cboActividades)));
        ActualizarCodigos();
        GuardarSeleccion();
    }
    SeteaMenu();
}

void frmTarsa::CambioActividad() {
    const QString elegida = QString::number(Numero(CodigoElegido(cboActividades)));
    if (elegida == gActividad) return;
    gActividad = elegida;
    SeteaMenu();
    gCodigoActividad = clsActividades().GetCodigoActividad(Numero(gEmpresa), Numero(gActividad));
    GuardarSeleccion();
}

void frmTarsa::CambioPrestador() {
    const QString codigo = CodigoElegido(cboPrestadores);
    if (codigo == codigoPrestador_) return;
    for (const clsItemPrestador& p : gColPrestadores) {
        if (p.Codigo != codigo) continue;
        gTerminal = p.LicenciaQuelo;
        codigoPrestador_ = p.Codigo;
        cadenaSucursales_ = p.CadenaSucursales;
        break;
    }
    CargarComboActividades(cboActividades);
    gActividad = cboActividades->count() > 0 ? QString::number(Numero(CodigoElegido(cboActividades))) : "0";
    SeteaMenu();
    GuardarSeleccion();
}

void frmTarsa::BloquearSelectores(bool bloquear) {
    for (QComboBox* c : {cboEmpresas, cboActividades, cboPrestadores}) c->setEnabled(!bloquear);
}

void frmTarsa::EjecutarBoton(const QString& clave) {
    // Opening another operation, or the list, unloads the ticket form: one half filled is not
    // thrown away without asking.
    const frmTicketFarmaciaBase* abierto = frmTicketFarmaciaBase::Abierto();
    if (abierto && abierto->MedioCargado() &&
        MsgBox(QString::fromUtf8("El ticket que está cargando (%1) se descartará. ¿Continuar?")
                   .arg(abierto->windowTitle()),
               Mensajes::vbYesNo | Mensajes::vbQuestion | Mensajes::vbDefaultButton2, windowTitle()) != Mensajes::vbYes)
        return;
    CerrarHijas();
    if (clave != "K70" && gTerminal.isEmpty()) {
        if (!ElegirPrestador()) return;
        // The provider chosen there is the one the bar shows and the operation's request carries.
        CargaCombosMenu();
        ActualizarCodigos();
        SeteaMenu();
    }
    struct Operacion {
        const char* clave;
        int numero;
        QStringList tipos;
    };
    static const Operacion operaciones[] = {{"K11", 1, {"1", "13"}}, {"K60", 5, {"1", "13"}}, {"K14", 4, {"1"}},
                                            {"K12", 2, {"1"}},       {"K13", 3, {"1"}},       {"K41", 41, {"1"}},
                                            {"K42", 42, {"1"}},      {"K43", 43, {"1"}}};
    if (clave == "K70") {
        AbrirListaTransacciones();
        return;
    }
    for (const Operacion& o : operaciones)
        if (clave == o.clave) {
            if (o.tipos.contains(gTipoActividad)) AbrirTicket(o.numero);
            return;
        }
}

void frmTarsa::AbrirTicket(int operacion) {
    bool cargado = false;
    if (gPantallaReducida)
        frmTicketFarmaciaR::Cargar(operacion, cargado, mdiArea);
    else
        frmTicketFarmacia::Cargar(operacion, cargado, mdiArea);
    frmTicketFarmaciaBase* forma = frmTicketFarmaciaBase::Abierto();
    if (!forma) return;
    // The selectors stay still while the form is loaded; a completed ticket brings up the
    // transaction list beside it.
    BloquearSelectores(true);
    connect(forma, &frmTicketFarmaciaBase::Descargado, this, [this] { BloquearSelectores(false); });
    connect(forma, &frmTicketFarmaciaBase::Completado, this, &frmTarsa::AbrirListaTransacciones);
}

void frmTarsa::AbrirListaTransacciones() {
    for (QMdiSubWindow* hija : mdiArea->subWindowList())
        if (qobject_cast<frmInicio*>(hija->widget())) {
            mdiArea->setActiveSubWindow(hija);
            return;
        }
    auto* lista = new frmInicio;
    QMdiSubWindow* hija = mdiArea->addSubWindow(lista);
    hija->setAttribute(Qt::WA_DeleteOnClose);
    hija->resize(lista->size());
    hija->show();
}

void frmTarsa::AbrirHistorialIntercambios() {
    for (QMdiSubWindow* hija : mdiArea->subWindowList())
        if (qobject_cast<frmHistorialIntercambios*>(hija->widget())) {
            mdiArea->setActiveSubWindow(hija);
            return;
        }
    // The request record carries the company's identifier; the list shows its name.
    QMap<QString, QString> empresas;
    QList<clsItemEmpresa> catalogo;
    try {
        clsEmpresas().GetAP(catalogo);
    } catch (const std::exception&) {
        // Without the catalog the list shows the codes: the history does not depend on the database.
    }
    for (const clsItemEmpresa& e : catalogo)
        empresas.insert(QString::number(e.IdEmpresa).rightJustified(2, '0'), e.Nombre);
    auto* historial = new frmHistorialIntercambios(clsArchivoIntercambios::RaizPorDefecto(), empresas);
    QMdiSubWindow* hija = mdiArea->addSubWindow(historial);
    hija->setAttribute(Qt::WA_DeleteOnClose);
    hija->resize(historial->size());
    hija->show();
}

void frmTarsa::CerrarHijas() {
    frmTicketFarmaciaBase::DescargarAbierto();
    for (QMdiSubWindow* hija : mdiArea->subWindowList())
        if (qobject_cast<frmInicio*>(hija->widget())) hija->close();
}

void frmTarsa::Buscar(const QString& plantilla, const QString& titulo) {
    frmPromptedSearch::Instancia().Perform(plantilla, titulo, true, true);
}

void frmTarsa::AbrirConfiguracion() {
    // The catalog dialogs it opens store at once, so the selection bar is refilled however it closes.
    frmConfiguracion* dialogo = frmConfiguracion::Mostrar(this);
    connect(dialogo, &QDialog::finished, this, &frmTarsa::Cargar, Qt::UniqueConnection);
    // A new configuration brings its insurers and providers to the bar at once; the catalogs of
    // medications and doctors are still empty, so bringing them is offered there and then.
    connect(dialogo, &frmConfiguracion::ConfiguracionImportada, this, &frmTarsa::AlImportarConfiguracion,
            Qt::UniqueConnection);
}

void frmTarsa::AlImportarConfiguracion() {
    Cargar();
    OfrecerNomencladoresCompletos();
}

void frmTarsa::AbrirAcerca() { frmAbout::Mostrar(this); }

bool frmTarsa::ElegirPrestador() { return frmSeleccionPrestador::Cargar(this); }

void frmTarsa::AbrirAyuda(const QString& pagina) { frmAyuda::Mostrar(pagina, this); }

QString frmTarsa::PaginaAyuda() const {
    // The help of the window in front: the ticket form, the transaction list, or the start page.
    const QMdiSubWindow* activa = mdiArea->currentSubWindow();
    const QWidget* frente = activa ? activa->widget() : nullptr;
    if (qobject_cast<const frmTicketFarmaciaBase*>(frente)) return "index.html#consumo";
    if (qobject_cast<const frmInicio*>(frente)) return "index.html#tickets";
    return "index.html";
}

void frmTarsa::closeEvent(QCloseEvent* evento) {
    if (cerrando_) {
        evento->accept();
        return;
    }
    cerrando_ = true;
    // Failures while saving are ignored: the shutdown must go on.
    GuardarSeleccion();
    frmTicketFarmaciaBase::DescargarAbierto();  // the shutdown does not stop to ask about a ticket
    mdiArea->closeAllSubWindows();
    // Before the exchange directory goes: an approval of a cancelled request may be in it.
    if (!gTermDir.isEmpty()) gCicloSolicitud.AlCerrar(DirectorioIntercambio());
    evento->accept();
    Desconectar();
}
