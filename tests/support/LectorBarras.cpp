#include "support/LectorBarras.h"

#include <zbar.h>

using namespace zbar;  // the C interface lives in this namespace when compiled as C++

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

QStringList LeerCodigos(const QImage& imagen) {
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

QImage DibujarDocumento(QTextDocument& documento) {
    const QSize tamano = documento.documentLayout()->documentSize().toSize() + QSize(20, 20);
    QImage imagen(tamano, QImage::Format_RGB32);
    imagen.fill(Qt::white);
    QPainter pintor(&imagen);
    pintor.translate(10, 10);
    documento.drawContents(&pintor);
    return imagen;
}
