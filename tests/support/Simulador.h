#pragma once
// tarsa-terminal-sim as the terminal of a test, and the modal windows of a request: the wait window
// runs for real until a deadline, which fails the test and cancels the wait.
#include <QDialog>
#include <QProcess>
#include <QStringList>
#include <functional>

class Simulador {
public:
    ~Simulador() { Detener(); }
    // extra: more arguments, as its command line takes them.
    void Iniciar(const QString& directorio, const QString& escenario, const QStringList& extra = {});
    void Detener();

private:
    QProcess proceso_;
};

// The wait window runs until the terminal answers; alEsperar runs as it opens (the request is then
// complete). The other windows are recorded in vistas (by objectName), handed to alMostrar and answered.
struct Modales {
    QStringList vistas;
    std::function<void(QDialog&)> alMostrar;
    std::function<void()> alEsperar;
    int respuesta = QDialog::Accepted;
    int plazoMs = 20000;
    // The object must outlive the windows it answers.
    void Instalar();
};

// Every next modal window runs for real; alMostrarse runs once it is up (the terminal's side, say).
void EsperarDeVerdad(std::function<void()> alMostrarse = {}, int plazoMs = 20000);
// The wait window is cancelled by its button as soon as cuando() holds (checked every few ms).
void CancelarCuando(std::function<bool()> cuando, int plazoMs = 20000);
