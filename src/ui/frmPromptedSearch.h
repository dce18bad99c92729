#pragma once
// The generic look-up dialog. The caller hands it an SQL template that names the columns to show,
// their captions and the search options; the user picks an option, types a pattern, runs the search
// and picks one row; the dialog returns that row's values by field name. It only ever reads: the
// statement goes through BaseDatos::Consultar, which prepares exactly one statement and refuses any
// that writes. The template language is described in docs/busqueda.md.
#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

#include "catalogs/PlantillaBusqueda.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QStatusBar;
class QTreeView;
class Registros;
class ModeloResultado;

// The chosen row: its values, each under its field name, in the order of the result's columns.
struct ResultadoBusqueda {
    QList<QPair<QString, QVariant>> Campos;

    int Count() const { return static_cast<int>(Campos.size()); }
    // The value under a field name (without regard to case); null when there is none.
    QVariant Item(const QString& campo) const;
    bool Contiene(const QString& campo) const;
};

class frmPromptedSearch : public QDialog {
    Q_OBJECT

public:
    explicit frmPromptedSearch(QWidget* padre = nullptr);
    ~frmPromptedSearch() override;

    // The dialog callers share, created on first use; one search at a time.
    static frmPromptedSearch& Instancia();

    // Sets the template, caption and column sizing, shows the dialog and returns the chosen row, or
    // nothing when the user cancelled. Shown without bModal the dialog only browses: it returns nothing
    // at once.
    std::optional<ResultadoBusqueda> Perform(const QString& sSQL, const QString& sCaption, bool bAutoColumnWidth,
                                             bool bModal = false);
    // Shows the dialog modally with the template, caption and column sizing as they stand.
    std::optional<ResultadoBusqueda> PerformWithProperties();

    // The template as the caller gave it; once set, its options block reads "{Options}".
    void EstablecerPlantilla(const QString& plantilla);
    QString Plantilla() const { return plantilla_; }

    bool AutoColumnWidth() const { return autoColumnWidth_; }
    void SetAutoColumnWidth(bool valor);  // sizes the columns at once

    // How long a search may run before it is stopped (Cancelar stops it at any time).
    void SetLimiteBusqueda(int milisegundos) { limiteMs_ = milisegundos; }

    QString SqlConstruido() const { return sqlConstruido_; }
    QString CampoRetorno() const { return campoRetorno_; }
    std::optional<ResultadoBusqueda> Resultado() const { return resultado_; }

public slots:
    void Buscar();    // cmdSearchBegin
    void Aceptar();   // cmdOK
    void Cancelar();  // cmdCancel

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;
    void reject() override;
    void done(int r) override;

private:
    void CargarOpciones();
    void ElegirOpcion(int indice);
    void ActualizarBotones();
    void ConstruirSql();
    void Distribuir();
    void DimensionarColumnas();
    void OrdenarPor(int columna);
    void ClickFila(const QModelIndex& indice);
    void MarcarPrimeraFila();
    void FallaBusqueda(const std::exception& e);
    static QString TextoFalla(const class TarsaError& t);
    void CursorEspera(bool activo);
    void Descargar();

    // controls
    QLabel* lblOption_;
    QComboBox* cboOption_;
    QLabel* lblPattern_;
    QLineEdit* txtPattern_;
    QPushButton* cmdSearchBegin_;
    QTreeView* lvwResult_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QStatusBar* StatusBar_;
    ModeloResultado* modelo_;

    // state
    QString plantilla_;          // with its options block as "{Options}"
    QString plantillaOriginal_;  // as the caller gave it
    QList<OpcionBusqueda> opciones_;
    QString opcionActual_;  // the label of the option chosen
    QString sqlConstruido_;
    QString campoRetorno_;
    bool autoColumnWidth_ = false;
    std::unique_ptr<Registros> registros_;
    std::optional<ResultadoBusqueda> resultado_;
    int columnaOrden_ = -1;
    bool descendente_ = false;
    bool buscando_ = false;
    bool interrumpir_ = false;  // Cancelar, or the dialog closed, while a search runs
    bool excedido_ = false;     // the search ran past its time limit
    int limiteMs_ = 15000;
    int cursoresEspera_ = 0;
    QList<int> anchosAuto_;  // each column's width for AutoColumnWidth, from the last search
};
