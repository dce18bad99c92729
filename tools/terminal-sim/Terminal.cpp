#include "Terminal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <algorithm>
#include <cstdio>

#include "RegistrosTerminal.h"

namespace terminal {

namespace {

// The entry of `dir` named `nombre` without regard to letter case, or empty text.
QString Buscar(const QString& dir, const QString& nombre, QDir::Filters filtro) {
    if (dir.isEmpty()) return {};
    const QStringList nombres = QDir(dir).entryList(filtro | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& n : nombres)
        if (n.compare(nombre, Qt::CaseInsensitive) == 0) return QDir(dir).filePath(n);
    return {};
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes through a temporary file and a rename, so the client never sees half a file; an entry
// that differs only in letter case is removed first, so only one spelling of each answer exists.
bool Escribir(const QString& dir, const QString& nombre, const QByteArray& bytes) {
    for (const QString& n : QDir(dir).entryList(QDir::Files | QDir::Hidden))
        if (n != nombre && n.compare(nombre, Qt::CaseInsensitive) == 0) QFile::remove(QDir(dir).filePath(n));
    QSaveFile f(QDir(dir).filePath(nombre));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(bytes);
    return f.commit();
}

// As some terminals do: the status file is created, and its line written a moment later.
bool EscribirEnDosPasos(const QString& dir, const QByteArray& bytes, int pausaMs) {
    QFile f(QDir(dir).filePath("Estado.rsp"));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.flush();
    QThread::msleep(static_cast<unsigned long>(pausaMs));
    const bool ok = f.write(bytes) == bytes.size();
    f.close();
    return ok;
}

QString Importe(qint64 centavos) { return QString("%1.%2").arg(centavos / 100).arg(centavos % 100, 2, 10, QChar('0')); }

QString NombreOperacion(const QString& codigo) {
    static const QHash<int, QString> nombres{{1, "Alta de ticket"},
                                             {2, "Anulación de ticket"},
                                             {3, "Devolución de ticket"},
                                             {4, "Consulta de ticket"},
                                             {5, "Alta diferida de ticket"},
                                             {10, "Excluir receta de un cierre"},
                                             {11, "Incluir receta previamente excluída"},
                                             {41, "Verificar beneficiario"},
                                             {42, "Verificar beneficiario/medicamento"},
                                             {51, "Solicitar autorización"},
                                             {53, "Consultar resolución solicitud autorización"},
                                             {80, "Reimpresión de ticket"}};
    return codigo + " " + nombres.value(codigo.toInt());
}

// Lines of a ticket text, in Windows-1252 with CR LF, as the terminal's printer spool would hold it.
QByteArray Lineas(const QStringList& lineas) {
    QByteArray texto;
    for (const QString& l : lineas) texto += Ansi(l) + "\r\n";
    return texto;
}

QString Columna(const QString& izquierda, const QString& derecha) {
    return izquierda + derecha.rightJustified(40 - izquierda.size(), ' ');
}

const QString kRaya(40, '-');

}  // namespace

QString NombreEscenario(Escenario e) {
    switch (e) {
        case Escenario::Ok:
            return "ok";
        case Escenario::Error:
            return "error";
        case Escenario::ErroresItems:
            return "item-errors";
        case Escenario::ErrorTicket:
            return "ticket-error";
        case Escenario::SinRespuesta:
            return "no-answer";
        case Escenario::Demora:
            break;
    }
    return "delay";
}

Terminal::Terminal(const Opciones& opciones, QObject* parent)
    : QObject(parent), op_(opciones), proximoTicket_(opciones.primerTicket) {}

void Terminal::Iniciar() {
    connect(&vigia_, &QFileSystemWatcher::directoryChanged, this, [this] { Revisar(); });
    // The watcher may miss events (network drives, a directory created later); the poll does not.
    connect(&sondeo_, &QTimer::timeout, this, [this] { Revisar(); });
    sondeo_.start(50);
    Revisar();
}

void Terminal::Vigilar() {
    QStringList dirs{op_.dir};
    if (const QString tx = Buscar(op_.dir, "TX", QDir::Dirs); !tx.isEmpty()) dirs << tx;
    for (const QString& e : QDir(op_.dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!e.startsWith("term", Qt::CaseInsensitive)) continue;
        if (const QString up = Buscar(QDir(op_.dir).filePath(e), "upload", QDir::Dirs); !up.isEmpty()) dirs << up;
    }
    const QStringList vigilados = vigia_.directories();
    for (const QString& d : dirs)
        if (!vigilados.contains(d)) vigia_.addPath(d);
}

void Terminal::Revisar() {
    Liberar();
    // One request at a time: the next ones (their notifications included) stay until this is answered.
    if (Ocupada()) return;
    if (op_.maxPedidos > 0 && atendidos_ >= op_.maxPedidos) return;
    Vigilar();
    const QString tx = Buscar(op_.dir, "TX", QDir::Dirs);
    if (!tx.isEmpty()) {
        // The client drops the notification after the request record, so the request is complete.
        // The oldest notification first: requests are answered in the order they came.
        const QFileInfoList avisos = QDir(tx).entryInfoList(QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed);
        for (const QFileInfo& aviso : avisos) {
            // On Windows a notification the client still holds open cannot be removed yet: it is taken
            // at a later look, or it would stay behind and be answered again, as a request without a record.
            if (!QFile::remove(aviso.filePath())) continue;
            const QString d = Buscar(op_.dir, aviso.fileName(), QDir::Dirs);
            if (d.isEmpty()) {
                Registrar(aviso.fileName(), "aviso", "no existe el directorio de intercambio; ignorado");
                continue;
            }
            if (atendidosSinAviso_.remove(d) &&
                Buscar(Buscar(d, "upload", QDir::Dirs), "_SVL.0", QDir::Files).isEmpty()) {
                Registrar(aviso.fileName(), "aviso", "pedido ya atendido al sondear; ignorado");
                continue;
            }
            Atender(d);
            if (Ocupada() || (op_.maxPedidos > 0 && atendidos_ >= op_.maxPedidos)) return;
        }
        return;
    }
    QFileInfoList pedidos;
    for (const QString& e : QDir(op_.dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!e.startsWith("term", Qt::CaseInsensitive)) continue;
        const QString svl0 = Buscar(Buscar(QDir(op_.dir).filePath(e), "upload", QDir::Dirs), "_SVL.0", QDir::Files);
        if (!svl0.isEmpty()) pedidos << QFileInfo(svl0);
    }
    std::sort(pedidos.begin(), pedidos.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() < b.lastModified(); });
    for (const QFileInfo& svl0 : pedidos) {
        const QString d = QFileInfo(svl0.path()).path();
        // Without a notification the record may be caught while the client writes it: give a
        // short record a moment before answering it as bad input.
        if (svl0.size() < 16) {
            const QDateTime ahora = QDateTime::currentDateTimeUtc();
            if (!pedidoCortoDesde_.contains(d)) pedidoCortoDesde_.insert(d, ahora);
            if (pedidoCortoDesde_.value(d).msecsTo(ahora) < 1000) return;  // the others wait their turn
        }
        pedidoCortoDesde_.remove(d);
        atendidosSinAviso_.insert(d);
        Atender(d);
        if (Ocupada() || (op_.maxPedidos > 0 && atendidos_ >= op_.maxPedidos)) return;
    }
}

void Terminal::Atender(const QString& dirIntercambio) {
    const Respuesta r = Procesar(dirIntercambio);
    const int demora = op_.demoraMs >= 0 ? op_.demoraMs : (op_.escenario == Escenario::Demora ? 3000 : 0);
    if (r.estado.isEmpty() || (demora == 0 && op_.liberacion.isEmpty())) {
        Entregar(dirIntercambio, r);
        Contar();
        return;
    }
    ++pendientes_;
    if (!op_.liberacion.isEmpty()) {
        retenida_ = qMakePair(dirIntercambio, r);
        Registrar(QFileInfo(dirIntercambio).fileName(), r.operacion, "respuesta retenida hasta " + op_.liberacion);
        return;
    }
    QTimer::singleShot(demora, this, [this, dirIntercambio, r] {
        --pendientes_;
        Entregar(dirIntercambio, r);
        Contar();
        Revisar();
    });
}

// The held answer goes out once the release file exists; the file is used up. On Windows a file
// another program still holds open (the one writing it) cannot be removed yet: the answer waits for
// the next look, or one release would let out every answer that comes after it.
void Terminal::Liberar() {
    if (!retenida_ || !QFile::remove(op_.liberacion)) return;
    const auto [d, r] = *retenida_;
    retenida_.reset();
    --pendientes_;
    Entregar(d, r);
    Contar();
}

void Terminal::Contar() {
    ++atendidos_;
    if (op_.maxPedidos > 0 && atendidos_ >= op_.maxPedidos && !Ocupada())
        QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
}

Terminal::Respuesta Terminal::Procesar(const QString& d) {
    const QString up = Buscar(d, "upload", QDir::Dirs);
    const QString rutaSvl0 = Buscar(up, "_SVL.0", QDir::Files);
    if (rutaSvl0.isEmpty()) return Rechazo("pedido", "no hay pedido _SVL.0");
    const QByteArray svl0 = Leer(rutaSvl0);

    // Every request file is consumed, whatever the request turns out to be, and the request record
    // last: once it is gone the client may write its next request into the same directory.
    QHash<QString, QByteArray> archivos;
    for (const QString nombre : {"_SVL.1", "_SVL.2", "_SVL.3", "_SVL.4", "_SAL.0"}) {
        if (const QString ruta = Buscar(up, nombre, QDir::Files); !ruta.isEmpty()) {
            archivos.insert(nombre, Leer(ruta));
            QFile::remove(ruta);
        }
    }
    QFile::remove(rutaSvl0);

    QString motivo;
    const std::optional<Pedido> p = LeerPedido(svl0, &motivo);
    if (!p) return Rechazo("pedido", motivo);
    if (!op_.version.isEmpty() && p->version != op_.version)
        return Rechazo("pedido " + p->version, "esta terminal atiende solo " + op_.version);
    if (archivos.contains("_SAL.0")) return ProcesarParametros(*p, archivos);
    if (archivos.contains("_SVL.1")) return ProcesarTicket(*p, archivos);
    return Rechazo("pedido " + p->version, "el pedido no trae _SVL.1 ni _SAL.0");
}

Terminal::Respuesta Terminal::ProcesarTicket(const Pedido& p, const QHash<QString, QByteArray>& archivos) {
    QString motivo;
    const std::optional<Ticket> t = LeerCabecera(p.version, archivos.value("_SVL.1"), &motivo);
    if (!t) return Rechazo("ticket " + p.version, motivo);
    const bool farmacia = EsFarmacia(t->diseno);
    const QString nombreItems = ArchivoItemsPedido(t->diseno);
    std::optional<QList<ItemPedido>> items = QList<ItemPedido>();
    if (archivos.contains(nombreItems)) items = LeerItems(t->diseno, archivos.value(nombreItems), &motivo);
    std::optional<int> diagnosticos = 0;
    if (archivos.contains("_SVL.4")) diagnosticos = ContarDiagnosticos(archivos.value("_SVL.4"));
    Respuesta r;
    r.operacion = QString("ticket %1 %2 op %3").arg(p.version, farmacia ? "farmacia" : "otros", t->operacion);
    if (!items) return Rechazo(r.operacion, motivo);
    if (!diagnosticos) return Rechazo(r.operacion, "archivo de diagnósticos _SVL.4 mal formado");
    if (op_.escenario == Escenario::SinRespuesta) return r;
    if (op_.escenario == Escenario::Error) {
        r.estado = Estado("1 Error de comunicación con el autorizador");
        r.resultado = "estado de error";
        return r;
    }

    const qint64 numero = proximoTicket_++;
    const QDateTime ahora = QDateTime::currentDateTime();
    DatosRespuesta datos;
    datos.ticket = numero;
    datos.fecha = ahora.toString("yyyyMMdd");
    datos.hora = ahora.toString("HHmm");
    datos.plan = items->isEmpty() ? QString("210") : items->first().plan.left(5);
    datos.comentario =
        op_.escenario == Escenario::ErroresItems ? "APROBADA CON ITEMS RECHAZADOS" : "TRANSACCION APROBADA";

    qint64 total = 0;
    QByteArray respuestaItems;
    QStringList detalle;
    int rechazados = 0;
    for (int i = 0; i < items->size(); ++i) {
        const ItemPedido& it = items->at(i);
        const qint64 importe = it.precio * it.cantidad;
        total += importe;
        datos.monto += importe * (10000 - it.cobertura) / 10000;
        // In the item-errors scenario the odd records (1, 3, ...) are refused.
        const bool rechazado = op_.escenario == Escenario::ErroresItems && i % 2 == 0;
        rechazados += rechazado;
        respuestaItems += RespuestaItem(t->diseno, it.registro, rechazado ? 105 : 0,
                                        farmacia ? "MEDICAMENTO NO CUBIERTO POR EL PLAN" : "PRACTICA NO CUBIERTA");
        detalle << Columna(QString("%1 %2").arg(it.codigo, -10).arg(it.cantidad, 4),
                           QString("%1 %2%").arg(Importe(it.precio), 11).arg(Importe(it.cobertura), 6));
    }

    QStringList texto{"       TARSA - TERMINAL SIMULADA",
                      Columna("Fecha: " + ahora.toString("dd/MM/yyyy"), "Hora: " + ahora.toString("HH:mm")),
                      QString("Ticket: %1").arg(numero),
                      "Operación: " + NombreOperacion(t->operacion),
                      QString("Empresa: %1   Actividad: %2").arg(p.empresa, p.actividad),
                      "Licencia: " + p.licencia,
                      "Tarjeta: " + t->tarjeta};
    if (!t->prestador.isEmpty()) texto << (farmacia ? "Farmacia: " : "Prestador: ") + t->prestador;
    if (!t->receta.isEmpty()) texto << "Receta: " + t->receta;
    texto << kRaya << Columna("Código      Cant.", "Precio    Cob.") << detalle << kRaya
          << Columna("Total:", Importe(total)) << Columna("A cargo del afiliado:", Importe(datos.monto)) << kRaya;
    if (op_.escenario == Escenario::ErrorTicket) texto << "*** ERROR: COMPROBANTE NO EMITIDO ***";
    if (diagnosticos > 0) texto << QString("Diagnósticos informados: %1").arg(*diagnosticos);

    r.archivos << qMakePair(QString("_svl.1"), RespuestaCabecera(*t, datos));
    if (!items->isEmpty()) r.archivos << qMakePair(ArchivoItemsRespuesta(t->diseno), respuestaItems);
    const int operacion = t->operacion.toInt();
    if (operacion == 10 || operacion == 11) {
        // Excluding or including a coupon is a closure operation: the closure dialog reads _sal.0.
        Parametros par;
        par.operacion = operacion;
        r.archivos << qMakePair(
            QString("_sal.0"),
            RespuestaSal0(par, numero, 0, operacion == 10 ? "CUPON EXCLUIDO" : "CUPON INCLUIDO", p.licencia));
    }
    r.archivos << qMakePair(QString("_ticket.prn"), Lineas(texto));
    r.estado = Estado("0 Transacción aprobada");
    r.resultado = QString("estado 0, ticket %1, %2 ítems (%3 rechazados), %4 diagnósticos")
                      .arg(numero)
                      .arg(items->size())
                      .arg(rechazados)
                      .arg(*diagnosticos);
    return r;
}

Terminal::Respuesta Terminal::ProcesarParametros(const Pedido& p, const QHash<QString, QByteArray>& archivos) {
    QString motivo;
    const std::optional<Parametros> par = LeerParametros(p.version, archivos.value("_SAL.0"), &motivo);
    if (!par) return Rechazo("parámetros " + p.version, motivo);
    // Catalog updates travel as company 99, activity 92 and operation 0; anything else is a closure.
    const bool catalogos = par->operacion == 0 || (p.empresa == "99" && p.actividad == "92");
    Respuesta r;
    r.operacion = catalogos ? QString("catálogos %1 modos %2").arg(p.version, par->modos)
                            : QString("cierre %1 op %2").arg(p.version).arg(par->operacion);
    if (op_.escenario == Escenario::SinRespuesta) return r;
    if (op_.escenario == Escenario::Error) {
        r.estado = Estado("1 Error de comunicación con el autorizador");
        r.resultado = "estado de error";
        return r;
    }
    const QDateTime ahora = QDateTime::currentDateTime();
    QStringList texto{"       TARSA - TERMINAL SIMULADA",
                      Columna("Fecha: " + ahora.toString("dd/MM/yyyy"), "Hora: " + ahora.toString("HH:mm")),
                      "Licencia: " + p.licencia};
    QByteArray sal0;
    if (catalogos) {
        const QStringList nombres{"_SAL.2", "_SAL.3", p.version == "V250" ? "_SAL.4" : "_SAL.5"};
        QStringList entregados, faltantes;
        for (int i = 0; i < 3; ++i) {
            if (i >= par->modos.size() || par->modos.at(i) == '0') continue;
            const QString origen = Buscar(op_.catalogos, nombres[i], QDir::Files);
            if (origen.isEmpty()) {
                faltantes << nombres[i];
                continue;
            }
            r.archivos << qMakePair(nombres[i], Leer(origen));
            entregados << nombres[i];
        }
        sal0 = RespuestaSal0(*par, 0, 0, "ACTUALIZACION DE NOMENCLADORES", p.licencia);
        if (op_.escenario == Escenario::ErroresItems)
            sal0 += RespuestaSal0(*par, 0, 105, "NOVEDADES PARCIALES, REINTENTE LUEGO", p.licencia);
        texto << "ACTUALIZACION DE NOMENCLADORES"
              << "Entregados: " + entregados.join(' ');
        r.resultado =
            QString("estado 0, entregados [%1], sin archivo [%2]").arg(entregados.join(' '), faltantes.join(' '));
    } else {
        const qint64 numero = proximoTicket_++;
        sal0 = RespuestaSal0(*par, numero, 0, "CIERRE PROCESADO", p.licencia);
        if (op_.escenario == Escenario::ErroresItems) {
            sal0 += RespuestaSal0(*par, numero, 105, "CUPON OBSERVADO EN EL CIERRE", p.licencia);
            sal0 += RespuestaSal0(*par, numero, 212, "CUPON SIN RECETA ADJUNTA", p.licencia);
            sal0 += RespuestaSal0(*par, numero, 330, "FECHA FUERA DEL PERIODO DEL CIERRE", p.licencia);
        }
        texto << QString("CIERRE - OPERACION %1").arg(par->operacion) << QString("Número de cierre: %1").arg(numero)
              << "Cupones procesados: 0";
        r.resultado = QString("estado 0, cierre %1").arg(numero);
    }
    if (op_.escenario == Escenario::ErrorTicket) texto << "*** ERROR: COMPROBANTE NO EMITIDO ***";
    r.archivos << qMakePair(QString("_sal.0"), sal0) << qMakePair(QString("_ticket.prn"), Lineas(texto));
    r.estado = Estado("0 Proceso terminado");
    return r;
}

Terminal::Respuesta Terminal::Rechazo(const QString& operacion, const QString& motivo) const {
    Respuesta r;
    r.operacion = operacion;
    r.resultado = "rechazado: " + motivo;
    if (op_.escenario != Escenario::SinRespuesta) r.estado = Ansi("99 Pedido inválido: " + motivo) + "\r\n";
    return r;
}

QByteArray Terminal::Estado(const QString& porDefecto) const {
    return Ansi(op_.textoEstado.isEmpty() ? porDefecto : op_.textoEstado) + "\r\n";
}

void Terminal::Entregar(const QString& d, const Respuesta& r) {
    QString resultado = r.estado.isEmpty() ? "sin respuesta (" + r.resultado + ")" : r.resultado;
    if (!r.estado.isEmpty()) {
        QString down = Buscar(d, "download", QDir::Dirs);
        if (down.isEmpty()) {
            down = QDir(d).filePath("download");
            QDir().mkpath(down);
        }
        bool ok = true;
        for (const auto& [nombre, bytes] : r.archivos) ok = Escribir(down, nombre, bytes) && ok;
        // Last of all: the status file ends the client's wait.
        ok = (op_.pausaEstadoMs >= 0 ? EscribirEnDosPasos(d, r.estado, op_.pausaEstadoMs)
                                     : Escribir(d, "Estado.rsp", r.estado)) &&
             ok;
        if (!ok) resultado += " [no se pudo escribir alguna respuesta]";
    }
    Registrar(QFileInfo(d).fileName(), r.operacion, resultado);
}

void Terminal::Registrar(const QString& dirIntercambio, const QString& operacion, const QString& resultado) {
    const QString linea = QString("%1 %2 %3 escenario=%4 -> %5\n")
                              .arg(QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss.zzz"), dirIntercambio,
                                   operacion, NombreEscenario(op_.escenario), resultado);
    std::fputs(linea.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

}  // namespace terminal
