#pragma once
// A label for a name of any length in a place of fixed width (a doctor's name beside the licence):
// a name too long for it ends in "…", and its tooltip shows it whole.
#include <QLabel>

class EtiquetaRecortada : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The text as the label shows it at its present width.
    QString TextoMostrado() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
};
