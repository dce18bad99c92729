#pragma once
// The registration-type lists of a doctor (profession and jurisdiction) and the doctor lookup
// that fills them.
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;

// The entries "code.name" of each list, the empty entry first.
QStringList ListaProfesiones();
QStringList ListaJurisdicciones();

void CargarProfesiones(QComboBox* cbo);
void CargarJurisdicciones(QComboBox* cbo);
// The index of the first entry whose code part is codigo; 0 (the blank entry) when there is none or
// codigo is blank.
qint16 BuscarIndiceCodigo(QComboBox* cbo, const QString& codigo);
// Looks the doctor up by registration number within gEmpresa, narrowed by the profession and
// jurisdiction shown; shows the name (empty when none) and selects the found type's entries.
void BuscarMedico(qint32 matricula, QLabel* lblNombre, QComboBox* cboProfesion, QComboBox* cboJurisdiccion);
