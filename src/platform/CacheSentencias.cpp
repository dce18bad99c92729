#include "platform/CacheSentencias.h"

#include <sqlite3.h>

#include <QVarLengthArray>

#include "platform/ErrorSqlite.h"
#include "platform/TarsaError.h"

namespace {

using Valor = CacheSentencias::Valor;

// True when the rest of a statement after its first one holds only blanks and semicolons.
bool SoloFinal(const char* resto) {
    for (; resto && *resto; ++resto)
        if (!std::isspace(static_cast<unsigned char>(*resto)) && *resto != ';') return false;
    return true;
}

// ASCII first: nearly every character of a statement is, and the Unicode tables cost more.
bool EsLetraAscii(QChar c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool EsDigito(QChar c) { return c >= '0' && c <= '9'; }
bool EsInicioIdentificador(QChar c) { return EsLetraAscii(c) || c == '_' || (c.unicode() >= 0x80 && c.isLetter()); }
bool EsIdentificador(QChar c) {
    return EsLetraAscii(c) || EsDigito(c) || c == '_' || c == '$' || (c.unicode() >= 0x80 && c.isLetterOrNumber());
}
bool EsLetraNombre(QChar c) {
    return EsLetraAscii(c) || EsDigito(c) || c == '_' || (c.unicode() >= 0x80 && c.isLetterOrNumber());
}
// Whether a word is the keyword (upper-case ASCII letters), without regard to case.
bool EsClave(QStringView palabra, QLatin1StringView clave) {
    if (palabra.size() != clave.size()) return false;
    for (qsizetype i = 0; i < palabra.size(); ++i) {
        const char16_t u = palabra[i].unicode();
        if (u >= 0x80 || (u | 0x20) != (clave[i].unicode() | 0x20)) return false;
    }
    return true;
}
bool EsBlancoAscii(QChar c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool EsPalabraAscii(QChar c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Reads a statement of the dialect once, writing SQLite's text with "?" for each literal into forma
// and the literals into valores. The text is written through a pointer into a buffer sized for the
// worst case, as this runs for every statement the program sends.
class LectorDialecto {
public:
    LectorDialecto(const QString& sql, QString& forma, std::vector<Valor>& valores)
        : sql_(sql), n_(sql.size()), forma_(forma), valores_(valores) {}

    void Leer() {
        // No piece of the output is three times as long as what it comes from (LEFT( is TARSA_LEFT(),
        // plus OR IGNORE.
        forma_.resize(3 * n_ + 16);
        inicio_ = out_ = forma_.data();
        numValores_ = 0;
        qsizetype i = PrimeraPalabra();
        while (i < n_) {
            const QChar c = sql_[i];
            if (c == '\'' || c == '"')
                i = Literal(i);
            else if (c == '-' && i + 1 < n_ && sql_[i + 1] == '-')
                i = HastaFinal(i, '\n', false);
            else if (c == '[')
                i = HastaFinal(i, ']', true);
            else if (EsInicioIdentificador(c))
                i = Identificador(i);
            else if (c.isDigit() || (c == '.' && i + 1 < n_ && sql_[i + 1].isDigit()))
                i = Numero(i, i, false);
            else if (c == '/')
                i = Division(i);
            else {
                *out_++ = c;
                ++i;
            }
        }
        forma_.truncate(out_ - inicio_);
        valores_.resize(numValores_);
    }

private:
    void Escribir(QStringView texto) {
        std::copy(texto.begin(), texto.end(), out_);
        out_ += texto.size();
    }
    void Escribir(QLatin1StringView texto) {
        for (const char c : texto) *out_++ = QLatin1Char(c);
    }
    Valor& NuevoValor(Valor::Tipo tipo) {
        if (numValores_ == valores_.size()) valores_.emplace_back();
        Valor& v = valores_[numValores_++];
        v.tipo = tipo;
        return v;
    }

    // Only plain SELECT, INSERT, UPDATE and DELETE take parameters; INSERT and UPDATE (unless they
    // already say OR) get OR IGNORE. Returns where reading goes on.
    qsizetype PrimeraPalabra() {
        qsizetype i = 0;
        while (i < n_ && EsBlancoAscii(sql_[i])) ++i;
        qsizetype j = i;
        while (j < n_ && EsPalabraAscii(sql_[j])) ++j;
        const QStringView palabra = QStringView(sql_).mid(i, j - i);
        const auto es = [&](const char* p) { return EsClave(palabra, QLatin1StringView(p)); };
        fijo_ = !(es("SELECT") || es("INSERT") || es("UPDATE") || es("DELETE"));
        if (fijo_ || !(es("INSERT") || es("UPDATE"))) return 0;
        Escribir(QStringView(sql_).left(j));
        qsizetype k = j;
        while (k < n_ && EsBlancoAscii(sql_[k])) ++k;
        const bool conOr = k > j && k + 2 < n_ && EsClave(QStringView(sql_).mid(k, 2), QLatin1StringView("OR")) &&
                           EsBlancoAscii(sql_[k + 2]);
        if (k > j && !conOr) Escribir(QLatin1StringView(" OR IGNORE"));
        return j;
    }

    // Copies up to the end character (a comment to the end of its line, a bracketed name to its "]").
    qsizetype HastaFinal(qsizetype i, QChar fin, bool incluido) {
        const qsizetype f = sql_.indexOf(fin, i + 1);
        const qsizetype hasta = f < 0 ? n_ : f + (incluido ? 1 : 0);
        Escribir(QStringView(sql_).mid(i, hasta - i));
        return hasta;
    }

    qsizetype Identificador(qsizetype i) {
        qsizetype j = i;
        while (j < n_ && EsIdentificador(sql_[j])) ++j;
        const QStringView palabra = QStringView(sql_).mid(i, j - i);
        if (EsClave(palabra, QLatin1StringView("BY")) &&
            (EsClave(anterior_, QLatin1StringView("ORDER")) || EsClave(anterior_, QLatin1StringView("GROUP"))))
            fijo_ = true;
        anterior_ = palabra;
        if (EsClave(palabra, QLatin1StringView("LEFT")) || EsClave(palabra, QLatin1StringView("RIGHT"))) {
            qsizetype k = j;
            while (k < n_ && sql_[k].isSpace()) ++k;
            if (k < n_ && sql_[k] == '(') Escribir(QLatin1StringView("TARSA_"));
        }
        Escribir(palabra);
        return j;
    }

    // A "/" followed by a whole number divides as floating point: the number is read as a real one.
    qsizetype Division(qsizetype i) {
        *out_++ = '/';
        qsizetype j = i + 1;
        while (j < n_ && sql_[j].isSpace()) *out_++ = sql_[j++];
        qsizetype k = j;
        while (k < n_ && sql_[k].isDigit()) ++k;
        if (k > j && (k >= n_ || (sql_[k] != '.' && !EsLetraNombre(sql_[k])))) return Numero(j, k, true);
        return j;
    }

    // A number from i; for a whole number that divides, finDivisor ends its digits and it is real.
    qsizetype Numero(qsizetype i, qsizetype finDivisor, bool divisor) {
        qsizetype j = divisor ? finDivisor : i;
        bool real = divisor;
        if (!divisor) {
            while (j < n_ && sql_[j].isDigit()) ++j;
            if (j < n_ && sql_[j] == '.') {
                real = true;
                ++j;
                while (j < n_ && sql_[j].isDigit()) ++j;
            }
            if (j < n_ && (sql_[j] == 'e' || sql_[j] == 'E')) {
                qsizetype k = j + 1;
                if (k < n_ && (sql_[k] == '+' || sql_[k] == '-')) ++k;
                if (k < n_ && sql_[k].isDigit()) {
                    real = true;
                    j = k;
                    while (j < n_ && sql_[j].isDigit()) ++j;
                }
            }
        }
        const QStringView numero = QStringView(sql_).mid(i, j - i);
        bool ok = false;
        qint64 e = 0;
        double r = 0;
        if (!real && Entero(numero, e))
            ok = true;
        else if (real)
            r = numero.toDouble(&ok);
        else
            e = numero.toLongLong(&ok);
        if (fijo_ || !ok || (j < n_ && EsIdentificador(sql_[j]))) {
            Escribir(numero);
            if (divisor) Escribir(QLatin1StringView(".0"));
        } else {
            *out_++ = '?';
            Valor& v = NuevoValor(real ? Valor::Tipo::Real : Valor::Tipo::Entero);
            v.real = r;
            v.entero = e;
        }
        return j;
    }

    // A whole number of ASCII digits short enough not to overflow; false for anything else, which
    // the general conversion then reads.
    static bool Entero(QStringView numero, qint64& valor) {
        if (numero.size() > 18) return false;
        valor = 0;
        for (const QChar c : numero) {
            if (!EsDigito(c)) return false;
            valor = valor * 10 + (c.unicode() - '0');
        }
        return true;
    }

    // A run of quoted pieces with nothing between them is one literal: a piece between single quotes
    // ends at the next one (two in a row are one quote inside the text), a piece between double quotes
    // holds a double quote written twice. A literal stays in the text (as SQLite's single-quoted one)
    // after ORDER BY or GROUP BY, as a blob (x'...') and when a single quote is never closed.
    qsizetype Literal(qsizetype i) {
        const qsizetype inicio = i;
        int piezas = 0;
        bool abierto = false, dobles = false;
        while (i < n_ && (sql_[i] == '\'' || sql_[i] == '"') && !abierto) {
            ++piezas;
            if (sql_[i] == '\'') {
                const qsizetype fin = sql_.indexOf('\'', i + 1);
                abierto = fin < 0;
                i = abierto ? n_ : fin + 1;
            } else {
                qsizetype j = i + 1;
                for (; j < n_ && !(sql_[j] == '"' && !(j + 1 < n_ && sql_[j + 1] == '"')); ++j)
                    if (sql_[j] == '"') dobles = true, ++j;
                i = j < n_ ? j + 1 : n_;
            }
        }
        const qsizetype hecho = out_ - inicio_;
        const bool blob =
            hecho > 0 && (out_[-1] == 'x' || out_[-1] == 'X') && (hecho == 1 || !EsIdentificador(out_[-2]));
        if (fijo_ || blob || abierto) {
            EscribirLiteral(inicio, i);
            return i;
        }
        *out_++ = '?';
        Valor& v = NuevoValor(Valor::Tipo::Texto);
        const bool simple = piezas == 1 && sql_[inicio] == '"' && !dobles && i - inicio >= 2 && sql_[i - 1] == '"';
        const bool simpleComilla = piezas == 1 && sql_[inicio] == '\'';
        if (simple || simpleComilla) {
            v.texto = QStringView(sql_).mid(inicio + 1, i - inicio - 2);
        } else {
            v.propio = TextoLiteral(inicio, i);
            v.texto = v.propio;
        }
        return i;
    }

    // The text of a run of quoted pieces: joined by single quotes, doubled double quotes undone.
    QString TextoLiteral(qsizetype i, qsizetype fin) const {
        QString t;
        for (bool primera = true; i < fin; primera = false) {
            if (!primera) t += '\'';
            const QChar q = sql_[i];
            qsizetype j = i + 1;
            for (; j < fin && !(sql_[j] == q && !(q == '"' && j + 1 < fin && sql_[j + 1] == '"')); ++j) {
                t += sql_[j];
                if (q == '"' && sql_[j] == '"') ++j;
            }
            i = j + 1;
        }
        return t;
    }

    // The run as SQLite's literal: single-quoted pieces as they are, double-quoted ones between single
    // quotes with their single quotes doubled.
    void EscribirLiteral(qsizetype i, qsizetype fin) {
        while (i < fin) {
            if (sql_[i] == '\'') {
                const qsizetype f = sql_.indexOf('\'', i + 1);
                const qsizetype hasta = f < 0 ? n_ : f + 1;
                Escribir(QStringView(sql_).mid(i, hasta - i));
                i = hasta;
                continue;
            }
            *out_++ = '\'';
            qsizetype j = i + 1;
            for (; j < fin && !(sql_[j] == '"' && !(j + 1 < fin && sql_[j + 1] == '"')); ++j) {
                if (sql_[j] == '\'') *out_++ = '\'';
                *out_++ = sql_[j];
                if (sql_[j] == '"') ++j;
            }
            *out_++ = '\'';
            i = j + 1;
        }
    }

    const QString& sql_;
    const qsizetype n_;
    QString& forma_;
    std::vector<Valor>& valores_;
    QChar* inicio_ = nullptr;
    QChar* out_ = nullptr;
    size_t numValores_ = 0;
    bool fijo_ = false;  // literals stay in the text
    QStringView anterior_;
};

// Writes a text as UTF-8 at the end of the buffer: ASCII byte by byte, anything else through Qt.
void AgregarUtf8(QByteArray& buffer, QStringView texto) {
    const qsizetype inicio = buffer.size();
    buffer.resize(inicio + texto.size());
    char* p = buffer.data() + inicio;
    for (const QChar c : texto) {
        if (c.unicode() >= 0x80) {
            buffer.truncate(inicio);
            buffer.append(texto.toUtf8());
            return;
        }
        *p++ = static_cast<char>(c.unicode());
    }
}

// Binds the values. With a buffer (one per statement kept) the texts are bound where they lie in it,
// which stays untouched until the statement is used again; without one SQLite copies them.
void Enlazar(sqlite3_stmt* stmt, const std::vector<Valor>& valores, QByteArray* buffer) {
    QByteArray propio;
    QByteArray& textos = buffer ? *buffer : propio;
    textos.resize(0);  // keeps what it has grown to
    QVarLengthArray<qsizetype, 16> fines;
    for (const Valor& v : valores) {
        if (v.tipo == Valor::Tipo::Texto) AgregarUtf8(textos, v.texto);
        fines.append(textos.size());
    }
    qsizetype desde = 0;
    for (int i = 0; i < static_cast<int>(valores.size()); ++i) {
        const Valor& v = valores[i];
        switch (v.tipo) {
            case Valor::Tipo::Entero:
                sqlite3_bind_int64(stmt, i + 1, v.entero);
                break;
            case Valor::Tipo::Real:
                sqlite3_bind_double(stmt, i + 1, v.real);
                break;
            case Valor::Tipo::Texto:
                // An empty text is text, never null.
                sqlite3_bind_text(stmt, i + 1, fines[i] > desde ? textos.constData() + desde : "",
                                  static_cast<int>(fines[i] - desde), buffer ? SQLITE_STATIC : SQLITE_TRANSIENT);
                break;
        }
        desde = fines[i];
    }
}

}  // namespace

QString CacheSentencias::Forma(const QString& sql, QList<QVariant>& valores) {
    QString forma;
    std::vector<Valor> leidos;
    LectorDialecto(sql, forma, leidos).Leer();
    valores.clear();
    for (const Valor& v : leidos) {
        if (v.tipo == Valor::Tipo::Entero)
            valores.append(QVariant(static_cast<qlonglong>(v.entero)));
        else if (v.tipo == Valor::Tipo::Real)
            valores.append(QVariant(v.real));
        else
            valores.append(QVariant(v.texto.toString()));
    }
    return forma;
}

CacheSentencias::Entrada& CacheSentencias::Preparar(const QString& original) {
    const QByteArray utf8 = forma_.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* resto = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &stmt, &resto) != SQLITE_OK)
        throw ErrorSqlite(db_, original);
    if (!stmt) throw TarsaError(ErrBaseDatos, "La instrucción SQL está vacía", "BaseDatos");
    if (!SoloFinal(resto)) {
        sqlite3_finalize(stmt);
        throw TarsaError(ErrBaseDatos, "Se admite una sola instrucción SQL por vez [" + original.left(300) + "]",
                         "BaseDatos");
    }
    auto e = std::make_shared<Entrada>();
    e->stmt = stmt;
    e->forma = QString(forma_.constData(), forma_.size());  // its own copy: the buffer is reused
    for (int i = 0, n = sqlite3_column_count(stmt); i < n; ++i)
        e->nombres.append(QString::fromUtf8(sqlite3_column_name(stmt, i)));
    porSentencia_.insert(stmt, e);
    return *e;
}

// Forgets the least recently used idle statement.
void CacheSentencias::Olvidar() {
    auto viejo = entradas_.end();
    for (auto e = entradas_.begin(); e != entradas_.end(); ++e)
        if (!(*e)->enUso && (viejo == entradas_.end() || (*e)->uso < (*viejo)->uso)) viejo = e;
    if (viejo == entradas_.end()) return;
    porSentencia_.remove((*viejo)->stmt);
    sqlite3_finalize((*viejo)->stmt);
    entradas_.erase(viejo);
}

sqlite3_stmt* CacheSentencias::Obtener(const QString& sql, QStringList* nombres) {
    LectorDialecto(sql, forma_, valores_).Leer();
    auto it = entradas_.find(forma_);
    Entrada* e = it == entradas_.end() ? nullptr : it->get();
    if (!e || e->enUso) {
        Entrada& nueva = Preparar(sql);
        if (e) {  // the shape is busy (a nested query): this statement is not kept
            sqlite3_stmt* stmt = nueva.stmt;
            if (nombres) *nombres = nueva.nombres;
            porSentencia_.remove(stmt);
            Enlazar(stmt, valores_, nullptr);
            return stmt;
        }
        if (entradas_.size() >= kMaximo) Olvidar();
        e = &nueva;
        entradas_.insert(e->forma, porSentencia_.value(e->stmt));
    }
    e->enUso = true;
    e->uso = ++reloj_;
    if (nombres) *nombres = e->nombres;
    Enlazar(e->stmt, valores_, &e->textos);
    return e->stmt;
}

void CacheSentencias::Devolver(sqlite3_stmt* stmt) {
    if (!stmt) return;
    const auto e = porSentencia_.constFind(stmt);
    if (e == porSentencia_.constEnd()) {
        sqlite3_finalize(stmt);
        return;
    }
    // Every parameter is bound again at the next use, so the old values need not be cleared.
    sqlite3_reset(stmt);
    (*e)->enUso = false;
}

void CacheSentencias::Vaciar() {
    for (const auto& e : std::as_const(porSentencia_)) sqlite3_finalize(e->stmt);
    entradas_.clear();
    porSentencia_.clear();
}
