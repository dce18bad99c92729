#pragma once
// Start-up without windows or catalogs: the settings into the run's state, the exchange directory
// and the database.
#include <QString>
#include <exception>
#include <functional>

// The steps of start-up that need no window and no catalog: the settings, the exchange directory and
// the database; the marker of the step that failed is reported and start-up goes on. Returns true
// when the database is open; marcador is left at the last step run.
bool IniciarNucleo(const QString& lineaComandos, QString& marcador);
// Protocol version chosen by the command line.
QString VersionDeLineaComandos(const QString& lineaComandos);
// Runs one start-up step under its marker; a failure is reported and start-up goes on.
void PasoInicio(QString& marcador, const QString& nuevo, const std::function<void()>& paso);
// Reports a start-up failure: "Main" message with the source, the marker and the description.
void InformarErrorInicio(const std::exception& e, const QString& marcador);

// The application directory for an executable in dirEjecutable: TARSA_APPDIR when set, the
// executable's directory when writable, else the user's data directory; the delivered database is
// copied there when it has none.
QString ResolverDirectorioAplicacion(const QString& dirEjecutable);

// The core back to its state before start-up (tests): the database closed, the exchange directory's
// mark let go, the globals reset.
void ReiniciarNucleo();
