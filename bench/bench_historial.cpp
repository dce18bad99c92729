// How long the exchange history takes to show its first screen over five years of exchanges (10,000,
// 100,000 and 500,000, each with the two index lines a request and its answer leave), against just
// reading the monthly indexes in the same run. The window reads the newest month first and the rest
// afterwards, so the first screen costs one month's index, the model and the first rows drawn; the
// whole archive (with the memory it holds per exchange), a filter typed over it and its export as CSV
// are measured too. The peak of memory of the export is that of the process when run alone:
//   /usr/bin/time -v bench_historial --benchmark_filter=BM_Exportar/500000
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/resource.h>

#include "ArchivoSintetico.h"
#include "ReporteFiguras.h"
#include "exchange/clsArchivoIntercambios.h"
#include "journal/frmHistorialIntercambios.h"
#include "platform/SelectorCarpetas.h"

namespace {

constexpr int kMeses = 60;
QString gRaiz;
int gTamano = 0;  // exchanges in the archive at gRaiz

void CrearArchivo(int intercambios) {
    if (gTamano == intercambios) return;
    QDir(gRaiz).removeRecursively();
    ArchivoSintetico{.intercambios = intercambios, .meses = kMeses}.Crear(gRaiz);
    gTamano = intercambios;
}

qint64 MemoriaEnUso() {
#ifdef __GLIBC__
    // Small blocks from the heap and large ones mapped on their own.
    const struct mallinfo2 m = mallinfo2();
    return static_cast<qint64>(m.uordblks + m.hblkhd);
#else
    return 0;
#endif
}

// Baseline: every monthly index read from disk and its lines counted.
void BM_LeerIndices(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CrearArchivo(n);
    for (auto _ : state) {
        qint64 lineas = 0;
        for (const QString& mes : QDir(gRaiz).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            QFile f(gRaiz + "/" + mes + "/indice.txt");
            if (!f.open(QIODevice::ReadOnly)) continue;
            lineas += f.readAll().count('\n');
        }
        if (lineas != 2 * n) state.SkipWithError("the baseline did not read every line");
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The window opened from the menu: archive read, newest first, the first screen drawn.
void BM_PrimeraPantalla(benchmark::State& state) {
    CrearArchivo(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        frmHistorialIntercambios ventana(gRaiz, {});
        ventana.show();
        benchmark::DoNotOptimize(ventana.grab());
        if (ventana.Modelo().rowCount() < frmHistorialIntercambios::kPrimeraPantalla)
            state.SkipWithError("the first screen is not full");
    }
}

// The rest of the archive read a month per turn of the event loop, as the open window does it; and
// the memory the open window holds, per exchange.
void BM_ListaCompleta(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CrearArchivo(n);
    double bytes = 0;
    for (auto _ : state) {
        const qint64 antes = MemoriaEnUso();
        frmHistorialIntercambios ventana(gRaiz, {});
        ventana.TerminarCarga();
        bytes = double(MemoriaEnUso() - antes) / n;
        if (ventana.Modelo().rowCount() != n) state.SkipWithError("the list did not get every exchange");
    }
    state.counters["bytes_por_intercambio"] = bytes;
    state.SetItemsProcessed(state.iterations() * n);
}

// Typing a card in the filter of an open window.
void BM_FiltrarTarjeta(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CrearArchivo(n);
    frmHistorialIntercambios ventana(gRaiz, {});
    ventana.TerminarCarga();
    auto* tarjeta = ventana.findChild<QLineEdit*>("txtTarjeta");
    for (auto _ : state) {
        tarjeta->setText("-000123");
        if (ventana.Modelo().rowCount() != n / 5000) state.SkipWithError("the filter missed rows");
        tarjeta->clear();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The peak of memory of the process so far (resident), in megabytes.
double PicoMb() {
    struct rusage uso {};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss / 1024.0;
}

// Names the export's file, as the user would in the dialog.
class SelectorExportacion : public SelectorCarpetas {
public:
    explicit SelectorExportacion(QString ruta) : ruta_(std::move(ruta)) {}
    QString BrowseFolders(QObject*, const QString&, const QString&) override { return {}; }
    QString GuardarComo(QObject*, const QString&, const QString&) override { return ruta_; }

private:
    QString ruta_;
};

// Every exchange of the open window exported as CSV; the peak of memory before and after.
void BM_Exportar(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    CrearArchivo(n);
    frmHistorialIntercambios ventana(gRaiz, {});
    ventana.TerminarCarga();
    const double antes = PicoMb();
    const QString ruta = gRaiz + ".csv";
    SelectorExportacion selector(ruta);
    SelectorCarpetas::Establecer(&selector);
    for (auto _ : state) {
        ventana.Exportar();
        if (QFileInfo(ruta).size() < n * 50) state.SkipWithError("the export is not whole");
    }
    SelectorCarpetas::Establecer(nullptr);
    state.counters["pico_antes_mb"] = antes;
    state.counters["pico_mb"] = PicoMb();
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    gRaiz = dir.filePath("Intercambios");
    benchmark::Initialize(&argc, argv);
    // Grouped by size, so that each archive is built once.
    const int tamanos[] = {10000, 100000, 500000};
    for (const int n : tamanos)
        for (const auto& [nombre, funcion] :
             {std::pair{"BM_LeerIndices", &BM_LeerIndices}, std::pair{"BM_PrimeraPantalla", &BM_PrimeraPantalla},
              std::pair{"BM_ListaCompleta", &BM_ListaCompleta}, std::pair{"BM_FiltrarTarjeta", &BM_FiltrarTarjeta},
              std::pair{"BM_Exportar", &BM_Exportar}})
            benchmark::RegisterBenchmark(nombre, funcion)->Arg(n)->Unit(benchmark::kMillisecond);
    ReporteFiguras reporte([&tamanos](const ReporteFiguras::Figuras& f) {
        for (const int n : tamanos) {
            const auto figura = [&f, n](const char* nombre) {
                const auto it = f.find(std::string(nombre) + "/" + std::to_string(n));
                return it == f.end() ? ReporteFiguras::Figura{} : it->second;
            };
            const double base = figura("BM_LeerIndices").tiempo;
            if (base <= 0) continue;
            std::printf(
                "%d exchanges: first screen %.1f ms (%.2fx reading every index, %.1f ms); whole list %.0f ms, "
                "%.0f bytes held per exchange; card filter %.1f ms (%.3f us per exchange); export %.0f ms\n",
                n, figura("BM_PrimeraPantalla").tiempo, figura("BM_PrimeraPantalla").tiempo / base, base,
                figura("BM_ListaCompleta").tiempo, figura("BM_ListaCompleta").Contador("bytes_por_intercambio"),
                figura("BM_FiltrarTarjeta").tiempo, figura("BM_FiltrarTarjeta").tiempo * 1000 / n,
                figura("BM_Exportar").tiempo);
        }
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    return 0;
}
