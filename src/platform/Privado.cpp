#include "platform/Privado.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifndef Q_OS_WIN
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#endif

namespace Privado {

void Archivo(QFileDevice& archivo) {
#ifndef Q_OS_WIN
    if (archivo.handle() >= 0) ::fchmod(archivo.handle(), S_IRUSR | S_IWUSR);
#else
    (void)archivo;
#endif
}

void Restringir(const QString& path) {
#ifndef Q_OS_WIN
    const QByteArray nativo = QFile::encodeName(path);
    struct stat st;
    if (::lstat(nativo.constData(), &st) != 0) return;
    if (S_ISDIR(st.st_mode))
        ::chmod(nativo.constData(), S_IRWXU);
    else if (S_ISREG(st.st_mode))
        ::chmod(nativo.constData(), S_IRUSR | S_IWUSR);
#else
    (void)path;
#endif
}

bool CrearDirectorio(const QString& path, QString* error) {
    const QString limpio = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList faltan;
    for (QString p = limpio; !QFileInfo::exists(p) && !QFileInfo(p).isSymLink(); p = QFileInfo(p).path()) {
        faltan.prepend(p);
        if (QFileInfo(p).path() == p) break;
    }
    for (const QString& p : faltan) {
        if (QDir().mkdir(p)) {
            Restringir(p);
            continue;
        }
        if (QFileInfo(p).isDir()) continue;  // made meanwhile by someone else
#ifndef Q_OS_WIN
        const QString motivo = QString::fromLocal8Bit(std::strerror(errno));
#else
        const QString motivo = QString::fromUtf8("no se pudo crear");
#endif
        if (error) *error = QString::fromUtf8("%1: %2").arg(QDir::toNativeSeparators(p), motivo);
        return false;
    }
    const QFileInfo fi(limpio);
    if (fi.isSymLink() || !fi.isDir()) {
        if (error) *error = QString::fromUtf8("%1: no es un directorio").arg(QDir::toNativeSeparators(limpio));
        return false;
    }
    Restringir(limpio);
    return true;
}

bool Guardar(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        Archivo(f);
        // Written out before the rename: a commit whose final write the disk cuts short still renames.
        if (f.write(bytes) == bytes.size() && f.flush() && f.commit()) return true;
    }
    if (error) *error = QString::fromUtf8("%1: %2").arg(QDir::toNativeSeparators(path), f.errorString());
    return false;
}

}  // namespace Privado
