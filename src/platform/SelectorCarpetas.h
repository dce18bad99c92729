#pragma once
// The system's folder chooser. Windows never open a folder dialog themselves: they go through the
// current SelectorCarpetas, which the application replaces by its on-screen version and tests by a double.
#include <QString>

class QObject;

class SelectorCarpetas {
public:
    virtual ~SelectorCarpetas() = default;
    // Lets the user choose a folder, starting at raiz (the computer's drives when empty); the chosen
    // folder, or an empty text when the user cancelled.
    virtual QString BrowseFolders(QObject* propietario, const QString& mensaje, const QString& raiz) = 0;
    // Lets the user name a file to write, proposing propuesto; empty when the user cancelled (and
    // always without a screen).
    virtual QString GuardarComo(QObject* propietario, const QString& titulo, const QString& propuesto) {
        (void)propietario, (void)titulo, (void)propuesto;
        return {};
    }

    static SelectorCarpetas& Actual();
    // Installs another implementation (not owned); nullptr restores the one without a screen, which
    // chooses nothing.
    static void Establecer(SelectorCarpetas* s);
};

// True when a directory of that name exists (names found without regard to letter case).
bool DirExists(const QString& path);
