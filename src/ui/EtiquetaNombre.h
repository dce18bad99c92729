#pragma once
// A label for a name a look-up finds (a doctor's, under the licence): while no name is shown it takes
// no room, so a row still waiting for its name leaves no blank line in the window.
#include <QLabel>

class EtiquetaNombre : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
