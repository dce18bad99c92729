#include "platform/BloqueoInstancia.h"

#include <QLockFile>

BloqueoInstancia::BloqueoInstancia(const QString& archivo) : bloqueo_(std::make_unique<QLockFile>(archivo)) {
    // Held for the whole run: age never makes it stale, only the death of the process that wrote it.
    bloqueo_->setStaleLockTime(0);
}

BloqueoInstancia::~BloqueoInstancia() = default;

bool BloqueoInstancia::Tomar() { return bloqueo_->isLocked() || bloqueo_->tryLock(0); }

bool BloqueoInstancia::Ocupado() const { return bloqueo_->error() == QLockFile::LockFailedError; }

void BloqueoInstancia::Soltar() { bloqueo_->unlock(); }
