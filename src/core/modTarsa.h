#pragma once
// The run's state: the global variables set by start-up and the main window and read by everyone.
#include <QString>

inline qint16 gSeparadorDecimal = 46;              // 46 "." or 44 ","
inline QString gQueloPath;                         // working directory shared with the terminal
inline QString gTermDir;                           // this run's exchange directory, "term" and 1..999
inline QString gVersion = QStringLiteral("V250");  // protocol version, "V250" or "V101"
inline QString gEmpresa;                           // current company identifier (decimal text)
inline QString gActividad;                         // current activity identifier (decimal text)
inline QString gTerminal;                          // current provider's network licence
inline QString gCodigoEmpresa;                     // network code of the current company
inline QString gCodigoActividad;                   // network code of the current activity
inline QString gTipoActividad;                     // type code of the current activity
inline QString gTipoPrescripcion;
inline QString gCambioPrescripcion;

inline bool gVerTicket = false;
inline bool gVerListaErrores = false;
inline bool gImprimirTicket = false;
inline bool gPantallaReducida = false;
inline bool gVerMenuLicencias = false;
inline bool gVerBotonesVerificar = false;
inline bool gVerBotonesConsulta = false;
inline bool gVerBotonesDevolucion = false;
inline bool gLicenciaMatricula = false;
inline bool gSugerirCierres = false;
inline bool gActualizaMedicos = false;
inline bool gActualizaMedicamentos = false;
inline bool gActualizaDiagnosticos = false;

inline QString gFechaQueloPrm;
inline QString gFechaQueloEmp;

// Whether the next ticket draws a new pharmacy transaction number; written only through
// PedirNuevaTransaccion and ConservarTransaccion.
inline bool gNuevaTransaccion = false;
inline QString gNTransaccionFarmacia;

// The directory of the database, its backup and the saved tickets: the executable's directory, or
// the user's application data directory when that one is not writable. Tests set it to a scratch one.
inline QString gDirectorioAplicacion;

inline const QString kAplicacion = QStringLiteral("TarsaCliente");  // the executable's base name
// The program's name as people read it: the main window's caption and the title of a message without one.
inline const QString kNombrePrograma = QStringLiteral("Tarsa Cliente");
inline const QString kBaseDatos = QStringLiteral("TarsaCliente.mdb");

// The next ticket draws a new pharmacy transaction number (a transaction ended, or was given up).
void PedirNuevaTransaccion();
// The next ticket keeps the current number: the terminal may still have the request that carried it.
void ConservarTransaccion();
// Draws gNTransaccionFarmacia when a new number is due.
void NuevaTransaccionFarmacia();

// This module's globals back to their state before start-up (tests).
void ReiniciarEstado();
