#include "ui/frmEditText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modFormato.h"
#include "core/modImpresion.h"
#include "core/modTarsa.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "ui/modPresentacion.h"

namespace {
const QString kFinLinea = QStringLiteral("\r\n");
}

frmEditText::frmEditText(QWidget* padre) : QMainWindow(padre) {
    setObjectName("frmEditText");
    setWindowFlag(Qt::Window);
    setWindowTitle("Reportes de nomencladores");

    Toolbar1_ = addToolBar("Reportes");
    Toolbar1_->setObjectName("Toolbar1");
    Toolbar1_->setMovable(false);
    const struct {
        const char* clave;
        QString texto;
    } botones[] = {{"MEDICAMENTOS", "Medicamentos"},
                   {"DIAGNOSTICOS", QString::fromUtf8("Diagnósticos")},
                   {"MEDICOS", QString::fromUtf8("Médicos")},
                   {"IMPRIMIR", "Imprimir"},
                   {"SALIR", "Salir"}};
    for (const auto& b : botones) {
        QAction* a = Toolbar1_->addAction(b.texto);
        a->setObjectName(b.clave);
        const QString clave = b.clave;
        connect(a, &QAction::triggered, this, [this, clave] {
            if (clave == "IMPRIMIR")
                Imprimir();
            else if (clave == "SALIR")
                close();
            else
                Reporte(clave);
        });
    }

    auto* central = new QWidget(this);
    auto* fila = new QHBoxLayout;
    lblEmpresas_ = new QLabel("Empresa:", central);
    lblEmpresas_->setObjectName("lblEmpresas");
    cboEmpresa_ = new QComboBox(central);
    cboEmpresa_->setObjectName("cboEmpresa");
    cboEmpresa_->setMinimumContentsLength(24);
    lblMatricula_ = new QLabel("Matrícula:", central);
    lblMatricula_->setObjectName("lblMatricula");
    txtMatricula_ = new QLineEdit(central);
    txtMatricula_->setObjectName("txtMatricula");
    fila->addWidget(lblEmpresas_);
    fila->addWidget(cboEmpresa_);
    fila->addWidget(lblMatricula_);
    fila->addWidget(txtMatricula_);
    fila->addStretch();
    rtbTexto_ = new QPlainTextEdit(central);
    rtbTexto_->setObjectName("rtbTexto");
    rtbTexto_->setReadOnly(true);
    rtbTexto_->setLineWrapMode(QPlainTextEdit::NoWrap);
    rtbTexto_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* columna = new QVBoxLayout(central);
    columna->addLayout(fila);
    columna->addWidget(rtbTexto_);
    setCentralWidget(central);

    SBar1_ = new QStatusBar(this);
    SBar1_->setObjectName("SBar1");
    PANEL1_ = new QLabel(SBar1_);
    PANEL1_->setObjectName("PANEL1");
    SBar1_->addWidget(PANEL1_, 1);
    setStatusBar(SBar1_);

    lblMatricula_->setVisible(gLicenciaMatricula);
    txtMatricula_->setVisible(gLicenciaMatricula);

    empresa_ = RegistroAjustes::Leer(Ajuste::Empresa).trimmed().toInt();
    CargarEmpresas();
    connect(cboEmpresa_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i < 0) return;
        int codigo = empresa_;
        QString resto;
        SepararCodigoNombre(cboEmpresa_->itemText(i), codigo, resto);
        empresa_ = codigo;
    });
    resize(720, 480);
}

void frmEditText::CargarEmpresas() {
    const QSignalBlocker bloqueo(cboEmpresa_);
    cboEmpresa_->clear();
    if (!gDB || !gDB->Abierta()) return;
    try {
        clsEmpresas empresas;
        auto r = empresas.Buscar();
        for (; !r->EOF_(); r->MoveNext()) {
            cboEmpresa_->addItem(CodigoYNombre(r->Campo("IdEmpresa"), NuloATexto(r->Campo("Nombre"))));
            if (r->Campo("IdEmpresa").toInt() == empresa_) cboEmpresa_->setCurrentIndex(cboEmpresa_->count() - 1);
        }
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, windowTitle());
    }
}

void frmEditText::SetEmpresa(int empresa) {
    empresa_ = empresa;
    const QSignalBlocker bloqueo(cboEmpresa_);
    for (int i = 0; i < cboEmpresa_->count(); ++i) {
        int codigo = -1;
        QString resto;
        SepararCodigoNombre(cboEmpresa_->itemText(i), codigo, resto);
        if (codigo == empresa) cboEmpresa_->setCurrentIndex(i);
    }
}

QString frmEditText::Texto() const {
    QString texto = rtbTexto_->toPlainText();
    return texto.replace('\n', kFinLinea);
}

void frmEditText::Imprimir() { ImprimirTexto(Texto()); }

