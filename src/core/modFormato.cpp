// Field formatting: turning user input and catalog values into the fixed texts of the terminal
// files, with the regional rules of the default locale.
#include "core/modFormato.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "core/modTarsa.h"
#include "platform/LectorNumeros.h"
#include "platform/Sistema.h"

namespace {

QString TextoDe(const QVariant& valor) {
    if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float)
        return QLocale::c().toString(valor.toDouble(), 'g', 15);
    return valor.toString();
}

// The last n characters of the zero-padded text; a character beyond the Basic Multilingual Plane
// counts as one, never split in halves.
QString CerosYCorte(const QString& texto, int n) {
    const QString t = QString(n, '0') + texto;
    qsizetype inicio = t.size();
    for (int i = 0; i < n && inicio > 0; ++i) {
        --inicio;
        if (inicio > 0 && t[inicio].isLowSurrogate() && t[inicio - 1].isHighSurrogate()) --inicio;
    }
    return t.mid(inicio);
}

bool EsTexto(const QVariant& v) { return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray; }

}  // namespace

QString RellenarCeros(const QVariant& valor, int n) { return CerosYCorte(TextoDe(valor).trimmed(), n); }

QString RellenarCerosRTrim(const QVariant& valor, int n) {
    QString t = TextoDe(valor);
    while (!t.isEmpty() && t.back() == ' ') t.chop(1);
    return CerosYCorte(t, n);
}

QString FormatearNumero(const QVariant& valor, int tipo) {
    if (EsTexto(valor) || valor.isNull() || !valor.isValid()) return {};
    bool ok = false;
    const double n = valor.toDouble(&ok);
    if (!ok || n == -1) return {};
    QLocale local;
    if (tipo == 1) return local.toString(n, 'f', 2);
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    return local.toString(n, 'f', 0);
}

double TextoANumero(const QString& texto, bool vacioEsCero, bool* esNumero) {
    const NumeroLeido n = LeerNumero(texto, FormaNumero::Regional);
    if (esNumero) *esNumero = n.EsNumero || n.Vacio;  // empty is "not given", not a wrong number
    if (n.Vacio) return vacioEsCero ? 0 : -1;
    return n.Valor;
}

bool EsSeparadorMiles(QChar c) {
    if (c == QChar(gSeparadorDecimal)) return false;
    const QString grupo = QLocale().groupSeparator();
    return (grupo.size() == 1 && c == grupo.at(0)) || (c == '.' && gSeparadorDecimal == 44);
}

void SepararCodigoNombre(const QString& texto, QString& codigo, QString& resto) {
    const qsizetype punto = texto.indexOf('.');
    if (punto < 0) return;
    codigo = texto.left(punto).trimmed();
    resto = texto.mid(punto + 1);
}

void SepararCodigoNombre(const QString& texto, int& codigo, QString& resto) {
    QString c;
    const qsizetype punto = texto.indexOf('.');
    if (punto < 0) return;
    SepararCodigoNombre(texto, c, resto);
    codigo = static_cast<int>(TextoANumero(c, true));
}

QString NuloATexto(const QVariant& valor) {
    if (valor.isNull() || !valor.isValid()) return {};
    return TextoDe(valor).trimmed();
}

QString CodigoYNombre(const QVariant& codigo, const QString& nombre) {
    if (codigo.typeId() == QMetaType::QString) {
        if (codigo.toString().isEmpty()) return {};
        return codigo.toString() + " . " + nombre.trimmed();
    }
    if (codigo.isNull() || codigo.toDouble() == 0) return {};
    return FormatearNumero(codigo, 2) + " . " + nombre.trimmed();
}

QString FechaAAAAMMDD(const QString& fecha) {
    const auto d = ParsearFechaDMA(fecha);
    return d ? d->toString("yyyyMMdd") : QString();
}

QString SoloDigitos(const QString& texto) {
    QString digitos;
    for (const QChar c : texto.trimmed())
        if (c >= '0' && c <= '9') digitos += c;
    while (digitos.size() < 4) digitos += '0';
    return digitos;
}

