// Start-up's database connection (compact into a new file, replace, open) on a database holding
// 200,000 catalog rows, against a plain copy of the same file in the same run.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

#include "core/modTarsa.h"

namespace {

QTemporaryDir& Dir() {
    static QTemporaryDir dir;
    return dir;
}

QString Base() { return Dir().filePath("TarsaCliente.mdb"); }

void CrearBase(int filas) {
    std::ifstream in(TARSA_SCHEMA_SQL);
    std::stringstream sql;
    sql << in.rdbuf();
    SQLite::Database db(Base().toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
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
    t.commit();
}

void BM_Conectar(benchmark::State& state) {
    for (auto _ : state) {
        if (!Conectar(Base())) state.SkipWithError("Conectar failed");
        gDB.reset();
    }
    state.counters["MB"] = QFile(Base()).size() / 1e6;
}

void BM_CopiaSimple(benchmark::State& state) {
    const QString copia = Dir().filePath("copia.mdb");
    for (auto _ : state) {
        QFile::remove(copia);
        if (!QFile::copy(Base(), copia)) state.SkipWithError("copy failed");
    }
}

}  // namespace

BENCHMARK(BM_CopiaSimple)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Conectar)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CrearBase(200000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
