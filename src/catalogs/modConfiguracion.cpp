// The terminal's configuration of companies, activities and licences, and the links built from it.
#include "catalogs/modConfiguracion.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include "catalogs/ArchivoConfiguracion.h"
#include "catalogs/clsActividades.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsPrestadores.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/RegistroAjustes.h"
#include "core/modConexion.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"
#include "platform/BaseDatos.h"
#include "platform/LectorNumeros.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

QString DirectorioConfiguracion() {
    const QString intercambio = Rutas::Unir(gQueloPath, gTermDir);
    const qsizetype termino = intercambio.toUpper().indexOf("TERM");
    if (termino < 0) return DirectorioTrabajoPredeterminado();
    QString dir = intercambio.left(termino);
    while (dir.size() > 1 && (dir.endsWith('\\') || dir.endsWith('/'))) dir.chop(1);
    return dir;
}

TarsaError ConfiguracionExcedida(const QString& archivo, qint64 tamano, qint64 maximo) {
    return TarsaError(ErrAccesoRuta,
                      QString::fromUtf8("El archivo de configuración %1 es más grande de lo que puede ser (%2 "
                                        "bytes; el máximo es %3): no se leyó y la configuración quedó como estaba.")
                          .arg(archivo)
                          .arg(tamano)
                          .arg(maximo));
}

bool HayConfiguracionNueva(const QString& tipo, QString& fecha) {
    const bool prm = tipo.compare("PRM", Qt::CaseInsensitive) == 0;
    const QString archivo = Rutas::Unir(DirectorioConfiguracion(), prm ? "_Quelo.prm" : "_Quelo.emp");
    if (!Rutas::EsArchivo(archivo)) return false;
    const QDate delArchivo = Rutas::FechaModificacion(archivo).date();
    fecha = delArchivo.toString("dd/MM/yyyy");
    const QString guardada = prm ? gFechaQueloPrm : gFechaQueloEmp;
    const auto importada = ParsearFechaDMA(guardada);
    if (!importada) throw TarsaError(ErrTiposNoCoinciden, "No coinciden los tipos: " + guardada);
    return *importada < delArchivo;
}

QString TipoActividadQuelo(int codigoActividad) {
    if (codigoActividad >= 2 && codigoActividad <= 6) return QStringLiteral("2");
    if (codigoActividad >= 7 && codigoActividad <= 11) return QStringLiteral("3");
    return QStringLiteral("1");  // 1, 13 and anything else
}

void CargarColEmpresas() {
    clsEmpresas empresas;
    QList<clsItemEmpresa> col;
    empresas.GetAP(col, false);
    gColEmpresas = col;
    QList<clsItemEmpresaQuelo> quelo;
    empresas.GetEmpQuelo(quelo);
    gColEmpresasQuelo = quelo;
}

namespace {

// Rows written as texts, in an order of their own, so that what the tables hold can be compared with
// what an import would leave in them without writing anything.
QStringList Ordenadas(QStringList filas) {
    filas.sort();
    return filas;
}

QString Fila(std::initializer_list<QString> campos) { return QStringList(campos).join(QChar(0x1f)); }

// A provider code as the table's key compares it (COLLATE NOCASE folds ASCII letters only).
QString ClaveCodigo(QString codigo) {
    for (QChar& c : codigo)
        if (c >= 'a' && c <= 'z') c = QChar(c.unicode() - 'a' + 'A');
    return codigo;
}

// The links the terminal's configuration asks for, by the first company, activity and provider of the
// collections that match each record; empty codes where one is missing.
struct Enlace {
    QString Codigo;
    qint16 IdEmpresa = 0;
    qint16 IdActividad = 0;
};

QList<Enlace> EnlacesPedidos() {
    // Filled from the end, so that the first item of a key is the one kept.
    QHash<QString, qint16> empresas;
    for (auto it = gColEmpresas.crbegin(); it != gColEmpresas.crend(); ++it) empresas[it->CodigoQuelo] = it->IdEmpresa;
    QHash<QPair<QString, qint16>, qint16> actividades;
    for (auto it = gColActividades.crbegin(); it != gColActividades.crend(); ++it)
        actividades[{it->CodigoQuelo, it->IdEmpresa}] = it->IdActividad;
    QHash<QString, QString> prestadores;
    for (auto it = gColPrestadores.crbegin(); it != gColPrestadores.crend(); ++it)
        prestadores[it->LicenciaQuelo] = it->Codigo;

    QList<Enlace> enlaces;
    for (const clsItemEmpresaQuelo& e : gColEmpresasQuelo) {
        const qint16 idEmpresa = empresas.value(e.CodigoEmpresa, 0);
        const qint16 idActividad = actividades.value({e.CodigoActividad, idEmpresa}, 0);
        const QString codigo = prestadores.value(e.Licencia);
        if (idEmpresa != 0 && idActividad != 0 && !codigo.isEmpty()) enlaces.append({codigo, idEmpresa, idActividad});
    }
    return enlaces;
}

}  // namespace

