#pragma once
// The terminal's configuration (_Quelo.prm, _Quelo.emp): where it is, whether it changed, and its
// import into companies, activities, providers and their links.
#include <QString>

#include "platform/TarsaError.h"

// The working directory as seen from this run's exchange directory: the part of its path before
// "TERM", without a trailing separator; the default working directory when there is none.
QString DirectorioConfiguracion();
// True when the configuration file of the kind ("PRM" or "EMP") is newer, by whole days, than the
// date of its last import; fecha receives the file's date "dd/mm/yyyy".
bool HayConfiguracionNueva(const QString& tipo, QString& fecha);
// Rebuilds companies, activities, providers and their links from _Quelo.emp; with preguntar the
// user confirms first and is told when it is done.
void ImportarConfiguracion(bool preguntar);
// gColEmpresas from the database and gColEmpresasQuelo from _Quelo.emp, each afresh.
void CargarColEmpresas();
// Rebuilds the provider-to-activity links from the terminal's company configuration, then gColLicAct.
void AsignarLicenciaActividad();
// The activity type ("1", "2", "3") of an activity network code.
QString TipoActividadQuelo(int codigoActividad);
// What refusing a configuration file larger than it can be says (error 75): its name, its size and
// the most that is read, and that the configuration was left as it was.
TarsaError ConfiguracionExcedida(const QString& archivo, qint64 tamano, qint64 maximo);
