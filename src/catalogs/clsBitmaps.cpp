#include "catalogs/clsBitmaps.h"

#include <QFile>

#include "core/modTarsa.h"
#include "platform/Ansi.h"
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

bool clsBitmaps::GrabarBitmap(bool bBorrarTodo, const QString& pEmpresa, const QString& pActividad,
                              qint16 pOperacion, const QString& pArchivo, const QString& pParametro) {
    return Proteger([&] {
        if (bBorrarTodo) {
            EjecutarAccion("DELETE FROM Bitmaps");
            return true;
        }
        // The first line of a key wins.
        if (Buscar({}, pEmpresa, pActividad, pOperacion, pArchivo); Registros > 0) return true;
        EjecutarAccion("INSERT INTO Bitmaps (" +
                       ListaColumnas({"Empresa", "Actividad", "Operacion", "Archivo", "Parametro"}) + "    VALUES(" +
                       ListaValores({Texto(pEmpresa), Texto(pActividad), Numero(pOperacion), Texto(pArchivo),
                                     Texto(pParametro)}));
        return true;
    });
}

clsItemBitmap clsBitmaps::LeerLinea(const QString& linea) {
    return {linea.mid(0, 2), linea.mid(2, 2), static_cast<qint16>(Val(linea.mid(4, 2))), linea.mid(6, 64).trimmed(),
            linea.mid(70, 100).trimmed()};
}

bool clsBitmaps::GetBitmaps() {
    return Proteger([&] {
        const QString archivo = Rutas::Resolver(Rutas::Unir(DirectorioConfiguracion(), "_Quelo.prm"));
        if (!Rutas::EsArchivo(archivo)) return false;
        QFile prm(archivo);
        if (!prm.open(QIODevice::ReadOnly)) throw TarsaError(53, "No se puede abrir el archivo " + archivo);
        const QList<QByteArray> lineas = prm.readAll().split('\n');
        prm.close();
        GrabarBitmap(true);
        for (QByteArray linea : lineas) {
            if (linea.endsWith('\r')) linea.chop(1);
            // A blank line (the end of the last one) carries no bitmap.
            if (linea.isEmpty() || linea.startsWith('[')) continue;
            const clsItemBitmap b = LeerLinea(Ansi::Decodificar(linea));
            GrabarBitmap(false, b.Empresa, b.Actividad, b.Operacion, b.Archivo, b.Parametro);
        }
        return true;
    });
}
