#pragma once
// Shows one row of a wide list as a two-column list of caption and value, so that every column of
// the row can be read at once (a ticket item, opened by a double click on the ticket's items).
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QPushButton;
class QTreeView;
class QTreeWidget;

// A column header of the list the row comes from; a column of width 0 is hidden and not shown.
struct EncabezadoLista {
    QString Texto;
    int Ancho = 1;
};

class frmMuestraLista : public QDialog {
    Q_OBJECT

public:
    explicit frmMuestraLista(QWidget* padre = nullptr);

    // The row's texts (its main text first, then its sub-items), the number of columns, the list's
    // column headers and the caption; fills the list and shows the window (not modally).
    void Cargar(const QStringList& item, int columnas, const QList<EncabezadoLista>& encabezados,
                const QString& caption);
    // The same for a row of a list view: its cells and its headers, hidden columns counting as width 0.
    void Cargar(const QTreeView& lista, int fila, const QString& caption);

    // Opens a viewer of its own for a row given as its texts, one a column, with the columns'
    // headers; it goes away when closed.
    static frmMuestraLista* Abrir(QWidget* padre, const QStringList& item, const QList<EncabezadoLista>& encabezados,
                                  const QString& caption);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QTreeWidget* lvwLista_;
    QPushButton* cmdSalir_;
};
