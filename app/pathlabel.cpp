#include "app/pathlabel.h"

#include <QPainter>

namespace kobalin {

QSize PathLabel::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("M...M")), QLabel::minimumSizeHint().height()};
}

void PathLabel::paintEvent(QPaintEvent*)
{
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    setToolTip(shown == text() ? QString() : text());
    QPainter painter(this);
    painter.drawText(area, static_cast<int>(alignment()), shown);
}

}  // namespace kobalin
