#pragma once
// The exchange archive: the exact bytes of every request and answer file, the status line, the times
// and the outcome of each exchange with the terminal, kept under the application directory for the
// pharmacy's disputes with insurers.
//
//   Intercambios/yyyy-MM/indice.txt          one line per event, appended (the list reads only this)
//   Intercambios/yyyy-MM/<id>/intercambio.txt a short description, rewritten whole
//   Intercambios/yyyy-MM/<id>/enviado/        the request files as they were sent
//   Intercambios/yyyy-MM/<id>/recibido/       the answer files and Estado.rsp as they were read
//   Intercambios/yyyy-MM/<id>/posterior/      what was still in the exchange directory afterwards
//
// Every directory is written under a ".tmp" name and renamed when complete, and the index ignores a
// torn last line, so a crash leaves at most a ".tmp" directory that the next run removes.
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

// One exchange as the index lists it.
struct clsItemIntercambio {
    QString Id;  // yyyyMMdd-HHmmsszzz-<exchange directory>
    QDateTime Enviado;
    QDateTime Respondido;  // invalid while nothing was read
    QString Operacion;     // the operation code of the request header, when it carries one
    QString Resultado;     // "enviado", "procesada", "error", "sin respuesta", "cancelada", "tardía", ...
    QString Estado;        // the status line
    qint64 Bytes = 0;      // size of its files
    QString Empresa;       // company code of the request record
    QString Tarjeta;       // card of the request header
    QString Ticket;        // ticket number of the answer header, without leading zeros
};

class clsArchivoIntercambios {
public:
    // raiz: the archive's directory (Intercambios under the application directory).
    explicit clsArchivoIntercambios(QString raiz) : raiz_(std::move(raiz)) {}
    static QString RaizPorDefecto();  // gDirectorioAplicacion/Intercambios

    // Copies the request files of d/UpLoad (exact bytes), and those of `ademas` not yet written there,
    // into a new exchange; returns its id.
    QString GuardarPedido(const QString& d, const QString& operacion, const QDateTime& cuando,
                          const QMap<QString, QByteArray>& ademas = {});
    // Copies the answer files of d/DownLoad and d/Estado.rsp into the exchange and records the outcome.
    void GuardarRespuesta(const QString& id, const QString& d, const QString& resultado, const QString& estado,
                          const QDateTime& cuando);
    // Records an outcome without answer files (a cancelled wait).
    void Anotar(const QString& id, const QString& resultado, const QDateTime& cuando);
    // Moves what is left in d/DownLoad and d/Estado.rsp out of the way before the next request: files
    // already archived byte for byte are removed, any other goes into the exchange's "posterior"
    // (or, with no exchange, into one of its own). Links and directories are left alone.
    void Despejar(const QString& id, const QString& d, const QDateTime& cuando);

    // Every exchange, oldest first, from the monthly indexes (last event of each id wins).
    QList<clsItemIntercambio> Listar() const;
    // The months that have an index ("yyyy-MM"), oldest first, and one month's exchanges, oldest
    // first: an exchange's events all go to the index of the month it was sent in, so a list can be
    // read a month at a time, the newest first.
    QStringList Meses() const;
    QList<clsItemIntercambio> ListarMes(const QString& mes) const;
    struct Detalle {
        clsItemIntercambio Item;
        QString Descripcion;
        QMap<QString, QByteArray> Enviados, Recibidos, Posteriores;
    };
    std::optional<Detalle> Leer(const QString& id) const;
    // The directory of an exchange (which may be gone).
    QString DirectorioDe(const QString& id) const;

    // One line of a monthly index, as Indexar appends it.
    static QByteArray LineaIndice(const clsItemIntercambio& item);

    // Removes whole months older than dias and then the oldest months while the archive is larger
    // than maxBytes (never the current month), and any ".tmp" left by a crash.
    void AplicarRetencion(int dias, qint64 maxBytes, const QDate& hoy) const;
    // The retention of the settings (section "Start": IntercambiosDias, IntercambiosMB), once a run.
    static void RetencionDeAjustes();

    static constexpr int kDiasPorDefecto = 1825;   // five years
    static constexpr qint64 kMBPorDefecto = 2048;  // two gigabytes

private:
    void Indexar(const QString& id, const clsItemIntercambio& item) const;
    void Describir(const QString& id, const clsItemIntercambio& item) const;
    QString raiz_;
};