void AsignarLicenciaActividad() {
    clsActividades actividades;
    if (!gColEmpresasQuelo.isEmpty()) {
        const QList<Enlace> enlaces = EnlacesPedidos();
        // The table keeps one row per provider (in any letter case), company and activity.
        QSet<QString> pedidos;
        for (const Enlace& e : enlaces)
            pedidos.insert(Fila({ClaveCodigo(e.Codigo), QString::number(e.IdEmpresa), QString::number(e.IdActividad)}));
        clsPrestadores prestadores;
        QList<clsItemLicenciaActividad> actuales;
        prestadores.GetActividades(actuales);
        QSet<QString> hay;
        for (const clsItemLicenciaActividad& a : actuales)
            hay.insert(Fila({ClaveCodigo(a.Codigo), QString::number(a.IdEmpresa), QString::number(a.IdActividad)}));
        // Every start comes here: when the links are already those asked for, nothing is written.
        if (pedidos != hay || qsizetype(hay.size()) != actuales.size()) {
            BaseAbierta().Transaccion([&] {
                prestadores.ProcesarActividad(5);
                for (const Enlace& e : enlaces) prestadores.ProcesarActividad(1, e.Codigo, e.IdEmpresa, e.IdActividad);
            });
        }
    }
    QList<clsItemLicenciaActividad> col;
    actividades.GetLicAct(col);
    gColLicAct = col;
}

namespace {

// The tables as the import leaves them, as rows compared by ConfiguracionSinCambios: the first record
// of each key wins, as the tables' keys refuse the later ones.
struct Tablas {
    QStringList Empresas, Actividades, Prestadores;
};

QString SinComillas(QString t) { return t.replace('"', '\''); }

Tablas TablasDelArchivo(const QList<clsItemEmpresaQuelo>& quelo, const QList<clsItemEmpresa>& empresasActuales) {
    Tablas t;
    QSet<qint64> empresas;
    QSet<QPair<qint64, qint64>> actividades;
    QSet<QString> prestadores;
    for (const clsItemEmpresaQuelo& e : quelo) {
        const qint64 empresa = Val(e.CodigoEmpresa);
        if (empresa == 99) continue;
        const qint64 actividad = Val(e.CodigoActividad);
        if (!empresas.contains(empresa)) {
            empresas.insert(empresa);
            t.Empresas << Fila({QString::number(empresa), SinComillas(e.NombreEmpresa), e.CodigoEmpresa});
        }
        if (!actividades.contains({empresa, actividad})) {
            actividades.insert({empresa, actividad});
            t.Actividades << Fila({QString::number(empresa), QString::number(actividad), SinComillas(e.NombreActividad),
                                   TipoActividadQuelo(static_cast<int>(actividad)), e.CodigoActividad});
        }
        if (!prestadores.contains(ClaveCodigo(e.Licencia))) {
            prestadores.insert(ClaveCodigo(e.Licencia));
            t.Prestadores << Fila({e.Licencia, SinComillas(e.Licencia), "0", e.Licencia, "0", "0"});
        }
    }
    // Without a record to import the companies are not emptied.
    if (empresas.isEmpty())
        for (const clsItemEmpresa& e : empresasActuales)
            t.Empresas << Fila({QString::number(e.IdEmpresa), e.Nombre, e.CodigoQuelo});
    return t;
}

Tablas TablasActuales(const QList<clsItemEmpresa>& empresas) {
    Tablas t;
    for (const clsItemEmpresa& e : empresas)
        t.Empresas << Fila({QString::number(e.IdEmpresa), e.Nombre, e.CodigoQuelo});
    QList<clsItemActividad> actividades;
    clsActividades().GetAP(actividades);
    for (const clsItemActividad& a : actividades)
        t.Actividades << Fila(
            {QString::number(a.IdEmpresa), QString::number(a.IdActividad), a.Nombre, a.Tipo, a.CodigoQuelo});
    QList<clsItemPrestador> prestadores;
    clsPrestadores().GetAP(prestadores, false);
    for (const clsItemPrestador& p : prestadores)
        t.Prestadores << Fila(
            {p.Codigo, p.Nombre, p.Tipo, p.LicenciaQuelo, p.Matricula, p.CadenaSucursales ? "1" : "0"});
    return t;
}

bool ConfiguracionSinCambios(const QList<clsItemEmpresaQuelo>& quelo) {
    const Tablas archivo = TablasDelArchivo(quelo, gColEmpresas);
    const Tablas actuales = TablasActuales(gColEmpresas);
    return Ordenadas(archivo.Empresas) == Ordenadas(actuales.Empresas) &&
           Ordenadas(archivo.Actividades) == Ordenadas(actuales.Actividades) &&
           Ordenadas(archivo.Prestadores) == Ordenadas(actuales.Prestadores);
}

// The records of _Quelo.emp for an import, which needs the file: without it the companies would be
// emptied.
QList<clsItemEmpresaQuelo> EmpresasParaImportar() {
    const QString ruta = Rutas::Unir(gQueloPath, "_Quelo.emp");
    const auto leidas = ArchivoConfiguracion::LeerEmpresas(ruta, clsEmpresas::kMaximoRegistrosQuelo);
    if (!leidas)
        throw ArchivoConfiguracion::ConfiguracionRechazada("_Quelo.emp", ErrArchivoNoEncontrado,
                                                           "no está en " + QDir::toNativeSeparators(gQueloPath));
    return *leidas;
}

}  // namespace

