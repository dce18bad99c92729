#pragma once
// Fixed-width records described as data. Every record the client exchanges with the terminal is a
// table of fields (offset, width, convention, source); one writer composes any table into bytes and
// one reader takes the error code and text of the answered records of any table.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

#include "exchange/clsItemError.h"
#include "platform/TarsaError.h"

// How a field turns its value into text.
enum class Convencion {
    Texto,       // left-aligned, padded with spaces, cut to the width
    Ceros,       // RellenarCeros: trimmed, left-padded with "0", the last characters kept
    CerosRTrim,  // RellenarCerosRTrim: as Ceros but only trailing spaces are removed
    Fecha,       // FechaAAAAMMDD of the value, or spaces when it is not a valid date
    Blanco,      // spaces (the terminal fills some of them in its answer)
    Relleno0,    // "0" characters
    Literal,     // a fixed text
    Nulos,       // bytes of value 0
    FinLinea,    // carriage return and line feed
};

// What the answer reader looks for in a field.
enum class Rol { Ninguno, CodigoError, TextoError };

// How the error code of an answered record becomes a number.
enum class LecturaCodigo {
    ValorNumerico,  // the leading number of the text; blanks or letters give 0
    Entero,         // a whole number; anything else is an error
    EnteroO9999,    // a whole number; anything else is listed as 9999
    TextoPresente,  // no code field: 1 when the error text is not blank, else 0
};

template <class T>
struct Campo {
    int Offset = 0;
    int Ancho = 0;
    Convencion Conv = Convencion::Blanco;
    std::function<QVariant(const T&)> Valor;  // the source property, for the conventions that have one
    QString Literal;
    Rol Papel = Rol::Ninguno;
    QString Nombre;  // the property it carries or what the terminal answers in it, for the exchange history
};

template <class T>
struct Disposicion {
    QString Nombre;  // "V250 farmacia", for messages and tests
    int Longitud = 0;
    LecturaCodigo Lectura = LecturaCodigo::Entero;
    QList<Campo<T>> Campos;
};

// Builders that keep the layout tables short: F::Texto(0, 100, &clsTicket::Tarjeta, "Tarjeta"). The
// name is what the exchange history shows; a field with a role is named after it when not named.
template <class T>
struct Campos {
    using Fuente = std::function<QVariant(const T&)>;
    static QString NombreDe(const char* n, Rol r) {
        if (n && *n) return QString::fromUtf8(n);
        return r == Rol::CodigoError ? "CodigoError" : r == Rol::TextoError ? "TextoError" : "Libre";
    }
    static Campo<T> De(int o, int a, Convencion c, Fuente f, const char* n) {
        return {o, a, c, std::move(f), {}, Rol::Ninguno, NombreDe(n, Rol::Ninguno)};
    }
    static Campo<T> Texto(int o, int a, Fuente f, const char* n = "") { return De(o, a, Convencion::Texto, f, n); }
    static Campo<T> Ceros(int o, int a, Fuente f, const char* n = "") { return De(o, a, Convencion::Ceros, f, n); }
    static Campo<T> CerosRTrim(int o, int a, Fuente f, const char* n = "") {
        return De(o, a, Convencion::CerosRTrim, f, n);
    }
    static Campo<T> Fecha(int o, int a, Fuente f, const char* n = "") { return De(o, a, Convencion::Fecha, f, n); }
    static Campo<T> Blanco(int o, int a, const char* n, Rol r = Rol::Ninguno) {
        return {o, a, Convencion::Blanco, {}, {}, r, NombreDe(n, r)};
    }
    static Campo<T> Blanco(int o, int a, Rol r = Rol::Ninguno) { return Blanco(o, a, "", r); }
    static Campo<T> Relleno0(int o, int a, const char* n, Rol r = Rol::Ninguno) {
        return {o, a, Convencion::Relleno0, {}, {}, r, NombreDe(n, r)};
    }
    static Campo<T> Relleno0(int o, int a, Rol r = Rol::Ninguno) { return Relleno0(o, a, "", r); }
    static Campo<T> Literal(int o, const char* t, const char* n, Rol r = Rol::Ninguno) {
        const QString s = QString::fromLatin1(t);
        return {o, static_cast<int>(s.size()), Convencion::Literal, {}, s, r, NombreDe(n, r)};
    }
    static Campo<T> Literal(int o, const char* t, Rol r = Rol::Ninguno) { return Literal(o, t, "", r); }
    static Campo<T> Nulos(int o, int a) { return {o, a, Convencion::Nulos, {}, {}, Rol::Ninguno, "Libre"}; }
    static Campo<T> FinLinea(int o) {
        return {o, 2, Convencion::FinLinea, {}, {}, Rol::Ninguno, QString::fromUtf8("Fin de línea")};
    }
};

