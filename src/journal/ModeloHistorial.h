#pragma once
// The exchange list as a table model: one row per exchange, newest first, its columns as the history
// window shows them. A view asks only for the rows it draws, so a year of exchanges opens at once; the
// model holds only the history's row numbers, and reads an exchange from the history when it is drawn.
#include <QAbstractTableModel>
#include <QMap>

#include "exchange/clsArchivoIntercambios.h"

class clsHistorialIntercambios;

class ModeloHistorial : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Columna { ColFecha, ColOperacion, ColEmpresa, ColTarjeta, ColTicket, ColResultado, kColumnas };

    using QAbstractTableModel::QAbstractTableModel;
    // historial: where the rows are read (it outlives the model's use of them).
    void Establecer(const clsHistorialIntercambios* historial, QList<int> filas, QMap<QString, QString> empresas);
    void Agregar(const QList<int>& filas);  // at the end
    clsItemIntercambio Fila(int fila) const;
    const QList<int>& Filas() const { return filas_; }  // the history's row numbers, as listed

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;

private:
    const clsHistorialIntercambios* historial_ = nullptr;
    QList<int> filas_;
    QMap<QString, QString> empresas_;
    // The last row read: a view asks for every column and role of a row in turn.
    mutable int ultima_ = -1;
    mutable clsItemIntercambio item_;
};
