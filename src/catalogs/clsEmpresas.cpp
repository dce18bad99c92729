#include "catalogs/clsEmpresas.h"

#include "catalogs/ArchivoConfiguracion.h"
#include "core/modTarsa.h"
#include "platform/LectorNumeros.h"
#include "platform/Rutas.h"

bool clsEmpresas::Procesar(int iOpcion, qint32 pIdEmpresa, const QString& pNombre, const QString& pCodigoQuelo) {
    return Proteger([&] {
        const QString nombre = Texto(SinComillas(pNombre));
        QString sql;
        switch (iOpcion) {
            case 1:
                sql = "INSERT INTO Empresas (" + ListaColumnas({"IdEmpresa", "Nombre", "CodigoQuelo"}) + "    VALUES(" +
                      ListaValores({Numero(pIdEmpresa), nombre, Texto(pCodigoQuelo)});
                break;
            case 2:
                sql = "DELETE FROM Empresas" + ClausulaCondicion(true);
                break;
            case 3:
                sql = "UPDATE Empresas SET      Nombre = " + nombre + ",      CodigoQuelo = " + Texto(pCodigoQuelo) +
                      ClausulaCondicion(true);
                break;
            case 5:
                sql = "DELETE FROM Empresas WHERE (IdEmpresa = " + Numero(pIdEmpresa) + " )";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsEmpresas::Buscar(const QString& sWhere, qint32 pIdEmpresa) {
    return Proteger([&] {
        QString sql = "SELECT IdEmpresa, Nombre, CodigoQuelo    FROM Empresas";
        if (!sWhere.isEmpty())
            sql += " WHERE (" + sWhere + ")";
        else if (pIdEmpresa != 0)
            sql += " WHERE (IdEmpresa=" + Numero(pIdEmpresa) + ")";
        sql += " ORDER BY IdEmpresa";
        Consulta rs = AbrirConsulta(sql);
        if (Registros > 0) {
            Nombre = LeerTexto(*rs, "Nombre");
            CodigoQuelo = LeerTexto(*rs, "CodigoQuelo");
        }
        return rs;
    });
}

bool clsEmpresas::GetAP(QList<clsItemEmpresa>& colEmpr, bool) {
    return Proteger([&] {
        Consulta rs = Buscar();
        if (Registros <= 0) return false;
        for (; !rs->EOF_(); rs->MoveNext())
            colEmpr.append({static_cast<qint16>(LeerEntero(*rs, "IdEmpresa")), LeerTexto(*rs, "Nombre"),
                            LeerTexto(*rs, "CodigoQuelo")});
        return true;
    });
}

QString clsEmpresas::GetCodigoEmpresa(qint32 pIdEmpresa) {
    return Proteger([&] {
        // The key written as a condition, so that an identifier of 0 is looked up too.
        Buscar("IdEmpresa=" + Numero(pIdEmpresa));
        return Registros > 0 ? CodigoQuelo : QString();
    });
}

bool clsEmpresas::PutAP(int pNumReg, const QString& pCodigoEmpresa, const QString& pNombreEmpresa,
                        const QString& pCodigoQuelo, bool) {
    return Proteger([&] {
        if (pNumReg <= 0) return true;
        if (pNumReg == 1) EjecutarAccion("DELETE FROM Empresas");
        Procesar(1, Val<qint32>(pCodigoEmpresa), pNombreEmpresa, pCodigoQuelo);
        return true;
    });
}

bool clsEmpresas::GetEmpQuelo(QList<clsItemEmpresaQuelo>& colEmpQuelo) {
    return Proteger([&] {
        const auto leidas =
            ArchivoConfiguracion::LeerEmpresas(Rutas::Unir(gQueloPath, "_Quelo.emp"), kMaximoRegistrosQuelo);
        if (!leidas) return false;
        colEmpQuelo.append(*leidas);
        return true;
    });
}
