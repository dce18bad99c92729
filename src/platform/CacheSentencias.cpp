#include "platform/CacheSentencias.h"

#include <sqlite3.h>

#include <QVarLengthArray>

#include "platform/ErrorSqlite.h"
#include "platform/LexicoSql.h"
#include "platform/TarsaError.h"

namespace {

using Valor = CacheSentencias::Valor;
using Tipo = LexicoSql::Tipo;

bool EsLetraNombre(QChar c) {
    return LexicoSql::EsLetraAscii(c) || LexicoSql::EsDigitoAscii(c) || c == '_' ||
           (c.unicode() >= 0x80 && c.isLetterOrNumber());
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
        LexicoSql lexico(sql_, PrimeraPalabra());
        for (LexicoSql::Pieza p = lexico.Siguiente(); p.tipo != Tipo::Fin; p = lexico.Siguiente()) {
            switch (p.tipo) {
                case Tipo::Texto:
                    Literal(p);
                    break;
                case Tipo::Palabra:
                    Identificador(p.inicio, p.fin);
                    break;
                case Tipo::Numero:
                    Numero(p.inicio, p.fin, false);
                    break;
                case Tipo::Simbolo:
                    if (sql_[p.inicio] == '/')
                        Division(lexico);
                    else
                        *out_++ = sql_[p.inicio];
                    break;
                default:  // blanks, comments, bracketed names and "?" go as they are
                    Escribir(QStringView(sql_).mid(p.inicio, p.fin - p.inicio));
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

    void Identificador(qsizetype i, qsizetype j) {
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
    }

    // A "/" followed by a whole number divides as floating point: the number is read as a real one.
    void Division(LexicoSql& lexico) {
        *out_++ = '/';
        LexicoSql adelante = lexico;
        LexicoSql::Pieza p = adelante.Siguiente();
        if (p.tipo == Tipo::Blanco) {
            Escribir(QStringView(sql_).mid(p.inicio, p.fin - p.inicio));
            lexico = adelante;
            p = adelante.Siguiente();
        }
        if (p.tipo != Tipo::Numero) return;
        for (qsizetype k = p.inicio; k < p.fin; ++k)
            if (!sql_[k].isDigit()) return;
        if (p.fin < n_ && (sql_[p.fin] == '.' || EsLetraNombre(sql_[p.fin]))) return;
        lexico = adelante;
        Numero(p.inicio, p.fin, true);
    }

    // A number the lexer found; one that divides is real.
    void Numero(qsizetype i, qsizetype j, bool divisor) {
        bool real = divisor;
        for (qsizetype k = i; k < j && !real; ++k) real = sql_[k] == '.' || sql_[k] == 'e' || sql_[k] == 'E';
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
        if (fijo_ || !ok || (j < n_ && LexicoSql::EsPalabra(sql_[j]))) {
            Escribir(numero);
            if (divisor) Escribir(QLatin1StringView(".0"));
        } else {
            *out_++ = '?';
            Valor& v = NuevoValor(real ? Valor::Tipo::Real : Valor::Tipo::Entero);
            v.real = r;
            v.entero = e;
        }
    }

    // A whole number of ASCII digits short enough not to overflow; false for anything else, which
    // the general conversion then reads.
    static bool Entero(QStringView numero, qint64& valor) {
        if (numero.size() > 18) return false;
        valor = 0;
        for (const QChar c : numero) {
            if (!LexicoSql::EsDigitoAscii(c)) return false;
            valor = valor * 10 + (c.unicode() - '0');
        }
        return true;
    }

    // A literal stays in the text (as SQLite's single-quoted one) after ORDER BY or GROUP BY, as a
    // blob (x'...') and when a single quote is never closed; anywhere else it becomes a parameter.
    void Literal(const LexicoSql::Pieza& p) {
        const QStringView literal = QStringView(sql_).mid(p.inicio, p.fin - p.inicio);
        const qsizetype hecho = out_ - inicio_;
        const bool blob =
            hecho > 0 && (out_[-1] == 'x' || out_[-1] == 'X') && (hecho == 1 || !LexicoSql::EsPalabra(out_[-2]));
        if (p.abierta) {
            Escribir(literal);
        } else if (fijo_ || blob) {
            *out_++ = '\'';
            for (const QChar c : LexicoSql::ValorTexto(literal)) {
                if (c == '\'') *out_++ = '\'';
                *out_++ = c;
            }
            *out_++ = '\'';
        } else {
            *out_++ = '?';
            Valor& v = NuevoValor(Valor::Tipo::Texto);
            if (p.simple) {
                v.texto = literal.mid(1, literal.size() - 2);
            } else {
                v.propio = LexicoSql::ValorTexto(literal);
                v.texto = v.propio;
            }
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
    if (const int rc = sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &stmt, &resto);
        rc != SQLITE_OK) {
        AnotarFalla(rc);
        throw ErrorSqlite(db_, original);
    }
    if (!stmt) throw TarsaError(ErrBaseDatos, "La instrucción SQL está vacía", "BaseDatos");
    if (resto && !LexicoSql::SoloSeparadores(QString::fromUtf8(resto))) {
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

void CacheSentencias::AnotarFalla(int codigo) {
    const int primario = codigo & 0xff;
    if (primario != SQLITE_CONSTRAINT && primario != SQLITE_INTERRUPT) fallas_ = true;
}

sqlite3_stmt* CacheSentencias::PrepararPropia(const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    if (const int rc = sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr); rc != SQLITE_OK) {
        AnotarFalla(rc);
        throw ErrorSqlite(db_, QString::fromUtf8(sql));
    }
    propias_.append(stmt);
    return stmt;
}

void CacheSentencias::Soltar(sqlite3_stmt* stmt) {
    if (propias_.removeOne(stmt)) sqlite3_finalize(stmt);
}

void CacheSentencias::Vaciar() {
    for (sqlite3_stmt* stmt : std::as_const(propias_)) sqlite3_finalize(stmt);
    propias_.clear();
    for (const auto& e : std::as_const(porSentencia_)) sqlite3_finalize(e->stmt);
    entradas_.clear();
    porSentencia_.clear();
}
