#pragma once
// One position of an operation bitmap and the control it switches on the ticket form or the item
// dialog; the flags say how the last bitmap left it.
#include <QString>

struct clsControles {
    int Posicion = 0;  // index into the bitmap text, from 1
    QString Control;   // objectName of the control
    bool Mostrar = false;
    bool Habilitar = false;
};
