#pragma once
// Controls of a window found by objectName and used the way a user does: typing, leaving with Tab,
// choosing a list entry, clicking.
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
