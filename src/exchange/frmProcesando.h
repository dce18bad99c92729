#pragma once
// The wait for the terminal's answer, and the request cycle every operation runs through.
#include <QDialog>
#include <QFileSystemWatcher>
#include <QPixmap>
#include <QTimer>
#include <array>
#include <functional>

#include "core/modTarsa.h"
#include "exchange/Solicitud.h"
#include "exchange/clsLecturaEstado.h"

class QLabel;
class QPushButton;

// Modal wait (caption "Proceso") until D\Estado.rsp holds a complete first line or the user cancels.
// It ends as soon as the exchange directory reports the status file, or the file reports a write once it
// is there, and polls every 500 ms as well (a network share may not report changes). A status file that
// is empty or still being written keeps the wait going; with the watch on it is also looked at again
// every few milliseconds until complete (a line without a line end only settles with time).
class frmProcesando : public QDialog {
    Q_OBJECT
public:
    explicit frmProcesando(QWidget* parent = nullptr);

    // Shows the window modally; true when the status file appeared, false when cancelled.
    bool Cargar();
    void Descargar();
    // Esc and "Cancelar": the user is asked first (No is the default), as the terminal may still
    // approve the request.
    void reject() override;

    // Off, only the poll ends the wait (to measure what the watch gains).
    static inline bool VigilarDirectorio = true;
    // The poll's period; tests lengthen it to show that the watch alone ends the wait.
    static inline int IntervaloSondeoMs = 500;
    // How often a status file that is present but not yet complete is looked at again (watch on); its
    // writes are reported sooner.
    static inline int IntervaloRevisionMs = 10;

private:
    void Tick();
    void Comprobar();
    bool VigilarArchivo();
    void Cancelar();

    QLabel* imgAnimacion_;
    QPushButton* cmdCancelar_;
    QTimer TimerTarsa;
    QTimer revision_;  // a status file being written, looked at again
    clsLecturaEstado lectura_;
    QFileSystemWatcher vigilante_;
    std::array<QPixmap, 4> cuadros_;
    QString estado_;  // D\Estado.rsp
    int cuadro_ = 0;
    bool resultado_ = false;
};

// The request cycle of this run (gCicloSolicitud) with this window as its wait, once the operation's
// own records are in D\UpLoad: the request record (version gVersion, the given activity, company and
// licence; D the run's exchange directory) and the notification, the wait, the status; an error
// status is shown (information message "Proceso"). A failure writing the request raises TarsaError.
// Told with nullptr when EnviarSolicitud starts waiting for the terminal, and with the request when the
// wait has ended (answered, cancelled, empty or error status).
inline std::function<void(const Solicitud*)> gAlCambiarEstadoTerminal;

Solicitud EnviarSolicitud(const QString& actividad = gActividad, const QString& empresa = gEmpresa,
                          const QString& licencia = gTerminal);
