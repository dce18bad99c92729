#pragma once
// Expected records written by hand: the pieces are laid at their offsets over a marker byte, and a
// marker left over means the expectation itself has a hole.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QPair>

inline QByteArray Esp(int n, char c = ' ') { return QByteArray(n, c); }

inline QByteArray RegistroEsperado(int longitud, const QList<QPair<int, QByteArray>>& piezas) {
    QByteArray r(longitud, '\x7f');
    for (const auto& [offset, bytes] : piezas) {
        EXPECT_LE(offset + bytes.size(), longitud) << "piece at " << offset;
        r.replace(offset, bytes.size(), bytes);
    }
    EXPECT_EQ(r.indexOf('\x7f'), -1) << "the expected record leaves a hole";
    return r;
}
