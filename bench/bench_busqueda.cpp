// How long the search dialog takes to fill its list from 100,000 medications, against just reading
// the same rows from the database in the same run. The ratio is what the dialog adds on top of the
// database: building the row texts, measuring the columns and keeping the window responsive.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cstdio>

#include "ReporteFiguras.h"
#include "core/modTarsa.h"
#include "ui/frmPromptedSearch.h"

namespace {

constexpr int kFilas = 100000;
const QString kPlantilla = QString::fromUtf8(
    "SELECT {Troquel}Troquel, {Código Barra}CodigoBarra, {Nombre}Nombre, {Presentación}Presentacion, "
    "{Precio}Precio FROM Medicamentos WHERE 1=1 AND {Options:Nombre;Nombre LIKE '{S}*';Troquel;Troquel LIKE '{S}*'}");

frmPromptedSearch* gDialogo = nullptr;
QString gSql;

void CrearBase(const QString& archivo) {
    QFile esquema(TARSA_SCHEMA_SQL);
    if (!esquema.open(QIODevice::ReadOnly)) throw std::runtime_error("no schema");
    {
        SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(esquema.readAll().toStdString());
    }
    gDB = std::make_unique<BaseDatos>();
    gDB->Abrir(archivo);
    gDB->ComenzarTransaccion();
    static const char* kPresentaciones[] = {"500 MG X 16 COMPRIMIDOS", "X 10", "JARABE 120 ML", "1 G X 8 SOBRES",
                                            "CREMA 30 G"};
    for (int i = 1; i <= kFilas; ++i) {
        gDB->Ejecutar(QString("INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, "
                              "Precio, TipoMedicamento, CodProveedor, Baja) VALUES (1, %1, '779%2', "
                              "'MEDICAMENTO %3 %4', '%5', %6, 1, 0, 0)")
                          .arg(i)
                          .arg(i, 10, 10, QChar('0'))
                          .arg(i)
                          .arg(QString(i % 23, 'X'))
                          .arg(kPresentaciones[i % 5])
                          .arg((i % 5000) / 100.0 + 1));
    }
    gDB->ConfirmarTransaccion();
}

// Baseline: the rows and every field, read with the same statement the dialog sends.
void BM_LeerFilas(benchmark::State& state) {
    for (auto _ : state) {
        auto r = gDB->Consultar(gSql);
        int filas = 0;
        while (!r->EOF_()) {
            for (int f = 0; f < r->CantidadCampos(); ++f) benchmark::DoNotOptimize(r->Campo(f));
            r->MoveNext();
            ++filas;
        }
        if (filas != kFilas) state.SkipWithError("the baseline did not read every row");
    }
    state.SetItemsProcessed(state.iterations() * kFilas);
}

// Notes when the list is first painted with rows in it: the first screen the user sees.
class PrimeraPantalla : public QObject {
public:
    explicit PrimeraPantalla(QTreeView* lista) : lista_(lista) { lista->viewport()->installEventFilter(this); }
    void Empezar() {
        ms_ = -1;
        reloj_.start();
    }
    double Ms() const { return ms_; }

protected:
    bool eventFilter(QObject* objeto, QEvent* e) override {
        if (e->type() == QEvent::Paint && ms_ < 0 && lista_->model()->rowCount() > 0) ms_ = reloj_.nsecsElapsed() / 1e6;
        return QObject::eventFilter(objeto, e);
    }

private:
    QTreeView* lista_;
    QElapsedTimer reloj_;
    double ms_ = -1;
};

// The dialog's search: statement, rows into the list, column widths, status; and how long the first
// screen of rows took to appear.
void BM_LlenarLista(benchmark::State& state) {
    QTreeView* lista = gDialogo->findChild<QTreeView*>("lvwResult");
    PrimeraPantalla primera(lista);
    double suma = 0;
    for (auto _ : state) {
        primera.Empezar();
        gDialogo->Buscar();
        if (lista->model()->rowCount() != kFilas) state.SkipWithError("the list did not get every row");
        if (primera.Ms() < 0) state.SkipWithError("the list was never painted with rows");
        suma += primera.Ms();
    }
    state.SetItemsProcessed(state.iterations() * kFilas);
    state.counters["primera_pantalla_ms"] = suma / std::max<double>(1, state.iterations());
}

BENCHMARK(BM_LeerFilas)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LlenarLista)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    CrearBase(dir.filePath("TarsaCliente.mdb"));

    auto dialogo = std::make_unique<frmPromptedSearch>();
    gDialogo = dialogo.get();
    dialogo->EstablecerPlantilla(kPlantilla);
    dialogo->setWindowTitle("Búsqueda de Medicamentos");
    dialogo->SetAutoColumnWidth(true);
    dialogo->findChild<QLineEdit*>("txtPattern")->setText("MED");
    dialogo->show();
    dialogo->Buscar();
    gSql = dialogo->SqlConstruido();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto base = f.find("BM_LeerFilas");
        const auto lista = f.find("BM_LlenarLista");
        if (base == f.end() || lista == f.end() || base->second.tiempo <= 0) return;
        std::printf(
            "Filling the list: %.1f ms for %d rows (first screen after %.1f ms); reading them alone: %.1f ms; "
            "ratio %.2f\n",
            lista->second.tiempo, kFilas, lista->second.Contador("primera_pantalla_ms"), base->second.tiempo,
            lista->second.tiempo / base->second.tiempo);
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    dialogo.reset();  // its result set goes before the database
    gDB.reset();
    return 0;
}
