#pragma once
// What a window's layout must never do: cut a caption (a long name only with a tooltip showing it
// whole), put a control out of its frame or over another, or leave a band of nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QWidget>
#include <algorithm>

#include "ui/EtiquetaRecortada.h"

// The application's font, larger than the desktop's (screens set to large text) while it lives.
struct LetraGrande {
    QFont antes = QApplication::font();
    LetraGrande() {
        QFont grande = antes;
        grande.setPointSizeF(antes.pointSizeF() * 1.25);
        QApplication::setFont(grande);
    }
    ~LetraGrande() { QApplication::setFont(antes); }
};

// A long name, for the labels that show one.
inline const QString kNombreLargo = "FERNANDEZ DE LA TORRE Y ALVEAR, MARIA ALEJANDRA DEL CARMEN";

inline void ComprobarDisposicion(QWidget* ventana, int huecoMaximo = 30) {
    QApplication::processEvents();  // the layout has taken in what changed
    // Whole on the smallest screen the counters have.
    EXPECT_LE(ventana->window()->frameGeometry().width(), 1024) << ventana->objectName().toStdString();
    EXPECT_LE(ventana->window()->frameGeometry().height(), 768) << ventana->objectName().toStdString();
    const QString nombre = ventana->objectName();
    for (QLabel* rotulo : ventana->findChildren<QLabel*>()) {
        if (!rotulo->isVisibleTo(ventana) || rotulo->text().isEmpty()) continue;
        if (rotulo->wordWrap()) {  // as many lines as it takes at its width
            EXPECT_LE(rotulo->heightForWidth(rotulo->width()), rotulo->height())
                << nombre.toStdString() << ": text cut: " << rotulo->text().toStdString();
            continue;
        }
        if (auto* recortada = qobject_cast<EtiquetaRecortada*>(rotulo)) {
            // A name that does not fit ends in "…" and its tooltip shows it whole.
            if (recortada->TextoMostrado() == recortada->text()) continue;
            QHelpEvent ayuda(QEvent::ToolTip, QPoint(1, 1), recortada->mapToGlobal(QPoint(1, 1)));
            QApplication::sendEvent(recortada, &ayuda);
            EXPECT_EQ(QToolTip::text(), recortada->text()) << nombre.toStdString() << ": name cut without a tooltip";
            continue;
        }
        QString texto = rotulo->text();  // a caption's mnemonic "&" is not drawn
        if (rotulo->buddy()) texto.replace("&&", "\x01").remove('&').replace('\x01', '&');
        EXPECT_LE(rotulo->fontMetrics().horizontalAdvance(texto), rotulo->contentsRect().width())
            << nombre.toStdString() << ": caption cut: " << rotulo->text().toStdString();
    }
    QList<QWidget*> visibles;
    for (QWidget* w : ventana->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isWindow() && w->isVisibleTo(ventana)) visibles.append(w);
    for (QWidget* w : visibles) {
        // A field shorter or narrower than it takes in the window's font cuts what it shows.
        auto* boton = qobject_cast<QAbstractButton*>(w);
        const QSize necesario =
            boton ? QSize(boton->fontMetrics().horizontalAdvance(boton->text()) + 8, boton->minimumSizeHint().height())
                  : w->minimumSizeHint();
        if (!qobject_cast<QLabel*>(w) && necesario.isValid())
            EXPECT_TRUE(w->size().expandedTo(necesario) == w->size())
                << nombre.toStdString() << ": cut: " << w->objectName().toStdString();
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
    int cubierto = ventana->contentsRect().top();  // below a frame's title
    for (QWidget* w : visibles) {
        if (auto* l = qobject_cast<QLabel*>(w); l && l->text().isEmpty() && l->pixmap().isNull()) continue;
        EXPECT_LE(w->y() - cubierto, huecoMaximo)
            << nombre.toStdString() << ": empty band above " << w->objectName().toStdString();
        cubierto = std::max(cubierto, w->geometry().bottom());
    }
    EXPECT_LE(ventana->height() - cubierto, huecoMaximo) << nombre.toStdString() << ": empty band at the bottom";
}
