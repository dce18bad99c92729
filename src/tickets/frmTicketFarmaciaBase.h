#pragma once
// What the pharmacy ticket form and its reduced twin share: the header fields switched by the
// operation bitmaps, the doctor look-ups, the items and diagnoses lists with their totals, and the
// acceptance that writes the request, waits for the terminal, shows, prints and journals the
// answer. Each form adds only its own authorising-doctor fields and its window layout.
//
// The main window opens a form with Cargar (frmTicketFarmacia::Cargar or frmTicketFarmaciaR::Cargar).
// At most one ticket form exists: opening one unloads the one open before. The form emits Descargado
// when it unloads and Completado when its ticket was answered without errors; the main window keeps
// its selectors still in between and brings up the transaction list on Completado.
#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "tickets/clsItemDiagnostico.h"
#include "tickets/clsItemTicketFarmacia.h"

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;
class QTreeWidget;
class clsTicket;

class frmTicketFarmaciaBase : public QWidget {
    Q_OBJECT
public:
    ~frmTicketFarmaciaBase() override;

    // The ticket form now loaded (of either kind), or nullptr.
    static frmTicketFarmaciaBase* Abierto();
    // Unloads the loaded ticket form, if any, as its window's close box would.
    static void DescargarAbierto();

    int CodigoOperacion() const { return codigoOperacion_; }
    // Whether the user has typed into the form or added an item or a diagnosis.
    bool MedioCargado() const;
    bool HayItems() const { return conItems_; }
    bool HayDiagnosticos() const { return conDiagnosticos_; }
    // The items and diagnoses of the ticket, in the order the lists show them.
    const QList<clsItemTicketFarmacia>& Items() const { return items_; }
    const QList<clsItemDiagnostico>& Diagnosticos() const { return diagnosticos_; }
    QString BitmapItem() const { return bitmapItem_; }
    // Opens as tall as what it shows, with room kept for the doctors' names still to be found.
    QSize sizeHint() const override;

    // Recomputes the column widths, the row numbers and the totals from the items; with inicial
    // only hides columns 1 to 13.
    void ActualizarItems(bool inicial);
    void ActualizarDiagnosticos(bool inicial);
    // Shows the doctor of a licence for "RE" (prescriber) or "AU" (authorising doctor).
    void MostrarMedico(const QString& quien, qint32 matricula, const QString& tipoMatricula);
    // The ticket's header as the form's fields give it, for the operation code; a field the
    // operation does not ask for goes empty.
    clsTicket Encabezado() const;

signals:
    void Descargado();
    void Completado();  // answered without errors, journalled and closed

protected:
    explicit frmTicketFarmaciaBase(int codigoOperacion, QWidget* padre);

    // Loads a newly created form and shows it, in area when given (the one loaded before has
    // to be unloaded first, DescargarAbierto).
    static void Presentar(frmTicketFarmaciaBase* forma, bool& pCargado, QMdiArea* area);
    void closeEvent(QCloseEvent* e) override;

    // ---- What each form does its own way
    // Header bitmap positions read (the forms use up to 33).
    virtual int PosicionesEncabezado() const = 0;
    // The control at header position 17 (the authorising doctor's licence type), and the province
    // list shown and enabled with it, when the form has one.
    virtual QWidget* TipoMatriculaAutorizante() const = 0;
    virtual QComboBox* ProvinciaAutorizante() const { return nullptr; }
    // Whether the licence-type and province lists go back to the blank entry once enabled.
    virtual bool ListasMatriculaEnBlanco() const = 0;
    // The authorising doctor found for MostrarMedico("AU", ...), and the header's copy of it.
    virtual void MostrarMedicoAutorizante(qint32 matricula, const QString& tipoMatricula) = 0;
    virtual void CargarAutorizante(clsTicket& ticket) const = 0;

    // Form_Load: run once by Presentar, after the derived form has built its own controls.
    void Cargar();
    void AplicarBitmap();
    // A caption for a field; it is shown and hidden with it.
    QLabel* Rotulo(QWidget* campo, const QString& texto);
    // The header rows: three columns of caption and field, then the prescriber's row; a form adds its
    // authorising doctor's with AgregarMedico and lays out the rest with encabezado_ at the top.
    QGridLayout* encabezado_;
    // A doctor's row under the header: licence type (and province list, when there is one), licence,
    // search, and the name found on a row of its own, as wide as the header.
    void AgregarMedico(QWidget* tipo, QComboBox* provincia, QLineEdit* matricula, QPushButton* buscar, QLabel* nombre);
    // The two totals, side by side or one above the other, and the two buttons.
    QGridLayout* Totales(bool enUnaFila);
    QBoxLayout* Botones(bool enUnaFila);
    // The code part ("B" of "B.BUENOS AIRES") of a list's entry.
    static QString CodigoLista(const QComboBox* lista);
    static void Seleccionar(QComboBox* lista, int indice);
    void InstalarSalida(QWidget* campo, std::function<void()> alSalir);
    // The doctor look-up on leaving a licence field or list, when the licence is a number.
    void BuscarMedicoDe(QLineEdit* matricula, QLabel* nombre, QComboBox* tipo, QComboBox* provincia);
    // MostrarMedico for one doctor's controls.
    void MostrarMedicoEn(QLabel* nombre, QLineEdit* campoMatricula, QComboBox* tipo, QComboBox* provincia,
                         qint32 matricula, const QString& tipoMatricula);

