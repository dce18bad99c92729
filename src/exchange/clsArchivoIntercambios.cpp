#include "exchange/clsArchivoIntercambios.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "core/RegistroAjustes.h"
#include "core/modTarsa.h"
#include "exchange/ArchivoRespuesta.h"
#include "exchange/DisposicionesArchivadas.h"
#include "platform/ArchivoTexto.h"
#include "platform/Mensajes.h"
#include "platform/Privado.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"

namespace {

const QString kFormatoFecha = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");
const QString kNotaCorte = QStringLiteral("cortado: ");

QString Limpio(QString texto) { return texto.replace('\t', ' ').replace('\r', ' ').replace('\n', ' '); }

QString Fecha(const QDateTime& t) { return t.isValid() ? t.toString(kFormatoFecha) : QString(); }

// A file as it is archived: at most its limit, and how large it really was.
struct Copia {
    QString Nombre;
    QString Relativa;  // from the base it was read from, to remove it there
    QByteArray Bytes;
    qint64 Tamano = 0;
    bool Cortado() const { return Tamano > Bytes.size(); }
};

// The plain files of base/relativa, reached without a link on the way, each read up to its limit.
// solo: a name to keep, found without regard to case (the others are left out).
QList<Copia> Copias(const QString& base, const QString& relativa, const QString& solo = {}) {
    QList<Copia> copias;
    for (const QString& nombre : SinEnlaces::ArchivosDe(base, relativa)) {
        if (!solo.isEmpty() && nombre.compare(solo, Qt::CaseInsensitive) != 0) continue;
        const QString ruta = relativa.isEmpty() ? nombre : relativa + "/" + nombre;
        const ArchivoTexto::Contenido c =
            ArchivoTexto::LeerDentro(base, ruta, clsArchivoIntercambios::LimiteArchivado(nombre));
        if (c.Resultado == ArchivoTexto::Contenido::Estado::Leido) copias.append({nombre, ruta, c.Bytes, c.Tamano});
    }
    return copias;
}

// The answer files of d (its DownLoad directory and Estado.rsp), never through a link, d included.
QList<Copia> CopiasRespuesta(const QString& d, QString& base) {
    const auto [arriba, term] = SinEnlaces::DesdeArriba(d);
    base = arriba;
    return Copias(arriba, term + "/DownLoad") + Copias(arriba, term, "Estado.rsp");
}

QMap<QString, QByteArray> ComoMapa(const QList<Copia>& copias) {
    QMap<QString, QByteArray> m;
    for (const Copia& c : copias) m.insert(c.Nombre, c.Bytes);
    return m;
}

// An archived directory's files, read as they were written (the archive never follows a link either).
QList<Copia> Archivados(const QString& dir) {
    const auto [arriba, nombre] = SinEnlaces::DesdeArriba(dir);
    return Copias(arriba, nombre);
}

QMap<QString, QByteArray> Contenidos(const QString& dir) { return ComoMapa(Archivados(dir)); }

QByteArray Leer(const QString& ruta, qint64 limite) {
    const auto [arriba, nombre] = SinEnlaces::DesdeArriba(ruta);
    return ArchivoTexto::LeerDentro(arriba, nombre, limite).Bytes;
}

// A whole index, through no link; empty when missing.
QByteArray LeerIndice(const QString& raiz, const QString& mes) {
    QFile f;
    if (SinEnlaces::AbrirLectura(f, raiz, mes + "/indice.txt") != SinEnlaces::Apertura::Abierto) return {};
    return f.readAll();
}

QString Libre(const QString& base) {
    QString ruta = base;
    for (int n = 2; QFileInfo::exists(ruta) || QFileInfo(ruta).isSymLink() || QFileInfo::exists(ruta + ".tmp"); ++n)
        ruta = base + "-" + QString::number(n);
    return ruta;
}

qint64 Tamano(const QString& dir, int profundidad = 0) {
    qint64 total = 0;
    for (const QFileInfo& fi :
         QDir(dir).entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (fi.isSymLink()) continue;
        if (fi.isDir())
            total += profundidad < 4 ? Tamano(fi.filePath(), profundidad + 1) : 0;
        else
            total += fi.size();
    }
    return total;
}

bool EsMes(const QString& nombre) {
    return nombre.size() == 7 && QDate::fromString(nombre + "-01", "yyyy-MM-dd").isValid();
}

// The notes of the files that were archived cut, for the exchange's description.
QStringList NotasCorte(const QString& grupo, const QList<Copia>& copias) {
    QStringList notas;
    for (const Copia& c : copias)
        if (c.Cortado())
            notas << kNotaCorte + QString::fromUtf8("%1/%2, se guardaron %3 de %4 bytes")
                                      .arg(grupo, c.Nombre)
                                      .arg(c.Bytes.size())
                                      .arg(c.Tamano);
    return notas;
}

// The copies written into a new directory tmp (owner-only), which is then renamed to destino, so that
// destino appears whole or not at all. False with the reason when it cannot.
bool EscribirArchivos(const QList<Copia>& copias, const QString& dir, QString& error) {
    if (!Privado::CrearDirectorio(dir, &error)) return false;
    for (const Copia& c : copias)
        if (!Privado::Guardar(QDir(dir).filePath(c.Nombre), c.Bytes, &error)) return false;
    return true;
}

bool Renombrar(const QString& tmp, const QString& destino, QString& error) {
    const QFileInfo padre(QFileInfo(destino).path());
    if (padre.isSymLink() || !padre.isDir() || !QDir().rename(tmp, destino)) {
        error = QString::fromUtf8("no se pudo renombrar %1 como %2")
                    .arg(QDir::toNativeSeparators(tmp), QDir::toNativeSeparators(destino));
        SinEnlaces::BorrarArbol(tmp);
        return false;
    }
    return true;
}

bool EscribirDirectorio(const QList<Copia>& copias, const QString& tmp, const QString& destino, QString& error) {
    SinEnlaces::BorrarArbol(tmp);
    if (!EscribirArchivos(copias, tmp, error)) {
        SinEnlaces::BorrarArbol(tmp);
        return false;
    }
    return Renombrar(tmp, destino, error);
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
        return En(dia, hora);
    }

