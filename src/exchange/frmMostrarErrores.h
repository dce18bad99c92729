#pragma once
// The errors of the last answer (gColErrores), one row each. Callers show it modally with
// MostrarModal after filling the list.
#include <QDialog>

class QTreeWidget;

class frmMostrarErrores : public QDialog {
    Q_OBJECT
public:
    explicit frmMostrarErrores(QWidget* parent = nullptr);

private:
    QTreeWidget* lvwErrores_;
};
