// How long the search dialog takes to fill its list from 10,000, 100,000 and 500,000 medications,
// against just reading the same rows from the database in the same run. The ratio is what the dialog
// adds on top of the database: keeping the rows, measuring the columns and keeping the window
// responsive. Between two searches the event loop runs, as it does while the user reads the list: the
// previous search's rows are freed then.
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
#include <map>

#include "ReporteFiguras.h"
#include "core/modConexion.h"
#include "platform/BaseDatos.h"
#include "ui/frmPromptedSearch.h"

namespace {

const std::vector<int64_t> kTamanos{10000, 100000, 500000};
const QString kPlantilla = QString::fromUtf8(
    "SELECT {Troquel}Troquel, {Código Barra}CodigoBarra, {Nombre}Nombre, {Presentación}Presentacion, "
    "{Precio}Precio FROM Medicamentos WHERE 1=1 AND {Options:Nombre;Nombre LIKE '{S}*';Troquel;Troquel LIKE '{S}*'}");

frmPromptedSearch* gDialogo = nullptr;
QString gSql;

QTemporaryDir& Directorio() {
    static QTemporaryDir dir;
    return dir;
}

// The database of a size, made once, opened as the program's database.
void AbrirBase(int filas) {
    static std::map<int, QString> hechas;
    static int abierta = 0;
    if (abierta == filas) return;
    if (!hechas.count(filas)) {
        const QString archivo = Directorio().filePath(QString("TarsaCliente%1.mdb").arg(filas));
        QFile esquema(TARSA_SCHEMA_SQL);
        if (!esquema.open(QIODevice::ReadOnly)) throw std::runtime_error("no schema");
        SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
        db.exec(esquema.readAll().toStdString());
        static const char* kPresentaciones[] = {"500 MG X 16 COMPRIMIDOS", "X 10", "JARABE 120 ML", "1 G X 8 SOBRES",
                                                "CREMA 30 G"};
        SQLite::Transaction tx(db);
        SQLite::Statement alta(db,
                               "INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, "
                               "Precio, TipoMedicamento, CodProveedor, Baja) VALUES (1, ?, ?, ?, ?, ?, 1, 0, 0)");
        for (int i = 1; i <= filas; ++i) {
            alta.bind(1, i);
            alta.bind(2, QString("779%1").arg(i, 10, 10, QChar('0')).toStdString());
            alta.bind(3, QString("MEDICAMENTO %1 %2").arg(i).arg(QString(i % 23, 'X')).toStdString());
            alta.bind(4, kPresentaciones[i % 5]);
            alta.bind(5, (i % 5000) / 100.0 + 1);
            alta.exec();
            alta.reset();
        }
        tx.commit();
        hechas[filas] = archivo;
    }
    gDB = std::make_unique<BaseDatos>();
    gDB->Abrir(hechas[filas]);
    abierta = filas;
}

// Baseline: the rows and every field, read with the same statement the dialog sends.
void BM_LeerFilas(benchmark::State& state) {
    const int kFilas = static_cast<int>(state.range(0));
    AbrirBase(kFilas);
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
    const int kFilas = static_cast<int>(state.range(0));
    AbrirBase(kFilas);
    QTreeView* lista = gDialogo->findChild<QTreeView*>("lvwResult");
    PrimeraPantalla primera(lista);
    double suma = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QCoreApplication::processEvents();  // the user reads the list
        state.ResumeTiming();
        primera.Empezar();
        gDialogo->Buscar();
        if (lista->model()->rowCount() != kFilas) state.SkipWithError("the list did not get every row");
        if (primera.Ms() < 0) state.SkipWithError("the list was never painted with rows");
        suma += primera.Ms();
    }
    state.SetItemsProcessed(state.iterations() * kFilas);
    state.counters["primera_pantalla_ms"] = suma / std::max<double>(1, state.iterations());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AbrirBase(10000);

    auto dialogo = std::make_unique<frmPromptedSearch>();
    gDialogo = dialogo.get();
    dialogo->EstablecerPlantilla(kPlantilla);
    dialogo->setWindowTitle("Búsqueda de Medicamentos");
    dialogo->SetAutoColumnWidth(true);
    dialogo->SetLimiteBusqueda(24 * 3600 * 1000);  // under a profiler a search runs many times slower
    dialogo->findChild<QLineEdit*>("txtPattern")->setText("MED");
    dialogo->show();
    dialogo->Buscar();
    gSql = dialogo->SqlConstruido();

    // Size by size, the baseline next to the list, so that both see the same load of the machine.
    for (const int64_t n : kTamanos) {
        benchmark::RegisterBenchmark("BM_LeerFilas", BM_LeerFilas)->Arg(n)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_LlenarLista", BM_LlenarLista)->Arg(n)->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        for (const int64_t n : kTamanos) {
            const auto base = f.find("BM_LeerFilas/" + std::to_string(n));
            const auto lista = f.find("BM_LlenarLista/" + std::to_string(n));
            if (base == f.end() || lista == f.end() || base->second.tiempo <= 0) continue;
            std::printf(
                "Filling the list: %.1f ms for %lld rows (first screen after %.1f ms); reading them alone: %.1f ms; "
                "ratio %.2f (CPU time %.2f)\n",
                lista->second.tiempo, static_cast<long long>(n), lista->second.Contador("primera_pantalla_ms"),
                base->second.tiempo, lista->second.tiempo / base->second.tiempo, lista->second.cpu / base->second.cpu);
        }
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    dialogo.reset();  // its result set goes before the database
    gDB.reset();
    return 0;
}
