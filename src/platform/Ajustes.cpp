#include "platform/Ajustes.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace Ajustes {

namespace {

std::unique_ptr<QSettings> Abrir(const QString& app) {
    const QString archivo = qEnvironmentVariable("TARSA_SETTINGS");
    if (!archivo.isEmpty()) return std::make_unique<QSettings>(archivo, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\" + app,
                                       QSettings::NativeFormat);
#else
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettings>(QDir(dir).filePath(app + ".ini"), QSettings::IniFormat);
#endif
}

}  // namespace

QString Obtener(const QString& app, const QString& seccion, const QString& clave, const QString& defecto) {
    auto s = Abrir(app);
    s->beginGroup(seccion);
    const QVariant v = s->value(clave);
    if (!v.isValid()) return defecto;
    // A value that looks like a list in an INI file still reads as the text that was saved.
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(", ");
    return v.toString();
}

void Guardar(const QString& app, const QString& seccion, const QString& clave, const QString& valor) {
    Guardar(app, seccion, {{clave, valor}});
}

void Guardar(const QString& app, const QString& seccion, const QList<QPair<QString, QString>>& valores) {
    auto s = Abrir(app);
    s->beginGroup(seccion);
    // Only what changed is written, all of it at once: every write of the file reaches the disk.
    bool cambios = false;
    for (const auto& [clave, valor] : valores) {
        const QVariant actual = s->value(clave);
        if (actual.isValid() && actual.typeId() == QMetaType::QString && actual.toString() == valor) continue;
        s->setValue(clave, valor);
        cambios = true;
    }
    s->endGroup();
    if (cambios) s->sync();
}

void Borrar(const QString& app, const QString& seccion, const QString& clave) {
    auto s = Abrir(app);
    if (clave.isEmpty()) {
        s->remove(seccion);
    } else {
        s->beginGroup(seccion);
        s->remove(clave);
        s->endGroup();
    }
    s->sync();
}

QStringList Claves(const QString& app, const QString& seccion) {
    auto s = Abrir(app);
    s->beginGroup(seccion);
    return s->childKeys();
}

QString Ubicacion(const QString& app) { return Abrir(app)->fileName(); }

}  // namespace Ajustes
