#include "platform/Dialecto.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QLocale>
#include <cmath>

namespace Dialecto {

namespace {

// Matches one bracket class starting at p[i] == '['; sets fin past the ']' (or -1 when unclosed).
bool CoincideClase(QChar c, const QString& p, qsizetype i, qsizetype& fin) {
    qsizetype j = i + 1;
    const bool negada = j < p.size() && p[j] == '!';
    if (negada) ++j;
    bool dentro = false;
    const qsizetype inicio = j;
    for (; j < p.size() && (p[j] != ']' || j == inicio); ++j) {
        if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
            if (c >= p[j] && c <= p[j + 2]) dentro = true;
            j += 2;
        } else if (p[j] == c) {
            dentro = true;
        }
    }
    if (j >= p.size()) {
        fin = -1;
        return false;
    }
    fin = j + 1;
    return dentro != negada;
}

// Iterative matcher with backtracking to the last "*": linear for the usual "ABC*" patterns.
bool CoincideDesde(const QString& t, const QString& p) {
    qsizetype ti = 0, pi = 0, estrellaP = -1, estrellaT = 0;
    while (ti < t.size()) {
        bool avanza = false;
        qsizetype siguiente = pi + 1;
        if (pi < p.size()) {
            const QChar pc = p[pi];
            if (pc == '*') {
                estrellaP = pi++;
                estrellaT = ti;
                continue;
            }
            if (pc == '?')
                avanza = true;
            else if (pc == '#')
                avanza = t[ti].isDigit();
            else if (pc == '[')
                avanza = CoincideClase(t[ti], p, pi, siguiente) && siguiente > 0;
            else
                avanza = pc == t[ti];
        }
        if (avanza) {
            ++ti;
            pi = siguiente;
        } else if (estrellaP >= 0) {
            pi = estrellaP + 1;
            ti = ++estrellaT;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

// The same matching over plain ASCII bytes, for the common case of ASCII text and a pattern
// without classes: no conversion per row, which a search over a whole catalog feels.
bool Ascii(const unsigned char* s, int n, bool patron) {
    for (int i = 0; i < n; ++i)
        if (s[i] >= 0x80 || (patron && s[i] == '[')) return false;
    return true;
}

unsigned char Minuscula(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

bool CoincideAscii(const unsigned char* t, int nt, const unsigned char* p, int np) {
    int ti = 0, pi = 0, estrellaP = -1, estrellaT = 0;
    while (ti < nt) {
        bool avanza = false;
        if (pi < np) {
            const unsigned char pc = p[pi];
            if (pc == '*') {
                estrellaP = pi++;
                estrellaT = ti;
                continue;
            }
            if (pc == '?')
                avanza = true;
            else if (pc == '#')
                avanza = t[ti] >= '0' && t[ti] <= '9';
            else
                avanza = Minuscula(pc) == Minuscula(t[ti]);
        }
        if (avanza) {
            ++ti;
            ++pi;
        } else if (estrellaP >= 0) {
            pi = estrellaP + 1;
            ti = ++estrellaT;
        } else {
            return false;
        }
    }
    while (pi < np && p[pi] == '*') ++pi;
    return pi == np;
}

QString Texto(sqlite3_value* v) {
    const auto* s = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return s ? QString::fromUtf8(s, sqlite3_value_bytes(v)) : QString();
}

void Like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    // SQLite passes like(pattern, text[, escape]).
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* patron = sqlite3_value_text(argv[0]);
    const int np = sqlite3_value_bytes(argv[0]);
    const auto* texto = sqlite3_value_text(argv[1]);
    const int nt = sqlite3_value_bytes(argv[1]);
    if (Ascii(patron, np, true) && Ascii(texto, nt, false)) {
        sqlite3_result_int(ctx, CoincideAscii(texto, nt, patron, np) ? 1 : 0);
        return;
    }
    sqlite3_result_int(ctx, Coincide(Texto(argv[1]), Texto(argv[0])) ? 1 : 0);
}

// Whole number rounded half to even, as the old engine's CINT; null for what is not a number or
// does not fit in 64 bits.
void CInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
    double d = 0;
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_INTEGER:
            sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
            return;
        case SQLITE_FLOAT:
            d = sqlite3_value_double(argv[0]);
            break;
        case SQLITE_TEXT: {
            bool ok = false;
            d = Texto(argv[0]).trimmed().toDouble(&ok);
            if (!ok) {
                sqlite3_result_null(ctx);
                return;
            }
            break;
        }
        default:
            sqlite3_result_null(ctx);
            return;
    }
    // Beyond 64 bits (or not a number at all) there is no whole number to give: null, as for a
    // text that is not a number, instead of an undefined conversion.
    const double redondo = std::nearbyint(d);
    constexpr double kLimite = 9223372036854775808.0;  // 2^63
    if (!std::isfinite(redondo) || redondo >= kLimite || redondo < -kLimite) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(redondo));
}

void CStr(sqlite3_context* ctx, int, sqlite3_value** argv) {
    QByteArray s;
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_NULL:
            sqlite3_result_null(ctx);
            return;
        case SQLITE_INTEGER:
            s = QByteArray::number(sqlite3_value_int64(argv[0]));
            break;
        case SQLITE_FLOAT:
            s = QByteArray::number(sqlite3_value_double(argv[0]), 'g', 15);
            break;
        default:
            s = Texto(argv[0]).toUtf8();
            break;
    }
    sqlite3_result_text(ctx, s.constData(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void Extremo(sqlite3_context* ctx, sqlite3_value** argv, bool izquierda) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = Texto(argv[0]);
    const qsizetype n = qMax<qsizetype>(0, sqlite3_value_int64(argv[1]));
    const QByteArray r = (izquierda ? s.left(n) : s.right(n)).toUtf8();
    sqlite3_result_text(ctx, r.constData(), static_cast<int>(r.size()), SQLITE_TRANSIENT);
}

void Left(sqlite3_context* ctx, int, sqlite3_value** argv) { Extremo(ctx, argv, true); }
void Right(sqlite3_context* ctx, int, sqlite3_value** argv) { Extremo(ctx, argv, false); }

}  // namespace

bool Coincide(const QString& texto, const QString& patron) {
    return CoincideDesde(texto.toCaseFolded(), patron.toCaseFolded());
}

void Registrar(sqlite3* db) {
    const int f = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "like", 2, f, nullptr, Like, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, f, nullptr, Like, nullptr, nullptr);
    sqlite3_create_function(db, "CINT", 1, f, nullptr, CInt, nullptr, nullptr);
    sqlite3_create_function(db, "CSTR", 1, f, nullptr, CStr, nullptr, nullptr);
    sqlite3_create_function(db, "TARSA_LEFT", 2, f, nullptr, Left, nullptr, nullptr);
    sqlite3_create_function(db, "TARSA_RIGHT", 2, f, nullptr, Right, nullptr, nullptr);
}

}  // namespace Dialecto
