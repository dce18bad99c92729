// The search template language alone: the statement, columns and return field a template, pattern and option give.
#include <gtest/gtest.h>

#include "catalogs/PlantillaBusqueda.h"
#include "platform/TarsaError.h"
#include "support/Entorno.h"

namespace {

const QString kDiagnosticos =
    "SELECT {Código}Codigo, {Nombre}Nombre FROM Diagnosticos WHERE 1= 1 AND {Options:"
    "Nombre;Nombre LIKE '{S}*';Código;Codigo LIKE '{S}*';Todos;}";
const QString kMedicos =
    "SELECT {Matricula}Matricula, {Apellido}ApellidoNombre FROM Medicos WHERE IdEmpresa=3 AND {Options:"
    "Nombre;ApellidoNombre LIKE '{S}*';Matricula;Matricula = {S};Todos;}";
const QString kMedicosTicket =
    "SELECT {Matricula}Matricula FROM Medicos WHERE {Options:Nombre;ApellidoNombre LIKE '{S}*';"
    "Matricula;Cstr(Matricula) = '{S}'}";
const QString kColumnasDiagnosticos = "Código|Codigo|Codigo|-1|0 Nombre|Nombre|Nombre|-1|0";

QString Columnas(const SentenciaBusqueda& s) {
    QStringList r;
    for (const ColumnaBusqueda& c : s.Columnas)
        r << QString("%1|%2|%3|%4|%5").arg(c.Titulo, c.Clave, c.Campo).arg(c.AnchoTwips).arg(c.Alineacion);
    return r.join(' ');
}

}  // namespace

TEST(PlantillaBusquedaTest, EachTemplatePatternAndOptionGiveTheirStatement) {
    const struct {
        const char* caso;
        QString plantilla, patron, opcion, sql, columnas, retorno = {};
    } casos[] = {
        {"a quoted condition takes the pattern as typed, its quotes doubled", kDiagnosticos, "gr'ip", "Nombre",
         "SELECT Codigo, Nombre FROM Diagnosticos WHERE 1= 1 AND Nombre LIKE 'gr''ip*'", kColumnasDiagnosticos},
        {"an option without condition drops the last AND", kDiagnosticos, "", "Todos",
         "SELECT Codigo, Nombre FROM Diagnosticos WHERE 1= 1", kColumnasDiagnosticos},
        {"a numeric condition takes the number trimmed", kMedicos, " 1234 ", "Matricula",
         "SELECT Matricula, ApellidoNombre FROM Medicos WHERE IdEmpresa=3 AND Matricula = 1234",
         "Matricula|Matricula|Matricula|-1|0 Apellido|ApellidoNombre|ApellidoNombre|-1|0"},
        {"a quoted registration is any text", kMedicosTicket, "12 A", "Matricula",
         "SELECT Matricula FROM Medicos WHERE Cstr(Matricula) = '12 A'", "Matricula|Matricula|Matricula|-1|0"},
        {"an unknown option is the first one", kMedicosTicket, "PE", "Otra",
         "SELECT Matricula FROM Medicos WHERE ApellidoNombre LIKE 'PE*'", "Matricula|Matricula|Matricula|-1|0"},
        {"the pattern is never scanned for marks", kDiagnosticos, "{Options}{S}", "Código",
         "SELECT Codigo, Nombre FROM Diagnosticos WHERE 1= 1 AND Codigo LIKE '{Options}{S}*'", kColumnasDiagnosticos},
        {"a condition that names the block is expanded once",
         "SELECT {N}Nombre FROM D WHERE {Options:Uno;Nombre = '{S}' OR {Options};Todos;}", "x", "Uno",
         "SELECT Nombre FROM D WHERE Nombre = 'x' OR {Options}", "N|Nombre|Nombre|-1|0"},
        {"no options block", "SELECT {Nombre}Nombre FROM D WHERE Nombre LIKE '{S}*'", "GR", "",
         "SELECT Nombre FROM D WHERE Nombre LIKE 'GR*'", "Nombre|Nombre|Nombre|-1|0"},
        {"return marker, width, alignment and table prefix",
         "SELECT {R}Empresas.IdEmpresa, {Nombre;1500;1}Empresas.Nombre\r\nFROM Empresas", "", "",
         "SELECT Empresas.IdEmpresa, Empresas.Nombre\r\nFROM Empresas", "Nombre|Empresas.Nombre|Nombre|1500|1",
         "Empresas.IdEmpresa"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const SentenciaBusqueda s = ConstruirSentencia(c.plantilla, c.patron, c.opcion);
        EXPECT_EQ(s.Sql, c.sql);
        EXPECT_EQ(Columnas(s), c.columnas);
        EXPECT_EQ(s.CampoRetorno, c.retorno);
    }
}

TEST(PlantillaBusquedaTest, ABarePatternMustBeANumberAndABraceMustClose) {
    const struct {
        QString plantilla, patron, opcion, mensaje;
    } casos[] = {
        {kMedicos, "abc", "Matricula", "debe ser un número"},
        {kMedicos, "0 UNION SELECT 1, 2", "Matricula", "debe ser un número"},
        {kMedicos, " ", "Matricula", "debe ser un número"},
        {"SELECT {Nombre FROM D", "", "", "no cierra la llave abierta en la posición 8"},
    };
    for (const auto& c : casos) {
        const auto e = ErrorDe([&] { ConstruirSentencia(c.plantilla, c.patron, c.opcion); });
        const QString dicho = e ? e->Descripcion : "no error";
        EXPECT_TRUE(dicho.contains(c.mensaje)) << c.patron.toStdString() << ": " << dicho.toStdString();
    }
}