void ImportarConfiguracion(bool preguntar) {
    if (preguntar) {
        const int r = MsgBox(
            "CUIDADO!!!\nEste proceso borrará los datos configurados manualmente\n"
            "para empresas, afiliados y prestadores. Los que serán\n"
            "reemplazados por los datos de la configuración de quelo.\n¿ Desea Continuar?",
            Mensajes::vbYesNo | Mensajes::vbDefaultButton2 | Mensajes::vbExclamation, "Configuración inicial");
        if (r != Mensajes::vbYes) return;
    }
    // The whole file is read and checked before anything is replaced.
    const QList<clsItemEmpresaQuelo> quelo = [] {
        try {
            return EmpresasParaImportar();
        } catch (const std::exception& e) {
            throw ComoTarsaError(e, "clsEmpresas");
        }
    }();
    {
        QList<clsItemEmpresa> col;
        clsEmpresas().GetAP(col, false);
        gColEmpresas = col;
        gColEmpresasQuelo = quelo;
    }

    clsEmpresas empresas;
    clsActividades actividades;
    clsPrestadores prestadores;
    // All or nothing: a crash half way would leave the companies without activities or providers,
    // and nothing would import them again. A configuration the tables already hold is not written.
    if (!ConfiguracionSinCambios(quelo)) {
        BaseAbierta().Transaccion([&] {
            actividades.Condicion.clear();
            actividades.Procesar(2);
            prestadores.Condicion.clear();
            prestadores.Procesar(2);

            int n = 0;
            for (const clsItemEmpresaQuelo& e : quelo) {
                if (Val(e.CodigoEmpresa) == 99) continue;
                ++n;
                empresas.PutAP(n, e.CodigoEmpresa, e.NombreEmpresa, e.CodigoEmpresa, false);
                const auto actividad = Val<qint32>(e.CodigoActividad);
                actividades.Procesar(1, Val<qint32>(e.CodigoEmpresa), actividad, e.NombreActividad,
                                     TipoActividadQuelo(actividad), e.CodigoActividad);
                prestadores.Procesar(1, e.Licencia, e.Licencia, "0", e.Licencia, QString(), false);
            }
            empresas.PutAP(0, QString(), QString(), QString(), false);
        });
        QList<clsItemEmpresa> col;
        empresas.GetAP(col, false);
        gColEmpresas = col;
    }

    QList<clsItemPrestador> colPrestadores;
    prestadores.GetAP(colPrestadores, false);
    gColPrestadores = colPrestadores;
    QList<clsItemActividad> colActividades;
    actividades.GetAP(colActividades);
    gColActividades = colActividades;
    AsignarLicenciaActividad();

    if (preguntar) MsgBox("Se ha configurado Licencia; empresa y actividad", Mensajes::vbInformation, "Configuración");
}
