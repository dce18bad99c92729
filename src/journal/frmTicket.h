#pragma once
// The ticket view: a journalled ticket's saved text, printed again or cancelled.
#include <QDialog>

class VistaTicket;
class QPushButton;

class frmTicket : public QDialog {
    Q_OBJECT
public:
    explicit frmTicket(QWidget* parent = nullptr);
    // Keeps the text, the ticket number and the card, shows the text and the window modally.
    void Cargar(const QString& sContenido, const QString& sIdTicket, const QString& sTarjeta);
    // The cancellation of the kept ticket (the "Anular" button).
    void Anular();

    // The authorisation the journalled answer carried: printed again as a barcode under the ticket,
    // as on the original.
    QString Autorizacion;

private:
    VistaTicket* txtPreView;
    QPushButton* cmdAnular;
    QPushButton* cmdImprimir;
    QPushButton* Command1;
    QString contenido_;
    QString idTicket_;
    QString tarjeta_;
};
