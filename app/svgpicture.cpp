#include "app/svgpicture.h"

#include <QPainter>

namespace kobalin {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent) : QWidget(parent), renderer_(resource) {}

QSize SvgPicture::sizeHint() const { return renderer_.defaultSize(); }

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    renderer_.render(&painter, rect());
}

}  // namespace kobalin
