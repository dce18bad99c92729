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

}  // namespace

bool IniciarNucleo(const QString& lineaComandos, QString& m) {
    using RegistroAjustes::Leer;
    Paso(m, "1", [] { gSeparadorDecimal = SeparadorDecimal(); });
    Paso(m, "2", [] {
        gQueloPath = Leer(Ajuste::QUELO_Path);
        // A working directory that does not exist yet (a fresh installation) is no failure: the run
        // starts without an exchange directory and Main asks for the directory in the settings.
        if (Rutas::EsDirectorio(gQueloPath)) gTermDir = CrearDirectorioTerminal();
    });
    Paso(m, "3", [&] { gVersion = VersionDeLineaComandos(lineaComandos); });
    Paso(m, "4", [] { gActividad = Leer(Ajuste::Actividad); });
    Paso(m, "5", [] { gEmpresa = Leer(Ajuste::Empresa); });
    Paso(m, "6", [] { gTerminal = Leer(Ajuste::Terminal); });
    Paso(m, "6a", [] { gTipoPrescripcion = Leer(Ajuste::TipoPrescripcion); });
    Paso(m, "6b", [] { gCambioPrescripcion = Leer(Ajuste::CambioPrescripcion); });

    // The view settings are read as texts first and turned into flags later, each step under its marker.
    struct Vista {
        Ajuste ajuste;
        const char* marcador;
        QString texto;
    };
    Vista vistas[] = {{Ajuste::VerTicket, "7", {}},           {Ajuste::VerListaErrores, "8", {}},
                      {Ajuste::ImprimirTicket, "9", {}},      {Ajuste::PantallaReducida, "9a", {}},
                      {Ajuste::VerMenuLicencias, "9b", {}},   {Ajuste::VerBotonesVerificar, "9c", {}},
                      {Ajuste::VerBotonesConsulta, "9d", {}}, {Ajuste::LicenciaMatricula, "9e", {}},
                      {Ajuste::SugerirCierres, "9f", {}}};
    for (Vista& v : vistas) Paso(m, v.marcador, [&] { v.texto = Leer(v.ajuste); });
    const auto bandera = [&](int i) { return RegistroAjustes::Interpretar(vistas[i].ajuste, vistas[i].texto); };

    Paso(m, "10", [] {
        if (gEmpresa.isEmpty()) gEmpresa = "0";
    });
    Paso(m, "11", [] {
        if (gActividad.isEmpty()) gActividad = "0";
    });

    Paso(m, "12", [&] { gVerTicket = bandera(0); });
    Paso(m, "13", [&] { gImprimirTicket = bandera(2); });
    Paso(m, "14", [&] { gVerListaErrores = bandera(1); });
    Paso(m, "14a", [&] { gPantallaReducida = bandera(3); });
    Paso(m, "14b", [&] { gVerMenuLicencias = bandera(4); });
    Paso(m, "14c", [&] { gVerBotonesVerificar = bandera(5); });
    Paso(m, "14d", [&] { gVerBotonesConsulta = bandera(6); });
    Paso(m, "14e", [&] { gLicenciaMatricula = bandera(7); });
    Paso(m, "14f", [&] {
        gSugerirCierres = bandera(8);
        gVerBotonesDevolucion = RegistroAjustes::LeerBandera(Ajuste::VerBotonesDevolucion);
    });
    Paso(m, "14g", [] { gActualizaMedicos = RegistroAjustes::LeerBandera(Ajuste::ActualizaMedicos); });
    Paso(m, "14i", [] { gActualizaDiagnosticos = RegistroAjustes::LeerBandera(Ajuste::ActualizaDiagnosticos); });
    Paso(m, "14j", [] { gActualizaMedicamentos = RegistroAjustes::LeerBandera(Ajuste::ActualizaMedicamentos); });
    Paso(m, "14k", [] { gFechaQueloPrm = Leer(Ajuste::FechaQueloPrm); });
    Paso(m, "14l", [] { gFechaQueloEmp = Leer(Ajuste::FechaQueloEmp); });

    bool conectado = false;
    Paso(m, "15", [&] { conectado = Conectar(Rutas::Unir(gDirectorioAplicacion, kBaseDatos)); });
    return conectado;
}
