// Catalog access through the client's classes against plain SQLiteCpp prepared statements doing
// the same work in the same run: 100,000 medications inserted and found one by one by troquel inside
// one transaction, and a name search with the dialect's "AMO*" pattern over those rows.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "ReporteFiguras.h"
#include "catalogs/clsMedicamento.h"
#include "core/modConexion.h"
#include "platform/BaseDatos.h"

namespace {

constexpr int kFilas = 100000;
const char* const kPrefijos[] = {"AMOXIDAL",   "BAYASPIRINA", "CLONAGIN", "DIOXADOL", "ERITROMICINA",
                                 "FLUCONAZOL", "GEMFIBROZIL", "HEPARINA", "IBUPIRAC", "KETOROLAC"};

QString Nombre(int i) { return QString("%1 %2").arg(kPrefijos[i % 10]).arg(i); }

// A fresh database made from the delivered schema.
QString CrearBase(const QTemporaryDir& dir, const char* nombre) {
    const QString archivo = dir.filePath(nombre);
    QFile esquema(TARSA_SCHEMA_SQL);
    if (!esquema.open(QIODevice::ReadOnly)) std::abort();
    SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(esquema.readAll().toStdString());
    return archivo;
}

QTemporaryDir& Directorio() {
    static QTemporaryDir dir;
    return dir;
}

void AbrirBaseCliente() {
    static const QString archivo = CrearBase(Directorio(), "cliente.mdb");
    if (!gDB) {
        gDB = std::make_unique<BaseDatos>();
        gDB->Abrir(archivo);
    }
    gDB->Ejecutar("DELETE FROM Medicamentos");
}

SQLite::Database& BaseNativa() {
    static const QString archivo = CrearBase(Directorio(), "nativa.db");
    static SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE);
    db.exec("DELETE FROM Medicamentos");
    return db;
}

void Clase_AltaYBusqueda(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        AbrirBaseCliente();
        state.ResumeTiming();
        gDB->ComenzarTransaccion();
        clsMedicamento med;
        for (int i = 1; i <= kFilas; ++i)
            med.Procesar(1, i, QString::number(7790000000000LL + i), Nombre(i), "500 MG x 16", i % 100000, 1, 7);
        qint64 suma = 0;
        for (int i = 1; i <= kFilas; ++i) {
            med.Buscar({}, i);
            suma += med.Troquel;
        }
        gDB->ConfirmarTransaccion();
        if (suma != qint64(kFilas) * (kFilas + 1) / 2) state.SkipWithError("lookups did not find every row");
    }
    state.SetItemsProcessed(state.iterations() * kFilas);
}

void Nativa_AltaYBusqueda(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        SQLite::Database& db = BaseNativa();
        state.ResumeTiming();
        SQLite::Transaction tx(db);
        SQLite::Statement alta(db,
                               "INSERT OR IGNORE INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, "
                               "Presentacion, Precio, TipoMedicamento, CodProveedor, Baja) "
                               "VALUES (1, ?, ?, ?, '500 MG x 16', ?/100.0, 1, 7, 0)");
        for (int i = 1; i <= kFilas; ++i) {
            alta.bind(1, i);
            alta.bind(2, QString::number(7790000000000LL + i).toStdString());
            alta.bind(3, Nombre(i).toStdString());
            alta.bind(4, i % 100000);
            alta.exec();
            alta.reset();
        }
        SQLite::Statement busca(db,
                                "SELECT Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, "
                                "CodProveedor, Baja FROM Medicamentos WHERE Troquel = ?");
        qint64 suma = 0;
        for (int i = 1; i <= kFilas; ++i) {
            busca.bind(1, i);
            if (busca.executeStep()) {
                suma += busca.getColumn(0).getInt64();
                // The same copies into the program's own types as the class makes.
                benchmark::DoNotOptimize(QString::fromUtf8(busca.getColumn(2).getText()));
                benchmark::DoNotOptimize(QString::fromUtf8(busca.getColumn(1).getText()));
                benchmark::DoNotOptimize(QString::fromUtf8(busca.getColumn(3).getText()));
            }
            busca.reset();
        }
        tx.commit();
        if (suma != qint64(kFilas) * (kFilas + 1) / 2) state.SkipWithError("lookups did not find every row");
    }
    state.SetItemsProcessed(state.iterations() * kFilas);
}

// The rows of the search, walked to the end as the search dialog lists them.
void Clase_BusquedaPorNombre(benchmark::State& state) {
    AbrirBaseCliente();
    gDB->ComenzarTransaccion();
    clsMedicamento med;
    for (int i = 1; i <= kFilas; ++i) med.Procesar(1, i, "", Nombre(i), "", 100, 1, 7);
    gDB->ConfirmarTransaccion();
    for (auto _ : state) {
        int n = 0;
        for (auto rs = med.Buscar("Nombre LIKE 'AMO*'"); !rs->EOF_(); rs->MoveNext()) {
            benchmark::DoNotOptimize(rs->Campo("Nombre").toString());
            ++n;
        }
        if (n != kFilas / 10) state.SkipWithError("wrong number of rows");
    }
    state.SetItemsProcessed(state.iterations() * kFilas);
}

void Nativa_BusquedaPorNombre(benchmark::State& state) {
    SQLite::Database& db = BaseNativa();
    {
        SQLite::Transaction tx(db);
        SQLite::Statement alta(db, "INSERT INTO Medicamentos (IdEmpresa, Troquel, Nombre) VALUES (1, ?, ?)");
        for (int i = 1; i <= kFilas; ++i) {
            alta.bind(1, i);
            alta.bind(2, Nombre(i).toStdString());
            alta.exec();
            alta.reset();
        }
        tx.commit();
    }
    for (auto _ : state) {
        int n = 0;
        SQLite::Statement busca(db,
                                "SELECT Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, "
                                "CodProveedor, Baja FROM Medicamentos WHERE Nombre LIKE 'AMO%'");
        while (busca.executeStep()) {
            benchmark::DoNotOptimize(QString::fromUtf8(busca.getColumn(2).getText()));
            ++n;
        }
        if (n != kFilas / 10) state.SkipWithError("wrong number of rows");
    }
    state.SetItemsProcessed(state.iterations() * kFilas);
}

BENCHMARK(Clase_AltaYBusqueda)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Nativa_AltaYBusqueda)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Clase_BusquedaPorNombre)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Nativa_BusquedaPorNombre)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The rows per second of the classes over those of SQLiteCpp.
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto filasPorSegundo = [&](const std::string& nombre) {
            const auto it = f.find(nombre);
            return it == f.end() ? 0.0 : it->second.Contador("items_per_second");
        };
        for (const std::string caso : {"AltaYBusqueda", "BusquedaPorNombre"}) {
            const double clase = filasPorSegundo("Clase_" + caso), nativa = filasPorSegundo("Nativa_" + caso);
            if (clase <= 0 || nativa <= 0) continue;
            std::printf("%-18s clase %10.0f filas/s   SQLiteCpp %10.0f filas/s   clase/SQLiteCpp %.3f\n", caso.c_str(),
                        clase, nativa, clase / nativa);
        }
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    gDB.reset();
    benchmark::Shutdown();
    return 0;
}