    QHash<QWidget*, QList<QWidget*>> acompanantes_;  // captions and the like shown with a field
    QHash<QWidget*, QLabel*> rotulos_;               // the caption of each field
    QHash<int, QWidget*> controlesEncabezado_;       // the control of each header bitmap position

    // Controls (objectName = member name without the underscore).
    QLabel* lblOperacion_;
    QLineEdit* txtTarjeta_;
    QComboBox* cboTipoLectura_;
    QLineEdit* txtFarmacia_;
    QLineEdit* txtTicketPadre_;
    QLineEdit* txtTipoReceta_;
    QLineEdit* txtReceta_;
    QLineEdit* txtFechaReceta_;
    QLineEdit* txtFechaEmisionRecetario_;
    QLineEdit* txtFechaVenta_;
    QLineEdit* txtHoraVenta_;
    QComboBox* cboTipoDocumentoRetira_;
    QLineEdit* txtDocumentoRetira_;
    QLineEdit* txtConsulta_;
    QComboBox* cboTipoMatriculaR_;
    QComboBox* cboProvinciaR_;
    QLineEdit* txtMatriculaRe_;
    QLabel* lblNombreMedicoRe_;
    QPushButton* cmdBuscarMedicoRe_;
    QLineEdit* txtMatriculaAu_;
    QLabel* lblNombreMedicoAu_;
    QPushButton* cmdBuscarMedicoAu_;
    QComboBox* cboTipoAutorizacion_;
    QLineEdit* txtAutorizacion_;
    QLineEdit* txtDocumentacionExtra_;
    QLineEdit* txtDescuentoPrestador_;
    QGroupBox* fmeItems_;
    QTreeWidget* lvwItems_;
    QPushButton* cmdAddItem_;
    QPushButton* cmdChangeItem_;
    QPushButton* cmdDelItem_;
    QGroupBox* fmeDiagnosticos_;
    QTreeWidget* lvwDiagnosticos_;
    QPushButton* cmdAddDiags_;
    QPushButton* cmdDelDiags_;
    QLabel* lblTotalRotulo_;
    QLabel* lblTotal_;
    QLabel* lblTotalGeneralRotulo_;
    QLabel* lblTotalGeneral_;
    QPushButton* cmdAceptar_;
    QPushButton* cmdCancelar_;

private:
    // The date rule on leaving a date field: normalised, or the user told and taken back; true when
    // the date may stand.
    bool SalirFecha(QLineEdit* campo);
    void RevisarFechas();
    void ElegirMedico(const QString& quien);
    void AgregarItem();
    void CambiarItem();
    // F12 taken in the item dialog sends the ticket once the item is in the list.
    void EnviarTrasItem(bool enviar);
    // F12: the ticket goes when "Aceptar" is enabled.
    void AceptarPorTecla();
    void BorrarItem();
    void VerItem();
    void AgregarDiagnostico();
    void BorrarDiagnostico();
    void Aceptar();
    void Cancelar();
    // Asks before the typed data or the items are thrown away; true to go on.
    bool ConfirmarDescarte();
    void InstalarTeclas();
    void CerrarVentana();
    void VolverAlCampo(QLineEdit* campo);
    // The list's row of item i, added when the list has none yet.
    void EscribirFila(int i);
    void AjustarColumnas(QTreeWidget* lista, int desde, int hasta);
    void Descargar();  // Form_Unload, once
    void Armar();      // the header's grid and the lists' frames
    // The window as large as what the operation shows, its controls in place for the Tab order.
    void Disponer();

    int codigoOperacion_;
    bool conItems_ = false;
    bool conDiagnosticos_ = false;
    QList<clsItemTicketFarmacia> items_;
    QList<clsItemDiagnostico> diagnosticos_;
    bool descargado_ = false;
    bool editado_ = false;
    bool descartar_ = false;  // closing without asking: asked already, or the ticket was sent
    bool enviando_ = false;   // inside Aceptar: the ticket is being written or its answer awaited
    QString bitmapItem_;
    static inline QPointer<frmTicketFarmaciaBase> abierto_;
};
