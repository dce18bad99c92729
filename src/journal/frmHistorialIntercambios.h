#pragma once
// "Historial de intercambios": every exchange the archive keeps, newest first, filtered by the days
// sent, the card, the ticket number and the result; one opened shows its records field by field
// (frmDetalleIntercambio); the rows shown can be exported as CSV.
#include <QMap>
#include <QWidget>

#include "journal/ModeloHistorial.h"
#include "journal/clsHistorialIntercambios.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class frmHistorialIntercambios : public QWidget {
    Q_OBJECT
public:
    // raiz: the archive's directory; empresas: company name by the code the request record carries.
    frmHistorialIntercambios(const QString& raiz, QMap<QString, QString> empresas, QWidget* parent = nullptr);

    // Reads the archive again: the newest months until a screen is full, the rest a month at a time
    // while the window stays responsive.
    void Cargar();
    void TerminarCarga();  // reads what is left at once (export, tests)
    void Filtrar();        // applies the filters to what was read
    void AbrirSeleccionado();
    void Exportar();
    const ModeloHistorial& Modelo() const { return modelo_; }

    static constexpr int kPrimeraPantalla = 100;  // rows read before the window is first shown

private:
    FiltroHistorial FiltroActual() const;
    void CargarOtroMes();
    void ActualizarEstado();

    clsHistorialIntercambios historial_;
    QMap<QString, QString> empresas_;
    ModeloHistorial modelo_;
    QCheckBox* chkFechas;
    QDateEdit* dtpDesde;
    QDateEdit* dtpHasta;
    QLineEdit* txtTarjeta;
    QLineEdit* txtTicket;
    QComboBox* cboResultado;
    QTableView* lvwIntercambios;
    QLabel* lblCantidad;
    QPushButton* cmdAbrir;
    QPushButton* cmdExportar;
    QPushButton* cmdActualizar;
    QPushButton* cmdCerrar;
};
