#pragma once
// Isolated state for a test: its own settings file, application and working directories, the
// global state reset and the platform doubles installed (and, at the end, no modal-window handler).
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

    QTemporaryDir tmp;
    QString dirAplicacion;  // also gDirectorioAplicacion
    QString dirTrabajo;     // the working directory, not yet in gQueloPath
    MensajesDoble mensajes;
    ImpresoraDoble impresora;
    SistemaDoble sistema;
    SelectorCarpetasDoble carpetas;

private:
    QByteArray ajustesAnteriores_;
};

// File helpers for tests.
QByteArray LeerArchivo(const QString& ruta);
void EscribirArchivo(const QString& ruta, const QByteArray& contenido);
