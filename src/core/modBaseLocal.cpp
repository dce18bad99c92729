// The local database file: recognising it, making the delivered one, setting damaged or foreign
// files aside and restoring the backup.
#include "core/modBaseLocal.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/modTarsa.h"
#include "platform/BaseDatos.h"
#include "platform/BloqueoInstancia.h"
#include "platform/Mensajes.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

QString Esquema() {
    QFile f(QStringLiteral(":/schema.sql"));
    if (!f.open(QIODevice::ReadOnly))
        throw TarsaError(ErrArchivoNoEncontrado, "Falta el esquema de la base de datos entregada");
    return QString::fromUtf8(f.readAll());
}

}  // namespace

QStringList TablasEntregadas() {
    static const QStringList tablas = [] {
        QStringList r;
        static const QRegularExpression crear(QStringLiteral("CREATE\\s+TABLE\\s+(\\w+)"),
                                              QRegularExpression::CaseInsensitiveOption);
        for (auto it = crear.globalMatch(Esquema()); it.hasNext();) r << it.next().captured(1);
        return r;
    }();
    return tablas;
}

bool EsBaseDelPrograma(const QString& archivo) {
    if (BaseDatos::FormatoDe(archivo) != BaseDatos::Formato::SQLite) return false;
    try {
        const QStringList tablas = BaseDatos::Tablas(archivo);
        for (const QString& t : TablasEntregadas())
            if (!tablas.contains(t, Qt::CaseInsensitive)) return false;
        return true;
    } catch (const TarsaError&) {
        return false;
    }
}

bool BaseSana(const QString& archivo) { return EsBaseDelPrograma(archivo) && BaseDatos::Intacta(archivo); }

namespace {

// A journal with no database beside it would be rolled back into the file that takes the name.
void DescartarDiarioHuerfano(const QString& archivo) {
    if (!QFileInfo::exists(archivo)) QFile::remove(archivo + "-journal");
}

}  // namespace

void CrearBaseEntregada(const QString& archivo) {
    DescartarDiarioHuerfano(archivo);
    const QString nueva = archivo + ".nueva";
    QFile::remove(nueva);
    BaseDatos::Crear(nueva, Esquema());
    Rutas::Reemplazar(nueva, archivo);
}

QString ApartarArchivo(const QString& archivo, const QString& motivo) {
    const QFileInfo info(archivo);
    const QString base = Rutas::Unir(info.absolutePath(), info.completeBaseName() + "-" + motivo + "-" +
                                                              QDateTime::currentDateTime().toString("yyyyMMdd-HHmmss"));
    QString destino = base + "." + info.suffix();
    for (int n = 2; QFileInfo::exists(destino); ++n) destino = base + "-" + QString::number(n) + "." + info.suffix();
    Rutas::Reemplazar(archivo, destino);
    // A journal left beside the file belongs to it: beside another database it would be rolled back
    // into pages it was never written for.
    const QString diario = archivo + "-journal";
    if (QFileInfo::exists(diario)) Rutas::Reemplazar(diario, destino + "-journal");
    return destino;
}

void RestaurarRespaldo(const QString& archivo) {
    DescartarDiarioHuerfano(archivo);
    Rutas::CopiarSeguro(archivo + ".bak", archivo);
}

namespace {

std::unique_ptr<BloqueoInstancia>& Reserva() {
    static std::unique_ptr<BloqueoInstancia> reserva;
    return reserva;
}

}  // namespace

bool ReservarDirectorioAplicacion() {
    // A second client would compact the database under the first one's feet, and from then on the
    // first could not journal anything.
    auto reserva = std::make_unique<BloqueoInstancia>(Rutas::Unir(gDirectorioAplicacion, kAplicacion + ".lck"));
    if (!reserva->Tomar() && reserva->Ocupado()) {
        MsgBox("Tarsa Cliente ya se está ejecutando en esta computadora con la misma base de datos (" +
                   QDir::toNativeSeparators(gDirectorioAplicacion) + "). Use la ventana que ya está abierta.",
               Mensajes::vbExclamation, kAplicacion);
        return false;
    }
    Reserva() = std::move(reserva);
    return true;
}

void LiberarDirectorioAplicacion() { Reserva().reset(); }

