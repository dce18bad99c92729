#include "exchange/clsArchivoIntercambios.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/modTarsa.h"
#include "exchange/DisposicionesArchivadas.h"
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

// Lines written before the company, card and ticket were kept have only the first seven.
const QStringList kClaves{"id",    "enviado", "respondido", "operacion", "resultado",
                          "bytes", "estado",  "empresa",    "tarjeta",   "ticket"};
constexpr int kClavesAntiguas = 7;

QStringList CamposIndice(const clsItemIntercambio& i) {
    return {i.Id,
            Fecha(i.Enviado),
            Fecha(i.Respondido),
            Limpio(i.Operacion),
            Limpio(i.Resultado),
            QString::number(i.Bytes),
            Limpio(i.Estado),
            Limpio(i.Empresa),
            Limpio(i.Tarjeta),
            Limpio(i.Ticket)};
}

// "yyyy-MM-ddTHH:mm:ss.zzz" read by position, in local time. A list parses two of them per exchange:
// the general format parser is an order of magnitude slower, and each local conversion asks the
// system for its time zone, so the offset from UTC is worked out once an hour of the day read.
class LectorFechas {
public:
    QDateTime Leer(const QString& t) {
        if (t.size() != 23 || t[4] != '-' || t[10] != 'T' || t[19] != '.') return {};
        auto n = [&t](int desde, int ancho) { return QStringView(t).mid(desde, ancho).toInt(); };
        const QDate dia(n(0, 4), n(5, 2), n(8, 2));
        const QTime hora(n(11, 2), n(14, 2), n(17, 2), n(20, 3));
        if (!dia.isValid() || !hora.isValid()) return {};
        if (dia != dia_ || hora.hour() != hora_) {
            dia_ = dia;
            hora_ = hora.hour();
            desfase_ = QDateTime(dia, QTime(hora_, 0)).offsetFromUtc();
        }
        return QDateTime(dia, hora, Qt::OffsetFromUTC, desfase_);
    }

private:
    QDate dia_;
    int hora_ = -1;
    int desfase_ = 0;
};

std::optional<clsItemIntercambio> DesdeCampos(const QStringList& c, LectorFechas& fechas) {
    if ((c.size() != kClaves.size() && c.size() != kClavesAntiguas) || c[0].isEmpty()) return std::nullopt;
    clsItemIntercambio i;
    i.Id = c[0];
    i.Enviado = fechas.Leer(c[1]);
    i.Respondido = fechas.Leer(c[2]);
    i.Operacion = c[3];
    i.Resultado = c[4];
    i.Bytes = c[5].toLongLong();
    i.Estado = c[6];
    if (c.size() > kClavesAntiguas) {
        i.Empresa = c[7];
        i.Tarjeta = c[8];
        i.Ticket = c[9];
    }
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
    LectorFechas fechas;
    return DesdeCampos(valores, fechas);
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
    const auto enviados = Contenidos(tmp + "/enviado");
    const auto disposiciones = DisposicionesArchivadas::De(enviados);
    clsItemIntercambio item{id,
                            cuando,
                            {},
                            operacion,
                            "enviado",
                            {},
                            Tamano(tmp),
                            disposiciones.Empresa(enviados),
                            disposiciones.Tarjeta(enviados),
                            {}};
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
    const QString recibido = Libre(dir + "/recibido");
    CopiarCompleto(ArchivosRespuesta(d), recibido);
    const QString ticket = DisposicionesArchivadas::De(Contenidos(dir + "/enviado")).Ticket(Contenidos(recibido));
    if (!ticket.isEmpty()) item->Ticket = ticket;
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
        const clsItemIntercambio item{nuevo, cuando, {}, {}, "restos", {}, 0, {}, {}, {}};
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
    const QStringList c = CamposIndice(item);
    QByteArray texto;
    for (int i = 0; i < kClaves.size(); ++i) texto += (kClaves[i] + ": " + c[i] + "\n").toUtf8();
    Escribir(DirectorioDe(id) + "/intercambio.txt", texto);
}

QByteArray clsArchivoIntercambios::LineaIndice(const clsItemIntercambio& item) {
    return (CamposIndice(item).join('\t') + "\n").toUtf8();
}

void clsArchivoIntercambios::Indexar(const QString& id, const clsItemIntercambio& item) const {
    QFile indice(QFileInfo(DirectorioDe(id)).path() + "/indice.txt");
    if (!indice.open(QIODevice::WriteOnly | QIODevice::Append)) return;
    indice.write(LineaIndice(item));
}

QStringList clsArchivoIntercambios::Meses() const {
    return QDir(raiz_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QList<clsItemIntercambio> clsArchivoIntercambios::ListarMes(const QString& mes) const {
    QMap<QString, clsItemIntercambio> porId;  // ids start with the time sent: the map keeps them in order
    const QByteArray indice = Bytes(QDir(raiz_).filePath(mes + "/indice.txt"));
    // A torn last line (a crash while appending) has no line end and is ignored.
    const QList<QByteArray> lineas = indice.left(indice.lastIndexOf('\n') + 1).split('\n');
    LectorFechas fechas;
    for (const QByteArray& linea : lineas)
        if (auto item = DesdeCampos(QString::fromUtf8(linea).split('\t'), fechas)) porId.insert(item->Id, *item);
    return porId.values();
}

QList<clsItemIntercambio> clsArchivoIntercambios::Listar() const {
    QList<clsItemIntercambio> todos;
    for (const QString& mes : Meses()) todos.append(ListarMes(mes));
    return todos;
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
