#include "platform/Ansi.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Ansi {

QByteArray Codificar(const QString& texto) {
    QStringEncoder codificador("windows-1252", QStringConverter::Flag::Stateless);
    return codificador.encode(texto);
}

QString Decodificar(const QByteArray& bytes) {
    QStringDecoder decodificador("windows-1252", QStringConverter::Flag::Stateless);
    return decodificador.decode(bytes);
}

bool Disponible() { return QStringEncoder("windows-1252").isValid() && QStringDecoder("windows-1252").isValid(); }

}  // namespace Ansi
