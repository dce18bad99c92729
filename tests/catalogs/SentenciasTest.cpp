// The statements the catalog classes send where no database test tells a wrong filter from a right
// one: the company and licence keys joined to a condition, a class's own WHERE, look-up keys, updates.
#include <functional>

#include "catalogs/ConBase.h"
#include "catalogs/clsActividades.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "catalogs/clsPlan.h"
#include "catalogs/clsPractica.h"
#include "catalogs/clsPrestadores.h"

namespace {

struct Caso {
    const char* nombre;
    std::function<QString()> ejecutar;  // returns the statement the object sent last
    QString esperada;
};

template <class C>
std::function<QString()> Con(std::function<void(C&)> f, qint16 empresa = -1, const QString& condicion = {}) {
    return [=] {
        C c;
        if constexpr (std::is_base_of_v<clsCatalogo, C>) {
            if (empresa >= 0) c.Empresa = empresa;
            c.Licencia = "L1";
        }
        c.Condicion = condicion;
        f(c);
        return c.UltimaSql;
    };
}

const Caso kCasos[] = {
    {"medication delete by condition", Con<clsMedicamento>([](auto& c) { c.Procesar(2); }, -1, "Troquel=5"),
     "DELETE FROM Medicamentos WHERE (1=1 AND Troquel=5)"},
    {"medication update",
     Con<clsMedicamento>([](auto& c) { c.Procesar(3, 0, "779", "AMOXIDAL", "500 MG", 12345, 2, 7, true); }, -1,
                         "Troquel=5"),
     "UPDATE Medicamentos SET      CodigoBarra = \"779\",      Nombre = \"AMOXIDAL\",      Presentacion = \"500 MG\","
     "      Precio= 12345/100,      TipoMedicamento= 2,      CodProveedor= 7,      Baja= 1 WHERE (1=1 AND Troquel=5)"},
    {"doctor by licence", Con<clsMedico>([](auto& c) { c.Buscar({}, 4567, "B1"); }),
     "SELECT TipoMatricula, Matricula, ApellidoNombre, Baja    FROM Medicos WHERE (1=1  AND Matricula=4567 AND "
     "TipoMatricula = \"B1\")"},
    {"doctor with its own where", Con<clsMedico>([](auto& c) { c.Buscar("where Matricula=1"); }),
     "SELECT TipoMatricula, Matricula, ApellidoNombre, Baja    FROM Medicos where Matricula=1 "},
    {"plan update", Con<clsPlan>([](auto& c) { c.Procesar(3, {}, 5000); }, 2, "Codigo='P1'"),
     "UPDATE Planes SET      PorcentajeCobertura=5000/100,      Baja= 0 WHERE (IdEmpresa = 2 AND Codigo='P1')"},
    {"plan by code", Con<clsPlan>([](auto& c) { c.Buscar({}, "P1"); }, 2),
     "SELECT Codigo, PorcentajeCobertura, PlanCobertura, Baja    FROM Planes WHERE (IdEmpresa=2 AND Codigo='P1' AND "
     "PlanCobertura = '')"},
    {"practice delete", Con<clsPractica>([](auto& c) { c.Procesar(2); }, 2, "Codigo='1'"),
     "DELETE FROM Practicas WHERE (IdEmpresa = 2 AND Licencia = 'L1' AND Codigo='1')"},
    {"practice update", Con<clsPractica>([](auto& c) { c.Procesar(3, {}, {}, "CONSULTA", 150050); }, 2, "Codigo='1'"),
     "UPDATE Practicas SET      ValorNomenclador=(150050/100),      Nombre= \"CONSULTA\",      Baja= 0 WHERE (IdEmpresa"
     " = 2 AND Licencia = 'L1' AND Codigo='1')"},
    {"practice purge", Con<clsPractica>([](auto& c) { c.Procesar(4); }, 2),
     "DELETE FROM Practicas WHERE (IdEmpresa = 2 AND Licencia = 'L1' AND Baja=1)"},
    {"practices of the licence", Con<clsPractica>([](auto& c) { c.Procesar(5); }, 2),
     "DELETE FROM Practicas WHERE (IdEmpresa = 2 AND Licencia = 'L1' )"},
    {"practice by code", Con<clsPractica>([](auto& c) { c.Buscar({}, "ABC", "T"); }, 2),
     "SELECT Codigo, TipoPractica, Nombre, ValorNomenclador, Baja    FROM Practicas WHERE (IdEmpresa=2 AND Licencia = "
     "'L1'  AND Codigo='ABC' AND TipoPractica = 'T')"},
    {"diagnoses of the company", Con<clsDiagnostico>([](auto& c) { c.Procesar(5); }, 2),
     "DELETE FROM Diagnosticos WHERE (IdEmpresa = 2 )"},
    {"one assignment", Con<clsPrestadores>([](auto& c) { c.ProcesarActividad(2, "P1", 3, 2); }, -1, "ignorada"),
     "DELETE FROM PrestadorActividad WHERE ( Codigo=\"P1\"   AND IdEmpresa=3   AND IdActividad=2)"},
    {"bitmap by key", Con<clsBitmaps>([](auto& c) { c.Buscar({}, "03", "01", 1, "SVL1"); }),
     "SELECT Empresa, Actividad, Operacion, Archivo, Parametro    FROM Bitmaps  WHERE (Empresa='03' AND Actividad='01' "
     "AND Operacion=1 AND Archivo = 'SVL1') ORDER BY Empresa, Actividad, Operacion, Archivo"},
};

using SentenciasTest = ConBase;

TEST_F(SentenciasTest, EachCallSendsItsStatement) {
    for (const Caso& c : kCasos) EXPECT_EQ(c.ejecutar().toStdString(), c.esperada.toStdString()) << c.nombre;
}

TEST_F(SentenciasTest, TheLicenceViewFollowsTheGivenKeys) {
    clsActividades a;
    const struct {
        QString codigo;
        qint32 empresa, actividad;
        QString final;
    } casos[] = {
        {"", 3, 0, " AND (PrestadorActividad.IdEmpresa=3)"},
        {"", 3, 2, " AND (PrestadorActividad.IdEmpresa=3 AND PrestadorActividad.IdActividad=2)"},
        {"P1", 0, 0, " AND (PrestadorActividad.Codigo='P1')"},
        {"P1", 3, 0, " AND (PrestadorActividad.Codigo='P1' AND PrestadorActividad.IdEmpresa=3)"},
        {"P1", 3, 2,
         " AND (PrestadorActividad.Codigo='P1' AND PrestadorActividad.IdEmpresa=3 AND "
         "PrestadorActividad.IdActividad=2)"},
    };
    for (const auto& c : casos) {
        a.BuscarLicAct({}, c.codigo, c.empresa, c.actividad);
        EXPECT_TRUE(a.UltimaSql.endsWith("AND (Actividades.IdActividad=PrestadorActividad.IdActividad)" + c.final))
            << a.UltimaSql.toStdString();
    }
}

}  // namespace
