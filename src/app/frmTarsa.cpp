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
#include <algorithm>

#include "app/BarraEstado.h"
#include "catalogs/clsActividades.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/Operaciones.h"
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

// The operations of the network that this client does not carry out (sessions, deposits) are shown
// where the activity offers them, but greyed and saying why.
QString TextoNoDisponible(const QString& texto) {
    return texto + QString::fromUtf8(": no disponible en esta versión de Tarsa Cliente");
}

// A small drawn icon per button, in the operation's colour.
QIcon Icono(const QString& marca, unsigned color) {
    QPixmap lienzo(32, 32);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor::fromRgb(color));
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
    // Position 0 stays empty: the buttons count from 1, as the menu items do.
    botones_.append(nullptr);
    operaciones_.append(nullptr);
    for (const Operacion& o : Operaciones()) {
        if (o.Clave.isEmpty()) continue;
        if (operaciones_.size() > 1 && o.Grupo != operaciones_.constLast()->Grupo) {
            botones_.append(tbrPrincipal->addSeparator());
            operaciones_.append(nullptr);
        }
        QAction* a = tbrPrincipal->addAction(Icono(o.Marca, o.Color), o.Texto);
        a->setObjectName(o.Clave);
        a->setIconText(DosRenglones(o.Texto));
        a->setToolTip(o.Hace == Destino::NoDisponible ? TextoNoDisponible(o.Texto)
                                                      : ConTecla(o.Texto, QKeySequence(o.Tecla)));
        a->setStatusTip(a->toolTip());
        if (!o.Dato.isEmpty()) a->setData(o.Dato);
        connect(a, &QAction::triggered, this, [this, clave = o.Clave] { EjecutarBoton(clave); });
        botones_.append(a);
        operaciones_.append(&o);
    }
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
    for (const Operacion& o : Operaciones())
        if (o.Hace == Destino::Lista) inicio->setShortcut(QKeySequence(o.Tecla));
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
    // Item i stands where button i does: the operations menu reads as the toolbar.
    mnuOperacionesSub_.append(nullptr);
    for (int i = 1; i < operaciones_.size(); ++i) {
        const Operacion* o = operaciones_[i];
        QAction* a = !o ? operaciones->addSeparator() : o->EnMenu ? operaciones->addAction(o->Texto + " ...") : nullptr;
        if (a) a->setObjectName(QString("mnuOperacionesSub_%1").arg(i));
        if (a && o) {
            connect(a, &QAction::triggered, this, [this, clave = o->Clave] { EjecutarBoton(clave); });
            // The key lives on the menu item (shown beside it); a hidden item, an operation not offered,
            // does not answer to it.
            a->setShortcut(QKeySequence(o->Tecla));
            a->setShortcutContext(Qt::WindowShortcut);
            if (o->Hace == Destino::NoDisponible) {
                a->setEnabled(false);
                a->setToolTip(TextoNoDisponible(o->Texto));
                a->setStatusTip(a->toolTip());
            }
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
        // The three keys in one write, and none when they are stored as they are.
        const auto clave = [](Ajuste a) { return RegistroAjustes::Definicion(a).clave; };
        Ajustes::Guardar(kAplicacion, kSeccionStart,
                         {{clave(Ajuste::Empresa), gEmpresa},
                          {clave(Ajuste::Actividad), gActividad},
                          {clave(Ajuste::Terminal), gTerminal}});
    } catch (...) {
    }
}

void frmTarsa::SeteaMenu() {
    // Each link of the current selection offers the operations of its activity's type.
    QStringList tipos;
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
        tipos.append(gTipoActividad);
    }
    // The list's button is there while some view setting shows the buttons it governs.
    bool algunaVista = false;
    for (const Operacion& o : Operaciones()) algunaVista = algunaVista || (o.Vista && *o.Vista);
    for (int i = 1; i < operaciones_.size(); ++i) {
        const Operacion* o = operaciones_[i];
        if (!o) continue;
        if (o->Hace == Destino::Lista) {
            botones_[i]->setVisible(algunaVista);
            continue;
        }
        const bool ofrecida =
            std::any_of(tipos.cbegin(), tipos.cend(), [o](const QString& t) { return o->OfrecidaPara(t); });
        if (mnuOperacionesSub_[i]) mnuOperacionesSub_[i]->setVisible(ofrecida);
        // A view setting hides the button only; the menu keeps the item.
        const bool enVista = ofrecida && (!o->Vista || *o->Vista);
        botones_[i]->setVisible(enVista);
        botones_[i]->setEnabled(enVista && o->Hace != Destino::NoDisponible);
    }
    tbrSeleccion->setVisible(gVerMenuLicencias);
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
    const Operacion* o = OperacionDeClave(clave);
    const bool lista = o && o->Hace == Destino::Lista;
    if (!lista && gTerminal.isEmpty()) {
        if (!ElegirPrestador()) return;
        // The provider chosen there is the one the bar shows and the operation's request carries.
        CargaCombosMenu();
        ActualizarCodigos();
        SeteaMenu();
    }
    // An operation the activity type does not allow does nothing, without a word.
    if (lista)
        AbrirListaTransacciones();
    else if (o && o->AbreTicketCon(gTipoActividad))
        AbrirTicket(o->Codigo);
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
