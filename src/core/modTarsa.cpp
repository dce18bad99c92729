// Start-up without windows, the settings' reading rules and the run's global state.
#include "core/modTarsa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include "core/modBaseLocal.h"
#include "platform/Ajustes.h"
#include "platform/BaseDatos.h"
#include "platform/Impresora.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

void ReiniciarNucleo() {
    gDB.reset();
    // Released before a test removes its working directory, so the lock is not orphaned there.
    SoltarMarcaIntercambio();
    gSeparadorDecimal = 46;
    gQueloPath.clear();
    gTermDir.clear();
    gVersion = QStringLiteral("V250");
    gEmpresa.clear();
    gActividad.clear();
    gTerminal.clear();
    gCodigoEmpresa.clear();
    gCodigoActividad.clear();
    gTipoActividad.clear();
    gTipoPrescripcion.clear();
    gCambioPrescripcion.clear();
    gVerTicket = gVerListaErrores = gImprimirTicket = gPantallaReducida = false;
    gVerMenuLicencias = gVerBotonesVerificar = gVerBotonesConsulta = gVerBotonesDevolucion = false;
    gLicenciaMatricula = gSugerirCierres = false;
    gActualizaMedicos = gActualizaMedicamentos = gActualizaDiagnosticos = false;
    gFechaQueloPrm.clear();
    gFechaQueloEmp.clear();
    gNuevaTransaccion = false;
    gNTransaccionFarmacia.clear();
}

BaseDatos& BaseAbierta(const QString& fuente) {
    if (!gDB) throw TarsaError(ErrObjetoNoAsignado, QString::fromUtf8("La base de datos no está abierta"), fuente);
    return *gDB;
}

QString ResolverDirectorioAplicacion(const QString& dirEjecutable) {
    QString dir = qEnvironmentVariable("TARSA_APPDIR");
    if (dir.isEmpty()) {
        const QFileInfo info(dirEjecutable);
        dir = info.isWritable() ? dirEjecutable : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    QDir().mkpath(dir);
    const QString base = Rutas::Unir(dir, kBaseDatos);
    const QString entregada = Rutas::Unir(dirEjecutable, kBaseDatos);
    if (dir != dirEjecutable && !QFileInfo::exists(base) && !QFileInfo::exists(base + ".bak"))
        QFile::copy(entregada, base);
    return dir;
}

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

QString VersionDeLineaComandos(const QString& lineaComandos) {
    const QString c = lineaComandos.trimmed().toUpper();
    return c == "/V101" || c == "-V101" ? QStringLiteral("V101") : QStringLiteral("V250");
}

void InformarErrorInicio(const std::exception& e, const QString& marcador) {
    const TarsaError t = ComoTarsaError(e);
    const QString fuente = t.Fuente.isEmpty() ? kAplicacion : t.Fuente;
    MsgBox(fuente + "\nControl: " + marcador + "\n" + t.Descripcion, Mensajes::vbCritical, "Main");
}

void PasoInicio(QString& marcador, const QString& nuevo, const std::function<void()>& paso) {
    marcador = nuevo;
    try {
        paso();
    } catch (const std::exception& e) {
        InformarErrorInicio(e, marcador);
    }
}

namespace {

void Paso(QString& marcador, const QString& nuevo, const std::function<void()>& paso) {
    PasoInicio(marcador, nuevo, paso);
}

QString Leer(const QString& clave, const QString& defecto) {
    return Ajustes::Obtener(kAplicacion, kSeccionStart, clave, defecto);
}

}  // namespace

bool IniciarNucleo(const QString& lineaComandos, QString& m) {
    Paso(m, "1", [] { gSeparadorDecimal = SeparadorDecimal(); });
    Paso(m, "2", [] {
        gQueloPath = Leer("QUELO_Path", DirectorioTrabajoPredeterminado());
        // A working directory that does not exist yet (a fresh installation) is no failure: the run
        // starts without an exchange directory and Main asks for the directory in the settings.
        if (Rutas::EsDirectorio(gQueloPath)) gTermDir = CrearDirectorioTerminal();
    });
    Paso(m, "3", [&] { gVersion = VersionDeLineaComandos(lineaComandos); });
    Paso(m, "4", [] { gActividad = Leer("Actividad", "02"); });
    Paso(m, "5", [] { gEmpresa = Leer("Empresa", ""); });
    Paso(m, "6", [] { gTerminal = Leer("Terminal", ""); });
    Paso(m, "6a", [] { gTipoPrescripcion = Leer("TipoPrescripcion", "0"); });
    Paso(m, "6b", [] { gCambioPrescripcion = Leer("CambioPrescripcion", "0"); });

    struct Vista {
        const char* clave;
        const char* marcador;
        bool predeterminado;
        QString texto;
    };
    Vista vistas[] = {{"VerTicket", "7", true, {}},
                      {"VerListaErrores", "8", true, {}},
                      {"ImprimirTicket", "9", false, {}},
                      {"PantallaReducida", "9a", false, {}},
                      {"VerMenuLicencias", "9b", true, {}},
                      {"VerBotonesVerificar", "9c", false, {}},
                      {"VerBotonesConsulta", "9d", false, {}},
                      {"LicenciaMatricula", "9e", false, {}},
                      {"SugerirCierres", "9f", false, {}}};
    for (Vista& v : vistas) Paso(m, v.marcador, [&] { v.texto = Leer(v.clave, TextoBooleano(v.predeterminado)); });

    Paso(m, "10", [] {
        if (gEmpresa.isEmpty()) gEmpresa = "0";
    });
    Paso(m, "11", [] {
        if (gActividad.isEmpty()) gActividad = "0";
    });

    Paso(m, "12", [&] { gVerTicket = LeerPalabrasSi(vistas[0].texto); });
    Paso(m, "13", [&] { gImprimirTicket = LeerPalabrasSi(vistas[2].texto); });
    Paso(m, "14", [&] { gVerListaErrores = LeerPalabrasSi(vistas[1].texto); });
    Paso(m, "14a", [&] { gPantallaReducida = LeerPalabrasSi(vistas[3].texto); });
    Paso(m, "14b", [&] { gVerMenuLicencias = LeerPalabrasNo(vistas[4].texto); });
    Paso(m, "14c", [&] { gVerBotonesVerificar = LeerPalabrasNo(vistas[5].texto); });
    Paso(m, "14d", [&] { gVerBotonesConsulta = LeerPalabrasNo(vistas[6].texto); });
    Paso(m, "14e", [&] { gLicenciaMatricula = LeerPalabrasNo(vistas[7].texto); });
    Paso(m, "14f", [&] {
        gSugerirCierres = LeerPalabrasNo(vistas[8].texto);
        gVerBotonesDevolucion = LeerPalabrasNo(Leer("VerBotonesDevolucion", TextoBooleano(false)));
    });
    Paso(m, "14g", [] { gActualizaMedicos = ConvertirBooleano(Leer("ActualizaMedicos", TextoBooleano(false))); });
    Paso(m, "14i",
         [] { gActualizaDiagnosticos = ConvertirBooleano(Leer("ActualizaDiagnosticos", TextoBooleano(false))); });
    Paso(m, "14j",
         [] { gActualizaMedicamentos = ConvertirBooleano(Leer("ActualizaMedicamentos", TextoBooleano(false))); });
    Paso(m, "14k", [] { gFechaQueloPrm = Leer("FechaQueloPrm", "01/01/1990"); });
    Paso(m, "14l", [] { gFechaQueloEmp = Leer("FechaQueloEmp", "01/01/1990"); });

    bool conectado = false;
    Paso(m, "15", [&] { conectado = Conectar(Rutas::Unir(gDirectorioAplicacion, kBaseDatos)); });
    return conectado;
}

// ---------------------------------------------------------------------------------------------

namespace {

// Whether a copy of a database file still holds what the file holds, told by the engine's header:
// every write transaction counts itself there (the file change counter), so a copy made since the
// last write has the same header and size.
bool MismaVersion(const QString& archivo, const QString& copia) {
    constexpr qint64 kCabecera = 100;
    QFile a(archivo), b(copia);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size()) return false;
    const QByteArray cabecera = a.read(kCabecera);
    return cabecera.size() == kCabecera && cabecera.startsWith(QByteArray("SQLite format 3\0", 16)) &&
           cabecera == b.read(kCabecera);
}

}  // namespace

