#pragma once
// A ticket form's world: the delivered database with the catalog rows a test adds, this run's
// exchange directory, the current company and activity, and modal windows answered by name.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFocusEvent>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <initializer_list>

#include "core/modTarsa.h"
#include "platform/ui/Modal.h"
#include "support/Entorno.h"
#include "tickets/frmTicketFarmaciaBase.h"

class EntornoTickets : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        AbrirBaseEntregada();
        gQueloPath = dirTrabajo;
        gTermDir = CrearDirectorioTerminal();
        gEmpresa = "1";
        gCodigoEmpresa = "05";
        gActividad = "1";
        gCodigoActividad = "01";
        gTerminal = "LIC00001";
        gNuevaTransaccion = true;
        EstablecerManejadorModal([this](QDialog& d) {
            const auto manejador = modales.value(d.objectName());
            if (!manejador) {
                ADD_FAILURE() << "unexpected modal window " << d.objectName().toStdString();
                return 0;
            }
            return manejador(d);
        });
    }
    void TearDown() override {
        frmTicketFarmaciaBase::DescargarAbierto();
        frmTicketFarmaciaBase::MostrarTransacciones = nullptr;
        EstablecerManejadorModal({});
        Entorno::TearDown();
    }

    // A bitmap text with "1" at the given positions.
    static QString Mascara(std::initializer_list<int> posiciones, int largo = 35) {
        QString m(largo, '0');
        for (int p : posiciones) m[p - 1] = '1';
        return m;
    }
    void Bitmap(int operacion, const QString& archivo, const QString& mascara) {
        gDB->Ejecutar(QString("INSERT INTO Bitmaps (Empresa, Actividad, Operacion, Archivo, Parametro) VALUES "
                              "('%1', '%2', %3, '%4', '%5')")
                          .arg(gCodigoEmpresa, gCodigoActividad)
                          .arg(operacion)
                          .arg(archivo, mascara));
    }
    void Sql(const QString& sql) { gDB->Ejecutar(sql); }

    template <class T>
    static T* Hijo(const QObject* padre, const QString& nombre) {
        T* hijo = padre->findChild<T*>(nombre);
        EXPECT_NE(hijo, nullptr) << nombre.toStdString();
        return hijo;
    }
    // Leaves a field for the next one, as the Tab key does.
    static void Salir(QWidget* campo) {
        QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(campo, &e);
    }
    static void Escribir(const QObject* padre, const QString& nombre, const QString& texto) {
        auto* campo = Hijo<QLineEdit>(padre, nombre);
        campo->clear();
        QTest::keyClicks(campo, texto);
    }
    static void Elegir(const QObject* padre, const QString& nombre, const QString& comienzo) {
        auto* lista = Hijo<QComboBox>(padre, nombre);
        for (int i = 0; i < lista->count(); ++i)
            if (lista->itemText(i).startsWith(comienzo)) {
                lista->setCurrentIndex(i);
                return;
            }
        ADD_FAILURE() << "no entry " << comienzo.toStdString() << " in " << nombre.toStdString();
    }
    static void Pulsar(const QObject* padre, const QString& nombre) { Hijo<QPushButton>(padre, nombre)->click(); }

    QHash<QString, std::function<int(QDialog&)>> modales;  // by the window's objectName
};
