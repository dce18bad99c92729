#include "platform/LectorNumeros.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 kMaximo = std::numeric_limits<qint64>::max();

bool EsBlanco(QChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool EsDigito(QChar c) { return c >= '0' && c <= '9'; }

// Digits from i on, blanks between them skipped when saltarBlancos; i is left on the first other
// character. Beyond 64 bits the value stays at the largest one.
qint64 Digitos(QStringView t, qsizetype& i, bool saltarBlancos, bool& alguno) {
    qint64 n = 0;
    for (; i < t.size(); ++i) {
        if (saltarBlancos && EsBlanco(t[i])) continue;
        if (!EsDigito(t[i])) break;
        const int d = t[i].unicode() - '0';
        n = n > (kMaximo - d) / 10 ? kMaximo : n * 10 + d;
        alguno = true;
    }
    return n;
}

// Val and Campo: an optional sign, then digits. Val skips blanks everywhere and stops at the first
// other character; Campo takes blanks only around the number and nothing else after it.
NumeroLeido Entero(QStringView t, bool val) {
    NumeroLeido r;
    qsizetype i = 0;
    while (i < t.size() && EsBlanco(t[i])) ++i;
    bool negativo = false;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) negativo = t[i++] == '-';
    bool alguno = false;
    const qint64 n = Digitos(t, i, val, alguno);
    while (!val && i < t.size() && EsBlanco(t[i])) ++i;
    r.EsNumero = alguno && (val || i == t.size());
    if (val || r.EsNumero) r.Entero = negativo ? -n : n;
    r.Valor = static_cast<double>(r.Entero);
    return r;
}

NumeroLeido Regional(QStringView t) {
    NumeroLeido r;
    // Plain digits (the whole numbers of the catalog files) read the same in every locale and skip
    // it, which a catalog of tens of thousands of rows feels.
    if (t.size() <= 15 && std::all_of(t.begin(), t.end(), EsDigito)) {
        bool alguno = false;
        qsizetype i = 0;
        r.Entero = Digitos(t, i, false, alguno);
        r.Valor = static_cast<double>(r.Entero);
        r.EsNumero = true;
        return r;
    }
    const QLocale local;
    QString texto = t.toString();
    if (local.decimalPoint() == "," && local.groupSeparator() != ".") texto.replace('.', local.groupSeparator());
    bool ok = false;
    const double n = local.toDouble(texto, &ok);
    if (!ok) return r;
    r.EsNumero = true;
    r.Valor = n;
    r.Entero = SaturarEntero(n);
    return r;
}

}  // namespace

NumeroLeido LeerNumero(QStringView texto, FormaNumero forma) {
    const QStringView t = texto.trimmed();
    if (t.isEmpty()) {
        NumeroLeido r;
        r.Vacio = true;
        return r;
    }
    switch (forma) {
        case FormaNumero::Val:
            return Entero(t, true);
        case FormaNumero::Campo:
            return Entero(t, false);
        case FormaNumero::Regional:
            break;
    }
    return Regional(t);
}

qint64 SaturarEntero(double valor) {
    if (std::isnan(valor)) return 0;
    // 2^63 is the first double beyond the 64-bit range; converting it or more is undefined.
    constexpr double kLimite = 9223372036854775808.0;
    if (valor >= kLimite) return kMaximo;
    if (valor < -kLimite) return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(valor);
}
