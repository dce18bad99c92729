#pragma once
// Journalling an answered transaction on this computer.
#include <QString>

// Journals an answered transaction and keeps its ticket text in "Tickets" under the application
// directory; a failure is reported in a message.
void GuardarTransaccionLocal(const QString& registro, const QString& ticket, const QString& codigoEmpresa, bool cierre);
