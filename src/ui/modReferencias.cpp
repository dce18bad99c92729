#include "ui/modReferencias.h"

#include <QComboBox>
#include <QLabel>

#include "catalogs/clsMedico.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "platform/LectorNumeros.h"

QStringList ListaProfesiones() { return {"", "1.MEDICO", "2.ODONTOLOGO"}; }

QStringList ListaJurisdicciones() {
    return {"",
            "0.PROVINCIAL",
            "1.NACIONAL",
            "B.BUENOS AIRES",
            "K.CATAMARCA",
            "H.CHACO",
            "U.CHUBUT",
            "X.CORDOBA",
            "W.CORRIENTES",
            "E.ENTRE RIOS",
            "P.FORMOSA",
            "Y.JUJUY",
            "L.LA PAMPA",
            "F.LA RIOJA",
            "M.MENDOZA",
            "N.MISIONES",
            "Q.NEUQUEN",
            "R.RIO NEGRO",
            "A.SALTA",
            "J.SAN JUAN",
            "D.SAN LUIS",
            "Z.SANTA CRUZ",
            "S.SANTA FE",
            "G.SANTIAGO DEL ESTERO",
            "V.TIERRA DEL FUEGO",
            "T.TUCUMAN"};
}

void CargarProfesiones(QComboBox* cbo) {
    cbo->clear();
    cbo->addItems(ListaProfesiones());
}

void CargarJurisdicciones(QComboBox* cbo) {
    cbo->clear();
    cbo->addItems(ListaJurisdicciones());
}

qint16 BuscarIndiceCodigo(QComboBox* cbo, const QString& codigo) {
    if (codigo.trimmed().isEmpty()) return 0;
    for (int i = 0; i < cbo->count(); ++i) {
        QString codigoEntrada, nombre;
        SepararCodigoNombre(cbo->itemText(i), codigoEntrada, nombre);
        if (codigoEntrada == codigo) return static_cast<qint16>(i);
    }
    return 0;  // the blank entry
}

void BuscarMedico(qint32 matricula, QLabel* lblNombre, QComboBox* cboProfesion, QComboBox* cboJurisdiccion) {
    clsMedico medico;
    medico.Empresa = Val<qint16>(gEmpresa);
    if (matricula == 0) return;
    QString filtro = " Matricula = " + QString::number(matricula) + " and idEmpresa = " + gEmpresa;
    if (!cboProfesion->currentText().isEmpty())
        filtro += " and right(tipomatricula,1) = \"" + cboProfesion->currentText().left(1) + "\"";
    if (!cboJurisdiccion->currentText().isEmpty())
        filtro += " and left(tipomatricula,1) = \"" + cboJurisdiccion->currentText().left(1) + "\"";
    Consulta rs = medico.Buscar(filtro);
    if (!rs || rs->EOF_()) {
        lblNombre->clear();
        return;
    }
    lblNombre->setText(medico.ApellidoNombre);
    cboProfesion->setCurrentIndex(BuscarIndiceCodigo(cboProfesion, medico.TipoMatricula.right(1)));
    cboJurisdiccion->setCurrentIndex(BuscarIndiceCodigo(cboJurisdiccion, medico.TipoMatricula.left(1)));
}
