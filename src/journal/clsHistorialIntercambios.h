#pragma once
// The exchange history: the archive's list filtered and newest first, one exchange's files broken
// down record by record and field by field, and the selection as CSV. Nothing here shows a window:
// frmHistorialIntercambios only presents what this class gives.
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

#include "exchange/Registro.h"
#include "exchange/clsArchivoIntercambios.h"

struct FiltroHistorial {
    QDate Desde, Hasta;  // by the day sent, both included; an invalid date leaves that end open
    QString Tarjeta;     // part of the card, any letter case
    QString Ticket;      // the whole ticket number (leading zeros do not count)
    QString Resultado;   // one result exactly; empty for all
};

struct RegistroDesglosado {
    int Numero = 0;  // from 1
    QString Marca;   // "incompleto: …" for a record cut short
    QList<CampoLeido> Campos;
};

struct ArchivoDesglosado {
    QString Grupo;        // "enviado", "recibido" or "posterior"
    QString Nombre;       // "_SVL.1"
    QString Disposicion;  // the layout's name; empty for a text
    QString Marca;        // "falta el archivo", "vacío", or what is wrong with its records
    QByteArray Bytes;
    QList<RegistroDesglosado> Registros;  // empty for a text
};

struct DetalleHistorial {
    clsItemIntercambio Item;
    QString Marca;  // set when the exchange itself cannot be read
    QList<ArchivoDesglosado> Archivos;
    QString Ticket;  // the ticket text the terminal wrote, when it wrote one
};

// The amounts of one exchange as its files give them: the items sent (quantity times unit price) and
// what the affiliate pays by the terminal's answer; empty where the exchange carries none.
struct ImportesIntercambio {
    std::optional<double> Items, Abonar;
};

class clsHistorialIntercambios {
public:
    explicit clsHistorialIntercambios(QString raiz) : archivo_(std::move(raiz)) {}

    // Starts reading the archive again; the months are then read one at a time, the newest first, so
    // the first screen needs only the last month's index. What was read is kept as the index's lines
    // and an exchange's fields are read from its line when asked for: rows are numbered from 0, the
    // newest first.
    void Cargar();
    bool Pendiente() const { return !meses_.isEmpty(); }
    // Reads the newest month not yet read; returns the rows of its exchanges that pass the filter,
    // newest first (all of them older than any read before).
    QList<int> CargarMes(const FiltroHistorial& filtro = {});
    void CargarTodo();
    int Cantidad() const { return cantidad_; }  // exchanges read
    clsItemIntercambio Item(int fila) const;
    QList<clsItemIntercambio> Items(const QList<int>& filas) const;
    QList<clsItemIntercambio> Todos() const;                // what was read, newest first
    QList<int> Filas(const FiltroHistorial& filtro) const;  // the rows that pass, newest first
    QList<clsItemIntercambio> Filtrar(const FiltroHistorial& filtro) const { return Items(Filas(filtro)); }
    QStringList Resultados() const;  // the results read so far, for the filter's choices

    DetalleHistorial Abrir(const clsItemIntercambio& item) const;

    // The operation as the journal names it (its code when it has no name).
    static QString Operacion(const clsItemIntercambio& item);
    // The company as the list shows it: its name when known, none for a catalog update.
    static QString Empresa(const clsItemIntercambio& item, const QMap<QString, QString>& empresas);
    // The rows as CSV for a spreadsheet: UTF-8 with its mark, ";" between fields, CR LF after rows; a
    // field that begins with "=", "+", "-" or "@" gets a leading apostrophe so it is never a formula,
    // and a long number (a card) is written as a text formula so the spreadsheet keeps every digit.
    // Amounts go with the regional decimal mark and no thousands separator, as a spreadsheet on the
    // same computer reads a number. empresas: company name by company code; importes: by exchange id.
    static QByteArray Csv(const QList<clsItemIntercambio>& filas, const QMap<QString, QString>& empresas,
                          const QMap<QString, ImportesIntercambio>& importes = {});
    // The same CSV of these rows (by row number, in this order) with their amounts from the archive,
    // written into the file a row at a time (a long history never sits whole in memory) through a
    // temporary file: the file is complete or as it was. False, with the reason in error, when not.
    bool ExportarCsv(const QString& ruta, const QList<int>& filas, const QMap<QString, QString>& empresas,
                     QString* error) const;
    static ImportesIntercambio Importes(const DetalleHistorial& detalle);
    // Bytes as a reader can see them: printable characters as they are, the others escaped
    // (\r, \n, \0, \xHH).
    static QString BytesVisibles(const QByteArray& bytes);

private:
    class Criterio;
    class LineasCsv;
    QByteArrayView Linea(int fila) const;

    clsArchivoIntercambios archivo_;
    QList<clsArchivoIntercambios::IndiceMes> leidos_;  // the newest first
    QList<int> primeras_;                              // the row of each month's newest exchange
    int cantidad_ = 0;
    QList<QByteArray> resultados_;
    QStringList meses_;  // still to read, the newest last
};
