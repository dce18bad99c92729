#include "platform/ui/MensajesPantalla.h"

#include <QApplication>
#include <QMessageBox>

int MensajesPantalla::MostrarConDetalles(const QString& texto, const QString& detalles, int estilo,
                                         const QString& titulo) {
    QMessageBox caja(QApplication::activeWindow());
    caja.setText(texto);
    if (!detalles.isEmpty()) caja.setDetailedText(detalles);
    caja.setWindowTitle(!titulo.isEmpty() ? titulo : !titulo_.isEmpty() ? titulo_ : QApplication::applicationName());
    switch (estilo & 0x70) {
        case vbCritical:
            caja.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            caja.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            caja.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            caja.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    struct Boton {
        QMessageBox::StandardButton qt;
        int respuesta;
    };
    QList<Boton> botones;
    switch (estilo & 7) {
        case vbOKCancel:
            botones = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
            break;
        case vbYesNoCancel:
            botones = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
            break;
        case vbYesNo:
            botones = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
            break;
        case vbRetryCancel:
            botones = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
            break;
        default:
            botones = {{QMessageBox::Ok, vbOK}};
            break;
    }
    for (const auto& b : botones) caja.addButton(b.qt);
    const int predeterminado = (estilo & vbDefaultButton2) && botones.size() > 1 ? 1 : 0;
    caja.setDefaultButton(botones[predeterminado].qt);
    const int elegido = caja.exec();
    for (const auto& b : botones)
        if (b.qt == elegido) return b.respuesta;
    return botones.last().respuesta;
}
