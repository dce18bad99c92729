#include "platform/BloqueoInstancia.h"

#include <QLockFile>

namespace {

// A living holder names itself in its file the moment it creates it; a file still nameless after
// this long was left by a run that died in between.
constexpr int kEsperaDuenoMs = 500;

// Whether the lock was refused because of a file that names no process (rather than a living
// holder, or a directory that refuses the file).
bool SinDueno(const QLockFile& bloqueo) {
    qint64 pid = 0;
    QString maquina, aplicacion;
    return bloqueo.error() == QLockFile::LockFailedError && !bloqueo.getLockInfo(&pid, &maquina, &aplicacion);
}

}  // namespace

BloqueoInstancia::BloqueoInstancia(const QString& archivo) : bloqueo_(std::make_unique<QLockFile>(archivo)) {
    // Held for the whole run: age never makes it stale, only the death of the process that wrote it.
    bloqueo_->setStaleLockTime(0);
}

BloqueoInstancia::~BloqueoInstancia() = default;

bool BloqueoInstancia::Tomar() {
    if (bloqueo_->isLocked() || bloqueo_->tryLock(0)) return true;
    // A run killed (or a machine switched off) between creating its file and writing its process
    // into it leaves a file that names no owner, which would otherwise refuse every later run.
    if (!SinDueno(*bloqueo_)) return false;
    if (bloqueo_->tryLock(kEsperaDuenoMs)) return true;
    return SinDueno(*bloqueo_) && bloqueo_->removeStaleLockFile() && bloqueo_->tryLock(0);
}

bool BloqueoInstancia::Tomado() const { return bloqueo_->isLocked(); }

bool BloqueoInstancia::Ocupado() const { return bloqueo_->error() == QLockFile::LockFailedError; }

void BloqueoInstancia::Soltar() { bloqueo_->unlock(); }
