#include "platform/BloqueoInstancia.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include "platform/SinEnlaces.h"

namespace {

// A living holder names itself in its file the moment it creates it; a file still nameless after
// this long was left by a run that died in between.
constexpr int kEsperaDuenoMs = 500;
// A nameless file older than this (clocks of a shared disk may differ a little) is not being written
// by anyone: it is taken over without waiting.
constexpr qint64 kNombreViejoMs = 10 * 1000;

}  // namespace

BloqueoInstancia::BloqueoInstancia(const QString& archivo)
    : archivo_(archivo), bloqueo_(std::make_unique<QLockFile>(archivo)) {
    // Held for the whole run: age never makes it stale, only the death of the process that wrote it.
    bloqueo_->setStaleLockTime(0);
}

BloqueoInstancia::~BloqueoInstancia() = default;

bool BloqueoInstancia::Tomar() {
    motivo_ = Motivo::Ninguno;
    maquina_.clear();
    if (bloqueo_->isLocked()) return true;
    const QFileInfo fi(archivo_);
    if (SinEnlaces::EsEnlace(archivo_) || (fi.exists() && !fi.isFile())) {
        motivo_ = Motivo::NoEsArchivo;
        return false;
    }
    if (bloqueo_->tryLock(0)) return true;
    if (bloqueo_->error() != QLockFile::LockFailedError) {
        motivo_ = Motivo::SinPermiso;
        return false;
    }
    qint64 pid = 0;
    QString maquina, aplicacion;
    if (bloqueo_->getLockInfo(&pid, &maquina, &aplicacion)) {
        // A computer's name is the same in any letter case: on Windows the file carries it in
        // capitals, as Windows keeps it, and the host name may come back in small letters.
        const bool otra = !maquina.isEmpty() && maquina.compare(QSysInfo::machineHostName(), Qt::CaseInsensitive) != 0;
        motivo_ = otra ? Motivo::OtraComputadora : Motivo::OtroProceso;
        if (otra) maquina_ = maquina;
        return false;
    }
    QFile lectura(archivo_);
    if (!lectura.open(QIODevice::ReadOnly)) {
        motivo_ = Motivo::Ilegible;
        return false;
    }
    lectura.close();
    // A file that names no owner: left by a run killed (or a machine switched off) between creating it
    // and writing its process into it. Only a fresh one may still be named by its holder.
    const qint64 edad = fi.lastModified().msecsTo(QDateTime::currentDateTime());
    if (qAbs(edad) < kNombreViejoMs && bloqueo_->tryLock(kEsperaDuenoMs)) return true;
    if (!bloqueo_->getLockInfo(&pid, &maquina, &aplicacion) && bloqueo_->removeStaleLockFile() && bloqueo_->tryLock(0))
        return true;
    motivo_ = Motivo::OtroProceso;
    return false;
}

bool BloqueoInstancia::Tomado() const { return bloqueo_->isLocked(); }

void BloqueoInstancia::Soltar() { bloqueo_->unlock(); }