namespace {

// The schema's statements, comments taken out (a comment may hold a ";").
QStringList SentenciasDelEsquema() {
    static const QRegularExpression comentario(QStringLiteral("--[^\n]*"));
    QStringList r;
    for (const QString& s : QString(Esquema()).remove(comentario).split(';'))
        if (!s.trimmed().isEmpty()) r << s.trimmed();
    return r;
}

QString Comparable(const QString& sql) { return sql.simplified().toUpper(); }

// The table a CREATE TABLE or CREATE INDEX ... ON statement is about.
QString TablaDe(const QString& sentencia) {
    static const QRegularExpression tabla(QStringLiteral("^CREATE\\s+TABLE\\s+(\\w+)|\\sON\\s+(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto m = tabla.match(sentencia);
    return m.hasMatch() ? m.captured(1) + m.captured(2) : QString();
}

// The keys an earlier schema gave a table, and the key this one gives it.
struct ClaveAnterior {
    const char* tabla;
    const char* anterior;
    const char* actual;
};
// The doctors were one list for every company, so a company's complete catalog could not hold a
// doctor another company already had; each company now keeps its own.
const ClaveAnterior kClavesAnteriores[] = {
    {"Medicos", "PRIMARY KEY (Matricula, TipoMatricula)", "PRIMARY KEY (IdEmpresa, Matricula, TipoMatricula)"},
};

// The definitions of a table that earlier schemas made, comparable: without the letter case of text
// keys, and with the keys they had; never the current definition itself.
QStringList DefinicionesAnteriores(const QString& crear) {
    QStringList formas{crear};
    for (const ClaveAnterior& c : kClavesAnteriores)
        if (TablaDe(crear).compare(c.tabla, Qt::CaseInsensitive) == 0 && crear.contains(c.actual))
            formas << QString(crear).replace(c.actual, c.anterior);
    QStringList anteriores;
    for (const QString& f : formas) anteriores << Comparable(f) << Comparable(QString(f).remove(" COLLATE NOCASE"));
    anteriores.removeAll(Comparable(crear));
    return anteriores;
}

QStringList Columnas(BaseDatos& db, const QString& tabla) {
    QStringList r;
    for (auto rs = db.Consultar("SELECT name FROM pragma_table_info('" + tabla + "')"); !rs->EOF_(); rs->MoveNext())
        r << rs->Campo(0).toString();
    return r;
}

// The table made again as the schema has it, with the rows it held (a row that the new keys take
// for a duplicate of another is dropped) and the schema's indexes.
void RehacerTabla(BaseDatos& db, const QString& tabla, const QString& crear, const QStringList& indices) {
    const QString anterior = tabla + "_anterior";
    db.Transaccion([&] {
        db.Ejecutar("ALTER TABLE " + tabla + " RENAME TO " + anterior);
        db.Ejecutar(crear);
        QStringList comunes;
        const QStringList viejas = Columnas(db, anterior);
        for (const QString& c : Columnas(db, tabla))
            if (viejas.contains(c, Qt::CaseInsensitive)) comunes << c;
        const QString lista = comunes.join(", ");
        db.Ejecutar("INSERT INTO " + tabla + " (" + lista + ") SELECT " + lista + " FROM " + anterior);
        db.Ejecutar("DROP TABLE " + anterior);
        for (const QString& indice : indices) db.Ejecutar(indice);
    });
}

}  // namespace

QStringList ActualizarEsquema(BaseDatos& db) {
    QStringList rehechas;
    const QStringList sentencias = SentenciasDelEsquema();
    for (const QString& crear : sentencias) {
        if (!crear.startsWith("CREATE TABLE", Qt::CaseInsensitive)) continue;
        const QString tabla = TablaDe(crear);
        auto rs = db.Consultar("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = '" + tabla + "'");
        // Only the changes these versions brought are made: a table exactly as an earlier schema had
        // it. A table altered otherwise is left as it is.
        if (rs->EOF_() || !DefinicionesAnteriores(crear).contains(Comparable(rs->Campo(0).toString()))) continue;
        rs.reset();
        QStringList indices;
        for (const QString& s : sentencias)
            if (s.startsWith("CREATE INDEX", Qt::CaseInsensitive) &&
                TablaDe(s).compare(tabla, Qt::CaseInsensitive) == 0)
                indices << s;
        RehacerTabla(db, tabla, crear, indices);
        rehechas << tabla;
    }
    return rehechas;
}
