#pragma once
// The rows of the last search. Every field of every row is kept, so that the chosen row can be
// returned whole: row after row in blocks of a few thousand rows, each made once at its full size (a
// list for each of a hundred thousand rows costs more to make and to free than the rows' values, and
// a single list of them all is copied whole each time it grows); the list shows the texts of the template's
// columns, made when a row is drawn (a screen of rows, not every row found). Rows keep their position in the result
// (the tag of the row) however the list is sorted.
#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <vector>

struct ColumnaResultado {
    QString Clave;  // as written in the template, possibly with a table prefix
    QString Campo;  // the field it reads: the key after its first "."
    QString Titulo;
    int Ancho = -1;      // pixels, from the template; -1 when it gives none
    int Alineacion = 0;  // 0 left, 1 right, 2 centre
};

class ModeloResultado : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : static_cast<int>(orden_.size());
    }
    int columnCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : static_cast<int>(columnas_.size());
    }

    QVariant data(const QModelIndex& indice, int rol) const override;

    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

    const QList<ColumnaResultado>& Columnas() const { return columnas_; }
    const QStringList& NombresCampos() const { return nombresCampos_; }
    // Every field of the row at that position in the result.
    QVariantList Valores(int posicion) const;
    int Filas() const { return static_cast<int>(orden_.size()); }  // listed
    int Pendientes() const { return leidas_ - Filas(); }           // kept, not listed yet

    void EstablecerColumnas(const QList<ColumnaResultado>& columnas) {
        beginResetModel();
        columnas_ = columnas;
        BorrarFilas();
        endResetModel();
    }

    void Limpiar() { Retirar(); }

    // Empties the list and hands its rows' values over, so that the caller chooses when to free them.
    using Bloques = QList<std::vector<QVariant>>;
    Bloques Retirar() {
        beginResetModel();
        Bloques bloques = std::move(bloques_);
        BorrarFilas();
        endResetModel();
        return bloques;
    }

    // The result's field names, and the field each listed column shows.
    void EstablecerCampos(const QStringList& nombres, const QList<int>& indices) {
        nombresCampos_ = nombres;
        indices_ = indices;
    }

    // Keeps a new row at the end, its fields empty (one value for each field name), and gives their
    // room to be filled in place; valid until the next row is added. It is listed by the next Listar().
    QVariant* NuevaFila();
    // Lists the rows kept since the last time.
    void Listar();

    // Sorts by a column: numbers by their value, other values by their displayed text without regard
    // to case; rows of equal value keep their relative order.
    void Ordenar(int columna, bool descendente);

private:
    static constexpr qsizetype kFilasBloque = 4096;

    void BorrarFilas() {
        bloques_.clear();
        leidas_ = 0;
        orden_.clear();
        nombresCampos_.clear();
        indices_.clear();
    }

    QString Texto(int posicion, int columna) const;
    // The first field of the row at that position; the row's other fields follow it.
    const QVariant* Fila(int posicion) const {
        return bloques_[posicion / kFilasBloque].data() + (posicion % kFilasBloque) * nombresCampos_.size();
    }
    const QVariant& Valor(int posicion, int campo) const { return Fila(posicion)[campo]; }

    QList<ColumnaResultado> columnas_;
    QStringList nombresCampos_;
    QList<int> indices_;  // listed column -> field
    Bloques bloques_;     // every field of every row, by position in the result
    int leidas_ = 0;      // rows kept
    QList<int> orden_;    // displayed row -> position in the result
};
