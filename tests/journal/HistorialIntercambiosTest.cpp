// The exchange history: the list and its filters from the archive's indexes, an exchange's records
// field by field, a damaged archive shown with marks, the CSV export of what is shown.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "TestConfig.h"
#include "exchange/clsArchivoIntercambios.h"
#include "journal/frmDetalleIntercambio.h"
#include "journal/frmHistorialIntercambios.h"
#include "platform/ui/Modal.h"
#include "support/Entorno.h"

#ifndef Q_OS_WIN
#include <cerrno>
#endif

namespace {

class HistorialIntercambiosTest : public ConIntercambio {
protected:
    void SetUp() override {
        ConIntercambio::SetUp();
        const QDate dic(2026, 12, 6);
        const struct {
            QString tarjeta;
            QByteArray ticket;  // empty: no answer header
            QString resultado;
            QDateTime cuando;
        } casos[] = {
            {"6034930000011111", "000000001234", "procesada", QDateTime(dic.addDays(-7), QTime(9, 0))},
            {"6034930000022222", "000000005678", "error", QDateTime(dic, QTime(10, 15))},
            {"6034930000011111", "", "cancelada", QDateTime(dic, QTime(11, 30))},
        };
        clsArchivoIntercambios archivo(Raiz());
        EscribirArchivo(d + "/upload/_SVL.3", LeerArchivo(TARSA_TEST_DATA_DIR "/svl3_v250_farmacia.bin"));
        for (const auto& c : casos) {
            // The request's header with another card; its answer with the ticket number, 1.234,50 for the
            // affiliate to pay and code 0000.
            QByteArray pedido = LeerArchivo(TARSA_TEST_DATA_DIR "/svl1_v250_farmacia.bin");
            pedido.replace(7, 100, c.tarjeta.toLatin1().leftJustified(100, ' '));
            EscribirArchivo(d + "/upload/_SVL.0", "V2500507LIC1    ");
            EscribirArchivo(d + "/upload/_SVL.1", pedido);
            const QString id = archivo.GuardarPedido(d, "01", c.cuando);
            ids << id;
            if (c.ticket.isEmpty()) {
                archivo.Anotar(id, c.resultado, c.cuando.addSecs(5));
                continue;
            }
            EscribirArchivo(d + "/download/_svl.1",
                            pedido.replace(249, 12, c.ticket).replace(285, 15, "000001234500000"));
            EscribirArchivo(d + "/download/_ticket.prn", "TICKET " + c.ticket + "\r\n");
            EscribirArchivo(d + "/Estado.rsp", "0 OK\r\n");
            archivo.GuardarRespuesta(id, d, c.resultado, "0 OK", c.cuando.addSecs(2));
        }
    }
    QString Raiz() const { return dirAplicacion + "/Intercambios"; }
    clsHistorialIntercambios Leido() const {  // every month of the archive
        clsHistorialIntercambios h(Raiz());
        h.Cargar();
        h.CargarTodo();
        return h;
    }
    QString DirDe(const QString& id) const { return clsArchivoIntercambios(Raiz()).DirectorioDe(id); }

    QStringList ids;  // oldest first
};

QStringList Ids(const QList<clsItemIntercambio>& filas) {
    QStringList r;
    for (const auto& f : filas) r << f.Id;
    return r;
}

const ArchivoDesglosado* Archivo(const DetalleHistorial& d, const QString& grupo, const QString& nombre) {
    for (const ArchivoDesglosado& a : d.Archivos)
        if (a.Grupo == grupo && a.Nombre.compare(nombre, Qt::CaseInsensitive) == 0) return &a;
    return nullptr;
}

// A pointer into the file's own first record: value(0) would hand back a copy that dies here.
const CampoLeido* CampoDe(const ArchivoDesglosado& a, const QString& nombre) {
    if (a.Registros.isEmpty()) return nullptr;
    for (const CampoLeido& c : a.Registros.constFirst().Campos)
        if (c.Campo.Nombre == nombre) return &c;
    return nullptr;
}

}  // namespace

