// The terminal configuration import at its limit of 10,000 records, and a start whose configuration
// did not change (1,000 records: the catalog steps of start-up, links included), against SQLiteCpp
// prepared statements writing the same rows inside one transaction in the same run.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "ReporteFiguras.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modConexion.h"
#include "core/modTarsa.h"
#include "platform/BaseDatos.h"

namespace {

QTemporaryDir& Directorio() {
    static QTemporaryDir dir;
    return dir;
}

QString CrearBase(const char* nombre) {
    const QString archivo = Directorio().filePath(nombre);
    QFile::remove(archivo);
    QFile esquema(TARSA_SCHEMA_SQL);
    if (!esquema.open(QIODevice::ReadOnly)) std::abort();
    SQLite::Database db(archivo.toStdString(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
    db.exec(esquema.readAll().toStdString());
    return archivo;
}

struct Registro {
    QByteArray licencia, empresa, nombreEmpresa, actividad, nombreActividad;
};

// n records: one licence each, ten companies, thirteen activities; variante changes every name.
QList<Registro> Registros(int n, char variante) {
    QList<Registro> r;
    for (int i = 0; i < n; ++i) {
        const QByteArray empresa = QByteArray::number(i % 10 + 1).rightJustified(2, '0');
        const QByteArray actividad = QByteArray::number(i / 10 % 13 + 1).rightJustified(2, '0');
        r.append({QByteArray::number(10000000 + i), empresa, ("EMPRESA " + empresa + variante).leftJustified(30, ' '),
                  actividad, ("ACTIVIDAD " + actividad + variante).leftJustified(30, ' ')});
    }
    return r;
}

void EscribirEmp(const QList<Registro>& registros) {
    QByteArray bytes;
    for (const Registro& r : registros)
        bytes += r.licencia + r.empresa + r.nombreEmpresa + r.actividad + r.nombreActividad + "\r\n";
    QFile f(Directorio().filePath("_Quelo.emp"));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) std::abort();
}

void AbrirBaseCliente() {
    gDB.reset();
    gDB = std::make_unique<BaseDatos>();
    gDB->Abrir(CrearBase("cliente.mdb"));
    gQueloPath = Directorio().path();
    gTermDir = "term1";
}

void Clase_Importar(benchmark::State& state) {
    const int n = int(state.range(0));
    AbrirBaseCliente();
    char variante = 'A';
    for (auto _ : state) {
        state.PauseTiming();
        EscribirEmp(Registros(n, variante));
        variante = variante == 'A' ? 'B' : 'A';
        state.ResumeTiming();
        ImportarConfiguracion(false);
        if (gColLicAct.size() < n) state.SkipWithError("the links were not all made");
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void Nativa_Importar(benchmark::State& state) {
    const int n = int(state.range(0));
    SQLite::Database db(CrearBase("nativa.db").toStdString(), SQLite::OPEN_READWRITE);
    char variante = 'A';
    for (auto _ : state) {
        const QList<Registro> registros = Registros(n, variante);
        variante = variante == 'A' ? 'B' : 'A';
        SQLite::Transaction tx(db);
        for (const char* tabla : {"Empresas", "Actividades", "Prestadores", "PrestadorActividad"})
            db.exec(std::string("DELETE FROM ") + tabla);
        SQLite::Statement empresa(db,
                                  "INSERT OR IGNORE INTO Empresas (IdEmpresa, Nombre, CodigoQuelo) VALUES (?, ?, ?)");
        SQLite::Statement actividad(db,
                                    "INSERT OR IGNORE INTO Actividades (IdEmpresa, IdActividad, Nombre, Tipo, "
                                    "CodigoQuelo) VALUES (?, ?, ?, '1', ?)");
        SQLite::Statement prestador(db,
                                    "INSERT OR IGNORE INTO Prestadores (Codigo, Nombre, Tipo, LicenciaQuelo, "
                                    "Matricula, CadenaSucursales) VALUES (?, ?, '0', ?, 0, 0)");
        SQLite::Statement enlace(db,
                                 "INSERT OR IGNORE INTO PrestadorActividad (Codigo, IdEmpresa, IdActividad) "
                                 "VALUES (?, ?, ?)");
        for (const Registro& r : registros) {
            const int idEmpresa = r.empresa.toInt(), idActividad = r.actividad.toInt();
            empresa.bind(1, idEmpresa), empresa.bind(2, r.nombreEmpresa.constData()),
                empresa.bind(3, r.empresa.constData());
            empresa.exec(), empresa.reset();
            actividad.bind(1, idEmpresa), actividad.bind(2, idActividad);
            actividad.bind(3, r.nombreActividad.constData()), actividad.bind(4, r.actividad.constData());
            actividad.exec(), actividad.reset();
            prestador.bind(1, r.licencia.constData()), prestador.bind(2, r.licencia.constData());
            prestador.bind(3, r.licencia.constData());
            prestador.exec(), prestador.reset();
            enlace.bind(1, r.licencia.constData()), enlace.bind(2, idEmpresa), enlace.bind(3, idActividad);
            enlace.exec(), enlace.reset();
        }
        tx.commit();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

// The catalog steps of a start whose configuration files are no newer than their last import.
void Clase_InicioSinCambios(benchmark::State& state) {
    const int n = int(state.range(0));
    AbrirBaseCliente();
    EscribirEmp(Registros(n, 'A'));
    ImportarConfiguracion(false);
    for (auto _ : state) {
        gFechaQueloPrm = gFechaQueloEmp = QDate::currentDate().addDays(1).toString("dd/MM/yyyy");
        QString marcador;
        CargarCatalogosInicio(marcador);
        if (gColLicAct.size() < n) state.SkipWithError("the links were lost");
    }
    state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(Clase_Importar)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Nativa_Importar)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Clase_InicioSinCambios)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The import over SQLiteCpp writing the same rows; the unchanged start in records per second.
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto tiempo = [&](const std::string& nombre) {
            const auto it = f.find(nombre);
            return it == f.end() ? 0.0 : it->second.tiempo;
        };
        const double clase = tiempo("Clase_Importar"), nativa = tiempo("Nativa_Importar");
        if (clase > 0 && nativa > 0)
            std::printf("Importar 10000      clase %10.0f ms   SQLiteCpp %10.0f ms   clase/SQLiteCpp %.1f\n", clase,
                        nativa, clase / nativa);
        if (const double inicio = tiempo("Clase_InicioSinCambios"); inicio > 0)
            std::printf("Inicio sin cambios  %10.0f ms con 1000 registros (SQLiteCpp escribiendo 10000: %.0f ms)\n",
                        inicio, nativa);
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    gDB.reset();
    benchmark::Shutdown();
    return 0;
}