// A layout without its source object: what a reader of stored records needs.
struct CampoDescrito {
    QString Nombre;
    int Offset = 0;
    int Ancho = 0;
    Convencion Conv = Convencion::Blanco;
    QString Literal;
    Rol Papel = Rol::Ninguno;
};
struct DisposicionDescrita {
    QString Nombre;
    int Longitud = 0;
    QList<CampoDescrito> Campos;
};

template <class T>
DisposicionDescrita Describir(const Disposicion<T>& d) {
    DisposicionDescrita r{d.Nombre, d.Longitud, {}};
    for (const Campo<T>& c : d.Campos) r.Campos.append({c.Nombre, c.Offset, c.Ancho, c.Conv, c.Literal, c.Papel});
    return r;
}

// One field of a stored record as read back: its bytes, its value and what is wrong with it.
struct CampoLeido {
    CampoDescrito Campo;
    QByteArray Bytes;  // shorter than the width (or empty) when the record is cut
    QString Valor;     // the text the bytes stand for under the field's convention
    QString Marca;     // empty when the field is whole and as its convention expects
};

namespace Registro {

// The bytes of one field (Windows-1252), exactly ancho long.
QByteArray FormatearCampo(Convencion conv, int ancho, const QVariant& valor, const QString& literal);

// Appends the field at its offset; throws TarsaError when the table leaves a gap or an overlap.
void Agregar(QByteArray& registro, const QString& disposicion, int offset, const QByteArray& campo);
void Verificar(const QByteArray& registro, const QString& disposicion, int longitud);

// Reads the whole records of the answer file directorio/relativa (at most
// ArchivoRespuesta::kMaximoRegistros, the rest reported) and appends to gColErrores an entry (Tipo 1)
// for each one whose code is not 0. A missing file adds nothing; a file that is not a plain file of
// the directory is refused with a message and adds nothing. Throws TarsaError (13) when a code that
// must be a whole number is not one.
void LeerErrores(const QString& directorio, const QString& relativa, int longitud, LecturaCodigo lectura,
                 int offsetCodigo, int anchoCodigo, int offsetTexto, int anchoTexto, QList<clsItemError>& errores);

// The error raised when no layout exists for a protocol version.
TarsaError VersionDesconocida(const QString& version);

// The fields of one stored record (possibly cut short) under a layout.
QList<CampoLeido> Desglosar(const DisposicionDescrita& d, const QByteArray& registro);
// The value of the first field of that name, trimmed; empty when the record does not reach it.
QString ValorDe(const DisposicionDescrita& d, const QByteArray& registro, const QString& nombre);
// The same over a record already decoded (one character a byte).
QString ValorDe(const DisposicionDescrita& d, const QString& registro, const QString& nombre);

}  // namespace Registro

template <class T>
QByteArray ComponerRegistro(const Disposicion<T>& d, const T& objeto) {
    QByteArray registro;
    registro.reserve(d.Longitud);
    for (const Campo<T>& c : d.Campos) {
        const QVariant valor = c.Valor ? c.Valor(objeto) : QVariant();
        Registro::Agregar(registro, d.Nombre, c.Offset, Registro::FormatearCampo(c.Conv, c.Ancho, valor, c.Literal));
    }
    Registro::Verificar(registro, d.Nombre, d.Longitud);
    return registro;
}

// The layout a version selects; a version without one cannot be written or read.
template <class T>
const Disposicion<T>& DisposicionRequerida(const Disposicion<T>* d, const QString& version) {
    if (!d) throw Registro::VersionDesconocida(version);
    return *d;
}

template <class T>
void LeerErroresRegistro(const QString& directorio, const QString& relativa, const Disposicion<T>& d,
                         QList<clsItemError>& errores) {
    const Campo<T>* codigo = nullptr;
    const Campo<T>* texto = nullptr;
    for (const Campo<T>& c : d.Campos) {
        if (c.Papel == Rol::CodigoError) codigo = &c;
        if (c.Papel == Rol::TextoError) texto = &c;
    }
    Registro::LeerErrores(directorio, relativa, d.Longitud, d.Lectura, codigo ? codigo->Offset : 0,
                          codigo ? codigo->Ancho : 0, texto ? texto->Offset : 0, texto ? texto->Ancho : 0, errores);
}
