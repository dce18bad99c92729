#pragma once
// The companies (insurers) of table Empresas, and the terminal's company configuration file.
#include <QList>

#include "catalogs/clsAcceso.h"
#include "catalogs/clsItemEmpresa.h"
#include "catalogs/clsItemEmpresaQuelo.h"

class clsEmpresas : public clsCatalogo {
public:
    clsEmpresas() : clsCatalogo(QStringLiteral("clsEmpresas"), 0) {}

    // Of the first row the last lookup found.
    QString Nombre;
    QString CodigoQuelo;

    // 1 insert, 2 delete by Condicion, 3 update Nombre and CodigoQuelo by Condicion, 5 delete one company.
    bool Procesar(int iOpcion, qint32 pIdEmpresa = 0, const QString& pNombre = {}, const QString& pCodigoQuelo = {});
    Consulta Buscar(const QString& sWhere = {}, qint32 pIdEmpresa = 0);
    bool GetAP(QList<clsItemEmpresa>& colEmpr, bool bDesdeArchivo = false);
    // The network code of a company, empty when there is none.
    QString GetCodigoEmpresa(qint32 pIdEmpresa);
    // One company of a bulk load: record 1 empties the table first; record 0 stores nothing.
    bool PutAP(int pNumReg, const QString& pCodigoEmpresa, const QString& pNombreEmpresa, const QString& pCodigoQuelo,
               bool bDesdeArchivo = false);
    // The most records of _Quelo.emp read, one per company, activity and licence of the terminal.
    static constexpr qint64 kMaximoRegistrosQuelo = 10000;

    // The records of _Quelo.emp in the working directory; false and nothing when the file is missing.
    // A file that is not made of whole valid records, or of more than kMaximoRegistrosQuelo, is
    // refused whole (ArchivoConfiguracion::LeerEmpresas) and the list is left as it was.
    bool GetEmpQuelo(QList<clsItemEmpresaQuelo>& colEmpQuelo);
};
