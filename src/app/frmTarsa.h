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

class frmTarsa : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kPosiciones = 21;  // toolbar positions; the menu has the first 20

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

    QMdiArea* Area() const { return mdiArea; }
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
    QList<QAction*> botones_;            // by position, 1 to 21 (index 0 unused)
    QList<QAction*> mnuOperacionesSub_;  // by index, 1 to 20 (index 0 unused)
    QString codigoPrestador_;
    bool cadenaSucursales_ = false;
    bool cerrando_ = false;
};

// The main window of the run, once shown.
inline frmTarsa* gFrmTarsa = nullptr;
