#pragma once
// The simulated terminal: watches the working directory, answers each request of an exchange
// directory and writes the status file last. Like a real terminal it serves one request at a time,
// in the order they came; a request that arrives while an answer is pending waits its turn.
#include <QByteArray>
#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <optional>

#include "RegistrosTerminal.h"

namespace terminal {

enum class Escenario { Ok, Error, ErroresItems, ErrorTicket, SinRespuesta, Demora };

struct Opciones {
    QString dir;
    Escenario escenario = Escenario::Ok;
    int demoraMs = -1;    // -1: 3000 ms in the "delay" scenario, none otherwise
    QString version;      // empty: whatever the request says
    QString catalogos;    // directory holding _SAL.2 .. _SAL.5 to deliver
    int maxPedidos = 0;   // 0: no limit
    QString textoEstado;  // replaces the status line of every answered request
    qint64 primerTicket = 1001;
    int pausaEstadoMs = -1;  // >= 0: Estado.rsp is created empty and written this many ms later
    QString liberacion;      // a file: each answer waits until it exists (the client has cancelled)
};

QString NombreEscenario(Escenario e);

class Terminal : public QObject {
public:
    explicit Terminal(const Opciones& opciones, QObject* parent = nullptr);
    void Iniciar();

private:
    struct Respuesta {
        QList<QPair<QString, QByteArray>> archivos;  // into the download directory
        QByteArray estado;                           // whole Estado.rsp; empty: no status at all
        QString operacion;
        QString resultado;
    };

    void Revisar();
    void Vigilar();
    void Atender(const QString& dirIntercambio);
    Respuesta Procesar(const QString& dirIntercambio);
    Respuesta ProcesarTicket(const Pedido& p, const QHash<QString, QByteArray>& archivos);
    Respuesta ProcesarParametros(const Pedido& p, const QHash<QString, QByteArray>& archivos);
    Respuesta Rechazo(const QString& operacion, const QString& motivo) const;
    QByteArray Estado(const QString& porDefecto) const;
    void Entregar(const QString& dirIntercambio, const Respuesta& r);
    void Registrar(const QString& dirIntercambio, const QString& operacion, const QString& resultado);
    void Contar();
    void Liberar();
    bool Ocupada() const { return pendientes_ > 0; }

    Opciones op_;
    QFileSystemWatcher vigia_;
    QTimer sondeo_;
    qint64 proximoTicket_;
    int atendidos_ = 0;
    int pendientes_ = 0;
    std::optional<QPair<QString, Respuesta>> retenida_;  // an answer waiting for the release file
    QHash<QString, QDateTime> pedidoCortoDesde_;         // a short _SVL.0 seen while polling
    // Exchange directories answered by polling, before the client's notification of the same request
    // (and its TX folder) arrived: that notification is spent, not a request without a record.
    QSet<QString> atendidosSinAviso_;
};

}  // namespace terminal
