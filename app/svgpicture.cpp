#include "app/svgpicture.h"

#include <QPainter>
#include <QSvgRenderer>

#include <system_error>

namespace kobalin {

namespace {

// Safe on any thread: it draws on an image of its own.
QImage draw(const QString& resource, QSize pixels, qreal ratio)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        QSvgRenderer(resource).render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace

SvgPicture::SvgPicture(const QString& resource, QWidget* parent) : QWidget(parent), resource_(resource) {}

QSize SvgPicture::pixels() const { return size() * devicePixelRatioF(); }

void SvgPicture::startDrawing()
{
    const QSize wanted = pixels();
    if (!isVisible() || wanted.isEmpty() || drawn_.size() == wanted || (drawing_.valid() && drawingSize_ == wanted))
        return;
    try {
        drawing_ = std::async(std::launch::async, draw, resource_, wanted, devicePixelRatioF());
        drawingSize_ = wanted;
    } catch (const std::system_error&) {
        // No thread to be had: it is drawn when painted.
    }
}

void SvgPicture::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    startDrawing();
}

void SvgPicture::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    startDrawing();
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    const QSize wanted = pixels();
    if (drawing_.valid() && drawingSize_ == wanted)
        drawn_ = drawing_.get();
    if (drawn_.size() != wanted)
        drawn_ = draw(resource_, wanted, devicePixelRatioF());
    QPainter(this).drawImage(0, 0, drawn_);
}

}  // namespace kobalin
