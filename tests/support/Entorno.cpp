#include "support/Entorno.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include "TestConfig.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "platform/Rutas.h"
#include "platform/ui/Modal.h"
#include "tickets/modTickets.h"

void ReiniciarGlobales() {
    ReiniciarNucleo();
    ReiniciarColecciones();
    ReiniciarErrores();
    ReiniciarTickets();
}

void Entorno::SetUp() {
    ASSERT_TRUE(tmp.isValid());
    ajustesAnteriores_ = qgetenv("TARSA_SETTINGS");
    homeAnterior_ = qgetenv("HOME");  // a test may point HOME at its own directory, removed after it
    qputenv("TARSA_SETTINGS", tmp.filePath("ajustes.ini").toUtf8());
    dirAplicacion = tmp.filePath("app");
    dirTrabajo = tmp.filePath("Estandar");
    QDir().mkpath(dirAplicacion);
    QDir().mkpath(dirTrabajo);
    ReiniciarGlobales();
    gDirectorioAplicacion = dirAplicacion;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Mensajes::Establecer(&mensajes);
    Impresora::Establecer(&impresora);
    Sistema::Establecer(&sistema);
    SelectorCarpetas::Establecer(&carpetas);
    Rutas::SimularFallaReemplazo(false);
}

void Entorno::TearDown() {
    EstablecerManejadorModal({});
    ReiniciarGlobales();
    Mensajes::Establecer(nullptr);
    Impresora::Establecer(nullptr);
    Sistema::Establecer(nullptr);
    SelectorCarpetas::Establecer(nullptr);
    Rutas::SimularFallaReemplazo(false);
    qputenv("HOME", homeAnterior_);
    if (ajustesAnteriores_.isEmpty())
        qunsetenv("TARSA_SETTINGS");
    else
        qputenv("TARSA_SETTINGS", ajustesAnteriores_);
}

void Entorno::AbrirBaseEntregada() {
    const QString destino = Rutas::Unir(dirAplicacion, kBaseDatos);
    QFile::remove(destino);
    ASSERT_TRUE(QFile::copy(TARSA_BASE_ENTREGADA, destino)) << TARSA_BASE_ENTREGADA;
    QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner);
    gDB = std::make_unique<BaseDatos>();
    gDB->Abrir(destino);
}

QString Entorno::Intercambio(const QString& term) {
    gQueloPath = dirTrabajo;
    gTermDir = term;
    const QString d = DirectorioIntercambio();
    QDir().mkpath(d + "/upload");
    QDir().mkpath(d + "/download");
    return d;
}

QString Entorno::Terminal() {
    gQueloPath = dirTrabajo;
    gTermDir = CrearDirectorioTerminal();
    return DirectorioIntercambio();
}

void Entorno::Sesion(const Identidad& i) {
    const auto poner = [](QString& global, const QString& valor) {
        if (!valor.isEmpty()) global = valor;
    };
    poner(gEmpresa, i.empresa);
    poner(gActividad, i.actividad);
    poner(gTerminal, i.terminal);
    poner(gCodigoEmpresa, i.codigoEmpresa);
    poner(gCodigoActividad, i.codigoActividad);
    poner(gTipoActividad, i.tipoActividad);
}

QByteArray LeerArchivo(const QString& ruta) {
    QFile f(Rutas::Resolver(ruta));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void EscribirArchivo(const QString& ruta, const QByteArray& contenido) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << ruta.toStdString();
    f.write(contenido);
}
