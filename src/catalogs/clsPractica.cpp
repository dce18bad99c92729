#include "catalogs/clsPractica.h"

#include "core/modFormato.h"

bool clsPractica::Procesar(int iOpcion, const QString& pCodigo, const QString& pTipoPractica, const QString& pNombre,
                           double pValorNomenclador, bool pBaja) {
    return Proteger([&] {
        const QString empresaLicencia =
            " WHERE (IdEmpresa = " + Numero(Empresa) + " AND Licencia = " + TextoSimple(Licencia);
        QString sql;
        switch (iOpcion) {
            case 1:
                sql = "INSERT INTO Practicas (" +
                      ListaColumnas(
                          {"IdEmpresa", "Licencia", "TipoPractica", "Codigo", "Nombre", "ValorNomenclador", "Baja"}) +
                      "    VALUES(" +
                      ListaValores({Numero(Empresa), Texto(Licencia), Texto(pTipoPractica), Texto(pCodigo),
                                    Texto(pNombre), Escalado(pValorNomenclador), Bandera(pBaja)});
                break;
            case 2:
                sql = "DELETE FROM Practicas" + empresaLicencia + " AND " + Condicion + ")";
                break;
            case 3:
                sql = "UPDATE Practicas SET      ValorNomenclador=(" + Escalado(pValorNomenclador) +
                      "),      Nombre= " + Texto(pNombre) + ",      Baja= " + Bandera(pBaja) + empresaLicencia +
                      " AND " + Condicion + ")";
                break;
            case 4:
                sql = "DELETE FROM Practicas" + empresaLicencia + " AND Baja=1)";
                break;
            case 5:
                sql = "DELETE FROM Practicas" + empresaLicencia + " )";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsPractica::Buscar(const QString& sWhere, const QString& pCodigo, const QString& pTipoPractica) {
    return Proteger([&]() -> Consulta {
        QString codigo = pCodigo;
        bool numerico = false;
        codigo.trimmed().toDouble(&numerico);
        if (!codigo.isEmpty() && numerico) {
            // Codes are stored zero-padded to one width per company; a code typed without its
            // leading zeros takes the width of the smallest stored one.
            Consulta minimo =
                AbrirConsulta("SELECT     MIN(Codigo)    FROM Practicas     WHERE (IdEmpresa=" + Numero(Empresa) +
                              " AND Codigo IS NOT NULL )");
            if (!minimo->EOF_()) {
                const QVariant v = minimo->Campo(0);
                Codigo = v.isNull() ? QStringLiteral("0000000000") : v.toString();
                codigo = RellenarCeros(codigo, static_cast<int>(Codigo.size()));
            }
        }
        QString condicion;
        if (!sWhere.isEmpty()) {
            condicion = " WHERE (" + sWhere + ")";
        } else if (!codigo.isEmpty()) {
            condicion = " WHERE (IdEmpresa=" + Numero(Empresa) + " AND Licencia = " + TextoSimple(Licencia) +
                        "  AND Codigo=" + TextoSimple(codigo) + " AND TipoPractica = " + TextoSimple(pTipoPractica) +
                        ")";
        }
        if (condicion.isEmpty()) {
            Registros = 0;
            return nullptr;
        }
        Consulta rs =
            AbrirConsulta("SELECT Codigo, TipoPractica, Nombre, ValorNomenclador, Baja    FROM Practicas" + condicion);
        if (Registros == 1) {
            Codigo = LeerTexto(*rs, "Codigo");
            TipoPractica = LeerTexto(*rs, "TipoPractica");
            Nombre = LeerTexto(*rs, "Nombre");
            ValorNomenclador = LeerDoble(*rs, "ValorNomenclador");
            if (!rs->Campo("Baja").isNull()) Baja = LeerEntero(*rs, "Baja") != 0;
        }
        return rs;
    });
}
