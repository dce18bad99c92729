// The database speaks the program's SQL dialect on SQLite.
#include <QFile>

#include "catalogs/ConBase.h"
#include "platform/CacheSentencias.h"
#include "platform/Dialecto.h"
#include "platform/TarsaError.h"

using BaseDatosTest = ConBase;

TEST_F(BaseDatosTest, DialectFunctions) {
    gDB->Ejecutar(
        R"(INSERT INTO Medicamentos (IdEmpresa, Troquel, Nombre, Precio) VALUES (1, 5, "AMOXICILINA 500", 12345/100))");
    const struct {
        const char* sql;
        const char* esperado;
    } casos[] = {{"SELECT Nombre FROM Medicamentos WHERE Nombre LIKE 'amo*'", "AMOXICILINA 500"},
                 {"SELECT count(*) FROM Medicamentos WHERE Nombre LIKE \"*cil?na #00\"", "1"},
                 {"SELECT count(*) FROM Medicamentos WHERE Nombre LIKE 'AMO%'", "0"},
                 {"SELECT Precio FROM Medicamentos", "123.45"},
                 {"SELECT CINT(\"0042\")", "42"},
                 {"SELECT CINT(2.5)", "2"},
                 {"SELECT CINT(3.5)", "4"},
                 // Beyond 64 bits there is no whole number: null, never an undefined conversion.
                 {"SELECT CINT(1e300) IS NULL", "1"},
                 {"SELECT CINT('-1e300') IS NULL", "1"},
                 {"SELECT CINT('12345678901234567890') IS NULL", "1"},
                 {"SELECT CINT('9007199254740992')", "9007199254740992"},
                 {"SELECT \"\" IS NULL", "0"},  // an empty literal is text
                 {"SELECT CSTR(17)", "17"},
                 {"SELECT CSTR(1.5)", "1.5"},
                 {"SELECT LEFT('ABCDEF', 2)", "AB"},
                 {"SELECT RIGHT('ABCDEF', 3)", "DEF"}};
    for (const auto& c : casos) EXPECT_EQ(Valor(c.sql).toString(), c.esperado) << c.sql;
}

// Each pattern directly and through SQL, which matches ASCII text on bytes and any other text in full.
TEST_F(BaseDatosTest, LikePatterns) {
    struct Caso {
        const char* texto;
        const char* patron;
        bool coincide;
    } casos[] = {{"AMOXICILINA", "amo*", true}, {"XAMO", "AMO*", false},    {"AMOXICILINA", "*CIL*", true},
                 {"AMOXICILINA", "AMO", false}, {"ABC", "*B", false},       {"A1", "A#", true},
                 {"AB", "A#", false},           {"BETA", "[A-C]*", true},   {"DELTA", "[A-C]*", false},
                 {"DELTA", "[!A-C]*", true},    {"a*b", "a[*]b", true},     {"", "*", true},
                 {"ABC", "A?C", true},          {"ABC", "A?", false},       {"ñandú", "Ñ*Ú", true},
                 {"ÑANDU", "?ANDU", true},      {"ÁMOXIDAL", "ámo*", true}, {"AXXBXXC", "A*B*C", true},
                 {"AXXBXX", "A*B*C", false}};
    for (const auto& c : casos) {
        const QString texto = QString::fromUtf8(c.texto), patron = QString::fromUtf8(c.patron);
        EXPECT_EQ(Dialecto::Coincide(texto, patron), c.coincide) << c.texto << " LIKE " << c.patron;
        EXPECT_EQ(Valor(QString("SELECT \"%1\" LIKE \"%2\"").arg(texto, patron)).toInt(), c.coincide ? 1 : 0)
            << "SQL: " << c.texto << " LIKE " << c.patron;
    }
}

TEST_F(BaseDatosTest, BadStatementsThrowTheEngineCodeItsWordsAndTheStatement) {
    const struct {
        const char* sql;
        int numero;
        const char* palabras;
    } casos[] = {{"SELEC * FROM Empresas", ErrBaseDatos + 1, "syntax error"},
                 {"SELECT * FROM NoExiste", ErrBaseDatos + 1, "no such table"},
                 {"DELETE FROM Planes WHERE (IdEmpresa = 1 AND )", ErrBaseDatos + 1, "syntax error"},
                 {"", ErrBaseDatos, "vacía"},
                 {"DELETE FROM Empresas; DELETE FROM Medicos", ErrBaseDatos, "una sola"}};
    for (const auto& c : casos) {
        const auto e = ErrorDe([&] { gDB->Ejecutar(c.sql); });
        ASSERT_TRUE(e) << c.sql << ": no error";
        EXPECT_EQ(e->Numero, c.numero) << c.sql;
        EXPECT_EQ(e->Fuente, "BaseDatos") << c.sql;
        EXPECT_TRUE(e->Descripcion.contains(QString::fromUtf8(c.palabras))) << e->Descripcion.toStdString();
        EXPECT_TRUE(e->Descripcion.contains(QString("[%1]").arg(c.sql)) || !*c.sql) << e->Descripcion.toStdString();
    }
}

