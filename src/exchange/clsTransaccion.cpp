#include "exchange/clsTransaccion.h"

#include "core/modTarsa.h"
#include "exchange/ArchivoRespuesta.h"
#include "platform/Ansi.h"
#include "platform/ArchivoRegistros.h"
#include "platform/Rutas.h"
#include "platform/SinEnlaces.h"
#include "platform/TarsaError.h"

namespace {

using F = Campos<clsTransaccion>;
using T = clsTransaccion;

const Disposicion<T> kSVL0{
    "pedido",
    16,
    LecturaCodigo::Entero,
    {
        F::Texto(0, 4, &T::Version, "Version"),
        F::Texto(
            4, 2, [](const T& t) -> QVariant { return (QString("00") + t.Empresa.trimmed()).right(2); }, "Empresa"),
        F::Texto(
            6, 2, [](const T& t) -> QVariant { return (QString("00") + t.Actividad).right(2); }, "Actividad"),
        F::Texto(8, 8, &T::Licencia, "Licencia"),
    }};

}  // namespace

QString clsTransaccion::ArchivoEstado(const QString& directorio) { return Rutas::Unir(directorio, "Estado.rsp"); }

void clsTransaccion::ExigirLicencia() const {
    // Every request, whatever its operation, needs one: the terminal would send a blank licence to the
    // insurer as an unknown provider's.
    if (Licencia.trimmed().isEmpty())
        throw TarsaError(ErrSinLicencia,
                         QString::fromUtf8("No se envió el pedido a la terminal: no hay un prestador elegido (falta "
                                           "su licencia). Elija el prestador en la barra de selección y vuelva a "
                                           "intentarlo."),
                         "clsTransaccion");
}

QByteArray clsTransaccion::RegistroSVL0() const {
    ExigirLicencia();  // the record never exists without its licence
    return ComponerRegistro(kSVL0, *this);
}

const Disposicion<clsTransaccion>& clsTransaccion::DisposicionSVL0() { return kSVL0; }

void clsTransaccion::PutSVL0() const {
    const QByteArray registro = RegistroSVL0();  // refused before anything is touched
    ArchivoRegistros svl0;
    svl0.Abrir(Rutas::Unir(QueloPath, "Upload\\_SVL.0"), 16);
    svl0.Escribir(1, registro);
    svl0.Cerrar();
    // The notification wakes a terminal that watches TX; without that directory it polls.
    const QString tx = Rutas::Unir(gQueloPath, "TX");
    // An existing entry is never opened for output: it may be a link or a file that is not ours.
    if (Rutas::EsDirectorio(tx) && SinEnlaces::CrearVacio(Rutas::Unir(tx, gTermDir)) == SinEnlaces::Creacion::Rechazado)
        throw TarsaError(ErrAccesoRuta,
                         QString::fromUtf8("La notificación %1 ya existe y no es un archivo común (un enlace o "
                                           "un directorio): no se escribe en ella.")
                             .arg(Rutas::Unir(tx, gTermDir)));
}

QString clsTransaccion::BuscarRespuesta() const {
    return ArchivoRespuesta::PrimeraLinea(QueloPath, "Estado.rsp", ArchivoRespuesta::kLimiteEstado);
}

namespace {

struct TextoRespuesta {
    const char* relativa;
    qint64 limite;
};
const TextoRespuesta kTextosRespuesta[] = {{"Download\\_ticket.prn", ArchivoRespuesta::kLimiteTicket},
                                           {"Download\\_svl.1", ArchivoRespuesta::kLimiteCabecera},
                                           {"Download\\_sal.0", ArchivoRespuesta::kLimiteCierre}};

}  // namespace

void clsTransaccion::RetenerRespuesta() {
    for (const TextoRespuesta& t : kTextosRespuesta)
        Retenida.insert(t.relativa, ArchivoRespuesta::Lineas(QueloPath, t.relativa, t.limite));
}

QString clsTransaccion::LeerLineas(const QString& relativa, qint64 limite, int* medida) const {
    const auto lineas =
        Retenida.contains(relativa) ? Retenida.value(relativa) : ArchivoRespuesta::Lineas(QueloPath, relativa, limite);
    if (!lineas) return {};
    QString resultado;
    for (const QString& linea : *lineas) {
        resultado += linea + "\r\n";
        if (medida && linea.size() > *medida) *medida = static_cast<int>(linea.size());
    }
    return resultado;
}

QString clsTransaccion::BuscarTicket() {
    return LeerLineas("Download\\_ticket.prn", ArchivoRespuesta::kLimiteTicket, &MedidaTicket);
}

QString clsTransaccion::LeerSVL1() const {
    return LeerLineas("Download\\_svl.1", ArchivoRespuesta::kLimiteCabecera, nullptr);
}

QString clsTransaccion::LeerSAL0() const {
    QString texto = LeerLineas("Download\\_sal.0", ArchivoRespuesta::kLimiteCierre, nullptr);
    qsizetype inicio = 0, fin = texto.size();
    while (inicio < fin && texto[inicio] == ' ') ++inicio;
    while (fin > inicio && texto[fin - 1] == ' ') --fin;
    return texto.mid(inicio, fin - inicio);
}