    // The same from the index's bytes, with no text made of them.
    QDateTime Leer(QByteArrayView t) {
        if (t.size() != 23 || t[4] != '-' || t[10] != 'T' || t[19] != '.') return {};
        const QDate dia = clsArchivoIntercambios::DiaDeFecha(t);
        auto n = [&t](int desde, int ancho) { return t.sliced(desde, ancho).toInt(); };
        const QTime hora(n(11, 2), n(14, 2), n(17, 2), n(20, 3));
        if (!dia.isValid() || !hora.isValid()) return {};
        return En(dia, hora);
    }

private:
    QDateTime En(const QDate& dia, const QTime& hora) {
        if (dia != dia_ || hora.hour() != hora_) {
            dia_ = dia;
            hora_ = hora.hour();
            desfase_ = QDateTime(dia, QTime(hora_, 0)).offsetFromUtc();
        }
        return QDateTime(dia, hora, Qt::OffsetFromUTC, desfase_);
    }
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

constexpr qint64 kLimiteDescripcion = 64 * 1024;

QString TextoDescripcion(const QString& archivo) { return QString::fromUtf8(Leer(archivo, kLimiteDescripcion)); }

std::optional<clsItemIntercambio> LeerDescripcion(const QString& archivo) {
    QStringList valores;
    const QStringList lineas = TextoDescripcion(archivo).split('\n');
    for (const QString& clave : kClaves) {
        QString valor;
        for (const QString& l : lineas)
            if (l.startsWith(clave + ": ")) valor = l.mid(clave.size() + 2).trimmed();
        valores << valor;
    }
    LectorFechas fechas;
    return DesdeCampos(valores, fechas);
}

// The retention pass in its own thread: started once a run, stopped between months when the program
// ends normally (an orderly shutdown ends the process at once, and a month's removal left half done is
// finished by the next pass).
struct Trabajador {
    std::thread hilo;
    std::atomic<bool> parar{false};
    std::mutex espera;
    ~Trabajador() {
        parar = true;
        Esperar();
    }
    void Esperar() {
        const std::lock_guard<std::mutex> l(espera);
        if (hilo.joinable()) hilo.join();
    }
};

Trabajador& Retencion() {
    static Trabajador t;
    return t;
}

// The size of a month as its index gives it (the last event of each exchange), read from the raw
// lines: only the id and the size are looked at.
qint64 TamanoMes(const QString& raiz, const QString& mes) {
    const QByteArray indice = LeerIndice(raiz, mes);
    QHash<QByteArray, qint64> porId;
    qsizetype desde = 0;
    for (qsizetype fin; (fin = indice.indexOf('\n', desde)) >= 0; desde = fin + 1) {
        const QByteArrayView linea(indice.constData() + desde, fin - desde);
        if (linea.contains('\r')) continue;  // a piece cut by a crash
        qsizetype campo = 0, inicio = 0;
        QByteArrayView id, bytes;
        for (qsizetype i = 0; i <= linea.size() && campo <= 5; ++i)
            if (i == linea.size() || linea[i] == '\t') {
                if (campo == 0) id = linea.sliced(inicio, i - inicio);
                if (campo == 5) bytes = linea.sliced(inicio, i - inicio);
                ++campo;
                inicio = i + 1;
            }
        if (campo > 5 && !id.isEmpty()) porId.insert(id.toByteArray(), bytes.toLongLong());
    }
    qint64 total = 0;
    for (const qint64 b : std::as_const(porId)) total += b;
    return total;
}

}  // namespace

