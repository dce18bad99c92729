#include "ui/EtiquetaNombre.h"

QSize EtiquetaNombre::sizeHint() const { return text().isEmpty() ? QSize(0, 0) : QLabel::sizeHint(); }

QSize EtiquetaNombre::minimumSizeHint() const { return text().isEmpty() ? QSize(0, 0) : QLabel::minimumSizeHint(); }
