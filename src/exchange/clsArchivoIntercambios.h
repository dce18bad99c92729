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
// Every directory is written under a ".tmp" name in its month's folder and renamed into place when
// complete, and a line of the index cut by a crash is told from a whole one, so a crash leaves at most a
// ".tmp" directory in one of the two newest months, which the next run removes.
//
// The working directory is shared: nothing is read, moved, copied or deleted through a link there (the
// exchange directory, its upload and download directories and their entries), nor in the archive (its
// month folders, the index, the temporary directories). Each file is archived only up to the size its
// reader accepts. The archive is a record, not a condition of the exchange: when it cannot be written
// the exchange directory is cleared all the same and the user is told once a run why.
#include <QByteArrayView>
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
    // One month's index as a list keeps it: the last line of each exchange, oldest first, as text
    // (each line with its "\n"), and where each line starts. A list holds these bytes instead of one
    // object per exchange, and reads an exchange's fields when it shows or filters it.
    struct IndiceMes {
        QByteArray Lineas;
        QList<quint32> Desde;
        qsizetype Cantidad() const { return Desde.size(); }
        QByteArrayView Linea(qsizetype n) const;  // without its "\n"
    };
    IndiceMes LeerIndiceMes(const QString& mes) const;
    // The fields of an index line, by position; lines written before the company, card and ticket were
    // kept have only the first seven (the others read empty).
    enum CampoIndice {
        ciId,
        ciEnviado,
        ciRespondido,
        ciOperacion,
        ciResultado,
        ciBytes,
        ciEstado,
        ciEmpresa,
        ciTarjeta,
        ciTicket
    };
    static QByteArrayView Campo(QByteArrayView linea, CampoIndice campo);
    // The exchange a line of IndiceMes describes.
    static clsItemIntercambio ItemDeLinea(QByteArrayView linea);
    // The local day a time of the index falls on (invalid when it is not one).
    static QDate DiaDeFecha(QByteArrayView fecha);
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

    // Removes what a crash left (BorrarTemporales), then whole months older than dias and the oldest
    // months while the archive is larger than maxBytes (never the current month).
    void AplicarRetencion(int dias, qint64 maxBytes, const QDate& hoy) const;
    // Removes the ".tmp" directories a crash left: only the two newest months can hold them, since an
    // exchange is written into the month it was sent in. Also the months a removal left half done.
    void BorrarTemporales() const;
    // The months only: by age, then by size, each size read from its index alone.
    void AplicarMeses(int dias, qint64 maxBytes, const QDate& hoy) const;
    // At start-up, once a run: the temporaries are removed at once (before any request can write one),
    // and the months of the settings (section "Start": IntercambiosDias, IntercambiosMB) in a thread
    // of their own, so that no request waits for a pass that grows with the archive.
    static void RetencionDeAjustes();
    // Waits until the pass RetencionDeAjustes started has finished (tests, benchmarks).
    static void EsperarRetencion();

    // How much of a file is archived: what its reader accepts (the answer readers' limits), a default
    // for files no reader knows.
    static qint64 LimiteArchivado(const QString& nombre);
    // What went wrong with the last write of this object (empty when nothing).
    const QString& UltimoError() const { return error_; }

private:
    bool Indexar(const QString& id, const clsItemIntercambio& item) const;
    bool Describir(const QString& id, const clsItemIntercambio& item, const QStringList& notas = {}) const;
    bool DirectorioMes(const QString& mes) const;
    bool Fallo(const QString& motivo) const;
    QString raiz_;
    mutable QString error_;
};

// Whether the user has been told this run that the archive could not be written (once a run).
inline bool gArchivoIntercambiosAvisado = false;
