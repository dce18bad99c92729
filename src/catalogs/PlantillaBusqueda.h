#pragma once
// The template language of the search dialog, as a pure function: the template, the pattern and
// the chosen option in; the statement, its columns and the return field out. No window, no
// database. The language is described in docs/busqueda.md.
#include <QList>
#include <QString>

// A column of the result list: "{Caption;width;alignment}Key".
struct ColumnaBusqueda {
    QString Clave;  // as written, possibly with a table prefix ("Empresas.Nombre")
    QString Campo;  // the field it reads: the key after its first "."
    QString Titulo;
    int AnchoTwips = -1;  // -1 when the template gives none
    int Alineacion = 0;   // 0 left, 1 right, 2 centre
};

struct OpcionBusqueda {
    QString Etiqueta;
    QString Condicion;  // empty for an option without condition ("Todos")
};

// A template with its options block taken out: the block reads "{Options}" in Plantilla.
struct PlantillaBusqueda {
    QString Plantilla;
    QList<OpcionBusqueda> Opciones;
};

struct SentenciaBusqueda {
    QString Sql;
    QList<ColumnaBusqueda> Columnas;
    QString CampoRetorno;  // the word after "{R}"; empty when there is none
};

// Takes the "{Options:label;condition;...}" block out of a template. A template already read
// (with "{Options}") comes back unchanged.
PlantillaBusqueda LeerPlantilla(const QString& plantilla);

// The statement of a search with the pattern under the option of that label (the first option when
// no label matches; no condition when the template has no options). The options block is expanded
// once: a condition that names "{Options}" again is copied as it stands, never rescanned. A pattern
// that goes outside quotes (a numeric condition such as "Matricula = {S}") must be a number.
// Throws TarsaError on an unclosed brace or a pattern that is not a number where one is due.
SentenciaBusqueda ConstruirSentencia(const QString& plantilla, const QString& patron, const QString& opcion = {});

// The field a key names: the text after its first ".".
QString CampoDeClave(const QString& clave);
