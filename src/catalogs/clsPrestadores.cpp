#include "catalogs/clsPrestadores.h"

#include "platform/LectorNumeros.h"

bool clsPrestadores::Procesar(int iOpcion, const QString& pCodigo, const QString& pNombre, const QString& pTipo,
                              const QString& pLicenciaQuelo, const QString& pMatricula, bool pCadenaSucursales) {
    return Proteger([&] {
        const QString nombre = Texto(SinComillas(pNombre));
        const QString matricula = Numero(Val(pMatricula));
        QString sql;
        switch (iOpcion) {
            case 1:
                sql = "INSERT INTO Prestadores (" +
                      ListaColumnas({"Codigo", "Nombre", "Tipo", "LicenciaQuelo", "Matricula", "CadenaSucursales"}) +
                      "    VALUES(" +
                      ListaValores({Texto(pCodigo), nombre, Texto(pTipo), Texto(pLicenciaQuelo), matricula,
                                    Bandera(pCadenaSucursales)});
                break;
            case 2:
                sql = "DELETE FROM Prestadores" + ClausulaCondicion();
                break;
            case 3:
                sql = "UPDATE Prestadores SET      Nombre = " + nombre + ",      Tipo = " + Texto(pTipo) +
                      ",      LicenciaQuelo = " + Texto(pLicenciaQuelo) + ",      Matricula = " + matricula +
                      ",      CadenaSucursales = " + Bandera(pCadenaSucursales) + ClausulaCondicion();
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

bool clsPrestadores::ProcesarActividad(int iOpcion, const QString& pCodigo, qint32 pIdEmpresa, qint32 pidActividad) {
    return Proteger([&] {
        QString sql;
        switch (iOpcion) {
            case 1:
                sql = "INSERT INTO PrestadorActividad (" + ListaColumnas({"Codigo", "IdEmpresa", "IdActividad"}) +
                      "    VALUES(" + ListaValores({Texto(pCodigo), Numero(pIdEmpresa), Numero(pidActividad)});
                break;
            case 2:
                // One assignment by its key; Condicion plays no part here.
                sql = "DELETE FROM PrestadorActividad WHERE ( Codigo=" + Texto(pCodigo) +
                      "   AND IdEmpresa=" + Numero(pIdEmpresa) + "   AND IdActividad=" + Numero(pidActividad) + ")";
                break;
            case 5:
                sql = "DELETE FROM PrestadorActividad";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsPrestadores::Buscar(const QString& sWhere, const QString& pCodigo) {
    return Proteger([&] {
        QString sql = "SELECT Codigo, Nombre, Tipo, LicenciaQuelo, Matricula, CadenaSucursales    FROM Prestadores";
        if (!sWhere.isEmpty())
            sql += " WHERE (" + sWhere + ")";
        else if (!pCodigo.isEmpty())
            sql += " WHERE (Codigo=" + TextoSimple(pCodigo) + ")";
        return AbrirConsulta(sql);
    });
}

bool clsPrestadores::GetAP(QList<clsItemPrestador>& colPres, bool) {
    return Proteger([&] {
        Consulta rs = Buscar();
        if (Registros <= 0) return false;
        for (; !rs->EOF_(); rs->MoveNext())
            colPres.append({LeerTexto(*rs, "Codigo"), LeerTexto(*rs, "Nombre"), LeerTexto(*rs, "Tipo"),
                            LeerTexto(*rs, "LicenciaQuelo"), LeerTexto(*rs, "Matricula"),
                            LeerEntero(*rs, "CadenaSucursales") != 0});
        return true;
    });
}

bool clsPrestadores::GetActividades(QList<clsItemLicenciaActividad>& col) {
    return Proteger([&] {
        Consulta rs = AbrirConsulta("SELECT Codigo, IdEmpresa, IdActividad    FROM PrestadorActividad");
        if (Registros <= 0) return false;
        for (; !rs->EOF_(); rs->MoveNext())
            col.append({LeerTexto(*rs, "Codigo"),
                        static_cast<qint16>(LeerEntero(*rs, "IdEmpresa")),
                        static_cast<qint16>(LeerEntero(*rs, "IdActividad")),
                        {},
                        {},
                        {}});
        return true;
    });
}

bool clsPrestadores::GetTipoPrestador(QList<clsItemTipoPrestador>& colTipoPres) {
    colTipoPres.append({{"01", "Farmacia", "F"},
                        {"02", "Bioquímica", "M"},
                        {"03", "Radiología", "M"},
                        {"04", "Medicina", "M"},
                        {"05", "Odontología", "M"},
                        {"06", "Oftalmología", "M"},
                        {"07", "Fonoaudiología", "S"},
                        {"08", "Psicología", "S"},
                        {"09", "Psicopedagogía", "S"},
                        {"10", "Fisioterapia", "S"},
                        {"11", "Kinesiología", "S"},
                        {"12", "Neurología", "M"},
                        {"13", "Traumatología", "M"},
                        {"14", "Psiquiatría", "S"}});
    return true;
}
