#pragma once
// Qt's own Spanish texts (the Yes/No/OK buttons of a message box, the folder and file choosers,
// the context menus of text boxes): the program speaks Spanish whatever the system's language.
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <vector>

class Traducciones {
public:
    // Looks up qtbase_es (and qt_es where qtbase_es is missing) in each directory in turn and installs
    // the first found; stays installed while the object lives.
    explicit Traducciones(const QStringList& directorios = Directorios());
    ~Traducciones();
    Traducciones(const Traducciones&) = delete;
    Traducciones& operator=(const Traducciones&) = delete;

    bool Cargadas() const { return !traductores_.empty(); }
    // "translations" beside the executable (where the Windows installation carries them), then Qt's own.
    static QStringList Directorios();

private:
    std::vector<std::unique_ptr<QTranslator>> traductores_;
};
