#include "platform/Ansi.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Ansi {

namespace {

// Code point to byte for 0x80-0xFF, built from the decoder so that every byte written reads back as
// the same character.
const QHash<char32_t, char>& TablaAlta() {
    static const QHash<char32_t, char> tabla = [] {
        QHash<char32_t, char> t;
        QStringDecoder decodificador("windows-1252", QStringConverter::Flag::Stateless);
        for (int b = 0x80; b <= 0xFF; ++b) {
            const QString c = decodificador.decode(QByteArray(1, static_cast<char>(b)));
            if (c.size() == 1 && c[0] != QChar::ReplacementCharacter) t.insert(c[0].unicode(), static_cast<char>(b));
        }
        return t;
    }();
    return tabla;
}

}  // namespace

QByteArray Codificar(const QString& texto) {
    // Composed form first, so that a letter typed as base and accent is its one byte; then exactly
    // one byte per character, "?" for what the code page lacks (characters beyond the Basic
    // Multilingual Plane included), so fixed fields never shift.
    const QList<uint> puntos = texto.normalized(QString::NormalizationForm_C).toUcs4();
    const auto& alta = TablaAlta();
    QByteArray bytes;
    bytes.reserve(puntos.size());
    for (const uint p : puntos) bytes.append(p < 0x80 ? static_cast<char>(p) : alta.value(p, '?'));
    return bytes;
}

QString Decodificar(const QByteArray& bytes) {
    QStringDecoder decodificador("windows-1252", QStringConverter::Flag::Stateless);
    return decodificador.decode(bytes);
}

bool Disponible() { return QStringEncoder("windows-1252").isValid() && QStringDecoder("windows-1252").isValid(); }

}  // namespace Ansi
