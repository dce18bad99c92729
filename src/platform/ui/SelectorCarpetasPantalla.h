#pragma once
// The folder chooser on screen: the system's own folder dialog where the platform has one.
#include "platform/SelectorCarpetas.h"

class SelectorCarpetasPantalla : public SelectorCarpetas {
public:
    QString BrowseFolders(QObject* propietario, const QString& mensaje, const QString& raiz) override;
    QString GuardarComo(QObject* propietario, const QString& titulo, const QString& propuesto) override;
};
