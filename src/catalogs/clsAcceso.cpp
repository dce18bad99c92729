#include "catalogs/clsAcceso.h"

#include <cmath>
#include <limits>

#include "core/modConexion.h"
#include "platform/BaseDatos.h"
#include "platform/LectorNumeros.h"

int clsAcceso::EjecutarAccion(const QString& sql) {
    UltimaSql = sql;
    Registros = BaseAbierta(fuente_).Ejecutar(sql);
    return Registros;
}

TarsaError clsAcceso::OpcionNoValida() {
    return TarsaError(ErrArgumentoInvalido, QString::fromUtf8("Llamada a procedimiento o argumento no válido"));
}

Consulta clsAcceso::AbrirConsulta(const QString& sql) {
    UltimaSql = sql;
    Consulta rs = BaseAbierta(fuente_).Consultar(sql);
    Registros = rs->RecordCount();
    return rs;
}

QString clsAcceso::ClausulaCondicion(bool conBlanco) const {
    if (Condicion.trimmed().isEmpty()) return {};
    return (conBlanco ? QStringLiteral(" WHERE ( ") : QStringLiteral(" WHERE (")) + Condicion + ")";
}

QString clsAcceso::Texto(const QString& valor) {
    QString r;
    r.reserve(valor.size() + 2);
    r += '"';
    if (valor.contains('"'))
        r += QString(valor).replace('"', QStringLiteral("\"\""));
    else
        r += valor;
    r += '"';
    return r;
}

QString clsAcceso::TextoSimple(const QString& valor) {
    QString v = valor;
    v.replace('\'', QStringLiteral("''"));
    return '\'' + v + '\'';
}

QString clsAcceso::Numero(double valor) {
    // Whole numbers (prices in cents, codes) are most of what is written; below 10^15 they read the
    // same as with 15 significant digits, without the cost of the general conversion.
    if (valor == std::trunc(valor) && std::fabs(valor) < 1e15 && !(valor == 0 && std::signbit(valor)))
        return QString::number(static_cast<qint64>(valor));
    return QString::number(valor, 'g', 15);
}

QString clsAcceso::ListaColumnas(const QStringList& columnas) {
    QString r;
    for (qsizetype i = 0; i < columnas.size(); ++i) r += "    " + columnas[i] + (i + 1 < columnas.size() ? "," : ")");
    return r;
}

QString clsAcceso::ListaValores(const QStringList& valores) {
    QString r;
    qsizetype largo = 0;
    for (const QString& v : valores) largo += v.size() + 9;
    r.reserve(largo);
    for (qsizetype i = 0; i < valores.size(); ++i) {
        r += QLatin1StringView("        ");
        r += valores[i];
        r += QLatin1Char(i + 1 < valores.size() ? ',' : ')');
    }
    return r;
}

QString clsAcceso::LeerTexto(const ::Registros& rs, const char* campo) {
    const QVariant v = rs.Campo(QLatin1StringView(campo));
    return v.isNull() ? QString() : v.toString();
}

qint64 clsAcceso::LeerEntero(const ::Registros& rs, const char* campo) {
    const QVariant v = rs.Campo(QLatin1StringView(campo));
    if (v.isNull()) return 0;
    if (v.typeId() == QMetaType::QString) return Val(v.toString());
    if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) return v.toLongLong();
    return SaturarEntero(v.toDouble());
}

double clsAcceso::LeerDoble(const ::Registros& rs, const char* campo) {
    const QVariant v = rs.Campo(QLatin1StringView(campo));
    return v.isNull() ? 0.0 : v.toDouble();
}
