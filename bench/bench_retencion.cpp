// What the archive's retention pass costs once it holds 100,000 and 500,000 exchanges (a year of them,
// one directory each, two index lines each), against reading the newest month's index, in the same
// run. The pass as it was ran on the first request of every run: a walk of every directory looking
// for ".tmp" leftovers and every index line parsed. Now the leftovers are looked for in the two newest
// months only, at start-up, and the months' sizes are read from the raw index lines in a thread of
// their own, off every request's way.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "ArchivoSintetico.h"
#include "ReporteFiguras.h"
#include "exchange/clsArchivoIntercambios.h"

namespace {

QString gRaiz;
int gTamano = 0;  // exchanges in the archive at gRaiz

// A year of exchanges, each with its directory.
void CrearArchivo(int intercambios) {
    if (gTamano == intercambios) return;
    QDir(gRaiz).removeRecursively();
    ArchivoSintetico{.intercambios = intercambios, .meses = 12, .directorios = true}.Crear(gRaiz);
    gTamano = intercambios;
}

// Baseline: the newest month's exchanges, as the history window's first screen reads them.
void BM_MesReciente(benchmark::State& state, int intercambios) {
    CrearArchivo(intercambios);
    clsArchivoIntercambios archivo(gRaiz);
    const QString mes = archivo.Meses().last();
    qsizetype filas = 0;
    for (auto _ : state) filas = archivo.ListarMes(mes).size();
    state.counters["intercambios"] = double(filas);
    if (filas < intercambios / 13) state.SkipWithError("the newest month is not whole");
}

// The pass as it ran on the first request: every directory walked for ".tmp", every line parsed.
void BM_PasadaAnterior(benchmark::State& state, int intercambios) {
    CrearArchivo(intercambios);
    clsArchivoIntercambios archivo(gRaiz);
    for (auto _ : state) {
        QDirIterator tmp(gRaiz, {"*.tmp"}, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (tmp.hasNext()) tmp.next();
        QMap<QString, qint64> tamanos;
        for (const clsItemIntercambio& i : archivo.Listar()) tamanos[i.Enviado.date().toString("yyyy-MM")] += i.Bytes;
        if (tamanos.size() != 12)
            state.SkipWithError(("the old pass found " + std::to_string(tamanos.size()) + " months").c_str());
    }
}

// At start-up, before any request: the leftovers of a crash, in the two newest months.
void BM_BorrarTemporales(benchmark::State& state, int intercambios) {
    CrearArchivo(intercambios);
    clsArchivoIntercambios archivo(gRaiz);
    for (auto _ : state) archivo.BorrarTemporales();
}

// In its own thread: the months' sizes from the raw index lines (nothing old enough to remove).
void BM_AplicarMeses(benchmark::State& state, int intercambios) {
    CrearArchivo(intercambios);
    clsArchivoIntercambios archivo(gRaiz);
    for (auto _ : state) archivo.AplicarMeses(100000, qint64(1) << 50, QDate(2026, 12, 31));
    if (archivo.Meses().size() != 12)
        state.SkipWithError(("the archive has " + std::to_string(archivo.Meses().size()) + " months").c_str());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    gRaiz = dir.filePath("Intercambios");
    benchmark::Initialize(&argc, argv);
    // Grouped by size, so that each archive is built once.
    const int tamanos[] = {100000, 500000};
    for (const int n : tamanos)
        for (const auto& [nombre, funcion] :
             {std::pair{"MesReciente", &BM_MesReciente}, std::pair{"PasadaAnterior", &BM_PasadaAnterior},
              std::pair{"BorrarTemporales", &BM_BorrarTemporales}, std::pair{"AplicarMeses", &BM_AplicarMeses}})
            benchmark::RegisterBenchmark((std::string(nombre) + "/" + std::to_string(n)).c_str(), funcion, n)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
    ReporteFiguras reporte([&tamanos](const ReporteFiguras::Figuras& f) {
        for (const int n : tamanos) {
            const auto tiempo = [&f, n](const char* nombre) {
                const auto it = f.find(std::string(nombre) + "/" + std::to_string(n));
                return it == f.end() ? 0.0 : it->second.tiempo;
            };
            const double base = tiempo("MesReciente");
            if (base <= 0) continue;
            std::printf(
                "%d exchanges: newest index %.1f ms; pass as it was (on the first request) %.1f ms (%.1fx); "
                "leftovers at start-up %.2f ms (%.2fx); months in their thread %.1f ms (%.1fx)\n",
                n, base, tiempo("PasadaAnterior"), tiempo("PasadaAnterior") / base, tiempo("BorrarTemporales"),
                tiempo("BorrarTemporales") / base, tiempo("AplicarMeses"), tiempo("AplicarMeses") / base);
        }
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    return 0;
}
