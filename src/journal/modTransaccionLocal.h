#pragma once
// Journalling an answered transaction on this computer.
#include <QString>
#include <functional>

// Journals an answered transaction and keeps its ticket text in "Tickets" under the application
// directory; a failure is reported in a message.
void GuardarTransaccionLocal(const QString& registro, const QString& ticket, const QString& codigoEmpresa, bool cierre);
// Told the ticket number of every ticket journalled (the main window's status bar shows the last one).
inline std::function<void(qint64)> gAlGuardarTicket;

struct RespuestaTardia;
// A ticket the terminal approved after the user had cancelled the wait: journalled as any answered
// ticket, and the user told which one, so that it can be cancelled from the list instead of being
// sent again. A reprint or an answer without a ticket number is only kept in the exchange archive.
void RegistrarRespuestaTardia(const RespuestaTardia& respuesta);
