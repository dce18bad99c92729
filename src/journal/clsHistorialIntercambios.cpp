#include "journal/clsHistorialIntercambios.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

#include "catalogs/clsDiagnostico.h"
#include "core/Operaciones.h"
#include "core/modFormato.h"
#include "exchange/DisposicionesArchivadas.h"
#include "platform/Ansi.h"
#include "platform/Rutas.h"

namespace {

const QString kFaltaArchivo = QString::fromUtf8("falta el archivo");

QString SinCeros(QString numero) {
    numero = numero.trimmed();
    while (numero.size() > 1 && numero.startsWith('0')) numero.remove(0, 1);
    return numero;
}

QList<RegistroDesglosado> Registros(const DisposicionDescrita& d, const QByteArray& bytes) {
    QList<RegistroDesglosado> registros;
    for (qsizetype desde = 0, n = 1; desde < bytes.size(); desde += d.Longitud, ++n) {
        const QByteArray registro = bytes.mid(desde, d.Longitud);
        RegistroDesglosado r{static_cast<int>(n), {}, Registro::Desglosar(d, registro)};
        if (registro.size() < d.Longitud)
            r.Marca = QString::fromUtf8("incompleto: %1 de %2 bytes").arg(registro.size()).arg(d.Longitud);
        registros.append(r);
    }
    return registros;
}

ArchivoDesglosado Desglosar(const QString& grupo, const QString& nombre, const QByteArray& bytes,
                            const std::optional<DisposicionDescrita>& d) {
    ArchivoDesglosado a{grupo, nombre, d ? d->Nombre : QString(), {}, bytes, {}};
    if (bytes.isEmpty()) a.Marca = QString::fromUtf8("vacío");
    if (!d) return a;
    a.Registros = Registros(*d, bytes);
    for (const RegistroDesglosado& r : a.Registros) {
        if (!r.Marca.isEmpty())
            a.Marca = QString::fromUtf8("registro %1 %2").arg(r.Numero).arg(r.Marca);
        else if (a.Marca.isEmpty())
            for (const CampoLeido& c : r.Campos)
                if (!c.Marca.isEmpty())
                    a.Marca = QString::fromUtf8("registro %1, %2: %3").arg(r.Numero).arg(c.Campo.Nombre, c.Marca);
    }
    return a;
}

bool Tiene(const QMap<QString, QByteArray>& archivos, const QString& nombre) {
    for (const QString& n : archivos.keys())
        if (n.compare(nombre, Qt::CaseInsensitive) == 0) return true;
    return false;
}

// The files every exchange of its kind has; one that is not there is listed with a mark.
QList<ArchivoDesglosado> Faltantes(const clsArchivoIntercambios::Detalle& d) {
    QList<ArchivoDesglosado> faltan;
    auto falta = [&faltan](const QString& grupo, const QString& nombre) {
        faltan.append({grupo, nombre, {}, kFaltaArchivo, {}, {}});
    };
    const QString& resultado = d.Item.Resultado;
    if (resultado == "restos") return faltan;
    if (!Tiene(d.Enviados, "_SVL.0")) falta("enviado", "_SVL.0");
    const bool conRegistros = Tiene(d.Enviados, "_SVL.2") || Tiene(d.Enviados, "_SVL.3") || Tiene(d.Enviados, "_SVL.4");
    if (conRegistros && !Tiene(d.Enviados, "_SVL.1")) falta("enviado", "_SVL.1");
    const bool respondido = d.Item.Respondido.isValid() && resultado != "cancelada" && resultado != "enviado";
    if (respondido && !Tiene(d.Recibidos, "Estado.rsp")) falta("recibido", "Estado.rsp");
    return faltan;
}

}  // namespace

namespace {

bool EsAscii(QByteArrayView bytes) {
    for (const char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80) return false;
    return true;
}

}  // namespace

// A filter applied to the index lines themselves: a field is made a text only when its bytes alone
// cannot tell (a filter is typed over every exchange of five years, a key at a time).
class clsHistorialIntercambios::Criterio {
public:
    explicit Criterio(const FiltroHistorial& f)
        : desde_(f.Desde),
          hasta_(f.Hasta),
          resultado_(f.Resultado),
          resultadoBytes_(f.Resultado.toUtf8()),
          tarjeta_(f.Tarjeta.trimmed()),
          ticket_(f.Ticket.trimmed().isEmpty() ? QString() : SinCeros(f.Ticket)) {}

