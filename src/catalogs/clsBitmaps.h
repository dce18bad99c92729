#pragma once
// The operation bitmaps (table Bitmaps): per company, activity, operation and record, the mask of
// the record's fields that the operation uses, loaded from the terminal's _Quelo.prm.
#include "catalogs/clsAcceso.h"
#include "catalogs/clsItemBitmap.h"

class clsBitmaps : public clsAcceso {
public:
    clsBitmaps() : clsAcceso(QStringLiteral("clsBitmaps")) {}

    // Of the first row the last lookup found (Registros is in the base); Parametro is emptied when
    // the lookup finds nothing, so a form always reads the mask of the key it asked for.
    QString Empresa;
    QString Actividad;
    qint16 Operacion = 0;
    QString Archivo;
    QString Parametro;

    Consulta Buscar(const QString& sWhere = {}, const QString& pEmpresa = {}, const QString& pActividad = {},
                    qint16 pOperacion = 0, const QString& pArchivo = {});
    // With bBorrarTodo every row is deleted; otherwise one row is added unless its key exists.
    bool GrabarBitmap(bool bBorrarTodo, const QString& pEmpresa = {}, const QString& pActividad = {},
                      qint16 pOperacion = 0, const QString& pArchivo = {}, const QString& pParametro = {});
    // The largest _Quelo.prm read: some 24,000 bitmap lines, far more than any terminal's companies,
    // activities and operations make.
    static constexpr qint64 kLimiteArchivo = 4 * 1024 * 1024;

    // Replaces the whole table, in one transaction, by the lines of _Quelo.prm in the working
    // directory; a missing file leaves the table as it is, and so does a file larger than
    // kLimiteArchivo (ErrAccesoRuta) or one ArchivoConfiguracion::LeerBitmaps refuses.
    bool GetBitmaps();

    // One line of _Quelo.prm (not a section header) as a bitmap.
    static clsItemBitmap LeerLinea(const QString& linea);
};
