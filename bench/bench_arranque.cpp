// Start to exit of the client on an installation with realistic catalogs (20,000 doctors, 12,500
// diagnoses, and 50,000 or 500,000 medications), against the smallest Qt Widgets program, each run
// as a process of its own in the same run. The client closes through its main window as soon as it
// shows, so the figure holds the start, the window and the exit with its backup. TARSA_CLIENTE_ANTES
// may name another build of that program (an earlier version), run on the same installations.
#include <SQLiteCpp/SQLiteCpp.h>
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

#include "PrepararDemo.h"
#include "ReporteFiguras.h"
#include "core/modTarsa.h"

namespace {

constexpr int kMedicos = 20000;
constexpr int kDiagnosticos = 12500;

QTemporaryDir& Dir() {
    static QTemporaryDir dir;
    return dir;
}

void Catalogos(const QString& base, int medicamentos) {
    SQLite::Database db(base.toStdString(), SQLite::OPEN_READWRITE);
    SQLite::Transaction t(db);
    SQLite::Statement m(
        db,
        "INSERT OR IGNORE INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, "
        "Precio, TipoMedicamento, CodProveedor, Baja) VALUES (1, ?, ?, ?, 'COMP.REC.X 30', ?, 1, 0, 0)");
    for (int i = 1; i <= medicamentos; ++i) {
        m.bind(1, 1000000 + i);
        m.bind(2, std::to_string(7790000000000LL + i));
        m.bind(3, "MEDICAMENTO " + std::to_string(i));
        m.bind(4, i * 0.37);
        m.exec();
        m.reset();
    }
    SQLite::Statement medico(db,
                             "INSERT OR IGNORE INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre, "
                             "Baja) VALUES (1, ?, 'MN', ?, 0)");
    for (int i = 1; i <= kMedicos; ++i) {
        medico.bind(1, 500000 + i);
        medico.bind(2, "APELLIDO " + std::to_string(i) + ", NOMBRE");
        medico.exec();
        medico.reset();
    }
    SQLite::Statement diagnostico(
        db, "INSERT OR IGNORE INTO Diagnosticos (IdEmpresa, Codigo, Nombre, Baja) VALUES (1, ?, ?, 0)");
    for (int i = 1; i <= kDiagnosticos; ++i) {
        diagnostico.bind(1, "Z" + std::to_string(i));
        diagnostico.bind(2, "DIAGNOSTICO " + std::to_string(i));
        diagnostico.exec();
        diagnostico.reset();
    }
    t.commit();
}

// One installation per size, prepared once; the client's first start (which imports the terminal's
// configuration) is not measured.
QProcessEnvironment Instalacion(int medicamentos) {
    static std::map<int, QProcessEnvironment> hechas;
    if (auto it = hechas.find(medicamentos); it != hechas.end()) return it->second;
    const Demo::Preparacion p = Demo::Preparar(Dir().filePath(QString::number(medicamentos)), BASE_ENTREGADA);
    Catalogos(p.aplicacion + "/" + kBaseDatos, medicamentos);
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("TARSA_APPDIR", p.aplicacion);
    e.insert("TARSA_SETTINGS", p.ajustes);
    if (!e.contains("QT_QPA_PLATFORM")) e.insert("QT_QPA_PLATFORM", "offscreen");
    return hechas[medicamentos] = e;
}

bool Correr(const QString& programa, const QProcessEnvironment& entorno) {
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(programa, {});
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

void BM_QtMinimo(benchmark::State& state) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    if (!e.contains("QT_QPA_PLATFORM")) e.insert("QT_QPA_PLATFORM", "offscreen");
    for (auto _ : state)
        if (!Correr(QT_MINIMO, e)) state.SkipWithError("the minimal program failed");
}

void BM_Cliente(benchmark::State& state, const QString& programa) {
    const QProcessEnvironment e = Instalacion(static_cast<int>(state.range(0)));
    if (!Correr(programa, e)) state.SkipWithError("the client's first start did not reach its window");
    for (auto _ : state)
        if (!Correr(programa, e)) state.SkipWithError("the client did not reach its window");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RegisterBenchmark("BM_QtMinimo", BM_QtMinimo)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(10);
    const QString antes = qEnvironmentVariable("TARSA_CLIENTE_ANTES");
    for (const auto& [nombre, programa] :
         {std::pair{"BM_Cliente", QString(CLIENTE_CERRADO)}, std::pair{"BM_ClienteAntes", antes}})
        if (!programa.isEmpty())
            benchmark::RegisterBenchmark(nombre, BM_Cliente, programa)
                ->Arg(50000)
                ->Arg(500000)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Iterations(10);
    ReporteFiguras reporte([](const ReporteFiguras::Figuras& f) {
        const auto minimo = f.find("BM_QtMinimo");
        if (minimo == f.end()) return;
        for (const char* n :
             {"BM_Cliente/50000", "BM_Cliente/500000", "BM_ClienteAntes/50000", "BM_ClienteAntes/500000"})
            if (auto c = f.find(n); c != f.end())
                std::printf("%s: %.1f ms, %.2f× the smallest Qt Widgets program (%.1f ms)\n", n, c->second.tiempo,
                            c->second.tiempo / minimo->second.tiempo, minimo->second.tiempo);
    });
    benchmark::RunSpecifiedBenchmarks(&reporte);
    benchmark::Shutdown();
    return 0;
}
