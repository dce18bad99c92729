// The companies, activities and providers dialogs: rows edited in memory, stored by "Grabar" all or none.
#include <QCheckBox>
#include <QTreeWidget>

#include "catalogs/ConBase.h"
#include "catalogs/clsActividades.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsPrestadores.h"
#include "catalogs/modConfiguracion.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
#include "platform/Rutas.h"
#include "platform/ui/Modal.h"
#include "support/Controles.h"
#include "ui/frmConfiguraActividad.h"
#include "ui/frmConfiguraEmpresas.h"
#include "ui/frmConfiguraPrestador.h"

namespace {

class frmConfiguraCatalogoTest : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        clsEmpresas e;
        e.Procesar(1, 11, "OSDE", "11");
        e.Procesar(1, 23, "IOMA", "23");
        clsActividades a;
        a.Procesar(1, 11, 1, "FARMACIA", "1", "01");
        a.Procesar(1, 23, 1, "FARMACIA", "1", "01");
        a.Procesar(1, 23, 5, "PRESTACIONES", "2", "05");
        clsPrestadores().Procesar(1, "20451877", "CENTRAL", "01", "20451877", "0", false);
        const auto registro = [](const char* licencia, const char* empresa, const char* actividad, const char* nombre) {
            const QByteArray nombreEmpresa = QByteArray(empresa) == "11" ? "OSDE" : "IOMA";
            return licencia + QByteArray(empresa) + nombreEmpresa.leftJustified(30) + actividad +
                   QByteArray(nombre).leftJustified(30) + "\r\n";
        };
        EscribirArchivo(Rutas::Unir(dirTrabajo, "_Quelo.emp"), registro("20451877", "11", "01", "FARMACIA") +
                                                                   registro("20451877", "23", "01", "FARMACIA") +
                                                                   registro("30111222", "23", "07", "SESIONES"));
        gQueloPath = dirTrabajo;
        CargarColEmpresas();
        a.GetAP(gColActividades);
        a.GetTipoActividad(gColTipoActividad);
        clsPrestadores().GetAP(gColPrestadores, false);
        clsPrestadores().GetTipoPrestador(gColTipoPrestador);
        // Every edit dialog answers from the queue: its field texts by objectName, or cancels when empty.
        EstablecerManejadorModal([this](QDialog& d) {
            if (ediciones.isEmpty()) return int(QDialog::Rejected);
            for (const QLineEdit* campo : d.findChildren<QLineEdit*>()) vistos[campo->objectName()] = campo->text();
            const QHash<QString, QString> campos = ediciones.takeFirst();
            for (auto it = campos.begin(); it != campos.end(); ++it) {
                if (auto* c = d.findChild<QCheckBox*>(it.key()))
                    c->setChecked(it.value() == "1");
                else if (d.findChild<QComboBox*>(it.key()))
                    Elegir(&d, it.key(), it.value());
                else
                    Escribir(&d, it.key(), it.value());
            }
            Pulsar(&d, "cmdAceptar");
            return d.result();
        });
    }
    using ConBase::Filas;
    static QString Filas(const QTreeWidget* lista) {
        QStringList filas;
        for (int i = 0; i < lista->topLevelItemCount(); ++i) {
            QStringList celdas;
            for (int c = 0; c < lista->columnCount(); ++c) celdas << lista->topLevelItem(i)->text(c).trimmed();
            filas << celdas.join('|');
        }
        return filas.join(' ');
    }
    static void Marcar(QTreeWidget* lista, int fila) { lista->setCurrentItem(lista->topLevelItem(fila)); }
    // With a column of its table renamed, the old rows are deleted and the first insert fails.
    template <class Dialogo>
    void FallaGrabar(const QString& tabla) {
        SCOPED_TRACE(tabla.toStdString());
        gDB->Ejecutar("ALTER TABLE " + tabla + " RENAME COLUMN Nombre TO Otro");
        const QString antes = Filas("SELECT * FROM " + tabla);
        mensajes.mostrados.clear();
        Dialogo f;
        Pulsar(&f, "cmdGrabar");
        EXPECT_NE(f.result(), QDialog::Accepted);
        EXPECT_EQ(mensajes.Unico().estilo, Mensajes::vbCritical);
        EXPECT_EQ(Filas("SELECT * FROM " + tabla), antes);
        EXPECT_FALSE(gDB->EnTransaccion());
        gDB->Ejecutar("ALTER TABLE " + tabla + " RENAME COLUMN Otro TO Nombre");
    }

    QList<QHash<QString, QString>> ediciones;
    QHash<QString, QString> vistos;  // the edit dialog's fields as it opened
};

