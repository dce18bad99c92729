// SQL text cut into pieces: where literals, comments and bracketed names begin and end.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/LexicoSql.h"

namespace {

using Tipo = LexicoSql::Tipo;

// The pieces as "kind:text", blanks left out.
QStringList Piezas(const QString& sql) {
    static const char* const kNombres[] = {"fin",    "blanco",  "comentario", "nombre", "texto",
                                           "numero", "palabra", "parametro",  "simbolo"};
    QStringList r;
    LexicoSql lexico(sql);
    for (auto p = lexico.Siguiente(); p.tipo != Tipo::Fin; p = lexico.Siguiente())
        if (p.tipo != Tipo::Blanco)
            r << QString("%1:%2").arg(kNombres[static_cast<int>(p.tipo)], sql.mid(p.inicio, p.fin - p.inicio));
    return r;
}

}  // namespace

TEST(LexicoSqlTest, TrickyPiecesEndWhereTheyShould) {
    const struct {
        const char* sql;
        QStringList piezas;
    } casos[] = {{"'it''s' x", {"texto:'it''s'", "palabra:x"}},
                 {R"("say ""hi""" x)", {R"(texto:"say ""hi""")", "palabra:x"}},
                 {R"('a'"b")", {R"(texto:'a'"b")"}},
                 {"a -- 'no' ?\nb", {"palabra:a", "comentario:-- 'no' ?", "palabra:b"}},
                 {"a /* 'no\n*/ b", {"palabra:a", "comentario:/* 'no\n*/", "palabra:b"}},
                 {"a /* sin fin", {"palabra:a", "comentario:/* sin fin"}},
                 {"[Nombre con ' y --] = ?", {"nombre:[Nombre con ' y --]", "simbolo:=", "parametro:?"}},
                 {"'¿?' = ?", {"texto:'¿?'", "simbolo:=", "parametro:?"}},
                 {"'sin cierre ?", {"texto:'sin cierre ?"}},
                 {"12.5e-3/2 .5 3x", {"numero:12.5e-3", "simbolo:/", "numero:2", "numero:.5", "numero:3", "palabra:x"}},
                 {"a-b", {"palabra:a", "simbolo:-", "palabra:b"}},
                 {"Año$1", {"palabra:Año$1"}}};
    for (const auto& c : casos) EXPECT_EQ(Piezas(QString::fromUtf8(c.sql)), c.piezas) << c.sql;
}

TEST(LexicoSqlTest, LiteralValuesAndWhetherTheyAreAPlainPiece) {
    const struct {
        const char* literal;
        const char* valor;
        bool simple;
    } casos[] = {{"'abc'", "abc", true},
                 {"''", "", true},
                 {"'it''s'", "it's", false},
                 {R"("say ""hi""")", R"(say "hi")", false},
                 {R"("O'Brien")", "O'Brien", true},
                 {R"('a'"b")", "a'b", false},
                 {R"("sin cierre)", "sin cierre", false}};
    for (const auto& c : casos) {
        const QString literal = QString::fromUtf8(c.literal);
        EXPECT_EQ(LexicoSql::ValorTexto(literal), QString::fromUtf8(c.valor)) << c.literal;
        EXPECT_EQ(LexicoSql(literal).Siguiente().simple, c.simple) << c.literal;
    }
}

TEST(LexicoSqlTest, OnlySeparatorsMayFollowAStatement) {
    for (const char* resto : {"", " ; ", "; -- fin", "/* nota */;\n"})
        EXPECT_TRUE(LexicoSql::SoloSeparadores(QString::fromUtf8(resto))) << resto;
    for (const char* resto : {"; DELETE FROM T", "-- x\nDROP TABLE T", "'x'"})
        EXPECT_FALSE(LexicoSql::SoloSeparadores(QString::fromUtf8(resto))) << resto;
}
