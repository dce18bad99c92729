// tarsa-choques [veces] [directorio]: crash figures. For each of three works — the start-up with its
// compaction and the backup at the end, saving tickets, importing the terminal's configuration — it
// runs the client's own routines in a child process, kills it at a random moment (as a power cut or
// the task manager would), starts again as the client does and sorts the restart: clean, asked for a
// repair, or something lost. The child and the check are this same program ("trabajar", "verificar").
#include <SQLiteCpp/SQLiteCpp.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QThread>
#include <cstdio>

#include "PrepararDemo.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modBaseLocal.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "journal/modTransaccionLocal.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

const QStringList kTablas = {"Empresas", "Actividades", "Prestadores", "Medicamentos", "Transaccion"};
constexpr int kTickets = 80;       // saves per child: the journal passes 41 rows and starts purging
constexpr int kImportaciones = 6;  // imports per child

QString App(const QString& dir) { return Rutas::Unir(dir, "app"); }
QString Base(const QString& dir) { return Rutas::Unir(App(dir), kBaseDatos); }

void Salida(const QString& linea) {
    std::printf("%s\n", qPrintable(linea));
    std::fflush(stdout);
}

// The run's settings point at its own working directory.
void Instalacion(const QString& dir) {
    qputenv("TARSA_SETTINGS", Rutas::Unir(dir, "ajustes.ini").toUtf8());
    RegistroAjustes::Guardar(Ajuste::QUELO_Path, Rutas::Unir(dir, "Estandar"));
    gDirectorioAplicacion = App(dir);
}

QString RespuestaTicket(int n) {
    QString r(340, ' ');
    auto poner = [&r](int pos, const QString& v) { r.replace(pos - 1, v.size(), v); };
    poner(6, "01");
    poner(250, QString("%1").arg(500000000000LL + n, 12, 10, QChar('0')));
    poner(268, "20261206");
    poner(276, QString("%1").arg(n, 4, 10, QChar('0')));
    return r + "\r\n";
}

// ---- the child: the client's routines, until killed

void Trabajar(const QString& escenario, const QString& dir) {
    Instalacion(dir);
    if (!ReservarDirectorioAplicacion()) throw std::runtime_error("directorio de la aplicación ocupado");
    if (escenario == "arranque") {
        IniciarAplicacion(QString());
        Salida("iniciado");
        Desconectar();  // backs up and ends the process
        return;
    }
    gDB = std::make_unique<BaseDatos>();
    gDB->Abrir(Base(dir));
    gQueloPath = Rutas::Unir(dir, "Estandar");
    gTermDir = CrearDirectorioTerminal();
    if (escenario == "ticket") {
        for (int n = 1; n <= kTickets; ++n) {
            GuardarTransaccionLocal(RespuestaTicket(n), "TICKET " + QString::number(n) + "\r\n", "3", false);
            Salida("guardado " + QString::number(500000000000LL + n));
        }
    } else {
        for (int n = 1; n <= kImportaciones; ++n) {
            ImportarConfiguracion(false);
            Salida("importado " + QString::number(n));
        }
    }
}

// ---- the check: the next start, as the client makes it

class MensajesRegistro : public Mensajes {
public:
    int Mostrar(const QString& texto, int estilo, const QString&) override {
        textos << texto;
        return (estilo & 7) == vbYesNo ? vbNo : vbOK;
    }
    QStringList textos;
};

qint64 Contar(const QString& sql) { return gDB->Consultar(sql)->Campo(0).toLongLong(); }

QString Verificar(const QString& escenario, const QString& dir) {
    MensajesRegistro mensajes;
    Mensajes::Establecer(&mensajes);
    Instalacion(dir);
    if (!ReservarDirectorioAplicacion()) return "perdida: el bloqueo del proceso muerto sigue en pie";
    const bool conectada = IniciarAplicacion(QString());
    if (mensajes.textos.contains("Reparar base de datos?")) return "reparacion";
    if (!conectada || !gDB) return "perdida: sin base de datos (" + mensajes.textos.join(" / ") + ")";
    QStringList faltas;
    if (!mensajes.textos.isEmpty()) faltas << "mensajes: " + mensajes.textos.join(" / ");
    const QSettings esperado(Rutas::Unir(dir, "esperado.ini"), QSettings::IniFormat);
    for (const QString& tabla : kTablas) {
        if (escenario == "ticket" && tabla == "Transaccion") continue;
        const qint64 n = Contar("SELECT COUNT(*) FROM " + tabla);
        if (n != esperado.value(tabla).toLongLong())
            faltas << QString("%1 tiene %2 filas, no %3").arg(tabla).arg(n).arg(esperado.value(tabla).toLongLong());
    }
    if (!BaseSana(Base(dir) + ".bak")) faltas << "respaldo inservible";
    if (escenario == "ticket") {
        QStringList guardados;
        QFile salida(Rutas::Unir(dir, "salida.txt"));
        if (salida.open(QIODevice::ReadOnly))
            for (const QByteArray& l : salida.readAll().split('\n'))
                if (l.startsWith("guardado ")) guardados << QString::fromLatin1(l.mid(9));
        if (!guardados.isEmpty() && Contar("SELECT COUNT(*) FROM Transaccion WHERE Ticket = " + guardados.last()) == 0)
            faltas << "el último ticket guardado no está en la lista";
        if (Contar("SELECT COUNT(*) FROM Transaccion") < qMin<qint64>(41, guardados.size()))
            faltas << "faltan filas en la lista";
        for (auto rs = gDB->Consultar("SELECT CAST(Ticket AS INTEGER) FROM Transaccion"); !rs->EOF_(); rs->MoveNext())
            if (!QFile::exists(Rutas::Unir(Rutas::Unir(App(dir), "Tickets"), rs->Campo(0).toString() + ".prn")))
                faltas << "la fila " + rs->Campo(0).toString() + " no tiene su ticket";
    }
    return faltas.isEmpty() ? "limpio" : "perdida: " + faltas.join("; ");
}

