#pragma once
// The pieces of SQL text in the program's dialect, read one at a time without copying. This is the
// one place that knows where a text literal, a comment or a bracketed name begins and ends, so that
// everything looking into SQL text (the dialect reader, the check that a statement is alone) agrees
// on them: a "?" or a "--" inside a literal is text, a quote inside a comment is comment.
#include <QString>
#include <QStringView>

class LexicoSql {
public:
    enum class Tipo : quint8 {
        Fin,
        Blanco,      // a run of white space
        Comentario,  // "--" to the end of the line (the line end not included), or "/*" to "*/"
        Nombre,      // "[" to "]": a name that may hold spaces
        Texto,       // a run of quoted pieces with nothing between them: 'a''b', "x""y", 'a'"b"
        Numero,      // digits, an optional decimal part and exponent: 12, 1.5, .5, 2e-3
        Palabra,     // a keyword or a name
        Parametro,   // "?"
        Simbolo,     // any other single character
    };
    struct Pieza {
        Tipo tipo = Tipo::Fin;
        qsizetype inicio = 0;
        qsizetype fin = 0;
        bool abierta = false;  // Texto: a single quote is never closed; the literal runs to the end
        bool simple = false;   // Texto: one closed piece without a doubled quote inside
    };

    explicit LexicoSql(QStringView sql, qsizetype desde = 0) : sql_(sql), i_(desde) {}
    Pieza Siguiente();

    // The text a literal stands for: its pieces joined by single quotes (two single quotes in a row
    // are one inside the text), double quotes written twice undone.
    static QString ValorTexto(QStringView literal);
    // Whether SQL text holds nothing but blanks, comments and semicolons.
    static bool SoloSeparadores(QStringView sql);

    // ASCII first: nearly every character of a statement is, and the Unicode tables cost more.
    static bool EsLetraAscii(QChar c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool EsDigitoAscii(QChar c) { return c >= '0' && c <= '9'; }
    static bool EsInicioPalabra(QChar c) {
        return EsLetraAscii(c) || c == '_' || (c.unicode() >= 0x80 && c.isLetter());
    }
    static bool EsPalabra(QChar c) {
        return EsLetraAscii(c) || EsDigitoAscii(c) || c == '_' || c == '$' ||
               (c.unicode() >= 0x80 && c.isLetterOrNumber());
    }

private:
    qsizetype FinTexto(Pieza& p) const;
    qsizetype FinNumero() const;
    qsizetype Hasta(QStringView fin, bool incluido) const;

    QStringView sql_;
    qsizetype i_;
};
