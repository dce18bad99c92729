#include "platform/CodigoBarras.h"

#include <zint.h>

#include <memory>

namespace CodigoBarras {

QImage Code128(const QByteArray& datos, int modulo, int alto) {
    std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> simbolo(ZBarcode_Create(), &ZBarcode_Delete);
    if (!simbolo || datos.isEmpty()) return {};
    simbolo->symbology = BARCODE_CODE128;
    simbolo->show_hrt = 0;
    simbolo->height = static_cast<float>(alto);
    simbolo->whitespace_width = 10;                      // the quiet zone a scanner needs on each side
    simbolo->scale = static_cast<float>(modulo) / 2.0f;  // zint draws two pixels a module at scale 1
    const auto* bytes = reinterpret_cast<const unsigned char*>(datos.constData());
    if (ZBarcode_Encode(simbolo.get(), bytes, static_cast<int>(datos.size())) >= ZINT_ERROR) return {};
    if (ZBarcode_Buffer(simbolo.get(), 0) >= ZINT_ERROR || !simbolo->bitmap) return {};
    // zint's bitmap is packed RGB rows; QImage rows are aligned, so each is copied.
    QImage imagen(simbolo->bitmap_width, simbolo->bitmap_height, QImage::Format_RGB888);
    const int ancho = simbolo->bitmap_width * 3;
    for (int y = 0; y < simbolo->bitmap_height; ++y)
        std::copy_n(simbolo->bitmap + static_cast<qsizetype>(y) * ancho, ancho, imagen.scanLine(y));
    return imagen;
}

}  // namespace CodigoBarras
