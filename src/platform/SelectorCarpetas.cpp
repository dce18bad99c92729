#include "platform/SelectorCarpetas.h"

#include "platform/Rutas.h"

namespace {

// Without a screen there is nobody to choose: the answer of a cancelled chooser.
class SelectorSinPantalla : public SelectorCarpetas {
public:
    QString BrowseFolders(QObject*, const QString&, const QString&) override { return {}; }
};

SelectorSinPantalla gSinPantalla;
SelectorCarpetas* gActual = &gSinPantalla;

}  // namespace

SelectorCarpetas& SelectorCarpetas::Actual() { return *gActual; }
void SelectorCarpetas::Establecer(SelectorCarpetas* s) { gActual = s ? s : &gSinPantalla; }

bool DirExists(const QString& path) { return !path.isEmpty() && Rutas::EsDirectorio(path); }
