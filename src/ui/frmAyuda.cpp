#include "ui/frmAyuda.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Rutas.h"

namespace {
QPointer<frmAyuda> gAyuda;
}

frmAyuda* frmAyuda::Mostrar(const QString& pagina, QWidget* padre) {
    if (!gAyuda) gAyuda = new frmAyuda(padre);
    gAyuda->Abrir(pagina);
    gAyuda->show();
    gAyuda->raise();
    gAyuda->activateWindow();
    return gAyuda;
}

QString frmAyuda::Directorio() { return Rutas::Unir(QCoreApplication::applicationDirPath(), "help"); }

frmAyuda::frmAyuda(QWidget* padre) : QDialog(padre), txtAyuda_(new QTextBrowser(this)) {
    setObjectName("frmAyuda");
    setWindowTitle("Ayuda de Tarsa Cliente");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    txtAyuda_->setObjectName("txtAyuda");
    // Pages on the web open in the system's browser; the shipped ones here.
    txtAyuda_->setOpenExternalLinks(true);
    txtAyuda_->setSearchPaths({Directorio()});
    auto* cerrar = new QPushButton("Cerrar", this);
    cerrar->setObjectName("cmdCerrar");
    connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(txtAyuda_);
    raiz->addWidget(cerrar, 0, Qt::AlignRight);
    resize(760, 600);
}

void frmAyuda::Abrir(const QString& pagina) {
    pagina_ = pagina;
    const QString archivo = pagina.section('#', 0, 0);
    QUrl url = QUrl::fromLocalFile(Rutas::Unir(Directorio(), archivo));
    if (pagina.contains('#')) url.setFragment(pagina.section('#', 1));
    if (!QFileInfo::exists(url.toLocalFile()))
        txtAyuda_->setHtml(QString::fromUtf8("<p>No se encuentra la página de ayuda %1 en %2.</p>")
                               .arg(archivo.toHtmlEscaped(), Directorio().toHtmlEscaped()));
    else
        txtAyuda_->setSource(url);
}

QString frmAyuda::PaginaActual() const {
    // A link followed inside the window is the page now shown.
    const QUrl url = txtAyuda_->source();
    if (url.isEmpty()) return pagina_;
    return url.fileName() + (url.hasFragment() ? "#" + url.fragment() : QString());
}
