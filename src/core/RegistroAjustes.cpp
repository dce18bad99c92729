// The per-user settings of the program and the rules they are read by.
#include "core/RegistroAjustes.h"

#include <QDir>
#include <QLocale>
#include <iterator>
#include <limits>

#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/TarsaError.h"

namespace {

const DefinicionAjuste* Tabla() {
    static const QString s = kSeccionStart;
    static const QString si = TextoBooleano(true), no = TextoBooleano(false);
    static const DefinicionAjuste tabla[] = {
        {Ajuste::QUELO_Path, s, "QUELO_Path", Lectura::Texto, ""},  // DirectorioTrabajoPredeterminado, when read
        {Ajuste::Actividad, s, "Actividad", Lectura::Texto, "02"},
        {Ajuste::Empresa, s, "Empresa", Lectura::Texto, ""},
        {Ajuste::Terminal, s, "Terminal", Lectura::Texto, ""},
        {Ajuste::TipoPrescripcion, s, "TipoPrescripcion", Lectura::Texto, "0"},
        {Ajuste::CambioPrescripcion, s, "CambioPrescripcion", Lectura::Texto, "0"},
        {Ajuste::VerTicket, s, "VerTicket", Lectura::PalabrasSi, si},
        {Ajuste::VerListaErrores, s, "VerListaErrores", Lectura::PalabrasSi, si},
        {Ajuste::ImprimirTicket, s, "ImprimirTicket", Lectura::PalabrasSi, no},
        {Ajuste::PantallaReducida, s, "PantallaReducida", Lectura::PalabrasSi, no},
        {Ajuste::VerMenuLicencias, s, "VerMenuLicencias", Lectura::PalabrasNo, si},
        {Ajuste::VerBotonesVerificar, s, "VerBotonesVerificar", Lectura::PalabrasNo, no},
        {Ajuste::VerBotonesConsulta, s, "VerBotonesConsulta", Lectura::PalabrasNo, no},
        {Ajuste::VerBotonesDevolucion, s, "VerBotonesDevolucion", Lectura::PalabrasNo, no},
        {Ajuste::LicenciaMatricula, s, "LicenciaMatricula", Lectura::PalabrasNo, no},
        {Ajuste::SugerirCierres, s, "SugerirCierres", Lectura::PalabrasNo, no},
        {Ajuste::ActualizaMedicos, s, "ActualizaMedicos", Lectura::Convertido, no},
        {Ajuste::ActualizaMedicamentos, s, "ActualizaMedicamentos", Lectura::Convertido, no},
        {Ajuste::ActualizaDiagnosticos, s, "ActualizaDiagnosticos", Lectura::Convertido, no},
        {Ajuste::FechaQueloPrm, s, "FechaQueloPrm", Lectura::Texto, "01/01/1990"},
        {Ajuste::FechaQueloEmp, s, "FechaQueloEmp", Lectura::Texto, "01/01/1990"},
        {Ajuste::farmacia, s, "farmacia", Lectura::Texto, ""},
        {Ajuste::CodigoBarrasTicket, s, "CodigoBarrasTicket", Lectura::SalvoCero, "1"},
        {Ajuste::IntercambiosDias, s, "IntercambiosDias", Lectura::Entero32, "1825"},  // five years
        {Ajuste::IntercambiosMB, s, "IntercambiosMB", Lectura::Entero64, "2048"},      // two gigabytes
    };
    static_assert(std::size(tabla) == static_cast<size_t>(Ajuste::IntercambiosMB) + 1, "a setting without its row");
    return tabla;
}

bool PorRegla(Lectura lectura, const QString& texto) {
    switch (lectura) {
        case Lectura::PalabrasSi:
            return LeerPalabrasSi(texto);
        case Lectura::PalabrasNo:
            return LeerPalabrasNo(texto);
        case Lectura::Convertido:
            return ConvertirBooleano(texto);
        case Lectura::SalvoCero:
            return texto.trimmed() != "0";
        default:
            throw TarsaError(ErrTiposNoCoinciden, "No coinciden los tipos");
    }
}

}  // namespace

QString DirectorioTrabajoPredeterminado() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Estandar");
#else
    return QDir::homePath() + QStringLiteral("/Estandar");
#endif
}

QString TextoBooleano(bool valor) { return valor ? QStringLiteral("True") : QStringLiteral("False"); }

bool LeerPalabrasSi(const QString& texto) {
    const QString t = texto.toUpper();
    return t == "TRUE" || t == "VERDADERO";
}

bool LeerPalabrasNo(const QString& texto) {
    const QString t = texto.toUpper();
    return !(t == "FALSE" || t == "FALSO");
}

bool ConvertirBooleano(const QString& texto) {
    const QString t = texto.trimmed().toUpper();
    if (t == "TRUE" || t == "VERDADERO") return true;
    if (t == "FALSE" || t == "FALSO") return false;
    bool ok = false;
    const double n = QLocale().toDouble(t, &ok);
    if (!ok) throw TarsaError(ErrTiposNoCoinciden, "No coinciden los tipos");
    return n != 0;
}

namespace RegistroAjustes {

const DefinicionAjuste& Definicion(Ajuste a) { return Tabla()[static_cast<int>(a)]; }

QString Leer(Ajuste a) {
    const DefinicionAjuste& d = Definicion(a);
    // The working directory's default follows the user's home as it is now, not as it was at first use.
    return Ajustes::Obtener(kAplicacion, d.seccion, d.clave,
                            a == Ajuste::QUELO_Path ? DirectorioTrabajoPredeterminado() : d.defecto);
}

bool Interpretar(Ajuste a, const QString& texto) { return PorRegla(Definicion(a).lectura, texto); }

bool LeerBandera(Ajuste a) { return Interpretar(a, Leer(a)); }

bool LeerBandera(Ajuste a, Lectura lectura, bool defecto) {
    const DefinicionAjuste& d = Definicion(a);
    return PorRegla(lectura, Ajustes::Obtener(kAplicacion, d.seccion, d.clave, TextoBooleano(defecto)));
}

qint64 LeerEntero(Ajuste a) {
    const DefinicionAjuste& d = Definicion(a);
    const QString texto = Leer(a);
    bool ok = false;
    const qint64 n = d.lectura == Lectura::Entero32 ? texto.toInt(&ok) : texto.toLongLong(&ok);
    return ok && n > 0 ? n : d.defecto.toLongLong();
}

bool Guardado(Ajuste a) {
    const DefinicionAjuste& d = Definicion(a);
    return Ajustes::Claves(kAplicacion, d.seccion).contains(d.clave);
}

void Guardar(Ajuste a, const QString& valor) {
    const DefinicionAjuste& d = Definicion(a);
    Ajustes::Guardar(kAplicacion, d.seccion, d.clave, valor);
}

void GuardarBandera(Ajuste a, bool valor) { Guardar(a, TextoBooleano(valor)); }

QString LeerReciente(int n) { return Ajustes::Obtener(kAplicacion, kSeccionUltimos, QString::number(n)); }

void GuardarReciente(int n, const QString& dir) {
    Ajustes::Guardar(kAplicacion, kSeccionUltimos, QString::number(n), dir);
}

void BorrarReciente(int n) { Ajustes::Borrar(kAplicacion, kSeccionUltimos, QString::number(n)); }

}  // namespace RegistroAjustes
