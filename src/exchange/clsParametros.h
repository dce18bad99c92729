#pragma once
// The parameters record _SAL.0 of the requests that carry no ticket: the catalog update and the
// closures. Each has three layouts (V101 pharmacy, V101 other providers, V250); the terminal answers
// in 116-byte records of the V250 shape, whose result code and message are read into gColErrores.
#include <QString>

#include "exchange/Registro.h"

class clsParametros {
public:
    int Operacion = 0;  // closures: the code already translated for V101; catalog update: 0
    // Catalog update: "0" not requested, "1" the complete catalog, "2" the changes only.
    QString ModoMedicos = QStringLiteral("0");
    QString ModoMedicamentos = QStringLiteral("0");
    QString ModoDiagnosticos = QStringLiteral("0");
    // Closures.
    QString NumeroCierre;  // empty when the number box is not offered
    QString FechaDesde;    // as typed; blanks when it is not a date
    QString FechaHasta;
    bool IndicaCadena = false;  // every branch of the chain
    QString Filtro;             // one-character transaction filter, or empty

    // Writes directorio\UpLoad\_SAL.0 as record 1 in the given layout (the file is not emptied
    // first); file errors throw TarsaError.
    void GrabarSAL0(const QString& directorio, const Disposicion<clsParametros>& disposicion) const;

    // The catalog request's layout for a version and activity type ("1" pharmacy), or nullptr for an
    // unknown version.
    static const Disposicion<clsParametros>* DisposicionNomencladores(const QString& version,
                                                                      const QString& tipoActividad);
    static const Disposicion<clsParametros>* DisposicionCierres(const QString& version, const QString& tipoActividad);

    // Appends to gColErrores the result of every answered record of directorio\DownLoad\_SAL.0
    // whose code is not 0. A code that is not a number is listed as 9999 (catalog update) or
    // throws TarsaError (closures), as the layout's reading says.
    static void LeerRespuestas(const QString& directorio, LecturaCodigo lectura, QList<clsItemError>& errores);
    // A field of a closure's answer record, by its name in the V250 closure layout, trimmed.
    static QString CampoRespuestaCierre(const QString& respuesta, const QString& nombre);
};