TEST_F(BaseDatosTest, AResultSetRefusesWritesAndMoreThanOneStatement) {
    gDB->Ejecutar("INSERT INTO Medicamentos (IdEmpresa, Troquel, Nombre) VALUES (1, 1, \"A\")");
    for (const char* sql : {"DELETE FROM Medicamentos", "SELECT * FROM Medicamentos; DELETE FROM Medicamentos",
                            "SELECT * FROM Medicamentos WHERE Nombre LIKE 'x'; DELETE FROM Medicamentos; --'"})
        EXPECT_THROW(gDB->Consultar(sql), TarsaError) << sql;
    EXPECT_EQ(Valor("SELECT count(*) FROM Medicamentos").toInt(), 1);
}

TEST_F(BaseDatosTest, CompactionCopiesEveryRowAndRepairKeepsAHealthyFile) {
    gDB->Ejecutar("INSERT INTO Empresas (IdEmpresa, Nombre) VALUES (7, \"Siete\")");
    const QString archivo = gDB->Archivo();
    gDB->Cerrar();
    BaseDatos::Compactar(archivo, Ruta("copia.mdb"));
    BaseDatos copia;
    copia.Abrir(Ruta("copia.mdb"));
    EXPECT_EQ(copia.Consultar("SELECT Nombre FROM Empresas")->Campo(0), "Siete");
    copia.Cerrar();
    EXPECT_TRUE(BaseDatos::Reparar(archivo).isEmpty());
    EscribirArchivo(Ruta("basura.mdb"), QByteArray(4096, 'z'));
    EXPECT_FALSE(BaseDatos::Reparar(Ruta("basura.mdb")).isEmpty());
    EXPECT_THROW(BaseDatos::Compactar(Ruta("basura.mdb"), Ruta("c2.mdb")), TarsaError);
    EXPECT_FALSE(QFile::exists(Ruta("c2.mdb")));
}

// What SQLite is given: literals as parameters of the right type, the dialect's pieces turned into SQLite's.
TEST_F(BaseDatosTest, LiteralsBecomeParametersExceptWhereTheyNameAColumn) {
    struct Caso {
        const char* sql;
        const char* forma;
        QVariantList valores;
    } casos[] = {
        {"SELECT * FROM Medicamentos WHERE (Troquel=512345)",
         "SELECT * FROM Medicamentos WHERE (Troquel=?)",
         {512345LL}},
        {R"(INSERT INTO T (a, b2, c) VALUES(1, "O'Brien ""Jr""", 'x''y', 12345/100))",
         "INSERT OR IGNORE INTO T (a, b2, c) VALUES(?, ?, ?, ?/?)",
         {1LL, "O'Brien \"Jr\"", "x'y", 12345LL, 100.0}},
        {R"(update T set a = "", b = 2.5e1)", "update OR IGNORE T set a = ?, b = ?", {"", 25.0}},
        {R"(SELECT Nombre FROM M ORDER BY 2, "x", 3/2)", "SELECT Nombre FROM M ORDER BY 2, 'x', 3/2.0", {}},
        {R"(SELECT x'00' , LEFT ("ab", 1), Campo1 FROM T -- 5 "y")",
         R"(SELECT x'00' , TARSA_LEFT (?, ?), Campo1 FROM T -- 5 "y")",
         {"ab", 1LL}},
        {R"(PRAGMA user_version = "5")", "PRAGMA user_version = '5'", {}},
        {R"(SELECT "no termina)", "SELECT ?", {"no termina"}},
        {"SELECT 'no termina", "SELECT 'no termina", {}},
        // A literal inside a comment is no parameter: otherwise the values after it would shift by one.
        {"SELECT [a 'b'] /* 'c' 1 */ FROM T WHERE x = 'd'", "SELECT [a 'b'] /* 'c' 1 */ FROM T WHERE x = ?", {"d"}}};
    for (const Caso& c : casos) {
        QVariantList valores;
        EXPECT_EQ(CacheSentencias::Forma(c.sql, valores), c.forma) << c.sql;
        EXPECT_EQ(valores, c.valores) << c.sql;
        for (qsizetype i = 0; i < qMin(valores.size(), c.valores.size()); ++i)
            EXPECT_EQ(valores[i].typeId(), c.valores[i].typeId()) << c.sql << " value " << i;
    }
}

// A result set counts the rows visited so far; a query of its shape inside it gets a statement of its own.
TEST_F(BaseDatosTest, ResultSetsCountTheRowsVisitedAndNestQueriesOfOneShape) {
    EXPECT_EQ(gDB->Consultar("SELECT * FROM Medicamentos")->RecordCount(), 0);
    for (int i = 1; i <= 3; ++i)
        gDB->Ejecutar(QString("INSERT INTO Medicamentos (IdEmpresa, Troquel, Nombre) VALUES (1, %1, \"M%1\")").arg(i));
    auto externa = gDB->Consultar("SELECT Troquel FROM Medicamentos WHERE Troquel >= 1 ORDER BY Troquel");
    EXPECT_THROW(externa->Campo("NoExiste"), TarsaError);
    QStringList nombres;
    for (; !externa->EOF_(); externa->MoveNext()) {
        EXPECT_EQ(externa->RecordCount(), nombres.size() + 1);
        auto interna =
            gDB->Consultar("SELECT Nombre FROM Medicamentos WHERE Troquel >= " + externa->Campo("troquel").toString() +
                           " ORDER BY Troquel");
        nombres << interna->Campo("Nombre").toString();
    }
    EXPECT_EQ(nombres, (QStringList{"M1", "M2", "M3"}));
}
