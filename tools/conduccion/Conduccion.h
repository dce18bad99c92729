#pragma once
// Driving the real windows without a user: the screenshot program and the unattended walkthrough
// fill fields, press buttons and grab windows through these helpers, and start the terminal
// simulator that answers them. A step that cannot be done ends the program with status 1.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QObject;
class QProcess;
class QWidget;
class frmTarsa;

namespace Conduccion {

// Prints the reason, stops the simulator started by IniciarSimulador and exits with status 1.
[[noreturn]] void Fallar(const QString& texto);
// Lets the event loop run until the condition holds; 20 s without it is a failure.
void Esperar(const std::function<bool()>& condicion, const QString& que);
// Lets pending layout and paint events through before a window is grabbed.
void Asentar();
// The window, settled, saved as PNG into dir; returns the file's path. With dialogosEnPantalla set,
// a dialog is taken with the main window behind it, as a person sees it at that screen size.
inline bool dialogosEnPantalla = false;
QString Guardar(QWidget* w, const QString& dir, const QString& nombre);

void Escribir(QObject* ventana, const char* campo, const QString& texto);
// Leaving a field runs its rule (look-ups fill the name labels).
void Salir(QObject* ventana, const char* campo);
// The first entry of the list that starts with comienzo.
void Elegir(QObject* ventana, const char* lista, const QString& comienzo);
void Pulsar(QObject* ventana, const char* boton);

// tarsa-terminal-sim, which lies beside the running program, answering on the working directory
// with the demo's catalog files (beside TARSA_APPDIR); stopped by Fallar or DetenerSimulador. Its
// line per answered request goes to the file registro, or to the standard output when empty;
// opciones are more of its options.
void IniciarSimulador(QProcess& simulador, const QString& registro = {}, const QStringList& opciones = {});
void DetenerSimulador(QProcess& simulador);
// The wait window (frmProcesando) run until the terminal answers; a simulator that has stopped, or
// no answer within 20 s, is a failure rather than a wait that never ends.
int EsperarTerminal(QDialog& espera);

struct ItemConsumo {
    const char* troquel;
    const char* cantidad;
};

// A consumption typed into the ticket form the way a newcomer does it: card, reading, pharmacy,
// prescription, prescribing doctor, the items by troquel with their plan and coverage, the
// diagnoses by code.
struct DatosConsumo {
    QString tarjeta;
    QString receta;
    QString plan;
    QString porcentaje;
    QList<ItemConsumo> items;
    QStringList diagnosticos;
};

// The screenshots taken on the way, each skipped when its name is empty: the first item's dialog,
// the first diagnosis dialog, the main window with the filled form and the answer ticket.
struct CapturasConsumo {
    QString item;
    QString diagnostico;
    QString formulario;
    QString respuesta;
};

// Consumo on the main window, the form filled and accepted; returns once the form has closed.
void Consumo(frmTarsa& ventana, const DatosConsumo& datos, const QString& salida, const CapturasConsumo& capturas);

}  // namespace Conduccion