TEST_F(HistorialIntercambiosTest, ListsCompanyCardAndTicketNewestFirstAndFilters) {
    clsHistorialIntercambios h(Raiz());
    h.Cargar();
    const auto recientes = h.Items(h.CargarMes());  // December first
    ASSERT_EQ(Ids(recientes), QStringList({ids[2], ids[1]}));
    EXPECT_TRUE(h.Pendiente());
    h.CargarTodo();
    const auto todos = h.Filtrar({});
    ASSERT_EQ(Ids(todos), QStringList({ids[2], ids[1], ids[0]}));
    EXPECT_EQ(QStringList({todos[2].Empresa, todos[2].Tarjeta, todos[2].Ticket, todos[2].Resultado}),
              QStringList({"05", "6034930000011111", "1234", "procesada"}));
    EXPECT_EQ(todos[0].Ticket, "");
    EXPECT_EQ(h.Resultados(), QStringList({"cancelada", "error", "procesada"}));

    const QDate dic(2026, 12, 6);
    const struct {
        FiltroHistorial filtro;
        QList<int> esperados;  // indexes into ids, newest first
    } casos[] = {
        {{dic, dic, {}, {}, {}}, {2, 1}},    {{{}, dic.addDays(-1), {}, {}, {}}, {0}},
        {{{}, {}, "11111", {}, {}}, {2, 0}}, {{{}, {}, {}, "5678", {}}, {1}},
        {{{}, {}, {}, "00005678", {}}, {1}}, {{{}, {}, {}, "567", {}}, {}},
        {{{}, {}, {}, {}, "error"}, {1}},    {{dic, dic, "11111", {}, "cancelada"}, {2}},
    };
    for (const auto& c : casos) {
        QStringList esperados;
        for (int i : c.esperados) esperados << ids[i];
        EXPECT_EQ(Ids(h.Filtrar(c.filtro)), esperados)
            << c.filtro.Tarjeta.toStdString() << c.filtro.Ticket.toStdString();
    }
}

// An index line written before the card was kept still lists; the filters read accented cards and
// results as text.
TEST_F(HistorialIntercambiosTest, OldAndAccentedIndexLinesListAndFilter) {
    QFile indice(Raiz() + "/2026-12/indice.txt");
    ASSERT_TRUE(indice.open(QIODevice::Append));
    indice.write("20261206-120000000-term7\t2026-12-06T12:00:00.000\t\t01\tprocesada\t10\t0 OK\n");
    indice.write("20261206-130000000-term7\t2026-12-06T13:00:00.000\t\t01\ttardía\t10\t0 OK\t05\tTarjeta-Ñandú-77\t\n");
    indice.close();
    const clsHistorialIntercambios h = Leido();
    const auto filas = h.Filtrar({});
    ASSERT_EQ(filas.size(), 5);
    EXPECT_EQ(QStringList({filas[1].Id, filas[1].Resultado, filas[1].Tarjeta}),
              QStringList({"20261206-120000000-term7", "procesada", ""}));
    const struct {
        FiltroHistorial filtro;
        int filas;
    } casos[] = {
        {{{}, {}, QString::fromUtf8("ñANDú"), {}, {}}, 1},
        {{{}, {}, "TARJETA-", {}, {}}, 1},
        {{{}, {}, {}, {}, QString::fromUtf8("tardía")}, 1},
        {{{}, {}, {}, {}, "tardia"}, 0},
        {{{}, {}, "-77", {}, "procesada"}, 0},
    };
    for (const auto& c : casos)
        EXPECT_EQ(h.Filtrar(c.filtro).size(), c.filas)
            << c.filtro.Tarjeta.toStdString() << c.filtro.Resultado.toStdString();
    EXPECT_TRUE(h.Resultados().contains(QString::fromUtf8("tardía")));
}

