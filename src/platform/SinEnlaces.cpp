#include "platform/SinEnlaces.h"

#include <QFileInfo>

#include "platform/Rutas.h"
#include "platform/TarsaError.h"

#ifdef Q_OS_WIN
#include <filesystem>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

Apertura AbrirLectura(QFile& archivo, const QString& base, const QString& relativa) {
    const QStringList partes = Componentes(relativa);
    if (partes.isEmpty() || partes.contains("..")) return Apertura::Rechazado;
    Descriptor actual(::open(QFile::encodeName(Rutas::Resolver(base)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (actual.fd < 0) return Apertura::Falta;
    for (qsizetype i = 0; i < partes.size(); ++i) {
        const bool ultimo = i + 1 == partes.size();
        const std::string nombre = NombreEn(actual.fd, partes[i]);
        // O_NONBLOCK: a named pipe put in the file's place must not hang the client on open.
        const int modo =
            ultimo ? O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC : O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
        const int fd = ::openat(actual.fd, nombre.c_str(), modo);
        if (fd < 0) return errno == ENOENT ? Apertura::Falta : Apertura::Rechazado;
        Descriptor siguiente(fd);
        std::swap(actual.fd, siguiente.fd);
    }
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

#endif

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