void frmEditText::Avance(int fila) { PANEL1_->setText("Generando reporte " + QString::number(fila) + " ..."); }

void frmEditText::Reporte(const QString& clave) {
    const struct {
        const char* clave;
        QString buscando;
        QString (frmEditText::*generar)();
    } reportes[] = {{"DIAGNOSTICOS", QString::fromUtf8("Buscando diagnósticos ..."), &frmEditText::Diagnosticos},
                    {"MEDICAMENTOS", "Buscando medicamentos ...", &frmEditText::Medicamentos},
                    {"MEDICOS", QString::fromUtf8("Buscando médicos ..."), &frmEditText::Medicos}};
    for (const auto& r : reportes) {
        if (clave != r.clave) continue;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        PANEL1_->setText(r.buscando);
        QString texto;
        try {
            if (!gDB || !gDB->Abierta())
                throw TarsaError(ErrBaseNoAbierta, "No hay una base de datos abierta", "frmEditText");
            texto = (this->*r.generar)();
        } catch (const std::exception& e) {
            PANEL1_->clear();
            QApplication::restoreOverrideCursor();
            MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, windowTitle());
            return;
        }
        PANEL1_->clear();
        QApplication::restoreOverrideCursor();
        rtbTexto_->setPlainText(texto);
        return;
    }
}

QString frmEditText::Diagnosticos() {
    clsDiagnostico catalogo;
    catalogo.Empresa = static_cast<qint16>(empresa_);
    auto r = catalogo.BuscarEmpresa();
    if (r->EOF_()) return {};
    QString texto = "DIAGNOSTICOS" + kFinLinea + QString::fromUtf8("Código Nombre") + kFinLinea +
                    "------ ---------------------------------------" + kFinLinea;
    CederInterfaz ceder;
    for (int fila = 1; !r->EOF_(); r->MoveNext(), ++fila) {
        texto +=
            TextoVisible(r->Campo("Codigo")).rightJustified(6) + " " + TextoVisible(r->Campo("Nombre")) + kFinLinea;
        if (ceder.Toca()) {
            Avance(fila);
            ceder.Ceder();
        }
    }
    return texto;
}

QString frmEditText::Medicamentos() {
    clsMedicamento catalogo;
    catalogo.Empresa = static_cast<qint16>(empresa_);
    auto r = catalogo.BuscarEmpresa();
    if (r->EOF_()) return {};
    QString texto = QString::fromUtf8("Troquel     Nombre    Presentación    Precio") + kFinLinea;
    CederInterfaz ceder;
    for (int fila = 1; !r->EOF_(); r->MoveNext(), ++fila) {
        texto += TextoVisible(r->Campo("Troquel")) + "  " + TextoVisible(r->Campo("Nombre")) + "    " +
                 TextoVisible(r->Campo("Presentacion")) + "    " + TextoMoneda(r->Campo("Precio")) + kFinLinea;
        if (ceder.Toca()) {
            Avance(fila);
            ceder.Ceder();
        }
    }
    return texto;
}

QString frmEditText::Medicos() {
    clsMedico catalogo;
    catalogo.Empresa = static_cast<qint16>(empresa_);
    auto r = catalogo.BuscarEmpresa();
    if (r->EOF_()) return {};
    QString texto = "MEDICOS" + kFinLinea +
                    QString::fromUtf8("Nombre                                   Matrícula Tipo") + kFinLinea +
                    "---------------------------------------- --------- ----" + kFinLinea;
    CederInterfaz ceder;
    for (int fila = 1; !r->EOF_(); r->MoveNext(), ++fila) {
        const QString nombre = TextoVisible(r->Campo("ApellidoNombre"));
        if (!nombre.trimmed().isEmpty())
            texto += nombre.leftJustified(40, ' ', true) + " " + TextoVisible(r->Campo("Matricula")) + "      " +
                     TextoVisible(r->Campo("TipoMatricula")) + kFinLinea;
        if (ceder.Toca()) {
            Avance(fila);
            ceder.Ceder();
        }
    }
    return texto;
}

frmEditText* frmEditText::Mostrar(QWidget* padre) {
    static QPointer<frmEditText> abierta;
    if (!abierta) {
        abierta = new frmEditText(padre);
        abierta->setAttribute(Qt::WA_DeleteOnClose);
    }
    abierta->show();
    abierta->raise();
    abierta->activateWindow();
    return abierta;
}

QAction* frmEditText::InstalarAtajo(QWidget* ventana) {
    auto* accion = new QAction("Reportes de nomencladores", ventana);
    accion->setObjectName("mnuReportes");
    accion->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    accion->setShortcutContext(Qt::WindowShortcut);
    ventana->addAction(accion);
    QObject::connect(accion, &QAction::triggered, ventana, [ventana] { Mostrar(ventana); });
    return accion;
}
