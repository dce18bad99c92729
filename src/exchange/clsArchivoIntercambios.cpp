#include "exchange/clsArchivoIntercambios.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/Rutas.h"

namespace {

const QString kFormatoFecha = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");

QString Limpio(QString texto) { return texto.replace('\t', ' ').replace('\r', ' ').replace('\n', ' '); }

QString Fecha(const QDateTime& t) { return t.isValid() ? t.toString(kFormatoFecha) : QString(); }

// Plain files only: a link put in the exchange directory is never followed.
QFileInfoList Archivos(const QString& dir) {
    QFileInfoList lista;
    if (dir.isEmpty()) return lista;
    for (const QFileInfo& fi : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (fi.isFile() && !fi.isSymLink()) lista << fi;
    return lista;
}

QFileInfoList ArchivosRespuesta(const QString& d) {
    QFileInfoList lista = Archivos(Rutas::Resolver(Rutas::Unir(d, "DownLoad")));
    const QFileInfo estado(Rutas::Resolver(Rutas::Unir(d, "Estado.rsp")));
    if (estado.isFile() && !estado.isSymLink()) lista << estado;
    return lista;
}

QByteArray Bytes(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Copies the files into destino through destino.tmp, renamed when every file is there.
bool CopiarCompleto(const QFileInfoList& archivos, const QString& destino) {
    const QString tmp = destino + ".tmp";
    QDir(tmp).removeRecursively();
    if (!QDir().mkpath(tmp)) return false;
    for (const QFileInfo& fi : archivos)
        if (!QFile::copy(fi.filePath(), QDir(tmp).filePath(fi.fileName()))) return false;
    return QDir().rename(tmp, destino);
}

QString Libre(const QString& base) {
    QString ruta = base;
    for (int n = 2; QFileInfo::exists(ruta) || QFileInfo::exists(ruta + ".tmp"); ++n)
        ruta = base + "-" + QString::number(n);
    return ruta;
}

qint64 Tamano(const QString& dir) {
    qint64 total = 0;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) total += it.nextFileInfo().size();
    return total;
}

QMap<QString, QByteArray> Contenidos(const QString& dir) {
    QMap<QString, QByteArray> m;
    for (const QFileInfo& fi : Archivos(dir)) m.insert(fi.fileName(), Bytes(fi.filePath()));
    return m;
}

const QStringList kClaves{"id", "enviado", "respondido", "operacion", "resultado", "bytes", "estado"};

QStringList Campos(const clsItemIntercambio& i) {
    return {i.Id,
            Fecha(i.Enviado),
            Fecha(i.Respondido),
            Limpio(i.Operacion),
            Limpio(i.Resultado),
            QString::number(i.Bytes),
            Limpio(i.Estado)};
}

std::optional<clsItemIntercambio> DesdeCampos(const QStringList& c) {
    if (c.size() != kClaves.size() || c[0].isEmpty()) return std::nullopt;
    clsItemIntercambio i;
    i.Id = c[0];
    i.Enviado = QDateTime::fromString(c[1], kFormatoFecha);
    i.Respondido = QDateTime::fromString(c[2], kFormatoFecha);
    i.Operacion = c[3];
    i.Resultado = c[4];
    i.Bytes = c[5].toLongLong();
    i.Estado = c[6];
    return i;
}

std::optional<clsItemIntercambio> LeerDescripcion(const QString& archivo) {
    QStringList valores;
    const QStringList lineas = QString::fromUtf8(Bytes(archivo)).split('\n');
    for (const QString& clave : kClaves) {
        QString valor;
        for (const QString& l : lineas)
            if (l.startsWith(clave + ": ")) valor = l.mid(clave.size() + 2).trimmed();
        valores << valor;
    }
    return DesdeCampos(valores);
}

bool Escribir(const QString& ruta, const QByteArray& bytes) {
    QSaveFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit();
}

}  // namespace

QString clsArchivoIntercambios::RaizPorDefecto() { return Rutas::Unir(gDirectorioAplicacion, "Intercambios"); }

QString clsArchivoIntercambios::DirectorioDe(const QString& id) const {
    const QDate dia = QDate::fromString(id.left(8), "yyyyMMdd");
    return QDir(raiz_).filePath(dia.toString("yyyy-MM") + "/" + id);
}

QString clsArchivoIntercambios::GuardarPedido(const QString& d, const QString& operacion, const QDateTime& cuando,
                                             const QMap<QString, QByteArray>& ademas) {
    const QString base = cuando.toString("yyyyMMdd-HHmmsszzz") + "-" + QFileInfo(d).fileName();
    QString dir = Libre(QDir(raiz_).filePath(cuando.toString("yyyy-MM") + "/" + base));
    const QString id = QFileInfo(dir).fileName();
    const QString tmp = dir + ".tmp";
    if (!CopiarCompleto(Archivos(Rutas::Resolver(Rutas::Unir(d, "UpLoad"))), tmp + "/enviado")) return {};
    for (auto it = ademas.begin(); it != ademas.end(); ++it)
        if (!Escribir(tmp + "/enviado/" + it.key(), it.value())) return {};
    clsItemIntercambio item{id, cuando, {}, operacion, "enviado", {}, Tamano(tmp)};
    if (!Escribir(tmp + "/intercambio.txt", {}) || !QDir().rename(tmp, dir)) return {};
    Describir(id, item);
    Indexar(id, item);
    return id;
}

void clsArchivoIntercambios::GuardarRespuesta(const QString& id, const QString& d, const QString& resultado,
                                              const QString& estado, const QDateTime& cuando) {
    const QString dir = DirectorioDe(id);
    auto item = LeerDescripcion(dir + "/intercambio.txt");
    if (!item) return;
    CopiarCompleto(ArchivosRespuesta(d), Libre(dir + "/recibido"));
    item->Respondido = cuando;
    item->Resultado = resultado;
    item->Estado = estado;
    item->Bytes = Tamano(dir);
    Describir(id, *item);
    Indexar(id, *item);
}

void clsArchivoIntercambios::Anotar(const QString& id, const QString& resultado, const QDateTime& cuando) {
    auto item = LeerDescripcion(DirectorioDe(id) + "/intercambio.txt");
    if (!item) return;
    item->Resultado = resultado;
    if (!item->Respondido.isValid() && resultado != "cancelada") item->Respondido = cuando;
    Describir(id, *item);
    Indexar(id, *item);
}

void clsArchivoIntercambios::Despejar(const QString& id, const QString& d, const QDateTime& cuando) {
    QFileInfoList restos;
    const QString dir = id.isEmpty() ? QString() : DirectorioDe(id);
    const QMap<QString, QByteArray> recibidos =
        dir.isEmpty() ? QMap<QString, QByteArray>() : Contenidos(dir + "/recibido");
    for (const QFileInfo& fi : ArchivosRespuesta(d)) {
        if (recibidos.value(fi.fileName()) == Bytes(fi.filePath()) && recibidos.contains(fi.fileName()))
            QFile::remove(fi.filePath());
        else
            restos << fi;
    }
    if (restos.isEmpty()) return;
    QString destino = dir;
    if (destino.isEmpty() || !QFileInfo(destino).isDir()) {
        // Answers with no exchange of this run: an archive entry of their own.
        destino = Libre(QDir(raiz_).filePath(cuando.toString("yyyy-MM") + "/" + cuando.toString("yyyyMMdd-HHmmsszzz") +
                                             "-" + QFileInfo(d).fileName() + "-restos"));
        const QString nuevo = QFileInfo(destino).fileName();
        if (!QDir().mkpath(destino + ".tmp") || !Escribir(destino + ".tmp/intercambio.txt", {}) ||
            !QDir().rename(destino + ".tmp", destino))
            return;
        const clsItemIntercambio item{nuevo, cuando, {}, {}, "restos", {}, 0};
        Describir(nuevo, item);
        Indexar(nuevo, item);
    }
    // Only once the copies are complete are the originals removed: moved, never lost.
    if (!CopiarCompleto(restos, Libre(destino + "/posterior"))) return;
    for (const QFileInfo& fi : restos) QFile::remove(fi.filePath());
    if (auto item = LeerDescripcion(destino + "/intercambio.txt")) {
        item->Bytes = Tamano(destino);
        Describir(item->Id, *item);
        Indexar(item->Id, *item);
    }
}

void clsArchivoIntercambios::Describir(const QString& id, const clsItemIntercambio& item) const {
    const QStringList c = Campos(item);
    QByteArray texto;
    for (int i = 0; i < kClaves.size(); ++i) texto += (kClaves[i] + ": " + c[i] + "\n").toUtf8();
    Escribir(DirectorioDe(id) + "/intercambio.txt", texto);
}

void clsArchivoIntercambios::Indexar(const QString& id, const clsItemIntercambio& item) const {
    QFile indice(QFileInfo(DirectorioDe(id)).path() + "/indice.txt");
    if (!indice.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    indice.write((Campos(item).join('\t') + "\n").toUtf8());
}

QList<clsItemIntercambio> clsArchivoIntercambios::Listar() const {
    QMap<QString, clsItemIntercambio> porId;  // ids start with the time sent: the map keeps them in order
    for (const QString& mes : QDir(raiz_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QByteArray indice = Bytes(QDir(raiz_).filePath(mes + "/indice.txt"));
        // A torn last line (a crash while appending) has no line end and is ignored.
        const QList<QByteArray> lineas = indice.left(indice.lastIndexOf('\n') + 1).split('\n');
        for (const QByteArray& linea : lineas)
            if (auto item = DesdeCampos(QString::fromUtf8(linea).split('\t'))) porId.insert(item->Id, *item);
    }
    return porId.values();
}

std::optional<clsArchivoIntercambios::Detalle> clsArchivoIntercambios::Leer(const QString& id) const {
    const QString dir = DirectorioDe(id);
    auto item = LeerDescripcion(dir + "/intercambio.txt");
    if (!item) return std::nullopt;
    Detalle d{*item, QString::fromUtf8(Bytes(dir + "/intercambio.txt")), Contenidos(dir + "/enviado"), {}, {}};
    for (const QString& sub : QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (sub.endsWith(".tmp")) continue;
        auto& destino = sub.startsWith("recibido")    ? d.Recibidos
                        : sub.startsWith("posterior") ? d.Posteriores
                                                      : d.Enviados;
        if (sub == "enviado") continue;
        const auto archivos = Contenidos(dir + "/" + sub);
        for (auto it = archivos.begin(); it != archivos.end(); ++it) destino.insert(it.key(), it.value());
    }
    return d;
}

void clsArchivoIntercambios::AplicarRetencion(int dias, qint64 maxBytes, const QDate& hoy) const {
    QDirIterator tmp(raiz_, {"*.tmp"}, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList restos;
    while (tmp.hasNext()) restos << tmp.next();
    for (const QString& r : restos) QDir(r).removeRecursively();

    const QString actual = hoy.toString("yyyy-MM");
    QStringList meses;
    for (const QString& m : QDir(raiz_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (QDate::fromString(m + "-01", "yyyy-MM-dd").isValid()) meses << m;
    QMap<QString, qint64> tamanos;
    qint64 total = 0;
    for (const clsItemIntercambio& i : Listar()) {
        tamanos[i.Enviado.date().toString("yyyy-MM")] += i.Bytes;
        total += i.Bytes;
    }
    for (const QString& m : meses) {
        if (m == actual) break;
        // A month goes once its last day is older than the age limit, or while the archive is too big.
        const QDate ultimo = QDate::fromString(m + "-01", "yyyy-MM-dd").addMonths(1).addDays(-1);
        if (ultimo.daysTo(hoy) <= dias && total <= maxBytes) break;
        QDir(QDir(raiz_).filePath(m)).removeRecursively();
        total -= tamanos.value(m);
    }
}

void clsArchivoIntercambios::RetencionDeAjustes() {
    // Once a run (once per application directory: tests change it).
    static QString hecho;
    if (hecho == RaizPorDefecto()) return;
    hecho = RaizPorDefecto();
    const int dias =
        Ajustes::Obtener(kAplicacion, kSeccionStart, "IntercambiosDias", QString::number(kDiasPorDefecto)).toInt();
    const qint64 mb =
        Ajustes::Obtener(kAplicacion, kSeccionStart, "IntercambiosMB", QString::number(kMBPorDefecto)).toLongLong();
    clsArchivoIntercambios(RaizPorDefecto())
        .AplicarRetencion(dias > 0 ? dias : kDiasPorDefecto, (mb > 0 ? mb : kMBPorDefecto) * 1024 * 1024,
                          QDate::currentDate());
}