QString clsArchivoIntercambios::RaizPorDefecto() { return Rutas::Unir(gDirectorioAplicacion, "Intercambios"); }

QString clsArchivoIntercambios::DirectorioDe(const QString& id) const {
    const QDate dia = QDate::fromString(id.left(8), "yyyyMMdd");
    return QDir(raiz_).filePath(dia.toString("yyyy-MM") + "/" + id);
}

qint64 clsArchivoIntercambios::LimiteArchivado(const QString& nombre) {
    using namespace ArchivoRespuesta;
    // The longest record any answered or request record file has, times the records read of it.
    constexpr qint64 kRegistros = kMaximoRegistros * 400;
    const QString n = nombre.toUpper();
    if (n == "ESTADO.RSP") return kLimiteEstado;
    if (n == "_TICKET.PRN") return kLimiteTicket;
    if (n == "_SVL.1") return qMax(kLimiteCabecera, kRegistros);
    if (n.startsWith("_SVL.")) return kRegistros;
    // The closure and catalog answers, and the catalog files, are read up to the closure's limit.
    if (n.startsWith("_SAL.")) return kLimiteCierre;
    return kLimiteCabecera;
}

bool clsArchivoIntercambios::Fallo(const QString& motivo) const {
    error_ = motivo;
    if (gArchivoIntercambiosAvisado) return false;
    gArchivoIntercambiosAvisado = true;
    MsgBox(QString::fromUtf8("No se pudo guardar el intercambio con la terminal en el archivo de intercambios (%1): "
                             "%2.\nLos pedidos a la terminal siguen normalmente, pero mientras esto no se "
                             "resuelva puede que no queden guardados. Revise que haya espacio libre en el disco "
                             "y que se pueda escribir en esa carpeta.")
               .arg(QDir::toNativeSeparators(raiz_), motivo),
           Mensajes::vbExclamation, "Archivo de intercambios");
    return false;
}

bool clsArchivoIntercambios::DirectorioMes(const QString& mes) const {
    QString error;
    const QString dir = QDir(raiz_).filePath(mes);
    for (const QString& p : {raiz_, dir})
        if (SinEnlaces::EsEnlace(p))
            return Fallo(QString::fromUtf8("%1 es un enlace, y el archivo nunca escribe a través de uno")
                             .arg(QDir::toNativeSeparators(p)));
    // The root too is restricted: what an earlier version left there becomes private with it.
    if (!Privado::CrearDirectorio(raiz_, &error) || !Privado::CrearDirectorio(dir, &error)) return Fallo(error);
    return true;
}

