#include "catalogs/clsDiagnostico.h"

#include "platform/Rutas.h"
#include "platform/TarsaError.h"

// ---- Catalog (table Diagnosticos)

bool clsDiagnostico::Procesar(int iOpcion, const QString& pCodigo, const QString& pNombre, bool pBaja) {
    return Proteger([&] {
        QString sql;
        switch (iOpcion) {
            case 1:
                sql = "INSERT INTO Diagnosticos (" + ListaColumnas({"IdEmpresa", "Codigo", "Nombre", "Baja"}) +
                      "    VALUES(" + ListaValores({Numero(Empresa), Texto(pCodigo), Texto(pNombre), Bandera(pBaja)});
                break;
            case 2:
                sql = "DELETE FROM Diagnosticos" + ClausulaCondicion();
                break;
            case 3:
                sql = "UPDATE Diagnosticos SET      Nombre= " + Texto(pNombre) + ",      Baja= " + Bandera(pBaja) +
                      ClausulaCondicion();
                break;
            case 4:
                sql = "DELETE FROM Diagnosticos WHERE (IdEmpresa = " + Numero(Empresa) + " AND Baja=1)";
                break;
            case 5:
                sql = "DELETE FROM Diagnosticos WHERE (IdEmpresa = " + Numero(Empresa) + " )";
                break;
            default:
                throw OpcionNoValida();
        }
        EjecutarAccion(sql);
        return true;
    });
}

Consulta clsDiagnostico::Buscar(const QString& sWhere, const QString& pCodigo) {
    return Proteger([&]() -> Consulta {
        QString condicion;
        if (!sWhere.isEmpty())
            condicion = " WHERE (" + sWhere + ")";
        else if (!pCodigo.isEmpty())
            condicion = " WHERE (Codigo=" + TextoSimple(pCodigo) + ")";
        if (condicion.isEmpty()) {
            Registros = 0;
            return nullptr;
        }
        Consulta rs = AbrirConsulta("SELECT Codigo, Nombre, Baja    FROM Diagnosticos" + condicion);
        if (Registros == 1) {
            Codigo = LeerTexto(*rs, "Codigo");
            Nombre = LeerTexto(*rs, "Nombre");
            if (!rs->Campo("Baja").isNull()) Baja = LeerEntero(*rs, "Baja") != 0;
        }
        return rs;
    });
}

// ---- Diagnosis records of a ticket request ----

namespace {
using FD = Campos<clsDiagnostico>;

const Disposicion<clsDiagnostico> kSVL4{
    "diagnóstico",
    56,
    LecturaCodigo::Entero,
    {
        FD::Texto(
            0, 10, [](const clsDiagnostico& d) -> QVariant { return d.Diagnostico.trimmed(); }, "Diagnostico"),
        FD::Literal(10, "0000", "CodigoError", Rol::CodigoError),
        FD::Blanco(14, 40, "TextoError", Rol::TextoError),
        FD::FinLinea(54),
    }};
}  // namespace

const Disposicion<clsDiagnostico>& clsDiagnostico::DisposicionSVL4() { return kSVL4; }

void clsDiagnostico::AbrirArchivo(const QString& directorio) {
    archivoSVL4_ = std::make_shared<ArchivoRegistros>();
    archivoSVL4_->Abrir(Rutas::Unir(directorio, "UpLoad\\_SVL.4"), kSVL4.Longitud);
}

void clsDiagnostico::InicializarVariables() { Diagnostico.clear(); }

void clsDiagnostico::GrabarSVL4() {
    if (!archivoSVL4_ || !archivoSVL4_->Abierto())
        throw TarsaError(ErrArchivoNoAbierto, "El archivo de diagnósticos no está abierto");
    archivoSVL4_->Escribir(++registroSVL4_, ComponerRegistro(kSVL4, *this));
}

void clsDiagnostico::CerrarArchivo() {
    if (archivoSVL4_) archivoSVL4_->Cerrar();
}

// ---- end of the diagnosis records ----

Consulta clsDiagnostico::BuscarEmpresa() { return Buscar(" IdEmpresa=" + Numero(Empresa)); }

namespace {
const char* const kColumnasBusqueda = "SELECT {Código}Codigo, {Nombre}Nombre FROM Diagnosticos ";
const char* const kOpcionesBusqueda = "{Options:Nombre;Nombre LIKE '{S}*';Código;Codigo LIKE '{S}*'";
}  // namespace

QString clsDiagnostico::PlantillaTicket(const QString& empresa) {
    return QString::fromUtf8(kColumnasBusqueda) + "WHERE IdEmpresa=" + empresa + " AND " +
           QString::fromUtf8(kOpcionesBusqueda) + "}";
}

QString clsDiagnostico::PlantillaMenu() {
    return QString::fromUtf8(kColumnasBusqueda) + "WHERE 1= 1 AND " + QString::fromUtf8(kOpcionesBusqueda) + ";Todos;}";
}
