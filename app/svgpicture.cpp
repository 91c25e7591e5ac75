#include "app/svgpicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kobalin {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent) : QWidget(parent), resource_(resource) {}

void SvgPicture::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (drawn_.size() != pixels) {
        drawn_ = QPixmap(pixels);
        drawn_.fill(Qt::transparent);
        QPainter onPixmap(&drawn_);
        QSvgRenderer(resource_).render(&onPixmap, QRectF(QPointF(0, 0), QSizeF(pixels)));
        drawn_.setDevicePixelRatio(ratio);
    }
    QPainter(this).drawPixmap(0, 0, drawn_);
}

}  // namespace kobalin
