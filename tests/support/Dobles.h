#pragma once
// Test doubles of the platform facades: they record what the program did and answer from a script.
#include <QList>
#include <QPair>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <ostream>

#include "platform/Impresora.h"
#include "platform/Mensajes.h"
#include "platform/SelectorCarpetas.h"
#include "platform/Sistema.h"

struct MensajeMostrado {
    QString texto;
    int estilo = 0;
    QString titulo;
    QString detalles;  // shown apart (MostrarConDetalles)
    bool operator==(const MensajeMostrado&) const = default;
};
inline void PrintTo(const MensajeMostrado& m, std::ostream* os) {
    *os << '[' << m.titulo.toStdString() << ", " << m.estilo << "] " << m.texto.toStdString();
}

// Records every message; answers come from a queue, and a message that finds it empty fails the
// test at once (unless it only has an OK button, which needs no answer).
class MensajesDoble : public Mensajes {
public:
    int Mostrar(const QString& texto, int estilo, const QString& titulo) override;
    int MostrarConDetalles(const QString& texto, const QString& detalles, int estilo, const QString& titulo) override;
    void Responder(int respuesta) { respuestas.enqueue(respuesta); }
    // The only message shown; fails the test (and gives an empty one) unless exactly one was.
    MensajeMostrado Unico() const;
    QStringList Textos() const;  // of the messages shown, in order
    QList<MensajeMostrado> mostrados;
    QQueue<int> respuestas;
};

class ImpresoraDoble : public Impresora {
public:
    bool Dialogo(const QString&, const QStringList&, int& copias) override {
        ++dialogos;
        copias = copiasElegidas;
        return !cancelar;
    }
    void Imprimir(const QString& texto, const QStringList& codigos = {}) override;
    bool cancelar = false;  // the user cancels the dialog
    int copiasElegidas = 1;
    bool fallar = false;  // the printer fails
    int dialogos = 0;
    QStringList impresos;
    QList<QStringList> codigos;  // the barcodes of each printed text
};

class SistemaDoble : public Sistema {
public:
    bool Abrir(const QString& documento) override {
        abiertos.append(documento);
        return true;
    }
    bool IniciarPrograma(const QString& programa, const QStringList& argumentos) override {
        programas.append({programa, argumentos});
        return true;
    }
    QString LeerRegistro(const QString&, const QString&) override { return {}; }
    void TerminarProceso(int codigo) override { terminaciones.append(codigo); }
    void Pitido() override { ++pitidos; }
    QStringList abiertos;
    QList<QPair<QString, QStringList>> programas;
    QList<int> terminaciones;
    int pitidos = 0;
};

// The folder chooser is always cancelled; the save-as chooser answers from a queue (an empty queue
// is a cancelled chooser).
class SelectorCarpetasDoble : public SelectorCarpetas {
public:
    QString BrowseFolders(QObject*, const QString&, const QString&) override { return {}; }
    QString GuardarComo(QObject*, const QString&, const QString&) override {
        return archivos.isEmpty() ? QString() : archivos.dequeue();
    }
    QQueue<QString> archivos;
};
