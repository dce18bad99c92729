#include "catalogs/clsPlan.h"

bool clsPlan::Procesar(int iOpcion, const QString& pCodigo, double pPorcentajeCobertura, const QString& pPlanCobertura,
                       bool pBaja) {
    return Proteger([&] {
        // Plans always stay within their company.
        const QString condicion = " WHERE (IdEmpresa = " + Numero(Empresa) + " AND " + Condicion + ")";
        QString sql;
        switch (iOpcion) {
            case 1:
                sql = "INSERT INTO Planes (" +
                      ListaColumnas({"IdEmpresa", "Codigo", "PorcentajeCobertura", "PlanCobertura", "Baja"}) +
                      "    VALUES(" +
                      ListaValores({Numero(Empresa), Texto(pCodigo), Escalado(pPorcentajeCobertura),
                                    Texto(pPlanCobertura), Bandera(pBaja)});
                break;
            case 2:
                sql = "DELETE FROM Planes" + condicion;
                break;
            case 3:
                sql = "UPDATE Planes SET      PorcentajeCobertura=" + Escalado(pPorcentajeCobertura) +
                      ",      Baja= " + Bandera(pBaja) + condicion;
                break;
            case 4:
                sql = "DELETE FROM Planes WHERE (IdEmpresa = " + Numero(Empresa) + " AND Baja=1)";
                break;
            case 5:
                sql = "DELETE FROM Planes WHERE (IdEmpresa = " + Numero(Empresa) + " )";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsPlan::Buscar(const QString& sWhere, const QString& pCodigo, const QString& pPlanCobertura) {
    return Proteger([&]() -> Consulta {
        QString condicion;
        if (!sWhere.isEmpty()) {
            condicion = " WHERE (" + sWhere + ")";
        } else if (!pCodigo.isEmpty()) {
            condicion = " WHERE (IdEmpresa=" + Numero(Empresa) + " AND Codigo=" + TextoSimple(pCodigo) +
                        " AND PlanCobertura = " + TextoSimple(pPlanCobertura) + ")";
        }
        if (condicion.isEmpty()) {
            Registros = 0;
            return nullptr;
        }
        Consulta rs =
            AbrirConsulta("SELECT Codigo, PorcentajeCobertura, PlanCobertura, Baja    FROM Planes" + condicion);
        if (Registros == 1) {
            Codigo = LeerTexto(*rs, "Codigo");
            PorcentajeCobertura = LeerDoble(*rs, "PorcentajeCobertura");
            PlanCobertura = LeerTexto(*rs, "PlanCobertura");
            if (!rs->Campo("Baja").isNull()) Baja = LeerEntero(*rs, "Baja") != 0;
        }
        return rs;
    });
}

QString clsPlan::PlantillaTicket(const QString& empresa) {
    return QString::fromUtf8(
               "SELECT {Código}Codigo, {Tipo}PlanCobertura, {Cobertura}PorcentajeCobertura FROM Planes "
               "WHERE IdEmpresa=") +
           empresa + QString::fromUtf8(" AND {Options:Código;Codigo LIKE '{S}*'}");
}
