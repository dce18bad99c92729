#include "platform/ui/SelectorCarpetasPantalla.h"

#include <QDir>
#include <QFileDialog>
#include <QWidget>

QString SelectorCarpetasPantalla::BrowseFolders(QObject* propietario, const QString& mensaje, const QString& raiz) {
    const QString elegida = QFileDialog::getExistingDirectory(qobject_cast<QWidget*>(propietario), mensaje, raiz,
                                                              QFileDialog::ShowDirsOnly);
    return elegida.isEmpty() ? QString() : QDir::toNativeSeparators(elegida);
}

QString SelectorCarpetasPantalla::GuardarComo(QObject* propietario, const QString& titulo, const QString& propuesto) {
    return QFileDialog::getSaveFileName(qobject_cast<QWidget*>(propietario), titulo, propuesto);
}