    bool Cumple(QByteArrayView linea) const {
        using A = clsArchivoIntercambios;
        if (desde_.isValid() || hasta_.isValid()) {
            const QDate dia = A::DiaDeFecha(A::Campo(linea, A::ciEnviado));
            if (desde_.isValid() && dia < desde_) return false;
            if (hasta_.isValid() && dia > hasta_) return false;
        }
        if (!resultado_.isEmpty() && !Igual(A::Campo(linea, A::ciResultado))) return false;
        if (!tarjeta_.isEmpty() && !TieneTarjeta(A::Campo(linea, A::ciTarjeta))) return false;
        if (!ticket_.isEmpty() && SinCeros(QString::fromUtf8(A::Campo(linea, A::ciTicket))) != ticket_) return false;
        return true;
    }

private:
    bool Igual(QByteArrayView resultado) const {
        if (resultado == resultadoBytes_) return true;
        return !EsAscii(resultado) && QString::fromUtf8(resultado) == resultado_;
    }
    bool TieneTarjeta(QByteArrayView tarjeta) const {
        if (EsAscii(tarjeta)) return QLatin1StringView(tarjeta).contains(tarjeta_, Qt::CaseInsensitive);
        return QString::fromUtf8(tarjeta).contains(tarjeta_, Qt::CaseInsensitive);
    }

    QDate desde_, hasta_;
    QString resultado_;
    QByteArray resultadoBytes_;
    QString tarjeta_, ticket_;
};

void clsHistorialIntercambios::Cargar() {
    leidos_.clear();
    primeras_.clear();
    cantidad_ = 0;
    resultados_.clear();
    meses_ = archivo_.Meses();
}

QList<int> clsHistorialIntercambios::CargarMes(const FiltroHistorial& filtro) {
    QList<int> filas;
    if (meses_.isEmpty()) return filas;
    leidos_.append(archivo_.LeerIndiceMes(meses_.takeLast()));
    primeras_.append(cantidad_);
    const clsArchivoIntercambios::IndiceMes& mes = leidos_.constLast();
    const Criterio criterio(filtro);
    for (qsizetype n = mes.Cantidad() - 1; n >= 0; --n, ++cantidad_) {
        const QByteArrayView linea = mes.Linea(n);
        const QByteArrayView resultado = clsArchivoIntercambios::Campo(linea, clsArchivoIntercambios::ciResultado);
        if (!resultado.isEmpty() && !resultados_.contains(resultado)) resultados_.append(resultado.toByteArray());
        if (criterio.Cumple(linea)) filas.append(cantidad_);
    }
    return filas;
}

void clsHistorialIntercambios::CargarTodo() {
    while (Pendiente()) CargarMes();
}

QByteArrayView clsHistorialIntercambios::Linea(int fila) const {
    const auto m = std::upper_bound(primeras_.cbegin(), primeras_.cend(), fila) - primeras_.cbegin() - 1;
    const clsArchivoIntercambios::IndiceMes& mes = leidos_.at(m);
    return mes.Linea(mes.Cantidad() - 1 - (fila - primeras_.at(m)));
}

clsItemIntercambio clsHistorialIntercambios::Item(int fila) const {
    return clsArchivoIntercambios::ItemDeLinea(Linea(fila));
}

QList<clsItemIntercambio> clsHistorialIntercambios::Items(const QList<int>& filas) const {
    QList<clsItemIntercambio> items;
    items.reserve(filas.size());
    for (const int f : filas) items.append(Item(f));
    return items;
}

QList<clsItemIntercambio> clsHistorialIntercambios::Todos() const { return Filtrar({}); }

QList<int> clsHistorialIntercambios::Filas(const FiltroHistorial& filtro) const {
    QList<int> filas;
    const Criterio criterio(filtro);
    int fila = 0;
    for (const clsArchivoIntercambios::IndiceMes& mes : leidos_)
        for (qsizetype n = mes.Cantidad() - 1; n >= 0; --n, ++fila)
            if (criterio.Cumple(mes.Linea(n))) filas.append(fila);
    return filas;
}

