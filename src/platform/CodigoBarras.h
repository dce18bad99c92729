#pragma once
// Code 128 barcodes, drawn by zint: the pharmacy's and the insurer's auditors scan the ticket number
// (and the authorisation) off the coupon stapled to the prescription.
#include <QByteArray>
#include <QImage>

namespace CodigoBarras {

// The barcode of datos (ASCII): black bars on white, each module `modulo` pixels wide, `alto`
// modules high, with the quiet zones the symbology asks for and no text under it. A null image when
// zint refuses the data.
QImage Code128(const QByteArray& datos, int modulo = 2, int alto = 40);

}  // namespace CodigoBarras
