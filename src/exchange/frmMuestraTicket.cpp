#include "exchange/frmMuestraTicket.h"

#include <QPushButton>

#include "core/modImpresion.h"
#include "platform/ui/Modal.h"
#include "platform/ui/Twips.h"
#include "platform/ui/VistaTicket.h"

namespace {
constexpr int kMargen = 315;  // twips between the text box and the window's right edge, and around buttons
constexpr int kIzquierda = 120;
constexpr int kArriba = 120;
constexpr int kAltoTexto = 6600;
constexpr int kAnchoBoton = 1215;
constexpr int kAltoBoton = 375;
constexpr int kAltoVentana = kArriba + kAltoTexto + 240 + kAltoBoton + 240;
}  // namespace

frmMuestraTicket::frmMuestraTicket(QWidget* parent) : QDialog(parent) {
    setObjectName("frmMuestraTicket");
    setWindowTitle("Ticket");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    rtextTicket_ = new VistaTicket("rtextTicket", this);
    cmdImprimir_ = new QPushButton("Imprimir", this);
    cmdImprimir_->setObjectName("cmdImprimir");
    cmdAceptar_ = new QPushButton("Aceptar", this);
    cmdAceptar_->setObjectName("cmdAceptar");
    cmdAceptar_->setDefault(true);
    connect(cmdImprimir_, &QPushButton::clicked, this, [this] { ImprimirTexto(rtextTicket_->toPlainText(), Codigos); });
    connect(cmdAceptar_, &QPushButton::clicked, this, &QDialog::accept);
    Disponer(0);
}

int frmMuestraTicket::AnchoTexto(int pMedida) {
    if (pMedida >= 120) return 15000;
    if (pMedida >= 40) return pMedida * 130;
    return 5595;
}

void frmMuestraTicket::Disponer(int pMedida) {
    const int anchoTexto = AnchoTexto(pMedida);
    const int anchoVentana = anchoTexto + kMargen;
    setFixedSize(TwipsAPixeles(anchoVentana), TwipsAPixeles(kAltoVentana));
    rtextTicket_->setGeometry(TwipsAPixeles(kIzquierda / 2), TwipsAPixeles(kArriba), TwipsAPixeles(anchoTexto),
                              TwipsAPixeles(kAltoTexto));
    const int yBotones = kArriba + kAltoTexto + 240;
    const int xAceptar = anchoVentana - kMargen - kAnchoBoton;
    cmdAceptar_->setGeometry(TwipsAPixeles(xAceptar), TwipsAPixeles(yBotones), TwipsAPixeles(kAnchoBoton),
                             TwipsAPixeles(kAltoBoton));
    cmdImprimir_->setGeometry(TwipsAPixeles(xAceptar - kMargen - kAnchoBoton), TwipsAPixeles(yBotones),
                              TwipsAPixeles(kAnchoBoton), TwipsAPixeles(kAltoBoton));
}

void frmMuestraTicket::Cargar(const QString& pTicket, int pMedida) {
    Disponer(pMedida);
    rtextTicket_->setPlainText(pTicket);
    MostrarModal(*this);
}