QStringList clsHistorialIntercambios::Resultados() const {
    QStringList r;
    for (const QByteArray& bytes : resultados_)
        if (const QString t = QString::fromUtf8(bytes); !r.contains(t)) r.append(t);
    std::sort(r.begin(), r.end());
    return r;
}

QString clsHistorialIntercambios::Operacion(const clsItemIntercambio& item) {
    static const QRegularExpression dosDigitos(QStringLiteral("^[0-9]{2}$"));
    // Lines written before catalog updates were named: the only request sent for company "99".
    if (item.Operacion.isEmpty() && item.Empresa == "99") return "Nomencladores";
    return dosDigitos.match(item.Operacion).hasMatch() ? NombreOperacion(item.Operacion.toInt()) : item.Operacion;
}

QString clsHistorialIntercambios::Empresa(const clsItemIntercambio& item, const QMap<QString, QString>& empresas) {
    if (Operacion(item) == "Nomencladores") return {};
    // Catalog names are stored padded to their column's width.
    return empresas.value(item.Empresa, item.Empresa).trimmed();
}

DetalleHistorial clsHistorialIntercambios::Abrir(const clsItemIntercambio& item) const {
    DetalleHistorial r{item, {}, {}, {}};
    const auto leido = archivo_.Leer(item.Id);
    if (!leido) {
        r.Marca = QString::fromUtf8("No se encuentra el intercambio en el archivo (falta %1/intercambio.txt).")
                      .arg(archivo_.DirectorioDe(item.Id));
        return r;
    }
    r.Item = leido->Item;
    const DisposicionesArchivadas disposiciones = DisposicionesArchivadas::De(leido->Enviados);
    auto para = [&disposiciones](const QString& grupo, const QString& nombre) {
        if (nombre.compare("_SVL.4", Qt::CaseInsensitive) == 0)
            return std::optional<DisposicionDescrita>(Describir(clsDiagnostico::DisposicionSVL4()));
        return disposiciones.Para(nombre, grupo != "enviado");
    };
    const QList<std::pair<QString, const QMap<QString, QByteArray>*>> grupos{
        {"enviado", &leido->Enviados}, {"recibido", &leido->Recibidos}, {"posterior", &leido->Posteriores}};
    for (const auto& [grupo, archivos] : grupos)
        for (auto it = archivos->begin(); it != archivos->end(); ++it)
            r.Archivos.append(Desglosar(grupo, it.key(), it.value(), para(grupo, it.key())));
    r.Archivos.append(Faltantes(*leido));
    // A file archived only up to its reader's limit says so ("cortado: posterior/x, se guardaron …").
    for (const QString& linea : leido->Descripcion.split('\n')) {
        if (!linea.startsWith("cortado: ")) continue;
        const QString cual = linea.mid(9).section(", ", 0, 0);
        for (ArchivoDesglosado& a : r.Archivos)
            if (a.Grupo + "/" + a.Nombre == cual) a.Marca = "archivado en parte: " + linea.mid(9).section(", ", 1);
    }
    r.Ticket = Ansi::Decodificar(ArchivoDe(leido->Recibidos, "_ticket.prn"));
    return r;
}

ImportesIntercambio clsHistorialIntercambios::Importes(const DetalleHistorial& detalle) {
    ImportesIntercambio r;
    const auto valor = [](const RegistroDesglosado& registro, const QString& nombre) -> std::optional<double> {
        for (const CampoLeido& c : registro.Campos) {
            if (c.Campo.Nombre != nombre || !c.Marca.isEmpty()) continue;
            bool ok = false;
            const double n = c.Valor.toDouble(&ok);
            if (ok) return n;
        }
        return std::nullopt;
    };
    for (const ArchivoDesglosado& a : detalle.Archivos) {
        for (const RegistroDesglosado& registro : a.Registros) {
            if (a.Grupo == "enviado") {
                const auto cantidad = valor(registro, "Cantidad"), precio = valor(registro, "Precio");
                if (cantidad && precio) r.Items = r.Items.value_or(0) + *cantidad * *precio / 100;  // in cents
            } else if (a.Grupo == "recibido" && a.Nombre.compare("_svl.1", Qt::CaseInsensitive) == 0) {
                if (const auto monto = valor(registro, "MontoAbonar")) r.Abonar = *monto / 100;
            }
        }
    }
    return r;
}

