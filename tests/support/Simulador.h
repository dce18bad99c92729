#pragma once
// tarsa-terminal-sim as the terminal of a test, and the modal windows of a request: the wait window
// runs for real with a deadline (failing the test and cancelling it when the deadline passes).
#include <QDialog>
#include <QProcess>
#include <QStringList>
#include <functional>

class Simulador {
public:
    ~Simulador() { Detener(); }
    // Starts the simulator on a working directory; extra arguments as its command line takes them.
    void Iniciar(const QString& directorio, const QString& escenario, const QStringList& extra = {});
    void Detener();

private:
    QProcess proceso_;
};

// The modal windows of a test: the wait window runs until the terminal answers (failing the test after
// plazoMs); the others are recorded in vistas (by objectName), handed to alMostrar and answered with
// respuesta. alEsperar runs when the wait window opens, before the wait (the request is complete then).
struct Modales {
    QStringList vistas;
    std::function<void(QDialog&)> alMostrar;
    std::function<void()> alEsperar;
    int respuesta = QDialog::Accepted;
    int plazoMs = 20000;
    // Installs the handler; the object must outlive the windows it answers.
    void Instalar();
};

// Every next modal window runs for real; alMostrarse runs once the window is up (the terminal's side,
// say). Deadline as above.
void EsperarDeVerdad(std::function<void()> alMostrarse = {}, int plazoMs = 20000);
// The wait window is cancelled by its button as soon as cuando() holds (checked every few ms).
void CancelarCuando(std::function<bool()> cuando, int plazoMs = 20000);