QString clsArchivoIntercambios::GuardarPedido(const QString& d, const QString& operacion, const QDateTime& cuando,
                                              const QMap<QString, QByteArray>& ademas) {
    error_.clear();
    const QString mes = cuando.toString("yyyy-MM");
    if (!DirectorioMes(mes)) return {};
    const QString base = cuando.toString("yyyyMMdd-HHmmsszzz") + "-" + QFileInfo(d).fileName();
    const QString dir = Libre(QDir(raiz_).filePath(mes + "/" + base));
    const QString id = QFileInfo(dir).fileName();
    const QString tmp = dir + ".tmp";
    const auto [arriba, term] = SinEnlaces::DesdeArriba(d);
    QList<Copia> enviados = Copias(arriba, term + "/UpLoad");
    for (auto it = ademas.begin(); it != ademas.end(); ++it) {
        enviados.removeIf([&it](const Copia& c) { return c.Nombre == it.key(); });
        enviados.append({it.key(), {}, it.value(), it.value().size()});
    }
    QString error;
    SinEnlaces::BorrarArbol(tmp);
    if (!EscribirArchivos(enviados, tmp + "/enviado", error) ||
        !Privado::Guardar(tmp + "/intercambio.txt", {}, &error) || !Renombrar(tmp, dir, error)) {
        SinEnlaces::BorrarArbol(tmp);
        Fallo(error);
        return {};
    }
    const auto archivos = ComoMapa(enviados);
    const auto disposiciones = DisposicionesArchivadas::De(archivos);
    clsItemIntercambio item{id,
                            cuando,
                            {},
                            operacion.isEmpty() ? disposiciones.Operacion() : operacion,
                            "enviado",
                            {},
                            Tamano(dir),
                            disposiciones.Empresa(archivos),
                            disposiciones.Tarjeta(archivos),
                            {}};
    if (Describir(id, item, NotasCorte("enviado", enviados))) Indexar(id, item);
    return id;
}

void clsArchivoIntercambios::GuardarRespuesta(const QString& id, const QString& d, const QString& resultado,
                                              const QString& estado, const QDateTime& cuando) {
    error_.clear();
    const QString dir = DirectorioDe(id);
    auto item = LeerDescripcion(dir + "/intercambio.txt");
    if (!item) {
        Fallo(QString::fromUtf8("no se encuentra %1").arg(QDir::toNativeSeparators(dir + "/intercambio.txt")));
        return;
    }
    QString base, error;
    const QList<Copia> respuesta = CopiasRespuesta(d, base);
    // Written beside the exchange and renamed into it: a crash leaves a temporary only at the month's level.
    const QString recibido = Libre(dir + "/recibido");
    if (!EscribirDirectorio(respuesta, dir + "~" + QFileInfo(recibido).fileName() + ".tmp", recibido, error))
        Fallo(error);
    const QString ticket = DisposicionesArchivadas::De(Contenidos(dir + "/enviado")).Ticket(ComoMapa(respuesta));
    if (!ticket.isEmpty()) item->Ticket = ticket;
    item->Respondido = cuando;
    item->Resultado = resultado;
    item->Estado = estado;
    item->Bytes = Tamano(dir);
    if (Describir(id, *item, NotasCorte("recibido", respuesta))) Indexar(id, *item);
}

void clsArchivoIntercambios::Anotar(const QString& id, const QString& resultado, const QDateTime& cuando) {
    error_.clear();
    auto item = LeerDescripcion(DirectorioDe(id) + "/intercambio.txt");
    if (!item) return;
    item->Resultado = resultado;
    if (!item->Respondido.isValid() && resultado != "cancelada") item->Respondido = cuando;
    if (Describir(id, *item)) Indexar(id, *item);
}

