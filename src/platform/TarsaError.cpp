#include "platform/TarsaError.h"

TarsaError ComoTarsaError(const std::exception& e, const QString& fuente) {
    if (auto t = dynamic_cast<const TarsaError*>(&e)) return fuente.isEmpty() ? *t : t->ConFuente(fuente);
    return TarsaError(ErrNoTarsa, QString::fromLocal8Bit(e.what()), fuente);
}
