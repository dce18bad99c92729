// The platform layer: code page, fixed records, case-insensitive paths and settings.
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>

#include "core/modImpresion.h"
#include "core/modTarsa.h"
#include "exchange/clsArchivoIntercambios.h"
#include "journal/modTransaccionLocal.h"
#include "platform/Ajustes.h"
#include "platform/Ansi.h"
#include "platform/ArchivoRegistros.h"
#include "platform/BloqueoInstancia.h"
#include "platform/Privado.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"
#include "platform/ui/ImpresoraSistema.h"
#include "platform/ui/Modal.h"
#include "support/Entorno.h"

#ifdef Q_OS_WIN
#ifndef NOMINMAX  // MinGW's C++ library defines it already
#define NOMINMAX
#endif
#include <windows.h>
#endif

class PlataformaTest : public Entorno {};

TEST_F(PlataformaTest, AnsiRoundTripsSpanishLettersAndTheEuroSign) {
    const QString texto = QString::fromUtf8("ÁÉÍÓÚÑáéíóúñ€");
    const QByteArray bytes = Ansi::Codificar(texto);
    EXPECT_EQ(bytes, QByteArray::fromHex("c1c9cdd3dad1e1e9edf3faf180"));
    EXPECT_EQ(Ansi::Decodificar(bytes), texto);
}

// Record three lands at twice the length and the file keeps its tail; a record of the wrong length is
// refused; reading stops at a trailing partial record.
TEST_F(PlataformaTest, FixedRecordsLandInTheirPlaceAndOnlyWholeOnesCount) {
    const QString ruta = Ruta("r.dat");
    EscribirArchivo(ruta, QByteArray(40, 'x'));
    ArchivoRegistros f;
    f.Abrir(ruta, 5);
    f.Escribir(3, "ABCDE");
    EXPECT_THROW(f.Escribir(1, "ABC"), TarsaError);
    f.Cerrar();
    EXPECT_EQ(LeerArchivo(ruta), QByteArray(10, 'x') + "ABCDE" + QByteArray(25, 'x'));
    EscribirArchivo(ruta, "AAAA\r\nBBBB\r\nCC");
    f.AbrirLectura(ruta, 6);
    EXPECT_EQ(f.LeerTodos(), (QList<QByteArray>{"AAAA\r\n", "BBBB\r\n"}));
    EXPECT_FALSE(f.Leer(3).has_value());
    EXPECT_THROW(ArchivoRegistros().AbrirLectura(Ruta("falta.dat"), 6), TarsaError);
}

// Names resolve and a pattern deletes without regard to case; a missing name keeps its spelling.
TEST_F(PlataformaTest, PathsResolveAndMatchWithoutRegardToCase) {
    QDir(dirTrabajo).mkpath("term7/UpLoad");
    EscribirArchivo(dirTrabajo + "/term7/UpLoad/_SVL.0", "x");
    EXPECT_TRUE(Rutas::EsArchivo(dirTrabajo + "\\term7\\upload\\_svl.0"));
    EXPECT_EQ(Rutas::Resolver(dirTrabajo + "/term7/Download/_svl.1"), dirTrabajo + "/term7/Download/_svl.1");
    EXPECT_EQ(Rutas::Unir("C:\\Estandar\\", "term5"), "C:\\Estandar\\term5");
    EXPECT_EQ(Rutas::Unir("/srv/", "term5"), "/srv/term5");
    EXPECT_EQ(Rutas::Resolver(Rutas::Unir(dirTrabajo, "term5")),
              Rutas::Resolver(Rutas::Unir(dirTrabajo + "/", "term5")));
    for (const char* n : {"_SVL.1", "_svl.3", "otro.txt"}) EscribirArchivo(dirTrabajo + "/" + n, "x");
    EXPECT_EQ(Rutas::BorrarPatron(dirTrabajo, "_SVL.*"), 2);
    EXPECT_TRUE(QFile::exists(dirTrabajo + "/otro.txt"));
    EXPECT_EQ(Rutas::BorrarPatron(dirTrabajo, "*.*"), 1);
}

