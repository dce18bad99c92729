#include "ui/frmConfiguracion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogs/clsBitmaps.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/CicloSolicitud.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/SelectorCarpetas.h"
#include "platform/TarsaError.h"
#include "ui/frmConfiguraActividad.h"
#include "ui/frmConfiguraEmpresas.h"
#include "ui/frmConfiguraPrestador.h"

namespace {

constexpr int kMaxRecientes = 6;

// The catalog refresh check boxes: index of the array, caption, setting and flag.
struct Nomenclador {
    int indice;
    const char* texto;
    Ajuste ajuste;
    bool* bandera;
};
const Nomenclador kNomencladores[] = {
    {1, "M&édicos", Ajuste::ActualizaMedicos, &gActualizaMedicos},
    {2, "Diag&nósticos", Ajuste::ActualizaDiagnosticos, &gActualizaDiagnosticos},
    {4, "Med&icamentos", Ajuste::ActualizaMedicamentos, &gActualizaMedicamentos},
};

QString NombreNomenclador(int indice) { return QString("chkNomencladores_%1").arg(indice); }

// Without its last separator, unless that would leave no directory at all (a root).
QString SinSeparadorFinal(QString dir) {
    if ((dir.endsWith('\\') || dir.endsWith('/')) && !QDir(dir).isRoot() && dir.size() > 1) dir.chop(1);
    return dir;
}

bool MismoDirectorio(const QString& a, const QString& b) {
    return SinSeparadorFinal(a.trimmed()).compare(SinSeparadorFinal(b.trimmed()), Qt::CaseInsensitive) == 0;
}

}  // namespace

frmConfiguracion::frmConfiguracion(QWidget* parent) : QDialog(parent) {
    setObjectName("frmConfiguracion");
    setWindowTitle(QString::fromUtf8("Configuración"));
    CrearControles();
    Cargar();
}

