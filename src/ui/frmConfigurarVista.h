#pragma once
// "Configuracion Visual": the view flags (reduced ticket form, selection bar, which buttons are
// offered, ticket and error list after a transaction, closure suggestion). Whoever opens it reruns
// the main window's offered operations when it is accepted (the accepted signal).
#include <QDialog>

class frmConfigurarVista : public QDialog {
    Q_OBJECT
public:
    explicit frmConfigurarVista(QWidget* parent = nullptr);
    // Shows the dialog, not modally; the one already open when there is one.
    static frmConfigurarVista* Mostrar(QWidget* parent = nullptr);

private:
    void Cargar();
    void Aceptar();
};
