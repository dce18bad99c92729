#include "platform/Ansi.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <array>

#ifdef Q_OS_WIN
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace Ansi {

namespace {

#ifdef Q_OS_WIN
// Qt for Windows knows code pages by name only through ICU, which it is built without; Windows
// itself converts every code page it has.
constexpr UINT kPaginaAnsi = 1252;
#endif

// The character of each byte: one table, filled once, from which both directions are made.
const std::array<char16_t, 256>& TablaBytes() {
    static const std::array<char16_t, 256> tabla = [] {
        std::array<char16_t, 256> t{};
#ifdef Q_OS_WIN
        for (int b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            wchar_t c = 0;
            t[b] = MultiByteToWideChar(kPaginaAnsi, 0, &byte, 1, &c, 1) == 1 ? char16_t(c)
                                                                             : char16_t(QChar::ReplacementCharacter);
        }
#else
        QStringDecoder decodificador("windows-1252", QStringConverter::Flag::Stateless);
        for (int b = 0; b < 256; ++b) {
            const QString c = decodificador.decode(QByteArray(1, static_cast<char>(b)));
            t[b] = c.size() == 1 ? c[0].unicode() : char16_t(QChar::ReplacementCharacter);
        }
#endif
        return t;
    }();
    return tabla;
}

// Code point to byte for 0x80-0xFF, from the same table, so that every byte written reads back as
// the same character.
const QHash<char32_t, char>& TablaAlta() {
    static const QHash<char32_t, char> tabla = [] {
        QHash<char32_t, char> t;
        for (int b = 0x80; b <= 0xFF; ++b)
            if (TablaBytes()[b] != QChar::ReplacementCharacter) t.insert(TablaBytes()[b], static_cast<char>(b));
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
    // One character per byte, from the table: making a decoder for every record of a catalog costs
    // more than reading the record.
    const auto& tabla = TablaBytes();
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar* p = texto.data();
    for (const char b : bytes) *p++ = QChar(tabla[static_cast<unsigned char>(b)]);
    return texto;
}

bool Disponible() {
#ifdef Q_OS_WIN
    return IsValidCodePage(kPaginaAnsi);
#else
    return QStringEncoder("windows-1252").isValid() && QStringDecoder("windows-1252").isValid();
#endif
}

}  // namespace Ansi
