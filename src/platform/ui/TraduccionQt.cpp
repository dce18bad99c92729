#include "platform/ui/TraduccionQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/Rutas.h"

QStringList DirectoriosTraduccionQt() {
    return {Rutas::Unir(QCoreApplication::applicationDirPath(), "translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool InstalarTraduccionQt(const QStringList& directorios) {
    static QTranslator traduccion;  // lives as long as the application
    for (const QString& d : directorios)
        if (traduccion.load("qtbase_es", d)) return QCoreApplication::installTranslator(&traduccion);
    QCoreApplication::removeTranslator(&traduccion);
    return false;
}
