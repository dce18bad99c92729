#include "ui/frmPromptedSearch.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <array>
#include <memory>

#include "core/modConexion.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/TarsaError.h"
#include "platform/ui/Modal.h"
#include "platform/ui/Twips.h"
#include "ui/ModeloResultado.h"
#include "ui/OrdenTabulacion.h"
#include "ui/modPresentacion.h"

// ---------------------------------------------------------------------------------------------
// ResultadoBusqueda

QVariant ResultadoBusqueda::Item(const QString& campo) const {
    for (const auto& [nombre, valor] : Campos)
        if (nombre.compare(campo, Qt::CaseInsensitive) == 0) return valor;
    return {};
}

bool ResultadoBusqueda::Contiene(const QString& campo) const {
    return std::any_of(Campos.begin(), Campos.end(),
                       [&](const auto& c) { return c.first.compare(campo, Qt::CaseInsensitive) == 0; });
}

// ---------------------------------------------------------------------------------------------
// Measuring column widths

namespace {

// Finding the widest text of a column among many thousands: measuring every text exactly costs
// several microseconds each, so each text is first estimated from cached character advances and only
// the few widest estimates are measured exactly at the end.
class MedidorColumna {
public:
    static constexpr int kCandidatos = 16;

    // The estimate a text must pass to be considered: none until the candidates are complete.
    int Minimo() const { return candidatos_.size() < kCandidatos ? -1 : minimo_; }
    bool Entra(int estimado) const { return estimado > Minimo(); }

    void Considerar(int estimado, const QString& texto) {
        if (candidatos_.size() < kCandidatos) {
            candidatos_.append({estimado, texto});
            if (candidatos_.size() == kCandidatos) RecalcularMinimo();
            return;
        }
        if (estimado <= minimo_) return;
        candidatos_[indiceMinimo_] = {estimado, texto};
        RecalcularMinimo();
    }

    int Exacto(const QFontMetrics& fm) const {
        int ancho = 0;
        for (const auto& c : candidatos_) ancho = std::max(ancho, fm.horizontalAdvance(c.second));
        return ancho;
    }

private:
    void RecalcularMinimo() {
        indiceMinimo_ = 0;
        for (int i = 1; i < candidatos_.size(); ++i)
            if (candidatos_[i].first < candidatos_[indiceMinimo_].first) indiceMinimo_ = i;
        minimo_ = candidatos_[indiceMinimo_].first;
    }

    QList<QPair<int, QString>> candidatos_;
    int minimo_ = 0;
    int indiceMinimo_ = 0;
};

class EstimadorAncho {
public:
    explicit EstimadorAncho(const QFontMetrics& fm) : fm_(fm), maximo_(fm.maxWidth()) { latinos_.fill(-1); }

    // Whether a text of that length may be wider than minimo at all: most texts of a long column are
    // not, and are passed over without adding their characters up.
    bool PuedeSuperar(qsizetype largo, int minimo) const { return minimo < 0 || largo * maximo_ > minimo; }

    // The estimate of a text of ASCII bytes, read as they are; -1 when a byte is not ASCII.
    int EstimarAscii(QByteArrayView texto) {
        int ancho = 0;
        for (const char ch : texto) {
            const auto u = static_cast<unsigned char>(ch);
            if (u >= 0x80) return -1;
            if (latinos_[u] < 0) latinos_[u] = fm_.horizontalAdvance(QChar(u));
            ancho += latinos_[u];
        }
        return ancho;
    }