std::optional<QDate> ParsearFechaDMA(const QString& texto) {
    const QStringList partes = texto.split('/');
    if (partes.size() != 3 || partes[2].size() != 4) return std::nullopt;
    bool okD = false, okM = false, okA = false;
    const int d = partes[0].trimmed().toInt(&okD);
    const int m = partes[1].trimmed().toInt(&okM);
    const int a = partes[2].toInt(&okA);
    if (!okD || !okM || !okA || m < 1 || m > 12) return std::nullopt;
    const QDate fecha(a, m, d);  // invalid where the day does not exist in that month
    if (!fecha.isValid()) return std::nullopt;
    return fecha;
}

int AnioCompleto(int dosDigitos, int anioActual) {
    // The one century that puts the year between 79 years back and 20 ahead of the current one (of
    // two years 100 apart, the nearer): a fixed pivot year goes stale, a window that moves with the
    // calendar does not.
    const int desde = anioActual - 79;
    const int anio = desde / 100 * 100 + dosDigitos;
    return anio < desde ? anio + 100 : anio;
}

bool NormalizarFecha(QVariant& valor) {
    if (valor.typeId() == QMetaType::QDate || valor.typeId() == QMetaType::QDateTime) return valor.toDate().isValid();
    QString t = valor.toString();
    const QDate hoy = QDate::currentDate();
    if (!t.contains('/')) {
        switch (t.size()) {
            case 8:
                t = t.left(2) + '/' + t.mid(2, 2) + '/' + t.mid(4);
                break;
            case 6:
                t = t.left(2) + '/' + t.mid(2, 2) + '/' +
                    QString::number(AnioCompleto(t.mid(4, 2).toInt(), hoy.year()));
                break;
            case 4:
                t = t.left(2) + '/' + t.mid(2, 2) + '/' + QString::number(hoy.year());
                break;
            case 2:
                t = t + '/' + RellenarCeros(hoy.month(), 2) + '/' + QString::number(hoy.year());
                break;
            default:
                break;
        }
    } else {
        // "06/12/26": a two-digit year is completed as when typed without slashes.
        QStringList partes = t.split('/');
        if (partes.size() == 3 && partes[2].trimmed().size() == 2 && partes[2].trimmed().at(0).isDigit() &&
            partes[2].trimmed().at(1).isDigit())
            partes[2] = QString::number(AnioCompleto(partes[2].trimmed().toInt(), hoy.year()));
        if (const auto d = ParsearFechaDMA(partes.join('/'))) t = d->toString("dd/MM/yyyy");
    }
    valor = t;
    return ParsearFechaDMA(t).has_value();
}

int FiltrarTecla(int tecla, int tipo) {
    const int resultado = TeclaPermitida(tecla, tipo);
    if (resultado == 0) Pitido();
    return resultado;
}

int TeclaPermitida(int tecla, int tipo) {
    constexpr int kEnter = 13, kRetroceso = 8;
    if (tecla == kEnter || tipo < 1 || tipo > kTipoImporte || tipo == 5) return tecla;
    if ((tecla >= '0' && tecla <= '9') || tecla == kRetroceso) return tecla;
    switch (tipo) {
        case 2:
            if (tecla == '.' || tecla == ',') return gSeparadorDecimal;
            break;
        case 3:
            if (tecla == '-') return tecla;
            break;
        case 4:
            if (tecla == '/') return tecla;
            break;
        case 6:
            if (tecla == '-' || tecla == '/') return tecla;
            break;
        case 7:
            if (tecla == ' ') return tecla;
            break;
        case kTipoImporte:
            // The thousands separator stays what it is ("15.230,50", "15,230.50"); the other of "."
            // and "," is the decimal mark, as in a decimal field.
            if (EsSeparadorMiles(QChar(tecla))) return tecla;
            if (tecla == '.' || tecla == ',') return gSeparadorDecimal;
            break;
        default:
            break;
    }
    return 0;
}

void Pitido() { Sistema::Actual().Pitido(); }

qint16 SeparadorDecimal() {
    bool ok = false;
    const double n = QLocale().toDouble(QStringLiteral("1.1"), &ok);
    return ok && n == 1.1 ? 46 : 44;
}

int CodigoTipoPrescripcion(const QString& nombre) {
    static const QStringList tipos = {"Normal", "T. prolongado", "Autorización especial", "PM/PMI", "Crónico"};
    return static_cast<int>(tipos.indexOf(nombre)) + 1;  // 0 when not listed
}
