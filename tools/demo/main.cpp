// tarsa-demo <dir>: prepares a demo installation of the client under <dir> (see scripts/demo.sh).
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "PrepararDemo.h"
#include "core/modTarsa.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "uso: tarsa-demo <directorio>\n");
        return 2;
    }
    if (!Ansi::Disponible()) {
        std::fprintf(stderr, "tarsa-demo: esta instalación no dispone de la página de códigos Windows-1252\n");
        return 1;
    }
    try {
        const Demo::Preparacion p =
            Demo::Preparar(args[1], Rutas::Unir(QCoreApplication::applicationDirPath(), kBaseDatos));
        for (const QString& linea : p.informe) std::printf("  %s\n", qPrintable(linea));
        std::printf("Directorio de trabajo: %s\nAjustes: %s\n", qPrintable(QDir::toNativeSeparators(p.estandar)),
                    qPrintable(QDir::toNativeSeparators(p.ajustes)));
    } catch (const std::exception& e) {
        const TarsaError t = ComoTarsaError(e);
        std::fprintf(stderr, "tarsa-demo: %s%s\n", t.Fuente.isEmpty() ? "" : qPrintable(t.Fuente + ": "),
                     qPrintable(t.Descripcion));
        return 1;
    }
    return 0;
}
