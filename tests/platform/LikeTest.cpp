// LIKE with the dialect's wildcards, on the byte path (ASCII) and the full one (classes, accents).
#include "core/modTarsa.h"
#include "support/Entorno.h"

namespace {

using LikeDialecto = Entorno;

TEST_F(LikeDialecto, ComodinesEnTextoAsciiYConAcentos) {
    AbrirBaseEntregada();
    const struct {
        const char* texto;
        const char* patron;
        bool coincide;
    } casos[] = {
        {"amoxidal 500", "AMO*", true}, {"XAMO", "AMO*", false},     {"AMO1", "AMO#", true},
        {"AMOX", "AMO#", false},        {"AMOX", "A?O*", true},      {"ÁMOXIDAL", "ámo*", true},
        {"BETA", "[A-C]*", true},       {"DELTA", "[!A-C]*", true},  {"AB", "*B", true},
        {"ABC", "*B", false},           {"", "*", true},             {"ÑANDU", "?ANDU", true},
    };
    for (const auto& c : casos) {
        const QString sql =
            QString("SELECT \"%1\" LIKE \"%2\"").arg(QString::fromUtf8(c.texto), QString::fromUtf8(c.patron));
        EXPECT_EQ(gDB->Consultar(sql)->Campo(0).toInt(), c.coincide ? 1 : 0) << sql.toStdString();
    }
}

}  // namespace
