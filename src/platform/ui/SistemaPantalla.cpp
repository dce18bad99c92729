#include "platform/ui/SistemaPantalla.h"

#include <QApplication>

void SistemaPantalla::Pitido() { QApplication::beep(); }
