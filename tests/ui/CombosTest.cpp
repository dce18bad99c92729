// Drop-down lists filled from the catalogs, the registration-type lists, the doctor lookup and the
// key filter of the fields.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "catalogs/ConBase.h"
#include "catalogs/clsMedico.h"
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
    gEmpresa = "12";
    gActividad = "5";
    gTerminal = "222";
    QComboBox cbo;
    const struct {
        const char* lista;
        std::function<bool()> cargar;
        QStringList entradas;
        int elegida;
    } casos[] = {
        {"empresas", [&] { return CargarComboEmpresas(&cbo); }, {"3 . OSDE", "12 . IOMA"}, 1},
        {"actividades de la empresa", [&] { return CargarComboActividades(&cbo); }, {"2 . PRESTADOR", "5 . SESION"}, 1},
        {"prestadores", [&] { return CargarComboPrestadores(&cbo); }, {"P1 . CENTRAL", "P2 . NORTE"}, 1},
        {"tipo de actividad",
         [&] { return CargarComboTipoActividad(&cbo, "02"); },
         {"01 . Ticket Farmacia", "02 . Ticket Prestador"},
         1},
        {"tipo desconocido",
         [&] { return CargarComboTipoActividad(&cbo, "09"); },
         {"01 . Ticket Farmacia", "02 . Ticket Prestador"},
         0},
        {"sin empresa actual",
         [&] {
             gEmpresa = "7";
             return CargarComboEmpresas(&cbo);
         },
         {"3 . OSDE", "12 . IOMA"},
         -1},
    };
    for (const auto& c : casos) {
        EXPECT_TRUE(c.cargar()) << c.lista;
        QStringList entradas;
        for (int i = 0; i < cbo.count(); ++i) entradas << cbo.itemText(i);
        EXPECT_EQ(entradas, c.entradas) << c.lista;
        EXPECT_EQ(cbo.currentIndex(), c.elegida) << c.lista;
    }
}

TEST_F(CombosTest, ADoctorIsFoundByLicenceAndCompany) {
    clsMedico m;
    m.Empresa = 4;
    m.Procesar(1, 1234, "X2", "GOMEZ ANA");
    m.Procesar(1, 1234, "B1", "GOMEZ LUIS");
    m.Empresa = 5;
    m.Procesar(1, 999, "B1", "OTRA EMPRESA");
    gEmpresa = "4";
    QComboBox jur, prof;
    CargarJurisdicciones(&jur);
    CargarProfesiones(&prof);
    QLabel nombre;

    prof.setCurrentIndex(BuscarIndiceCodigo(&prof, "2"));
    jur.setCurrentIndex(BuscarIndiceCodigo(&jur, "X"));
    BuscarMedico(1234, &nombre, &prof, &jur);
    EXPECT_EQ(nombre.text(), "GOMEZ ANA");

    prof.setCurrentIndex(0);
    jur.setCurrentIndex(0);
    BuscarMedico(1234, &nombre, &prof, &jur);  // both lists empty: number and company alone
    EXPECT_EQ(nombre.text(), "GOMEZ LUIS");    // the first row the engine returns
    EXPECT_EQ(prof.currentText(), "1.MEDICO");
    EXPECT_EQ(jur.currentText(), "B.BUENOS AIRES");

    m.Empresa = 4;
    m.Procesar(1, 4321, "X2", "SOSA");
    prof.setCurrentIndex(0);
    jur.setCurrentIndex(0);
    BuscarMedico(4321, &nombre, &prof, &jur);
    EXPECT_EQ(prof.currentText(), "2.ODONTOLOGO");
    EXPECT_EQ(jur.currentText(), "X.CORDOBA");

    EXPECT_EQ(BuscarIndiceCodigo(&jur, QString::fromUtf8("Ñ")), 0);  // an unknown code gives the blank entry
    BuscarMedico(999, &nombre, &prof, &jur);                         // another company's doctor
    EXPECT_EQ(nombre.text(), "");

    nombre.setText("sin cambio");
    BuscarMedico(0, &nombre, &prof, &jur);
    EXPECT_EQ(nombre.text(), "sin cambio");
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
