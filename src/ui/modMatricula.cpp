#include "ui/modMatricula.h"

#include <QLabel>
#include <QLineEdit>

#include "catalogs/clsPrestadores.h"
#include "core/modTarsa.h"
#include "platform/LectorNumeros.h"
#include "platform/Mensajes.h"
#include "ui/FiltroTeclas.h"

CampoMatricula CrearMatricula(QWidget* padre) {
    auto* etiqueta = new QLabel(QString::fromUtf8("&Matrícula:"), padre);
    etiqueta->setObjectName("lblMatricula");
    auto* caja = new QLineEdit(padre);
    caja->setObjectName("txtMatricula");
    caja->setMaxLength(6);
    etiqueta->setBuddy(caja);
    for (QWidget* w : {static_cast<QWidget*>(etiqueta), static_cast<QWidget*>(caja)}) {
        w->setVisible(gLicenciaMatricula);
        w->setEnabled(gLicenciaMatricula);
    }
    FiltroTeclas::Instalar(caja, 1);
    return {etiqueta, caja};
}

std::optional<QString> LicenciaParaSolicitud(const QString& matricula) {
    if (!gLicenciaMatricula) return gTerminal;
    const qint64 numero = Val(matricula);
    if (numero == 0) {
        MsgBox(QString::fromUtf8("Debe ingresar una matrícula válida"), Mensajes::vbExclamation,
               QString::fromUtf8("Matrícula"));
        return std::nullopt;
    }
    clsPrestadores prestadores;
    QString licencia;
    int encontrados = 0;
    if (Consulta rs = prestadores.Buscar("Matricula = " + QString::number(numero))) {
        for (; !rs->EOF_(); rs->MoveNext()) {
            licencia = rs->Campo("LicenciaQuelo").toString();
            ++encontrados;
        }
    }
    if (encontrados != 1) {
        MsgBox(QString::fromUtf8("No se ha encontrado la matrícula"), Mensajes::vbInformation,
               QString::fromUtf8("Matrícula"));
        return std::nullopt;
    }
    return licencia;
}
