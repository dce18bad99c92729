#pragma once
// A test with the delivered, empty database open, and a way to read a value back with plain SQL.
#include "core/modTarsa.h"
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
    static int Contar(const QString& tabla) { return Valor("SELECT COUNT(*) FROM " + tabla).toInt(); }
};
