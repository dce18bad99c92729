#include "exchange/CicloSolicitud.h"

#include <QDir>
#include <QFile>

#include "core/modDirectorioTerminal.h"
#include "core/modTarsa.h"
#include "exchange/clsArchivoIntercambios.h"
#include "exchange/clsLecturaEstado.h"
#include "exchange/modIntercambio.h"
#include "platform/MarcaPropietario.h"
#include "platform/Mensajes.h"
#include "platform/Privado.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"
#include "platform/TarsaError.h"

namespace {

// The operation code a request header carries ("FF000" and two digits in V250; one character in the
// V101 pharmacy layout), for the archive's list.
QString OperacionDe(const QByteArray& cabecera) {
    if (cabecera.startsWith("FF000") && cabecera.size() >= 7) return QString::fromLatin1(cabecera.mid(5, 2));
    if (cabecera.size() == 222) return QString::fromLatin1(cabecera.mid(143, 1));
    return {};
}

QString NombreResultado(ResultadoSolicitud r) {
    switch (r) {
        case ResultadoSolicitud::Procesada:
            return "procesada";
        case ResultadoSolicitud::SinRespuesta:
            return "sin respuesta";
        case ResultadoSolicitud::ErrorProceso:
            return "error";
        case ResultadoSolicitud::Cancelada:
            break;
    }
    return "cancelada";
}

// The first record of a file of D, never through a link; empty when missing or refused.
QByteArray Cabecera(const QString& d, const QString& relativa) {
    QFile archivo;
    if (SinEnlaces::AbrirLectura(archivo, d, relativa) != SinEnlaces::Apertura::Abierto) return {};
    return archivo.read(1024);
}

QByteArray CabeceraRespuesta(const QString& d) { return Cabecera(d, "DownLoad\\_svl.1"); }

// A ticket's answer carries its header in _svl.1; catalog updates and closures answer in _sal.0.
bool RespuestaDeParametros(const QString& d) { return Rutas::EsArchivo(Rutas::Unir(d, "DownLoad\\_sal.0")); }

// The answer files a late answer is taken from, as they were when it was taken.
const char* const kArchivosTomados[] = {"Estado.rsp", "DownLoad\\_svl.1", "DownLoad\\_ticket.prn"};

QDateTime Ahora() { return QDateTime::currentDateTime(); }

bool Archivar() { return !gDirectorioAplicacion.isEmpty(); }

clsArchivoIntercambios Archivo() { return clsArchivoIntercambios(clsArchivoIntercambios::RaizPorDefecto()); }

QList<PedidoPendiente> LeerPendientes(const QString& d) {
    QList<PedidoPendiente> pedidos;
    QFile archivo;
    if (SinEnlaces::AbrirLectura(archivo, d, kArchivoPendientes) != SinEnlaces::Apertura::Abierto) return pedidos;
    for (const QByteArray& linea : archivo.readAll().split('\n')) {
        const QList<QByteArray> c = linea.split('\t');
        if (c.size() != 4) continue;  // a torn last line
        pedidos.append(
            {QString::fromUtf8(c[0]), QByteArray::fromBase64(c[3]), QString::fromUtf8(c[1]), QString::fromUtf8(c[2])});
    }
    return pedidos;
}

}  // namespace

int CicloSolicitud::Corresponde(const QList<PedidoPendiente>& pedidos, const QByteArray& respuesta, bool parametros) {
    // The terminal answers one request at a time, in the order it took them: among the requests an
    // answer may belong to, the oldest is the one answered. A ticket's answer echoes its header in
    // _svl.1; catalog updates and closures answer in _sal.0; an error status alone may be anyone's.
    for (int i = 0; i < pedidos.size(); ++i) {
        const QByteArray& pedido = pedidos.at(i).Cabecera;
        if (pedido.isEmpty() ? respuesta.isEmpty() : (respuesta.isEmpty() ? !parametros : RespondeA(pedido, respuesta)))
            return i;
    }
    return -1;
}

void CicloSolicitud::Revisar(const QString& d) {
    if (pendientes_.isEmpty()) return;
    const QString archivo = clsTransaccion::ArchivoEstado(d);
    clsLecturaEstado estado(archivo);
    // A line without its end counts once it has stood unchanged for a while, as in the wait.
    const QDateTime cambio = Rutas::FechaModificacion(archivo);
    clsTransaccion t;
    t.QueloPath = d;
    if (!estado.Completo() && !(cambio.isValid() && cambio.msecsTo(Ahora()) >= clsLecturaEstado::AsentamientoMs &&
                                !t.BuscarRespuesta().isEmpty()))
        return;
    Tomar(d);
}

void CicloSolicitud::Tomar(const QString& d) {
    const int i = Corresponde(pendientes_, CabeceraRespuesta(d), RespuestaDeParametros(d));
    if (i >= 0) AtenderTardia(i, d, nullptr);
}

