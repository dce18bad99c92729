#pragma once
// Small routines the windows share to show database values and to stay responsive in long loops.
#include <QElapsedTimer>
#include <QString>
#include <QVariant>

class QWidget;

// A database value as a list or report shows it: a null is empty text, numbers follow the regional
// rules without thousands separators, text is left as stored.
QString TextoVisible(const QVariant& valor);

// Whether a field holds money (a price, a fee, an amount to pay), which lists show as money.
bool EsCampoMoneda(const QString& campo);
// Money as the regional rules write it, thousands grouped and two decimals ("1.520,50" in
// Argentina); a null is empty text.
QString TextoMoneda(const QVariant& valor);

// The texts of TextoVisible and TextoMoneda for a long run of values (the rows of a search): the
// regional rules are looked up once, and each text is written into one whose room is reused, so that
// a list does not allocate for each of its numbers.
struct ReglasRegionales;

class EscritorNumeros {
public:
    EscritorNumeros();  // the rules of the default locale as it is now
    void Visible(const QVariant& valor, QString& texto) const;
    void Moneda(const QVariant& valor, QString& texto) const;

private:
    const ReglasRegionales& reglas_;
};

// The horizontal room an item view leaves around a cell's text; a column as wide as its text plus
// this shows the text whole.
int MargenCelda(const QWidget* vista);

// Lets the user interface breathe during a long loop: Toca() says whether some tens of milliseconds
// went by since the user interface last ran, so asking on every row costs little; Ceder() runs the
// pending events.
class CederInterfaz {
public:
    CederInterfaz() { reloj_.start(); }
    bool Toca() const;
    void Ceder();

private:
    QElapsedTimer reloj_;
};
