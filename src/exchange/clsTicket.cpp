#include "exchange/clsTicket.h"

#include "core/modFormato.h"
#include "platform/ArchivoRegistros.h"
#include "platform/Rutas.h"

namespace {

using F = Campos<clsTicket>;
using T = clsTicket;

// V101: "A" asks for a beneficiary check (41); any other operation goes as its last digit.
QVariant CaracterOperacion(const T& t) {
    return t.CodigoOperacion == 41 ? QStringLiteral("A") : RellenarCeros(t.CodigoOperacion, 1);
}

const Disposicion<T> kV101Farmacia{"V101 farmacia",
                                   222,
                                   LecturaCodigo::ValorNumerico,
                                   {
                                       F::Texto(0, 100, &T::Tarjeta, "Tarjeta"),
                                       F::Ceros(100, 1, &T::TipoLectura, "TipoLectura"),
                                       F::Blanco(101, 11),
                                       F::Blanco(112, 2),
                                       F::Blanco(114, 4),
                                       F::Blanco(118, 1),
                                       F::Ceros(119, 6, &T::MatriculaRe, "MatriculaRe"),
                                       F::Ceros(125, 5, &T::DescuentoPrestador, "DescuentoPrestador"),
                                       F::Ceros(130, 5, &T::DescuentoOS, "DescuentoOS"),
                                       F::Fecha(135, 8, &T::FechaReceta, "FechaReceta"),
                                       F::Texto(143, 1, CaracterOperacion, "CodigoOperacion"),
                                       F::Ceros(144, 10, &T::TicketPadre, "TicketPadre"),
                                       F::Relleno0(154, 10),
                                       F::Blanco(164, 8),
                                       F::Blanco(172, 5),
                                       F::Relleno0(177, 9),
                                       F::Literal(186, "0000", "CodigoError", Rol::CodigoError),
                                       F::Blanco(190, 30, "TextoError", Rol::TextoError),
                                       F::FinLinea(220),
                                   }};

const Disposicion<T> kV101Otros{
    "V101 otros prestadores",
    262,
    LecturaCodigo::Entero,
    {
        F::Texto(0, 100, &T::Tarjeta, "Tarjeta"),
        F::Ceros(100, 1, &T::TipoLectura, "TipoLectura"),
        F::Blanco(101, 11),
        F::Blanco(112, 2),
        F::Blanco(114, 4),
        F::Blanco(118, 1),
        F::Ceros(119, 2, &T::TipoMatriculaRe, "TipoMatriculaRe"),
        F::Ceros(121, 6, &T::MatriculaRe, "MatriculaRe"),
        F::Ceros(127, 2, &T::TipoMatriculaPr, "TipoMatriculaPr"),
        F::Ceros(129, 6, &T::MatriculaPr, "MatriculaPr"),
        F::Ceros(135, 5, &T::DescuentoPrestador, "DescuentoPrestador"),
        F::Ceros(140, 5, &T::DescuentoOS, "DescuentoOS"),
        F::Fecha(145, 8, &T::FechaReceta, "FechaReceta"),
        F::Texto(153, 1, CaracterOperacion, "CodigoOperacion"),
        // A practice with an authorisation refers to it instead of an earlier ticket.
        F::Ceros(
            154, 10,
            [](const T& t) -> QVariant { return t.Autorizacion.trimmed().isEmpty() ? t.TicketPadre : t.Autorizacion; },
            "TicketPadre o Autorizacion"),
        F::Relleno0(164, 10),
        F::Blanco(174, 8),
        F::Blanco(182, 5),
        F::Relleno0(187, 9),
        F::Literal(196, "0000", "CodigoError", Rol::CodigoError),
        F::Blanco(200, 30, "TextoError", Rol::TextoError),
        F::Nulos(230, 30),
        F::FinLinea(260),
    }};

const Disposicion<T> kV250Farmacia{
    "V250 farmacia",
    372,
    LecturaCodigo::Entero,
    {
        F::Literal(0, "FF000", "Prefijo"),
        F::Ceros(5, 2, &T::CodigoOperacion, "CodigoOperacion"),
        F::Texto(7, 100, &T::Tarjeta, "Tarjeta"),
        F::Ceros(107, 1, &T::TipoLectura, "TipoLectura"),
        F::Ceros(108, 11, &T::Farmacia, "Farmacia"),
        F::Texto(119, 12, &T::TicketPadre, "TicketPadre"),
        F::Texto(131, 2, &T::TipoReceta, "TipoReceta"),
        F::Texto(133, 20, &T::Receta, "Receta"),
        F::Fecha(153, 8, &T::FechaReceta, "FechaReceta"),
        F::Fecha(161, 8, &T::FechaEmisionRecetario, "FechaEmisionRecetario"),
        F::Fecha(169, 8, &T::FechaVenta, "FechaVenta"),
        F::Texto(
            177, 4, [](const T& t) -> QVariant { return SoloDigitos(t.HoraVenta); }, "HoraVenta"),
        F::Texto(181, 1, &T::TipoDocumentoRetira, "TipoDocumentoRetira"),
        F::Ceros(182, 8, &T::DocumentoRetira, "DocumentoRetira"),
        F::Texto(190, 20, &T::Consulta, "Consulta"),
        F::Texto(210, 2, &T::TipoMatriculaRe, "TipoMatriculaRe"),
        F::Ceros(212, 6, &T::MatriculaRe, "MatriculaRe"),
        F::Texto(218, 2, &T::TipoMatriculaAu, "TipoMatriculaAu"),
        F::Ceros(220, 6, &T::MatriculaAu, "MatriculaAu"),
        F::Texto(226, 1, &T::TipoAutorizacion, "TipoAutorizacion"),
        F::Texto(227, 12, &T::Autorizacion, "Autorizacion"),
        F::Texto(239, 5, &T::DocumentacionExtra, "DocumentacionExtra"),
        F::Ceros(244, 5, &T::DescuentoPrestador, "DescuentoPrestador"),
        F::Blanco(249, 12, "Ticket"),  // the terminal's answer from here on
        F::Blanco(261, 6),
        F::Blanco(267, 8, "Fecha"),
        F::Blanco(275, 4, "Hora"),
        F::Blanco(279, 5, "PlanAsociado"),
        F::Blanco(284, 1, "TipoAsociado"),
        F::Relleno0(285, 11, "MontoAbonar"),
        F::Literal(296, "0000", "CodigoError", Rol::CodigoError),
        F::Blanco(300, 40, "TextoError", Rol::TextoError),
        F::Ceros(340, 8, &T::NTransaccionFarmacia, "NTransaccionFarmacia"),
        F::Blanco(348, 22),
        F::FinLinea(370),
    }};

const Disposicion<T> kV250Otros{
    "V250 otros prestadores",
    383,
    LecturaCodigo::Entero,
    {
        F::Literal(0, "FF000", "Prefijo"),
        F::Ceros(5, 2, &T::CodigoOperacion, "CodigoOperacion"),
        F::Texto(7, 100, &T::Tarjeta, "Tarjeta"),
        F::Ceros(107, 1, &T::TipoLectura, "TipoLectura"),
        F::Ceros(108, 11, &T::Prestador, "Prestador"),
        F::Ceros(119, 11, &T::PrestadorSolicitante, "PrestadorSolicitante"),
        F::Texto(130, 12, &T::TicketPadre, "TicketPadre"),
        F::Ceros(142, 2, &T::TipoReceta, "TipoReceta"),
        F::Texto(144, 20, &T::Receta, "Receta"),
        F::Fecha(164, 8, &T::FechaReceta, "FechaReceta"),
        F::Fecha(172, 8, &T::FechaEmisionRecetario, "FechaEmisionRecetario"),
        F::Fecha(180, 8, &T::FechaPractica, "FechaPractica"),
        // "hh:mm" goes as hhmm.
        F::Texto(
            188, 4, [](const T& t) -> QVariant { return t.HoraPractica.mid(0, 2) + t.HoraPractica.mid(3, 2); },
            "HoraPractica"),
        F::Texto(192, 20, &T::Consulta, "Consulta"),
        F::Texto(212, 2, &T::TipoMatriculaRe, "TipoMatriculaRe"),
        F::Ceros(214, 6, &T::MatriculaRe, "MatriculaRe"),
        F::Texto(220, 2, &T::TipoMatriculaPr, "TipoMatriculaPr"),
        F::Ceros(222, 6, &T::MatriculaPr, "MatriculaPr"),
        F::Texto(228, 2, &T::TipoMatriculaAu, "TipoMatriculaAu"),
        F::Ceros(230, 6, &T::MatriculaAu, "MatriculaAu"),
        F::Texto(236, 1, &T::TipoAutorizacion, "TipoAutorizacion"),
        F::Texto(237, 12, &T::Autorizacion, "Autorizacion"),
        F::Texto(249, 5, &T::DocumentacionExtra, "DocumentacionExtra"),
        F::Ceros(254, 1, &T::CodigoFinTerapia, "CodigoFinTerapia"),
        F::Ceros(
            255, 5, [](const T& t) -> QVariant { return TextoANumero(t.DescuentoPrestador, true) * 100; },
            "DescuentoPrestador"),
        // The terminal answers as in the pharmacy layout, each field 11 bytes further on.
        F::Blanco(260, 12, "Ticket"),
        F::Blanco(272, 6),
        F::Blanco(278, 8, "Fecha"),
        F::Blanco(286, 4, "Hora"),
        F::Blanco(290, 5, "PlanAsociado"),
        F::Blanco(295, 1, "TipoAsociado"),
        F::Relleno0(296, 11, "MontoAbonar"),
        F::Literal(307, "0000", "CodigoError", Rol::CodigoError),
        F::Blanco(311, 40, "TextoError", Rol::TextoError),
        F::Blanco(351, 30),
        F::FinLinea(381),
    }};

}  // namespace

