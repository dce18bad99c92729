#pragma once
// The terminal's own reading and writing of the exchange records. It knows the layouts from
// their tables only; it never shares code with the client's record writers, so that each side
// checks the other.
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace terminal {

// The 16-byte request record `_SVL.0`.
struct Pedido {
    QString version;    // "V101" or "V250"
    QString empresa;    // 2 characters
    QString actividad;  // 2 characters
    QString licencia;   // 8 characters, trimmed
};
std::optional<Pedido> LeerPedido(const QByteArray& bytes, QString* motivo);

enum class Diseno { V101Farmacia, V101Otros, V250Farmacia, V250Otros };

// Lengths and the places the terminal fills, per layout of the header and the items.
struct DisenoCabecera {
    int largo;
    int ticket, anchoTicket;
    int fecha, hora, plan, tipoAfiliado;
    int monto, anchoMonto;
    int codigoError;  // 4 wide
    int textoError, anchoTextoError;
};
struct DisenoItem {
    int largo;
    int codigoError;  // 4 wide, -1 when the layout has only an error text
    int textoError, anchoTextoError;
};
const DisenoCabecera& Cabecera(Diseno d);
const DisenoItem& Item(Diseno d);
bool EsFarmacia(Diseno d);
bool EsV250(Diseno d);
// Upload file of the items of a layout, and the file in which the terminal answers them.
QString ArchivoItemsPedido(Diseno d);
QString ArchivoItemsRespuesta(Diseno d);

// The header `_SVL.1` as the terminal needs it for its answer and its ticket text.
struct Ticket {
    Diseno diseno;
    QByteArray registro;  // the first record, exactly as received
    QString operacion;    // two digits as in the V250 layouts (V101 characters mapped back)
    QString tarjeta, tipoLectura, prestador, ticketPadre, receta, fechaReceta, matriculaRe;
};
// The layout is told by the version and by where the record's CR LF sits.
std::optional<Ticket> LeerCabecera(const QString& version, const QByteArray& bytes, QString* motivo);

struct ItemPedido {
    QByteArray registro;
    QString codigo;  // troquel or practice
    int cantidad = 0;
    qint64 precio = 0;  // hundredths
    int cobertura = 0;  // percentage times 100 (V250 pharmacy only)
    QString plan;
};
// Every record must be whole and end in CR LF.
std::optional<QList<ItemPedido>> LeerItems(Diseno d, const QByteArray& bytes, QString* motivo);
// Number of whole 56-byte diagnosis records, or nothing when the file is malformed.
std::optional<int> ContarDiagnosticos(const QByteArray& bytes);

struct DatosRespuesta {
    qint64 ticket = 0;
    QString fecha;  // yyyymmdd
    QString hora;   // hhmm
    QString plan;
    qint64 monto = 0;  // hundredths
    QString comentario;
};
// The answer header in the request's own layout, with the terminal's places filled.
QByteArray RespuestaCabecera(const Ticket& t, const DatosRespuesta& r);
// An answered item: the request record with its error fields set (code 0 clears them).
QByteArray RespuestaItem(Diseno d, const QByteArray& registro, int codigo, const QString& texto);

// The `_SAL.0` parameters record of catalog updates and closures.
struct Parametros {
    int operacion = 0;
    QString modos = "000";    // doctors, medications, diagnoses
    QByteArray registroV250;  // the whole record when it came in the V250 layout
};
std::optional<Parametros> LeerParametros(const QString& version, const QByteArray& bytes, QString* motivo);
// A 116-byte answer record in the V250 layout.
QByteArray RespuestaSal0(const Parametros& p, qint64 numero, int codigo, const QString& mensaje,
                         const QString& licencia);

// Text helpers for fixed fields in Windows-1252.
QByteArray Ansi(const QString& texto);
QString DesdeAnsi(const QByteArray& bytes);
// False when the system cannot convert Windows-1252.
bool AnsiDisponible();
QByteArray Texto(const QString& valor, int ancho);  // left-aligned, blank-padded, cut
QByteArray Ceros(const QString& valor, int ancho);  // trimmed, "0"-padded, last kept
void Poner(QByteArray& registro, int posicion, const QByteArray& campo);

}  // namespace terminal
