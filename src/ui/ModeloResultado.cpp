#include "ui/ModeloResultado.h"

#include <QHash>
#include <algorithm>

#include "ui/modPresentacion.h"

namespace {

Qt::Alignment AlineacionQt(int alineacion) {
    switch (alineacion) {
        case 1:
            return Qt::AlignRight | Qt::AlignVCenter;
        case 2:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

QVariant ModeloResultado::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= orden_.size()) return {};
    const int posicion = orden_[indice.row()];
    switch (rol) {
        case Qt::DisplayRole:
            return Texto(posicion, indice.column());
        case Qt::TextAlignmentRole:
            // The first column of a report list is always left-aligned.
            return indice.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                        : QVariant(AlineacionQt(columnas_[indice.column()].Alineacion));
        case Qt::UserRole:
            return posicion;
        default:
            return {};
    }
}

QVariant ModeloResultado::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (orientacion != Qt::Horizontal || seccion < 0 || seccion >= columnas_.size()) return {};
    if (rol == Qt::DisplayRole) return columnas_[seccion].Titulo;
    if (rol == Qt::TextAlignmentRole)
        return QVariant(seccion == 0 ? Qt::AlignLeft | Qt::AlignVCenter : AlineacionQt(columnas_[seccion].Alineacion));
    return {};
}

QString ModeloResultado::Texto(int posicion, int columna) const {
    const int campo = indices_.value(columna, -1);
    if (campo < 0) return {};
    const QVariant v = Valor(posicion, campo);
    return EsCampoMoneda(columnas_[columna].Campo) ? TextoMoneda(v) : TextoVisible(v);
}

QVariant ModeloResultado::Valor(const CeldaResultado& celda, QByteArrayView utf8) {
    switch (celda.Tipo) {
        case Registros::Tipo::Entero:
            return QVariant(static_cast<qlonglong>(celda.Entero));
        case Registros::Tipo::Real:
            return QVariant(celda.Real);
        case Registros::Tipo::Texto:
            return QVariant(QString::fromUtf8(utf8));
        case Registros::Tipo::Nulo:
            break;
    }
    return {};
}

QVariant ModeloResultado::Valor(int posicion, int campo) const {
    const CeldaResultado& celda = Fila(posicion)[campo];
    return Valor(celda, Utf8(BloqueDe(posicion), celda));
}

QVariantList ModeloResultado::Valores(int posicion) const {
    QVariantList valores;
    for (int campo = 0; campo < nombresCampos_.size(); ++campo) valores.append(Valor(posicion, campo));
    return valores;
}

const CeldaResultado* ModeloResultado::NuevaFila(const Registros& registros) {
    const qsizetype campos = nombresCampos_.size();
    if (bloques_.isEmpty() || qsizetype(bloques_.last().Celdas.size()) >= kFilasBloque * campos) {
        bloques_.append(Bloque());
        bloques_.last().Celdas.reserve(kFilasBloque * campos);
        bloques_.last().Textos.reserve(kFilasBloque * 64);
    }
    // Filled where it stays: no row is made to be moved and freed.
    Bloque& bloque = bloques_.last();
    const qsizetype primera = qsizetype(bloque.Celdas.size());
    bloque.Celdas.resize(primera + campos);
    CeldaResultado* const fila = bloque.Celdas.data() + primera;
    for (int f = 0; f < campos; ++f) {
        CeldaResultado& celda = fila[f];
        celda.Tipo = registros.TipoCampo(f);
        if (celda.Tipo == Registros::Tipo::Entero) {
            celda.Entero = registros.Entero(f);
        } else if (celda.Tipo == Registros::Tipo::Real) {
            celda.Real = registros.Real(f);
        } else if (celda.Tipo == Registros::Tipo::Texto) {
            const QByteArrayView utf8 = registros.Utf8(f);
            celda.Inicio = bloque.Textos.size();
            celda.Largo = utf8.isNull() ? -1 : static_cast<qint32>(utf8.size());
            bloque.Textos.append(utf8);
        }
    }
    ++leidas_;
    return fila;
}

void ModeloResultado::Listar() {
    const int primera = Filas();
    if (leidas_ == primera) return;
    beginInsertRows({}, primera, leidas_ - 1);
    for (int p = primera; p < leidas_; ++p) orden_.append(p);
    endInsertRows();
}

void ModeloResultado::Ordenar(int columna, bool descendente) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList persistentes = persistentIndexList();
    QList<int> posiciones;
    for (const QModelIndex& i : persistentes) posiciones.append(orden_.value(i.row(), -1));
    // Numbers sort as numbers (a price of 900 before one of 1.520,50), everything else by its text.
    const int campo = indices_.value(columna, -1);
    const auto numero = [&](int fila, double& valor) {
        if (campo < 0) return false;
        const CeldaResultado& celda = Fila(fila)[campo];
        if (celda.Tipo == Registros::Tipo::Entero)
            valor = double(celda.Entero);
        else if (celda.Tipo == Registros::Tipo::Real)
            valor = celda.Real;
        else
            return false;
        return true;
    };
    QStringList textos;
    textos.reserve(orden_.size());
    for (int p = 0; p < orden_.size(); ++p) textos.append(Texto(p, columna));
    std::stable_sort(orden_.begin(), orden_.end(), [&](int a, int b) {
        double x = 0, y = 0;
        int c = 0;
        if (numero(a, x) && numero(b, y))
            c = x < y ? -1 : (x > y ? 1 : 0);
        else
            c = textos[a].compare(textos[b], Qt::CaseInsensitive);
        return descendente ? c > 0 : c < 0;
    });
    QHash<int, int> filaDe;
    for (int fila = 0; fila < orden_.size(); ++fila) filaDe.insert(orden_[fila], fila);
    for (qsizetype i = 0; i < persistentes.size(); ++i) {
        const int fila = filaDe.value(posiciones[i], -1);
        changePersistentIndex(persistentes[i], fila < 0 ? QModelIndex() : index(fila, persistentes[i].column()));
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
