#pragma once
// Isolated state for a test: its own settings file, application and working directories, the
// global state reset and the platform doubles installed (and, at the end, no modal-window handler).
//
// Set-up a fixture should take from here rather than repeat:
//   AbrirBaseEntregada()   the delivered database in gDB;
//   Intercambio()          an exchange directory with a fixed name (term42), for tests that look at paths;
//   Terminal()             the working directory and a terminal directory made as start-up makes it
//                          (random name, owner's mark), for tests that talk to a terminal;
//   Sesion({...})          the company, activity and terminal globals a user's choice sets, by name:
//                          Sesion({.empresa = "4", .terminal = "LIC1", .tipoActividad = "1"}).
//   mensajes.Unico()       the only message shown, whole (text, style, title), to compare at once.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <ostream>

#include "support/Dobles.h"

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os) { *os << v.toString().toStdString(); }

// Every module's globals back to their state before start-up.
void ReiniciarGlobales();

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
