// The client as installed, closed through its main window as soon as that window is shown: the
// whole start, the window, and the exit with its backup. Exits with 3 when the main window never
// showed (the start stopped on a message).
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "app/Main.h"

namespace {

bool gMostrada = false;

class CerrarAlMostrar : public QObject {
public:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        auto* w = qobject_cast<QWidget*>(objeto);
        if (evento->type() == QEvent::Show && w && w->objectName() == QLatin1String("frmTarsa") && !gMostrada) {
            gMostrada = true;
            QTimer::singleShot(0, w, &QWidget::close);
        }
        return false;
    }
};

void Instalar() { qApp->installEventFilter(new CerrarAlMostrar); }

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(Instalar)

int main(int argc, char** argv) {
    const int codigo = Main(argc, argv);
    return gMostrada ? codigo : 3;
}
