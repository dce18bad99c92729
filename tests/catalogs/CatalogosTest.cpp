// What the catalog classes leave in the tables and in themselves.
#include "catalogs/ConBase.h"
#include "catalogs/clsActividades.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "catalogs/clsPlan.h"
#include "catalogs/clsPractica.h"
#include "catalogs/clsPrestadores.h"
#include "platform/TarsaError.h"

namespace {

const QString kRaro = QStringLiteral("O'Brien \"Jr\"");

using CatalogosTest = ConBase;

TEST_F(CatalogosTest, DoubleQuotesAreReplacedOnlyWhereTheyBelong) {
    clsMedicamento med;
    med.Procesar(1, 10, kRaro, kRaro, kRaro, 12345);  // prices, percentages and values come times 100
    clsEmpresas().Procesar(1, 4, kRaro, kRaro);
    clsActividades().Procesar(1, 4, 1, kRaro, kRaro, kRaro);
    clsPrestadores pre;
    pre.Procesar(1, kRaro, kRaro, kRaro, kRaro, "12", true);
    clsMedico medico;
    medico.Procesar(1, 77, "B1", kRaro);
    auto plan = DeEmpresa<clsPlan>(4);
    plan.Procesar(1, kRaro, 4050, kRaro);
    auto pra = DeEmpresa<clsPractica>(4);
    pra.Licencia = kRaro;
    pra.Procesar(1, kRaro, kRaro, kRaro, 150050);
    clsDiagnostico dia;
    dia.Procesar(1, kRaro, kRaro);

    const QString cambiado = "O'Brien 'Jr'";
    const struct {
        const char* sql;
        QString esperado;
    } casos[] = {
        {"SELECT CodigoBarra || Nombre || Presentacion FROM Medicamentos", cambiado + cambiado + cambiado},
        {"SELECT Nombre FROM Empresas", cambiado},
        {"SELECT CodigoQuelo FROM Empresas", kRaro},
        {"SELECT Nombre FROM Actividades", cambiado},
        {"SELECT Tipo || CodigoQuelo FROM Actividades", kRaro + kRaro},
        {"SELECT Nombre FROM Prestadores", cambiado},
        {"SELECT Codigo || Tipo || LicenciaQuelo FROM Prestadores", kRaro + kRaro + kRaro},
        {"SELECT ApellidoNombre FROM Medicos", kRaro},
        {"SELECT Codigo || PlanCobertura FROM Planes", kRaro + kRaro},
        {"SELECT Licencia || TipoPractica || Codigo || Nombre FROM Practicas", kRaro + kRaro + kRaro + kRaro},
        {"SELECT Codigo || Nombre FROM Diagnosticos", kRaro + kRaro},
        {"SELECT Precio || ' ' || (SELECT PorcentajeCobertura FROM Planes) || ' ' || "
         "(SELECT ValorNomenclador FROM Practicas) FROM Medicamentos",
         "123.45 40.5 1500.5"},
    };
    for (const auto& c : casos) EXPECT_EQ(Valor(c.sql).toString(), c.esperado) << c.sql;

    // And the lookups by those keys find them.
    dia.Buscar({}, kRaro);
    plan.Buscar({}, kRaro, kRaro);
    pre.Buscar({}, kRaro);
    EXPECT_EQ(dia.Registros + plan.Registros + pre.Registros, 3);
    pra.Buscar({}, kRaro, kRaro);
    medico.Buscar({}, 77, "B1");
    EXPECT_EQ(pra.Nombre + medico.ApellidoNombre, kRaro + kRaro);
    med.Buscar({}, 10);
    EXPECT_DOUBLE_EQ(med.Precio, 123.45);
}

TEST_F(CatalogosTest, ASearchThatFindsNothingLeavesTheFieldsAsTheyWere) {
    clsMedicamento med;
    med.Procesar(1, 10, "779", "AMOXIDAL", "500", 100, 3, 9, true);
    EXPECT_TRUE(med.Buscar({}, 10));
    EXPECT_EQ(med.TipoMedicamento, 3);
    EXPECT_TRUE(med.Baja);
    EXPECT_TRUE(med.Buscar({}, 11));
    EXPECT_EQ(med.Registros, 0);
    EXPECT_EQ(med.Nombre, "AMOXIDAL");

    // Without a condition there is no query at all.
    med.Registros = 5;
    EXPECT_FALSE(med.Buscar());
    EXPECT_EQ(med.Registros, 0);
}

TEST_F(CatalogosTest, APracticeCodeTakesTheWidthOfTheStoredOnes) {
    auto p = DeEmpresa<clsPractica>(2);
    p.Buscar({}, "123");
    EXPECT_TRUE(p.UltimaSql.contains("Codigo='0000000123'")) << p.UltimaSql.toStdString();
    EXPECT_EQ(p.Codigo, "0000000000");

    p.Procesar(1, "000045", "", "A");
    p.Procesar(1, "000123", "", "B", 100);
    p.Buscar({}, "123");
    EXPECT_EQ(p.Nombre + p.Codigo, "B000123");

    p.Buscar({}, "X12");  // not numeric: looked up as typed
    EXPECT_TRUE(p.UltimaSql.contains("Codigo='X12'")) << p.UltimaSql.toStdString();
}

TEST_F(CatalogosTest, PurgesAndDeletionsTouchOnlyTheirRows) {
    for (qint16 empresa : {1, 2}) {
        auto d = DeEmpresa<clsDiagnostico>(empresa);
        d.Procesar(1, QString("A%1").arg(empresa), "X", true);
        d.Procesar(1, QString("B%1").arg(empresa), "X", false);
        DeEmpresa<clsPlan>(empresa).Procesar(1, "P", 100, "", true);
    }
    auto d = DeEmpresa<clsDiagnostico>(1);
    d.Procesar(4);
    EXPECT_EQ(d.Registros, 1);
    EXPECT_EQ(Filas("SELECT Codigo FROM Diagnosticos ORDER BY Codigo"), "A2\nB1\nB2");
    DeEmpresa<clsPlan>(2).Procesar(5);
    EXPECT_EQ(Filas("SELECT IdEmpresa FROM Planes"), "1");

    clsMedico m;
    m.Procesar(1, 1, "B1", "A");
    m.Empresa = 9;
    m.Procesar(1, 2, "B1", "B");
    m.Procesar(2);  // no condition: every doctor of every company
    EXPECT_EQ(m.Registros, 2);
    EXPECT_EQ(Contar("Medicos"), 0);
}

TEST_F(CatalogosTest, ErrorsAreRethrownWithTheClassName) {
    const struct {
        const char* fuente;
        std::function<void()> f;
    } casos[] = {
        {"clsPlan", [] { clsPlan().Procesar(2); }},  // "AND )": the condition is mandatory
        {"clsMedicamentos", [] { clsMedicamento().Buscar("NoExiste=1"); }},
        {"clsMedico", [] { clsMedico().Buscar("NoExiste=1"); }},
        {"clsPractica", [] { clsPractica().Procesar(2); }},
        {"clsDiagnostico", [] { clsDiagnostico().Buscar("NoExiste=1"); }},
        {"clsEmpresas", [] { clsEmpresas().Buscar("NoExiste=1"); }},
        {"clsActividades", [] { clsActividades().BuscarLicAct("NoExiste=1"); }},
        {"clsPrestadores", [] { clsPrestadores().Buscar("NoExiste=1"); }},
    };
    for (const auto& c : casos) {
        const auto e = ErrorDe(c.f);
        ASSERT_TRUE(e) << c.fuente << " did not raise";
        EXPECT_EQ(e->Fuente, c.fuente);
        EXPECT_FALSE(e->Descripcion.isEmpty());
    }
}

// What the configuration import does not reach: lookups that miss, an update and a chain of branches.
TEST_F(CatalogosTest, ActivityAndProviderCodes) {
    clsActividades a;
    a.Procesar(1, 7, 1, "FARMACIA", "1", "01");
    a.Procesar(1, 7, 2, "PRESTADOR", "2", "02");
    EXPECT_EQ(a.GetCodigoActividad(7, 2) + "|" + a.GetCodigoActividad(7, 3), "02|");
    a.Condicion = "IdActividad=2";
    a.Procesar(3, 0, 0, "OTRA", "3", "22");
    EXPECT_EQ(Filas("SELECT Nombre, CodigoQuelo FROM Actividades"), "FARMACIA|01\nOTRA|22");
    clsPrestadores p;
    p.Procesar(1, "P1", "FARMACIA CENTRAL", "01", "12345678", "", true);
    QList<clsItemPrestador> pres;
    EXPECT_TRUE(p.GetAP(pres));
    EXPECT_TRUE(pres.value(0).CadenaSucursales);
    EXPECT_EQ(pres.value(0).Matricula, "0");
}

}  // namespace