void CopiarRespaldo(const QString& archivo, bool revisarPaginas) {
    const QString bak = archivo + ".bak";
    // A sound backup is never given up for a file that is not: the next start could not go back to it.
    // Reading every page costs a pass over the whole file, so it is done only when asked.
    const auto sana = [&] { return EsBaseDelPrograma(archivo) && (!revisarPaginas || BaseDatos::Intacta(archivo)); };
    // A session that wrote nothing leaves the backup of the session before it as it is: copying the
    // whole file at every exit would make the exit grow with the catalogs.
    if (!revisarPaginas && MismaVersion(archivo, bak)) return;
    if (QFileInfo::exists(bak) && !sana() && BaseSana(bak)) return;
    try {
        Rutas::CopiarSeguro(archivo, bak);  // the old backup stays until the new one is complete
    } catch (const TarsaError&) {
        // a failure ends the routine silently
    }
}

void ImprimirTexto(const QString& texto, const QStringList& codigos) {
    Impresora& impresora = Impresora::Actual();
    int copias = 0;
    if (!impresora.Dialogo(copias)) return;
    try {
        for (int i = 1; i <= copias; ++i) impresora.Imprimir(texto, codigos);
    } catch (const std::exception&) {
        // the printer discarded the document; nothing else to do
    }
}

QString CodigoYNombre(const QVariant& codigo, const QString& nombre) {
    if (codigo.typeId() == QMetaType::QString) {
        if (codigo.toString().isEmpty()) return {};
        return codigo.toString() + " . " + nombre.trimmed();
    }
    if (codigo.isNull() || codigo.toDouble() == 0) return {};
    return FormatearNumero(codigo, 2) + " . " + nombre.trimmed();
}

QString FechaAAAAMMDD(const QString& fecha) {
    const auto d = ParsearFechaDMA(fecha);
    return d ? d->toString("yyyyMMdd") : QString();
}
