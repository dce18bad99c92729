#include "catalogs/PlantillaBusqueda.h"

#include <QRegularExpression>

#include "platform/TarsaError.h"

namespace {

const QString kApertura = QStringLiteral("{Options:");
const QString kBloque = QStringLiteral("{Options}");

// The option loader: "label;condition;label;condition;..." with ";" appended; a label followed by
// an empty condition (or by nothing) is an option without condition.
QList<OpcionBusqueda> LeerOpciones(QString resto) {
    auto tomar = [&resto] {
        const qsizetype fin = resto.indexOf(';');
        const QString pieza = (fin < 0 ? resto : resto.left(fin)).trimmed();
        resto = fin < 0 ? QString() : resto.mid(fin + 1);
        return pieza;
    };
    QList<OpcionBusqueda> opciones;
    while (!resto.isEmpty()) {
        const QString etiqueta = tomar();
        const QString condicion = resto.isEmpty() ? QString() : tomar();
        opciones.append({etiqueta, condicion});
    }
    return opciones;
}

bool FinDePalabra(QChar c) { return c == ' ' || c == ',' || c == '\r' || c == '\n' || c == '\t'; }

bool EsNumero(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^[+-]?\\d+([.,]\\d+)?$"));
    return numero.match(texto).hasMatch();
}

// One pass over the template, with the options block expanded once. The pattern and the expanded
// condition are appended to the statement; only the template's own text is scanned for marks.
class Constructor {
public:
    Constructor(const QString& patron, const QString& condicion) : patron_(patron), condicion_(condicion) {}

    SentenciaBusqueda Construir(const QString& plantilla) {
        Escanear(plantilla, false);
        if (enPalabra_) CerrarPalabra();
        auto quitarBlancos = [](QString& s) {
            while (!s.isEmpty() && s.back().isSpace()) s.chop(1);
        };
        // An option without condition leaves "... AND " at the end: the statement stops before it.
        quitarBlancos(r_.Sql);
        if (r_.Sql.endsWith(QLatin1String("AND"))) {
            r_.Sql.chop(3);
            quitarBlancos(r_.Sql);
        }
        return r_;
    }

private:
    void Escanear(const QString& t, bool enCondicion) {
        qsizetype i = 0;
        while (i < t.size()) {
            if (t[i] != '{') {
                Caracter(t[i++]);
                continue;
            }
            if (enPalabra_) CerrarPalabra();
            if (t.mid(i, 3) == QLatin1String("{S}")) {
                Patron();
                i += 3;
            } else if (t.mid(i, 3) == QLatin1String("{R}")) {
                retornoPendiente_ = true;
                i += 3;
            } else if (t.mid(i, kBloque.size()) == kBloque) {
                // Expanded once; inside the condition the same name is only text.
                if (enCondicion)
                    r_.Sql += kBloque;
                else
                    Escanear(condicion_, true);
                i += kBloque.size();
            } else {
                i = Titulo(t, i);
            }
        }
    }

    // "{Caption;width;alignment}": the next word is a column key.
    qsizetype Titulo(const QString& t, qsizetype i) {
        const qsizetype cierre = t.indexOf('}', i + 1);
        if (cierre < 0)
            throw TarsaError(ErrArgumentoInvalido,
                             QString::fromUtf8("La plantilla de búsqueda no cierra la llave abierta en la posición ") +
                                 QString::number(i + 1));
        const QStringList partes = t.mid(i + 1, cierre - i - 1).split(';');
        pendiente_ = {};
        pendiente_.Titulo = partes.value(0);
        bool ok = false;
        const int ancho = partes.value(1).trimmed().toInt(&ok);
        if (ok) pendiente_.AnchoTwips = ancho;
        pendiente_.Alineacion = partes.value(2).trimmed().toInt();
        clavePendiente_ = true;
        return cierre + 1;
    }

    // Inside quotes the pattern goes as typed (the template supplies the quotes), its own quotes
    // doubled so that a name such as D'ALESSANDRO is searched for and not cut short; outside them it
    // would become part of the statement itself, so there it must be a number.
    void Patron() {
        if (!comilla_.isNull()) {
            r_.Sql += QString(patron_).replace(comilla_, QString(2, comilla_));
            return;
        }
        const QString numero = patron_.trimmed();
        if (!EsNumero(numero))
            throw TarsaError(ErrTiposNoCoinciden,
                             QString::fromUtf8("El texto buscado debe ser un número para esta opción: ") + patron_);
        r_.Sql += numero;
    }

    void Caracter(QChar c) {
        if (clavePendiente_ || retornoPendiente_) {
            if (enPalabra_ && FinDePalabra(c))
                CerrarPalabra();
            else if (!enPalabra_ && !FinDePalabra(c))
                enPalabra_ = true;
            if (enPalabra_) palabra_ += c;
        }
        if (comilla_.isNull() && (c == '\'' || c == '"'))
            comilla_ = c;
        else if (c == comilla_)
            comilla_ = QChar();
        r_.Sql += c;
    }

    void CerrarPalabra() {
        if (retornoPendiente_) r_.CampoRetorno = palabra_;
        if (clavePendiente_) {
            pendiente_.Clave = palabra_;
            pendiente_.Campo = CampoDeClave(palabra_);
            r_.Columnas.append(pendiente_);
        }
        clavePendiente_ = retornoPendiente_ = enPalabra_ = false;
        palabra_.clear();
    }

    const QString patron_;
    const QString condicion_;
    SentenciaBusqueda r_;
    ColumnaBusqueda pendiente_;
    bool clavePendiente_ = false;
    bool retornoPendiente_ = false;
    bool enPalabra_ = false;
    QString palabra_;
    QChar comilla_;  // the quote the statement is inside of, null outside
};

}  // namespace

PlantillaBusqueda LeerPlantilla(const QString& plantilla) {
    PlantillaBusqueda r;
    QString bloque;
    bool enBloque = false;
    bool hayBloque = false;
    bool enLlave = false;
    for (qsizetype i = 0; i < plantilla.size(); ++i) {
        const QChar c = plantilla[i];
        if (c == '{' && !enBloque && !enLlave && plantilla.mid(i, kApertura.size()) == kApertura) {
            r.Plantilla += QStringLiteral("{Options");
            i += kApertura.size() - 1;  // the colon is not copied
            enBloque = hayBloque = true;
            continue;
        }
        if (c == '{') {
            enLlave = true;
        } else if (c == '}') {
            if (enLlave) {
                enLlave = false;
            } else if (enBloque) {
                enBloque = false;
                r.Plantilla += c;
                continue;
            }
        }
        if (enBloque)
            bloque += c;
        else
            r.Plantilla += c;
    }
    if (hayBloque) r.Opciones = LeerOpciones(bloque + ';');
    return r;
}

SentenciaBusqueda ConstruirSentencia(const QString& plantilla, const QString& patron, const QString& opcion) {
    const PlantillaBusqueda p = LeerPlantilla(plantilla);
    QString condicion = p.Opciones.isEmpty() ? QString() : p.Opciones.first().Condicion;
    for (const OpcionBusqueda& o : p.Opciones)
        if (o.Etiqueta == opcion) {
            condicion = o.Condicion;
            break;
        }
    return Constructor(patron, condicion).Construir(p.Plantilla);
}

QString CampoDeClave(const QString& clave) {
    const qsizetype punto = clave.indexOf('.');
    return punto < 0 ? clave : clave.mid(punto + 1);
}
