#include "exchange/clsItemTicket.h"

#include "core/modFormato.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

using F = Campos<clsItemTicket>;
using T = clsItemTicket;

QVariant TextoTipoPrescripcion(const T& t) { return FormatearNumero(t.TipoPrescripcion, 0); }
QVariant TextoCambioPrescripcion(const T& t) {
    return t.CambioPrescripcion ? QString(*t.CambioPrescripcion ? "1" : "0") : QString();
}

const Disposicion<T> kV101Farmacia{
    "V101 farmacia",
    98,
    LecturaCodigo::TextoPresente,
    {
        F::Ceros(0, 7, &T::Troquel, "Troquel"),
        F::CerosRTrim(7, 13, &T::CodigoBarra, "CodigoBarra"),
        F::Ceros(20, 2, &T::Cantidad, "Cantidad"),
        F::Ceros(22, 5, &T::Descuento, "Descuento"),
        F::Ceros(27, 13, &T::Precio, "Precio"),
        F::Texto(
            40, 6, [](const T& t) -> QVariant { return t.Diagnostico.right(6); }, "Diagnostico"),
        F::Relleno0(46, 30, "TextoError", Rol::TextoError),
        F::Relleno0(76, 20),
        F::FinLinea(96),
    }};

const Disposicion<T> kV250Farmacia{
    "V250 farmacia",
    246,
    LecturaCodigo::Entero,
    {
        F::Literal(0, "FF000", "Prefijo"),
        F::Ceros(5, 7, &T::Troquel, "Troquel"),
        F::CerosRTrim(12, 13, &T::CodigoBarra, "CodigoBarra"),
        F::Ceros(25, 7, &T::CodigoProveedor, "CodigoProveedor"),
        F::Ceros(32, 2, &T::Cantidad, "Cantidad"),
        F::Ceros(34, 1, &T::TipoArancel, "TipoArancel"),
        F::Ceros(35, 11, &T::Precio, "Precio"),
        F::Texto(46, 10, &T::Diagnostico, "Diagnostico"),
        F::Ceros(
            56, 1, [](const T& t) -> QVariant { return CodigoTipoPrescripcion(t.TipoAutorizacion); },
            "TipoAutorizacion"),
        F::Texto(57, 12, &T::Autorizacion, "Autorizacion"),
        F::Ceros(
            69, 5, [](const T& t) -> QVariant { return TextoANumero(t.PorcentajeCobertura, true) * 100; },
            "PorcentajeCobertura"),
        F::Relleno0(74, 11),
        F::Texto(85, 10, &T::PlanCobertura, "PlanCobertura"),
        F::Blanco(95, 50),
        F::Blanco(145, 25),
        F::Literal(170, "0000", "CodigoError", Rol::CodigoError),
        F::Blanco(174, 40, "TextoError", Rol::TextoError),
        F::Texto(214, 1, TextoTipoPrescripcion, "TipoPrescripcion"),
        F::Texto(215, 1, TextoCambioPrescripcion, "CambioPrescripcion"),
        F::Blanco(216, 28),
        F::FinLinea(244),
    }};

const Disposicion<T> kV101Otros{"V101 otros prestadores",
                                85,
                                LecturaCodigo::TextoPresente,
                                {
                                    F::Texto(0, 8, &T::Practica, "Practica"),
                                    F::Ceros(8, 2, &T::Cantidad, "Cantidad"),
                                    F::Ceros(10, 13, &T::Precio, "Precio"),
                                    F::Blanco(23, 30, "TextoError", Rol::TextoError),
                                    F::Ceros(53, 2, &T::TipoPractica, "TipoPractica"),
                                    F::Texto(55, 6, &T::Diagnostico, "Diagnostico"),
                                    F::Blanco(61, 22),
                                    F::FinLinea(83),
                                }};

