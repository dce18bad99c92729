#pragma once
// Reading printed barcodes back the way a scanner does (zbar), for the tests of the printed ticket.
#include <QImage>
#include <QStringList>

class QTextDocument;

// Every Code 128 symbol zbar finds in the image.
QStringList LeerCodigos(const QImage& imagen);
// The document drawn as a printer would, on white.
QImage DibujarDocumento(QTextDocument& documento);
