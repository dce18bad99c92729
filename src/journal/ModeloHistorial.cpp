#include "journal/ModeloHistorial.h"

#include <QBrush>
#include <QColor>

#include "journal/clsHistorialIntercambios.h"

void ModeloHistorial::Establecer(const clsHistorialIntercambios* historial, QList<int> filas,
                                 QMap<QString, QString> empresas) {
    beginResetModel();
    historial_ = historial;
    filas_ = std::move(filas);
    empresas_ = std::move(empresas);
    ultima_ = -1;
    endResetModel();
}

void ModeloHistorial::Agregar(const QList<int>& filas) {
    if (filas.isEmpty()) return;
    beginInsertRows({}, filas_.size(), filas_.size() + filas.size() - 1);
    filas_.append(filas);
    endInsertRows();
}

clsItemIntercambio ModeloHistorial::Fila(int fila) const {
    if (fila != ultima_) {
        item_ = historial_->Item(filas_.at(fila));
        ultima_ = fila;
    }
    return item_;
}

int ModeloHistorial::rowCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : filas_.size(); }
int ModeloHistorial::columnCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : kColumnas; }

QVariant ModeloHistorial::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= filas_.size()) return {};
    if (rol != Qt::DisplayRole && rol != Qt::ToolTipRole && rol != Qt::ForegroundRole) return {};
    const clsItemIntercambio i = Fila(indice.row());
    if (rol == Qt::ToolTipRole) return i.Estado;
    // Anything but an answer the terminal processed stands out.
    if (rol == Qt::ForegroundRole && i.Resultado != "procesada") return QBrush(QColor(170, 0, 0));
    if (rol != Qt::DisplayRole) return {};
    switch (indice.column()) {
        case ColFecha:
            return i.Enviado.toString("dd/MM/yyyy HH:mm:ss");
        case ColOperacion:
            return clsHistorialIntercambios::Operacion(i);
        case ColEmpresa:
            return clsHistorialIntercambios::Empresa(i, empresas_);
        case ColTarjeta:
            return i.Tarjeta;
        case ColTicket:
            return i.Ticket;
        case ColResultado:
            return i.Resultado;
        default:
            return {};
    }
}

QVariant ModeloHistorial::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || rol != Qt::DisplayRole)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    static const char* const kTitulos[kColumnas] = {"Fecha y hora", "Operación", "Empresa",
                                                    "Tarjeta",      "Nº ticket", "Resultado"};
    return seccion >= 0 && seccion < kColumnas ? QString::fromUtf8(kTitulos[seccion]) : QVariant();
}