const Disposicion<T> kV250Otros{"V250 otros prestadores",
                                162,
                                LecturaCodigo::Entero,
                                {
                                    F::Literal(0, "FF000", "Prefijo"),
                                    F::Ceros(5, 2, &T::TipoPractica, "TipoPractica"),
                                    F::Texto(7, 10, &T::Practica, "Practica"),
                                    F::Ceros(17, 2, &T::Cantidad, "Cantidad"),
                                    F::Texto(19, 2, &T::PiezaDental, "PiezaDental"),
                                    F::Texto(21, 5, &T::CaraDental, "CaraDental"),
                                    F::Ceros(26, 1, &T::TipoArancel, "TipoArancel"),
                                    F::Ceros(27, 11, &T::Precio, "Precio"),
                                    F::Texto(38, 10, &T::Diagnostico, "Diagnostico"),
                                    F::Texto(48, 12, &T::Autorizacion, "Autorizacion"),
                                    F::Relleno0(60, 5),
                                    F::Relleno0(65, 11),
                                    F::Texto(76, 10, &T::PlanCobertura, "PlanCobertura"),
                                    F::Literal(86, "0000", "CodigoError", Rol::CodigoError),
                                    F::Blanco(90, 40, "TextoError", Rol::TextoError),
                                    F::Blanco(130, 30),
                                    F::FinLinea(160),
                                }};

}  // namespace

const Disposicion<clsItemTicket>* clsItemTicket::DisposicionPara(const QString& version, int tipoPrestador) {
    const bool farmacia = tipoPrestador == 1;
    if (version == "V101") return farmacia ? &kV101Farmacia : &kV101Otros;
    if (version == "V250") return farmacia ? &kV250Farmacia : &kV250Otros;
    return nullptr;
}

QString clsItemTicket::ArchivoSubida(const QString& version, int tipoPrestador) {
    return version == "V250" && tipoPrestador == 1 ? QStringLiteral("_SVL.3") : QStringLiteral("_SVL.2");
}

void clsItemTicket::AbrirArchivo(const QString& directorio) {
    const Disposicion<T>& d = DisposicionRequerida(DisposicionPara(Version, TipoPrestador), Version);
    archivo_.Abrir(Rutas::Unir(directorio, "UpLoad\\" + ArchivoSubida(Version, TipoPrestador)), d.Longitud);
}

void clsItemTicket::InicializarVariables() {
    for (QString* p :
         {&TipoPractica, &Practica, &Cantidad, &PiezaDental, &CaraDental, &TipoArancel, &Precio, &Diagnostico,
          &Autorizacion, &PlanCobertura, &Troquel, &CodigoBarra, &Descuento, &PorcentajeCobertura})
        p->clear();
    TipoPrescripcion = -1;
    CambioPrescripcion.reset();
}

void clsItemTicket::Grabar(bool farmacia) {
    ++registro_;
    // The pharmacy writer always uses the pharmacy layouts and the other writer the others,
    // whatever provider kind chose the file.
    const Disposicion<T>& d = DisposicionRequerida(DisposicionPara(Version, farmacia ? 1 : 2), Version);
    if (!archivo_.Abierto()) throw TarsaError(ErrArchivoNoAbierto, "El archivo de items no está abierto");
    archivo_.Escribir(registro_, ComponerRegistro(d, *this));
}

void clsItemTicket::GrabarSVL3() { Grabar(true); }
void clsItemTicket::GrabarSVL2() { Grabar(false); }

void clsItemTicket::CerrarArchivo() { archivo_.Cerrar(); }

void clsItemTicket::LeerSVL2(const QString& directorio, QList<clsItemError>& errores) const {
    const Disposicion<T>& d = DisposicionRequerida(DisposicionPara(Version, TipoPrestador), Version);
    // The answer comes back as _SVL.3 for every pharmacy, whatever name the version uploads under.
    const QString archivo = TipoPrestador == 1 ? QStringLiteral("_SVL.3") : QStringLiteral("_SVL.2");
    LeerErroresRegistro(directorio, "DownLoad\\" + archivo, d, errores);
}
