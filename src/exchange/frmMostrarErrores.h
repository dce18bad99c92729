#pragma once
// The errors of the last answer (gColErrores), one row each. Callers show it modally with
// MostrarModal after filling the list.
#include <QDialog>

class QTreeWidget;

class frmMostrarErrores : public QDialog {
    Q_OBJECT
public:
    // titulo: what the list is (a catalog update lists its results, not only errors).
    explicit frmMostrarErrores(QWidget* parent = nullptr, const QString& titulo = QStringLiteral("Errores"));

private:
    QTreeWidget* lvwErrores_;
};
