// The printed ticket: its text unchanged and, under it, barcodes that a scanner reads back as the
// ticket number and the authorisation.
#include <zbar.h>

using namespace zbar;  // the C interface lives in this namespace when compiled as C++

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "core/modTarsa.h"
#include "platform/Ajustes.h"
#include "platform/CodigoBarras.h"
#include "platform/DocumentoTicket.h"
#include "support/Entorno.h"
#include "ui/modRespuesta.h"

namespace {

// Every Code 128 symbol zbar finds in the image.
QStringList Leer(const QImage& imagen) {
    const QImage gris = imagen.convertToFormat(QImage::Format_Grayscale8);
    QByteArray pixeles;
    for (int y = 0; y < gris.height(); ++y)
        pixeles.append(reinterpret_cast<const char*>(gris.constScanLine(y)), gris.width());
    zbar_image_scanner_t* lector = zbar_image_scanner_create();
    zbar_image_scanner_set_config(lector, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(lector, ZBAR_CODE128, ZBAR_CFG_ENABLE, 1);
    zbar_image_t* z = zbar_image_create();
    zbar_image_set_format(z, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(z, gris.width(), gris.height());
    zbar_image_set_data(z, pixeles.constData(), pixeles.size(), nullptr);
    zbar_scan_image(lector, z);
    QStringList leidos;
    for (const zbar_symbol_t* s = zbar_image_first_symbol(z); s; s = zbar_symbol_next(s))
        leidos << QString::fromLatin1(zbar_symbol_get_data(s));
    zbar_image_destroy(z);
    zbar_image_scanner_destroy(lector);
    return leidos;
}

// The document drawn as a printer would, on white.
QImage Dibujar(QTextDocument& documento) {
    const QSize tamano = documento.documentLayout()->documentSize().toSize() + QSize(20, 20);
    QImage imagen(tamano, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter pintor(&imagen);
    pintor.translate(10, 10);
    documento.drawContents(&pintor);
    return imagen;
}

class CodigoBarrasTest : public Entorno {};

}  // namespace

TEST_F(CodigoBarrasTest, BarcodesReadBackAsTheCodesAndTheTextStaysAsItWas) {
    const QString texto = QString::fromUtf8(
        "FARMACIA CENTRAL\r\nTicket Nº 1234  Afiliado 6034930000012345\r\n"
        "Amoxicilina 500  x1   $ 1.234,56\r\n");
    const struct { QStringList codigos; } casos[] = {{{"1234"}}, {{"100000012345", "778899"}}, {{"A-77/Z"}}, {{}}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigos.join(",").toStdString());
        auto documento = DocumentoTicket(texto, c.codigos);
        QStringList leidos = Leer(Dibujar(*documento));
        leidos.sort();
        QStringList esperados = c.codigos;
        esperados.sort();
        EXPECT_EQ(leidos, esperados);
        // The terminal's text first, whole; then only the barcodes and their codes.
        QString plano = documento->toPlainText();
        EXPECT_TRUE(plano.startsWith(QString(texto).replace("\r\n", "\n"))) << plano.toStdString();
        plano.remove(0, QString(texto).replace("\r\n", "\n").size()).remove(QChar::ObjectReplacementCharacter);
        EXPECT_EQ(plano.split('\n', Qt::SkipEmptyParts), c.codigos);
    }
    EXPECT_TRUE(CodigoBarras::Code128("").isNull());
}

TEST_F(CodigoBarrasTest, TheCodesComeFromTheAnswerUnlessTheSettingTurnsThemOff) {
    QString cabecera(372, ' ');
    cabecera.replace(249, 12, "000000001234").replace(227, 12, "AUT-5566    ");
    EXPECT_EQ(CodigosDeRespuesta(cabecera), QStringList({"1234", "AUT-5566"}));
    cabecera.replace(227, 12, QString(12, ' '));
    EXPECT_EQ(CodigosDeRespuesta(cabecera), QStringList({"1234"}));
    EXPECT_EQ(CodigosDeRespuesta(QString(372, ' ')), QStringList());
    Ajustes::Guardar(kAplicacion, kSeccionStart, "CodigoBarrasTicket", "0");
    EXPECT_EQ(CodigosTicket("1234", "AUT-5566"), QStringList());
}