void CicloSolicitud::AtenderTardia(int i, const QString& d, const PedidoPendiente* enCurso) {
    // Taken off the list first: whatever happens below, the same answer is never handed over twice.
    const PedidoPendiente pedido = pendientes_.takeAt(i);
    clsTransaccion t;
    t.QueloPath = d;
    const RespuestaTardia respuesta{t.BuscarRespuesta(), t.LeerSVL1(), t.BuscarTicket(), pedido.CodigoEmpresa};
    if (Archivar()) Archivo().GuardarRespuesta(pedido.Id, d, QString::fromUtf8("tardía"), respuesta.Estado, Ahora());
    Consumir(pedido.Id, d);
    GuardarPendientes(d, enCurso);
    if (respuesta.Estado.startsWith('0') && AlRecibirRespuestaTardia) AlRecibirRespuestaTardia(respuesta);
}

void CicloSolicitud::Consumir(const QString& id, const QString& d) {
    QMap<QString, QByteArray> tomados;
    for (const char* relativa : kArchivosTomados) {
        QFile f;
        if (SinEnlaces::AbrirLectura(f, d, relativa) == SinEnlaces::Apertura::Abierto)
            tomados.insert(relativa, f.readAll());
    }
    if (Archivar()) Archivo().Despejar(id, d, Ahora());
    // What the archive could not move out of the way (it cannot be written, say) is removed here, as
    // long as it is still what was taken: the terminal may be writing the next answer already.
    for (auto it = tomados.cbegin(); it != tomados.cend(); ++it) {
        QFile f;
        if (SinEnlaces::AbrirLectura(f, d, it.key()) != SinEnlaces::Apertura::Abierto || f.readAll() != it.value())
            continue;
        f.close();
        const QString ruta = Rutas::Resolver(Rutas::Unir(d, it.key()));
        if (!Rutas::Borrar(ruta) && it.key() == QLatin1String("Estado.rsp"))
            throw TarsaError(ErrAccesoRuta, "No se puede borrar " + ruta);
    }
}

void CicloSolicitud::GuardarPendientes(const QString& d, const PedidoPendiente* enCurso) const {
    QList<PedidoPendiente> pedidos = pendientes_;
    if (enCurso) pedidos.append(*enCurso);
    const QString ruta = Rutas::Unir(d, kArchivoPendientes);
    if (pedidos.isEmpty()) {
        if (Rutas::Existe(ruta)) Rutas::Borrar(ruta);
        return;
    }
    QByteArray texto;
    for (const PedidoPendiente& p : pedidos)
        texto += p.Id.toUtf8() + '\t' + p.Version.toUtf8() + '\t' + p.CodigoEmpresa.toUtf8() + '\t' +
                 p.Cabecera.toBase64() + '\n';
    // Only for the next start after a crash: a failure here costs nothing now, as long as it leaves
    // the list as it was rather than cut short. It holds request headers, and so card numbers.
    Privado::Guardar(ruta, texto);
}

