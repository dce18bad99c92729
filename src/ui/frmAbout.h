#pragma once
// The about box: title, version and description of the program, the system information tool and
// the updater.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT

public:
    explicit frmAbout(QWidget* padre = nullptr);

    // The program's title and its version as major.minor.revision.
    static QString Titulo();
    static QString Version();

    // Starts the system information tool, or says it is unavailable.
    void StartSysInfo();
    // One text value of the system registry under a root key; false when there is none.
    static bool GetKeyValue(const QString& raiz, const QString& clave, const QString& valor, QString& resultado);
    // Closes the box and starts the updater with the working directory, the version and the client's path.
    void Actualizar();

    // Opens the box, not modally; it goes away when closed.
    static frmAbout* Mostrar(QWidget* padre);

private:
    QLabel* picIcon_;
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* lblDisclaimer_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
    QPushButton* cmdActualizar_;
};
