#pragma once
// The application module: the global state of the run and the free routines every window and class uses.
#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

#include "platform/BaseDatos.h"

// ---------------------------------------------------------------------------------------------
// Global state, set by start-up and the main window and read by everyone.

inline std::unique_ptr<BaseDatos> gDB;             // the open local database
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

inline bool gNuevaTransaccion = false;
inline QString gNTransaccionFarmacia;

// The directory of the database, its backup and the saved tickets: the executable's directory, or
// the user's application data directory when that one is not writable. Tests set it to a scratch one.
inline QString gDirectorioAplicacion;

// The application directory for an executable in dirEjecutable: TARSA_APPDIR when set, the
// executable's directory when writable, else the user's data directory; the delivered database is
// copied there when it has none.
QString ResolverDirectorioAplicacion(const QString& dirEjecutable);

// This module's globals back to their state before start-up (tests).
void ReiniciarNucleo();
// The open local database; error 91 ("La base de datos no está abierta", from fuente) when none is.
BaseDatos& BaseAbierta(const QString& fuente = {});

// ---------------------------------------------------------------------------------------------
// Settings

inline const QString kAplicacion = QStringLiteral("TarsaCliente");  // the executable's base name
// The program's name as people read it: the main window's caption and the title of a message without one.
inline const QString kNombrePrograma = QStringLiteral("Tarsa Cliente");
inline const QString kSeccionStart = QStringLiteral("Start");
inline const QString kSeccionUltimos = QStringLiteral("LastPuleo");
inline const QString kBaseDatos = QStringLiteral("TarsaCliente.mdb");
QString DirectorioTrabajoPredeterminado();  // "C:\Estandar" on Windows, $HOME/Estandar elsewhere

// The text a Boolean setting is stored as.
QString TextoBooleano(bool valor);
// Stored Boolean texts: on exactly for "TRUE"/"VERDADERO" (on-words), off exactly for "FALSE"/"FALSO"
// (off-words), or converted as a Boolean value, throwing TarsaError when it does not convert.
bool LeerPalabrasSi(const QString& texto);
bool LeerPalabrasNo(const QString& texto);
bool ConvertirBooleano(const QString& texto);

// ---------------------------------------------------------------------------------------------
// Start-up

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

// ---------------------------------------------------------------------------------------------
// Shared routines

// Copies the database to its backup, unless the backup is sound and the database is not: not this
// program's database, or, when revisarPaginas asks for the engine's check of every page, damaged.
void CopiarRespaldo(const QString& archivo, bool revisarPaginas = true);
void ImprimirTexto(const QString& texto, const QStringList& codigos = {});  // codigos: barcodes under it
QString CodigoYNombre(const QVariant& codigo, const QString& nombre);
QString FechaAAAAMMDD(const QString& fecha);

// Field formatting
QString RellenarCeros(const QVariant& valor, int n);
QString RellenarCerosRTrim(const QVariant& valor, int n);
QString FormatearNumero(const QVariant& valor, int tipo);
// The number of a text with the regional rules (thousands separators included); an empty text is 0
// with vacioEsCero, else -1; any other text that is not a number is 0, and *esNumero, when asked,
// says false for it alone.
double TextoANumero(const QString& texto, bool vacioEsCero, bool* esNumero = nullptr);
// Whether c separates thousands in an amount: the regional thousands separator, and "." wherever the
// decimal mark is ",".
bool EsSeparadorMiles(QChar c);
void SepararCodigoNombre(const QString& texto, QString& codigo, QString& resto);
void SepararCodigoNombre(const QString& texto, int& codigo, QString& resto);
QString NuloATexto(const QVariant& valor);
bool NormalizarFecha(QVariant& valor);
// The four-digit year of a two-digit one: the nearest to the current year, 20 ahead at most (in 2026,
// 26 is 2026, 46 is 2046, 47 is 1947).
int AnioCompleto(int dosDigitos, int anioActual);
std::optional<QDate> ParsearFechaDMA(const QString& texto);
// Field kinds of FiltrarTecla: 1 whole number, 2 decimal number, 3 signed whole number, 4 date, 5 free
// text, 6 signed number or date, 7 digits and blanks, kTipoImporte an amount of money (a decimal
// number that may carry thousands separators); any other is free text.
inline constexpr int kTipoImporte = 8;
int FiltrarTecla(int tecla, int tipo);
// FiltrarTecla without the beep: the key to keep (possibly replaced), or 0.
int TeclaPermitida(int tecla, int tipo);
void Pitido();  // the system's beep for a refused key
qint16 SeparadorDecimal();
int CodigoTipoPrescripcion(const QString& nombre);

// Database connection and working directories
bool Conectar(const QString& archivo);
bool RepararBase(const QString& archivo);
bool Desconectar();
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
void NuevaTransaccionFarmacia();
QString SoloDigitos(const QString& texto);
