#include "catalogs/clsActividades.h"

namespace {
const QString kColumnas = QStringLiteral("IdEmpresa, IdActividad, Nombre, Tipo, CodigoQuelo");
}

bool clsActividades::Procesar(int iOpcion, qint32 pIdEmpresa, qint32 pidActividad, const QString& pNombre,
                              const QString& pTipo, const QString& pCodigoQuelo) {
    return Proteger([&] {
        const QString nombre = Texto(SinComillas(pNombre));
        QString sql;
        switch (iOpcion) {
            case 1:
                sql =
                    "INSERT INTO Actividades (" +
                    ListaColumnas({"IdEmpresa", "IdActividad", "Nombre", "Tipo", "CodigoQuelo"}) + "    VALUES(" +
                    ListaValores({Numero(pIdEmpresa), Numero(pidActividad), nombre, Texto(pTipo), Texto(pCodigoQuelo)});
                break;
            case 2:
                sql = "DELETE FROM Actividades" + ClausulaCondicion();
                break;
            case 3:
                sql = "UPDATE Actividades SET      Nombre = " + nombre + ",      Tipo = " + Texto(pTipo) +
                      ",      CodigoQuelo = " + Texto(pCodigoQuelo) + ClausulaCondicion();
                break;
            case 5:
                sql = "DELETE FROM Actividades WHERE (IdEmpresa = " + Numero(pIdEmpresa) + " )";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsActividades::Buscar(const QString& sWhere, qint32 pIdEmpresa, qint32 pidActividad) {
    return Proteger([&] {
        QString sql = "SELECT " + kColumnas + "    FROM Actividades";
        if (!sWhere.isEmpty()) {
            sql += " WHERE (" + sWhere + ")";
        } else if (pIdEmpresa != 0) {
            sql += " WHERE (IdEmpresa=" + Numero(pIdEmpresa);
            if (pidActividad != 0) sql += " AND IdActividad=" + Numero(pidActividad);
            sql += ")";
        }
        Consulta rs = AbrirConsulta(sql);
        if (Registros > 0) {
            Nombre = LeerTexto(*rs, "Nombre");
            CodigoQuelo = LeerTexto(*rs, "CodigoQuelo");
        }
        return rs;
    });
}

QString clsActividades::GetCodigoActividad(qint32 pIdEmpresa, qint32 pidActividad) {
    return Proteger([&] {
        Consulta rs =
            AbrirConsulta("SELECT " + kColumnas + "    FROM Actividades WHERE (IdEmpresa=" + Numero(pIdEmpresa) +
                          " AND IdActividad=" + Numero(pidActividad) + ") ORDER BY IdEmpresa, IdActividad");
        if (Registros <= 0) return QString();
        Nombre = LeerTexto(*rs, "Nombre");
        CodigoQuelo = LeerTexto(*rs, "CodigoQuelo");
        return CodigoQuelo;
    });
}

Consulta clsActividades::BuscarLicAct(const QString& sWhere, const QString& pCodigo, qint32 pIdEmpresa,
                                      qint32 pidActividad) {
    return Proteger([&] {
        QString sql =
            "SELECT PrestadorActividad.Codigo AS Codigo, PrestadorActividad.IdEmpresa AS IdEmpresa, "
            "PrestadorActividad.IdActividad AS IdActividad, Prestadores.LicenciaQuelo AS LicenciaQuelo, "
            "Empresas.CodigoQuelo AS CodigoEmpQuelo, Actividades.CodigoQuelo AS CodigoActQuelo "
            "From PrestadorActividad, Prestadores, Empresas, Actividades "
            "Where (Prestadores.Codigo = PrestadorActividad.Codigo) "
            "AND (Empresas.IdEmpresa=PrestadorActividad.IdEmpresa) "
            "AND (Actividades.IdActividad=PrestadorActividad.IdActividad)";
        if (!sWhere.isEmpty()) {
            sql += " AND (" + sWhere + ")";
        } else if (!pCodigo.isEmpty()) {
            sql += " AND (PrestadorActividad.Codigo=" + TextoSimple(pCodigo);
            if (pIdEmpresa != 0) {
                sql += " AND PrestadorActividad.IdEmpresa=" + Numero(pIdEmpresa);
                if (pidActividad != 0) sql += " AND PrestadorActividad.IdActividad=" + Numero(pidActividad);
            }
            sql += ")";
        } else if (pIdEmpresa != 0) {
            sql += " AND (PrestadorActividad.IdEmpresa=" + Numero(pIdEmpresa);
            if (pidActividad != 0) sql += " AND PrestadorActividad.IdActividad=" + Numero(pidActividad);
            sql += ")";
        }
        return AbrirConsulta(sql);
    });
}

bool clsActividades::GetLicAct(QList<clsItemLicenciaActividad>& colLicAct) {
    return Proteger([&] {
        Consulta rs = BuscarLicAct();
        if (Registros <= 0) return false;
        for (; !rs->EOF_(); rs->MoveNext())
            colLicAct.append({LeerTexto(*rs, "Codigo"), static_cast<qint16>(LeerEntero(*rs, "IdEmpresa")),
                              static_cast<qint16>(LeerEntero(*rs, "IdActividad")), LeerTexto(*rs, "LicenciaQuelo"),
                              LeerTexto(*rs, "CodigoEmpQuelo"), LeerTexto(*rs, "CodigoActQuelo")});
        return true;
    });
}

bool clsActividades::GetAP(QList<clsItemActividad>& colActiv) {
    return Proteger([&] {
        Consulta rs = Buscar();
        if (Registros <= 0) return false;
        for (; !rs->EOF_(); rs->MoveNext())
            colActiv.append({static_cast<qint16>(LeerEntero(*rs, "IdEmpresa")),
                             static_cast<qint16>(LeerEntero(*rs, "IdActividad")), LeerTexto(*rs, "Nombre"),
                             LeerTexto(*rs, "Tipo"), LeerTexto(*rs, "CodigoQuelo")});
        return true;
    });
}

bool clsActividades::GetTipoActividad(QList<clsItemTipoActividad>& colTipo) {
    colTipo.append({{"01", "Ticket Farmacia"},
                    {"02", "Ticket Prestador"},
                    {"03", "Ticket Sesion"},
                    {"04", "Operaciones Bancarias"}});
    return true;
}
