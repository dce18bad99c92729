#pragma once
// The per-user settings of the program: every key with its section, its default and the rule its
// stored text is read by, in one table. A setting is named by its Ajuste, so a misspelt key does not
// build; the names are the keys as stored, which an existing installation keeps.
#include <QString>

enum class Ajuste {
    QUELO_Path,
    Actividad,
    Empresa,
    Terminal,
    TipoPrescripcion,
    CambioPrescripcion,
    VerTicket,
    VerListaErrores,
    ImprimirTicket,
    PantallaReducida,
    VerMenuLicencias,
    VerBotonesVerificar,
    VerBotonesConsulta,
    VerBotonesDevolucion,
    LicenciaMatricula,
    SugerirCierres,
    ActualizaMedicos,
    ActualizaMedicamentos,
    ActualizaDiagnosticos,
    FechaQueloPrm,
    FechaQueloEmp,
    farmacia,
    CodigoBarrasTicket,
    IntercambiosDias,
    IntercambiosMB,
};

// How a stored text is read.
enum class Lectura {
    Texto,       // as stored
    PalabrasSi,  // Boolean: on exactly for "TRUE"/"VERDADERO", in any case
    PalabrasNo,  // Boolean: off exactly for "FALSE"/"FALSO", in any case
    Convertido,  // Boolean: converted as a Boolean value; a text that does not convert throws TarsaError
    SalvoCero,   // Boolean: off exactly for "0" (blanks around it ignored)
    Entero32,    // a whole number above 0 that fits 32 bits; any other text gives the default
    Entero64,    // a whole number above 0; any other text gives the default
};

struct DefinicionAjuste {
    Ajuste ajuste;
    QString seccion;
    QString clave;
    Lectura lectura;
    QString defecto;  // the text read when the key is absent
};

inline const QString kSeccionStart = QStringLiteral("Start");
// Recently used working directories: keys "1", "2", ..., "1" the most recent.
inline const QString kSeccionUltimos = QStringLiteral("LastPuleo");
QString DirectorioTrabajoPredeterminado();  // "C:\Estandar" on Windows, $HOME/Estandar elsewhere

// The text a Boolean setting is stored as.
QString TextoBooleano(bool valor);
// The Boolean rules of Lectura on a stored text.
bool LeerPalabrasSi(const QString& texto);
bool LeerPalabrasNo(const QString& texto);
bool ConvertirBooleano(const QString& texto);

namespace RegistroAjustes {
const DefinicionAjuste& Definicion(Ajuste a);
// The stored text, or the setting's default when absent.
QString Leer(Ajuste a);
// A stored text read by the setting's Boolean rule.
bool Interpretar(Ajuste a, const QString& texto);
// Leer, then Interpretar.
bool LeerBandera(Ajuste a);
// A Boolean read by another rule and default than the setting's own (the view dialog's).
bool LeerBandera(Ajuste a, Lectura lectura, bool defecto);
// A whole-number setting by its rule.
qint64 LeerEntero(Ajuste a);
bool Guardado(Ajuste a);  // whether the key is stored at all
void Guardar(Ajuste a, const QString& valor);
void GuardarBandera(Ajuste a, bool valor);

// The recently used working directories, n from 1.
QString LeerReciente(int n);
void GuardarReciente(int n, const QString& dir);
void BorrarReciente(int n);
}  // namespace RegistroAjustes
