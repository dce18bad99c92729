// The search templates: a template, the pattern the user typed and the chosen option, separated by
// NUL bytes in the input, turned into the search statement and then into SQLite's dialect.
#include "Banco.h"
#include "catalogs/PlantillaBusqueda.h"
#include "platform/Ansi.h"
#include "platform/BaseDatos.h"
#include "platform/CacheSentencias.h"
#include "platform/TarsaError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    Banco::Preparar();
    const QList<QByteArray> partes = Banco::Partes(Banco::Bytes(datos, tamano), '\0', 3);
    const QString plantilla = QString::fromUtf8(partes[0]);
    const QString patron = QString::fromUtf8(partes[1]);
    const QString opcion = QString::fromUtf8(partes[2]);
    const PlantillaBusqueda leida = LeerPlantilla(plantilla);
    // Reading a template already read gives it back unchanged.
    if (LeerPlantilla(leida.Plantilla).Plantilla != leida.Plantilla) __builtin_trap();
    try {
        const SentenciaBusqueda s = ConstruirSentencia(plantilla, patron, opcion);
        QList<QVariant> valores;
        (void)CacheSentencias::Forma(s.Sql, valores);
        for (const ColumnaBusqueda& c : s.Columnas) (void)CampoDeClave(c.Clave);
    } catch (const TarsaError&) {
        // an unclosed brace or a pattern that is not a number: told to the user
    }
    return 0;
}
