// The terminal's configuration of companies, activities and licences, and the links built from it.
#include "catalogs/modConfiguracion.h"

#include <QFileInfo>

#include "catalogs/clsActividades.h"
#include "catalogs/clsEmpresas.h"
#include "catalogs/clsPrestadores.h"
#include "catalogs/modInicioCatalogos.h"
#include "core/modTarsa.h"
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

void AsignarLicenciaActividad() {
    clsActividades actividades;
    if (!gColEmpresasQuelo.isEmpty()) {
        clsPrestadores prestadores;
        prestadores.ProcesarActividad(5);
        for (const clsItemEmpresaQuelo& e : gColEmpresasQuelo) {
            qint16 idEmpresa = 0;
            for (const clsItemEmpresa& emp : gColEmpresas)
                if (emp.CodigoQuelo == e.CodigoEmpresa) {
                    idEmpresa = emp.IdEmpresa;
                    break;
                }
            qint16 idActividad = 0;
            for (const clsItemActividad& act : gColActividades)
                if (act.CodigoQuelo == e.CodigoActividad && act.IdEmpresa == idEmpresa) {
                    idActividad = act.IdActividad;
                    break;
                }
            QString codigo;
            for (const clsItemPrestador& p : gColPrestadores)
                if (p.LicenciaQuelo == e.Licencia) {
                    codigo = p.Codigo;
                    break;
                }
            if (idEmpresa != 0 && idActividad != 0 && !codigo.isEmpty())
                prestadores.ProcesarActividad(1, codigo, idEmpresa, idActividad);
        }
    }
    QList<clsItemLicenciaActividad> col;
    actividades.GetLicAct(col);
    gColLicAct = col;
}

void ImportarConfiguracion(bool preguntar) {
    if (preguntar) {
        const int r = MsgBox(
            "CUIDADO!!!\nEste proceso borrará los datos configurados manualmente\n"
            "para empresas, afiliados y prestadores. Los que serán\n"
            "reemplazados por los datos de la configuración de quelo.\n¿ Desea Continuar?",
            Mensajes::vbYesNo | Mensajes::vbDefaultButton2 | Mensajes::vbExclamation, "Configuración inicial");
        if (r != Mensajes::vbYes) return;
    }
    CargarColEmpresas();

    clsEmpresas empresas;
    clsActividades actividades;
    clsPrestadores prestadores;
    // All or nothing: a crash half way would leave the companies without activities or providers,
    // and nothing would import them again.
    BaseAbierta().Transaccion([&] {
        actividades.Condicion.clear();
        actividades.Procesar(2);
        prestadores.Condicion.clear();
        prestadores.Procesar(2);

        int n = 0;
        for (const clsItemEmpresaQuelo& e : gColEmpresasQuelo) {
            if (Val(e.CodigoEmpresa) == 99) continue;
            ++n;
            empresas.PutAP(n, e.CodigoEmpresa, e.NombreEmpresa, e.CodigoEmpresa, false);
            const auto actividad = static_cast<qint32>(Val(e.CodigoActividad));
            actividades.Procesar(1, static_cast<qint32>(Val(e.CodigoEmpresa)), actividad, e.NombreActividad,
                                 TipoActividadQuelo(actividad), e.CodigoActividad);
            prestadores.Procesar(1, e.Licencia, e.Licencia, "0", e.Licencia, QString(), false);
        }
        empresas.PutAP(0, QString(), QString(), QString(), false);
    });

    CargarColEmpresas();
    QList<clsItemPrestador> colPrestadores;
    prestadores.GetAP(colPrestadores, false);
    gColPrestadores = colPrestadores;
    QList<clsItemActividad> colActividades;
    actividades.GetAP(colActividades);
    gColActividades = colActividades;
    AsignarLicenciaActividad();

    if (preguntar) MsgBox("Se ha configurado Licencia; empresa y actividad", Mensajes::vbInformation, "Configuración");
}
