#pragma once
// The main window's status bar: the working directory, what the terminal is doing (waiting, or how
// and when it last answered), the last ticket journalled and the program's and protocol's versions.
// Passing messages (a catalog being applied) show on its left, beside these fields.
#include <QDateTime>
#include <QStatusBar>

class QLabel;
struct Solicitud;

class BarraEstado : public QStatusBar {
    Q_OBJECT
public:
    explicit BarraEstado(QWidget* parent = nullptr);
    ~BarraEstado() override;

    // The working directory, the versions and the last ticket of the journal, read again.
    void Actualizar();
    // nullptr: a request is waiting for the terminal; else how its wait ended, at `cuando`.
    void EstadoTerminal(const Solicitud* solicitud, const QDateTime& cuando = QDateTime::currentDateTime());
    void UltimoTicket(qint64 ticket);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QLabel* Campo(const char* nombre, int estiramiento);

    QLabel* lblDirectorio_;
    QLabel* lblTerminal_;
    QLabel* lblTicket_;
    QLabel* lblVersion_;
};
