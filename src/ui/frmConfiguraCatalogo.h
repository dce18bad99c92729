#pragma once
// What the companies, activities and providers dialogs share: the client's rows on the left, the
// network codes the terminal's configuration offers on the right, adding, changing and deleting
// rows in memory, assigning and removing a row's network code, and "Grabar", which replaces the
// stored rows by the list in one database transaction.
#include <QDialog>
#include <QStringList>
#include <optional>

class QTreeWidget;
class QVBoxLayout;

class frmConfiguraCatalogo : public QDialog {
    Q_OBJECT
public:
    // Names and captions of one dialog.
    struct Definicion {
        QString nombre, titulo;
        QString lista, etiquetaLista;  // the client's rows
        QStringList columnas;
        int columnaRed = 0;             // the column that holds the row's network code
        QString listaRed, etiquetaRed;  // the terminal's codes
        QStringList columnasRed;
        QString agregar, editar, borrar;  // objectNames of the row buttons
        QString textoAsignar, textoQuitar;
        QString textoGrabar, textoCancelar;
    };

    QTreeWidget* Lista() const { return lista_; }
    QTreeWidget* ListaRed() const { return listaRed_; }

protected:
    frmConfiguraCatalogo(const Definicion& definicion, QWidget* parent);

    // A row of the left list, its texts by column; its key is "K" followed by the first column.
    void AgregarFila(const QStringList& textos);
    QList<QStringList> Filas() const;
    void LlenarFilas(const QList<QStringList>& filas);
    void LlenarListaRed(const QList<QStringList>& filas);
    // Where a dialog puts its own controls above the lists.
    QVBoxLayout* Cabecera() const { return cabecera_; }

    // The row the edit dialog returns (fila null: a new one), or nothing when it was cancelled.
    virtual std::optional<QStringList> EditarFila(const QStringList* fila) = 0;
    // Replaces the stored rows by filas; runs inside the transaction.
    virtual void Guardar(const QList<QStringList>& filas) = 0;
    // Reloads the catalog collections once the rows are stored.
    virtual void Recargar() = 0;

private:
    void OrdenarTabulacion();
    void Agregar();
    void Editar();
    void Borrar();
    void Asignar(bool asignar);
    void Grabar();

    QTreeWidget* lista_;
    QTreeWidget* listaRed_;
    QVBoxLayout* cabecera_;
    int columnaRed_;
    QList<QWidget*> tabulacion_;
};
