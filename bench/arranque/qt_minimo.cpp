// The smallest Qt Widgets program: a main window shown, then closed at the first turn of the event
// loop. What the client's start to exit is compared with.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow ventana;
    ventana.show();
    QTimer::singleShot(0, &ventana, &QWidget::close);
    return QApplication::exec();
}
