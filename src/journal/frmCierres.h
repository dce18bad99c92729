#pragma once
// "Cierres": the pharmacy settles its accepted coupons with the insurer. Seven operations (query the
// coupons not yet closed, the last closure, a closure by number, tickets by dates, close, exclude or
// include one coupon); the answer's messages are listed, its ticket shown and printed, and the
// closure journalled.
#include <QDate>
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class clsParametros;

class frmCierres : public QDialog {
    Q_OBJECT
public:
    // cadenaSucursales: the provider chosen in the main window is a chain of branches.
    explicit frmCierres(bool cadenaSucursales, QWidget* parent = nullptr);

    // Opens the dialog without blocking the main window; the one already open when there is one.
    static frmCierres* Mostrar(bool cadenaSucursales, QWidget* parent = nullptr);

    int CodigoOperacion() const { return codigoOperacion_; }
    // Writes the request's record for the chosen option; false (after telling the user) when the
    // request must not go out.
    bool GrabarPedido();
    // The period proposed for a closure: the previous calendar month, first to last day.
    static std::pair<QDate, QDate> MesAnterior(const QDate& hoy);

private:
    struct Parametro {
        QLabel* etiqueta;
        QLineEdit* caja;
    };
    QLineEdit* Caja(const char* nombre, const QString& etiqueta, int tipoTecla);
    void ElegirOpcion(int indice);
    void SalirFecha(QLineEdit* caja);
    // Each offered date box normalised as leaving it does; false, after telling the user and going
    // back to the box, when one holds something that is not a date.
    bool RevisarFechas();
    // Closing the coupons cannot be undone: asked first, No the default.
    bool ConfirmarCierre();
    void Aceptar();
    clsParametros Parametros() const;
    // The answer's messages into gColErrores (V250 only); false after a failure, already shown.
    bool LeeArchivos();

    QList<QRadioButton*> optOpcion_;
    QList<Parametro> parametros_;
    QLineEdit* txtNumeroCierre_;
    QLineEdit* txtPeriodoCierre_;
    QLineEdit* txtFechaDesde_;
    QLineEdit* txtFechaHasta_;
    QLineEdit* txtNumeroCupon_;
    QComboBox* cboOpciones_;
    QCheckBox* chkIndicaCadena_;
    QLabel* lblMatricula_;
    QLineEdit* txtMatricula_;
    int codigoOperacion_ = 6;
};
