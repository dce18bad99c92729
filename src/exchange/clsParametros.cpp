#include "exchange/clsParametros.h"

#include "platform/ArchivoRegistros.h"
#include "platform/Rutas.h"

namespace {

using F = Campos<clsParametros>;
using T = clsParametros;

// ---- Catalog update

const Disposicion<T> kNomencladoresV101Farmacia{"parámetros de nomencladores V101 farmacia",
                                                61,
                                                LecturaCodigo::EnteroO9999,
                                                {
                                                    F::Literal(0, "00"),
                                                    F::Texto(2, 1, &T::ModoMedicos),
                                                    F::Texto(3, 1, &T::ModoMedicamentos),
                                                    F::Texto(4, 1, &T::ModoDiagnosticos),
                                                    F::Relleno0(5, 4),
                                                    F::Blanco(9, 30),
                                                    F::Blanco(39, 20),
                                                    F::FinLinea(59),
                                                }};

const Disposicion<T> kNomencladoresV101Otros{"parámetros de nomencladores V101 otros prestadores",
                                             71,
                                             LecturaCodigo::EnteroO9999,
                                             {
                                                 F::Literal(0, "00"),
                                                 F::Texto(2, 1, &T::ModoMedicos),
                                                 F::Texto(3, 1, &T::ModoMedicamentos),
                                                 F::Literal(4, "0"),
                                                 F::Relleno0(5, 4),
                                                 F::Blanco(9, 30),
                                                 F::Texto(39, 1, &T::ModoDiagnosticos),
                                                 F::Literal(40, "0"),
                                                 F::Relleno0(41, 8),
                                                 F::Blanco(49, 4),
                                                 F::Blanco(53, 1),
                                                 F::Relleno0(54, 6),
                                                 F::Blanco(60, 9),
                                                 F::FinLinea(69),
                                             }};

const Disposicion<T> kNomencladoresV250{"parámetros de nomencladores V250",
                                        116,
                                        LecturaCodigo::EnteroO9999,
                                        {
                                            F::Literal(0, "00"),
                                            F::Literal(2, "00000000 "),
                                            F::Blanco(11, 8),
                                            F::Blanco(19, 8),
                                            F::Blanco(27, 8),
                                            F::Literal(35, "0"),
                                            F::Texto(36, 1, &T::ModoMedicos),
                                            F::Texto(37, 1, &T::ModoMedicamentos),
                                            F::Texto(38, 1, &T::ModoDiagnosticos),
                                            F::Literal(39, "0"),
                                            F::Literal(40, "0000", Rol::CodigoError),
                                            F::Blanco(44, 40, Rol::TextoError),
                                            F::Nulos(84, 11),
                                            F::Nulos(95, 5),
                                            F::Blanco(100, 14),
                                            F::FinLinea(114),
                                        }};

// ---- Closures

const Disposicion<T> kCierresV101Farmacia{"parámetros de cierre V101 farmacia",
                                          61,
                                          LecturaCodigo::Entero,
                                          {
                                              F::Ceros(0, 1, &T::Operacion),
                                              F::Relleno0(1, 4),
                                              F::Relleno0(5, 4),
                                              F::Blanco(9, 50),
                                              F::FinLinea(59),
                                          }};

const Disposicion<T> kCierresV101Otros{"parámetros de cierre V101 otros prestadores",
                                       71,
                                       LecturaCodigo::Entero,
                                       {
                                           F::Ceros(0, 1, &T::Operacion),
                                           F::Relleno0(1, 4),
                                           F::Relleno0(5, 4),
                                           F::Blanco(9, 30),
                                           F::Literal(39, "0"),
                                           F::Literal(40, "0"),
                                           F::Relleno0(41, 8),
                                           F::Relleno0(49, 4),
                                           F::Nulos(53, 1),
                                           F::Relleno0(54, 6),
                                           F::Blanco(60, 9),
                                           F::FinLinea(69),
                                       }};

const Disposicion<T> kCierresV250{
    "parámetros de cierre V250",
    116,
    LecturaCodigo::Entero,
    {
        F::Ceros(0, 2, &T::Operacion, "Operacion"),
        F::Ceros(
            2, 9, [](const T& p) -> QVariant { return p.NumeroCierre.trimmed().isEmpty() ? "0" : p.NumeroCierre; },
            "NumeroCierre"),
        F::Blanco(11, 8, "PeriodoCierre"),
        F::Fecha(19, 8, &T::FechaDesde, "FechaDesde"),
        F::Fecha(27, 8, &T::FechaHasta, "FechaHasta"),
        F::Relleno0(35, 5),
        F::Literal(40, "0000", Rol::CodigoError),
        F::Blanco(44, 40, Rol::TextoError),
        F::Blanco(84, 11, "Prestador"),  // the terminal's answer
        F::Relleno0(95, 3),
        F::Texto(98, 1, [](const T& p) -> QVariant { return p.IndicaCadena ? "1" : "0"; }),
        F::Texto(99, 1, &T::Filtro),
        F::Blanco(100, 14),
        F::FinLinea(114),
    }};

const Disposicion<T>* Elegir(const QString& version, const QString& tipoActividad, const Disposicion<T>& farmacia,
                             const Disposicion<T>& otros, const Disposicion<T>& v250) {
    if (version == "V101") return tipoActividad == "1" ? &farmacia : &otros;
    if (version == "V250") return &v250;
    return nullptr;
}

}  // namespace

const Disposicion<T>* clsParametros::DisposicionNomencladores(const QString& version, const QString& tipoActividad) {
    return Elegir(version, tipoActividad, kNomencladoresV101Farmacia, kNomencladoresV101Otros, kNomencladoresV250);
}

const Disposicion<T>* clsParametros::DisposicionCierres(const QString& version, const QString& tipoActividad) {
    return Elegir(version, tipoActividad, kCierresV101Farmacia, kCierresV101Otros, kCierresV250);
}

void clsParametros::GrabarSAL0(const QString& directorio, const Disposicion<T>& disposicion) const {
    const QByteArray registro = ComponerRegistro(disposicion, *this);
    ArchivoRegistros archivo;
    archivo.Abrir(Rutas::Unir(directorio, "UpLoad\\_SAL.0"), disposicion.Longitud);
    archivo.Escribir(1, registro);
    archivo.Cerrar();
}

void clsParametros::LeerRespuestas(const QString& directorio, LecturaCodigo lectura, QList<clsItemError>& errores) {
    // Whatever the version, the terminal answers in the V250 shape.
    const Disposicion<T>& respuesta = lectura == LecturaCodigo::EnteroO9999 ? kNomencladoresV250 : kCierresV250;
    LeerErroresRegistro(directorio, "DownLoad\\_SAL.0", respuesta, errores);
}

QString clsParametros::CampoRespuestaCierre(const QString& respuesta, const QString& nombre) {
    static const DisposicionDescrita cierre = Describir(kCierresV250);
    return Registro::ValorDe(cierre, respuesta, nombre);
}
