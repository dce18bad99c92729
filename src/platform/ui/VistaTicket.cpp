#include "platform/ui/VistaTicket.h"

#include "platform/DocumentoTicket.h"

VistaTicket::VistaTicket(const QString& nombre, QWidget* padre) : QPlainTextEdit(padre) {
    setObjectName(nombre);
    // Read-only, Enter reaches the window's default button and Tab moves on, as in any other window.
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(FuenteTicket());
}
