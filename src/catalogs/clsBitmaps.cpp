#include "catalogs/clsBitmaps.h"

#include "catalogs/ArchivoConfiguracion.h"
#include "catalogs/modConfiguracion.h"
#include "core/modConexion.h"
#include "platform/ArchivoTexto.h"
#include "platform/BaseDatos.h"
#include "platform/LectorNumeros.h"
#include "platform/Rutas.h"

Consulta clsBitmaps::Buscar(const QString& sWhere, const QString& pEmpresa, const QString& pActividad,
                            qint16 pOperacion, const QString& pArchivo) {
    return Proteger([&] {
        QString sql = "SELECT Empresa, Actividad, Operacion, Archivo, Parametro    FROM Bitmaps ";
        if (!sWhere.isEmpty()) {
            sql += " WHERE (" + sWhere + ")";
        } else if (!pEmpresa.isEmpty() || !pActividad.isEmpty() || pOperacion != 0 || !pArchivo.isEmpty()) {
            sql += " WHERE (Empresa=" + TextoSimple(pEmpresa) + " AND Actividad=" + TextoSimple(pActividad) +
                   " AND Operacion=" + Numero(pOperacion) + " AND Archivo = " + TextoSimple(pArchivo) + ")";
        }
        sql += " ORDER BY Empresa, Actividad, Operacion, Archivo";
        Consulta rs = AbrirConsulta(sql);
        if (Registros > 0) {
            Empresa = LeerTexto(*rs, "Empresa");
            Actividad = LeerTexto(*rs, "Actividad");
            Operacion = static_cast<qint16>(LeerEntero(*rs, "Operacion"));
            Archivo = LeerTexto(*rs, "Archivo");
            Parametro = LeerTexto(*rs, "Parametro");
        } else {
            Parametro.clear();
        }
        return rs;
    });
}

bool clsBitmaps::GrabarBitmap(bool bBorrarTodo, const QString& pEmpresa, const QString& pActividad, qint16 pOperacion,
                              const QString& pArchivo, const QString& pParametro) {
    return Proteger([&] {
        if (bBorrarTodo) {
            EjecutarAccion("DELETE FROM Bitmaps");
            return true;
        }
        // The first line of a key wins.
        if (Buscar({}, pEmpresa, pActividad, pOperacion, pArchivo); Registros > 0) return true;
        EjecutarAccion(
            "INSERT INTO Bitmaps (" + ListaColumnas({"Empresa", "Actividad", "Operacion", "Archivo", "Parametro"}) +
            "    VALUES(" +
            ListaValores({Texto(pEmpresa), Texto(pActividad), Numero(pOperacion), Texto(pArchivo), Texto(pParametro)}));
        return true;
    });
}

clsItemBitmap clsBitmaps::LeerLinea(const QString& linea) {
    return {linea.mid(0, 2), linea.mid(2, 2), Val<qint16>(linea.mid(4, 2)), linea.mid(6, 64).trimmed(),
            linea.mid(70, 100).trimmed()};
}

bool clsBitmaps::GetBitmaps() {
    return Proteger([&] {
        const auto leido =
            ArchivoTexto::LeerPrincipio(Rutas::Unir(DirectorioConfiguracion(), "_Quelo.prm"), kLimiteArchivo);
        if (!leido) return false;
        // Half a table of bitmaps would leave operations without their fields: a file too large, empty,
        // cut short or not made of bitmaps is refused whole, before the table is touched.
        if (leido->Tamano > kLimiteArchivo) throw ConfiguracionExcedida("_Quelo.prm", leido->Tamano, kLimiteArchivo);
        const QList<clsItemBitmap> bitmaps = ArchivoConfiguracion::LeerBitmaps(leido->Bytes);
        BaseAbierta().Transaccion([&] {
            GrabarBitmap(true);
            for (const clsItemBitmap& b : bitmaps)
                GrabarBitmap(false, b.Empresa, b.Actividad, b.Operacion, b.Archivo, b.Parametro);
        });
        return true;
    });
}