TEST_F(PlataformaTest, SettingsRoundTripTextsAndDelete) {
    Ajustes::Guardar("TarsaCliente", "Start", "QUELO_Path", "C:\\Estandar, Sucursal");
    Ajustes::Guardar("TarsaCliente", "LastPuleo", "1", "D:\\Otra");
    EXPECT_EQ(Ajustes::Obtener("TarsaCliente", "Start", "QUELO_Path"), "C:\\Estandar, Sucursal");
    Ajustes::Borrar("TarsaCliente", "LastPuleo");
    EXPECT_TRUE(Ajustes::Claves("TarsaCliente", "LastPuleo").isEmpty());
    EXPECT_EQ(Ajustes::Ubicacion("TarsaCliente"), Ruta("ajustes.ini"));
    // Saving unchanged values leaves the file alone (each write reaches the disk); one change rewrites it.
    const QDateTime antes(QDate(2020, 1, 1), QTime(0, 0));
    const auto fecha = [this] { return QFileInfo(Ruta("ajustes.ini")).lastModified(); };
    for (const QString& terminal : {"LIC1", "LIC1", "LIC2"}) {
        {
            QFile f(Ruta("ajustes.ini"));
            ASSERT_TRUE(f.open(QIODevice::Append) && f.setFileTime(antes, QFileDevice::FileModificationTime));
        }
        const bool igual = Ajustes::Obtener("TarsaCliente", "Start", "Terminal") == terminal;
        Ajustes::Guardar("TarsaCliente", "Start", {{"QUELO_Path", "C:\\Estandar, Sucursal"}, {"Terminal", terminal}});
        EXPECT_EQ(fecha() == antes, igual) << terminal.toStdString();
        EXPECT_EQ(Ajustes::Obtener("TarsaCliente", "Start", "Terminal"), terminal);
    }
}

#ifdef Q_OS_WIN
namespace {
const wchar_t* const kClavePrueba = L"Software\\VB and VBA Program Settings\\TarsaClientePrueba";

// A text value of the registry as Windows keeps it: only a plain string counts.
QString ValorRegistro(const wchar_t* seccion, const wchar_t* nombre) {
    wchar_t texto[256] = {};
    DWORD largo = sizeof texto;
    const std::wstring clave = std::wstring(kClavePrueba) + L"\\" + seccion;
    if (RegGetValueW(HKEY_CURRENT_USER, clave.c_str(), nombre, RRF_RT_REG_SZ, nullptr, texto, &largo) != ERROR_SUCCESS)
        return "(none)";
    return QString::fromWCharArray(texto);
}
}  // namespace

