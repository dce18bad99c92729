#pragma once
// This run's exchange directory under the shared working directory.
#include <QString>

// Removes the exchange directories that crashed runs left behind, then creates and marks this run's.
QString CrearDirectorioTerminal();
// Removes the exchange directories of the working directory that no living run owns; how many. One
// that lists requests awaiting an answer (kArchivoPendientes) is left for the request cycle to look at.
int BorrarDirectoriosAbandonados();
// Empties and removes an exchange directory without following links (a link found inside or in
// its place is removed itself); failures are ignored (left-over files stay). One that lists requests
// awaiting an answer is kept (its mark let go): the next start looks there for their approvals.
void BorrarDirectorioIntercambio(const QString& d);
// The file of an exchange directory that lists the requests still awaiting an answer.
inline constexpr const char* kArchivoPendientes = "tarsa.pendientes";
// Lets go of this run's mark of its exchange directory without removing the directory.
void SoltarMarcaIntercambio();
// D: gQueloPath joined with gTermDir; throws TarsaError when the run has no exchange directory.
QString DirectorioIntercambio();
