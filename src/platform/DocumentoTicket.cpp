#include "platform/DocumentoTicket.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QUrl>

#include "platform/CodigoBarras.h"

namespace {

// Drawn at twice the size it is laid out at, so that the bars stay sharp on a printer.
constexpr int kModulo = 4;
constexpr int kAmpliacion = 2;

}  // namespace

QFont FuenteTicket() {
    QFont fuente("Courier New", 10);
    fuente.setStyleHint(QFont::TypeWriter);
    const QStringList familias = QFontDatabase::families();
    if (familias.contains("Courier New")) return fuente;
    fuente = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fuente.setPointSize(10);
    // Where the system names no fixed font of its own (Qt without a font configuration, as on a
    // Windows machine that draws off screen) that font is the first one installed: any fixed one
    // there keeps the ticket's columns.
    if (QFontInfo(fuente).fixedPitch()) return fuente;
    for (const QString& familia : familias)
        if (QFontDatabase::isFixedPitch(familia)) {
            fuente.setFamily(familia);
            break;
        }
    return fuente;
}

std::unique_ptr<QTextDocument> DocumentoTicket(const QString& texto, const QStringList& codigos) {
    auto documento = std::make_unique<QTextDocument>();
    documento->setDefaultFont(FuenteTicket());
    documento->setPlainText(texto);
    QTextCursor cursor(documento.get());
    cursor.movePosition(QTextCursor::End);
    for (int i = 0; i < codigos.size(); ++i) {
        const QImage barras = CodigoBarras::Code128(codigos[i].toLatin1(), kModulo);
        if (barras.isNull()) continue;
        const QString nombre = QString("codigo-barras-%1").arg(i);
        documento->addResource(QTextDocument::ImageResource, QUrl(nombre), barras);
        QTextImageFormat imagen;
        imagen.setName(nombre);
        imagen.setWidth(barras.width() / kAmpliacion);
        imagen.setHeight(barras.height() / kAmpliacion);
        cursor.insertBlock();
        cursor.insertImage(imagen);
        cursor.insertBlock();
        cursor.insertText(codigos[i]);
    }
    return documento;
}
