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
    if (!f.open(QIODevice::ReadOnly)) throw TarsaError(53, "Falta el esquema de la base de datos entregada");
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
