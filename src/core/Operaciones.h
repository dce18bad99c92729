#pragma once
// The operations this client knows, in one table: the toolbar button and menu item of each, the
// activity types that offer it and those under which it opens the ticket form, the view setting that
// hides its button, the names the journal and the ticket form give it, and the code the V101 protocol
// writes for it. The main window, the journal and the ticket forms read it; a new operation is a row.
#include <QList>
#include <QString>
#include <QStringList>

// Icon colours: the pharmacy's operations green, cancellations and returns red, queries and checks
// blue, the transaction list violet, the rest grey.
inline constexpr unsigned kVerde = 0x2e7d32, kRojo = 0xc62828, kAzul = 0x1565c0, kVioleta = 0x6a1b9a, kGris = 0x616161;

// The activity types the network defines: "1" pharmacy ticket, "2" provider ticket, "3" session
// ticket, "4" banking operations. Among the types an operation is offered for, kOtroTipo stands for
// any other.
inline const QStringList kTiposActividad = {"1", "2", "3", "4"};
inline const QString kOtroTipo = QStringLiteral("*");

// What choosing an operation does.
enum class Destino {
    NoDisponible,  // the network has it, this client does not carry it out: shown greyed, saying so
    Ticket,        // opens the ticket form with the operation's code
    Lista,         // brings up the transaction list; needs no provider and no activity type
};

struct Operacion {
    // The toolbar and the operations menu; a row without a key has no button (closures, reprints).
    QString Clave{};              // "K11"
    int Grupo = 0;                // a separator stands between the buttons of two groups
    QString Texto{};              // the button's words; the menu item's are these followed by " ..."
    QString Marca{};              // the letters drawn on the icon
    unsigned Color = kGris;       // of the icon, 0xRRGGBB
    int Tecla = 0;                // its function key (Qt::Key_F2); 0 when it has none
    bool EnMenu = true;           // also an item of the operations menu
    QStringList Ofrecida{};       // activity types that offer it (kOtroTipo: any other)
    const bool* Vista = nullptr;  // a view setting that, off, hides its button (not its menu item)
    QString Dato{};               // the data tag of its button
    Destino Hace = Destino::NoDisponible;
    QStringList Abre{};  // activity types under which it opens the ticket form; under others it does nothing
    // The requests and the journal.
    int Codigo = 0;       // operation code; 0 when it sends none
    QString Nombre{};     // what the journal shows; the code itself when empty
    QString Titulo{};     // the ticket form's caption; "Ticket" when empty
    int CodigoV101 = -1;  // the code written under V101; -1 when that protocol has none

    bool OfrecidaPara(const QString& tipoActividad) const;
    bool AbreTicketCon(const QString& tipoActividad) const;
};

// Every operation; those with a key in toolbar order.
const QList<Operacion>& Operaciones();
// The row of a toolbar key, or of a non-zero operation code; nullptr when there is none.
const Operacion* OperacionDeClave(const QString& clave);
const Operacion* OperacionDeCodigo(int codigo);

// The code to write for an operation under the protocol version in force: translated under V101
// (-1 when it has none there), unchanged under any other.
int CodigoOperacionVersion(int codigo);
// The name the journal shows for an operation code.
QString NombreOperacion(int codigo);
