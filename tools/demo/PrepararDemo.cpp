#include "PrepararDemo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "CatalogosTerminal.h"
#include "DatosDemo.h"
#include "catalogs/clsBitmaps.h"
#include "catalogs/clsDiagnostico.h"
#include "catalogs/clsMedicamento.h"
#include "catalogs/clsMedico.h"
#include "catalogs/clsPlan.h"
#include "catalogs/modConfiguracion.h"
#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modTarsa.h"
#include "platform/Ansi.h"
#include "platform/BaseDatos.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace Demo {

namespace {

constexpr int kLargoMascaraCabecera = 35;
constexpr int kLargoMascaraItems = 15;

QString Campo(const char* texto, int ancho) { return QString::fromUtf8(texto).leftJustified(ancho, ' ', true); }

QString TextoMascara(const QList<int>& posiciones, int largo) {
    QString m(largo, '0');
    for (int p : posiciones) m[p - 1] = '1';
    return m;
}

void CrearDirectorio(const QString& dir) {
    if (!QDir().mkpath(dir)) throw TarsaError(ErrAccesoRuta, "No se puede crear el directorio " + dir);
}

// Writes the file only when its content differs, so that a second run leaves its date alone and
// the client does not import the configuration again.
QString EscribirSiCambio(const QString& archivo, const QByteArray& contenido) {
    QFile actual(archivo);
    if (actual.open(QIODevice::ReadOnly) && actual.readAll() == contenido) return "sin cambios";
    actual.close();
    QSaveFile f(archivo);
    if (!f.open(QIODevice::WriteOnly)) throw TarsaError(ErrAccesoRuta, archivo + ": " + f.errorString());
    f.write(contenido);
    if (!f.commit()) throw TarsaError(ErrDiscoLleno, archivo + ": " + f.errorString());
    return "escrito";
}

// Settings the newcomer may change from the client are written only when absent; the working
// directory always follows the demo directory.
QString EscribirAjustes(const QString& estandar) {
    auto guardar = [](Ajuste ajuste, const QString& valor, bool siempre) {
        const bool existe = RegistroAjustes::Guardado(ajuste);
        if (existe && (!siempre || RegistroAjustes::Leer(ajuste) == valor)) return 0;
        RegistroAjustes::Guardar(ajuste, valor);
        return 1;
    };
    int escritos = guardar(Ajuste::QUELO_Path, estandar, true);
    const QList<QPair<Ajuste, QString>> valores = {
        {Ajuste::Empresa, kEmpresaInicial},
        {Ajuste::Actividad, kActividadInicial},
        {Ajuste::Terminal, kLicencia},
        {Ajuste::VerBotonesVerificar, TextoBooleano(true)},
        {Ajuste::VerBotonesConsulta, TextoBooleano(true)},
        {Ajuste::VerBotonesDevolucion, TextoBooleano(true)},
        {Ajuste::ImprimirTicket, TextoBooleano(true)},
    };
    for (const auto& [clave, valor] : valores) escritos += guardar(clave, valor, false);
    return escritos ? QString("%1 claves escritas").arg(escritos) : QStringLiteral("sin cambios");
}

QString Filas(int nuevas, qsizetype total) { return QString("%1 filas nuevas de %2").arg(nuevas).arg(total); }

// The catalogs through the client's own access classes; rows already there are refused by the
// table keys and count 0.
QStringList CargarCatalogos(const QString& estandar) {
    QStringList informe;
    const qint16 empresaInicial = static_cast<qint16>(QString(kEmpresaInicial).toInt());

    clsMedicamento medicamento;
    medicamento.Empresa = empresaInicial;
    int nuevas = 0;
    for (const Medicamento& m : Medicamentos()) {
        medicamento.Procesar(1, m.troquel, m.codigoBarra, QString::fromUtf8(m.nombre),
                             QString::fromUtf8(m.presentacion), m.precio, m.tipo, m.codProveedor, false);
        nuevas += medicamento.Registros;
    }
    informe << "Medicamentos: " + Filas(nuevas, Medicamentos().size());

    nuevas = 0;
    for (const Medico& m : Medicos()) {
        clsMedico medico;
        medico.Empresa = m.empresa;
        medico.Procesar(1, m.matricula, m.tipoMatricula, QString::fromUtf8(m.apellidoNombre), false);
        nuevas += medico.Registros;
    }
    informe << "Médicos: " + Filas(nuevas, Medicos().size());

    clsDiagnostico diagnostico;
    diagnostico.Empresa = empresaInicial;
    nuevas = 0;
    for (const Diagnostico& d : Diagnosticos()) {
        diagnostico.Procesar(1, d.codigo, QString::fromUtf8(d.nombre), false);
        nuevas += diagnostico.Registros;
    }
    informe << "Diagnósticos: " + Filas(nuevas, Diagnosticos().size());

    nuevas = 0;
    for (const Plan& p : Planes()) {
        clsPlan plan;
        plan.Empresa = p.empresa;
        plan.Procesar(1, p.codigo, p.porcentaje, QString(), false);
        nuevas += plan.Registros;
    }
    informe << "Planes: " + Filas(nuevas, Planes().size());

    // The bitmaps are read back from the _Quelo.prm just written, as the settings dialog does. The
    // configuration directory is what precedes the exchange directory's name in its path.
    gQueloPath = estandar;
    gTermDir = "term1";
    if (QDir(DirectorioConfiguracion()) != QDir(estandar))
        throw TarsaError(ErrArgumentoInvalido,
                         "La ruta del directorio de demostración no puede contener \"term\": " + estandar);
    clsBitmaps bitmaps;
    if (!bitmaps.GetBitmaps()) throw TarsaError(ErrArchivoNoEncontrado, "No se encuentra _Quelo.prm en " + estandar);
    auto filas = gDB->Consultar("SELECT COUNT(*) AS N FROM Bitmaps");
    informe << QString("Bitmaps: %1 filas leídas de _Quelo.prm").arg(filas->Campo("N").toInt());
    return informe;
}

}  // namespace

