#include "exchange/clsTransaccion.h"

#include "core/modTarsa.h"
#include "platform/Ansi.h"
#include "platform/ArchivoRegistros.h"
#include "platform/ArchivoTexto.h"
#include "platform/Rutas.h"
#include "platform/TarsaError.h"

namespace {

QByteArray Texto(const QString& valor, int ancho) {
    const QByteArray b = Ansi::Codificar(valor.left(ancho));
    return b.size() >= ancho ? b.left(ancho) : b + QByteArray(ancho - b.size(), ' ');
}

}  // namespace

QString clsTransaccion::ArchivoEstado(const QString& directorio) { return Rutas::Unir(directorio, "Estado.rsp"); }

QByteArray clsTransaccion::RegistroSVL0() const {
    return Texto(Version, 4) + Texto((QString("00") + Empresa.trimmed()).right(2), 2) +
           Texto((QString("00") + Actividad).right(2), 2) + Texto(Licencia, 8);
}

bool clsTransaccion::PutSVL0() const {
    const QString estado = ArchivoEstado(QueloPath);
    if (Rutas::EsArchivo(estado) && !Rutas::Borrar(estado))
        throw TarsaError(75, "No se puede borrar " + estado);
    ArchivoRegistros svl0;
    svl0.Abrir(Rutas::Unir(QueloPath, "Upload\\_SVL.0"), 16);
    svl0.Escribir(1, RegistroSVL0());
    svl0.Cerrar();
    // The notification wakes a terminal that watches TX; without that directory it polls.
    const QString tx = Rutas::Unir(gQueloPath, "TX");
    if (Rutas::EsDirectorio(tx)) {
        ArchivoTexto::CrearVacio(Rutas::Unir(tx, gTermDir));
    }
    return true;
}

QString clsTransaccion::BuscarRespuesta() const {
    const auto lineas = ArchivoTexto::LeerLineas(ArchivoEstado(QueloPath));
    return !lineas || lineas->isEmpty() ? QString() : lineas->first();
}

QString clsTransaccion::LeerLineas(const QString& relativa, int* medida) const {
    const auto lineas = ArchivoTexto::LeerLineas(Rutas::Unir(QueloPath, relativa));
    if (!lineas) return {};
    QString resultado;
    for (const QString& linea : *lineas) {
        resultado += linea + "\r\n";
        if (medida && linea.size() > *medida) *medida = static_cast<int>(linea.size());
    }
    return resultado;
}

QString clsTransaccion::BuscarTicket() { return LeerLineas("Download\\_ticket.prn", &MedidaTicket); }

QString clsTransaccion::LeerSVL1() const { return LeerLineas("Download\\_svl.1", nullptr); }

QString clsTransaccion::LeerSAL0() const {
    QString texto = LeerLineas("Download\\_sal.0", nullptr);
    qsizetype inicio = 0, fin = texto.size();
    while (inicio < fin && texto[inicio] == ' ') ++inicio;
    while (fin > inicio && texto[fin - 1] == ' ') --fin;
    return texto.mid(inicio, fin - inicio);
}
