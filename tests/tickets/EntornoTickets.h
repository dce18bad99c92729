#pragma once
// A ticket form's world: the delivered database with the catalog rows a test adds, this run's
// exchange directory, the current company and activity, and modal windows answered by name.
#include <QDialog>
#include <QHash>
#include <functional>
#include <initializer_list>

#include "core/modTarsa.h"
#include "platform/ui/Modal.h"
#include "support/Controles.h"
#include "support/Entorno.h"
#include "tickets/frmTicketFarmaciaBase.h"

class EntornoTickets : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        AbrirBaseEntregada();
        gQueloPath = dirTrabajo;
        gTermDir = CrearDirectorioTerminal();
        gEmpresa = gActividad = "1";
        gCodigoEmpresa = "05";
        gCodigoActividad = "01";
        gTerminal = "LIC00001";
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
        Entorno::TearDown();
    }

    // A bitmap text with "1" at the given positions.
    static QString Mascara(std::initializer_list<int> posiciones, int largo = 35) {
        QString m(largo, '0');
        for (int p : posiciones) m[p - 1] = '1';
        return m;
    }
    // Control names written one after another, separated by spaces.
    static QStringList Nombres(const char* lista) { return QString(lista).split(' '); }
    void Bitmap(int operacion, const QString& archivo, const QString& mascara) {
        Sql(QString("INSERT INTO Bitmaps (Empresa, Actividad, Operacion, Archivo, Parametro) VALUES "
                    "('%1', '%2', %3, '%4', '%5')")
                .arg(gCodigoEmpresa, gCodigoActividad)
                .arg(operacion)
                .arg(archivo, mascara));
    }
    void Sql(const QString& sql) { gDB->Ejecutar(sql); }
    void Ibuprofeno() {
        Sql("INSERT INTO Medicamentos (IdEmpresa, Troquel, CodigoBarra, Nombre, Presentacion, Precio, TipoMedicamento, "
            "CodProveedor, Baja) VALUES (1, 512345, '7795312000123', 'IBUPROFENO 400', 'X 20 COMP', 1520.5, 1, 0, 0)");
    }

    QHash<QString, std::function<int(QDialog&)>> modales;  // by the window's objectName
};