Solicitud CicloSolicitud::Enviar(clsTransaccion t, const Espera& esperar) {
    Solicitud s;
    const QString d = t.QueloPath;
    s.Transaccion = t;

    const bool archivar = Archivar();
    clsArchivoIntercambios archivo = Archivo();
    // The answer to a request whose wait was cancelled may have come since: it is not lost.
    Revisar(d);
    // A request that cannot go out (no provider's licence) is refused before the way is cleared for it.
    t.ExigirLicencia();
    // A cancelled request whose record the terminal never took is replaced by this one: its files
    // have just been written over, so no answer will come for it.
    if (!pendientes_.isEmpty() && Rutas::EsArchivo(Rutas::Unir(d, "UpLoad\\_SVL.0"))) {
        const PedidoPendiente reemplazado = pendientes_.takeLast();
        if (archivar) archivo.Anotar(reemplazado.Id, "reemplazada", Ahora());
    }
    // A status that came after the look above, or is still being written, is taken as it stands: the
    // clearing below would leave it only in the archive, and an approval would go unjournalled.
    clsTransaccion restos;
    restos.QueloPath = d;
    if (!pendientes_.isEmpty() && !restos.BuscarRespuesta().isEmpty()) Tomar(d);
    // No answer of an earlier request may be read as this one's: what is left goes to the archive,
    // and an old status never ends the new wait. From here on nothing removes the status file: an
    // answer to a cancelled request that lands while this request is written is met in the wait.
    if (archivar) archivo.Despejar(ultimoId_, d, Ahora());
    const QString estado = clsTransaccion::ArchivoEstado(d);
    if (Rutas::EsArchivo(estado) && !Rutas::Borrar(estado))
        throw TarsaError(ErrAccesoRuta, "No se puede borrar " + estado);

    // The request is read and archived before the signal file is written: from then on the terminal
    // may take the request files away at any moment.
    const QByteArray cabecera = Cabecera(d, "UpLoad\\_SVL.1");
    const PedidoPendiente actual{
        archivar ? archivo.GuardarPedido(d, OperacionDe(cabecera), Ahora(), {{"_SVL.0", t.RegistroSVL0()}}) : QString(),
        cabecera, gVersion, gCodigoEmpresa};
    ultimoId_ = actual.Id;
    GuardarPendientes(d, &actual);
    if (EscribirPedido)
        EscribirPedido(t);
    else
        t.PutSVL0();

    for (;;) {
        if (!esperar()) {
            s.Resultado = ResultadoSolicitud::Cancelada;
            pendientes_.append(actual);
            GuardarPendientes(d, nullptr);
            if (archivar) archivo.Anotar(actual.Id, "cancelada", Ahora());
            return s;
        }
        const QByteArray respuesta = CabeceraRespuesta(d);
        // The oldest request an answer may belong to is the one answered: a cancelled one first.
        if (const int i = Corresponde(pendientes_, respuesta, RespuestaDeParametros(d)); i >= 0) {
            AtenderTardia(i, d, &actual);
            continue;
        }
        // This request's own: a ticket's header echoes it (or there is none to contradict it); a
        // request without a header is never answered by a ticket's.
        if (cabecera.isEmpty() ? respuesta.isEmpty() : respuesta.isEmpty() || RespondeA(cabecera, respuesta)) break;
        s.Estado = s.Transaccion.BuscarRespuesta();
        s.Resultado = ResultadoSolicitud::ErrorProceso;
        if (archivar) archivo.GuardarRespuesta(actual.Id, d, "no corresponde al pedido", s.Estado, Ahora());
        // Its answer may still come: the next request looks for it.
        pendientes_.append(actual);
        GuardarPendientes(d, nullptr);
        const QString esperada = cabecera.isEmpty() ? QString::fromUtf8("sin cabecera") : OperacionDe(cabecera);
        MsgBox(QString::fromUtf8("La terminal entregó una respuesta que no corresponde a este pedido (operación "
                                 "%1 en lugar de %2); no se muestra ni se registra.")
                   .arg(OperacionDe(respuesta), esperada),
               Mensajes::vbExclamation, "Proceso");
        return s;
    }
    GuardarPendientes(d, nullptr);
    s.Estado = s.Transaccion.BuscarRespuesta();
    if (s.Estado.isEmpty()) {
        s.Resultado = ResultadoSolicitud::SinRespuesta;
    } else if (!s.Estado.startsWith('0')) {
        s.Resultado = ResultadoSolicitud::ErrorProceso;
    } else {
        s.Resultado = ResultadoSolicitud::Procesada;
        // Read now: the terminal may answer a cancelled request while the user looks at this answer.
        s.Transaccion.RetenerRespuesta();
    }
    if (archivar) archivo.GuardarRespuesta(actual.Id, d, NombreResultado(s.Resultado), s.Estado, Ahora());
    if (s.Resultado == ResultadoSolicitud::ErrorProceso)
        MsgBox("Error en el proceso:\r\n" + s.Estado, Mensajes::vbInformation, "Proceso");
    return s;
}

bool CicloSolicitud::AlCerrar(const QString& d) {
    try {
        Revisar(d);
    } catch (const std::exception& e) {
        MsgBox(ComoTarsaError(e).Descripcion, Mensajes::vbCritical, "Proceso");
    }
    GuardarPendientes(d, nullptr);
    if (pendientes_.isEmpty()) return true;
    MsgBox(QString::fromUtf8("La terminal todavía no respondió %1 cuya espera se canceló.\r\n"
                             "Si la terminal lo aprueba, el ticket se registrará en la lista de transacciones "
                             "la próxima vez que inicie el programa.")
               .arg(pendientes_.size() == 1 ? QString::fromUtf8("un pedido")
                                            : QString::number(pendientes_.size()) + " pedidos"),
           Mensajes::vbExclamation, "Proceso");
    pendientes_.clear();
    return false;
}

int CicloSolicitud::RecuperarAbandonados(const QString& trabajo) {
    int registradas = 0;
    const QDir dir(Rutas::Resolver(trabajo));
    for (const QString& nombre : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString d = dir.filePath(nombre);
        if (!nombre.startsWith("term", Qt::CaseInsensitive) || nombre.compare(gTermDir, Qt::CaseInsensitive) == 0 ||
            SinEnlaces::EsEnlace(d) || !Rutas::EsArchivo(Rutas::Unir(d, kArchivoPendientes)))
            continue;
        MarcaPropietario marca;
        if (MarcaPropietario::Existe(d) && !marca.Tomar(d)) continue;  // a living run holds it
        const QList<PedidoPendiente> pedidos = LeerPendientes(d);
        clsTransaccion t;
        t.QueloPath = d;
        // The run is over, so the status is complete or will never be.
        if (const QString estado = t.BuscarRespuesta(); !estado.isEmpty()) {
            const int i = Corresponde(pedidos, CabeceraRespuesta(d), RespuestaDeParametros(d));
            if (i >= 0) {
                const PedidoPendiente& p = pedidos.at(i);
                const RespuestaTardia r{estado, t.LeerSVL1(), t.BuscarTicket(), p.CodigoEmpresa};
                if (Archivar()) Archivo().GuardarRespuesta(p.Id, d, QString::fromUtf8("tardía"), estado, Ahora());
                if (estado.startsWith('0') && AlRecibirRespuestaTardia) {
                    AlRecibirRespuestaTardia(r);
                    ++registradas;
                }
            }
        }
        marca.Soltar();
        SinEnlaces::BorrarArbol(d);
    }
    return registradas;
}