    int Estimar(QStringView texto) {
        int ancho = 0;
        for (const QChar c : texto) {
            const char16_t u = c.unicode();
            if (u < latinos_.size()) {
                if (latinos_[u] < 0) latinos_[u] = fm_.horizontalAdvance(c);
                ancho += latinos_[u];
            } else {
                auto it = otros_.find(u);
                if (it == otros_.end()) it = otros_.insert(u, fm_.horizontalAdvance(c));
                ancho += *it;
            }
        }
        return ancho;
    }

private:
    QFontMetrics fm_;
    int maximo_;  // the widest character of the font
    std::array<int, 256> latinos_{};
    QHash<char16_t, int> otros_;
};

// The smallest and the largest number of a column. Among whole numbers, and among amounts written
// with two decimals, the widest text is one of theirs (the most digits and separators, or a sign;
// the font's digits are of one width), so only those two are written out to be measured instead of
// every row's number. Other numbers are not kept: their general form is not widest at an extreme.
class ExtremosColumna {
public:
    // Whether the value is a number this column keeps (money or a whole number); a new extreme is kept.
    bool Considerar(const CeldaResultado& v, bool moneda) {
        const bool entero = v.Tipo == Registros::Tipo::Entero;
        if (!entero && !(moneda && v.Tipo == Registros::Tipo::Real)) return false;
        if (!entero && v.Real != v.Real) return false;  // not a number: written as it is
        if (!hay_ || (entero ? v.Entero < ComoEntero(menor_) : v.Real < ComoReal(menor_))) menor_ = v;
        if (!hay_ || (entero ? v.Entero > ComoEntero(mayor_) : v.Real > ComoReal(mayor_))) mayor_ = v;
        hay_ = true;
        return true;
    }
    QVariant Menor() const { return hay_ ? ModeloResultado::Valor(menor_, {}) : QVariant(); }
    QVariant Mayor() const { return hay_ ? ModeloResultado::Valor(mayor_, {}) : QVariant(); }

private:
    // A whole number and an amount in one column compare as QVariant converts one into the other.
    static qint64 ComoEntero(const CeldaResultado& v) {
        return v.Tipo == Registros::Tipo::Entero ? v.Entero : QVariant(v.Real).toLongLong();
    }
    static double ComoReal(const CeldaResultado& v) {
        return v.Tipo == Registros::Tipo::Real ? v.Real : static_cast<double>(v.Entero);
    }

