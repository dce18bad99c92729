#pragma once
// The terminal's answer files, read from inside the run's exchange directory D. Each is read only
// as far as it can legitimately go: anyone can write into the shared working directory, and a huge
// or linked file must neither exhaust the client nor show, print or save what it points at.
#include <QStringList>
#include <optional>

namespace ArchivoRespuesta {

constexpr qint64 kLimiteEstado = 1024;             // the status line
constexpr qint64 kLimiteCabecera = 64 * 1024;      // _svl.1 as text
constexpr qint64 kLimiteTicket = 256 * 1024;       // _ticket.prn
constexpr qint64 kLimiteCierre = 4 * 1024 * 1024;  // _sal.0
constexpr qint64 kMaximoRegistros = 1000;          // answered header and item records

// The lines of D/relativa, or nothing when it is missing. A file that is not a plain file inside D
// (a link, a directory) is refused with a message and reads as missing; of a file larger than the
// limit only the beginning is read and the user is told.
std::optional<QStringList> Lineas(const QString& d, const QString& relativa, qint64 limite);

// The first line of D/relativa without its end; empty when missing or refused. A line longer than
// the limit is cut there and ends in "…".
QString PrimeraLinea(const QString& d, const QString& relativa, qint64 limite);

// The messages, titled "Proceso", that tell the user an answer file was refused or cut.
void InformarRechazo(const QString& relativa);
void InformarCorte(const QString& relativa, const QString& leido, const QString& total);

}  // namespace ArchivoRespuesta
