#pragma once
// Isolated state for a test: its own settings file, application and working directories, the
// global state reset and the platform doubles installed (and, at the end, no modal-window handler).
// A fixture takes its set-up from here (the delivered database, an exchange or terminal directory,
// the session's globals) rather than repeating it.
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

// Linux only: Windows has no limit on the size of the files a process writes, so the disk-full cases
// built on it do not run there.
#ifndef Q_OS_WIN
// While it lives, a file this process writes takes its first `bytes` and refuses the rest, as a disk
// that fills up mid-write does.
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
    // gQueloPath = dirTrabajo and gTermDir = term, with its upload and download directories; returns
    // the exchange directory.
    QString Intercambio(const QString& term = "term42");
    // gQueloPath = dirTrabajo and gTermDir = a new terminal directory there; returns the exchange directory.
    QString Terminal();
    // The globals a user's choice of company, activity and terminal sets; a field left empty is not touched.
    struct Identidad {
        QString empresa, actividad, terminal, codigoEmpresa, codigoActividad, tipoActividad;
    };
    static void Sesion(const Identidad& i);
    // Makes the default working directory lead to dirTrabajo, for a start with no settings at all:
    // HOME is the test's directory; on Windows "C:\Estandar" is a junction to dirTrabajo, removed
    // after the test. False when this machine already has its own C:\Estandar, which is left alone.
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
// Puts a link at enlace pointing at destino, as someone with write access to a shared directory
// could: a symbolic link; on Windows a junction where destino is a directory (any user may make
// one) and a symbolic link otherwise (a dangling one included).
bool CrearEnlace(const QString& destino, const QString& enlace);
// Whether this system makes links that it then sees as links. Windows does; wine 8 makes neither
// junctions nor symbolic links, so there a test that needs one says so and is skipped.
bool EnlacesPosibles();
inline constexpr const char* kSinEnlaces = "this system makes neither junctions nor symbolic links (wine 8)";
inline constexpr const char* kSinPredeterminado =
    "C:\\Estandar is this machine's own, left alone, or no junction can stand there (wine 8)";