// The CSV's lines, one at a time.
class clsHistorialIntercambios::LineasCsv {
public:
    explicit LineasCsv(const QMap<QString, QString>& empresas) : empresas_(empresas) {
        local_.setNumberOptions(QLocale::OmitGroupSeparator);
    }

    static QByteArray Encabezado() {
        return "\xEF\xBB\xBF" +
               QString::fromUtf8(
                   "Fecha y hora;Operación;Empresa;Tarjeta;Nº ticket;Importe;A abonar;Resultado;Estado\r\n")
                   .toUtf8();
    }

    QByteArray Linea(const clsItemIntercambio& i, const ImportesIntercambio& montos) const {
        return (QStringList{i.Enviado.toString("dd/MM/yyyy HH:mm:ss"), Campo(Operacion(i)),
                            Campo(Empresa(i, empresas_)), Campo(i.Tarjeta), Campo(i.Ticket), Importe(montos.Items),
                            Importe(montos.Abonar), Campo(i.Resultado), Campo(i.Estado)}
                    .join(';') +
                "\r\n")
            .toUtf8();
    }

private:
    static QString Campo(QString t) {
        static const QRegularExpression numeroLargo(QStringLiteral("^[0-9]{12,}$|^0[0-9]+$"));
        // A text from the terminal or the card that begins like a formula would be run by the
        // spreadsheet (=HYPERLINK(...)); a leading apostrophe makes it text, as spreadsheets document.
        if (t.startsWith('=') || t.startsWith('+') || t.startsWith('-') || t.startsWith('@')) t.prepend('\'');
        // A card read as a number loses its last digits (6,1E+15) or its leading zeros; as the text
        // formula ="..." every spreadsheet keeps it as written.
        else if (numeroLargo.match(t).hasMatch())
            t = "=\"" + t + '"';
        if (t.contains(';') || t.contains('"') || t.contains('\n') || t.contains('\r'))
            t = '"' + t.replace("\"", "\"\"") + '"';
        return t;
    }

    QString Importe(const std::optional<double>& v) const { return v ? local_.toString(*v, 'f', 2) : QString(); }

    const QMap<QString, QString>& empresas_;
    QLocale local_;
};

QByteArray clsHistorialIntercambios::Csv(const QList<clsItemIntercambio>& filas, const QMap<QString, QString>& empresas,
                                         const QMap<QString, ImportesIntercambio>& importes) {
    const LineasCsv lineas(empresas);
    QByteArray csv = LineasCsv::Encabezado();
    for (const clsItemIntercambio& i : filas) csv += lineas.Linea(i, importes.value(i.Id));
    return csv;
}

bool clsHistorialIntercambios::ExportarCsv(const QString& ruta, const QList<int>& filas,
                                           const QMap<QString, QString>& empresas, QString* error) const {
    const LineasCsv lineas(empresas);
    return Rutas::GuardarPorPartes(
        ruta,
        [&](QIODevice& salida) {
            const auto escribir = [&salida](const QByteArray& b) { return salida.write(b) == b.size(); };
            if (!escribir(LineasCsv::Encabezado())) return false;
            for (const int fila : filas) {
                const clsItemIntercambio i = Item(fila);
                if (!escribir(lineas.Linea(i, Importes(Abrir(i))))) return false;
            }
            return true;
        },
        error);
}

QString clsHistorialIntercambios::BytesVisibles(const QByteArray& bytes) {
    QString r;
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (b == '\r')
            r += "\\r";
        else if (b == '\n')
            r += "\\n";
        else if (b == '\0')
            r += "\\0";
        else if (b == '\\')
            r += "\\\\";
        else if (u < 0x20 || u == 0x7f)
            r += QString("\\x%1").arg(u, 2, 16, QChar('0'));
        else
            r += Ansi::Decodificar(QByteArray(1, b));
    }
    return r;
}
