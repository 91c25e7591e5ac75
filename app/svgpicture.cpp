#include "app/svgpicture.h"

#include "app/art.h"

#include <QPainter>

namespace kobalin {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent) : QWidget(parent), resource_(resource) {}

void SvgPicture::paintEvent(QPaintEvent*)
{
    const QSize pixels = size() * devicePixelRatioF();
    if (drawn_.size() != pixels) {
        drawn_ = artImage(resource_, pixels);
        drawn_.setDevicePixelRatio(devicePixelRatioF());
    }
    QPainter(this).drawImage(0, 0, drawn_);
}

}  // namespace kobalin
