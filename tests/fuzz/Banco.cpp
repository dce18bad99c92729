#include "Banco.h"

#include <SQLiteCpp/Database.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdlib>
#include <utility>

#include "catalogs/modInicioCatalogos.h"
#include "core/modBaseLocal.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace Banco {

namespace {

// Every message is answered "no" (or OK): a reader must cope with the user declining.
class MensajesMudos : public Mensajes {
public:
    int Mostrar(const QString& texto, int estilo, const QString& titulo) override {
        ultimo = titulo + ": " + texto;
        const int botones = estilo & 7;
        return botones == vbOKOnly ? vbOK : botones == vbOKCancel || botones == vbRetryCancel ? vbCancel : vbNo;
    }
    QString ultimo;
};

QTemporaryDir* gScratch = nullptr;
MensajesMudos gMensajes;

}  // namespace

void Preparar(bool base) {
    static bool hecho = false;
    if (hecho) return;
    hecho = true;
    static int argc = 1;
    static char nombre[] = "tarsa-fuzz";
    static char* argv[] = {nombre, nullptr};
    static QCoreApplication app(argc, argv);
    // In memory when the system offers it: the readers go through real files, thousands of times a second.
    const QString raiz = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tarsa-fuzz-XXXXXX") : QString();
    gScratch = raiz.isEmpty() ? new QTemporaryDir() : new QTemporaryDir(raiz);
    std::atexit([] { delete gScratch; });
    qputenv("TARSA_SETTINGS", gScratch->filePath("ajustes.ini").toUtf8());
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    Mensajes::Establecer(&gMensajes);
    ReiniciarNucleo();
    ReiniciarColecciones();
    ReiniciarErrores();
    QDir().mkpath(DirectorioAplicacion());
    gDirectorioAplicacion = DirectorioAplicacion();
    gQueloPath = DirectorioTrabajo();
    gTermDir = "term01";
    QDir().mkpath(DirectorioIntercambio() + "/UpLoad");
    QDir().mkpath(DirectorioIntercambio() + "/DownLoad");
    if (base) {
        const QString archivo = Rutas::Unir(DirectorioAplicacion(), kBaseDatos);
        CrearBaseEntregada(archivo);
        gDB = std::make_unique<BaseDatos>();
        gDB->Abrir(archivo);
        // A scratch database: durability is not what is being tested, and syncing every input would
        // slow the fuzzer to a few inputs a second.
        gDB->Nativa().exec("PRAGMA synchronous = OFF");
        gDB->Nativa().exec("PRAGMA journal_mode = MEMORY");
    }
}

QString UltimoMensaje() { return std::exchange(gMensajes.ultimo, QString()); }

QString DirectorioTrabajo() { return gScratch->filePath("Estandar"); }
QString DirectorioIntercambio() { return ::DirectorioIntercambio(); }
QString DirectorioAplicacion() { return gScratch->filePath("app"); }

void Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();  // the harness itself is broken
    f.write(bytes);
}

QString Entregar(const QString& relativa, const QByteArray& bytes) {
    const QString d = DirectorioIntercambio();
    Escribir(Rutas::Unir(d, relativa), bytes);
    return d;
}

void EnCadaDisposicion(const std::function<void(const QString& version, int tipoPrestador)>& leer) {
    for (const char* version : {"V101", "V250"})
        for (int tipo : {1, 2}) {
            gColErrores.clear();
            try {
                leer(QString::fromLatin1(version), tipo);
            } catch (const TarsaError&) {
                // told to the user by the caller
            }
        }
    gColErrores.clear();
}

QByteArray Bytes(const uint8_t* datos, size_t tamano) {
    return QByteArray(reinterpret_cast<const char*>(datos), static_cast<qsizetype>(tamano));
}

QList<QByteArray> Partes(const QByteArray& bytes, char separador, int partes) {
    QList<QByteArray> r;
    qsizetype desde = 0;
    while (r.size() < partes - 1) {
        const qsizetype hasta = bytes.indexOf(separador, desde);
        if (hasta < 0) break;
        r << bytes.mid(desde, hasta - desde);
        desde = hasta + 1;
    }
    r << bytes.mid(desde);
    while (r.size() < partes) r << QByteArray();
    return r;
}

}  // namespace Banco
