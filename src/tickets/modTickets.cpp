#include "tickets/modTickets.h"

#include <QLocale>
#include <cmath>

#include "core/Operaciones.h"
#include "core/RegistroAjustes.h"
#include "core/modFormato.h"
#include "core/modTarsa.h"

QString TituloOperacion(int codigoOperacion) {
    const Operacion* o = OperacionDeCodigo(codigoOperacion);
    return o && !o->Titulo.isEmpty() ? o->Titulo : QStringLiteral("Ticket");
}

QList<bool> PosicionesBitmap(const QString& bitmap, int cantidad) {
    QList<bool> posiciones(cantidad + 1, false);
    for (int i = 1; i <= cantidad && i <= bitmap.size(); ++i) posiciones[i] = bitmap.at(i - 1) == '1';
    return posiciones;
}

bool HayExcepcionV101() {
    if (gVersion != "V101") return false;
    const double empresa = TextoANumero(gCodigoEmpresa, true);
    return empresa == 1 || empresa == 42;
}

namespace {
void Encender(QList<bool>& posiciones, std::initializer_list<int> cuales) {
    for (int p : cuales)
        if (p < posiciones.size()) posiciones[p] = true;
}
}  // namespace

void ExcepcionV101Encabezado(int codigoOperacion, QList<bool>& posiciones, bool& items) {
    posiciones.fill(false);
    switch (CodigoOperacionVersion(codigoOperacion)) {
        case 0:
        case 1:
            Encender(posiciones, {1, 2, 3, 8, 15, 16, 22});
            items = true;
            break;
        case 2:
            Encender(posiciones, {1, 2, 3, 5});
            items = true;
            break;
        case 3:
            Encender(posiciones, {1, 2, 3, 5});
            break;
        case 41:
            Encender(posiciones, {1, 2, 3});
            items = false;
            break;
        default:
            break;
    }
}

void ExcepcionV101Item(int codigoOperacion, QList<bool>& posiciones) {
    switch (CodigoOperacionVersion(codigoOperacion)) {
        case 0:
        case 1:
            Encender(posiciones, {1, 2, 4, 7});
            break;
        case 2:
            Encender(posiciones, {1, 2, 4});
            break;
        default:
            break;
    }
}

QString TextoNumero(double valor) {
    QLocale local;
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    // Fifteen significant digits hide the binary noise of sums and products of cents.
    return local.toString(valor, 'g', 15);
}

QString TextoImporte(double valor) { return QLocale().toString(valor, 'f', 2); }

QStringList ColumnasItem(const clsItemTicketFarmacia& item) {
    return {item.Linea,
            FormatearNumero(item.Cantidad, 2),
            item.Troquel,
            item.CodigoBarra,
            item.CodigoProveedor,
            item.NombreMedicamento,
            item.Presentacion,
            FormatearNumero(item.TipoArancel, 2),
            FormatearNumero(item.Precio, 1),
            item.Diagnostico,
            item.NombreDiagnostico,
            item.TipoCobertura,
            item.Autorizacion,
            item.PlanCobertura,
            QString::number(item.TipoPrescripcion),
            TextoSiNo(item.CambioPrescripcion),
            QString::number(item.PorcentajeCobertura)};
}

double PrecioEnCentavos(double precio) { return std::round(precio * 100) / 100; }

QString TextoSiNo(bool valor) { return valor ? QStringLiteral("Sí") : QStringLiteral("No"); }

bool LeerSiNo(const QString& texto) {
    const QString t = texto.trimmed();
    return t.compare(QStringLiteral("Sí"), Qt::CaseInsensitive) == 0 || t.compare("Si", Qt::CaseInsensitive) == 0 ||
           LeerPalabrasSi(t);
}

TotalesTicket CalcularTotales(const QList<clsItemTicketFarmacia>& items, const QString& descuento) {
    TotalesTicket t;
    for (const clsItemTicketFarmacia& item : items) {
        // The same digits the terminal receives, so the total shown is the total charged.
        const QString cantidad = FormatearNumero(item.Cantidad, 2);
        if (!cantidad.isEmpty()) t.Total += RellenarCeros(cantidad, kDigitosCantidad).toInt() * item.Precio;
    }
    t.TotalGeneral = t.Total - t.Total * TextoANumero(descuento, true) / 100;
    return t;
}

QStringList EntradasTipoPrescripcion() {
    const QString relleno(100, ' ');
    return {QStringLiteral("Genérico") + relleno + "10", QStringLiteral("Comercial") + relleno + "30",
            QStringLiteral("Indefinida") + relleno + "00"};
}

void LeerTipoPrescripcion(const QString& entrada, int& tipo, bool& cambio) {
    tipo = 0;
    cambio = false;
    if (entrada.size() < 2) return;
    const QString codigo = entrada.right(2);
    tipo = codigo.left(1).toInt();
    cambio = codigo.right(1).toInt() != 0;
}

QStringList EntradasTipoCobertura() {
    return {QString(),
            QStringLiteral("Normal"),
            QStringLiteral("T. prolongado"),
            kAutorizacionEspecial,
            QStringLiteral("PM/PMI"),
            QStringLiteral("Crónico")};
}

void ReiniciarTickets() {
    gColControles.clear();
    gColControlesItem.clear();
    gIndiceProvinciaR = gIndiceTipoMatriculaR = 1;
}
