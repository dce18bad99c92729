#pragma once
// Isolated state for a test: its own settings file and directories, the globals reset, the platform
// doubles installed. Fixtures take their set-up from here rather than repeating it.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <functional>
#include <optional>
#include <ostream>

#include "platform/TarsaError.h"
#include "support/Dobles.h"

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os) { *os << v.toString().toStdString(); }

// Every module's globals back to their state before start-up.
void ReiniciarGlobales();

#ifndef Q_OS_WIN  // Windows has no limit on the size of the files a process writes
// While it lives, a file this process writes takes its first `bytes` and refuses the rest, as a full disk.
class DiscoLleno {
public:
    explicit DiscoLleno(quint64 bytes);
    ~DiscoLleno();

private:
    quint64 antes_;
};
#endif

class Entorno : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The delivered, empty database copied into the application directory and opened in gDB.
    void AbrirBaseEntregada();
    QString Ruta(const QString& relativa) const { return tmp.filePath(relativa); }
    // gQueloPath = dirTrabajo and gTermDir = term (or a new terminal directory); both return the
    // exchange directory, Intercambio with its upload and download directories.
    QString Intercambio(const QString& term = "term42");
    QString Terminal();
    // The globals a user's choice of company, activity and terminal sets; a field left empty is not touched.
    struct Identidad {
        QString empresa, actividad, terminal, codigoEmpresa, codigoActividad, tipoActividad;
    };
    static void Sesion(const Identidad& i);
    // Makes the default working directory lead to dirTrabajo (HOME is the test's directory; on Windows
    // C:\Estandar a junction to it). False when this machine has its own C:\Estandar, left alone.
    bool PredeterminadoEnTrabajo();

    QTemporaryDir tmp;
    QString dirAplicacion;  // also gDirectorioAplicacion
    QString dirTrabajo;     // the working directory, not yet in gQueloPath
    MensajesDoble mensajes;
    ImpresoraDoble impresora;
    SistemaDoble sistema;
    SelectorCarpetasDoble carpetas;

private:
    QByteArray ajustesAnteriores_, homeAnterior_;
    QString enlacePredeterminado_;
};

// An Entorno whose exchange directory (term42, with its upload and download directories) is d.
class ConIntercambio : public Entorno {
protected:
    void SetUp() override {
        Entorno::SetUp();
        d = Intercambio();
    }
    QString d;
};

// The TarsaError that accion raises; none when it raises nothing.
std::optional<TarsaError> ErrorDe(const std::function<void()>& accion);

// File helpers for tests.
QByteArray LeerArchivo(const QString& ruta);
void EscribirArchivo(const QString& ruta, const QByteArray& contenido);
// A link at enlace pointing at destino, as anyone with write access to a shared directory could make:
// symbolic; on Windows a junction to a directory (any user may make one).
bool CrearEnlace(const QString& destino, const QString& enlace);
// Whether this system makes links that it then sees as links (wine 8 does not).
bool EnlacesPosibles();
inline constexpr const char* kSinEnlaces = "this system makes neither junctions nor symbolic links (wine 8)";
inline constexpr const char* kSinPredeterminado =
    "C:\\Estandar is this machine's own, left alone, or no junction can stand there (wine 8)";
