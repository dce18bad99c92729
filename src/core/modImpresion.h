#pragma once
// Printing a text on the printer the user chooses.
#include <QString>
#include <QStringList>

// Asks for the printer and the number of copies and prints the text that many times; nothing when
// the user cancels, and a failing printer ends it silently. codigos: barcodes printed under the text.
void ImprimirTexto(const QString& texto, const QStringList& codigos = {});
