// Answer latency of the wait window: the time from the moment Estado.rsp holds its complete line to
// the end of the wait, with the watch and with the 500 ms poll alone, against (on Linux) a small
// waiter that reads the file as soon as inotify reports a write into it, all in the same run. The
// terminal writes in two steps, as some do: it creates the status file at a random moment of the
// poll period and writes the line 1 to 30 ms later.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>

#include <QEventLoop>
#include <QSocketNotifier>
#endif
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
double gMedianaInotify = 0;

// The terminal: creates the status file at a random moment of the poll period, writes its line a
// moment later and closes it, noting when.
void Escribir(QObject* contexto, QFile& f, Reloj::time_point& escrito) {
    const int retraso = static_cast<int>(QRandomGenerator::global()->bounded(500));
    const int pausa = 1 + static_cast<int>(QRandomGenerator::global()->bounded(30));
    QTimer::singleShot(retraso, contexto, [&, contexto, pausa] {
        f.open(QIODevice::WriteOnly);
        f.flush();
        QTimer::singleShot(pausa, contexto, [&] {
            f.write("0 Transaccion aprobada\r\n");
            f.close();
            escrito = Reloj::now();
        });
    });
}

QString DirectorioEstado(QTemporaryDir& tmp) {
    gQueloPath = tmp.path();
    gTermDir = "term1";
    const QString d = DirectorioIntercambio();
    QDir().mkpath(d);
    return d;
}

void Espera(benchmark::State& state, bool vigilar) {
    QTemporaryDir tmp;
    const QString estado = DirectorioEstado(tmp) + "/Estado.rsp";
    frmProcesando::VigilarDirectorio = vigilar;

    Reloj::time_point creado;
    QFile f(estado);
    EstablecerManejadorModal([&](QDialog& dialogo) {
        Escribir(&dialogo, f, creado);
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

#ifdef Q_OS_LINUX
// The least a waiter can do: inotify on the directory (creation, writes, close after write) read in
// the same kind of event loop, the file read at each event until its line is complete.
void EsperaInotify(benchmark::State& state) {
    QTemporaryDir tmp;
    const QString d = DirectorioEstado(tmp);
    const QString estado = d + "/Estado.rsp";
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || inotify_add_watch(fd, QFile::encodeName(d).constData(), IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE) < 0) {
        state.SkipWithError("no inotify");
        return;
    }
    Reloj::time_point creado;
    QFile f(estado);
    std::vector<double> muestras;
    for (auto _ : state) {
        QFile::remove(estado);
        QEventLoop bucle;
        QSocketNotifier aviso(fd, QSocketNotifier::Read);
        QObject::connect(&aviso, &QSocketNotifier::activated, &bucle, [&] {
            char eventos[4096];
            while (read(fd, eventos, sizeof eventos) > 0) {
            }
            QFile lectura(estado);
            if (lectura.open(QIODevice::ReadOnly) && lectura.read(4096).contains('\n')) bucle.quit();
        });
        Escribir(&bucle, f, creado);
        bucle.exec();
        const auto terminado = Reloj::now();
        const double s = std::chrono::duration<double>(terminado - creado).count();
        state.SetIterationTime(s);
        muestras.push_back(s * 1000);
    }
    close(fd);
    gMedianaInotify = Mediana(muestras);
    state.counters["mediana_ms"] = gMedianaInotify;
}
#endif

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
#ifdef Q_OS_LINUX
    benchmark::RegisterBenchmark("Espera/inotify_minimo", EsperaInotify)
        ->UseManualTime()
        ->Iterations(40)
        ->Unit(benchmark::kMillisecond);
#endif
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (gMedianaVigilancia > 0 && gMedianaSondeo > 0)
        std::printf("mediana con vigilancia %.2f ms, sondeo solo %.2f ms: %.0f veces más rápido\n", gMedianaVigilancia,
                    gMedianaSondeo, gMedianaSondeo / gMedianaVigilancia);
    if (gMedianaVigilancia > 0 && gMedianaInotify > 0)
        std::printf("mediana con vigilancia %.3f ms, espera mínima con inotify %.3f ms: %.2f veces\n",
                    gMedianaVigilancia, gMedianaInotify, gMedianaVigilancia / gMedianaInotify);
    return 0;
}
