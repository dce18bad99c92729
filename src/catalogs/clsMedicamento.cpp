#include "catalogs/clsMedicamento.h"

bool clsMedicamento::Procesar(int iOpcion, qint32 pTroquel, const QString& pCodigoBarra, const QString& pNombre,
                              const QString& pPresentacion, double pPrecio, qint16 pTipoMedicamento,
                              double pCodProveedor, bool pBaja) {
    return Proteger([&] {
        const QString codigoBarra = Texto(SinComillas(pCodigoBarra));
        const QString nombre = Texto(SinComillas(pNombre));
        const QString presentacion = Texto(SinComillas(pPresentacion));
        QString sql;
        switch (iOpcion) {
            case 1:
                sql =
                    "INSERT INTO Medicamentos (    IdEmpresa,    Troquel,    CodigoBarra,    Nombre,     Presentacion,"
                    "     Precio,     TipoMedicamento,     CodProveedor,     Baja)    VALUES(" +
                    ListaValores({Numero(Empresa), Numero(pTroquel), codigoBarra, nombre, presentacion,
                                  Escalado(pPrecio), Numero(pTipoMedicamento), Numero(pCodProveedor), Bandera(pBaja)});
                break;
            case 2:
                sql = "DELETE FROM Medicamentos";
                if (!Condicion.trimmed().isEmpty()) sql += " WHERE (1=1 AND " + Condicion + ")";
                break;
            case 3:
                sql = "UPDATE Medicamentos SET      CodigoBarra = " + codigoBarra + ",      Nombre = " + nombre +
                      ",      Presentacion = " + presentacion + ",      Precio= " + Escalado(pPrecio) +
                      ",      TipoMedicamento= " + Numero(pTipoMedicamento) +
                      ",      CodProveedor= " + Numero(pCodProveedor) + ",      Baja= " + Bandera(pBaja);
                if (!Condicion.trimmed().isEmpty()) sql += " WHERE (1=1 AND " + Condicion + ")";
                break;
            case 4:
                sql = "DELETE FROM Medicamentos WHERE (Baja=1)";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsMedicamento::Buscar(const QString& sWhere, qint32 pTroquel) {
    return Proteger([&]() -> Consulta {
        QString condicion;
        if (!sWhere.isEmpty())
            condicion = " WHERE (" + sWhere + ")";
        else if (pTroquel != 0)
            condicion = " WHERE (Troquel=" + Numero(pTroquel) + ")";
        if (condicion.isEmpty()) {
            Registros = 0;
            return nullptr;
        }
        Consulta rs = AbrirConsulta(
            "SELECT Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, CodProveedor, Baja"
            "    FROM Medicamentos" +
            condicion);
        if (Registros == 1) {
            Troquel = static_cast<qint32>(LeerEntero(*rs, "Troquel"));
            CodigoBarra = LeerTexto(*rs, "CodigoBarra");
            Nombre = LeerTexto(*rs, "Nombre");
            Presentacion = LeerTexto(*rs, "Presentacion");
            Precio = LeerDoble(*rs, "Precio");
            TipoMedicamento = static_cast<qint16>(LeerEntero(*rs, "TipoMedicamento"));
            CodProveedor = LeerDoble(*rs, "CodProveedor");
            if (!rs->Campo("Baja").isNull()) Baja = LeerEntero(*rs, "Baja") != 0;
        }
        return rs;
    });
}
