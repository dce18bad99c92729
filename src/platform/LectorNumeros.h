#pragma once
// The one reader of numbers written as text: the codes and amounts of the exchange records, the
// columns read back from the database, and what the user types. The forms differ on purpose (a
// record's field, the old Val, an amount in the regional format); the way the digits are read and
// the overflow rule are the same for all of them.
//
// The overflow rule: a number beyond the range of the type it is read into stays at that type's
// largest (or smallest) value; it never wraps around and never converts undefined.
#include <QString>
#include <QStringView>
#include <limits>

enum class FormaNumero {
    // The leading number, as the old Val: blanks and tabs skipped wherever they stand, a sign, then
    // digits up to the first other character; 0 when there is none. The fraction is dropped.
    Val,
    // A fixed-width field of a record: a whole number, blanks around it allowed; anything else, a
    // blank field included, is not a number.
    Campo,
    // What the user types: the regional decimal mark and thousands separators, and "." separating
    // thousands wherever the decimal mark is "," (the counter's "15.230,50").
    Regional,
};

struct NumeroLeido {
    bool Vacio = false;     // the text is blank
    bool EsNumero = false;  // the text reads whole under its form (Val: there is a leading number)
    qint64 Entero = 0;      // the whole part, held at the 64-bit limits
    double Valor = 0;       // the number with its fraction; 0 when it is not a number

    // The whole part in a narrower type, held at that type's limits.
    template <class T>
    T Como() const {
        if (Entero > static_cast<qint64>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
        if (Entero < static_cast<qint64>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
        return static_cast<T>(Entero);
    }
};

NumeroLeido LeerNumero(QStringView texto, FormaNumero forma);

// The whole part of a floating value, held at the 64-bit limits; 0 for not-a-number.
qint64 SaturarEntero(double valor);

// The numeric value of a text as the old Val gives it, in the type it goes into.
template <class T = qint64>
T Val(QStringView texto) {
    return LeerNumero(texto, FormaNumero::Val).Como<T>();
}