void clsArchivoIntercambios::Despejar(const QString& id, const QString& d, const QDateTime& cuando) {
    error_.clear();
    const QString dir = id.isEmpty() ? QString() : DirectorioDe(id);
    const QList<Copia> recibidos = dir.isEmpty() ? QList<Copia>() : Archivados(dir + "/recibido");
    const auto yaArchivado = [&recibidos](const Copia& c) {
        for (const Copia& r : recibidos)
            if (r.Nombre == c.Nombre) return r.Bytes == c.Bytes && c.Tamano == c.Bytes.size();
        return false;
    };
    QString base;
    QList<Copia> restos;
    for (const Copia& c : CopiasRespuesta(d, base)) {
        if (yaArchivado(c))
            SinEnlaces::BorrarDentro(base, c.Relativa);
        else
            restos << c;
    }
    if (restos.isEmpty()) return;
    [&] {
        QString destino = dir;
        QString error;
        if (destino.isEmpty() || !QFileInfo(destino).isDir() || SinEnlaces::EsEnlace(destino)) {
            // Answers with no exchange of this run: an archive entry of their own.
            const QString mes = cuando.toString("yyyy-MM");
            if (!DirectorioMes(mes)) return;
            destino = Libre(QDir(raiz_).filePath(mes + "/" + cuando.toString("yyyyMMdd-HHmmsszzz") + "-" +
                                                 QFileInfo(d).fileName() + "-restos"));
            const QString nuevo = QFileInfo(destino).fileName();
            SinEnlaces::BorrarArbol(destino + ".tmp");
            if (!Privado::CrearDirectorio(destino + ".tmp", &error) ||
                !Privado::Guardar(destino + ".tmp/intercambio.txt", {}, &error) ||
                !Renombrar(destino + ".tmp", destino, error)) {
                Fallo(error);
                return;
            }
            const clsItemIntercambio item{nuevo, cuando, {}, {}, "restos", {}, 0, {}, {}, {}};
            if (!Describir(nuevo, item) || !Indexar(nuevo, item)) return;
        }
        const QString posterior = Libre(destino + "/posterior");
        if (!EscribirDirectorio(restos, destino + "~" + QFileInfo(posterior).fileName() + ".tmp", posterior, error)) {
            Fallo(error);
            return;
        }
        if (auto item = LeerDescripcion(destino + "/intercambio.txt")) {
            item->Bytes = Tamano(destino);
            if (Describir(item->Id, *item, NotasCorte("posterior", restos))) Indexar(item->Id, *item);
        }
    }();
    // Whether or not the archive took them, they leave the exchange directory: an earlier answer must
    // never be read as the next request's.
    for (const Copia& c : restos) SinEnlaces::BorrarDentro(base, c.Relativa);
}

bool clsArchivoIntercambios::Describir(const QString& id, const clsItemIntercambio& item,
                                       const QStringList& notas) const {
    const QString archivo = DirectorioDe(id) + "/intercambio.txt";
    const QStringList c = CamposIndice(item);
    QByteArray texto;
    for (int i = 0; i < kClaves.size(); ++i) texto += (kClaves[i] + ": " + c[i] + "\n").toUtf8();
    // The notes of files archived cut stay with the exchange.
    for (const QString& l : TextoDescripcion(archivo).split('\n'))
        if (l.startsWith(kNotaCorte)) texto += (l + "\n").toUtf8();
    for (const QString& n : notas) texto += (n + "\n").toUtf8();
    QString error;
    if (SinEnlaces::EsEnlace(DirectorioDe(id)))
        return Fallo(QString::fromUtf8("%1 es un enlace").arg(QDir::toNativeSeparators(DirectorioDe(id))));
    return Privado::Guardar(archivo, texto, &error) || Fallo(error);
}

QByteArray clsArchivoIntercambios::LineaIndice(const clsItemIntercambio& item) {
    return (CamposIndice(item).join('\t') + "\n").toUtf8();
}

bool clsArchivoIntercambios::Indexar(const QString& id, const clsItemIntercambio& item) const {
    const QString mes = QFileInfo(DirectorioDe(id)).path();
    if (!DirectorioMes(QFileInfo(mes).fileName())) return false;
    QString error;
    if (!SinEnlaces::AnexarLinea(mes + "/indice.txt", LineaIndice(item), &error))
        return Fallo(QDir::toNativeSeparators(mes + "/indice.txt") + ": " + error);
    return true;
}

