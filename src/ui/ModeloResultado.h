#pragma once
// The rows of the last search. Every field of every row is kept, so that the chosen row can be
// returned whole; the list shows the texts of the template's columns. Rows keep their position in
// the result (the tag of the row) however the list is sorted.
#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QVariant>

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
    const QVariantList& Valores(int posicion) const { return valores_[posicion]; }
    int Filas() const { return static_cast<int>(orden_.size()); }

    void EstablecerColumnas(const QList<ColumnaResultado>& columnas) {
        beginResetModel();
        columnas_ = columnas;
        BorrarFilas();
        endResetModel();
    }

    void Limpiar() {
        beginResetModel();
        BorrarFilas();
        endResetModel();
    }

    void EstablecerCampos(const QStringList& nombres) { nombresCampos_ = nombres; }

    void Agregar(QList<QVariantList>& valores, QList<QStringList>& textos);

    // Sorts by a column: numbers by their value, other values by their displayed text without regard
    // to case; rows of equal value keep their relative order.
    void Ordenar(int columna, bool descendente);

private:
    void BorrarFilas() {
        valores_.clear();
        textos_.clear();
        orden_.clear();
        nombresCampos_.clear();
    }

    QList<ColumnaResultado> columnas_;
    QStringList nombresCampos_;
    QList<QVariantList> valores_;  // every field, by position in the result
    QList<QStringList> textos_;    // the listed columns' texts, by position in the result
    QList<int> orden_;             // displayed row -> position in the result
};
