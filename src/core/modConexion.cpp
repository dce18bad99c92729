// The local database's connection and upkeep.
#include "core/modConexion.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/modBaseLocal.h"
#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "platform/BaseDatos.h"
#include "platform/Mensajes.h"
#include "platform/Privado.h"
#include "platform/Rutas.h"
#include "platform/Sistema.h"
#include "platform/TarsaError.h"

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

// Compacts and opens; a failure of either asks for a repair. Returns whether the database is open.
// A file without free pages is already compact and is opened as it is.
bool CompactarYAbrir(const QString& archivo) {
    const QString tmp = archivo + ".tmp";
    if (BaseDatos::PaginasLibres(archivo) != 0) {
        try {
            BaseDatos::Compactar(archivo, tmp);
        } catch (const TarsaError&) {
            if (!RepararBase(archivo)) return false;
            // The repaired file is kept as the database and opened as it is.
            gDB = std::make_unique<BaseDatos>();
            gDB->Abrir(archivo);
            return true;
        }
        // The compacted copy replaces the database in one step: at every moment either the old file
        // or the complete new one is there.
        Rutas::Reemplazar(tmp, archivo);
    }
    try {
        auto db = std::make_unique<BaseDatos>();
        db->Abrir(archivo);
        gDB = std::move(db);
    } catch (const TarsaError&) {
        if (!RepararBase(archivo)) return false;
        gDB = std::make_unique<BaseDatos>();
        gDB->Abrir(archivo);
    }
    return true;
}

QString Nombre(const QString& archivo) { return QFileInfo(archivo).fileName(); }

// The damaged file is kept under another name and the backup of the last orderly shutdown takes its
// place; the user is told what the journal may be missing.
void VolverAlRespaldo(const QString& archivo) {
    const QDateTime fecha = QFileInfo(archivo + ".bak").lastModified();
    const QString apartado = ApartarArchivo(archivo, "averiada");
    RestaurarRespaldo(archivo);
    MsgBox("La base de datos " + Nombre(archivo) + " estaba dañada y no se pudo reparar. Se guardó sin cambios como " +
               Nombre(apartado) + " y el programa sigue con la copia de respaldo del " +
               fecha.toString("dd/MM/yyyy HH:mm") + ": lo hecho después de esa fecha no está en ella.",
           Mensajes::vbExclamation, "Conectar");
}

// An Access database of the program this one replaces cannot be opened here: it is kept untouched
// under another name and the client starts from its own backup or from the delivered database.
void ReemplazarBaseAccess(const QString& archivo) {
    const QString apartado = ApartarArchivo(archivo, "Access");
    QString sigue;
    if (BaseSana(archivo + ".bak")) {
        RestaurarRespaldo(archivo);
        sigue = "El programa sigue con la copia de respaldo de la última vez que se cerró.";
    } else {
        CrearBaseEntregada(archivo);
        // The empty database needs the terminal's configuration again, whatever was imported before.
        gFechaQueloPrm = gFechaQueloEmp = QStringLiteral("01/01/1990");
        sigue = "El programa empieza con una base de datos nueva y vuelve a tomar la configuración de la terminal.";
    }
    MsgBox(Nombre(archivo) +
               " es una base de datos de Access, de la versión anterior del programa, que esta versión "
               "no usa. Se guardó sin cambios como " +
               Nombre(apartado) + ".\n" + sigue,
           Mensajes::vbInformation, "Conectar");
}

// A database of an earlier version gets this version's tables; should that fail, the program goes
// on with the tables as they are (its look-ups then tell letter case apart) and says so.
void AlEsquemaEntregado() {
    try {
        ActualizarEsquema(*gDB);
    } catch (const std::exception& e) {
        MsgBox(QString::fromUtf8("No se pudo actualizar la base de datos a esta versión: ") +
                   ComoTarsaError(e).Descripcion,
               Mensajes::vbExclamation, "Conectar");
    }
}

}  // namespace

std::unique_ptr<BaseDatos> gDB;

BaseDatos& BaseAbierta(const QString& fuente) {
    if (!gDB) throw TarsaError(ErrObjetoNoAsignado, QString::fromUtf8("La base de datos no está abierta"), fuente);
    return *gDB;
}

bool Conectar(const QString& archivo) {
    const QString tmp = archivo + ".tmp";
    const QString bak = archivo + ".bak";
    try {
        if (QFileInfo::exists(tmp)) QFile::remove(tmp);
        if (BaseDatos::FormatoDe(archivo) == BaseDatos::Formato::Jet) ReemplazarBaseAccess(archivo);
        // A copy, so that the backup is still there should this start fail as well.
        if (!QFileInfo::exists(archivo) && BaseSana(bak)) RestaurarRespaldo(archivo);
        if (!QFileInfo::exists(archivo)) {
            MsgBox("No existe Base de datos \n" + QDir::toNativeSeparators(archivo), Mensajes::vbCritical, "Conectar");
            return false;
        }
        // Looking at the tables rolls back what a crashed write left half done, so only a file that
        // is damaged or not this program's database asks for a repair.
        if (!EsBaseDelPrograma(archivo) && !RepararBase(archivo)) return false;
        if (!CompactarYAbrir(archivo)) return false;
        // The engine makes its files as the umask says; the journal and the pages are the pharmacy's.
        Privado::Restringir(archivo);
        AlEsquemaEntregado();
        return true;
    } catch (const std::exception& e) {
        gDB.reset();
        QFile::remove(tmp);
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Conectar");
        return false;
    }
}

bool RepararBase(const QString& archivo) {
    if (MsgBox("Reparar base de datos?", Mensajes::vbYesNo | Mensajes::vbQuestion) != Mensajes::vbYes) return false;
    auto errores = BaseDatos::Reparar(archivo);
    if (errores.isEmpty() && EsBaseDelPrograma(archivo)) return true;
    if (errores.isEmpty())
        errores.append({ErrBaseNoValida, "El archivo no tiene las tablas de la base de datos del programa"});
    if (BaseSana(archivo + ".bak")) {
        VolverAlRespaldo(archivo);
        return true;
    }
    QString texto = "No se ha podido reparar la base de datos!";
    for (const auto& [numero, descripcion] : errores) texto += "\n" + QString::number(numero) + ": " + descripcion;
    MsgBox(texto, Mensajes::vbCritical, "ERROR");
    return false;
}

bool Desconectar() {
    QString archivo;
    bool fallas = false;
    try {
        archivo = BaseAbierta().Archivo();
        fallas = gDB->HuboFallas();
        gDB->Cerrar();
        gDB.reset();
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Desconectar");
        return false;
    }
    // Every page is read before the backup only when the engine failed during the session: a file
    // that never failed is taken as sound, which saves a pass over the whole file at every exit.
    CopiarRespaldo(archivo, fallas);
    // From here on failures are ignored: left-over files stay for the next run.
    Rutas::Borrar(Rutas::Unir(gQueloPath, "termupg\\_Tarsa.end"));
    if (!gTermDir.isEmpty()) BorrarDirectorioIntercambio(DirectorioIntercambio());
    // The process ends without running destructors: the claim on the application directory is given
    // up here, or its lock file would be left for the next start to judge and take over.
    LiberarDirectorioAplicacion();
    Sistema::Actual().TerminarProceso(0);
    return true;
}

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
