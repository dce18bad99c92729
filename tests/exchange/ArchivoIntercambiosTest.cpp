// The exchange archive: exact bytes kept, the list from the monthly indexes, a crash's leftovers
// ignored and removed, the way cleared before a request, retention by age and size.
#include <QDir>
#include <QFile>

#include "exchange/clsArchivoIntercambios.h"
#include "support/Entorno.h"

namespace {

class ArchivoIntercambiosTest : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        d = Intercambio();
    }
    QString Raiz() const { return dirAplicacion + "/Intercambios"; }
    QString d;
    const QDateTime t0{QDate(2026, 12, 6), QTime(17, 30, 5, 120)};
};

}  // namespace

TEST_F(ArchivoIntercambiosTest, KeepsTheExactBytesAndListsFromTheIndexes) {
    const QByteArray cabecera(
        "FF00001\xd1"
        "\r\n",
        10);  // a non-ASCII byte stays as it was
    EscribirArchivo(d + "/upload/_SVL.1", cabecera);
    EscribirArchivo(d + "/upload/_SVL.0", "V2500507LIC1    ");
    clsArchivoIntercambios a(Raiz());
    const QString id = a.GuardarPedido(d, "01", t0);
    ASSERT_EQ(id, "20261206-173005120-term42");
    EscribirArchivo(d + "/download/_svl.1", "respuesta\r\n");
    EscribirArchivo(d + "/Estado.rsp", "0 Aprobada\r\n");
    a.GuardarRespuesta(id, d, "procesada", "0 Aprobada", t0.addSecs(2));
    const QString otro = a.GuardarPedido(d, "02", t0.addSecs(60));
    a.Anotar(otro, "cancelada", t0.addSecs(70));
    // A crash: half an exchange under its temporary name, and a torn index line.
    QDir().mkpath(Raiz() + "/2026-12/20261206-180000000-term42.tmp/enviado");
    QFile indice(Raiz() + "/2026-12/indice.txt");
    ASSERT_TRUE(indice.open(QIODevice::Append));
    indice.write("20261206-180000000-term42\t2026-12-06T18:00");
    indice.close();

    const auto lista = a.Listar();
    ASSERT_EQ(lista.size(), 2);
    EXPECT_EQ(QStringList({lista[0].Id, lista[0].Operacion, lista[0].Resultado, lista[0].Estado}),
              QStringList({id, "01", "procesada", "0 Aprobada"}));
    EXPECT_EQ(lista[0].Respondido, t0.addSecs(2));
    EXPECT_EQ(QStringList({lista[1].Operacion, lista[1].Resultado}), QStringList({"02", "cancelada"}));
    EXPECT_FALSE(lista[1].Respondido.isValid());
    const auto detalle = a.Leer(id);
    ASSERT_TRUE(detalle);
    using Archivos = QMap<QString, QByteArray>;
    EXPECT_EQ(detalle->Enviados, (Archivos{{"_SVL.0", "V2500507LIC1    "}, {"_SVL.1", cabecera}}));
    EXPECT_EQ(detalle->Recibidos, (Archivos{{"_svl.1", "respuesta\r\n"}, {"Estado.rsp", "0 Aprobada\r\n"}}));
    EXPECT_TRUE(detalle->Descripcion.contains("resultado: procesada"));
    EXPECT_GT(lista[0].Bytes, 0);
    EXPECT_FALSE(a.Leer("20261206-180000000-term42"));

    a.AplicarRetencion(clsArchivoIntercambios::kDiasPorDefecto, 1 << 30, t0.date());
    EXPECT_FALSE(QDir(Raiz() + "/2026-12/20261206-180000000-term42.tmp").exists()) << "a crash's leftover stays";
    EXPECT_EQ(a.Listar().size(), 2);
}

// Before a request the answer files of the last one leave the exchange directory: those already
// archived as they are go, any other is moved into the archive; a link is never followed or moved.
TEST_F(ArchivoIntercambiosTest, ClearingTheWayMovesWhatWasNotArchived) {
    clsArchivoIntercambios a(Raiz());
    const QString id = a.GuardarPedido(d, "01", t0);
    EscribirArchivo(d + "/download/_svl.1", "leida\r\n");
    EscribirArchivo(d + "/Estado.rsp", "0\r\n");
    a.GuardarRespuesta(id, d, "procesada", "0", t0);
    EscribirArchivo(d + "/download/_SVL.3", "escrita despues\r\n");
    EscribirArchivo(dirTrabajo + "/ajeno", "no se toca");
    // A link in the way is left where it is, never followed (where this system makes links).
    const bool enlace = EnlacesPosibles();
    if (enlace) ASSERT_TRUE(CrearEnlace(dirTrabajo + "/ajeno", d + "/download/_ticket.prn"));
    for (const QString& anterior : {id, QString()}) {
        SCOPED_TRACE(anterior.toStdString());
        a.Despejar(anterior, d, t0.addSecs(5));
        EXPECT_EQ(QDir(d + "/download").entryList(QDir::Files | QDir::System),
                  enlace ? QStringList{"_ticket.prn"} : QStringList{});
        EXPECT_FALSE(QFile::exists(d + "/Estado.rsp"));
        EXPECT_EQ(LeerArchivo(dirTrabajo + "/ajeno"), "no se toca");
        EscribirArchivo(d + "/download/_SVL.3", "escrita despues\r\n");
    }
    EXPECT_EQ(a.Leer(id)->Posteriores.value("_SVL.3"), "escrita despues\r\n");
    const auto lista = a.Listar();
    ASSERT_EQ(lista.size(), 2);
    EXPECT_EQ(lista[1].Resultado, "restos");
    EXPECT_EQ(a.Leer(lista[1].Id)->Posteriores.keys(), QStringList{"_SVL.3"});
}

TEST_F(ArchivoIntercambiosTest, RetentionRemovesWholeMonthsByAgeThenBySize) {
    const QDate hoy(2026, 12, 6);
    const struct {
        int dias;
        qint64 maxBytes;
        QStringList quedan;
    } casos[] = {
        {400, 1 << 30, {"2025-12", "2026-10", "2026-12"}},  // 2025-10 ended more than 400 days ago
        {4000, 1 << 30, {"2025-10", "2025-12", "2026-10", "2026-12"}},
        {4000, 250, {"2026-10", "2026-12"}},  // the oldest go until the rest fits
        {4000, 1, {"2026-12"}},               // never the current month
    };
    for (const auto& c : casos) {
        QDir(Raiz()).removeRecursively();
        clsArchivoIntercambios a(Raiz());
        for (const QDate& mes : {QDate(2025, 10, 3), QDate(2025, 12, 3), QDate(2026, 10, 3), QDate(2026, 12, 3)}) {
            EscribirArchivo(d + "/upload/_SVL.1", QByteArray(100, 'x'));
            a.GuardarPedido(d, "01", QDateTime(mes, QTime(9, 0)));
        }
        a.AplicarRetencion(c.dias, c.maxBytes, hoy);
        EXPECT_EQ(QDir(Raiz()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), c.quedan) << c.dias << " " << c.maxBytes;
        EXPECT_EQ(a.Listar().size(), c.quedan.size());
    }
}
