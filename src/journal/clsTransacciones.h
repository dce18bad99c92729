#pragma once
// The transaction journal (table Transaccion): one row per answered ticket or closure, kept to
// the most recent ones.
#include <QList>

#include "catalogs/clsAcceso.h"
#include "journal/clsItemTransaccion.h"

class clsTransacciones : public clsAcceso {
public:
    clsTransacciones() : clsAcceso(QStringLiteral("clsTransacciones")) {}

    // Journals the answer header text of a ticket (or of a closure); when the journal already held
    // more than 40 rows, deletes the oldest other row. Returns the deleted row's ticket number when
    // no row left holds it (its saved ticket may go), else 0.
    qint64 SaveTransaccion(const QString& respuesta, const QString& codigoEmpresa, bool cierre = false);
    // Journal rows with their company name, ordered by date; without a filter, the current company's.
    Consulta Buscar(const QString& filtro = {});
    // One item per row of Buscar; false when there is none.
    bool GetAP(QList<clsItemTransaccion>& col);

    static constexpr int kMaximoFilas = 40;

    struct Valores;

private:
    int Insertar(const Valores& v, const QString& empresa);
    qint64 PurgarMasVieja();
};
