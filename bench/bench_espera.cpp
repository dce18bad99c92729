// Answer latency of the wait window: the time from the moment Estado.rsp holds its complete line to
// the end of the wait, with the directory watch and with the 500 ms poll alone (the baseline), in the
// same run. The terminal writes in two steps, as some do: it creates the status file at a random
// moment of the poll period and writes the line 1 to 30 ms later.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/frmProcesando.h"
#include "platform/ui/Modal.h"

namespace {

using Reloj = std::chrono::steady_clock;

double Mediana(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

double gMedianaVigilancia = 0;
double gMedianaSondeo = 0;

void Espera(benchmark::State& state, bool vigilar) {
    QTemporaryDir tmp;
    gQueloPath = tmp.path();
    gTermDir = "term1";
    const QString d = DirectorioIntercambio();
    QDir().mkpath(d);
    const QString estado = d + "/Estado.rsp";
    frmProcesando::VigilarDirectorio = vigilar;

    Reloj::time_point creado;
    QFile f(estado);
    EstablecerManejadorModal([&](QDialog& dialogo) {
        const int retraso = static_cast<int>(QRandomGenerator::global()->bounded(500));
        const int pausa = 1 + static_cast<int>(QRandomGenerator::global()->bounded(30));
        QTimer::singleShot(retraso, &dialogo, [&, pausa] {
            f.open(QIODevice::WriteOnly);
            f.flush();
            QTimer::singleShot(pausa, &dialogo, [&] {
                f.write("0 Transaccion aprobada\r\n");
                f.close();
                creado = Reloj::now();
            });
        });
        return dialogo.exec();
    });

    std::vector<double> muestras;
    for (auto _ : state) {
        QFile::remove(estado);
        frmProcesando espera;
        const bool fin = espera.Cargar();
        const auto terminado = Reloj::now();
        if (!fin) state.SkipWithError("the wait was cancelled");
        if (f.isOpen()) {
            f.close();
            state.SkipWithError("the wait ended before the line was complete");
        }
        const double s = std::chrono::duration<double>(terminado - creado).count();
        state.SetIterationTime(s);
        muestras.push_back(s * 1000);
    }
    const double mediana = Mediana(muestras);
    state.counters["mediana_ms"] = mediana;
    (vigilar ? gMedianaVigilancia : gMedianaSondeo) = mediana;
    EstablecerManejadorModal({});
    frmProcesando::VigilarDirectorio = true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("Espera/sondeo_500ms", Espera, false)
        ->UseManualTime()
        ->Iterations(20)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Espera/vigilancia_directorio", Espera, true)
        ->UseManualTime()
        ->Iterations(40)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gMedianaVigilancia > 0 && gMedianaSondeo > 0)
        std::printf("mediana con vigilancia %.2f ms, sondeo solo %.2f ms: %.0f veces más rápido\n", gMedianaVigilancia,
                    gMedianaSondeo, gMedianaSondeo / gMedianaVigilancia);
    return 0;
}
