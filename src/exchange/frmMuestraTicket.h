#pragma once
// The ticket text of an answer in a fixed-pitch font, sized to its longest line, with printing.
#include <QDialog>
#include <QStringList>

class QPushButton;
class VistaTicket;

class frmMuestraTicket : public QDialog {
    Q_OBJECT
public:
    explicit frmMuestraTicket(QWidget* parent = nullptr);
    // Keeps the text and the width of its longest line (MedidaTicket), then shows the window modally.
    void Cargar(const QString& pTicket, int pMedida);

    // The text box width in twips for a longest line of pMedida characters.
    static int AnchoTexto(int pMedida);

    QStringList Codigos;  // the barcodes its print button puts under the text

private:
    void Disponer(int pMedida);
    VistaTicket* rtextTicket_;
    QPushButton* cmdImprimir_;
    QPushButton* cmdAceptar_;
};
