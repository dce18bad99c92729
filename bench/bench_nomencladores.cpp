// A catalog update of 50,000 medications (the V250 file the terminal delivers, changes only, into an
// empty table) through the client's update routine, against the raw rate in the same run: the same
// file read record by record and applied with SQLiteCpp prepared statements (look the troquel up,
// insert it) in one transaction.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "CatalogosTerminal.h"
#include "ReporteFiguras.h"
#include "catalogs/modNomencladores.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"

namespace {

constexpr int kMedicamentos = 50000;
constexpr int kLongitud = 121;  // the V250 medications record

QTemporaryDir& Directorio() {
    static QTemporaryDir dir;
    return dir;
}

QString CrearBase(const char* nombre) {
    const QString archivo = Directorio().filePath(nombre);
    QFile esquema(TARSA_SCHEMA_SQL);
    if (!esquema.open(QIODevice::ReadOnly)) std::abort();
    SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(esquema.readAll().toStdString());
    return archivo;
}

// The exchange directory with the delivered medications file in DownLoad, made once.
QString Intercambio() {
    static const QString d = [] {
        gQueloPath = Directorio().path();
        gTermDir = "term1";
        const QString dir = DirectorioIntercambio();
        QDir().mkpath(dir + "/DownLoad");
        QDir().mkpath(dir + "/UpLoad");
        Demo::GenerarCatalogos(dir + "/DownLoad", "V250", "1", {kMedicamentos, 0, 0});
        return dir;
    }();
    return d;
}

void Cliente_ActualizarMedicamentos(benchmark::State& state) {
    Intercambio();
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
    state.SetItemsProcessed(state.iterations() * kMedicamentos);
    gDB.reset();
}

std::string Texto(const QByteArray& r, int desde, int ancho) {
    return QString::fromLatin1(r.mid(desde, ancho)).trimmed().toStdString();
}

void Nativa_ActualizarMedicamentos(benchmark::State& state) {
    const QString origen = Intercambio() + "/DownLoad/_SAL.3";
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
    state.SetItemsProcessed(state.iterations() * kMedicamentos);
}

}  // namespace

BENCHMARK(Cliente_ActualizarMedicamentos)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(Nativa_ActualizarMedicamentos)->Unit(benchmark::kMillisecond)->MinTime(2.0);
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The client's rows per second over those of the raw statements.
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto cliente = f.find("Cliente_ActualizarMedicamentos");
        const auto nativa = f.find("Nativa_ActualizarMedicamentos");
        if (cliente == f.end() || nativa == f.end()) return;
        const double a = cliente->second.Contador("items_per_second"), b = nativa->second.Contador("items_per_second");
        if (a > 0 && b > 0)
            std::printf("Catalog update: client %.0f rows/s, raw statements %.0f rows/s, ratio %.2f\n", a, b, a / b);
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    return 0;
}
