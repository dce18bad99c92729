#pragma once
// Every window of the program (a top-level window named "frm...": the main window and each dialog)
// opens where the user left it: its position and size go to the settings store (section "Ventanas",
// key the window's name) when it hides, and come back, fitted into the screen it lands on, when it
// shows again, in this run or the next. A window never stored keeps its own size, shrunk to fit the
// screen. Installed once on the application, so no window needs to do anything.
#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

class RecordarVentanas : public QObject {
public:
    // aplicacion: the settings store's application name.
    explicit RecordarVentanas(QString aplicacion, QObject* parent = nullptr);

    // What the filter does on showing and on hiding a window; also callable directly.
    void Restaurar(QWidget& ventana) const;
    void Guardar(const QWidget& ventana) const;

    // A rectangle moved, and shrunk where it is larger, to lie wholly inside the area.
    static QRect Ajustar(QRect ventana, const QRect& area);

    static inline const QString kSeccion = QStringLiteral("Ventanas");

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    QString aplicacion_;
};
