#pragma once
// The main window: the selection bar (company, activity, provider), the operations toolbar and
// menu, the catalog searches, help and the orderly shutdown. It holds the ticket form and the
// transaction list as child windows.
#include <QList>
#include <QMainWindow>

class QAction;
class QComboBox;
class QMdiArea;
class QMenu;
class QToolBar;
struct Operacion;

class frmTarsa : public QMainWindow {
    Q_OBJECT
public:
    explicit frmTarsa(QWidget* parent = nullptr);

    // The window's loading: combos, network codes, offered operations.
    void Cargar();
    void CargaCombosMenu();
    void SeteaMenu();
    // A toolbar button by its key ("K11"...), as a click or the operations menu does it.
    void EjecutarBoton(const QString& clave);
    // While a ticket form is open the company, activity and provider cannot change.
    void BloquearSelectores(bool bloquear);

    // The settings dialog, not modally; the selection bar is reloaded when it closes.
    void AbrirConfiguracion();
    // After "Configurar" in the settings: the bar reloaded, then the complete catalogs offered.
    void AlImportarConfiguracion();

    QMdiArea* Area() const { return mdiArea; }
    // The toolbar's button at a position (from 1, separators counted), the menu item beside it; nullptr
    // past the end or for an operation with no menu item.
    QAction* Boton(int posicion) const { return botones_.value(posicion); }
    QAction* ItemOperacion(int indice) const { return mnuOperacionesSub_.value(indice); }
    QString CodigoPrestador() const { return codigoPrestador_; }

    // Overridable openers, so the dispatch can be followed in tests.
    virtual void AbrirTicket(int operacion);
    virtual void AbrirListaTransacciones();
    void AbrirHistorialIntercambios();
    // The help page (with its section) of the window in front, which F1 opens.
    QString PaginaAyuda() const;
    virtual bool ElegirPrestador();

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void CrearBarras();
    void CrearMenus();
    void ActualizarCodigos();
    void CambioEmpresa();
    void CambioActividad();
    void CambioPrestador();
    // Stores the current company, activity and provider under "Empresa", "Actividad" and "Terminal".
    void GuardarSeleccion();
    void Buscar(const QString& plantilla, const QString& titulo);
    void AbrirAyuda(const QString& pagina);
    void AbrirAcerca();
    void CerrarHijas();

    QMdiArea* mdiArea;
    QToolBar* tbrSeleccion;
    QToolBar* tbrPrincipal;
    QComboBox* cboEmpresas;
    QComboBox* cboActividades;
    QComboBox* cboPrestadores;
    // By position from 1 (index 0 unused), in the order of the operations table with a separator
    // between groups: the operation of each (nullptr for a separator), its button and its menu item.
    QList<const Operacion*> operaciones_;
    QList<QAction*> botones_;
    QList<QAction*> mnuOperacionesSub_;
    QString codigoPrestador_;
    bool cadenaSucursales_ = false;
    bool cerrando_ = false;
};

// The main window of the run, once shown.
inline frmTarsa* gFrmTarsa = nullptr;
