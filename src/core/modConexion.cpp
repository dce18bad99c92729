// The local database's connection and upkeep, and this run's exchange directory.
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cmath>

#include "core/modTarsa.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/Sistema.h"
#include "platform/TarsaError.h"

namespace {

// Compacts and opens; a failure of either asks for a repair. Returns whether the database is open.
bool CompactarYAbrir(const QString& archivo) {
    const QString tmp = archivo + ".tmp";
    try {
        BaseDatos::Compactar(archivo, tmp);
    } catch (const TarsaError&) {
        if (!RepararBase(archivo)) return false;
        // The repaired file is kept as the database and opened as it is.
        gDB = std::make_unique<BaseDatos>();
        gDB->Abrir(archivo);
        return true;
    }
    // The compacted copy replaces the database in one step: at every moment either the old file or
    // the complete new one is there.
    Rutas::Reemplazar(tmp, archivo);
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

}  // namespace

bool Conectar(const QString& archivo) {
    const QString tmp = archivo + ".tmp";
    const QString bak = archivo + ".bak";
    try {
        if (QFileInfo::exists(tmp)) QFile::remove(tmp);
        if (!QFileInfo::exists(archivo)) QFile::rename(bak, archivo);  // a failure here is ignored
        if (!QFileInfo::exists(archivo)) {
            MsgBox("No existe Base de datos \n" + QDir::toNativeSeparators(archivo), Mensajes::vbCritical, "Conectar");
            return false;
        }
        return CompactarYAbrir(archivo);
    } catch (const std::exception& e) {
        gDB.reset();
        QFile::remove(tmp);
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Conectar");
        return false;
    }
}

bool RepararBase(const QString& archivo) {
    if (MsgBox("Reparar base de datos?", Mensajes::vbYesNo | Mensajes::vbQuestion) != Mensajes::vbYes) return false;
    const auto errores = BaseDatos::Reparar(archivo);
    if (errores.isEmpty()) return true;
    QString texto = "No se ha podido reparar la base de datos!";
    for (const auto& [numero, descripcion] : errores) texto += "\n" + QString::number(numero) + ": " + descripcion;
    MsgBox(texto, Mensajes::vbCritical, "ERROR");
    return false;
}

bool Desconectar() {
    QString archivo;
    try {
        if (!gDB) throw TarsaError(91, "La base de datos no está abierta");
        archivo = gDB->Archivo();
        gDB->Cerrar();
        gDB.reset();
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Desconectar");
        return false;
    }
    CopiarRespaldo(archivo);
    // From here on failures are ignored: left-over files stay for the next run.
    Rutas::Borrar(Rutas::Unir(gQueloPath, "termupg\\_Tarsa.end"));
    if (!gTermDir.isEmpty()) BorrarDirectorioIntercambio(DirectorioIntercambio());
    Sistema::Actual().TerminarProceso(0);
    return true;
}

void NuevaTransaccionFarmacia() {
    if (!gNuevaTransaccion) return;
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    const double n = std::nearbyint(QRandomGenerator::global()->generateDouble() * 1001);
    gNTransaccionFarmacia = QString::number(static_cast<int>(n));
}

QString SoloDigitos(const QString& texto) {
    QString digitos;
    for (const QChar c : texto.trimmed())
        if (c >= '0' && c <= '9') digitos += c;
    while (digitos.size() < 4) digitos += '0';
    return digitos;
}