void frmConfiguracion::CrearControles() {
    auto boton = [this](const char* nombre, const QString& texto) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nombre);
        b->setAutoDefault(false);
        return b;
    };
    cboDirectorio = new QComboBox(this);
    cboDirectorio->setObjectName("cboDirectorio");
    cboDirectorio->setEditable(true);
    cboDirectorio->setInsertPolicy(QComboBox::NoInsert);
    cboDirectorio->setMinimumWidth(320);
    // A typed directory is taken as typed: completing "trabajo" into a listed "trabajo2" would take
    // another directory without a word (and without the question to create the one typed).
    cboDirectorio->setCompleter(nullptr);
    auto* cmdDir = boton("cmdDir", "...");
    cmdDir->setToolTip("Elegir el directorio de trabajo");
    cboVersion = new QComboBox(this);
    cboVersion->setObjectName("cboVersion");
    cboVersion->setEnabled(false);  // the version comes from the command line
    auto* directorio = new QHBoxLayout;
    directorio->addWidget(cboDirectorio, 1);
    directorio->addWidget(cmdDir);
    auto* general = new QGroupBox("General", this);
    auto* filasGeneral = new QFormLayout(general);
    filasGeneral->addRow("&Directorio de Trabajo:", directorio);
    filasGeneral->addRow(QString::fromUtf8("Ve&rsión:"), cboVersion);
    qobject_cast<QLabel*>(filasGeneral->labelForField(directorio))->setBuddy(cboDirectorio);

    chkAutomatica = new QCheckBox(QString::fromUtf8("Configuración Au&tomática"), this);
    chkAutomatica->setObjectName("chkAutomatica");
    cmdConfAutomatica = boton("cmdConfAutomatica", "Confi&gurar");
    cmdEmpresas = boton("cmdEmpresas", "&Obras Sociales");
    cmdActividades = boton("cmdActividades", "Acti&vidades");
    cmdPrestadores = boton("cmdPrestadores", "&Prestadores");
    auto* parametros = new QGroupBox(QString::fromUtf8("Parámetros"), this);
    auto* filasParametros = new QGridLayout(parametros);
    filasParametros->addWidget(chkAutomatica, 0, 0, 1, 2);
    filasParametros->addWidget(cmdConfAutomatica, 0, 2);
    filasParametros->addWidget(cmdEmpresas, 1, 0);
    filasParametros->addWidget(cmdActividades, 1, 1);
    filasParametros->addWidget(cmdPrestadores, 1, 2);

    auto* nomencladores = new QGroupBox(QString::fromUtf8("Actualización Automática de Nomencladores"), this);
    auto* filasNomencladores = new QVBoxLayout(nomencladores);
    auto* casillas = new QHBoxLayout;
    for (const Nomenclador& n : kNomencladores) {
        auto* c = new QCheckBox(QString::fromUtf8(n.texto), this);
        c->setObjectName(NombreNomenclador(n.indice));
        casillas->addWidget(c);
        connect(c, &QCheckBox::clicked, this, [bandera = n.bandera](bool marcada) { *bandera = marcada; });
    }
    casillas->addStretch();
    auto* nota = new QLabel(QString::fromUtf8("Nota: Se actualizarán sólo las novedades de los nomencladores "
                                              "seleccionados cada vez que se ejecute el programa."),
                            this);
    nota->setWordWrap(true);
    filasNomencladores->addLayout(casillas);
    filasNomencladores->addWidget(nota);

    auto* aceptar = boton("cmdAceptar", "&Aceptar");
    aceptar->setDefault(true);
    auto* cancelar = boton("cmdCancelar", "&Cancelar");
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(general);
    todo->addWidget(parametros);
    todo->addWidget(nomencladores);
    todo->addLayout(botones);

    connect(cmdDir, &QPushButton::clicked, this, &frmConfiguracion::ElegirDirectorio);
    connect(chkAutomatica, &QCheckBox::clicked, this, &frmConfiguracion::CambioAutomatica);
    connect(cmdConfAutomatica, &QPushButton::clicked, this, &frmConfiguracion::ConfigurarAutomatica);
    connect(cmdEmpresas, &QPushButton::clicked, this, [this] { frmConfiguraEmpresas::Cargar(this); });
    connect(cmdActividades, &QPushButton::clicked, this, [this] { frmConfiguraActividad::Cargar(this); });
    connect(cmdPrestadores, &QPushButton::clicked, this, [this] { frmConfiguraPrestador::Cargar(this); });
    connect(aceptar, &QPushButton::clicked, this, &frmConfiguracion::Aceptar);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
}

frmConfiguracion* frmConfiguracion::Mostrar(QWidget* parent) {
    static QPointer<frmConfiguracion> abierto;
    if (!abierto) {
        abierto = new frmConfiguracion(parent);
        abierto->setAttribute(Qt::WA_DeleteOnClose);
    }
    abierto->show();
    abierto->raise();
    abierto->activateWindow();
    return abierto;
}

void frmConfiguracion::Cargar() {
    cboVersion->addItems({"101", "250"});
    cboVersion->setCurrentText(gVersion.right(3));
    gQueloPath = RegistroAjustes::Leer(Ajuste::QUELO_Path);
    for (int clave = 1;; ++clave) {
        const QString dir = RegistroAjustes::LeerReciente(clave);
        if (dir.isEmpty()) break;
        cboDirectorio->addItem(dir);
    }
    if (cboDirectorio->count() == 0)
        cboDirectorio->setEditText(gQueloPath);
    else
        cboDirectorio->setCurrentIndex(0);
    for (const Nomenclador& n : kNomencladores) {
        try {
            *n.bandera = RegistroAjustes::LeerBandera(n.ajuste);
        } catch (const std::exception&) {
            *n.bandera = false;  // a stored text that is not a Boolean leaves the catalog unrefreshed
        }
        findChild<QCheckBox*>(NombreNomenclador(n.indice))->setChecked(*n.bandera);
    }
    CambioAutomatica();
    directorioInicial_ = cboDirectorio->currentText().trimmed();
}

void frmConfiguracion::CambioAutomatica() {
    const bool automatica = chkAutomatica->isChecked();
    for (QPushButton* b : {cmdEmpresas, cmdActividades, cmdPrestadores}) b->setEnabled(!automatica);
    cmdConfAutomatica->setEnabled(automatica);
}