    bool hay_ = false;
    CeldaResultado menor_, mayor_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// frmPromptedSearch

namespace {
constexpr int kPrimeraPantalla = 100;  // rows: more than a maximised list shows
constexpr int kFilasEntreRelojes = 32;
constexpr qint64 kIntervaloListarMs = 250;  // after the first screen: the list laid out again at most this often
QPointer<frmPromptedSearch> gInstancia;
void BorrarInstancia() { delete gInstancia.data(); }
}  // namespace

frmPromptedSearch& frmPromptedSearch::Instancia() {
    if (!gInstancia) {
        static bool registrada = false;
        if (!registrada) qAddPostRoutine(BorrarInstancia);  // before the application goes
        registrada = true;
        gInstancia = new frmPromptedSearch();
    }
    return *gInstancia;
}

frmPromptedSearch::frmPromptedSearch(QWidget* padre) : QDialog(padre) {
    setObjectName("frmPromptedSearch");

    lblOption_ = new QLabel("Opción:", this);
    lblOption_->setObjectName("lblOption");
    cboOption_ = new QComboBox(this);
    cboOption_->setObjectName("cboOption");
    lblPattern_ = new QLabel("Buscar:", this);
    lblPattern_->setObjectName("lblPattern");
    txtPattern_ = new QLineEdit(this);
    txtPattern_->setObjectName("txtPattern");
    cmdSearchBegin_ = new QPushButton("&Buscar", this);
    cmdSearchBegin_->setObjectName("cmdSearchBegin");
    cmdSearchBegin_->setToolTip("Ejecuta la búsqueda");
    lvwResult_ = new QTreeView(this);
    lvwResult_->setObjectName("lvwResult");
    cmdOK_ = new QPushButton("&Aceptar", this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setToolTip("Selecciona el registro marcado");
    cmdCancel_ = new QPushButton("&Cancelar", this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdCancel_->setToolTip("Cancela la búsqueda");
    StatusBar_ = new QStatusBar(this);
    StatusBar_->setObjectName("StatusBar");
    StatusBar_->setSizeGripEnabled(false);

    // Enter belongs to the pattern box (it runs the search), never to a default button.
    for (QPushButton* b : {cmdSearchBegin_, cmdOK_, cmdCancel_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    modelo_ = new ModeloResultado(this);
    lvwResult_->setModel(modelo_);
    lvwResult_->setRootIsDecorated(false);
    lvwResult_->setItemsExpandable(false);
    lvwResult_->setUniformRowHeights(true);
    lvwResult_->setAllColumnsShowFocus(true);
    lvwResult_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwResult_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwResult_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwResult_->setTextElideMode(Qt::ElideNone);
    QHeaderView* encabezado = lvwResult_->header();
    encabezado->setStretchLastSection(false);
    encabezado->setSectionsClickable(true);
    encabezado->setSortIndicatorShown(true);
    encabezado->setSortIndicator(-1, Qt::AscendingOrder);
    encabezado->setMinimumSectionSize(0);

    cboOption_->hide();
    lblOption_->hide();
    cmdOK_->setEnabled(false);
    cmdSearchBegin_->setEnabled(false);

    connect(cboOption_, &QComboBox::currentIndexChanged, this, &frmPromptedSearch::ElegirOpcion);
    connect(txtPattern_, &QLineEdit::textChanged, this, [this] { ActualizarBotones(); });
    connect(cmdSearchBegin_, &QPushButton::clicked, this, &frmPromptedSearch::Buscar);
    connect(cmdOK_, &QPushButton::clicked, this, &frmPromptedSearch::Aceptar);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmPromptedSearch::Cancelar);
    connect(encabezado, &QHeaderView::sectionClicked, this, &frmPromptedSearch::OrdenarPor);
    connect(lvwResult_, &QTreeView::clicked, this, &frmPromptedSearch::ClickFila);
    connect(lvwResult_, &QTreeView::doubleClicked, this, [this](const QModelIndex& i) {
        if (i.isValid() && lvwResult_->selectionModel()->isRowSelected(i.row(), {})) Aceptar();
    });
    txtPattern_->installEventFilter(this);
    lvwResult_->installEventFilter(this);

    setMinimumSize(TwipsAPixeles(6300), TwipsAPixeles(3900));
    resize(TwipsAPixeles(9600), TwipsAPixeles(6000));
    Distribuir();
}

frmPromptedSearch::~frmPromptedSearch() {
    while (cursoresEspera_ > 0) CursorEspera(false);
}

std::optional<ResultadoBusqueda> frmPromptedSearch::Perform(const QString& sSQL, const QString& sCaption,
                                                            bool bAutoColumnWidth, bool bModal) {
    EstablecerPlantilla(sSQL);
    setWindowTitle(sCaption);
    SetAutoColumnWidth(bAutoColumnWidth);
    if (!bModal) {
        resultado_.reset();
        ActualizarBotones();
        show();
        return std::nullopt;
    }
    return PerformWithProperties();
}

std::optional<ResultadoBusqueda> frmPromptedSearch::PerformWithProperties() {
    resultado_.reset();
    interrumpir_ = false;
    ActualizarBotones();
    MostrarModal(*this);
    Descargar();
    return resultado_;
}

// ---------------------------------------------------------------------------------------------
// The template and its options

void frmPromptedSearch::EstablecerPlantilla(const QString& plantilla) {
    lblOption_->hide();
    cboOption_->hide();
    {
        const QSignalBlocker bloqueo(cboOption_);
        cboOption_->clear();
    }
    opcionActual_.clear();
    const PlantillaBusqueda leida = LeerPlantilla(plantilla);
    plantillaOriginal_ = plantilla;
    plantilla_ = leida.Plantilla;
    opciones_ = leida.Opciones;
    CargarOpciones();
    ActualizarBotones();
}

void frmPromptedSearch::CargarOpciones() {
    if (opciones_.isEmpty()) return;
    {
        const QSignalBlocker bloqueo(cboOption_);
        for (const OpcionBusqueda& o : opciones_) cboOption_->addItem(o.Etiqueta);
        cboOption_->setCurrentIndex(0);
    }
    cboOption_->show();
    lblOption_->show();
    Distribuir();
    ElegirOpcion(0);
}

void frmPromptedSearch::ElegirOpcion(int indice) {
    if (indice < 0 || indice >= opciones_.size()) return;
    opcionActual_ = opciones_[indice].Etiqueta;
    ActualizarBotones();
}

void frmPromptedSearch::ActualizarBotones() {
    if (buscando_) return;
    const int indice = cboOption_->currentIndex();
    const bool todos = !opciones_.isEmpty() && indice >= 0 && indice < opciones_.size() &&
                       opciones_[indice].Etiqueta.toUpper() == QLatin1String("TODOS");
    txtPattern_->setEnabled(!todos);
    cmdSearchBegin_->setEnabled(todos || !txtPattern_->text().trimmed().isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Building the statement

void frmPromptedSearch::ConstruirSql() {
    modelo_->EstablecerColumnas({});
    sqlConstruido_.clear();
    campoRetorno_.clear();
    const SentenciaBusqueda sentencia = ConstruirSentencia(plantillaOriginal_, txtPattern_->text(), opcionActual_);
    QList<ColumnaResultado> columnas;
    for (const ColumnaBusqueda& c : sentencia.Columnas)
        columnas.append(
            {c.Clave, c.Campo, c.Titulo, c.AnchoTwips >= 0 ? TwipsAPixeles(c.AnchoTwips) : -1, c.Alineacion});
    sqlConstruido_ = sentencia.Sql;
    campoRetorno_ = sentencia.CampoRetorno;
    modelo_->EstablecerColumnas(columnas);

    // Until the search sizes them, columns are as wide as the template says, or as their captions.
    const QFontMetrics fm = fontMetrics();
    for (int c = 0; c < columnas.size(); ++c) {
        const int ancho = columnas[c].Ancho >= 0 ? columnas[c].Ancho
                                                 : fm.horizontalAdvance(columnas[c].Titulo) + MargenCelda(lvwResult_);
        lvwResult_->header()->resizeSection(c, ancho);
    }
}

// ---------------------------------------------------------------------------------------------
// Running the search

void frmPromptedSearch::Buscar() {
    if (buscando_) return;
    buscando_ = true;
    interrumpir_ = excedido_ = false;
    cmdSearchBegin_->setEnabled(false);
    txtPattern_->setReadOnly(true);
    CursorEspera(true);
    // The rows of the last search are freed once the new one is listed, when the window is idle.
    auto anteriores = std::make_shared<ModeloResultado::Bloques>(modelo_->Retirar());
    const auto liberarDespues =
        qScopeGuard([this, anteriores] { QTimer::singleShot(0, this, [anteriores] { anteriores->clear(); }); });
    registros_.reset();
    anchosAuto_.clear();
    columnaOrden_ = -1;
    lvwResult_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    lvwResult_->header()->setSectionsClickable(false);

    const QFontMetrics fm = fontMetrics();
    EstimadorAncho estimador(fm);
    QList<MedidorColumna> medidores;
    QList<ExtremosColumna> extremos;
    QList<bool> moneda;
    const EscritorNumeros numeros;
    bool fallo = false;
    try {
        ConstruirSql();
        txtPattern_->selectAll();
        if (!gDB || !gDB->Abierta())
            throw TarsaError(ErrBaseNoAbierta, "No hay una base de datos abierta", "frmPromptedSearch");
        // A statement that takes long (a recursive one typed as a pattern, say) keeps the window
        // answering, and Cancelar or the time limit stop it inside the engine.
        QElapsedTimer reloj, cedido;
        reloj.start();
        cedido.start();
        gDB->Vigilar([this, &reloj, &cedido] {
            if (cedido.elapsed() >= 50) {
                QCoreApplication::processEvents();
                cedido.restart();
            }
            excedido_ = excedido_ || reloj.elapsed() > limiteMs_;
            return !interrumpir_ && !excedido_;
        });
        const auto dejarDeVigilar = qScopeGuard([] {
            if (gDB) gDB->Vigilar({});
        });
        registros_ = gDB->Consultar(sqlConstruido_);

        if (registros_->EOF_()) {
            StatusBar_->clearMessage();
        } else {
            const int nCampos = registros_->CantidadCampos();
            QStringList nombres;
            for (int f = 0; f < nCampos; ++f) nombres.append(registros_->NombreCampo(f));

            // Each listed column reads the field its key names.
            const auto& columnas = modelo_->Columnas();
            QList<int> indices;
            for (const ColumnaResultado& col : columnas) {
                int encontrado = -1;
                for (int f = 0; f < nCampos && encontrado < 0; ++f)
                    if (nombres[f].compare(col.Campo, Qt::CaseInsensitive) == 0) encontrado = f;
                if (encontrado < 0)
                    throw TarsaError(ErrElementoNoEncontrado,
                                     "No se encontró el elemento en esta colección: " + col.Campo, "BaseDatos");
                indices.append(encontrado);
            }
            modelo_->EstablecerCampos(nombres, indices);
            medidores.resize(columnas.size());
            extremos.resize(columnas.size());
            for (const ColumnaResultado& col : columnas) moneda.append(EsCampoMoneda(col.Campo));
            QList<QString> escritos(columnas.size());  // each column's number text, its room reused row after row

            // The first screen of rows goes to the list at once; the rest follow in batches while the
            // user interface keeps running, so that typing and Cancelar are answered as rows arrive.
            CederInterfaz ceder;
            QElapsedTimer listado;  // since rows were last handed to the list
            listado.start();
            bool primeraPantalla = true;
            const int* const indice = indices.constData();
            const bool* const esMoneda = moneda.constData();
            ExtremosColumna* const extremo = extremos.data();
            MedidorColumna* const medidor = medidores.data();
            QString* const escrito = escritos.data();
            while (!registros_->EOF_()) {
                const CeldaResultado* const fila = modelo_->NuevaFila(*registros_);
                for (qsizetype c = 0; c < indices.size(); ++c) {
                    // Numbers are kept for their extremes; text is measured as it is, straight from
                    // its bytes when they are ASCII; only other values are written out to be measured.
                    const CeldaResultado& celda = fila[indice[c]];
                    if (extremo[c].Considerar(celda, esMoneda[c])) continue;
                    const int minimo = medidor[c].Minimo();
                    if (!esMoneda[c] && celda.Tipo == Registros::Tipo::Texto) {
                        const QByteArrayView utf8 = modelo_->TextoNueva(celda);
                        // UTF-8 takes at least a byte for every character.
                        if (!estimador.PuedeSuperar(utf8.size(), minimo)) continue;
                        if (const int estimado = estimador.EstimarAscii(utf8); estimado >= 0) {
                            if (medidor[c].Entra(estimado)) medidor[c].Considerar(estimado, QString::fromLatin1(utf8));
                            continue;
                        }
                        escrito[c] = QString::fromUtf8(utf8);
                    } else {
                        const QVariant v = ModeloResultado::Valor(celda, modelo_->TextoNueva(celda));
                        if (esMoneda[c])
                            numeros.Moneda(v, escrito[c]);
                        else
                            numeros.Visible(v, escrito[c]);
                    }
                    if (estimador.PuedeSuperar(escrito[c].size(), minimo)) {
                        const int estimado = estimador.Estimar(escrito[c]);
                        if (medidor[c].Entra(estimado)) medidor[c].Considerar(estimado, escrito[c]);
                    }
                }
                registros_->MoveNext();
                // The clock is read every few dozen rows: a row takes a few microseconds.
                if (primeraPantalla ? modelo_->Pendientes() >= kPrimeraPantalla
                                    : (modelo_->Pendientes() % kFilasEntreRelojes == 0 && ceder.Toca())) {
                    // Every batch handed to the list makes it lay out and paint all its rows again: past
                    // the first screen the rows go to it a few times a second, and only when they are
                    // as many as it holds, while the user interface still runs every few tens of
                    // milliseconds.
                    if (primeraPantalla ||
                        (modelo_->Pendientes() >= modelo_->Filas() && listado.elapsed() >= kIntervaloListarMs)) {
                        modelo_->Listar();
                        listado.restart();
                    }
                    ceder.Ceder();
                    primeraPantalla = false;
                    excedido_ = excedido_ || reloj.elapsed() > limiteMs_;
                    if (interrumpir_ || excedido_) break;
                }
            }
            modelo_->Listar();
        }
        if (excedido_ && !interrumpir_) throw TarsaError(ErrTiempoAgotado, "");  // stopped between two rows
    } catch (const std::exception& e) {
        modelo_->Listar();  // the list stays as far as it was filled
        fallo = true;
        buscando_ = false;
        if (interrumpir_) {  // Cancelar or closed: nothing more to say
            CursorEspera(false);
        } else if (excedido_) {
            FallaBusqueda(TarsaError(ErrTiempoAgotado,
                                     QString::fromUtf8("La búsqueda superó el tiempo límite de %1 segundos y se "
                                                       "detuvo. Pruebe con un texto más preciso.")
                                         .arg(limiteMs_ / 1000.0)));
        } else {
            FallaBusqueda(e);
        }
    }
    buscando_ = false;
    if (interrumpir_) registros_.reset();  // the dialog closed while the search ran

    const auto& columnas = modelo_->Columnas();
    for (int c = 0; c < extremos.size(); ++c) {
        QString texto;
        for (const QVariant& v : {extremos[c].Menor(), extremos[c].Mayor()}) {
            if (!v.isValid()) continue;
            if (moneda[c])
                numeros.Moneda(v, texto);
            else
                numeros.Visible(v, texto);
            medidores[c].Considerar(estimador.Estimar(texto), texto);
        }
    }
    for (int c = 0; c < columnas.size(); ++c) {
        const int texto = c < medidores.size() ? medidores[c].Exacto(fm) : 0;
        anchosAuto_.append(std::max(texto, fm.horizontalAdvance(columnas[c].Titulo)) + MargenCelda(lvwResult_));
    }
    lvwResult_->header()->setSectionsClickable(true);
    if (!fallo && !interrumpir_) {  // a dialog closed while the rows came in shows nothing more
        DimensionarColumnas();
        if (modelo_->Filas() > 0)
            StatusBar_->showMessage(QString::number(modelo_->Filas()) + " registro(s) encontrado(s)");
        cmdOK_->setEnabled(modelo_->Filas() > 0);
        MarcarPrimeraFila();
    }
    CursorEspera(false);
    cmdSearchBegin_->setEnabled(true);
    txtPattern_->setReadOnly(false);
}

void frmPromptedSearch::FallaBusqueda(const std::exception& e) {
    CursorEspera(false);
    cmdSearchBegin_->setEnabled(true);
    txtPattern_->setReadOnly(false);
    MsgBox("Error:\n" + TextoFalla(ComoTarsaError(e)) + "\n", Mensajes::vbCritical, windowTitle());
}

// The database engine speaks English and quotes the statement: the user reads what went wrong in
// Spanish, with the engine's words (never the statement) only as a detail.
QString frmPromptedSearch::TextoFalla(const TarsaError& t) {
    if (t.Fuente != QLatin1String("BaseDatos")) return t.Descripcion;
    QString detalle = t.Descripcion;
    if (const qsizetype sentencia = detalle.indexOf(" ["); sentencia >= 0) detalle.truncate(sentencia);
    return QString::fromUtf8(
               "No se pudo buscar con el texto ingresado. Revíselo (una opción numérica admite sólo "
               "números) y vuelva a intentarlo.\n(Detalle: ") +
           detalle + ")";
}

void frmPromptedSearch::CursorEspera(bool activo) {
    if (activo) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++cursoresEspera_;
    } else if (cursoresEspera_ > 0) {
        QApplication::restoreOverrideCursor();
        --cursoresEspera_;
    }
}

// ---------------------------------------------------------------------------------------------
// Columns, sorting, selection

void frmPromptedSearch::SetAutoColumnWidth(bool valor) {
    autoColumnWidth_ = valor;
    DimensionarColumnas();
}

void frmPromptedSearch::DimensionarColumnas() {
    const int n = modelo_->columnCount();
    if (n == 0 || buscando_) return;
    QHeaderView* encabezado = lvwResult_->header();
    if (autoColumnWidth_ && modelo_->Filas() > 0 && anchosAuto_.size() == n) {
        for (int c = 0; c < n; ++c) encabezado->resizeSection(c, anchosAuto_[c]);
    } else {
        const int ancho = std::max(0, lvwResult_->width() / n - 25);
        for (int c = 0; c < n; ++c) encabezado->resizeSection(c, ancho);
    }
}

void frmPromptedSearch::OrdenarPor(int columna) {
    if (buscando_ || columna < 0 || columna >= modelo_->columnCount()) return;
    descendente_ = columna == columnaOrden_ ? !descendente_ : false;
    columnaOrden_ = columna;
    modelo_->Ordenar(columna, descendente_);
    lvwResult_->header()->setSortIndicator(columna, descendente_ ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void frmPromptedSearch::ClickFila(const QModelIndex& indice) {
    cmdOK_->setEnabled(indice.isValid() && lvwResult_->selectionModel()->isRowSelected(indice.row(), {}));
}

// With rows found, the first is marked and the list takes the focus: the arrows choose, Enter
// accepts, Shift+Tab goes back to the pattern.
void frmPromptedSearch::MarcarPrimeraFila() {
    if (modelo_->Filas() == 0) return;
    const QModelIndex primera = modelo_->index(0, 0);
    lvwResult_->setCurrentIndex(primera);
    lvwResult_->selectionModel()->select(primera, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvwResult_->setFocus();
}

void frmPromptedSearch::Aceptar() {
    try {
        const QModelIndexList elegidas = lvwResult_->selectionModel()->selectedRows();
        if (elegidas.isEmpty())
            throw TarsaError(ErrObjetoNoAsignado, "No hay un registro seleccionado", "frmPromptedSearch");
        const int posicion = elegidas.first().data(Qt::UserRole).toInt();
        const QVariantList valores = modelo_->Valores(posicion);
        const QStringList& nombres = modelo_->NombresCampos();
        ResultadoBusqueda r;
        if (!campoRetorno_.isEmpty()) {
            const QString campo = CampoDeClave(campoRetorno_);
            const auto it = std::find_if(nombres.begin(), nombres.end(),
                                         [&](const QString& n) { return n.compare(campo, Qt::CaseInsensitive) == 0; });
            if (it == nombres.end())
                throw TarsaError(ErrElementoNoEncontrado, "No se encontró el elemento en esta colección: " + campo,
                                 "BaseDatos");
            r.Campos.append({campo, valores.value(static_cast<int>(it - nombres.begin()))});
        } else {
            for (int f = 0; f < nombres.size(); ++f) r.Campos.append({nombres[f], valores.value(f)});
        }
        resultado_ = r;
        accept();
    } catch (const std::exception& e) {
        MsgBox("Error:\n" + ComoTarsaError(e).Descripcion + "\n", Mensajes::vbCritical, windowTitle());
    }
}

void frmPromptedSearch::Cancelar() { reject(); }

void frmPromptedSearch::reject() {
    resultado_.reset();
    QDialog::reject();
}

void frmPromptedSearch::done(int r) {
    interrumpir_ = true;  // a search still running stops
    // The result set lives as long as the open dialog; a running search releases it itself, since
    // the engine may be inside one of its steps right now.
    if (!buscando_) registros_.reset();
    while (cursoresEspera_ > 0) CursorEspera(false);
    QDialog::done(r);
}

// What closing leaves behind: the next search starts from an empty list.
void frmPromptedSearch::Descargar() {
    modelo_->Limpiar();
    registros_.reset();
    anchosAuto_.clear();
    columnaOrden_ = -1;
    descendente_ = false;
    lvwResult_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    txtPattern_->clear();
    StatusBar_->clearMessage();
    cmdOK_->setEnabled(false);
}

// ---------------------------------------------------------------------------------------------
// Keys, focus and layout

bool frmPromptedSearch::eventFilter(QObject* objeto, QEvent* e) {
    if (objeto == lvwResult_ && e->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(e)->key();
        if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && lvwResult_->selectionModel()->hasSelection()) {
            Aceptar();
            return true;
        }
    }
    if (objeto == txtPattern_) {
        if (e->type() == QEvent::KeyPress) {
            const int tecla = static_cast<QKeyEvent*>(e)->key();
            if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
                if (cmdSearchBegin_->isEnabled()) Buscar();
                return true;
            }
        } else if (e->type() == QEvent::FocusIn) {
            cmdOK_->setEnabled(false);
        }
    }
    return QDialog::eventFilter(objeto, e);
}

void frmPromptedSearch::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    Distribuir();
    DimensionarColumnas();
}

void frmPromptedSearch::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Distribuir();
    DimensionarColumnas();
    // Tab follows the screen, but the dialog starts in the pattern: what the user types at once is
    // what is searched for.
    OrdenarTabulacion(this);
    if (txtPattern_->isEnabled())
        txtPattern_->setFocus();
    else
        cmdSearchBegin_->setFocus();
}

// The pattern box starts 780 twips from the left edge, or 2340 when the option list sits before
// it; with options the two labels stand above their boxes.
void frmPromptedSearch::Distribuir() {
    constexpr int m = 8;
    constexpr int sep = 6;
    const bool hayOpciones = !cboOption_->isHidden();
    const int alto = txtPattern_->sizeHint().height();
    const int x0 = TwipsAPixeles(hayOpciones ? 2340 : 780);
    const int w = width();
    const int h = height();

    int y = m;
    if (hayOpciones) {
        const int altoEtiqueta = lblOption_->sizeHint().height();
        lblOption_->setGeometry(m, y, x0 - sep - m, altoEtiqueta);
        lblPattern_->setGeometry(x0, y, std::max(0, w - x0 - m), altoEtiqueta);
        y += altoEtiqueta + 2;
        cboOption_->setGeometry(m, y, x0 - sep - m, alto);
    } else {
        lblPattern_->setGeometry(m, y, x0 - m - 2, alto);
    }
    const int anchoBuscar = std::max(cmdSearchBegin_->sizeHint().width(), 80);
    cmdSearchBegin_->setGeometry(w - m - anchoBuscar, y, anchoBuscar, alto);
    txtPattern_->setGeometry(x0, y, std::max(0, cmdSearchBegin_->x() - sep - x0), alto);

    const int altoEstado = StatusBar_->sizeHint().height();
    StatusBar_->setGeometry(0, h - altoEstado, w, altoEstado);
    const int anchoBoton = std::max({cmdOK_->sizeHint().width(), cmdCancel_->sizeHint().width(), 90});
    const int altoBoton = cmdOK_->sizeHint().height();
    const int yBotones = h - altoEstado - m - altoBoton;
    cmdCancel_->setGeometry(w - m - anchoBoton, yBotones, anchoBoton, altoBoton);
    cmdOK_->setGeometry(cmdCancel_->x() - sep - anchoBoton, yBotones, anchoBoton, altoBoton);

    const int yLista = y + alto + m;
    lvwResult_->setGeometry(m, yLista, std::max(0, w - 2 * m), std::max(0, yBotones - m - yLista));
}
