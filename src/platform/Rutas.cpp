#include "platform/Rutas.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <filesystem>

#include "platform/Privado.h"
#include "platform/TarsaError.h"

namespace Rutas {

QString Unir(const QString& dir, const QString& nombre) {
    if (dir.isEmpty()) return nombre;
    if (dir.endsWith('/') || dir.endsWith('\\')) return dir + nombre;
#ifdef Q_OS_WIN
    return dir + '\\' + nombre;
#else
    return dir + '/' + nombre;
#endif
}

namespace {

QString ComoNativa(QString path) {
#ifndef Q_OS_WIN
    path.replace('\\', '/');
#endif
    return QDir::fromNativeSeparators(path);
}

#ifndef Q_OS_WIN
QString EntradaSinCaso(const QString& dir, const QString& nombre) {
    if (nombre == "." || nombre == "..") return nombre;
    const QDir d(dir.isEmpty() ? "/" : dir);
    if (QFileInfo::exists(d.filePath(nombre))) return nombre;
    const auto entradas = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& e : entradas)
        if (e.compare(nombre, Qt::CaseInsensitive) == 0) return e;
    return {};
}

// Component by component from the root, each existing name found without regard to case.
QString ResolverSinCaso(const QString& p) {
    if (p.isEmpty()) return p;
    const bool absoluta = p.startsWith('/');
    QStringList partes = p.split('/', Qt::SkipEmptyParts);
    QString actual;
    int i = 0;
    if (absoluta) {
        actual = "/";
    } else if (!partes.isEmpty() && partes[0].size() == 2 && partes[0][1] == ':') {
        actual = partes[0] + '/';  // drive letter
        i = 1;
    }
    for (; i < partes.size(); ++i) {
        const QString encontrado = EntradaSinCaso(actual.isEmpty() ? "." : actual, partes[i]);
        if (encontrado.isEmpty()) {
            QStringList resto = partes.mid(i);
            return (actual.isEmpty() || actual.endsWith('/') ? actual : actual + '/') + resto.join('/');
        }
        actual =
            actual.isEmpty() ? encontrado : (actual.endsWith('/') ? actual + encontrado : actual + '/' + encontrado);
    }
    return actual;
}
#endif

}  // namespace

QString Resolver(const QString& path) {
#ifdef Q_OS_WIN
    // The system itself finds names without regard to case (network shares included).
    return ComoNativa(path);
#else
    return ResolverSinCaso(ComoNativa(path));
#endif
}

bool Existe(const QString& path) { return QFileInfo::exists(Resolver(path)); }
bool EsDirectorio(const QString& path) { return QFileInfo(Resolver(path)).isDir(); }
bool EsArchivo(const QString& path) { return QFileInfo(Resolver(path)).isFile(); }

int BorrarPatron(const QString& dir, const QString& patron) {
    const QDir d(Resolver(dir));
    if (!d.exists()) return 0;
    // "*.*" means every file, as on the pharmacies' systems.
    const QString comodin = patron == "*.*" ? QStringLiteral("*") : patron;
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(comodin),
                                QRegularExpression::CaseInsensitiveOption);
    int borrados = 0;
    for (const QString& f : d.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (re.match(f).hasMatch() && QFile::remove(d.filePath(f))) ++borrados;
    return borrados;
}

bool Borrar(const QString& path) {
    const QString r = Resolver(path);
    return QFileInfo(r).isFile() && QFile::remove(r);
}

bool BorrarDirectorio(const QString& path) { return QDir().rmdir(Resolver(path)); }

bool CrearDirectorio(const QString& path) { return QDir().mkdir(Resolver(path)); }

namespace {
bool gFallarReemplazo = false;

QString MotivoCreacion(const std::error_code& ec) {
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
        ec == std::errc::read_only_file_system)
        return QString::fromUtf8("No tiene permiso para crear directorios en esa ubicación.");
    if (ec == std::errc::file_exists || ec == std::errc::not_a_directory)
        return QString::fromUtf8("Ya existe un archivo con ese nombre.");
    if (ec == std::errc::filename_too_long || ec == std::errc::invalid_argument ||
        ec == std::errc::illegal_byte_sequence)
        return QString::fromUtf8("El sistema no acepta ese nombre de directorio.");
    if (ec == std::errc::no_such_file_or_directory || ec == std::errc::no_such_device)
        return QString::fromUtf8("La unidad o la ruta no existe.");
    return QString::fromLocal8Bit(ec.message().c_str());
}
}  // namespace

