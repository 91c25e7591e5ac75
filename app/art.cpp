#include "app/art.h"

#ifdef KOBALIN_PNG_ART
#include "app/artscales.h"

#include <QImageReader>

#include <iterator>
#else
#include <QPainter>
#include <QSvgRenderer>
#endif

namespace kobalin {

#ifdef KOBALIN_PNG_ART

namespace {

QString drawing(const QString& svg, double scale) { return svg.chopped(4) + artSuffix(scale); }

}  // namespace

QIcon artIcon(const QString& svg)
{
    // QIcon takes the drawing nearest the size it is asked for at the screen's scale.
    QIcon icon;
    for (const double scale : kArtScales)
        icon.addFile(drawing(svg, scale));
    return icon;
}

QImage artImage(const QString& svg, QSize pixels)
{
    // The smallest drawing at least as large as asked, scaled down to it;
    // past the largest scale, the largest, scaled up.
    const QSize base = QImageReader(drawing(svg, 1.0)).size();
    double chosen = kArtScales[std::size(kArtScales) - 1];
    for (const double scale : kArtScales) {
        if (base.width() * scale >= pixels.width() && base.height() * scale >= pixels.height()) {
            chosen = scale;
            break;
        }
    }
    const QImage image(drawing(svg, chosen));
    if (image.isNull() || pixels.isEmpty())
        return QImage();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
        .scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

#else

QIcon artIcon(const QString& svg) { return QIcon(svg); }

QImage artImage(const QString& svg, QSize pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(svg).render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

#endif

}  // namespace kobalin