TEST_F(HistorialIntercambiosTest, ShowsEveryRecordFieldByField) {
    const clsHistorialIntercambios h = Leido();
    const DetalleHistorial d = h.Abrir(h.Todos().last());
    EXPECT_TRUE(d.Marca.isEmpty());
    EXPECT_EQ(d.Ticket, "TICKET 000000001234\r\n");

    const struct {
        QString grupo, archivo, campo;
        int offset;
        QByteArray bytes;
        QString valor;
    } casos[] = {
        {"enviado", "_SVL.0", "Licencia", 8, "LIC1    ", "LIC1"},
        {"enviado", "_SVL.1", "CodigoOperacion", 5, "01", "1"},
        {"enviado", "_SVL.1", "Receta", 133, (QByteArray("N\xba") + "778123").leftJustified(20),
         QString::fromUtf8("Nº778123")},
        {"enviado", "_SVL.1", "FechaReceta", 153, "20261205", "05/12/2026"},
        {"recibido", "_svl.1", "Ticket", 249, "000000001234", "000000001234"},
        {"recibido", "_svl.1", "CodigoError", 296, "0000", "0"},
        {"recibido", "_svl.1", "Fin de línea", 370, "\r\n", "CR LF"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE((c.archivo + " " + c.campo).toStdString());
        const ArchivoDesglosado* a = Archivo(d, c.grupo, c.archivo);
        ASSERT_NE(a, nullptr);
        const CampoLeido* campo = CampoDe(*a, c.campo);
        ASSERT_NE(campo, nullptr);
        EXPECT_EQ(std::tuple(a->Marca, campo->Campo.Offset, campo->Bytes, campo->Valor, campo->Marca),
                  std::tuple(QString(), c.offset, c.bytes, c.valor, QString()));
    }
    EXPECT_EQ(Archivo(d, "enviado", "_SVL.1")->Disposicion, "V250 farmacia");
    EXPECT_EQ(Archivo(d, "recibido", "_ticket.prn")->Registros.size(), 0);  // a text, shown as it is
}

// A closure and a catalog update carry no ticket header: the list names them (the closure's number as
// the ticket, no company for "99"), and their parameters and answer are broken down like the others.
TEST_F(HistorialIntercambiosTest, NamesClosuresAndCatalogUpdatesAndBreaksDownTheirRecords) {
    const struct {
        QByteArray svl0, parametros;
        QString operacion, empresa, numero, disposicion;
    } casos[] = {
        {"V2500507LIC1    ", LeerArchivo(TARSA_TEST_DATA_DIR "/sal0_cierre_v250_op2.bin"), "Cierre", "05", "4567",
         QString::fromUtf8("parámetros de cierre V250")},
        {"V2509992LIC1    ", LeerArchivo(TARSA_TEST_DATA_DIR "/sal0_nomencladores_v250.bin"), "Nomencladores", "", "",
         QString::fromUtf8("parámetros de nomencladores V250")},
    };
    clsArchivoIntercambios archivo(Raiz());
    QDateTime cuando(QDate(2026, 12, 7), QTime(8, 0));
    for (const auto& c : casos) {
        SCOPED_TRACE(c.operacion.toStdString());
        const QString d = Intercambio(c.operacion);  // with none of another exchange's files
        EscribirArchivo(d + "/upload/_SVL.0", c.svl0);
        EscribirArchivo(d + "/upload/_SAL.0", c.parametros);
        cuando = cuando.addSecs(60);
        const QString id = archivo.GuardarPedido(d, "", cuando);  // no header: no operation code
        ASSERT_FALSE(id.isEmpty());
        // The closure's answer carries its number; the catalog update's echoes the request.
        QByteArray respuesta = c.parametros;
        if (!c.numero.isEmpty()) respuesta.replace(2, 9, "000004567");
        EscribirArchivo(d + "/download/_sal.0", respuesta);
        EscribirArchivo(d + "/Estado.rsp", "0 OK\r\n");
        archivo.GuardarRespuesta(id, d, "procesada", "0 OK", cuando.addSecs(2));

        const clsHistorialIntercambios h = Leido();
        const clsItemIntercambio fila = h.Todos().first();
        ModeloHistorial modelo;  // as the window's list shows the row
        modelo.Establecer(&h, {0}, {{"99", "Terminal"}});
        QStringList columnas;
        for (const int col : {ModeloHistorial::ColOperacion, ModeloHistorial::ColEmpresa, ModeloHistorial::ColTicket})
            columnas << modelo.data(modelo.index(0, col)).toString();
        EXPECT_EQ(columnas, QStringList({c.operacion, c.empresa, c.numero}));
        const DetalleHistorial detalle = h.Abrir(fila);
        for (const QString& grupo : {"enviado", "recibido"}) {
            const ArchivoDesglosado* a = Archivo(detalle, grupo, "_SAL.0");
            ASSERT_NE(a, nullptr) << grupo.toStdString();
            EXPECT_EQ(std::tuple(a->Disposicion, a->Registros.size(), a->Marca),
                      std::tuple(c.disposicion, 1, QString()));
            EXPECT_NE(CampoDe(*a, "CodigoError"), nullptr);
        }
        if (!c.numero.isEmpty())
            EXPECT_EQ(CampoDe(*Archivo(detalle, "recibido", "_SAL.0"), "NumeroCierre")->Valor, "4567");
    }
}

TEST_F(HistorialIntercambiosTest, MarksWhatIsMissingOrCutAndNeverFails) {
    const QString dir = DirDe(ids[0]);
    ASSERT_TRUE(QFile::remove(dir + "/enviado/_SVL.0"));
    ASSERT_TRUE(QFile::remove(dir + "/recibido/Estado.rsp"));
    QFile respuesta(dir + "/recibido/_svl.1");
    ASSERT_TRUE(respuesta.resize(298));  // cut inside the answered code
    ASSERT_TRUE(QDir(DirDe(ids[1])).removeRecursively());

    const clsHistorialIntercambios h = Leido();
    ASSERT_EQ(h.Todos().size(), 3);  // the index still lists them
    const DetalleHistorial d = h.Abrir(h.Todos()[2]);
    for (const auto& [grupo, nombre] : {std::pair<QString, QString>{"enviado", "_SVL.0"}, {"recibido", "Estado.rsp"}}) {
        const ArchivoDesglosado* falta = Archivo(d, grupo, nombre);
        ASSERT_NE(falta, nullptr) << nombre.toStdString();
        EXPECT_EQ(falta->Marca, "falta el archivo");
    }
    const ArchivoDesglosado* cortado = Archivo(d, "recibido", "_svl.1");
    ASSERT_NE(cortado, nullptr);
    ASSERT_EQ(cortado->Registros.size(), 1);
    EXPECT_EQ(cortado->Registros[0].Marca, "incompleto: 298 de 372 bytes");
    EXPECT_EQ(CampoDe(*cortado, "CodigoError")->Marca, "cortado: 2 de 4 bytes");
    EXPECT_EQ(CampoDe(*cortado, "TextoError")->Marca, "falta: el registro termina antes");
    EXPECT_EQ(CampoDe(*cortado, "Ticket")->Valor, "000000001234");  // what is there is still shown

    const DetalleHistorial perdido = h.Abrir(h.Todos()[1]);
    EXPECT_TRUE(perdido.Marca.contains("No se encuentra el intercambio")) << perdido.Marca.toStdString();
    EXPECT_TRUE(perdido.Archivos.isEmpty());

    // The window shows the marks in its tree.
    frmDetalleIntercambio ventana;
    ventana.Cargar(d);
    auto* arbol = ventana.findChild<QTreeWidget*>("tvwRegistros");
    const auto marcados =
        arbol->findItems("falta el archivo", Qt::MatchExactly | Qt::MatchRecursive, frmDetalleIntercambio::ColMarca);
    EXPECT_EQ(marcados.size(), 2);
}

TEST_F(HistorialIntercambiosTest, TheWindowFiltersOpensAndExportsWhatItShows) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    frmHistorialIntercambios ventana(Raiz(), {{"05", "OSDE" + QString(26, ' ')}});
    const ModeloHistorial& modelo = ventana.Modelo();
    ASSERT_EQ(modelo.rowCount(), 3);
    EXPECT_EQ(modelo.data(modelo.index(2, ModeloHistorial::ColEmpresa)).toString(), "OSDE");
    EXPECT_EQ(modelo.data(modelo.index(2, ModeloHistorial::ColFecha)).toString(), "29/11/2026 09:00:00");
    ventana.findChild<QLineEdit*>("txtTarjeta")->setText("11111");
    ASSERT_EQ(modelo.rowCount(), 2);
    auto* resultado = ventana.findChild<QComboBox*>("cboResultado");
    resultado->setCurrentIndex(resultado->findText("procesada"));
    ASSERT_EQ(modelo.rowCount(), 1);

    QString ticket;
    EstablecerManejadorModal([&ticket](QDialog& d) {
        ticket = d.findChild<QPlainTextEdit*>("txtTicket")->toPlainText();
        return int(QDialog::Rejected);
    });
    ventana.AbrirSeleccionado();
    EXPECT_EQ(ticket, "TICKET 000000001234\n");

    // A disk that fills up as the export ends leaves the file already there as it was, and says why.
    const QString csv = Ruta("sel.csv");
#ifndef Q_OS_WIN
    EscribirArchivo(csv, "anterior");
    {
        const DiscoLleno lleno(100);
        carpetas.archivos.enqueue(csv);
        ventana.findChild<QPushButton*>("cmdExportar")->click();
    }
    EXPECT_EQ(LeerArchivo(csv), "anterior");
    EXPECT_EQ(mensajes.Unico().texto, "No se pudo escribir " + csv + ": " + qt_error_string(EFBIG));
    mensajes.mostrados.clear();
#endif
    // A name typed without an extension; the items sent come to 2 x 1.520,50 + 899,00.
    carpetas.archivos.enqueue(Ruta("sel"));
    ventana.findChild<QPushButton*>("cmdExportar")->click();
    EXPECT_EQ(
        LeerArchivo(csv),
        "\xEF\xBB\xBF" + QString::fromUtf8("Fecha y hora;Operación;Empresa;Tarjeta;Nº ticket;Importe;A abonar;"
                                           "Resultado;Estado\r\n"
                                           "29/11/2026 09:00:00;Alta de ticket;OSDE;\"=\"\"6034930000011111\"\"\";"
                                           "1234;3940,00;1234,50;procesada;0 OK\r\n")
                             .toUtf8());
    EXPECT_EQ(mensajes.Unico().texto, "Se exportaron 1 intercambios a " + csv);
}