// ---- the driver

void CopiarArbol(const QString& desde, const QString& hasta) {
    QDir().mkpath(hasta);
    for (const QFileInfo& f : QDir(desde).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString destino = Rutas::Unir(hasta, f.fileName());
        if (f.isDir())
            CopiarArbol(f.filePath(), destino);
        else
            QFile::copy(f.filePath(), destino);
    }
}

// A pharmacy that has worked a while: the demo installation, its configuration imported, a
// catalog big enough for the compaction to take a while, and a backup from an orderly shutdown.
void PrepararPlantilla(const QString& plantilla) {
    Demo::Preparar(plantilla, Rutas::Unir(QCoreApplication::applicationDirPath(), kBaseDatos));
    Instalacion(plantilla);
    if (!IniciarAplicacion(QString())) throw std::runtime_error("la plantilla no arranca");
    gDB->Cerrar();
    gDB.reset();
    {
        SQLite::Database db(Base(plantilla).toStdString(), SQLite::OPEN_READWRITE);
        db.exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
            "INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, Precio, Baja) "
            "SELECT 1, 9000000 + i, printf('779%010d', i), printf('MEDICAMENTO DE PRUEBA %06d', i), "
            "'COMPRIMIDOS X 30', i / 100.0, 0 FROM n");
        QSettings esperado(Rutas::Unir(plantilla, "esperado.ini"), QSettings::IniFormat);
        for (const QString& tabla : kTablas)
            esperado.setValue(tabla, static_cast<qlonglong>(
                                         db.execAndGet(("SELECT COUNT(*) FROM " + tabla).toStdString()).getInt64()));
    }
    CopiarRespaldo(Base(plantilla));
    BorrarDirectorioIntercambio(DirectorioIntercambio());  // as the orderly shutdown does
}

QProcess* Hijo(const QStringList& args, const QString& dir, QObject* padre) {
    auto* p = new QProcess(padre);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARSA_SETTINGS", Rutas::Unir(dir, "ajustes.ini"));
    p->setProcessEnvironment(env);
    p->setStandardOutputFile(Rutas::Unir(dir, args[0] == "trabajar" ? "salida.txt" : "veredicto.txt"));
    p->start(QCoreApplication::applicationFilePath(), args);
    return p;
}

QString Leer(const QString& archivo) {
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
}

int Medir(const QString& escenario, const QString& plantilla, const QString& raiz, QObject* padre) {
    const QString dir = Rutas::Unir(raiz, escenario + "-medida");
    CopiarArbol(plantilla, dir);
    QElapsedTimer reloj;
    reloj.start();
    QProcess* p = Hijo({"trabajar", escenario, dir}, dir, padre);
    p->waitForFinished(120000);
    return static_cast<int>(reloj.elapsed());
}

void Escenario(const QString& escenario, int veces, const QString& plantilla, const QString& raiz, QObject* padre) {
    const int duracion = Medir(escenario, plantilla, raiz, padre);
    int limpios = 0, reparaciones = 0, perdidas = 0;
    for (int i = 1; i <= veces; ++i) {
        const QString dir = Rutas::Unir(raiz, QString("%1-%2").arg(escenario).arg(i));
        CopiarArbol(plantilla, dir);
        QProcess* hijo = Hijo({"trabajar", escenario, dir}, dir, padre);
        hijo->waitForStarted();
        const int espera = QRandomGenerator::global()->bounded(duracion + 1);
        hijo->waitForFinished(espera);
        hijo->kill();
        hijo->waitForFinished();
        QProcess* control = Hijo({"verificar", escenario, dir}, dir, padre);
        control->waitForFinished(120000);
        const QString veredicto = Leer(Rutas::Unir(dir, "veredicto.txt"));
        if (veredicto == "limpio")
            ++limpios;
        else if (veredicto == "reparacion")
            ++reparaciones;
        else
            ++perdidas;
        if (veredicto != "limpio")
            std::printf("  %s %d (muerto a los %d ms): %s\n", qPrintable(escenario), i, espera, qPrintable(veredicto));
        delete hijo;
        delete control;
    }
    std::printf("%-12s %3d muertes (0 a %5d ms): %3d limpios, %3d pidieron reparación, %3d perdieron algo\n",
                qPrintable(escenario), veces, duracion, limpios, reparaciones, perdidas);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    try {
        if (args.size() == 3 && args[0] == "trabajar") {
            Trabajar(args[1], args[2]);
            return 0;
        }
        if (args.size() == 3 && args[0] == "verificar") {
            Salida(Verificar(args[1], args[2]));
            return 0;
        }
        const int veces = args.value(0, "40").toInt();
        const QString raiz = args.value(1, QDir::temp().filePath("tarsa-choques"));
        QDir(raiz).removeRecursively();
        const QString plantilla = Rutas::Unir(raiz, "plantilla");
        PrepararPlantilla(plantilla);
        for (const char* escenario : {"arranque", "ticket", "importacion"})
            Escenario(escenario, veces, plantilla, raiz, &app);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarsa-choques: %s\n", qPrintable(ComoTarsaError(e).Descripcion));
        return 1;
    }
    return 0;
}
