#include "platform/Traducciones.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

Traducciones::Traducciones(const QStringList& directorios) {
    for (const QString& directorio : directorios) {
        for (const char* archivo : {"qtbase_es", "qt_es"}) {
            auto traductor = std::make_unique<QTranslator>();
            if (!traductor->load(QString::fromLatin1(archivo), directorio)) continue;
            QCoreApplication::installTranslator(traductor.get());
            traductores_.push_back(std::move(traductor));
            return;
        }
    }
}

Traducciones::~Traducciones() {
    for (const auto& t : traductores_) QCoreApplication::removeTranslator(t.get());
}

QStringList Traducciones::Directorios() {
    return {QDir(QCoreApplication::applicationDirPath()).filePath("translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}
