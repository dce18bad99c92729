// The exchange archive: what it keeps and lists, the way cleared before a request, and its retention.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/modTarsa.h"
#include "exchange/clsArchivoIntercambios.h"
#include "exchange/frmProcesando.h"
#include "journal/clsHistorialIntercambios.h"
#include "support/Entorno.h"
#include "support/Simulador.h"

class ArchivoIntercambiosTest : public ConIntercambio {
protected:
    QString Raiz() const { return dirAplicacion + "/Intercambios"; }
    const QDateTime t0{QDate(2026, 12, 6), QTime(17, 30, 5, 120)};
};

TEST_F(ArchivoIntercambiosTest, KeepsTheExactBytesAndListsFromTheIndexes) {
    const QByteArray cabecera("FF00001\xd1\r\n");  // a non-ASCII byte stays as it was
    EscribirArchivo(d + "/upload/_SVL.1", cabecera);
    EscribirArchivo(d + "/upload/_SVL.0", "V2500507LIC1    ");
    clsArchivoIntercambios a(Raiz());
    const QString id = a.GuardarPedido(d, "01", t0);
    ASSERT_EQ(id, "20261206-173005120-term42");
    EscribirArchivo(d + "/download/_svl.1", "respuesta\r\n");
    EscribirArchivo(d + "/Estado.rsp", "0 Aprobada\r\n");
    a.GuardarRespuesta(id, d, "procesada", "0 Aprobada", t0.addSecs(2));
    const QString otro = a.GuardarPedido(d, "02", t0.addSecs(60));
    // A crash tore the index's last line.
    const QString indice = Raiz() + "/2026-12/indice.txt";
    EscribirArchivo(indice, LeerArchivo(indice) + "20261206-180000000-term42\t2026-12-06T18:00");

    // The event after the cut starts a line of its own: it is not lost with the cut piece.
    a.Anotar(otro, "cancelada", t0.addSecs(70));
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

// A link in place of a directory the archive reads, writes or clears is never followed: what it points
// at (say the application directory) is neither copied into the archive, nor moved, nor deleted.
TEST_F(ArchivoIntercambiosTest, NothingIsMovedCopiedOrDeletedThroughALink) {
    const QString ajeno = dirTrabajo + "/ajeno";
    const QStringList suyos{"TarsaCliente.lck", "TarsaCliente.mdb", "TarsaCliente.mdb.bak"};
    const struct {
        const char* caso;
        QString destino, enlace;
    } casos[] = {{"download", ajeno, d + "/download"},
                 {"upload", ajeno, d + "/upload"},
                 {"the exchange directory", ajeno, dirTrabajo + "/term43"},
                 {"the month", ajeno, Raiz() + "/2026-12"},
                 {"the index", ajeno + "/TarsaCliente.mdb", Raiz() + "/2026-12/indice.txt"},
                 {"a temporary", ajeno, Raiz() + "/2026-12/20261206-180000000-term42.tmp"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(Raiz()).removeRecursively();
        QDir(ajeno).removeRecursively();
        QDir().mkpath(ajeno + "/sub.tmp");
        for (const QString& n : suyos) EscribirArchivo(ajeno + "/" + n, n.toUtf8());
        QDir(c.enlace).removeRecursively();
        QDir().mkpath(QFileInfo(c.enlace).path());
        ASSERT_TRUE(QFile::link(c.destino, c.enlace));
        clsArchivoIntercambios a(Raiz());
        for (const QString& dir : {d, dirTrabajo + "/term43"}) {
            const QString id = a.GuardarPedido(dir, "01", t0);
            a.GuardarRespuesta(id, dir, "procesada", "0", t0.addSecs(1));
            a.Despejar(id, dir, t0.addSecs(2));
            a.Despejar({}, dir, t0.addSecs(3));
        }
        a.AplicarRetencion(1825, 1 << 30, t0.date());
        EXPECT_EQ(QDir(ajeno).entryList(QDir::Files), suyos);
        for (const QString& n : suyos) EXPECT_EQ(LeerArchivo(ajeno + "/" + n), n.toUtf8()) << n.toStdString();
        EXPECT_TRUE(QDir(ajeno + "/sub.tmp").exists());
        for (const auto& i : a.Listar())
            if (const auto leido = a.Leer(i.Id))
                for (const auto* grupo : {&leido->Enviados, &leido->Recibidos, &leido->Posteriores})
                    for (const QString& n : suyos) EXPECT_FALSE(grupo->contains(n)) << n.toStdString();
        for (const QString& enlace : {d + "/download", d + "/upload", dirTrabajo + "/term43"}) QFile::remove(enlace);
        Intercambio();  // its upload and download directories again
    }
}

// An archive that cannot be written still clears the exchange directory: an old answer is never taken anew.
TEST_F(ArchivoIntercambiosTest, AnArchiveThatCannotBeWrittenStillClearsTheWayAndSaysSoOnce) {
    EscribirArchivo(Raiz(), "no es un directorio");
    clsArchivoIntercambios a(Raiz());
    mensajes.Responder(Mensajes::vbOK);
    for (int i = 0; i < 3; ++i) {
        EscribirArchivo(d + "/download/_SVL.3", "items rechazados del ticket anterior\r\n");
        EscribirArchivo(d + "/Estado.rsp", "0 Aprobada\r\n");
        const QString id = a.GuardarPedido(d, "01", t0.addSecs(i));
        EXPECT_TRUE(id.isEmpty());
        a.Despejar(id, d, t0.addSecs(i));
        EXPECT_FALSE(QFile::exists(d + "/Estado.rsp"));
        EXPECT_FALSE(QFile::exists(d + "/download/_SVL.3"));
        EXPECT_FALSE(a.UltimoError().isEmpty());
    }
    const auto m = mensajes.Unico();
    EXPECT_EQ(m.titulo, "Archivo de intercambios");
    EXPECT_TRUE(m.texto.contains(QDir::toNativeSeparators(Raiz()))) << m.texto.toStdString();
    EXPECT_TRUE(m.texto.contains("Los pedidos a la terminal siguen")) << m.texto.toStdString();
}

// A file far larger than any answer (300 MB in the download directory) is archived only up to what
// its reader accepts, and the description says so; a request then neither copies nor reads it whole.
TEST_F(ArchivoIntercambiosTest, ArchivesEachFileOnlyUpToWhatItsReaderAccepts) {
    clsArchivoIntercambios a(Raiz());
    const QString id = a.GuardarPedido(d, "01", t0);
    EscribirArchivo(d + "/download/_ticket.prn", {});
    ASSERT_TRUE(QFile::resize(d + "/download/_ticket.prn", 300LL * 1024 * 1024));  // sparse: no disk is used
    EscribirArchivo(d + "/download/otro.bin", QByteArray(100 * 1024, 'x'));
    a.Despejar(id, d, t0.addSecs(5));
    const auto leido = a.Leer(id);
    ASSERT_TRUE(leido);
    EXPECT_EQ(leido->Posteriores.value("_ticket.prn").size(), clsArchivoIntercambios::LimiteArchivado("_ticket.prn"));
    EXPECT_EQ(leido->Posteriores.value("otro.bin").size(), clsArchivoIntercambios::LimiteArchivado("otro.bin"));
    EXPECT_TRUE(leido->Descripcion.contains(
        QString("cortado: posterior/_ticket.prn, se guardaron %1 de 314572800 bytes").arg(256 * 1024)))
        << leido->Descripcion.toStdString();
    EXPECT_LT(a.Listar().first().Bytes, 1024 * 1024);
    const DetalleHistorial detalle = clsHistorialIntercambios(Raiz()).Abrir(a.Listar().first());
    QStringList marcas;
    for (const ArchivoDesglosado& archivo : detalle.Archivos) marcas << archivo.Nombre + ": " + archivo.Marca;
    EXPECT_TRUE(marcas.contains("_ticket.prn: archivado en parte: se guardaron 262144 de 314572800 bytes"))
        << marcas.join(" | ").toStdString();
    EXPECT_FALSE(QFile::exists(d + "/download/_ticket.prn"));
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

// No request waits for the retention pass, which grows with the archive: a start-up removes what a
// crash left in the newest months at once, and the months past their time in a thread of its own.
TEST_F(ArchivoIntercambiosTest, RetentionRunsAtStartUpAndNeverOnARequest) {
    const QString mes = QDate::currentDate().toString("yyyy-MM");
    const QString resto = Raiz() + "/" + mes + "/20000101-000000000-term9.tmp";
    QDir().mkpath(resto + "/enviado");
    QDir().mkpath(Raiz() + "/2001-01");
    CancelarCuando([] { return true; });
    EXPECT_EQ(EnviarSolicitud(gActividad, gEmpresa, "00001234").Resultado, ResultadoSolicitud::Cancelada);
    EXPECT_TRUE(QDir(resto).exists());
    EXPECT_TRUE(QDir(Raiz() + "/2001-01").exists());

    clsArchivoIntercambios::RetencionDeAjustes();
    EXPECT_FALSE(QDir(resto).exists());
    clsArchivoIntercambios::EsperarRetencion();
    EXPECT_FALSE(QDir(Raiz() + "/2001-01").exists());
    EXPECT_EQ(clsArchivoIntercambios(Raiz()).Meses(), QStringList{mes});
}
