#pragma once
// "Configuración": the working directory shared with the terminal (with the recently used ones),
// the protocol version in force, the automatic configuration from the terminal's files, the
// catalog dialogs, and which catalogs are refreshed from the terminal at every start.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

class frmConfiguracion : public QDialog {
    Q_OBJECT
public:
    explicit frmConfiguracion(QWidget* parent = nullptr);
    // Shows the dialog, not modally; the one already open when there is one.
    static frmConfiguracion* Mostrar(QWidget* parent = nullptr);

signals:
    // The terminal's configuration was imported from "Configurar": companies, activities and
    // providers are new.
    void ConfiguracionImportada();

private:
    void CrearControles();
    void Cargar();
    void CambioAutomatica();
    void ElegirDirectorio();
    void Aceptar();
    // The directory shown taken as the working directory (when it changed, or the run has no
    // exchange directory) and stored with the recently used ones; false when it is not taken.
    bool TomarDirectorio();
    // "Configurar": the directory shown, then the import of the terminal's configuration from it.
    void ConfigurarAutomatica();
    // Takes dir as the working directory: created when the user agrees, then this run's exchange
    // directory moved there. False, with everything as it was, when the directory is not taken.
    bool CambiarDirectorio(const QString& dir);
    // The recently used directories, dir first, each once, at most six.
    void GuardarRecientes(const QString& dir);
    void RecargarBitmaps();

    QComboBox* cboDirectorio;
    QComboBox* cboVersion;
    QCheckBox* chkAutomatica;
    QPushButton* cmdConfAutomatica;
    QPushButton* cmdEmpresas;
    QPushButton* cmdActividades;
    QPushButton* cmdPrestadores;
    QString directorioInicial_;  // the directory text shown at loading, trimmed
};
