#pragma once

#include <QLabel>

namespace kobalin {

// A label for a path: when it is too long for the space it has, it is shortened
// in the middle (the drive and the file name stay readable) and shown whole in
// its tooltip, instead of widening the window.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace kobalin