QByteArray ArchivoEmpresas() {
    QString texto;
    for (const EmpresaActividad& r : Configuracion())
        texto += Campo(kLicencia, 8) + Campo(r.codigoEmpresa, 2) + Campo(r.nombreEmpresa, 30) +
                 Campo(r.codigoActividad, 2) + Campo(r.nombreActividad, 30) + "\r\n";
    return Ansi::Codificar(texto);
}

QByteArray ArchivoBitmaps() {
    QString texto = "[Bitmaps]\r\n";
    for (const EmpresaActividad& r : Configuracion()) {
        if (QString(r.codigoEmpresa) == "99") continue;
        const QString clave = Campo(r.codigoEmpresa, 2) + Campo(r.codigoActividad, 2);
        for (const Mascara& m : Mascaras(r.codigoEmpresa)) {
            const QString operacion = QString::number(m.operacion).rightJustified(2, '0');
            texto += clave + operacion + QString("SVL1").leftJustified(64) +
                     TextoMascara(m.cabecera, kLargoMascaraCabecera) + "\r\n";
            if (!m.items.isEmpty())
                texto += clave + operacion + QString("SVL3").leftJustified(64) +
                         TextoMascara(m.items, kLargoMascaraItems) + "\r\n";
        }
    }
    return Ansi::Codificar(texto);
}

Preparacion Preparar(const QString& dir, const QString& baseEntregada) {
    Preparacion p;
    // In the system's own form: the settings window shows the working directory as it is stored.
    const QString raiz = QDir::toNativeSeparators(QDir(dir).absolutePath());
    p.estandar = Rutas::Unir(raiz, "Estandar");
    p.aplicacion = Rutas::Unir(raiz, "app");
    p.pdf = Rutas::Unir(raiz, "pdf");
    p.ajustes = Rutas::Unir(raiz, "ajustes.ini");
    for (const QString& d : {p.estandar, Rutas::Unir(p.estandar, "TX"), p.aplicacion, p.pdf}) CrearDirectorio(d);

    p.informe << "_Quelo.emp: " + EscribirSiCambio(Rutas::Unir(p.estandar, "_Quelo.emp"), ArchivoEmpresas());
    p.informe << "_Quelo.prm: " + EscribirSiCambio(Rutas::Unir(p.estandar, "_Quelo.prm"), ArchivoBitmaps());
    // The catalogs the simulator delivers on "Nomencladores ...", once.
    const QString catalogos = Rutas::Unir(raiz, "catalogos");
    if (!QFileInfo::exists(Rutas::Unir(catalogos, "_SAL.3"))) p.informe << GenerarCatalogos(catalogos, "V250", "1");

    qputenv("TARSA_SETTINGS", p.ajustes.toUtf8());
    p.informe << "ajustes.ini: " + EscribirAjustes(p.estandar);

    const QString base = Rutas::Unir(p.aplicacion, kBaseDatos);
    if (!QFile::exists(base)) {
        if (!QFile::copy(baseEntregada, base))
            throw TarsaError(ErrArchivoNoEncontrado,
                             "No se puede copiar la base entregada " + baseEntregada + " a " + base);
        QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner);
        p.informe << kBaseDatos + ": copiada de " + baseEntregada;
    }
    gDB = std::make_unique<BaseDatos>();
    try {
        gDB->Abrir(base);
        gDB->ComenzarTransaccion();
        p.informe << CargarCatalogos(p.estandar);
        gDB->ConfirmarTransaccion();
    } catch (...) {
        if (gDB->EnTransaccion()) gDB->DeshacerTransaccion();
        gDB.reset();
        throw;
    }
    gDB.reset();
    return p;
}

}  // namespace Demo
