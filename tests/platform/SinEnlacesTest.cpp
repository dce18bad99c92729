// Operations in the shared working directory that must never act through a link put there.
#include <QDir>
#include <QFile>

#include "platform/SinEnlaces.h"
#include "support/Entorno.h"

class SinEnlacesTest : public Entorno {
protected:
    // Outside the working directory: what a hostile link points at.
    QString Afuera(const QString& nombre, const QByteArray& contenido) {
        QDir().mkpath(Ruta("afuera"));
        EscribirArchivo(Ruta("afuera/" + nombre), contenido);
        return Ruta("afuera/" + nombre);
    }
    QString Trabajo(const QString& relativa) const { return dirTrabajo + "/" + relativa; }
};

TEST_F(SinEnlacesTest, RemovingADirectoryTreeRemovesLinksButNeverWhatTheyPointAt) {
    if (!EnlacesPosibles()) GTEST_SKIP() << kSinEnlaces;
    const QString base = Afuera("TarsaCliente.mdb", "BASE");
    // The directory itself replaced by a link to the directory that holds the database.
    ASSERT_TRUE(CrearEnlace(Ruta("afuera"), Trabajo("term1")));
    // A real directory holding links to a directory and to a file outside, and its own files.
    QDir().mkpath(Trabajo("term2/UpLoad/extra"));
    EscribirArchivo(Trabajo("term2/UpLoad/extra/_SVL.1"), "x");
    EscribirArchivo(Trabajo("term2/Estado.rsp"), "0");
    ASSERT_TRUE(CrearEnlace(Ruta("afuera"), Trabajo("term2/download")));
    ASSERT_TRUE(CrearEnlace(base, Trabajo("term2/UpLoad/_SVL.0")));
    for (const char* term : {"term1", "term2"}) {
        EXPECT_TRUE(SinEnlaces::BorrarArbol(Trabajo(term))) << term;
        EXPECT_FALSE(QFileInfo(Trabajo(term)).exists() || SinEnlaces::EsEnlace(Trabajo(term))) << term;
        EXPECT_EQ(LeerArchivo(base), "BASE") << term;
    }
    EXPECT_EQ(QDir(Ruta("afuera")).entryList(QDir::Files), QStringList{"TarsaCliente.mdb"});
}

TEST_F(SinEnlacesTest, TheMarkerFileIsCreatedOnlyWhereNothingIsAndNothingIsTruncated) {
    if (!EnlacesPosibles()) GTEST_SKIP() << kSinEnlaces;
    const QString base = Afuera("TarsaCliente.mdb", "BASE");
    QDir().mkpath(Trabajo("TX/term9"));
    EscribirArchivo(Trabajo("TX/term3"), "");
    EscribirArchivo(Trabajo("TX/term4"), "CONTENIDO");
    ASSERT_TRUE(CrearEnlace(base, Trabajo("TX/term5")));
    ASSERT_TRUE(CrearEnlace(Ruta("afuera/nuevo"), Trabajo("TX/term6")));  // dangling
    using C = SinEnlaces::Creacion;
    const struct {
        const char* nombre;
        C esperado;
    } casos[] = {{"term2", C::Creado},    {"term3", C::Existente}, {"term4", C::Existente},
                 {"term5", C::Rechazado}, {"term6", C::Rechazado}, {"term9", C::Rechazado}};
    for (const auto& c : casos)
        EXPECT_EQ(SinEnlaces::CrearVacio(Trabajo(QString("tx/") + c.nombre)), c.esperado) << c.nombre;
    EXPECT_EQ(LeerArchivo(Trabajo("TX/term2")), "");
    EXPECT_EQ(LeerArchivo(Trabajo("TX/term4")), "CONTENIDO");
    EXPECT_EQ(LeerArchivo(base), "BASE");
    EXPECT_FALSE(QFile::exists(Ruta("afuera/nuevo")));
}

TEST_F(SinEnlacesTest, ReadingInsideADirectoryOpensOnlyPlainFilesReachedWithoutLinks) {
    if (!EnlacesPosibles()) GTEST_SKIP() << kSinEnlaces;
    const QString secreto = Afuera("passwd", "root:x:0:0");
    QDir().mkpath(Trabajo("term1/DownLoad/_sal.0"));
    EscribirArchivo(Trabajo("term1/DownLoad/_Ticket.prn"), "TICKET");
    ASSERT_TRUE(CrearEnlace(secreto, Trabajo("term1/DownLoad/_svl.1")));
    QDir().mkpath(Trabajo("term2"));
    ASSERT_TRUE(CrearEnlace(Ruta("afuera"), Trabajo("term2/Download")));
    using A = SinEnlaces::Apertura;
    const struct {
        const char* base;
        const char* relativa;
        A esperado;
    } casos[] = {
        {"term1", "download\\_ticket.prn", A::Abierto}, {"term1", "Download/_svl.3", A::Falta},
        {"term1", "Download\\_svl.1", A::Rechazado},    {"term1", "Download\\_sal.0", A::Rechazado},
        {"term2", "Download\\passwd", A::Rechazado},    {"term1", "..\\term1\\Download\\_ticket.prn", A::Rechazado}};
    for (const auto& c : casos) {
        QFile f;
        EXPECT_EQ(SinEnlaces::AbrirLectura(f, Trabajo(c.base), c.relativa), c.esperado) << c.base << " " << c.relativa;
        EXPECT_EQ(f.isOpen() ? f.readAll() : QByteArray(), c.esperado == A::Abierto ? "TICKET" : "") << c.relativa;
    }
}
