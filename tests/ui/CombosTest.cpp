// Drop-down lists filled from the catalogs, the doctor lookup and the key filter of the fields.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "catalogs/ConBase.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
#include "ui/FiltroTeclas.h"
#include "ui/modCombos.h"
#include "ui/modReferencias.h"

namespace {

using CombosTest = ConBase;

TEST_F(CombosTest, EachListsPreselection) {
    gColEmpresas = {{3, "OSDE ", "03"}, {12, "IOMA", "12"}};
    gColActividades = {{3, 1, "FARMACIA", "1", "01"}, {12, 2, "PRESTADOR", "2", "02"}, {12, 5, "SESION", "3", "05"}};
    gColPrestadores = {{"P1", "CENTRAL", "01", "111", "0", false}, {"P2", "NORTE", "01", "222", "0", false}};
    gColTipoActividad = {{"01", "Ticket Farmacia"}, {"02", "Ticket Prestador"}};
    Sesion({.empresa = "12", .actividad = "5", .terminal = "222"});
    QComboBox cbo;
    const struct {
        const char* lista;
        std::function<bool()> cargar;
        QString entradas;
        int elegida;
    } casos[] = {
        {"empresas", [&] { return CargarComboEmpresas(&cbo); }, "3 . OSDE|12 . IOMA", 1},
        {"actividades de la empresa", [&] { return CargarComboActividades(&cbo); }, "2 . PRESTADOR|5 . SESION", 1},
        {"prestadores", [&] { return CargarComboPrestadores(&cbo); }, "P1 . CENTRAL|P2 . NORTE", 1},
        {"tipo de actividad", [&] { return CargarComboTipoActividad(&cbo, "02"); },
         "01 . Ticket Farmacia|02 . Ticket Prestador", 1},
        {"tipo desconocido", [&] { return CargarComboTipoActividad(&cbo, "09"); },
         "01 . Ticket Farmacia|02 . Ticket Prestador", 0},
    };
    for (const auto& c : casos) {
        EXPECT_TRUE(c.cargar()) << c.lista;
        QStringList entradas;
        for (int i = 0; i < cbo.count(); ++i) entradas << cbo.itemText(i);
        EXPECT_EQ(entradas.join('|'), c.entradas) << c.lista;
        EXPECT_EQ(cbo.currentIndex(), c.elegida) << c.lista;
    }
    gEmpresa = "7";  // a company not listed: none chosen
    EXPECT_TRUE(CargarComboEmpresas(&cbo));
    EXPECT_EQ(cbo.currentIndex(), -1);
}

TEST_F(CombosTest, ADoctorIsFoundByLicenceAndCompany) {
    gDB->Ejecutar(
        "INSERT INTO Medicos VALUES (4, 1234, 'X2', 'GOMEZ ANA', 0), (4, 1234, 'B1', 'GOMEZ LUIS', 0), "
        "(4, 4321, 'X2', 'SOSA', 0), (5, 999, 'B1', 'OTRA EMPRESA', 0)");
    gEmpresa = "4";
    QComboBox jur, prof;
    CargarJurisdicciones(&jur);
    CargarProfesiones(&prof);
    EXPECT_EQ(BuscarIndiceCodigo(&jur, "Ñ"), 0);  // an unknown code gives the blank entry
    const struct {
        int matricula;
        const char *profesion, *jurisdiccion;
        QString hallado;  // name, profession and jurisdiction shown after the lookup
    } casos[] = {
        {1234, "2", "X", "GOMEZ ANA|2.ODONTOLOGO|X.CORDOBA"},
        // Both lists blank: the number and the company alone; the first row the engine returns fills them.
        {1234, "", "", "GOMEZ LUIS|1.MEDICO|B.BUENOS AIRES"},
        {4321, "", "", "SOSA|2.ODONTOLOGO|X.CORDOBA"},
        {999, "", "", "||"},          // another company's doctor
        {0, "", "", "sin cambio||"},  // no number: nothing looked up
    };
    for (const auto& c : casos) {
        prof.setCurrentIndex(BuscarIndiceCodigo(&prof, c.profesion));
        jur.setCurrentIndex(BuscarIndiceCodigo(&jur, c.jurisdiccion));
        QLabel nombre("sin cambio");
        BuscarMedico(c.matricula, &nombre, &prof, &jur);
        EXPECT_EQ(nombre.text() + "|" + prof.currentText() + "|" + jur.currentText(), c.hallado) << c.matricula;
    }
}

TEST_F(CombosTest, TypedKeysAreFilteredByFieldKind) {
    gSeparadorDecimal = 44;
    const struct {
        int tipo;
        const char *tecleado, *queda;
        int pitidos;
    } casos[] = {{1, "12a3-", "123", 2},    {1, "12\b3", "13", 0},       {2, "12.5a", "12,5", 1},
                 {3, "-1/", "-1", 1},       {4, "01/02x", "01/02", 1},   {5, "a/b 9", "a/b 9", 0},
                 {6, "1-2/3 ", "1-2/3", 1}, {7, "779 12x", "779 12", 1}, {FiltroTeclas::kBloquearTodo, "abc", "", 0}};
    for (const auto& c : casos) {
        QLineEdit campo;
        FiltroTeclas::Instalar(&campo, c.tipo);
        const int antes = sistema.pitidos;
        QTest::keyClicks(&campo, c.tecleado);
        EXPECT_EQ(campo.text(), QString(c.queda)) << "kind " << c.tipo;
        EXPECT_EQ(sistema.pitidos - antes, c.pitidos) << "kind " << c.tipo;
    }
}

}  // namespace
