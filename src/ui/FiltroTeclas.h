#pragma once
// Keeps typed keys in shape while the user types: each text field or list is given a field kind
// (FiltrarTecla) and the keys that kind refuses never reach it.
#include <QObject>

class QWidget;

class FiltroTeclas : public QObject {
    Q_OBJECT
public:
    // Filters the character keys typed into campo by the field kind; kind 0 drops every key (lists
    // the user only picks from).
    static void Instalar(QWidget* campo, int tipo);
    static constexpr int kBloquearTodo = 0;
    // What of a text (pasted, dropped) a field of that kind keeps.
    static QString Filtrar(const QString& texto, int tipo);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    FiltroTeclas(QObject* padre, int tipo) : QObject(padre), tipo_(tipo) {}
    int tipo_;
};
