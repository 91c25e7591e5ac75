#include "app/svgpicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kobalin {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent) : QWidget(parent), resource_(resource) {}

void SvgPicture::paintEvent(QPaintEvent*)
{
    const QSize pixels = size() * devicePixelRatioF();
    if (drawn_.size() != pixels) {
        drawn_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        drawn_.fill(Qt::transparent);
        QPainter painter(&drawn_);
        QSvgRenderer(resource_).render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        drawn_.setDevicePixelRatio(devicePixelRatioF());
    }
    QPainter(this).drawImage(0, 0, drawn_);
}

}  // namespace kobalin
