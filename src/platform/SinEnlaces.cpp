#include "platform/SinEnlaces.h"

#include <QFileInfo>

#include "platform/Rutas.h"
#include "platform/TarsaError.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <filesystem>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>
#include <vector>
#endif

namespace SinEnlaces {

namespace {

QStringList Componentes(const QString& relativa) {
    QString r = relativa;
    r.replace('\\', '/');
    return r.split('/', Qt::SkipEmptyParts);
}

QString SinBarraFinal(QString path) {
    while (path.size() > 1 && (path.endsWith('/') || path.endsWith('\\'))) path.chop(1);
    return path;
}

}  // namespace

#ifndef Q_OS_WIN

namespace {

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int f) : fd(f) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& otro) noexcept : fd(std::exchange(otro.fd, -1)) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    int Soltar() { return std::exchange(fd, -1); }
};

std::vector<std::string> Entradas(int dirfd) {
    std::vector<std::string> nombres;
    const int copia = ::openat(dirfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (copia < 0) return nombres;
    DIR* d = ::fdopendir(copia);
    if (!d) {
        ::close(copia);
        return nombres;
    }
    while (const dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") nombres.push_back(n);
    }
    ::closedir(d);
    return nombres;
}

// The entry of the directory whose name matches without regard to case; the name as given when none does.
std::string NombreEn(int dirfd, const QString& nombre) {
    const std::string exacto = QFile::encodeName(nombre).toStdString();
    struct stat st;
    if (::fstatat(dirfd, exacto.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) return exacto;
    for (const std::string& e : Entradas(dirfd))
        if (QFile::decodeName(QByteArray::fromStdString(e)).compare(nombre, Qt::CaseInsensitive) == 0) return e;
    return exacto;
}

bool BorrarEntrada(int dirfd, const std::string& nombre, int profundidad) {
    struct stat st;
    if (::fstatat(dirfd, nombre.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
    if (!S_ISDIR(st.st_mode)) return ::unlinkat(dirfd, nombre.c_str(), 0) == 0 || errno == ENOENT;
    if (profundidad > 16) return false;
    Descriptor dir(::openat(dirfd, nombre.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (dir.fd < 0) {
        // Replaced by a link since it was looked at: remove the link itself.
        if (errno == ELOOP || errno == ENOTDIR) return ::unlinkat(dirfd, nombre.c_str(), 0) == 0;
        return false;
    }
    bool ok = true;
    for (const std::string& e : Entradas(dir.fd)) ok = BorrarEntrada(dir.fd, e, profundidad + 1) && ok;
    return ::unlinkat(dirfd, nombre.c_str(), AT_REMOVEDIR) == 0 && ok;
}

}  // namespace

bool EsEnlace(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(SinBarraFinal(Rutas::Resolver(path))).constData(), &st) == 0 &&
           S_ISLNK(st.st_mode);
}

bool BorrarArbol(const QString& path) {
    const QFileInfo fi(SinBarraFinal(Rutas::Resolver(path)));
    if (fi.fileName().isEmpty() || fi.fileName() == "." || fi.fileName() == "..") return false;
    Descriptor padre(::open(QFile::encodeName(fi.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (padre.fd < 0) return errno == ENOENT;
    return BorrarEntrada(padre.fd, QFile::encodeName(fi.fileName()).toStdString(), 0);
}

namespace {

// The directory base/partes[0]/.../partes[n-1] opened without following a link at any of the
// components; fd -1 with falta set when a component is missing.
Descriptor AbrirDirectorio(const QString& base, const QStringList& partes, qsizetype n, bool& falta) {
    falta = false;
    Descriptor actual(::open(QFile::encodeName(Rutas::Resolver(base)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (actual.fd < 0) {
        falta = true;
        return actual;
    }
    for (qsizetype i = 0; i < n; ++i) {
        const std::string nombre = NombreEn(actual.fd, partes[i]);
        const int fd = ::openat(actual.fd, nombre.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            falta = errno == ENOENT;
            return Descriptor(-1);
        }
        Descriptor siguiente(fd);
        std::swap(actual.fd, siguiente.fd);
    }
    return actual;
}

}  // namespace

Apertura AbrirLectura(QFile& archivo, const QString& base, const QString& relativa) {
    const QStringList partes = Componentes(relativa);
    if (partes.isEmpty() || partes.contains("..")) return Apertura::Rechazado;
    bool falta = false;
    Descriptor dir = AbrirDirectorio(base, partes, partes.size() - 1, falta);
    if (dir.fd < 0) return falta ? Apertura::Falta : Apertura::Rechazado;
    // O_NONBLOCK: a named pipe put in the file's place must not hang the client on open.
    Descriptor actual(
        ::openat(dir.fd, NombreEn(dir.fd, partes.last()).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (actual.fd < 0) return errno == ENOENT ? Apertura::Falta : Apertura::Rechazado;
    struct stat st;
    if (::fstat(actual.fd, &st) != 0 || !S_ISREG(st.st_mode)) return Apertura::Rechazado;
    archivo.close();
    const int fd = actual.Soltar();
    if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Apertura::Rechazado;
    }
    return Apertura::Abierto;
}

QStringList ArchivosDe(const QString& base, const QString& relativa) {
    const QStringList partes = Componentes(relativa);
    QStringList nombres;
    if (partes.contains("..")) return nombres;
    bool falta = false;
    const Descriptor dir = AbrirDirectorio(base, partes, partes.size(), falta);
    if (dir.fd < 0) return nombres;
    for (const std::string& e : Entradas(dir.fd)) {
        struct stat st;
        if (::fstatat(dir.fd, e.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            nombres << QFile::decodeName(QByteArray::fromStdString(e));
    }
    nombres.sort();
    return nombres;
}

bool BorrarDentro(const QString& base, const QString& relativa) {
    const QStringList partes = Componentes(relativa);
    if (partes.isEmpty() || partes.contains("..")) return false;
    bool falta = false;
    const Descriptor dir = AbrirDirectorio(base, partes, partes.size() - 1, falta);
    if (dir.fd < 0) return falta;
    // unlinkat removes a link itself and refuses a directory: nothing is reached through a link.
    return ::unlinkat(dir.fd, NombreEn(dir.fd, partes.last()).c_str(), 0) == 0 || errno == ENOENT;
}

bool AnexarLinea(const QString& path, const QByteArray& linea, QString* error) {
    const auto fallo = [error](const QString& motivo) {
        if (error) *error = motivo;
        return false;
    };
    Descriptor f(
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (f.fd < 0) return fallo(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st;
    if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) return fallo(QString::fromUtf8("no es un archivo común"));
    QByteArray bytes = linea;
    char ultimo = '\n';
    if (st.st_size > 0 && ::pread(f.fd, &ultimo, 1, st.st_size - 1) != 1) ultimo = '\n';
    if (ultimo != '\n') bytes.prepend("\r\n");
    const ssize_t escritos = ::write(f.fd, bytes.constData(), static_cast<size_t>(bytes.size()));
    if (escritos != bytes.size())
        return fallo(escritos < 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QString::fromUtf8("disco lleno"));
    return true;
}

#else

namespace {

bool EsEnlaceInfo(const QFileInfo& fi) { return fi.isSymLink() || fi.isJunction(); }

bool BorrarArbolNativo(const std::filesystem::path& p, int profundidad) {
    std::error_code ec;
    const QFileInfo fi(QString::fromStdWString(p.wstring()));
    if (!EsEnlaceInfo(fi) && fi.isDir()) {
        if (profundidad > 16) return false;
        bool ok = true;
        for (const auto& e : std::filesystem::directory_iterator(p, ec))
            ok = BorrarArbolNativo(e.path(), profundidad + 1) && ok;
        return std::filesystem::remove(p, ec) && ok;
    }
    // A link or junction is removed itself, never what it points at.
    std::filesystem::remove(p, ec);
    return !ec;
}

}  // namespace

bool EsEnlace(const QString& path) { return EsEnlaceInfo(QFileInfo(SinBarraFinal(Rutas::Resolver(path)))); }

bool BorrarArbol(const QString& path) {
    const QString r = SinBarraFinal(Rutas::Resolver(path));
    if (!QFileInfo::exists(r) && !EsEnlace(r)) return true;
    return BorrarArbolNativo(Rutas::Nativa(r), 0);
}

Apertura AbrirLectura(QFile& archivo, const QString& base, const QString& relativa) {
    const QStringList partes = Componentes(relativa);
    if (partes.isEmpty() || partes.contains("..")) return Apertura::Rechazado;
    QString actual = Rutas::Resolver(base);
    for (const QString& parte : partes) {
        actual = Rutas::Resolver(Rutas::Unir(actual, parte));
        const QFileInfo fi(actual);
        if (EsEnlaceInfo(fi)) return Apertura::Rechazado;
        if (!fi.exists()) return Apertura::Falta;
    }
    if (!QFileInfo(actual).isFile()) return Apertura::Rechazado;
    archivo.close();
    archivo.setFileName(actual);
    return archivo.open(QIODevice::ReadOnly) ? Apertura::Abierto : Apertura::Falta;
}

namespace {

// base/partes[0..n) with no component a link or junction; empty when refused or missing.
QString RutaSinEnlaces(const QString& base, const QStringList& partes, qsizetype n) {
    QString actual = Rutas::Resolver(base);
    for (qsizetype i = 0; i < n; ++i) {
        actual = Rutas::Resolver(Rutas::Unir(actual, partes[i]));
        const QFileInfo fi(actual);
        if (EsEnlaceInfo(fi) || !fi.isDir()) return {};
    }
    return actual;
}

}  // namespace

QStringList ArchivosDe(const QString& base, const QString& relativa) {
    const QStringList partes = Componentes(relativa);
    QStringList nombres;
    if (partes.contains("..")) return nombres;
    const QString dir = RutaSinEnlaces(base, partes, partes.size());
    if (dir.isEmpty()) return nombres;
    for (const QFileInfo& fi : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (!EsEnlaceInfo(fi) && fi.isFile()) nombres << fi.fileName();
    return nombres;
}

bool BorrarDentro(const QString& base, const QString& relativa) {
    const QStringList partes = Componentes(relativa);
    if (partes.isEmpty() || partes.contains("..")) return false;
    const QString dir = RutaSinEnlaces(base, partes, partes.size() - 1);
    if (dir.isEmpty()) return !QFileInfo::exists(Rutas::Resolver(Rutas::Unir(base, relativa)));
    const QString r = Rutas::Resolver(Rutas::Unir(dir, partes.last()));
    const QFileInfo fi(r);
    if (!EsEnlaceInfo(fi) && fi.isDir()) return false;
    std::error_code ec;
    std::filesystem::remove(Rutas::Nativa(r), ec);
    return !ec;
}

bool AnexarLinea(const QString& path, const QByteArray& linea, QString* error) {
    if (EsEnlace(path)) {
        if (error) *error = QString::fromUtf8("es un enlace");
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite | QIODevice::Append)) {
        if (error) *error = f.errorString();
        return false;
    }
    QByteArray bytes = linea;
    if (f.size() > 0 && f.seek(f.size() - 1) && f.read(1) != "\n") bytes.prepend("\r\n");
    if (f.write(bytes) != bytes.size()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}

#endif

std::pair<QString, QString> DesdeArriba(const QString& path) {
    const QFileInfo fi(SinBarraFinal(Rutas::Resolver(path)));
    return {fi.path(), fi.fileName()};
}

Creacion CrearVacio(const QString& path) {
    const QString r = Rutas::Resolver(path);
    // NewOnly fails on any existing entry, a dangling link included, so nothing is followed or truncated.
    QFile f(r);
    if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        f.close();
        return Creacion::Creado;
    }
    if (EsEnlace(r)) return Creacion::Rechazado;
    const QFileInfo fi(r);
    if (fi.exists()) return fi.isFile() ? Creacion::Existente : Creacion::Rechazado;
    throw TarsaError(ErrAccesoRuta, "No se puede crear " + path + ": " + f.errorString());
}

}  // namespace SinEnlaces
