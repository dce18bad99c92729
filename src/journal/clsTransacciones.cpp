#include "journal/clsTransacciones.h"

#include <QDateTime>
#include <QRegularExpression>

#include "core/modConexion.h"
#include "core/modTarsa.h"
#include "exchange/clsParametros.h"
#include "exchange/clsTicket.h"
#include "platform/BaseDatos.h"
#include "platform/LectorNumeros.h"

// The answer's fields, by column.
struct clsTransacciones::Valores {
    QString Operacion, Tarjeta, TipoLectura, Prestador, FechaPrestacion, HoraPrestacion, TipoMatriculaMPractica,
        MatriculaMedicoPractica, NumeroAutorizacion, Fecha, Hora, PlanAsociado, Comentario;
    qint64 TicketPadre = 0, CodigoAutorizacion = 0, Ticket = 0, TipoAsociado = 0, Error = 0;
    QString MontoAbonar = QStringLiteral("0");
};

namespace {

// Two implied decimals, written as the answer gives them: "00000001050" is 00000010.50. A text of
// one digit is read as that many cents; one that is not a number is 0.
QString Monto(const QString& texto) {
    QString t = texto.trimmed();
    if (t.isEmpty()) return QStringLiteral("0");
    while (t.size() < 3) t.prepend('0');
    t = t.left(t.size() - 2) + "." + t.right(2);
    static const QRegularExpression numero(QStringLiteral("^[+-]?[0-9]+\\.[0-9]{2}$"));
    return numero.match(t).hasMatch() ? t : QStringLiteral("0");
}

clsTransacciones::Valores LeerRespuesta(const QString& r, bool cierre) {
    clsTransacciones::Valores v;
    if (cierre) {
        const auto campo = [&](const char* nombre) { return clsParametros::CampoRespuestaCierre(r, nombre); };
        v.Operacion = campo("Operacion");
        v.Prestador = campo("Prestador");
        v.Ticket = Val(campo("NumeroCierre"));
        const QDateTime ahora = QDateTime::currentDateTime();
        v.Fecha = ahora.toString("yyyyMMdd");
        v.Hora = ahora.toString("HHmm");
        v.Error = Val(campo("CodigoError"));
        v.Comentario = campo("TextoError");
        return v;
    }
    const auto campo = [&](const char* nombre) { return clsTicket::CampoRespuesta(r, nombre); };
    v.Operacion = campo("CodigoOperacion");
    v.Tarjeta = campo("Tarjeta");
    v.TipoLectura = campo("TipoLectura");
    v.Prestador = campo("Farmacia");
    v.TicketPadre = Val(campo("TicketPadre"));
    v.FechaPrestacion = campo("FechaVenta");
    v.HoraPrestacion = campo("HoraVenta");
    v.TipoMatriculaMPractica = campo("TipoMatriculaRe");
    v.MatriculaMedicoPractica = campo("MatriculaRe");
    v.CodigoAutorizacion = Val(campo("TipoAutorizacion"));
    v.NumeroAutorizacion = campo("Autorizacion");
    v.Ticket = Val(campo("Ticket"));
    v.Fecha = campo("Fecha");
    v.Hora = campo("Hora");
    v.PlanAsociado = campo("PlanAsociado");
    v.TipoAsociado = Val(campo("TipoAsociado"));
    v.MontoAbonar = Monto(campo("MontoAbonar"));
    v.Error = Val(campo("CodigoError"));
    v.Comentario = campo("TextoError");
    return v;
}

// The texts come from the terminal's answer: an apostrophe in them is written doubled so that the
// statement stays valid and the text reads back as it came.
QString T(const QString& s) {
    QString r = s;
    return r.replace('\'', QStringLiteral("''"));
}

}  // namespace

qint64 clsTransacciones::SaveTransaccion(const QString& respuesta, const QString& codigoEmpresa, bool cierre) {
    return Proteger([&]() -> qint64 {
        BaseDatos& base = BaseAbierta();
        const Valores v = LeerRespuesta(respuesta, cierre);
        qint64 purgado = 0;
        // The row and the purge go together: a crash between them would leave the journal one row
        // longer for good.
        base.Transaccion([&] {
            qint64 n = 0;
            {
                Consulta rs = AbrirConsulta("SELECT COUNT(Ticket) AS NTransaccion FROM Transaccion");
                if (!rs->EOF_()) n = LeerEntero(*rs, "NTransaccion");
            }
            const int insertadas = Insertar(v, QString::number(Val(codigoEmpresa)));
            if (n > kMaximoFilas && insertadas > 0) purgado = PurgarMasVieja();
            Registros = insertadas;
        });
        return purgado;
    });
}

