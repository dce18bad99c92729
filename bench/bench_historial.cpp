// How long the exchange history takes to show its first screen over a year of exchanges (100,000,
// each with the two index lines a request and its answer leave), against just reading the monthly
// indexes in the same run. The window reads the newest month first and the rest afterwards, so the
// first screen costs one month's index, the model and the first rows drawn; the whole year and a
// filter typed over it are measured too.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

#include "ReporteFiguras.h"
#include "exchange/clsArchivoIntercambios.h"
#include "journal/frmHistorialIntercambios.h"

namespace {

constexpr int kIntercambios = 100000;
QString gRaiz;

// A year of exchanges, one month's index at a time; every exchange is sent, then answered.
void CrearArchivo(const QString& raiz) {
    const QDateTime inicio(QDate(2026, 1, 1), QTime(8, 0));
    const qint64 paso = 365LL * 24 * 3600 * 1000 / kIntercambios;
    QMap<QString, QByteArray> indices;
    for (int n = 0; n < kIntercambios; ++n) {
        const QDateTime cuando = inicio.addMSecs(n * paso);
        clsItemIntercambio i;
        i.Id = cuando.toString("yyyyMMdd-HHmmsszzz") + "-term" + QString::number(n % 7);
        i.Enviado = cuando;
        i.Operacion = "01";
        i.Resultado = "enviado";
        i.Bytes = 900;
        i.Empresa = QString::number(n % 12).rightJustified(2, '0');
        i.Tarjeta = QString("603493-%1").arg(n % 5000, 6, 10, QChar('0'));
        QByteArray& indice = indices[cuando.toString("yyyy-MM")];
        indice += clsArchivoIntercambios::LineaIndice(i);
        i.Respondido = cuando.addSecs(3);
        i.Resultado = n % 20 ? "procesada" : "error";
        i.Estado = n % 20 ? "0 Aprobada" : "12 Afiliado inexistente";
        i.Ticket = QString::number(100000 + n);
        i.Bytes = 2400;
        indice += clsArchivoIntercambios::LineaIndice(i);
    }
    for (auto it = indices.begin(); it != indices.end(); ++it) {
        QDir().mkpath(raiz + "/" + it.key());
        QFile f(raiz + "/" + it.key() + "/indice.txt");
        if (!f.open(QIODevice::WriteOnly) || f.write(it.value()) != it.value().size())
            throw std::runtime_error("cannot write the index");
    }
}

// Baseline: every monthly index read from disk and its lines counted.
void BM_LeerIndices(benchmark::State& state) {
    for (auto _ : state) {
        qint64 lineas = 0;
        for (const QString& mes : QDir(gRaiz).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
            QFile f(gRaiz + "/" + mes + "/indice.txt");
            if (!f.open(QIODevice::ReadOnly)) continue;
            lineas += f.readAll().count('\n');
        }
        if (lineas != 2 * kIntercambios) state.SkipWithError("the baseline did not read every line");
    }
    state.SetItemsProcessed(state.iterations() * kIntercambios);
}

// The window opened from the menu: archive read, newest first, the first screen drawn.
void BM_PrimeraPantalla(benchmark::State& state) {
    for (auto _ : state) {
        frmHistorialIntercambios ventana(gRaiz, {});
        ventana.show();
        benchmark::DoNotOptimize(ventana.grab());
        if (ventana.Modelo().rowCount() < frmHistorialIntercambios::kPrimeraPantalla)
            state.SkipWithError("the first screen is not full");
    }
}

// The rest of the year read a month per turn of the event loop, as the open window does it.
void BM_ListaCompleta(benchmark::State& state) {
    for (auto _ : state) {
        frmHistorialIntercambios ventana(gRaiz, {});
        ventana.TerminarCarga();
        if (ventana.Modelo().rowCount() != kIntercambios) state.SkipWithError("the list did not get every exchange");
    }
    state.SetItemsProcessed(state.iterations() * kIntercambios);
}

// Typing a card in the filter of an open window.
void BM_FiltrarTarjeta(benchmark::State& state) {
    frmHistorialIntercambios ventana(gRaiz, {});
    ventana.TerminarCarga();
    auto* tarjeta = ventana.findChild<QLineEdit*>("txtTarjeta");
    for (auto _ : state) {
        tarjeta->setText("-000123");
        if (ventana.Modelo().rowCount() != kIntercambios / 5000) state.SkipWithError("the filter missed rows");
        tarjeta->clear();
    }
}

BENCHMARK(BM_LeerIndices)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrimeraPantalla)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListaCompleta)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FiltrarTarjeta)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    gRaiz = dir.filePath("Intercambios");
    CrearArchivo(gRaiz);
    benchmark::Initialize(&argc, argv);
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto base = f.find("BM_LeerIndices");
        const auto ventana = f.find("BM_PrimeraPantalla");
        if (base == f.end() || ventana == f.end() || base->second.tiempo <= 0) return;
        std::printf("First screen of %d exchanges: %.1f ms; reading the indexes alone: %.1f ms; ratio %.2f\n",
                    kIntercambios, ventana->second.tiempo, base->second.tiempo,
                    ventana->second.tiempo / base->second.tiempo);
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    return 0;
}
