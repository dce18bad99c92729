// Start-up without windows: the settings into the run's state, the exchange directory and the database.
#include "core/modInicio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modDirectorioTerminal.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

void ReiniciarNucleo() {
    gDB.reset();
    // Released before a test removes its working directory, so the lock is not orphaned there.
    SoltarMarcaIntercambio();
    ReiniciarEstado();
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
