#include "platform/Ansi.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

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
    // One character per byte, from a table the decoder fills once: making a decoder for every
    // record of a catalog costs more than reading the record.
    static const std::array<char16_t, 256> tabla = [] {
        std::array<char16_t, 256> t{};
        QStringDecoder decodificador("windows-1252", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const QString c = decodificador.decode(QByteArray(1, static_cast<char>(b)));
            t[b] = c.size() == 1 ? c[0].unicode() : char16_t(QChar::ReplacementCharacter);
        }
        return t;
    }();
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar* p = texto.data();
    for (const char b : bytes) *p++ = QChar(tabla[static_cast<unsigned char>(b)]);
    return texto;
}

bool Disponible() { return QStringEncoder("windows-1252").isValid() && QStringDecoder("windows-1252").isValid(); }

}  // namespace Ansi
