#pragma once
// The exchange list as a table model: one row per exchange, newest first, its columns as the history
// window shows them. A view asks only for the rows it draws, so a year of exchanges opens at once.
#include <QAbstractTableModel>
#include <QMap>

#include "exchange/clsArchivoIntercambios.h"

class ModeloHistorial : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Columna { ColFecha, ColOperacion, ColEmpresa, ColTarjeta, ColTicket, ColResultado, kColumnas };

    using QAbstractTableModel::QAbstractTableModel;
    void Establecer(QList<clsItemIntercambio> filas, QMap<QString, QString> empresas);
    void Agregar(const QList<clsItemIntercambio>& filas);  // at the end
    const clsItemIntercambio& Fila(int fila) const { return filas_.at(fila); }
    const QList<clsItemIntercambio>& Filas() const { return filas_; }

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;

private:
    QList<clsItemIntercambio> filas_;
    QMap<QString, QString> empresas_;
};
