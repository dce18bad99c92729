// tarsa-terminal-sim: the other side of the exchange files, for demos and end-to-end tests.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QAbstractNativeEventFilter>
#endif

#include "Terminal.h"

namespace {

volatile std::sig_atomic_t gDetener = 0;

extern "C" void AlDetener(int) { gDetener = 1; }

#ifdef Q_OS_WIN
// Windows has no SIGTERM: QProcess::terminate posts WM_CLOSE to the main thread of a program with
// no window, and a program that does not take it can only be killed.
class CierreWindows : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray&, void* mensaje, qintptr*) override {
        const MSG* m = static_cast<const MSG*>(mensaje);
        if (m->hwnd == nullptr && m->message == WM_CLOSE) gDetener = 1;
        return false;
    }
};
#endif

[[noreturn]] void Fallar(const QString& mensaje) {
    std::fprintf(stderr, "tarsa-terminal-sim: %s\n", mensaje.toLocal8Bit().constData());
    std::exit(2);
}

int Entero(const QCommandLineParser& p, const QString& opcion, int porDefecto) {
    if (!p.isSet(opcion)) return porDefecto;
    bool ok = false;
    const int n = p.value(opcion).toInt(&ok);
    if (!ok || n < 0) Fallar(QString("--%1 espera un número entero no negativo").arg(opcion));
    return n;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tarsa-terminal-sim");

    QCommandLineParser p;
    p.setApplicationDescription("Simulated terminal: answers the client's request files in a working directory.");
    p.addHelpOption();
    p.addOptions({
        {"dir", "Working directory to watch (the client's QUELO_Path).", "dir"},
        {"scenario", "ok, error, item-errors, ticket-error, no-answer or delay (default ok).", "name", "ok"},
        {"delay-ms", "Wait before answering (default 3000 in the delay scenario, 0 otherwise).", "ms"},
        {"version", "Answer only requests of this protocol version, V101 or V250 (default: any).", "V"},
        {"catalogs", "Directory with the catalog files _SAL.2 .. _SAL.5 to deliver.", "dir"},
        {"max-requests", "Stop after answering this many requests (default: never).", "n"},
        {"status-text", "Status line written into Estado.rsp instead of the scenario's own.", "text"},
        {"first-ticket", "Number of the first ticket or closure answered (default 1001).", "n"},
        {"status-pause-ms", "Write Estado.rsp in two steps: create it, wait this many ms, write the line.", "ms"},
        {"answer-after",
         "Hold each answer until this file exists (made once the client has cancelled); "
         "the file is removed as the answer goes out.",
         "file"},
    });
    p.process(app);

    terminal::Opciones op;
    op.dir = p.value("dir");
    if (op.dir.isEmpty() || !QDir(op.dir).exists()) Fallar("--dir debe nombrar un directorio existente");
    op.dir = QDir(op.dir).absolutePath();
    const QString escenario = p.value("scenario");
    bool conocido = false;
    for (auto e : {terminal::Escenario::Ok, terminal::Escenario::Error, terminal::Escenario::ErroresItems,
                   terminal::Escenario::ErrorTicket, terminal::Escenario::SinRespuesta, terminal::Escenario::Demora}) {
        if (terminal::NombreEscenario(e) == escenario) {
            op.escenario = e;
            conocido = true;
        }
    }
    if (!conocido) Fallar("escenario desconocido: " + escenario);
    op.demoraMs = Entero(p, "delay-ms", -1);
    op.version = p.value("version").toUpper();
    if (!op.version.isEmpty() && op.version != "V101" && op.version != "V250") Fallar("--version espera V101 o V250");
    op.catalogos = p.value("catalogs");
    op.maxPedidos = Entero(p, "max-requests", 0);
    op.textoEstado = p.value("status-text");
    op.primerTicket = Entero(p, "first-ticket", 1001);
    op.pausaEstadoMs = Entero(p, "status-pause-ms", -1);
    if (p.isSet("answer-after")) op.liberacion = QDir(p.value("answer-after")).absolutePath();

    // Every exchange file is Windows-1252; without the codec the terminal would write garbage.
    if (!terminal::AnsiDisponible()) Fallar("Qt no ofrece la codificación windows-1252");

    std::signal(SIGINT, AlDetener);
    std::signal(SIGTERM, AlDetener);
#ifdef Q_OS_WIN
    CierreWindows cierre;
    app.installNativeEventFilter(&cierre);
#endif
    QTimer senales;
    QObject::connect(&senales, &QTimer::timeout, &app, [] {
        if (gDetener) QCoreApplication::quit();
    });
    senales.start(50);

    std::printf("tarsa-terminal-sim: atendiendo %s, escenario %s\n", op.dir.toLocal8Bit().constData(),
                escenario.toLocal8Bit().constData());
    std::fflush(stdout);
    terminal::Terminal t(op);
    t.Iniciar();
    const int rc = app.exec();
    std::printf("tarsa-terminal-sim: detenido\n");
    return rc;
}