// Without TARSA_SETTINGS the settings are plain strings under the earlier program's key, read and written.
TEST_F(PlataformaTest, OnWindowsTheSettingsAreStringsInTheRegistryKeyOfEarlierInstallations) {
    qunsetenv("TARSA_SETTINGS");
    RegDeleteTreeW(HKEY_CURRENT_USER, kClavePrueba);
    HKEY k = nullptr;
    const std::wstring start = std::wstring(kClavePrueba) + L"\\Start";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, start.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    const wchar_t anterior[] = L"D:\\Estandar";
    RegSetValueExW(k, L"QUELO_Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(anterior), sizeof anterior);
    RegCloseKey(k);

    EXPECT_EQ(Ajustes::Obtener("TarsaClientePrueba", "Start", "QUELO_Path"), "D:\\Estandar");
    Ajustes::Guardar("TarsaClientePrueba", "Start", "VerTicket", "False");
    Ajustes::Guardar("TarsaClientePrueba", "LastPuleo", "1", "C:\\Estandar, Sucursal");
    EXPECT_EQ(ValorRegistro(L"Start", L"VerTicket"), "False");
    EXPECT_EQ(ValorRegistro(L"LastPuleo", L"1"), "C:\\Estandar, Sucursal");
    Ajustes::Borrar("TarsaClientePrueba", "LastPuleo");
    EXPECT_EQ(ValorRegistro(L"LastPuleo", L"1"), "(none)");
    EXPECT_EQ(ValorRegistro(L"Start", L"QUELO_Path"), "D:\\Estandar");
    RegDeleteTreeW(HKEY_CURRENT_USER, kClavePrueba);
}
#endif

// A lock file that names no owner (its run killed before writing it) is taken over; a living one never.
TEST_F(PlataformaTest, ALockFileThatNamesNoOwnerIsTakenOverAndALivingOneIsNot) {
    for (const QByteArray& contenido : {QByteArray(), QByteArray("\n\n"), QByteArray("x\ny\nz\n")}) {
        SCOPED_TRACE(contenido.toStdString());
        const QString archivo = Ruta("a.lck");
        EscribirArchivo(archivo, contenido);
        BloqueoInstancia bloqueo(archivo);
        EXPECT_TRUE(bloqueo.Tomar());
        BloqueoInstancia otro(archivo);
        EXPECT_FALSE(otro.Tomar());
        EXPECT_TRUE(otro.Ocupado());
        bloqueo.Soltar();
        EXPECT_FALSE(QFile::exists(archivo));
    }
}

#ifndef Q_OS_WIN
// A file replaced on a disk that fills up stays as it was.
TEST_F(PlataformaTest, AFileReplacedOnAFullDiskStaysAsItWas) {
    const QString archivo = Ruta("intercambio.txt");
    EscribirArchivo(archivo, "anterior");
    {
        const DiscoLleno lleno(4);
        EXPECT_FALSE(Privado::Guardar(archivo, "nuevo, y más largo"));
    }
    EXPECT_EQ(LeerArchivo(archivo), "anterior");
}
#endif

// What the client keeps (the database's backup, saved tickets, a ticket printed to PDF, the exchange
// archive) holds card numbers and prescriptions: its owner's only, files and folders, whatever the umask.
TEST_F(PlataformaTest, WhatTheClientKeepsForThePharmacyIsOwnerOnly) {
    AbrirBaseEntregada();
    const QString base = Rutas::Unir(dirAplicacion, kBaseDatos);
    Rutas::CopiarSeguro(base, base + ".bak");
    QString respuesta(340, ' ');
    respuesta.replace(5, 2, "01").replace(249, 12, "000000000700");
    GuardarTransaccionLocal(respuesta + "\r\n", "TICKET 700", "3", false);
    const QString d = Intercambio();
    EscribirArchivo(d + "/upload/_SVL.0", "V2500507LIC1    ");
    clsArchivoIntercambios archivo(clsArchivoIntercambios::RaizPorDefecto());
    const QString id = archivo.GuardarPedido(d, "01", QDateTime::currentDateTime());
    EscribirArchivo(d + "/Estado.rsp", "0\r\n");
    archivo.GuardarRespuesta(id, d, "procesada", "0", QDateTime::currentDateTime());
    qputenv("TARSA_PDF_DIR", (dirAplicacion + "/pdf").toUtf8());
    ImpresoraSistema().Imprimir("TICKET 700");
    qunsetenv("TARSA_PDF_DIR");

    const auto ajenos =
        QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QStringList abiertos, vistos;
    for (QDirIterator it(dirAplicacion, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QFileInfo fi = it.nextFileInfo();
        const QString nombre = QDir(dirAplicacion).relativeFilePath(fi.filePath());
        vistos << nombre;
        if (fi.permissions() & ajenos) abiertos << nombre;
    }
    for (const QString& esperado :
         {QString(kBaseDatos) + ".bak", QString("Tickets/700.prn"), QString("pdf"),
          QString("Intercambios/") + QDateTime::currentDateTime().toString("yyyy-MM") + "/indice.txt"})
        EXPECT_TRUE(vistos.contains(esperado)) << esperado.toStdString();
#ifndef Q_OS_WIN  // Windows grants access by the folders' access lists, left to the system
    EXPECT_EQ(abiertos, QStringList());
#endif
}

// Printing shows the ticket's pages first; cancelling there prints nothing, and each copy is a document
// of its own (PDF files: in the demo's folder, or in the file named when "Archivo PDF" is chosen).
TEST_F(PlataformaTest, ThePreviewComesBeforeEveryPrintAndCancellingItPrintsNothing) {
    const QString pdf = dirAplicacion + "/pdf";
    const struct {
        const char* boton;
        int copias;
        bool carpetaDemo;
        int archivos;
    } casos[] = {{"cmdCancelar", 3, true, 0}, {"cmdImprimir", 2, true, 2}, {"cmdImprimir", 1, false, 1}};
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.boton) + (c.carpetaDemo ? " demo" : ""));
        QDir(pdf).removeRecursively();
        QDir().mkpath(pdf);
        if (c.carpetaDemo) qputenv("TARSA_PDF_DIR", pdf.toUtf8());
        carpetas.archivos.enqueue(pdf + "/elegido.pdf");
        ImpresoraSistema sistema;
        Impresora::Establecer(&sistema);
        int paginas = 0;
        EstablecerManejadorModal([&](QDialog& d) {
            paginas = d.findChild<QPrintPreviewWidget*>("vistaPrevia")->pageCount();
            d.findChild<QComboBox*>("cboImpresora")->setCurrentText("Archivo PDF");
            d.findChild<QSpinBox*>("txtCopias")->setValue(c.copias);
            d.show();
            d.findChild<QPushButton*>(c.boton)->click();
            return d.result();
        });
        ImprimirTexto("TICKET 1001\r\nTOTAL 15.230,50\r\n", {"1001"});
        qunsetenv("TARSA_PDF_DIR");
        Impresora::Establecer(&impresora);
        EXPECT_EQ(paginas, 1);
        EXPECT_EQ(QDir(pdf).entryList(QDir::Files).size(), c.archivos);
    }
}