const Disposicion<clsTicket>* clsTicket::DisposicionPara(const QString& version, int tipoPrestador) {
    const bool farmacia = tipoPrestador == 1;
    if (version == "V101") return farmacia ? &kV101Farmacia : &kV101Otros;
    if (version == "V250") return farmacia ? &kV250Farmacia : &kV250Otros;
    return nullptr;
}

void clsTicket::GrabarSVL1(const QString& directorio) const {
    const Disposicion<T>& d = DisposicionRequerida(DisposicionPara(Version, TipoPrestador), Version);
    const QByteArray registro = ComponerRegistro(d, *this);
    ArchivoRegistros archivo;
    archivo.Abrir(Rutas::Unir(directorio, "UpLoad\\_SVL.1"), d.Longitud);
    archivo.Escribir(1, registro);
    archivo.Cerrar();
}

void clsTicket::LeerSVL1(const QString& directorio, QList<clsItemError>& errores) const {
    LeerErroresRegistro(directorio, "DownLoad\\_SVL.1",
                        DisposicionRequerida(DisposicionPara(Version, TipoPrestador), Version), errores);
}

QString clsTicket::CampoRespuesta(const QString& respuesta, const QString& nombre) {
    static const DisposicionDescrita cabecera = Describir(kV250Farmacia);
    return Registro::ValorDe(cabecera, respuesta, nombre);
}
