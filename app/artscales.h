#pragma once

#include <QString>

namespace kobalin {

// The display scales Windows offers, at which the artwork is drawn as PNG
// where Qt SVG is missing.
inline constexpr double kArtScales[] = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

// "NAME" + this is the PNG of NAME.svg at scale: ".png", "@1.25x.png", ...
inline QString artSuffix(double scale)
{
    return scale == 1.0 ? QStringLiteral(".png") : QStringLiteral("@%1x.png").arg(scale);
}

}  // namespace kobalin
