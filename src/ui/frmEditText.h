#pragma once
// Plain-text reports of one company's catalogs (diagnoses, medications, doctors) from the local
// database: shown in a fixed-pitch text box and printed. Opened from the main window with the
// shortcut that InstalarAtajo adds (see docs/busqueda.md).
#include <QMainWindow>
#include <QString>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class QToolBar;

class frmEditText : public QMainWindow {
    Q_OBJECT

public:
    explicit frmEditText(QWidget* padre = nullptr);

    // The company of the reports; it starts from the "Empresa" setting.
    int Empresa() const { return empresa_; }
    void SetEmpresa(int empresa);

    // The report of a tool bar key: "DIAGNOSTICOS", "MEDICAMENTOS" or "MEDICOS".
    void Reporte(const QString& clave);
    // The text shown, every line ending in CR LF.
    QString Texto() const;
    void Imprimir();

    // Opens the window (one at a time; an open one comes to the front).
    static frmEditText* Mostrar(QWidget* padre);
    // Ctrl+Shift+R on the given window opens the reports.
    static QAction* InstalarAtajo(QWidget* ventana);

private:
    void CargarEmpresas();
    QString Diagnosticos();
    QString Medicamentos();
    QString Medicos();
    void Avance(int fila);

    QToolBar* Toolbar1_;
    QPlainTextEdit* rtbTexto_;
    QStatusBar* SBar1_;
    QLabel* PANEL1_;
    QComboBox* cboEmpresa_;
    QLabel* lblEmpresas_;
    QLabel* lblMatricula_;
    QLineEdit* txtMatricula_;
    int empresa_ = 0;
};