// Texts the terminal or the card put in the export that a spreadsheet would take for a formula go out
// with a leading apostrophe; separators and quotes are written as they always are.
TEST_F(HistorialIntercambiosTest, AFieldThatLooksLikeAFormulaIsWrittenAsText) {
    const struct {
        QString valor;
        QString escrito;
    } casos[] = {
        {"=HYPERLINK(\"http://x\";\"ver\")", "\"'=HYPERLINK(\"\"http://x\"\";\"\"ver\"\")\""},
        {"+54 11", "'+54 11"},
        {"-5", "'-5"},
        {"@SUMA(A1)", "'@SUMA(A1)"},
        {"6034=1", "6034=1"},
        {"0 OK", "0 OK"},
        {"00123", "\"=\"\"00123\"\"\""},  // a number's leading zeros are kept
    };
    for (const auto& c : casos) {
        clsItemIntercambio i;
        i.Enviado = QDateTime(QDate(2026, 11, 29), QTime(9, 0));
        i.Operacion = i.Empresa = i.Tarjeta = i.Ticket = i.Resultado = i.Estado = c.valor;
        const QString linea = QString::fromUtf8(clsHistorialIntercambios::Csv({i}, {})).split("\r\n").value(1);
        QStringList escritos(6, c.escrito);
        escritos.insert(4, QStringList(2, QString()).join(';'));  // no amounts
        EXPECT_EQ(linea, "29/11/2026 09:00:00;" + escritos.join(';')) << c.valor.toStdString();
    }
}
