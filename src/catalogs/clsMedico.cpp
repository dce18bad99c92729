#include "catalogs/clsMedico.h"

bool clsMedico::Procesar(int iOpcion, qint32 pMatricula, const QString& pTipoMatricula, const QString& pApellidoNombre,
                         bool pBaja) {
    return Proteger([&] {
        QString sql;
        switch (iOpcion) {
            case 1:
                sql =
                    "INSERT INTO Medicos (    IdEmpresa,    Matricula,    TipoMatricula,    ApellidoNombre,     Baja)"
                    "    VALUES(" +
                    ListaValores({Numero(Empresa), Numero(pMatricula), Texto(pTipoMatricula), Texto(pApellidoNombre),
                                  Bandera(pBaja)});
                break;
            case 2:
                sql = "DELETE FROM Medicos" + ClausulaCondicion(true);
                break;
            case 3:
                sql = "UPDATE Medicos SET      ApellidoNombre = " + Texto(pApellidoNombre) +
                      ",      Baja= " + Bandera(pBaja) + ClausulaCondicion(true);
                break;
            case 4:
                sql = "DELETE FROM Medicos WHERE (Baja=1)";
                break;
            // A company's complete catalog replaces that company's doctors only.
            case 5:
                sql = "DELETE FROM Medicos WHERE (IdEmpresa = " + Numero(Empresa) + " )";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsMedico::Buscar(const QString& sWhere, qint32 pMatricula, const QString& pTipoMatricula) {
    return Proteger([&]() -> Consulta {
        QString condicion;
        if (!sWhere.isEmpty()) {
            // A caller that wrote its own WHERE gets its text as it is.
            condicion = sWhere.contains("where") ? " " + sWhere + " " : " WHERE (" + sWhere + ")";
        } else if (pMatricula != 0) {
            condicion = " WHERE (1=1  AND Matricula=" + Numero(pMatricula) +
                        " AND TipoMatricula = " + Texto(pTipoMatricula) + ")";
        }
        if (condicion.isEmpty()) {
            Registros = 0;
            return nullptr;
        }
        Consulta rs =
            AbrirConsulta("SELECT TipoMatricula, Matricula, ApellidoNombre, Baja    FROM Medicos" + condicion);
        if (!rs->EOF_()) {
            TipoMatricula = LeerTexto(*rs, "TipoMatricula");
            Matricula = static_cast<qint32>(LeerEntero(*rs, "Matricula"));
            ApellidoNombre = LeerTexto(*rs, "ApellidoNombre");
            if (!rs->Campo("Baja").isNull()) Baja = LeerEntero(*rs, "Baja") != 0;
        }
        return rs;
    });
}

Consulta clsMedico::BuscarEmpresa() { return Buscar(" IdEmpresa=" + Numero(Empresa)); }

namespace {
const char* const kColumnasBusqueda =
    "SELECT {Matricula}Matricula, {Tipo Matricula}TipoMatricula, {Apellido}ApellidoNombre FROM Medicos ";
}

QString clsMedico::PlantillaTicket() {
    return QString(kColumnasBusqueda) +
           "WHERE {Options:Nombre;ApellidoNombre LIKE '{S}*';Matricula;Cstr(Matricula) = '{S}'}";
}

QString clsMedico::PlantillaMenu(const QString& empresa) {
    return QString(kColumnasBusqueda) + "WHERE IdEmpresa=" + empresa +
           " AND {Options:Nombre;ApellidoNombre LIKE '{S}*';Matricula;Matricula = {S};Todos;}";
}
