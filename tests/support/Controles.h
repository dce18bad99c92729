#pragma once
// Controls of a window found by objectName and used the way a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

template <class T>
T* Hijo(const QObject* padre, const QString& nombre) {
    T* hijo = padre->findChild<T*>(nombre);
    EXPECT_NE(hijo, nullptr) << "missing control " << nombre.toStdString();
    return hijo;
}

// Leaves a field for the next one, as the Tab key does.
inline void Salir(QWidget* campo) {
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(campo, &e);
}

inline void Escribir(const QObject* padre, const QString& nombre, const QString& texto, bool salir = false) {
    auto* campo = Hijo<QLineEdit>(padre, nombre);
    campo->clear();
    QTest::keyClicks(campo, texto);
    if (salir) Salir(campo);
}

// Chooses the first entry that starts with comienzo.
inline void Elegir(const QObject* padre, const QString& nombre, const QString& comienzo) {
    auto* lista = Hijo<QComboBox>(padre, nombre);
    for (int i = 0; i < lista->count(); ++i)
        if (lista->itemText(i).startsWith(comienzo)) {
            lista->setCurrentIndex(i);
            return;
        }
    ADD_FAILURE() << "no entry " << comienzo.toStdString() << " in " << nombre.toStdString();
}

inline void Pulsar(const QObject* padre, const QString& nombre) { Hijo<QPushButton>(padre, nombre)->click(); }

// Shows a window and makes it the active one, as on a screen: its keys go to the control with the focus.
inline void Activar(QWidget& ventana) {
    ventana.show();
    ventana.activateWindow();
    // A dialog counts as active while its parent is; the keys only reach it once it really is.
    QApplication::setActiveWindow(&ventana);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &ventana; }, 2000))
        << ventana.objectName().toStdString();
}

// Keys as a keyboard sends them, to whichever control has the focus; gTeclas counts them (a character
// typed is one key) so that a road test can tell how many keys a task takes.
inline int gTeclas = 0;
inline QWidget* ConFoco() {
    // An open menu takes the keys before any control.
    if (QWidget* menu = QApplication::activePopupWidget()) return menu;
    QWidget* w = QApplication::focusWidget();
    EXPECT_NE(w, nullptr) << "no control has the focus";
    return w;
}
inline void Teclear(const QString& texto) {
    gTeclas += static_cast<int>(texto.size());
    QTest::keyClicks(ConFoco(), texto);
}
inline void Tecla(Qt::Key tecla, Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
    ++gTeclas;
    QTest::keyClick(ConFoco(), tecla, modificadores);
}
// A barcode read by a scanner: its digits and its Enter, one action of the person.
inline void Escanear(const QString& codigo) {
    ++gTeclas;
    QTest::keyClicks(ConFoco(), codigo);
    QTest::keyClick(ConFoco(), Qt::Key_Return);
}
inline QString NombreConFoco() {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}
// Presses Tab until the named control has the focus; false when it is not reached in a round.
inline bool TabHasta(const QString& nombre, int veces = 40) {
    for (int i = 0; i < veces && NombreConFoco() != nombre; ++i) Tecla(Qt::Key_Tab);
    return NombreConFoco() == nombre;
}

// The texts the named controls show, joined by "|": a field's or a label's text, a list's chosen entry.
inline QString Textos(const QObject* padre, const QString& nombres) {
    QStringList textos;
    for (const QString& nombre : nombres.split(' ')) {
        const QWidget* w = Hijo<QWidget>(padre, nombre);
        if (const auto* campo = qobject_cast<const QLineEdit*>(w))
            textos << campo->text();
        else if (const auto* lista = qobject_cast<const QComboBox*>(w))
            textos << lista->currentText();
        else if (w)
            textos << w->property("text").toString();  // a label
    }
    return textos.join('|');
}
