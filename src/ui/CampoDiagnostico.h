#pragma once
// The diagnosis fields that the diagnosis dialog and the item dialog share: a code box and the
// label with the catalog's name, filled by a lookup or by the diagnoses search.
#include <QString>

class QLabel;
class QLineEdit;

class CampoDiagnostico {
public:
    CampoDiagnostico(QLineEdit* codigo, QLabel* nombre, const QString& numEmpresa)
        : codigo_(codigo), nombre_(nombre), numEmpresa_(numEmpresa) {}

    // Looks the code up in the company's diagnoses: the catalog's code and name when found, the
    // name cleared when not, both cleared for an empty code. A database failure is shown.
    void Mostrar(const QString& codigo);
    // The diagnoses search; the chosen row is shown.
    void Buscar();

private:
    QLineEdit* codigo_;
    QLabel* nombre_;
    QString numEmpresa_;
};