void frmConfiguracion::ElegirDirectorio() {
    const QString actual = cboDirectorio->currentText().trimmed();
    const QString elegido = SelectorCarpetas::Actual().BrowseFolders(
        this, "Elija el directorio de trabajo compartido con el terminal", DirExists(actual) ? actual : QString());
    if (!elegido.isEmpty()) cboDirectorio->setEditText(elegido);
}

bool frmConfiguracion::TomarDirectorio() {
    QString dir = cboDirectorio->currentText().trimmed();
    // A run without an exchange directory (its working directory was missing at start-up) takes
    // the shown one again, so that accepting the default is enough once it exists or is created.
    if (dir != directorioInicial_ || gTermDir.isEmpty()) {
        dir = SinSeparadorFinal(dir);
        cboDirectorio->setEditText(dir);
        // A directory that is not taken changes nothing, and the dialog stays for another one.
        if (!CambiarDirectorio(dir)) return false;
        directorioInicial_ = dir;
    }
    RegistroAjustes::Guardar(Ajuste::QUELO_Path, gQueloPath);
    GuardarRecientes(dir);
    return true;
}

void frmConfiguracion::Aceptar() {
    if (!TomarDirectorio()) return;
    for (const Nomenclador& n : kNomencladores) RegistroAjustes::GuardarBandera(n.ajuste, *n.bandera);
    RecargarBitmaps();
    accept();
}

void frmConfiguracion::ConfigurarAutomatica() {
    // The terminal's files are read from the working directory: a directory typed in this visit is
    // taken first, or the import would read the previous one.
    if (!TomarDirectorio()) return;
    try {
        ImportarConfiguracion(true);
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, QString::fromUtf8("Configuración inicial"));
        return;
    }
    RecargarBitmaps();
    if (!gColPrestadores.isEmpty()) emit ConfiguracionImportada();
}

bool frmConfiguracion::CambiarDirectorio(const QString& dir) {
    if (!DirExists(dir)) {
        if (MsgBox(QString::fromUtf8("El directorio de trabajo seleccionado no es válido.\nDesea crearlo?"),
                   Mensajes::vbYesNo | Mensajes::vbExclamation, "Tarsa Cliente") != Mensajes::vbYes)
            return false;
        try {
            Rutas::CrearDirectorios(dir);
        } catch (const std::exception& e) {
            MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Tarsa Cliente");
            return false;
        }
    }
    // The new exchange directory first: when it cannot be made, the run keeps the old one.
    const QString anterior = gTermDir.isEmpty() ? QString() : DirectorioIntercambio();
    const QString queloAnterior = gQueloPath;
    try {
        gQueloPath = dir;
        gTermDir = CrearDirectorioTerminal();
    } catch (const std::exception& e) {
        gQueloPath = queloAnterior;
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Tarsa Cliente");
        return false;
    }
    if (!anterior.isEmpty()) {
        gCicloSolicitud.AlCerrar(anterior);
        BorrarDirectorioIntercambio(anterior);
    }
    return true;
}

void frmConfiguracion::GuardarRecientes(const QString& dir) {
    QStringList anteriores;
    for (int i = 0; i < cboDirectorio->count() && i < kMaxRecientes - 1; ++i) anteriores << cboDirectorio->itemText(i);
    for (int clave = 1; !RegistroAjustes::LeerReciente(clave).isEmpty(); ++clave)
        RegistroAjustes::BorrarReciente(clave);
    QStringList guardados{dir};
    RegistroAjustes::GuardarReciente(1, dir);
    for (const QString& a : anteriores) {
        const QString t = a.trimmed();
        if (t.isEmpty() ||
            std::any_of(guardados.begin(), guardados.end(), [&](const QString& g) { return MismoDirectorio(g, t); }))
            continue;
        guardados << t;
        RegistroAjustes::GuardarReciente(static_cast<int>(guardados.size()), t);
    }
}

void frmConfiguracion::RecargarBitmaps() {
    if (!gDB) return;  // started without a database: nothing to load them into
    try {
        clsBitmaps().GetBitmaps();
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, QString::fromUtf8("Configuración"));
    }
}