int clsTransacciones::Insertar(const Valores& v, const QString& empresa) {
    return EjecutarAccion(
        "INSERT INTO Transaccion (Operacion, Tarjeta, TipoLectura, Prestador, PrestadorSolicitante, "
        "TicketPadre, FechaPrestacion, HoraPrestacion, "
        "TipoMatriculaMPractica, MatriculaMedicoPractica, "
        "CodigoAutorizacion, NumeroAutorizacion, Ticket, "
        "Fecha, Hora, PlanAsociado, TipoAsociado, MontoAbonar, "
        "Error, Comentario, NumeroTrxPrestador, CodigoEmpresa) "
        "VALUES ('" +
        T(v.Operacion) + "', '" + T(v.Tarjeta) + "', '" + T(v.TipoLectura) + "', '" + T(v.Prestador) + "', ''," +
        QString::number(v.TicketPadre) + ",'" + T(v.FechaPrestacion) + "', '" + T(v.HoraPrestacion) + "', '" +
        T(v.TipoMatriculaMPractica) + "', '" + T(v.MatriculaMedicoPractica) + "', " +
        QString::number(v.CodigoAutorizacion) + ", '" + T(v.NumeroAutorizacion) + "', " + QString::number(v.Ticket) +
        ", '" + T(v.Fecha) + "', '" + T(v.Hora) + "', '" + T(v.PlanAsociado) + "', " + QString::number(v.TipoAsociado) +
        ", " + v.MontoAbonar + ", " + QString::number(v.Error) + ", '" + T(v.Comentario) + "', 0, " + empresa + ");");
}

// The oldest row by date and time (by arrival among equals), never the one just written, is deleted
// by its row number: a ticket number may repeat across companies or within one, and the row may be of
// any company. Its saved ticket can go only when no row left holds the same number.
qint64 clsTransacciones::PurgarMasVieja() {
    qint64 fila = 0, ticket = 0;
    {
        Consulta rs = AbrirConsulta(
            "SELECT Transaccion.rowid AS Fila, Transaccion.Ticket, Transaccion.Fecha, Transaccion.Hora, "
            "Transaccion.CodigoEmpresa From Transaccion WHERE Transaccion.rowid <> last_insert_rowid() "
            "ORDER BY Transaccion.Fecha, Transaccion.Hora, Transaccion.rowid;");
        if (rs->EOF_()) return 0;
        fila = LeerEntero(*rs, "Fila");
        ticket = LeerEntero(*rs, "Ticket");
    }
    EjecutarAccion("DELETE FROM Transaccion WHERE rowid = " + QString::number(fila));
    Consulta rs = AbrirConsulta("SELECT COUNT(*) AS Quedan FROM Transaccion WHERE Ticket = " + QString::number(ticket));
    return !rs->EOF_() && LeerEntero(*rs, "Quedan") > 0 ? 0 : ticket;
}

Consulta clsTransacciones::Buscar(const QString& filtro) {
    return Proteger([&] {
        QString condicion;
        if (!filtro.isEmpty())
            condicion = " WHERE (" + filtro + ")";
        else if (Val(gEmpresa) != 0)
            condicion = " WHERE (CodigoEmpresa=" + gEmpresa + ")";
        return AbrirConsulta(
            "SELECT Transaccion.*, Empresas.Nombre as ObraSocial "
            "FROM Transaccion "
            "LEFT JOIN Empresas ON CINT(Empresas.CodigoQuelo) = Transaccion.CodigoEmpresa " +
            QStringLiteral(" ") + condicion + "ORDER BY Fecha");
    });
}

bool clsTransacciones::GetAP(QList<clsItemTransaccion>& col) {
    return Proteger([&] {
        Consulta rs = Buscar();
        if (rs->EOF_()) return false;
        auto texto = [&](const char* c) { return LeerTexto(*rs, c).trimmed(); };
        for (; !rs->EOF_(); rs->MoveNext()) {
            clsItemTransaccion t;
            t.Operacion = texto("Operacion");
            t.Tarjeta = texto("Tarjeta");
            t.TipoLectura = texto("TipoLectura");
            t.Prestador = texto("Prestador");
            t.PrestadorSolicitante = texto("PrestadorSolicitante");
            t.TicketPadre = LeerEntero(*rs, "TicketPadre");
            t.FechaPrestacion = texto("FechaPrestacion");
            t.HoraPrestacion = texto("HoraPrestacion");
            t.TipoMatriculaMPractica = texto("TipoMatriculaMPractica");
            t.MatriculaMedicoPractica = texto("MatriculaMedicoPractica");
            t.CodigoAutorizacion = LeerEntero(*rs, "CodigoAutorizacion");
            t.NumeroAutorizacion = texto("NumeroAutorizacion");
            t.Ticket = LeerEntero(*rs, "Ticket");
            t.Fecha = texto("Fecha");
            t.Hora = texto("Hora");
            t.PlanAsociado = texto("PlanAsociado");
            t.TipoAsociado = static_cast<qint16>(LeerEntero(*rs, "TipoAsociado"));
            t.MontoAbonar = LeerDoble(*rs, "MontoAbonar");
            t.Error = static_cast<qint16>(LeerEntero(*rs, "Error"));
            t.Comentario = texto("Comentario");
            t.NumeroTrxPrestador = LeerEntero(*rs, "NumeroTrxPrestador");
            t.ObraSocial = texto("ObraSocial");
            col.append(t);
        }
        return true;
    });
}
