#pragma once
// A test with the delivered, empty database open, and a way to read values back with plain SQL.
#include <QStringList>

#include "core/modConexion.h"
#include "platform/BaseDatos.h"
#include "support/Entorno.h"

class ConBase : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        AbrirBaseEntregada();
    }
    // The first column of the first row, null when there is none.
    static QVariant Valor(const QString& sql) {
        auto rs = gDB->Consultar(sql);
        return rs->EOF_() ? QVariant() : rs->Campo(0);
    }
    // A catalog object that works on the rows of one company.
    template <class C>
    static C DeEmpresa(qint16 empresa) {
        C catalogo;
        catalogo.Empresa = empresa;
        return catalogo;
    }
    static int Contar(const QString& tabla) { return Valor("SELECT COUNT(*) FROM " + tabla).toInt(); }
    // Every row of a query: its fields joined by '|', the rows by a line break.
    static QString Filas(const QString& sql) {
        QStringList filas;
        for (auto rs = gDB->Consultar(sql); !rs->EOF_(); rs->MoveNext()) {
            QStringList campos;
            for (int i = 0; i < rs->CantidadCampos(); ++i) campos << rs->Campo(i).toString();
            filas << campos.join('|');
        }
        return filas.join('\n');
    }
};
