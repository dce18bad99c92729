#include "platform/ui/RecordarVentanas.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "platform/Ajustes.h"

namespace {

bool EsVentanaDelPrograma(const QObject* objeto) {
    const auto* w = qobject_cast<const QWidget*>(objeto);
    return w && w->isWindow() && !(w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip) &&
           w->objectName().startsWith(QLatin1String("frm"));
}

// The screen holding the point, else the window's own, else the primary one.
QScreen* PantallaDe(const QPoint& punto, const QWidget& ventana) {
    if (QScreen* s = QGuiApplication::screenAt(punto)) return s;
    if (QScreen* s = ventana.screen()) return s;
    return QGuiApplication::primaryScreen();
}

// The width a title bar needs for the whole caption: its text in a bold font, the icon and the
// buttons at the right.
int AnchoParaTitulo(const QWidget& ventana) {
    QFont negrita = ventana.font();
    negrita.setBold(true);
    return QFontMetrics(negrita).horizontalAdvance(ventana.windowTitle()) + 140;
}

// The frame around a window's inside (title bar, borders): its own once shown, else that of another
// window of the program on screen, which the same window manager decorates alike.
QMargins Marco(const QWidget& ventana) {
    auto marco = [](const QWidget& w) {
        const QRect f = w.frameGeometry(), g = w.geometry();
        return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    };
    QMargins propio = marco(ventana);
    if (!propio.isNull()) return propio;
    for (const QWidget* otra : QApplication::topLevelWidgets())
        if (otra != &ventana && otra->isVisible() && !marco(*otra).isNull()) return marco(*otra);
    return {};
}

}  // namespace

RecordarVentanas::RecordarVentanas(QString aplicacion, QObject* parent)
    : QObject(parent), aplicacion_(std::move(aplicacion)) {}

QRect RecordarVentanas::Ajustar(QRect ventana, const QRect& area) {
    if (!area.isValid()) return ventana;
    ventana.setWidth(qMin(ventana.width(), area.width()));
    ventana.setHeight(qMin(ventana.height(), area.height()));
    ventana.moveLeft(qBound(area.left(), ventana.left(), area.right() - ventana.width() + 1));
    ventana.moveTop(qBound(area.top(), ventana.top(), area.bottom() - ventana.height() + 1));
    return ventana;
}

void RecordarVentanas::Restaurar(QWidget& ventana) const {
    // Stored as "x,y,width,height" and ",max" when it was maximised.
    const QStringList partes =
        Ajustes::Obtener(aplicacion_, kSeccion, ventana.objectName()).split(',', Qt::SkipEmptyParts);
    QRect guardada;
    if (partes.size() >= 4)
        guardada = QRect(partes[0].toInt(), partes[1].toInt(), partes[2].toInt(), partes[3].toInt());
    const bool recordada = guardada.width() > 0 && guardada.height() > 0;
    const QRect propia = recordada ? guardada : ventana.geometry();
    const QScreen* pantalla = PantallaDe(propia.center(), ventana);
    if (!pantalla) return;
    // The window's inside must leave room for its frame and title bar within the screen.
    const QRect area = pantalla->availableGeometry().marginsRemoved(Marco(ventana));
    if (recordada) {
        ventana.setGeometry(Ajustar(guardada, area));
        if (partes.size() > 4 && partes[4] == QLatin1String("max")) ventana.setWindowState(Qt::WindowMaximized);
    } else {
        // Never stored: a small dialog widens to show its whole title (the window manager would cut
        // "Selección de Prestador" to "Selec…stador"); a window larger than the screen is shrunk and
        // centred on it.
        const int anchoTitulo = AnchoParaTitulo(ventana);
        if (ventana.width() < anchoTitulo && anchoTitulo <= area.width() && ventana.maximumWidth() >= anchoTitulo)
            ventana.setGeometry(Ajustar(
                QRect(ventana.x() - (anchoTitulo - ventana.width()) / 2, ventana.y(), anchoTitulo, ventana.height()),
                area));
        if (propia.width() > area.width() || propia.height() > area.height()) {
            QRect ajustada = Ajustar(propia, area);
            ajustada.moveCenter(area.center());
            ventana.setGeometry(Ajustar(ajustada, area));
        }
    }
    // The window manager may learn the frame only once the window is up: looked at again then.
    QTimer::singleShot(0, &ventana, [v = QPointer<QWidget>(&ventana)] {
        if (!v || v->isMaximized() || !v->screen()) return;
        const QRect area = v->screen()->availableGeometry();
        if (!area.contains(v->frameGeometry())) v->setGeometry(Ajustar(v->geometry(), area.marginsRemoved(Marco(*v))));
    });
}

void RecordarVentanas::Guardar(const QWidget& ventana) const {
    const QRect g = ventana.isMaximized() || ventana.isMinimized() ? ventana.normalGeometry() : ventana.geometry();
    if (g.width() <= 0 || g.height() <= 0) return;
    QString texto = QStringLiteral("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
    if (ventana.isMaximized()) texto += QStringLiteral(",max");
    Ajustes::Guardar(aplicacion_, kSeccion, ventana.objectName(), texto);
}

bool RecordarVentanas::eventFilter(QObject* objeto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    // Closing saves too: the main window's close ends the process before the window is hidden.
    const bool guardar = tipo == QEvent::Hide || tipo == QEvent::Close;
    if ((tipo == QEvent::Show || guardar) && !evento->spontaneous() && EsVentanaDelPrograma(objeto)) {
        auto* ventana = static_cast<QWidget*>(objeto);
        // A failing settings store must not stop a window from showing or closing.
        try {
            if (guardar)
                Guardar(*ventana);
            else
                Restaurar(*ventana);
        } catch (...) {
        }
    }
    return QObject::eventFilter(objeto, evento);
}