TEST_F(frmConfiguraCatalogoTest, CompaniesAreEditedInMemoryAndStoredOnlyByGrabar) {
    frmConfiguraEmpresas f;
    auto* lista = Hijo<QTreeWidget>(&f, "lvwEmpresas");
    EXPECT_EQ(Filas(Hijo<QTreeWidget>(&f, "lvwEmpresasQuelo")), "11|OSDE 23|IOMA");

    ediciones = {{{"txtCodigoEmpresa", "0023"}, {"txtNombreEmpresa", "OTRA"}}};  // "0023" is company 23
    Pulsar(&f, "cmdAddEmpresa");
    EXPECT_EQ(mensajes.Unico(),
              (MensajeMostrado{"El código ingresado ya existe", Mensajes::vbInformation, f.windowTitle()}));

    Marcar(lista, 0);
    Pulsar(&f, "cmdEditEmpresa");  // cancelled: the row stays
    ediciones = {{{"txtCodigoEmpresa", "14"}, {"txtNombreEmpresa", "PAMI"}}};
    Pulsar(&f, "cmdAddEmpresa");
    Marcar(Hijo<QTreeWidget>(&f, "lvwEmpresasQuelo"), 1);
    Pulsar(&f, "cmdAsignar");  // PAMI, just added and selected, takes IOMA's code
    Marcar(lista, 1);
    Pulsar(&f, "cmdQuitar");
    Marcar(lista, 0);
    ediciones = {{{"txtNombreEmpresa", "OSDE BINARIO"}}};
    Pulsar(&f, "cmdEditEmpresa");
    EXPECT_EQ(Filas(lista), "11|OSDE BINARIO|11 23|IOMA| 14|PAMI|23");
    EXPECT_EQ(Filas("SELECT IdEmpresa, Nombre, CodigoQuelo FROM Empresas ORDER BY 1"), "11|OSDE|11\n23|IOMA|23");

    Pulsar(&f, "cmdGrabar");
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(Filas("SELECT IdEmpresa, Nombre, CodigoQuelo FROM Empresas ORDER BY 1"),
              "11|OSDE BINARIO|11\n14|PAMI|23\n23|IOMA|");
    ASSERT_EQ(gColEmpresas.size(), 3);
    EXPECT_EQ(gColEmpresas[0].Nombre, "OSDE BINARIO");
    // The links follow the network codes now stored: IOMA lost its code, PAMI has none of its activities.
    EXPECT_EQ(Filas("SELECT Codigo, IdEmpresa, IdActividad FROM PrestadorActividad"), "20451877|11|1");
    EXPECT_EQ(mensajes.mostrados.size(), 1);
}

// A name the terminal's files padded with blanks is edited without them.
TEST_F(frmConfiguraCatalogoTest, AnEditShowsThePaddedNameTrimmedAndKeepsItWhenUnchanged) {
    const QString osde = QString("OSDE").leftJustified(30);
    clsEmpresas().Procesar(3, 11, osde, "11");
    CargarColEmpresas();
    frmConfiguraEmpresas f;
    Marcar(Hijo<QTreeWidget>(&f, "lvwEmpresas"), 0);
    ediciones = {{}};
    Pulsar(&f, "cmdEditEmpresa");
    EXPECT_EQ(vistos["txtNombreEmpresa"], "OSDE");
    Pulsar(&f, "cmdGrabar");
    EXPECT_EQ(Filas("SELECT Nombre FROM Empresas WHERE IdEmpresa=11"), osde);
}

