#pragma once
// One archived exchange: each request and answer file, record by record and field by field (name,
// position, raw bytes, value), what is missing or cut marked, and the ticket text.
#include <QDialog>

#include "journal/clsHistorialIntercambios.h"

class QLabel;
class QPlainTextEdit;
class QTreeWidget;

class frmDetalleIntercambio : public QDialog {
    Q_OBJECT
public:
    enum Columna { ColCampo, ColPosicion, ColAncho, ColBytes, ColValor, ColMarca, kColumnas };

    explicit frmDetalleIntercambio(QWidget* parent = nullptr);
    void Cargar(const DetalleHistorial& detalle);

private:
    QLabel* lblIntercambio;
    QTreeWidget* tvwRegistros;
    QPlainTextEdit* txtTicket;
};
