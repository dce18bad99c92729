#include "platform/LexicoSql.h"

LexicoSql::Pieza LexicoSql::Siguiente() {
    Pieza p;
    p.inicio = i_;
    const qsizetype n = sql_.size();
    if (i_ >= n) return p;
    const QChar c = sql_[i_];
    const QChar d = i_ + 1 < n ? sql_[i_ + 1] : QChar();
    qsizetype fin = i_ + 1;
    if (c == '\'' || c == '"') {
        p.tipo = Tipo::Texto;
        fin = FinTexto(p);
    } else if (c == '-' && d == '-') {
        p.tipo = Tipo::Comentario;
        fin = Hasta(u"\n", false);
    } else if (c == '/' && d == '*') {
        p.tipo = Tipo::Comentario;
        fin = Hasta(u"*/", true);
    } else if (c == '[') {
        p.tipo = Tipo::Nombre;
        fin = Hasta(u"]", true);
    } else if (EsInicioPalabra(c)) {
        p.tipo = Tipo::Palabra;
        while (fin < n && EsPalabra(sql_[fin])) ++fin;
    } else if (c.isDigit() || (c == '.' && d.isDigit())) {
        p.tipo = Tipo::Numero;
        fin = FinNumero();
    } else if (c.isSpace()) {
        p.tipo = Tipo::Blanco;
        while (fin < n && sql_[fin].isSpace()) ++fin;
    } else {
        p.tipo = c == '?' ? Tipo::Parametro : Tipo::Simbolo;
    }
    p.fin = i_ = fin;
    return p;
}

// Where the text from i_ on ends: after the end mark (incluido) or before it; at the end of the
// text when the mark never comes.
qsizetype LexicoSql::Hasta(QStringView fin, bool incluido) const {
    const qsizetype f = sql_.indexOf(fin, i_ + 1);
    return f < 0 ? sql_.size() : f + (incluido ? fin.size() : 0);
}

qsizetype LexicoSql::FinNumero() const {
    const qsizetype n = sql_.size();
    qsizetype j = i_;
    while (j < n && sql_[j].isDigit()) ++j;
    if (j < n && sql_[j] == '.') {
        ++j;
        while (j < n && sql_[j].isDigit()) ++j;
    }
    if (j < n && (sql_[j] == 'e' || sql_[j] == 'E')) {
        qsizetype k = j + 1;
        if (k < n && (sql_[k] == '+' || sql_[k] == '-')) ++k;
        if (k < n && sql_[k].isDigit()) {
            j = k;
            while (j < n && sql_[j].isDigit()) ++j;
        }
    }
    return j;
}

// A piece between single quotes ends at the next one (two in a row start the next piece of the
// same literal); a piece between double quotes ends at a double quote not written twice.
qsizetype LexicoSql::FinTexto(Pieza& p) const {
    const qsizetype n = sql_.size();
    qsizetype i = i_;
    int piezas = 0;
    bool cerrada = false, dobles = false;
    while (i < n && (sql_[i] == '\'' || sql_[i] == '"') && !p.abierta) {
        ++piezas;
        if (sql_[i] == '\'') {
            const qsizetype fin = sql_.indexOf(u'\'', i + 1);
            p.abierta = fin < 0;
            cerrada = !p.abierta;
            i = p.abierta ? n : fin + 1;
        } else {
            qsizetype j = i + 1;
            for (; j < n && !(sql_[j] == '"' && !(j + 1 < n && sql_[j + 1] == '"')); ++j)
                if (sql_[j] == '"') dobles = true, ++j;
            cerrada = j < n;
            i = cerrada ? j + 1 : n;
        }
    }
    p.simple = piezas == 1 && cerrada && !dobles;
    return i;
}

QString LexicoSql::ValorTexto(QStringView literal) {
    QString t;
    const qsizetype fin = literal.size();
    for (qsizetype i = 0; i < fin;) {
        if (i > 0) t += '\'';  // between two pieces
        const QChar q = literal[i];
        qsizetype j = i + 1;
        for (; j < fin && !(literal[j] == q && !(q == '"' && j + 1 < fin && literal[j + 1] == '"')); ++j) {
            t += literal[j];
            if (q == '"' && literal[j] == '"') ++j;
        }
        i = j + 1;
    }
    return t;
}

bool LexicoSql::SoloSeparadores(QStringView sql) {
    LexicoSql lexico(sql);
    for (Pieza p = lexico.Siguiente(); p.tipo != Tipo::Fin; p = lexico.Siguiente())
        if (p.tipo != Tipo::Blanco && p.tipo != Tipo::Comentario && !(p.tipo == Tipo::Simbolo && sql[p.inicio] == ';'))
            return false;
    return true;
}
