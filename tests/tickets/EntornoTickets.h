#pragma once
// A ticket form's world: the delivered database with the catalog rows a test adds, this run's
// exchange directory, the current company and activity, and modal windows answered by name.
#include <QClipboard>
#include <QDialog>
#include <QHash>
#include <functional>
#include <initializer_list>

#include "TestConfig.h"
#include "catalogs/ConBase.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "platform/Rutas.h"
#include "platform/ui/Modal.h"
#include "support/Controles.h"
#include "tickets/frmTicketFarmacia.h"
#include "tickets/frmTicketFarmaciaR.h"

class EntornoTickets : public ConBase {
protected:
    void SetUp() override {
        ConBase::SetUp();
        Terminal();
        Sesion(
            {.empresa = "1", .actividad = "1", .terminal = "LIC00001", .codigoEmpresa = "05", .codigoActividad = "01"});
        gNuevaTransaccion = true;
        EstablecerManejadorModal([this](QDialog& d) {
            if (const auto manejador = modales.value(d.objectName())) return manejador(d);
            ADD_FAILURE() << "unexpected modal window " << d.objectName().toStdString();
            return 0;
        });
    }
    void TearDown() override {
        frmTicketFarmaciaBase::DescargarAbierto();
        EstablecerManejadorModal({});
        ConBase::TearDown();
    }

    // A bitmap text with "1" at the given positions.
    static QString Mascara(std::initializer_list<int> posiciones, int largo = 35) {
        QString m(largo, '0');
        for (int p : posiciones) m[p - 1] = '1';
        return m;
    }
    // Control names written one after another, separated by spaces.
    static QStringList Nombres(const char* lista) { return QString(lista).split(' '); }
    // Fills controls as a user does, "name=value" separated by spaces: a field typed and left, a list's
    // entry chosen by its start.
    static void Rellenar(const QObject* padre, const QString& valores) {
        for (const QString& par : valores.split(' ')) {
            const QString nombre = par.section('=', 0, 0), valor = par.section('=', 1);
            if (padre->findChild<QComboBox*>(nombre))
                Elegir(padre, nombre, valor);
            else
                Escribir(padre, nombre, valor, true);
        }
    }
    // The operation's header and item bitmaps in place of those it had; an empty one is left out.
    void Bitmaps(const QString& svl1, const QString& svl3 = {}, int operacion = 1) {
        Sql(QString("DELETE FROM Bitmaps WHERE Operacion = %1").arg(operacion));
        for (const auto& [archivo, mascara] : {std::pair{"SVL1", svl1}, std::pair{"SVL3", svl3}})
            if (!mascara.isEmpty())
                Sql(QString("INSERT INTO Bitmaps (Empresa, Actividad, Operacion, Archivo, Parametro) VALUES "
                            "('%1', '%2', %3, '%4', '%5')")
                        .arg(gCodigoEmpresa, gCodigoActividad)
                        .arg(operacion)
                        .arg(archivo, mascara));
    }
    void Sql(const QString& sql) { gDB->Ejecutar(sql); }
    // A medication, a diagnosis and a doctor of company 1's catalogs.
    void Catalogo() {
        Sql("INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, "
            "CodProveedor, Baja) VALUES (1, 512345, '7795312000123', 'IBUPROFENO 400', 'X 20 COMP', 1520.5, 1, 0, 0)");
        Sql("INSERT INTO Diagnosticos (IdEmpresa, Codigo, Nombre, Baja) VALUES (1, 'J45.0', 'ASMA', 0)");
        Sql("INSERT INTO Medicos (IdEmpresa, Matricula, TipoMatricula, ApellidoNombre, Baja) VALUES (1, 12345, 'B1', "
            "'PEREZ JUAN', 0)");
    }
    // The ticket form of an operation, full or reduced, loaded as the main window loads it.
    static frmTicketFarmaciaBase* AbrirForma(int operacion, bool reducida = false, QMdiArea* area = nullptr) {
        bool cargado = false;
        frmTicketFarmaciaBase* f =
            reducida ? static_cast<frmTicketFarmaciaBase*>(frmTicketFarmaciaR::Cargar(operacion, cargado, area))
                     : frmTicketFarmacia::Cargar(operacion, cargado, area);
        EXPECT_TRUE(cargado);
        return f;
    }
    // A request file as it stands in the upload directory.
    static QString Subida(const QString& nombre) { return Rutas::Unir(DirectorioIntercambio(), "UpLoad/" + nombre); }
    static QByteArray Subido(const QString& nombre) { return LeerArchivo(Subida(nombre)); }
    static QByteArray Dato(const char* nombre) { return LeerArchivo(Rutas::Unir(TARSA_TEST_DATA_DIR, nombre)); }
    // Puts text in a field as pasting it does, in place of what it had.
    static void Pegar(QLineEdit* campo, const QString& texto) {
        campo->clear();
        QApplication::clipboard()->setText(texto);
        campo->paste();
    }

    QHash<QString, std::function<int(QDialog&)>> modales;  // by the window's objectName
};