TEST_F(frmConfiguraCatalogoTest, GrabarWithAnEmptyListLeavesNoCompanies) {
    frmConfiguraEmpresas f;
    auto* lista = Hijo<QTreeWidget>(&f, "lvwEmpresas");
    while (lista->topLevelItemCount() > 0) {
        Marcar(lista, 0);
        Pulsar(&f, "cmdDelEmpresa");
    }
    Pulsar(&f, "cmdGrabar");
    EXPECT_EQ(Contar("Empresas"), 0);
    EXPECT_TRUE(gColEmpresas.isEmpty());
    EXPECT_TRUE(gColLicAct.isEmpty());
}

TEST_F(frmConfiguraCatalogoTest, AFailedGrabarLeavesEachTableAsItWas) {
    FallaGrabar<frmConfiguraEmpresas>("Empresas");
    FallaGrabar<frmConfiguraActividad>("Actividades");
    FallaGrabar<frmConfiguraPrestador>("Prestadores");
}

TEST_F(frmConfiguraCatalogoTest, ActivitiesAreThoseOfTheChosenCompanyAndOnlyTheyAreReplaced) {
    frmConfiguraActividad f;
    auto* lista = Hijo<QTreeWidget>(&f, "lvwActividades");
    Elegir(&f, "cboEmpresas", "23");
    EXPECT_EQ(Filas(lista), "1|FARMACIA|1|01|23 5|PRESTACIONES|2|05|23");
    EXPECT_EQ(Filas(Hijo<QTreeWidget>(&f, "lvwActividadesQuelo")), "01|FARMACIA|23 07|SESIONES|23");

    ediciones = {{{"txtCodigo", "7"}, {"txtNombre", "SESIONES"}, {"cboTipo", "03"}}};
    Pulsar(&f, "cmdAdd");
    Marcar(Hijo<QTreeWidget>(&f, "lvwActividadesQuelo"), 1);
    Pulsar(&f, "cmdAsignar");
    Marcar(lista, 1);
    Pulsar(&f, "cmdDel");
    ediciones = {{{"txtNombre", "OTRA"}}};
    Marcar(lista, 0);
    Pulsar(&f, "cmdEdit");
    Pulsar(&f, "cmdGrabar");
    EXPECT_EQ(Filas("SELECT IdEmpresa, IdActividad, Nombre, Tipo, CodigoQuelo FROM Actividades ORDER BY 1, 2"),
              "11|1|FARMACIA|1|01\n23|1|OTRA|1|01\n23|7|SESIONES|3|07");
    EXPECT_EQ(gColActividades.size(), 3);
}

TEST_F(frmConfiguraCatalogoTest, ProvidersTakeTheirLicenceAndEveryField) {
    frmConfiguraPrestador f;
    auto* lista = Hijo<QTreeWidget>(&f, "lvwPrestadores");
    EXPECT_EQ(Filas(Hijo<QTreeWidget>(&f, "lvwLicenciasQuelo")), "20451877 30111222");
    ediciones = {{{"txtCodigo", "P2"},
                  {"txtNombre", "KINE SUR"},
                  {"cboTipo", "11"},
                  {"txtMatricula", "4521"},
                  {"chkCadena", "1"}}};
    Pulsar(&f, "cmdAdd");
    Marcar(Hijo<QTreeWidget>(&f, "lvwLicenciasQuelo"), 1);
    Pulsar(&f, "cmdAsignar");
    EXPECT_EQ(Filas(lista), QString::fromUtf8("20451877|20451877|CENTRAL|01|0|No P2|30111222|KINE SUR|11|4521|Sí"));
    Pulsar(&f, "cmdGrabar");
    EXPECT_EQ(Filas("SELECT Codigo, LicenciaQuelo, Nombre, Tipo, Matricula, CadenaSucursales FROM Prestadores "
                    "ORDER BY 1"),
              "20451877|20451877|CENTRAL|01|0|0\nP2|30111222|KINE SUR|11|4521|1");
    EXPECT_EQ(gColPrestadores.size(), 2);
}

}  // namespace
