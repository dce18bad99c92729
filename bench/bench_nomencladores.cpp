// A catalog update of medications (the V250 file the terminal delivers, changes only, into an empty
// table) through the client's update routine, against two baselines in the same run, at 10,000,
// 50,000, 100,000 and 500,000 rows:
// - the raw rate: the same file read record by record and applied with SQLiteCpp prepared statements
//   (look the troquel up, insert it) in one transaction;
// - the floor: the same work in plain C through the sqlite3 API, the file read with stdio and the
//   fields bound where they lie in the record.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CatalogosTerminal.h"
#include "ReporteFiguras.h"
#include "catalogs/modNomencladores.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "platform/BaseDatos.h"

namespace {

constexpr int kLongitud = 121;  // the V250 medications record
const std::vector<int64_t> kTamanos{10000, 50000, 100000, 500000};

QTemporaryDir& Directorio() {
    static QTemporaryDir dir;
    return dir;
}

QString CrearBase(const QString& nombre) {
    const QString archivo = Directorio().filePath(nombre);
    QFile esquema(TARSA_SCHEMA_SQL);
    if (!esquema.open(QIODevice::ReadOnly)) std::abort();
    SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(esquema.readAll().toStdString());
    return archivo;
}

// The exchange directory of a size, with the delivered medications file in DownLoad, made once; it
// becomes this run's exchange directory.
QString Intercambio(int filas) {
    static QSet<int> hechos;
    gQueloPath = Directorio().path();
    gTermDir = QString("term%1").arg(filas);
    const QString dir = DirectorioIntercambio();
    if (!hechos.contains(filas)) {
        QDir().mkpath(dir + "/DownLoad");
        QDir().mkpath(dir + "/UpLoad");
        Demo::GenerarCatalogos(dir + "/DownLoad", "V250", "1", {filas, 0, 0});
        hechos.insert(filas);
    }
    return dir;
}

void Cliente_ActualizarMedicamentos(benchmark::State& state) {
    const int filas = static_cast<int>(state.range(0));
    Intercambio(filas);
    static const QString archivo = CrearBase("cliente.mdb");
    gDB = std::make_unique<BaseDatos>();
    gDB->Abrir(archivo);
    gVersion = "V250";
    gTipoActividad = "1";
    gEmpresa = "1";
    gTerminal = "LIC1";
    const PedidoNomencladores pedido{false, true, false, false, false, false};
    for (auto _ : state) {
        state.PauseTiming();
        gDB->Ejecutar("DELETE FROM Medicamentos");
        state.ResumeTiming();
        if (!ActualizarNomencladores(pedido)) state.SkipWithError("the update failed");
    }
    if (gDB->Consultar("SELECT COUNT(*) FROM Medicamentos")->Campo(0).toInt() != filas)
        state.SkipWithError("the update did not insert every row");
    state.SetItemsProcessed(state.iterations() * filas);
    gDB.reset();
}

std::string Texto(const QByteArray& r, int desde, int ancho) {
    return QString::fromLatin1(r.mid(desde, ancho)).trimmed().toStdString();
}

void Nativa_ActualizarMedicamentos(benchmark::State& state) {
    const int filas = static_cast<int>(state.range(0));
    const QString origen = Intercambio(filas) + "/DownLoad/_SAL.3";
    static const QString archivo = CrearBase("nativa.db");
    SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE);
    for (auto _ : state) {
        state.PauseTiming();
        db.exec("DELETE FROM Medicamentos");
        state.ResumeTiming();
        QFile f(origen);
        if (!f.open(QIODevice::ReadOnly)) std::abort();
        SQLite::Transaction tx(db);
        SQLite::Statement busca(db, "SELECT Troquel FROM Medicamentos WHERE Troquel = ?");
        SQLite::Statement alta(db,
                               "INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, "
                               "Precio, TipoMedicamento, CodProveedor, Baja) VALUES (1, ?, ?, ?, ?, ?/100.0, ?, ?, ?)");
        while (true) {
            const QByteArray r = f.read(kLongitud);
            if (r.size() < kLongitud) break;
            const int64_t troquel = r.left(7).trimmed().toLongLong();
            busca.bind(1, troquel);
            const bool existe = busca.executeStep();
            busca.reset();
            if (existe) continue;
            alta.bind(1, troquel);
            alta.bind(2, Texto(r, 7, 13));
            alta.bind(3, Texto(r, 20, 50));
            alta.bind(4, Texto(r, 70, 25));
            alta.bind(5, static_cast<int64_t>(r.mid(95, 11).trimmed().toLongLong()));
            alta.bind(6, r.mid(106, 3).trimmed().toInt());
            alta.bind(7, static_cast<int64_t>(r.mid(109, 9).trimmed().toLongLong()));
            alta.bind(8, r.mid(118, 1) == "1" ? 1 : 0);
            alta.exec();
            alta.reset();
        }
        tx.commit();
    }
    state.SetItemsProcessed(state.iterations() * filas);
}

