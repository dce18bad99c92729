#include "support/Entorno.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include "TestConfig.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modInicio.h"
#include "core/modTarsa.h"
#include "exchange/modIntercambio.h"
#include "platform/BaseDatos.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"
#include "platform/ui/Modal.h"
#include "tickets/modTickets.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>
#else
#include <sys/resource.h>

#include <csignal>
#endif

#ifndef Q_OS_WIN
DiscoLleno::DiscoLleno(quint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    rlimit limite{};
    getrlimit(RLIMIT_FSIZE, &limite);
    antes_ = limite.rlim_cur;
    limite.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limite);
}

DiscoLleno::~DiscoLleno() {
    rlimit limite{};
    getrlimit(RLIMIT_FSIZE, &limite);
    limite.rlim_cur = antes_;
    setrlimit(RLIMIT_FSIZE, &limite);
}
#endif

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
    if (!enlacePredeterminado_.isEmpty()) SinEnlaces::BorrarArbol(enlacePredeterminado_);  // the link only
    enlacePredeterminado_.clear();
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
    for (auto [global, valor] : {std::pair{&gEmpresa, i.empresa},
                                 {&gActividad, i.actividad},
                                 {&gTerminal, i.terminal},
                                 {&gCodigoEmpresa, i.codigoEmpresa},
                                 {&gCodigoActividad, i.codigoActividad},
                                 {&gTipoActividad, i.tipoActividad}})
        if (!valor.isEmpty()) *global = valor;
}

bool Entorno::PredeterminadoEnTrabajo() {
#ifdef Q_OS_WIN
    const QString estandar = DirectorioTrabajoPredeterminado();
    // A link whose target is gone is what an interrupted run of these tests leaves.
    if (SinEnlaces::EsEnlace(estandar) && !QFileInfo::exists(estandar)) SinEnlaces::BorrarArbol(estandar);
    if (QFileInfo::exists(estandar) || !CrearEnlace(dirTrabajo, estandar)) return false;
    enlacePredeterminado_ = estandar;
#else
    qputenv("HOME", tmp.path().toUtf8());
#endif
    return true;
}

std::optional<TarsaError> ErrorDe(const std::function<void()>& accion) {
    try {
        accion();
    } catch (const TarsaError& e) {
        return e;
    }
    return std::nullopt;
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

#ifdef Q_OS_WIN
namespace {
// A junction is a directory whose mount-point reparse data names the target in NT form.
bool CrearUnion(const QString& destino, const QString& enlace) {
    if (!QDir().mkdir(enlace)) return false;
    const std::wstring nt = L"\\??\\" + QDir::toNativeSeparators(QFileInfo(destino).absoluteFilePath()).toStdWString();
    const std::wstring visible = QDir::toNativeSeparators(destino).toStdWString();
    const auto bytes = [](const std::wstring& t) { return static_cast<WORD>(t.size() * sizeof(wchar_t)); };
    // REPARSE_DATA_BUFFER's mount-point form: tag, sizes, then both names each ending in a NUL.
    struct Cabecera {
        DWORD tag;
        WORD largo, reservado, ntDesde, ntLargo, visibleDesde, visibleLargo;
    };
    std::vector<char> datos(sizeof(Cabecera) + bytes(nt) + bytes(visible) + 2 * sizeof(wchar_t), 0);
    Cabecera c{IO_REPARSE_TAG_MOUNT_POINT,
               static_cast<WORD>(datos.size() - 8),
               0,
               0,
               bytes(nt),
               static_cast<WORD>(bytes(nt) + sizeof(wchar_t)),
               bytes(visible)};
    std::memcpy(datos.data(), &c, sizeof c);
    std::memcpy(datos.data() + sizeof c, nt.c_str(), bytes(nt));
    std::memcpy(datos.data() + sizeof c + c.visibleDesde, visible.c_str(), bytes(visible));
    HANDLE h = CreateFileW(QDir::toNativeSeparators(enlace).toStdWString().c_str(), GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD devueltos = 0;
    const bool ok = DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, datos.data(), static_cast<DWORD>(datos.size()), nullptr,
                                    0, &devueltos, nullptr);
    CloseHandle(h);
    if (!ok) QDir().rmdir(enlace);
    return ok;
}
}  // namespace
#endif

bool CrearEnlace(const QString& destino, const QString& enlace) {
#ifdef Q_OS_WIN
    if (QFileInfo(destino).isDir()) return CrearUnion(destino, enlace);
    constexpr DWORD kSinPrivilegios = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE (developer mode)
    const auto crear = [&](DWORD banderas) {
        return CreateSymbolicLinkW(QDir::toNativeSeparators(enlace).toStdWString().c_str(),
                                   QDir::toNativeSeparators(destino).toStdWString().c_str(), banderas) != 0;
    };
    return crear(kSinPrivilegios) || crear(0);
#else
    return QFile::link(destino, enlace);
#endif
}

bool EnlacesPosibles() {
#ifdef Q_OS_WIN
    static const bool posibles = [] {
        QTemporaryDir d;
        QDir().mkpath(d.filePath("destino"));
        QFile f(d.filePath("destino/archivo"));
        f.open(QIODevice::WriteOnly);
        f.close();
        return CrearEnlace(d.filePath("destino"), d.filePath("union")) && SinEnlaces::EsEnlace(d.filePath("union")) &&
               CrearEnlace(d.filePath("destino/archivo"), d.filePath("simbolico")) &&
               SinEnlaces::EsEnlace(d.filePath("simbolico"));
    }();
    return posibles;
#else
    return true;
#endif
}
