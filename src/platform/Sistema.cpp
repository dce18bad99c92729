#include "platform/Sistema.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QSettings>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

bool SistemaReal::Abrir(const QString& documento) {
    const QUrl url = documento.contains("://") ? QUrl(documento) : QUrl::fromLocalFile(documento);
    return QDesktopServices::openUrl(url);
}

bool SistemaReal::IniciarPrograma(const QString& programa, const QStringList& argumentos) {
    return QProcess::startDetached(programa, argumentos);
}

QString SistemaReal::LeerRegistro(const QString& clave, const QString& valor) {
#ifdef Q_OS_WIN
    QSettings registro(clave, QSettings::NativeFormat);
    return registro.value(valor).toString();
#else
    Q_UNUSED(clave);
    Q_UNUSED(valor);
    return {};
#endif
}

void SistemaReal::TerminarProceso(int codigo) {
    // Nothing else runs after an orderly shutdown: no window gets another event.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(codigo);
}

namespace {
SistemaReal gReal;
Sistema* gActual = &gReal;

}  // namespace

Sistema& Sistema::Actual() { return *gActual; }
void Sistema::Establecer(Sistema* s) { gActual = s ? s : &gReal; }
