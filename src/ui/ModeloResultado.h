#pragma once
// The rows of the last search. Every field of every row is kept, so that the chosen row can be
// returned whole: row after row in blocks of a few thousand rows, each made once at its full size,
// every field as the engine gave it (a number, or the bytes of a text in one buffer of the block), so
// that keeping a row makes no value and no text of its own: a hundred thousand rows of values and
// texts cost more to make, to hold and to free than reading them. The list shows the texts of the
// template's columns, made when a row is drawn (a screen of rows, not every row found). Rows keep
// their position in the result (the tag of the row) however the list is sorted.
#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "platform/Registros.h"

struct ColumnaResultado {
    QString Clave;  // as written in the template, possibly with a table prefix
    QString Campo;  // the field it reads: the key after its first "."
    QString Titulo;
    int Ancho = -1;      // pixels, from the template; -1 when it gives none
    int Alineacion = 0;  // 0 left, 1 right, 2 centre
};

// One field of a kept row: a number, or where its text's UTF-8 bytes are in the block.
struct CeldaResultado {
    Registros::Tipo Tipo = Registros::Tipo::Nulo;
    qint32 Largo = 0;  // of a text, in bytes; -1 when the engine gave no text (an empty blob)
    union {
        qint64 Entero = 0;
        double Real;
        qsizetype Inicio;  // of a text
    };
};

class ModeloResultado : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : static_cast<int>(orden_.size());
    }
    int columnCount(const QModelIndex& padre = {}) const override {
        return padre.isValid() ? 0 : static_cast<int>(columnas_.size());
    }

    QVariant data(const QModelIndex& indice, int rol) const override;

    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

    const QList<ColumnaResultado>& Columnas() const { return columnas_; }
    const QStringList& NombresCampos() const { return nombresCampos_; }
    // Every field of the row at that position in the result.
    QVariantList Valores(int posicion) const;
    int Filas() const { return static_cast<int>(orden_.size()); }  // listed
    int Pendientes() const { return leidas_ - Filas(); }           // kept, not listed yet

    void EstablecerColumnas(const QList<ColumnaResultado>& columnas) {
        beginResetModel();
        columnas_ = columnas;
        BorrarFilas();
        endResetModel();
    }

    void Limpiar() { Retirar(); }

    // Empties the list and hands its rows' values over, so that the caller chooses when to free them.
    struct Bloque {
        std::vector<CeldaResultado> Celdas;
        QByteArray Textos;
    };
    using Bloques = QList<Bloque>;
    Bloques Retirar() {
        beginResetModel();
        Bloques bloques = std::move(bloques_);
        BorrarFilas();
        endResetModel();
        return bloques;
    }

    // The result's field names, and the field each listed column shows.
    void EstablecerCampos(const QStringList& nombres, const QList<int>& indices) {
        nombresCampos_ = nombres;
        indices_ = indices;
    }

    // Keeps the current row of the result set at the end (one field for each field name) and gives
    // its fields, which stay where they are. It is listed by the next Listar().
    const CeldaResultado* NuevaFila(const Registros& registros);
    // The text of a field of the row just kept, valid until the next row is kept.
    QByteArrayView TextoNueva(const CeldaResultado& celda) const { return Utf8(bloques_.last(), celda); }
    // A field as Registros::Campo gives it; utf8 its text.
    static QVariant Valor(const CeldaResultado& celda, QByteArrayView utf8);
    // Lists the rows kept since the last time.
    void Listar();

    // Sorts by a column: numbers by their value, other values by their displayed text without regard
    // to case; rows of equal value keep their relative order.
    void Ordenar(int columna, bool descendente);

private:
    static constexpr qsizetype kFilasBloque = 4096;

    void BorrarFilas() {
        bloques_.clear();
        leidas_ = 0;
        orden_.clear();
        nombresCampos_.clear();
        indices_.clear();
    }

    QString Texto(int posicion, int columna) const;
    static QByteArrayView Utf8(const Bloque& bloque, const CeldaResultado& celda) {
        if (celda.Largo < 0) return {};
        return QByteArrayView(bloque.Textos.constData() + celda.Inicio, celda.Largo);
    }
    const Bloque& BloqueDe(int posicion) const { return bloques_[posicion / kFilasBloque]; }
    // The first field of the row at that position; the row's other fields follow it.
    const CeldaResultado* Fila(int posicion) const {
        return BloqueDe(posicion).Celdas.data() + (posicion % kFilasBloque) * nombresCampos_.size();
    }
    QVariant Valor(int posicion, int campo) const;

    QList<ColumnaResultado> columnas_;
    QStringList nombresCampos_;
    QList<int> indices_;  // listed column -> field
    Bloques bloques_;     // every field of every row, by position in the result
    int leidas_ = 0;      // rows kept
    QList<int> orden_;    // displayed row -> position in the result
};
