// tarsa-demo <dir>: prepares a demo installation of the client under <dir> (see scripts/demo.sh).
// tarsa-demo --catalogos <dir> [V250|V101] [activity type] [medications]: writes the catalog files a
// terminal delivers on a catalog update, of realistic size (50,000 medications, and doctors and
// diagnoses in proportion), for the simulator's --catalogs.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "CatalogosTerminal.h"
#include "PrepararDemo.h"
#include "core/modTarsa.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool catalogos = args.size() >= 3 && args[1] == "--catalogos";
    if (args.size() != 2 && !(catalogos && args.size() <= 6)) {
        std::fprintf(stderr,
                     "uso: tarsa-demo <directorio>\n"
                     "     tarsa-demo --catalogos <directorio> [V250|V101] [tipo de actividad] [medicamentos]\n");
        return 2;
    }
    if (!Ansi::Disponible()) {
        std::fprintf(stderr, "tarsa-demo: esta instalación no dispone de la página de códigos Windows-1252\n");
        return 1;
    }
    try {
        if (catalogos) {
            const QString version = args.value(3, "V250");
            Demo::TamanoCatalogos tamano;
            if (args.size() == 6) tamano = Demo::TamanoCatalogos::Proporcional(args[5].toInt());
            for (const QString& linea : Demo::GenerarCatalogos(args[2], version, args.value(4, "1"), tamano))
                std::printf("  %s\n", qPrintable(linea));
            return 0;
        }
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
