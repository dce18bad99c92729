#pragma once
// The rules of the pharmacy ticket forms that need no window: captions, bitmap positions and the
// fixed V101 fields, the items list's columns and totals, and the prescription and coverage lists.
#include <QList>
#include <QString>
#include <QStringList>

#include "tickets/clsControles.h"
#include "tickets/clsItemTicketFarmacia.h"

// Ticket forms: which control each position of the header and item bitmaps switches (rebuilt by
// every load of the form or dialog), and the prescriber's list positions last chosen, which the
// next ticket starts with.
inline QList<clsControles> gColControles;
inline QList<clsControles> gColControlesItem;
inline int gIndiceProvinciaR = 1;
inline int gIndiceTipoMatriculaR = 1;

// This module's globals back to their state before the first ticket (tests).
void ReiniciarTickets();

// The window caption of a ticket form for an operation code; "Ticket" for one not listed.
QString TituloOperacion(int codigoOperacion);

// Positions 1..cantidad of a bitmap text (index 0 unused): set where the character is "1"; a
// shorter text leaves the remaining positions unset.
QList<bool> PosicionesBitmap(const QString& bitmap, int cantidad);

// True when the run speaks V101 to company 1 or 42, whose ticket fields are fixed whatever the
// terminal's bitmaps say.
bool HayExcepcionV101();
// The fixed header fields of those companies for an operation: every position is cleared and the
// operation's own are set; the items flag changes for the operations that fix it.
void ExcepcionV101Encabezado(int codigoOperacion, QList<bool>& posiciones, bool& items);
// The fixed item fields of those companies: added to what the bitmap set, nothing cleared.
void ExcepcionV101Item(int codigoOperacion, QList<bool>& posiciones);

// A number as plain text: the regional decimal separator, no thousands separator and only the
// decimals it has (25.5, 22.95, 1250).
QString TextoNumero(double valor);

// An amount as the items list shows a price and the totals show theirs: the regional thousands and
// decimal separators and two decimals ("15.230,50").
QString TextoImporte(double valor);

// The items list: index 0 is the row text, 1..16 the columns, as the list shows an item.
inline constexpr int kColumnasItem = 17;
// The item record carries the quantity in two digits and the troquel in seven: a longer code is a
// barcode.
inline constexpr int kDigitosCantidad = 2;
inline constexpr int kDigitosTroquel = 7;
QStringList ColumnasItem(const clsItemTicketFarmacia& item);

// A yes/no column as the lists show it, "Sí" or "No", and read back (also "True", as older rows say).
QString TextoSiNo(bool valor);
bool LeerSiNo(const QString& texto);

// A price in whole cents, as the list shows it and the item record carries it.
double PrecioEnCentavos(double precio);

// Total of the items (the quantity as the item record carries it, none when not given, times the
// price of each) and the total less the provider's discount percentage as the discount field shows it.
struct TotalesTicket {
    double Total = 0;
    double TotalGeneral = 0;
};
TotalesTicket CalcularTotales(const QList<clsItemTicketFarmacia>& items, const QString& descuento);

// The prescription types: the name the user sees, 100 blanks that push the code out of sight, and
// the two-digit code (prescription type, prescription change).
QStringList EntradasTipoPrescripcion();
// The type and change flag of an entry of that list; 0 and false when there is none.
void LeerTipoPrescripcion(const QString& entrada, int& tipo, bool& cambio);
// The coverage types, the empty entry first.
QStringList EntradasTipoCobertura();
inline const QString kAutorizacionEspecial = QStringLiteral("Autorización especial");
