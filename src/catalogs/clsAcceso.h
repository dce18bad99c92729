#pragma once
// The plumbing every table's access class shares: the filter of updates and deletes, the statement
// run on the open database with its error raised again under the class's name, the count of rows
// touched or found, and the writers that put values into the SQL text.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

#include "platform/Registros.h"
#include "platform/TarsaError.h"

// An open result set handed to the caller, or nothing.
using Consulta = std::unique_ptr<Registros>;

class clsAcceso {
public:
    virtual ~clsAcceso() = default;

    QString Condicion;     // filter (without WHERE) of the update and delete statements; stays until set again
    qint32 Registros = 0;  // rows the last action touched, or the count of the last query
    QString UltimaSql;     // the last statement sent to the database, as built

protected:
    explicit clsAcceso(QString fuente) : fuente_(std::move(fuente)) {}

    // Runs one action statement, keeps the rows it touched and returns them.
    int EjecutarAccion(const QString& sql);
    // Opens a result set and keeps the count the engine reports right after opening (0 or 1).
    Consulta AbrirConsulta(const QString& sql);
    // Runs a piece of work; any failure is raised again with this class's name as its source.
    template <class F>
    auto Proteger(F&& trabajo) const -> decltype(trabajo()) {
        try {
            return trabajo();
        } catch (const std::exception& e) {
            throw ComoTarsaError(e, fuente_);
        }
    }

    // What Procesar raises for an option it does not know (error 5).
    static TarsaError OpcionNoValida();

    // " WHERE (" Condicion ")" when the trimmed filter is not empty, else nothing; conBlanco writes
    // " WHERE ( ".
    QString ClausulaCondicion(bool conBlanco = false) const;

public:
    // Value writers; public because a caller that sets Condicion writes values into it too.
    // A text between double quotes; a double quote inside is written doubled so it reads back as one.
    static QString Texto(const QString& valor);
    // A text between single quotes; an apostrophe inside is written doubled.
    static QString TextoSimple(const QString& valor);

protected:
    // A free-text argument whose double quotes become single quotes before it is written.
    static QString SinComillas(QString valor) { return valor.replace('"', '\''); }
    static QString Numero(double valor);
    static QString Numero(qint64 valor) { return QString::number(valor); }
    static QString Numero(int valor) { return QString::number(valor); }
    static QString Escalado(double centesimos) { return Numero(centesimos) + "/100"; }
    static QString Bandera(bool valor) { return valor ? QStringLiteral("1") : QStringLiteral("0"); }
    // "    A,    B,    C)" : each column after four blanks, the last closed by ")".
    static QString ListaColumnas(const QStringList& columnas);
    // "        1,        \"x\")" : each value after eight blanks, the last closed by ")".
    static QString ListaValores(const QStringList& valores);

    // Field readers for the row a lookup found.
    static QString LeerTexto(const ::Registros& rs, const char* campo);
    static qint64 LeerEntero(const ::Registros& rs, const char* campo);
    static double LeerDoble(const ::Registros& rs, const char* campo);

private:
    QString fuente_;
};

// The company and licence that per-company catalogs narrow their rows by.
class clsCatalogo : public clsAcceso {
public:
    qint16 Empresa = 0;  // company (internal number) whose rows are meant
    QString Licencia;    // provider account

protected:
    clsCatalogo(QString fuente, qint16 empresaInicial) : clsAcceso(std::move(fuente)), Empresa(empresaInicial) {}
};
