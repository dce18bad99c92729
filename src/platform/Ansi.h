#pragma once
// Windows-1252, the code page of every file exchanged with the terminal.
#include <QByteArray>
#include <QString>

namespace Ansi {
// One byte per character of the composed text; "?" for a character the code page lacks.
QByteArray Codificar(const QString& texto);
QString Decodificar(const QByteArray& bytes);
// False when the Qt build lacks the code page; checked once at start-up.
bool Disponible();
}  // namespace Ansi
