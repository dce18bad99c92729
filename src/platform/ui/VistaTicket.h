#pragma once
// A ticket's text as the terminal wrote it, in the ticket's fixed-pitch font and without wrapping:
// it can be scrolled, selected and copied, never changed. What is printed from it goes out with the
// ticket's real barcodes, so a typed line would print as if the insurer had answered it.
#include <QPlainTextEdit>

class VistaTicket : public QPlainTextEdit {
public:
    VistaTicket(const QString& nombre, QWidget* padre);
};
