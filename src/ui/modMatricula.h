#pragma once
// The provider's licence for a request sent on behalf of a doctor, when the installation is set up
// to identify providers by registration number (LicenciaMatricula): shared by the catalog update and
// the closures.
#include <QString>
#include <optional>

class QLineEdit;
class QLabel;

class QWidget;

// The label "&Matrícula:" (lblMatricula) and its box (txtMatricula, six digits), children of padre,
// shown and enabled only when gLicenciaMatricula is on.
struct CampoMatricula {
    QLabel* etiqueta;
    QLineEdit* caja;
};
CampoMatricula CrearMatricula(QWidget* padre);

// The licence for the request: gTerminal when gLicenciaMatricula is off; otherwise that of the one
// provider with the typed registration number. Nothing (after telling the user) when the number is
// zero or no single provider has it.
std::optional<QString> LicenciaParaSolicitud(const QString& matricula);
