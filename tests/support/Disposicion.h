#pragma once
// What a window's layout must never do, whatever fields it shows: cut a caption, put a control out
// of its frame or over another, or leave a band of nothing where hidden rows were.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>
#include <algorithm>

inline void ComprobarDisposicion(QWidget* ventana, int huecoMaximo = 30) {
    const QString nombre = ventana->objectName();
    for (QLabel* rotulo : ventana->findChildren<QLabel*>()) {
        if (!rotulo->isVisibleTo(ventana) || rotulo->text().isEmpty() || rotulo->wordWrap()) continue;
        EXPECT_LE(rotulo->fontMetrics().horizontalAdvance(rotulo->text()), rotulo->contentsRect().width())
            << nombre.toStdString() << ": caption cut: " << rotulo->text().toStdString();
    }
    QList<QWidget*> visibles;
    for (QWidget* w : ventana->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isWindow() && w->isVisibleTo(ventana)) visibles.append(w);
    for (QWidget* w : visibles) {
        EXPECT_TRUE(ventana->rect().contains(w->geometry()))
            << nombre.toStdString() << ": outside: " << w->objectName().toStdString();
        for (QWidget* otro : visibles)
            if (otro != w && !qobject_cast<QLabel*>(w) && !qobject_cast<QLabel*>(otro))
                EXPECT_FALSE(w->geometry().intersects(otro->geometry()))
                    << nombre.toStdString() << ": " << w->objectName().toStdString() << " over "
                    << otro->objectName().toStdString();
    }
    // Vertical bands with nothing in them.
    std::sort(visibles.begin(), visibles.end(), [](QWidget* a, QWidget* b) { return a->y() < b->y(); });
    int cubierto = 0;
    for (QWidget* w : visibles) {
        EXPECT_LE(w->y() - cubierto, huecoMaximo)
            << nombre.toStdString() << ": empty band above " << w->objectName().toStdString();
        cubierto = std::max(cubierto, w->geometry().bottom());
    }
    EXPECT_LE(ventana->height() - cubierto, huecoMaximo) << nombre.toStdString() << ": empty band at the bottom";
}
