// Start-up's database connection on a database holding 200,000 catalog rows, against a plain copy
// of the same file in the same run: once with free pages left by deleted rows (compact into a new
// file, replace, open) and once with a file that is already compact (open only).
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "ReporteFiguras.h"
#include "core/modConexion.h"
#include "platform/BaseDatos.h"

namespace {

QTemporaryDir& Dir() {
    static QTemporaryDir dir;
    return dir;
}

QString Base() { return Dir().filePath("TarsaCliente.mdb"); }
// The database as a session of catalog updates leaves it: a tenth of the rows deleted.
QString ConHuecos() { return Dir().filePath("con-huecos.mdb"); }

void CrearBase(int filas) {
    std::ifstream in(TARSA_SCHEMA_SQL);
    std::stringstream sql;
    sql << in.rdbuf();
    SQLite::Database db(ConHuecos().toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(sql.str());
    SQLite::Transaction t(db);
    SQLite::Statement alta(db,
                           "INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, Precio, "
                           "TipoMedicamento, CodProveedor, Baja) VALUES (1, ?, ?, ?, 'COMP.REC.X 30', ?, 1, 0, 0)");
    for (int i = 1; i <= filas; ++i) {
        alta.bind(1, i);
        alta.bind(2, std::to_string(7790000000000LL + i));
        alta.bind(3, "MEDICAMENTO " + std::to_string(i));
        alta.bind(4, i * 0.37);
        alta.exec();
        alta.reset();
    }
    db.exec("DELETE FROM Medicamentos WHERE Troquel > " + std::to_string(filas - filas / 10));
    t.commit();
}

void Restaurar() {
    QFile::remove(Base());
    if (!QFile::copy(ConHuecos(), Base())) std::abort();
}

void BM_CopiaSimple(benchmark::State& state) {
    const QString copia = Dir().filePath("copia.mdb");
    for (auto _ : state) {
        QFile::remove(copia);
        if (!QFile::copy(ConHuecos(), copia)) state.SkipWithError("copy failed");
    }
}

void BM_Conectar(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Restaurar();
        state.ResumeTiming();
        if (!Conectar(Base())) state.SkipWithError("Conectar failed");
        gDB.reset();
    }
    state.counters["MB antes"] = QFile(ConHuecos()).size() / 1e6;
    state.counters["MB despues"] = QFile(Base()).size() / 1e6;
}

void BM_ConectarCompacta(benchmark::State& state) {
    Restaurar();
    if (!Conectar(Base())) state.SkipWithError("Conectar failed");
    gDB.reset();
    for (auto _ : state) {
        if (!Conectar(Base())) state.SkipWithError("Conectar failed");
        gDB.reset();
    }
}

}  // namespace

BENCHMARK(BM_CopiaSimple)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Conectar)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ConectarCompacta)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CrearBase(200000);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // Each connection's time over the copy's.
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto copia = f.find("BM_CopiaSimple");
        if (copia == f.end() || copia->second.tiempo <= 0) return;
        for (const char* caso : {"BM_Conectar", "BM_ConectarCompacta"})
            if (const auto it = f.find(caso); it != f.end())
                std::printf("%-20s %7.1f ms, plain copy %6.1f ms, ratio %.2f\n", caso, it->second.tiempo,
                            copia->second.tiempo, it->second.tiempo / copia->second.tiempo);
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    return 0;
}
