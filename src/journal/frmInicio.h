#pragma once
// The journal window ("Últimos tickets"): the journalled transactions, the reprint request by
// transaction number, and each row's saved ticket in the ticket view.
#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmInicio : public QWidget {
    Q_OBJECT
public:
    enum Columna { ColError, ColOperacion, ColFecha, ColFinanciador, ColTicket, ColAfiliado, ColRespuesta };

    explicit frmInicio(QWidget* parent = nullptr);
    // (Re)fills the list from the journal.
    void CargarListaTransacciones();

    // The row's saved ticket text opened in the ticket view (a row click while the mouse flag is on).
    virtual void AbrirTicketGuardado(QTreeWidgetItem* fila);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // The ticket view for a saved ticket (modal), with the authorisation its answer carried;
    // separate so tests can follow it.
    virtual void MostrarTicket(const QString& texto, const QString& ticket, const QString& tarjeta,
                               const QString& autorizacion);

private:
    void ClickFila(QTreeWidgetItem* fila);
    void OrdenarColumna(int columna);
    void Reimprimir();
    // The authorisation the journal holds for a ticket number as typed, for the reprint's barcode.
    QString AutorizacionGuardada(const QString& numero) const;
    void Cerrar();

    QTreeWidget* lvwTransacciones;
    QLineEdit* txtNrotransaccion;
    QPushButton* cmdBuscar;
    QPushButton* cmdCerrar;
    bool botonMouse_ = false;  // a mouse button went down on the list since the last row click
    int columnaOrden_ = -1;
    Qt::SortOrder orden_ = Qt::AscendingOrder;
};
