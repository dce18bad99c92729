#include "platform/CacheSentencias.h"

#include <sqlite3.h>

#include <QRegularExpression>

#include "platform/TarsaError.h"

namespace {

TarsaError ErrorPreparar(sqlite3* db, const QString& sql) {
    return TarsaError(3000 + (sqlite3_extended_errcode(db) & 0xff),
                      QString::fromUtf8(sqlite3_errmsg(db)) + " [" + sql.left(300) + "]", "BaseDatos");
}

// True when the rest of a statement after its first one holds only blanks and semicolons.
bool SoloFinal(const char* resto) {
    for (; resto && *resto; ++resto)
        if (!std::isspace(static_cast<unsigned char>(*resto)) && *resto != ';') return false;
    return true;
}

bool EsInicioIdentificador(QChar c) { return c.isLetter() || c == '_'; }
bool EsIdentificador(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '$'; }

void Enlazar(sqlite3_stmt* stmt, const QList<QVariant>& valores) {
    for (int i = 0; i < valores.size(); ++i) {
        const QVariant& v = valores[i];
        if (v.typeId() == QMetaType::LongLong) {
            sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
        } else if (v.typeId() == QMetaType::Double) {
            sqlite3_bind_double(stmt, i + 1, v.toDouble());
        } else {
            const QByteArray t = v.toString().toUtf8();
            sqlite3_bind_text(stmt, i + 1, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
        }
    }
}

}  // namespace

QString CacheSentencias::Parametrizar(const QString& sql, QList<QVariant>& valores) {
    static const QRegularExpression parametrizable(R"(^\s*(SELECT|INSERT|UPDATE|DELETE)\b)",
                                                   QRegularExpression::CaseInsensitiveOption);
    valores.clear();
    if (!parametrizable.match(sql).hasMatch()) return sql;
    QString r;
    r.reserve(sql.size());
    QStringView palabraAnterior;
    const QStringView vista(sql);
    bool fijo = false;  // after ORDER BY / GROUP BY
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql[i];
        if (c == '\'') {  // a text literal ('' inside stands for one quote)
            qsizetype j = i + 1;
            bool dobles = false;
            for (; j < n; ++j) {
                if (sql[j] != '\'') continue;
                if (j + 1 < n && sql[j + 1] == '\'') {
                    dobles = true;
                    ++j;
                    continue;
                }
                break;
            }
            QString valor = sql.mid(i + 1, j - i - 1);
            if (dobles) valor.replace(QLatin1String("''"), QLatin1String("'"));
            const bool blob = !r.isEmpty() && (r.back() == 'x' || r.back() == 'X') &&
                              (r.size() == 1 || !EsIdentificador(r[r.size() - 2]));
            if (fijo || blob || j >= n) {
                r += QStringView(sql).mid(i, qMin(j + 1, n) - i);
            } else {
                r += '?';
                valores.append(valor);
            }
            i = j + 1;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {  // a comment to the end of the line
            const qsizetype fin = sql.indexOf('\n', i);
            const qsizetype hasta = fin < 0 ? n : fin;
            r += QStringView(sql).mid(i, hasta - i);
            i = hasta;
        } else if (EsInicioIdentificador(c)) {
            qsizetype j = i;
            while (j < n && EsIdentificador(sql[j])) ++j;
            const QStringView palabra = vista.mid(i, j - i);
            if (palabra.compare(QLatin1String("BY"), Qt::CaseInsensitive) == 0 &&
                (palabraAnterior.compare(QLatin1String("ORDER"), Qt::CaseInsensitive) == 0 ||
                 palabraAnterior.compare(QLatin1String("GROUP"), Qt::CaseInsensitive) == 0))
                fijo = true;
            palabraAnterior = palabra;
            r += palabra;
            i = j;
        } else if (c == '[') {  // a bracketed name
            const qsizetype fin = sql.indexOf(']', i);
            const qsizetype hasta = fin < 0 ? n : fin + 1;
            r += QStringView(sql).mid(i, hasta - i);
            i = hasta;
        } else if (c.isDigit() || (c == '.' && i + 1 < n && sql[i + 1].isDigit())) {
            qsizetype j = i;
            bool real = false;
            while (j < n && sql[j].isDigit()) ++j;
            if (j < n && sql[j] == '.') {
                real = true;
                ++j;
                while (j < n && sql[j].isDigit()) ++j;
            }
            if (j < n && (sql[j] == 'e' || sql[j] == 'E')) {
                qsizetype k = j + 1;
                if (k < n && (sql[k] == '+' || sql[k] == '-')) ++k;
                if (k < n && sql[k].isDigit()) {
                    real = true;
                    j = k;
                    while (j < n && sql[j].isDigit()) ++j;
                }
            }
            const QStringView numero = vista.mid(i, j - i);
            bool ok = false;
            const QVariant valor = real ? QVariant(numero.toDouble(&ok)) : QVariant(numero.toLongLong(&ok));
            if (fijo || !ok || (j < n && EsIdentificador(sql[j]))) {
                r += numero;
            } else {
                r += '?';
                valores.append(valor);
            }
            i = j;
        } else {
            qsizetype j = i + 1;
            while (j < n && !sql[j].isLetterOrNumber() && sql[j] != '_' && sql[j] != '\'' && sql[j] != '[' &&
                   sql[j] != '-' && sql[j] != '.')
                ++j;
            r += vista.mid(i, j - i);
            i = j;
        }
    }
    return r;
}

sqlite3_stmt* CacheSentencias::Preparar(const QString& sql, const QString& original) {
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* resto = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), static_cast<int>(utf8.size()), &stmt, &resto) != SQLITE_OK)
        throw ErrorPreparar(db_, original);
    if (!stmt) throw TarsaError(3000, "La instrucción SQL está vacía", "BaseDatos");
    if (!SoloFinal(resto)) {
        sqlite3_finalize(stmt);
        throw TarsaError(3000, "Se admite una sola instrucción SQL por vez [" + original.left(300) + "]", "BaseDatos");
    }
    return stmt;
}

sqlite3_stmt* CacheSentencias::Obtener(const QString& sql, const QString& original) {
    QList<QVariant> valores;
    const QString forma = Parametrizar(sql, valores);
    auto it = entradas_.find(forma);
    if (it == entradas_.end() || it->enUso) {
        sqlite3_stmt* stmt = Preparar(forma, original);
        if (it != entradas_.end()) {  // the shape is busy (a nested query): this one is not kept
            Enlazar(stmt, valores);
            return stmt;
        }
        if (entradas_.size() >= kMaximo) {  // forget the least recently used idle statement
            auto viejo = entradas_.end();
            for (auto e = entradas_.begin(); e != entradas_.end(); ++e)
                if (!e->enUso && (viejo == entradas_.end() || e->uso < viejo->uso)) viejo = e;
            if (viejo != entradas_.end()) {
                sqlite3_finalize(viejo->stmt);
                entradas_.erase(viejo);
            }
        }
        it = entradas_.insert(forma, Entrada{stmt, false, 0});
    }
    it->enUso = true;
    it->uso = ++reloj_;
    claves_.insert(it->stmt, forma);
    Enlazar(it->stmt, valores);
    return it->stmt;
}

void CacheSentencias::Devolver(sqlite3_stmt* stmt) {
    if (!stmt) return;
    const auto clave = claves_.find(stmt);
    if (clave == claves_.end()) {
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    entradas_[*clave].enUso = false;
    claves_.erase(clave);
}

void CacheSentencias::Vaciar() {
    for (auto& e : entradas_) sqlite3_finalize(e.stmt);
    entradas_.clear();
    claves_.clear();
}
