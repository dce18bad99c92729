#include "ui/frmAbout.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "core/modTarsa.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/Sistema.h"

namespace {
// What the program says about itself.
const QString kTitulo = QStringLiteral("Tarsa Cliente");
const QStringList kDescripcion = {
    QString::fromUtf8("Cliente de la terminal Tarsa para farmacias y prestadores de salud."),
    QString::fromUtf8("Transacciones con financiadores, tickets, nomencladores y cierres."),
    QString::fromUtf8("Tarsa Cliente es software de uso exclusivo de los prestadores adheridos."),
};
const QString kAdvertencia = QString::fromUtf8(
    "Advertencia: este programa está protegido por las leyes de propiedad intelectual. Su reproducción o "
    "distribución no autorizada, total o parcial, puede dar lugar a sanciones civiles y penales.");
const QString kRaizMaquina = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString kActualizador = QStringLiteral("UpgradeWizardTarsa.exe");
}  // namespace

QString frmAbout::Titulo() { return kTitulo; }

QString frmAbout::Version() {
    return QString::number(TARSA_VERSION_MAJOR) + "." + QString::number(TARSA_VERSION_MINOR) + "." +
           QString::number(TARSA_VERSION_PATCH);
}

frmAbout::frmAbout(QWidget* padre) : QDialog(padre) {
    setObjectName("frmAbout");
    setWindowTitle("About " + kTitulo);

    picIcon_ = new QLabel(this);
    picIcon_->setObjectName("picIcon");
    const QIcon icono = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                            : QApplication::windowIcon();
    picIcon_->setPixmap(icono.pixmap(32, 32));
    lblTitle_ = new QLabel(kTitulo, this);
    lblTitle_->setObjectName("lblTitle");
    QFont grande = lblTitle_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.5);
    grande.setBold(true);
    lblTitle_->setFont(grande);
    lblVersion_ = new QLabel(Version(), this);
    lblVersion_->setObjectName("lblVersion");
    lblDescription_ = new QLabel(kDescripcion.join('\n'), this);
    lblDescription_->setObjectName("lblDescription");
    lblDisclaimer_ = new QLabel(kAdvertencia, this);
    lblDisclaimer_->setObjectName("lblDisclaimer");
    lblDisclaimer_->setWordWrap(true);
    cmdOK_ = new QPushButton("Aceptar", this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton("&Sistema", this);
    cmdSysInfo_->setObjectName("cmdSysInfo");
    cmdActualizar_ = new QPushButton("Actualizar Tarsa...", this);
    cmdActualizar_->setObjectName("cmdActualizar");

    auto* grilla = new QGridLayout(this);
    grilla->addWidget(picIcon_, 0, 0, 3, 1, Qt::AlignTop);
    grilla->addWidget(lblTitle_, 0, 1);
    grilla->addWidget(lblVersion_, 1, 1);
    grilla->addWidget(lblDescription_, 2, 1);
    grilla->addWidget(lblDisclaimer_, 3, 0, 1, 2);
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdActualizar_);
    botones->addStretch();
    botones->addWidget(cmdOK_);
    botones->addWidget(cmdSysInfo_);
    grilla->addLayout(botones, 4, 0, 1, 2);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    connect(cmdActualizar_, &QPushButton::clicked, this, &frmAbout::Actualizar);
}

bool frmAbout::GetKeyValue(const QString& raiz, const QString& clave, const QString& valor, QString& resultado) {
    const QString leido = Sistema::Actual().LeerRegistro(raiz + "\\" + clave, valor);
    if (leido.isEmpty()) return false;
    resultado = leido;
    return true;
}

void frmAbout::StartSysInfo() {
    QString ruta;
    if (!GetKeyValue(kRaizMaquina, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", ruta)) {
        QString dir;
        if (GetKeyValue(kRaizMaquina, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", dir))
            ruta = dir + "\\MSINFO32.EXE";
    }
    if (!ruta.isEmpty() && Rutas::EsArchivo(ruta)) {
        Sistema::Actual().IniciarPrograma(ruta, {});
        return;
    }
    MsgBox("System Information Is Unavailable At This Time", Mensajes::vbOKOnly, windowTitle());
}

// The updater receives, each as its own argument after a "/": the working directory, the running
// version and the full path of the client's executable.
void frmAbout::Actualizar() {
    close();
    const QString dirPrograma = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    const QString programa = Rutas::Unir(dirPrograma, kActualizador);
    const QStringList argumentos = {"/" + gQueloPath, "/" + Version(),
                                    "/" + QDir::toNativeSeparators(QCoreApplication::applicationFilePath())};
    if (!Sistema::Actual().IniciarPrograma(programa, argumentos))
        MsgBox("No se pudo iniciar el actualizador " + programa, Mensajes::vbCritical, windowTitle());
}

frmAbout* frmAbout::Mostrar(QWidget* padre) {
    auto* f = new frmAbout(padre);
    f->setAttribute(Qt::WA_DeleteOnClose);
    f->show();
    return f;
}
