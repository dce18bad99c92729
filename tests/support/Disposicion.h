#pragma once
// What a window's layout must never do, whatever fields it shows: cut a caption (a name that may be
// long is cut only with its tooltip showing it whole), put a control out
// of its frame or over another, or leave a band of nothing where hidden rows were.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

#include "ui/EtiquetaRecortada.h"

inline void ComprobarDisposicion(QWidget* ventana, int huecoMaximo = 30) {
    const QString nombre = ventana->objectName();
    for (QLabel* rotulo : ventana->findChildren<QLabel*>()) {
        if (!rotulo->isVisibleTo(ventana) || rotulo->text().isEmpty() || rotulo->wordWrap()) continue;
        if (auto* recortada = qobject_cast<EtiquetaRecortada*>(rotulo)) {
            // A name that does not fit ends in "…" and its tooltip shows it whole.
            if (recortada->TextoMostrado() == recortada->text()) continue;
            QHelpEvent ayuda(QEvent::ToolTip, QPoint(1, 1), recortada->mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(recortada, &ayuda);
            EXPECT_EQ(QToolTip::text(), recortada->text()) << nombre.toStdString() << ": name cut without a tooltip";
            continue;
        }
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