QStringList clsArchivoIntercambios::Meses() const {
    QStringList meses;
    for (const QString& m : QDir(raiz_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        if (EsMes(m)) meses << m;
    return meses;
}

QList<clsItemIntercambio> clsArchivoIntercambios::ListarMes(const QString& mes) const {
    const IndiceMes indice = LeerIndiceMes(mes);
    QList<clsItemIntercambio> items;
    items.reserve(indice.Cantidad());
    for (qsizetype n = 0; n < indice.Cantidad(); ++n) items.append(ItemDeLinea(indice.Linea(n)));
    return items;
}

QByteArrayView clsArchivoIntercambios::IndiceMes::Linea(qsizetype n) const {
    const qsizetype fin = n + 1 < Desde.size() ? Desde[n + 1] : Lineas.size();
    return QByteArrayView(Lineas).sliced(Desde[n], fin - Desde[n] - 1);
}

clsArchivoIntercambios::IndiceMes clsArchivoIntercambios::LeerIndiceMes(const QString& mes) const {
    const QByteArray indice = LeerIndice(raiz_, mes);
    // A line has its end: a last piece without one is being written or was cut by a crash, and a piece
    // cut earlier ends in the "\r" the next line was started with. Only those pieces are skipped.
    struct Entrada {
        QByteArrayView id, linea;
    };
    QList<Entrada> entradas;
    qsizetype desde = 0;
    for (qsizetype fin; (fin = indice.indexOf('\n', desde)) >= 0; desde = fin + 1) {
        const QByteArrayView linea(indice.constData() + desde, fin - desde);
        const qsizetype campos = linea.count('\t') + 1;
        if (linea.contains('\r') || (campos != kClaves.size() && campos != kClavesAntiguas)) continue;
        const QByteArrayView id = Campo(linea, ciId);
        if (!id.isEmpty()) entradas.append({id, linea});
    }
    // Ids start with the time sent: in their order the exchanges are in the order they were sent. The
    // last event of an id wins (the sort keeps the order of the lines of one id).
    std::stable_sort(entradas.begin(), entradas.end(), [](const Entrada& a, const Entrada& b) { return a.id < b.id; });
    IndiceMes r;
    for (qsizetype n = 0; n < entradas.size(); ++n) {
        if (n + 1 < entradas.size() && entradas[n + 1].id == entradas[n].id) continue;
        r.Desde.append(static_cast<quint32>(r.Lineas.size()));
        r.Lineas.append(entradas[n].linea.data(), entradas[n].linea.size()).append('\n');
    }
    r.Lineas.squeeze();
    r.Desde.squeeze();
    return r;
}

QByteArrayView clsArchivoIntercambios::Campo(QByteArrayView linea, CampoIndice campo) {
    qsizetype desde = 0;
    for (int n = 0; n < campo; ++n) {
        const qsizetype tab = linea.indexOf('\t', desde);
        if (tab < 0) return {};
        desde = tab + 1;
    }
    const qsizetype fin = linea.indexOf('\t', desde);
    return linea.sliced(desde, (fin < 0 ? linea.size() : fin) - desde);
}

clsItemIntercambio clsArchivoIntercambios::ItemDeLinea(QByteArrayView linea) {
    thread_local LectorFechas fechas;
    const auto texto = [linea](CampoIndice c) { return QString::fromUtf8(Campo(linea, c)); };
    clsItemIntercambio i;
    i.Id = texto(ciId);
    i.Enviado = fechas.Leer(Campo(linea, ciEnviado));
    i.Respondido = fechas.Leer(Campo(linea, ciRespondido));
    i.Operacion = texto(ciOperacion);
    i.Resultado = texto(ciResultado);
    i.Bytes = Campo(linea, ciBytes).toLongLong();
    i.Estado = texto(ciEstado);
    i.Empresa = texto(ciEmpresa);
    i.Tarjeta = texto(ciTarjeta);
    i.Ticket = texto(ciTicket);
    return i;
}

QDate clsArchivoIntercambios::DiaDeFecha(QByteArrayView t) {
    if (t.size() != 23 || t[4] != '-' || t[10] != 'T' || t[19] != '.') return {};
    const QTime hora(t.sliced(11, 2).toInt(), t.sliced(14, 2).toInt(), t.sliced(17, 2).toInt(),
                     t.sliced(20, 3).toInt());
    return hora.isValid() ? QDate(t.sliced(0, 4).toInt(), t.sliced(5, 2).toInt(), t.sliced(8, 2).toInt()) : QDate();
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
    Detalle d{*item, TextoDescripcion(dir + "/intercambio.txt"), Contenidos(dir + "/enviado"), {}, {}};
    for (const QString& sub : QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (sub.endsWith(".tmp") || sub == "enviado") continue;
        auto& destino = sub.startsWith("recibido")    ? d.Recibidos
                        : sub.startsWith("posterior") ? d.Posteriores
                                                      : d.Enviados;
        const auto archivos = Contenidos(dir + "/" + sub);
        for (auto it = archivos.begin(); it != archivos.end(); ++it) destino.insert(it.key(), it.value());
    }
    return d;
}

void clsArchivoIntercambios::BorrarTemporales() const {
    if (SinEnlaces::EsEnlace(raiz_)) return;
    const QDir raiz(raiz_);
    for (const QString& r : raiz.entryList({"*.borrando"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        SinEnlaces::BorrarArbol(raiz.filePath(r));
    // Only the month a run was writing when it crashed, or the one before (an answer to an exchange
    // sent before the month changed), can hold a temporary.
    const QStringList meses = Meses();
    for (const QString& mes : meses.mid(qMax<qsizetype>(0, meses.size() - 2))) {
        const QString dir = raiz.filePath(mes);
        if (SinEnlaces::EsEnlace(dir)) continue;
        for (const QString& t :
             QDir(dir).entryList({"*.tmp"}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            SinEnlaces::BorrarArbol(QDir(dir).filePath(t));  // a link of that name is removed itself
    }
}

void clsArchivoIntercambios::AplicarMeses(int dias, qint64 maxBytes, const QDate& hoy) const {
    if (SinEnlaces::EsEnlace(raiz_)) return;
    const QString actual = hoy.toString("yyyy-MM");
    const QStringList meses = Meses();
    QMap<QString, qint64> tamanos;
    qint64 total = 0;
    for (const QString& m : meses) {
        if (Retencion().parar) return;
        total += tamanos[m] = TamanoMes(raiz_, m);
    }
    for (const QString& m : meses) {
        if (m >= actual || Retencion().parar) break;
        // A month goes once its last day is older than the age limit, or while the archive is too big.
        const QDate ultimo = QDate::fromString(m + "-01", "yyyy-MM-dd").addMonths(1).addDays(-1);
        if (ultimo.daysTo(hoy) <= dias && total <= maxBytes) break;
        // Out of the list first, then removed: a removal cut short is finished by the next pass.
        const QString dir = QDir(raiz_).filePath(m);
        const QString borrando = Libre(dir + ".borrando");
        SinEnlaces::BorrarArbol(QDir().rename(dir, borrando) ? borrando : dir);
        total -= tamanos.value(m);
    }
}

void clsArchivoIntercambios::AplicarRetencion(int dias, qint64 maxBytes, const QDate& hoy) const {
    BorrarTemporales();
    AplicarMeses(dias, maxBytes, hoy);
}

void clsArchivoIntercambios::RetencionDeAjustes() {
    // Once a run (once per application directory: tests change it).
    static QString hecho;
    if (hecho == RaizPorDefecto()) return;
    hecho = RaizPorDefecto();
    const int dias = static_cast<int>(RegistroAjustes::LeerEntero(Ajuste::IntercambiosDias));
    const qint64 mb = RegistroAjustes::LeerEntero(Ajuste::IntercambiosMB);
    const clsArchivoIntercambios archivo(RaizPorDefecto());
    archivo.BorrarTemporales();
    Trabajador& t = Retencion();
    t.Esperar();
    t.parar = false;
    t.hilo = std::thread([archivo, dias, bytes = mb * 1024 * 1024, hoy = QDate::currentDate()] {
        archivo.AplicarMeses(dias, bytes, hoy);
    });
}

void clsArchivoIntercambios::EsperarRetencion() { Retencion().Esperar(); }
