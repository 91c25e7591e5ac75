#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace kobalin {

// The program's artwork, named by its SVG resource (":/glyphs/open.svg").
// Where Qt SVG is there it is drawn from the SVG at the size shown; without it
// (the Windows build) from PNG drawn from the same SVG at build time at every
// scale Windows offers. Nothing else in the program chooses between the two.
QIcon artIcon(const QString& svg);
// The artwork drawn to fill pixels (device pixels).
QImage artImage(const QString& svg, QSize pixels);

}  // namespace kobalin