void CrearDirectorios(const QString& path) {
    const QString r = Resolver(path);
    // Control characters: Windows refuses them and other systems would cut the name at a NUL.
    const bool control = std::any_of(r.begin(), r.end(), [](QChar c) { return c.unicode() < 0x20; });
    // No file system in use keeps a name longer than 255 characters, and Windows reports one as a
    // path that does not exist.
    const QStringList partes = r.split('/', Qt::SkipEmptyParts);
    const bool largo = std::any_of(partes.begin(), partes.end(), [](const QString& p) { return p.size() > 255; });
    std::error_code ec;
    if (r.trimmed().isEmpty() || control || largo)
        ec = std::make_error_code(std::errc::invalid_argument);
    else if (QFileInfo(r).exists() && !QFileInfo(r).isDir())
        ec = std::make_error_code(std::errc::file_exists);
    else
        std::filesystem::create_directories(Nativa(r), ec);
    if (ec)
        throw TarsaError(ErrAccesoRuta,
                         QString::fromUtf8("No se pudo crear el directorio %1.\n%2").arg(path, MotivoCreacion(ec)));
}

std::filesystem::path Nativa(const QString& path) {
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(path.toStdString());
#endif
}

void SimularFallaReemplazo(bool fallar) { gFallarReemplazo = fallar; }

void Reemplazar(const QString& origen, const QString& destino) {
    std::error_code ec;
    if (gFallarReemplazo)
        ec = std::make_error_code(std::errc::permission_denied);
    else
        std::filesystem::rename(Nativa(Resolver(origen)), Nativa(Resolver(destino)), ec);
    if (ec)
        throw TarsaError(ErrArchivoYaExiste,
                         "No se pudo reemplazar " + destino + ": " + QString::fromLocal8Bit(ec.message().c_str()));
}

QDateTime FechaModificacion(const QString& path) {
    const QFileInfo fi(Resolver(path));
    return fi.exists() ? fi.lastModified() : QDateTime();
}

void CopiarSeguro(const QString& origen, const QString& destino) {
    QFile entrada(Resolver(origen));
    if (!entrada.open(QIODevice::ReadOnly))
        throw TarsaError(ErrArchivoNoEncontrado, "No se puede leer " + origen + ": " + entrada.errorString());
    QSaveFile salida(Resolver(destino));
    if (!salida.open(QIODevice::WriteOnly))
        throw TarsaError(ErrAccesoRuta, "No se puede escribir " + destino + ": " + salida.errorString());
    Privado::Archivo(salida);  // a backup of the database holds what the database holds
    // A block the disk takes only in part is written short without an error, and the commit would
    // still put the shortened copy in place: every write is checked.
    bool escrito = true;
    for (QByteArray bloque; escrito && !(bloque = entrada.read(1 << 20)).isEmpty();)
        escrito = salida.write(bloque) == bloque.size();
    if (entrada.error() != QFileDevice::NoError) {
        salida.cancelWriting();  // the unfinished copy is dropped, destino stays as it was
        throw TarsaError(ErrEntradaSalida, "No se puede leer " + origen + ": " + entrada.errorString());
    }
    if (!escrito || !salida.flush() || !salida.commit()) {
        const TarsaError e(ErrDiscoLleno, "No se puede escribir " + destino + ": " + salida.errorString());
        salida.cancelWriting();
        throw e;
    }
}

bool GuardarPorPartes(const QString& path, const std::function<bool(QIODevice&)>& escribir, QString* error) {
    QSaveFile archivo(path);
    // The last buffered piece is written out before the rename: a commit whose own final write the
    // disk cuts short still puts the shortened file in place of the old one.
    if (archivo.open(QIODevice::WriteOnly) && escribir(archivo) && archivo.flush() && archivo.commit()) return true;
    // A write cut short carries no reason; the next attempt gets the system's (the disk is full).
    if (archivo.isOpen() && archivo.error() != QFileDevice::NoError) archivo.flush();
    if (error) *error = archivo.errorString();
    archivo.cancelWriting();
    return false;
}

}  // namespace Rutas