// ---- The floor: plain C.

// Binds a field of the record without its blanks, where it lies (the record outlives the step).
void CampoC(sqlite3_stmt* s, int i, const char* r, int desde, int ancho) {
    const char* a = r + desde;
    const char* b = a + ancho;
    while (a < b && *a == ' ') ++a;
    while (b > a && b[-1] == ' ') --b;
    sqlite3_bind_text(s, i, a, static_cast<int>(b - a), SQLITE_STATIC);
}

long long NumeroC(const char* r, int desde, int ancho) {
    char n[24] = {};
    std::memcpy(n, r + desde, ancho);
    return std::strtoll(n, nullptr, 10);
}

void C_ActualizarMedicamentos(benchmark::State& state) {
    const int filas = static_cast<int>(state.range(0));
    const QByteArray origen = (Intercambio(filas) + "/DownLoad/_SAL.3").toLocal8Bit();
    static const QByteArray archivo = CrearBase("c.db").toLocal8Bit();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(archivo.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) std::abort();
    for (auto _ : state) {
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM Medicamentos", nullptr, nullptr, nullptr);
        state.ResumeTiming();
        std::FILE* f = std::fopen(origen.constData(), "rb");
        if (!f) std::abort();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* busca = nullptr;
        sqlite3_stmt* alta = nullptr;
        sqlite3_prepare_v2(db, "SELECT Troquel FROM Medicamentos WHERE Troquel = ?", -1, &busca, nullptr);
        sqlite3_prepare_v2(db,
                           "INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, "
                           "Precio, TipoMedicamento, CodProveedor, Baja) VALUES (1, ?, ?, ?, ?, ?/100.0, ?, ?, ?)",
                           -1, &alta, nullptr);
        char r[kLongitud];
        while (std::fread(r, 1, kLongitud, f) == kLongitud) {
            const long long troquel = NumeroC(r, 0, 7);
            sqlite3_bind_int64(busca, 1, troquel);
            const bool existe = sqlite3_step(busca) == SQLITE_ROW;
            sqlite3_reset(busca);
            if (existe) continue;
            sqlite3_bind_int64(alta, 1, troquel);
            CampoC(alta, 2, r, 7, 13);
            CampoC(alta, 3, r, 20, 50);
            CampoC(alta, 4, r, 70, 25);
            sqlite3_bind_int64(alta, 5, NumeroC(r, 95, 11));
            sqlite3_bind_int64(alta, 6, NumeroC(r, 106, 3));
            sqlite3_bind_int64(alta, 7, NumeroC(r, 109, 9));
            sqlite3_bind_int(alta, 8, r[118] == '1');
            sqlite3_step(alta);
            sqlite3_reset(alta);
        }
        sqlite3_finalize(busca);
        sqlite3_finalize(alta);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        std::fclose(f);
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * filas);
}

}  // namespace

int main(int argc, char** argv) {
    // Size by size, the baselines next to the client, so that all three see the same load.
    for (const int64_t n : kTamanos) {
        benchmark::RegisterBenchmark("Cliente_ActualizarMedicamentos", Cliente_ActualizarMedicamentos)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
        benchmark::RegisterBenchmark("Nativa_ActualizarMedicamentos", Nativa_ActualizarMedicamentos)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
        benchmark::RegisterBenchmark("C_ActualizarMedicamentos", C_ActualizarMedicamentos)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond)
            ->MinTime(1.0);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The client's rows per second over those of the raw statements and of plain C, size by size.
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto filasPorSegundo = [&](const std::string& nombre) {
            const auto it = f.find(nombre);
            return it == f.end() ? 0.0 : it->second.Contador("items_per_second");
        };
        for (const int64_t n : kTamanos) {
            const std::string sufijo = "/" + std::to_string(n);
            const double a = filasPorSegundo("Cliente_ActualizarMedicamentos" + sufijo),
                         b = filasPorSegundo("Nativa_ActualizarMedicamentos" + sufijo),
                         c = filasPorSegundo("C_ActualizarMedicamentos" + sufijo);
            if (a > 0 && b > 0 && c > 0)
                std::printf(
                    "Catalog update of %7lld rows: client %7.0f rows/s, raw statements %7.0f rows/s, plain C %7.0f "
                    "rows/s; client/raw %.2f, client/C %.2f\n",
                    static_cast<long long>(n), a, b, c, a / b, a / c);
        }
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    return 0;
}
