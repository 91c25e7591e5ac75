#include "app/wrappingrow.h"

#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace kobalin {

WrappingRow::~WrappingRow()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

void WrappingRow::addItem(QLayoutItem* item) { items_.append(item); }

int WrappingRow::count() const { return static_cast<int>(items_.size()); }

QLayoutItem* WrappingRow::itemAt(int index) const { return items_.value(index); }

QLayoutItem* WrappingRow::takeAt(int index) { return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr; }

Qt::Orientations WrappingRow::expandingDirections() const { return {}; }

bool WrappingRow::hasHeightForWidth() const { return true; }

int WrappingRow::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

int WrappingRow::gap() const
{
    if (spacing() >= 0)
        return spacing();
    const QWidget* parent = parentWidget();
    return parent ? parent->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, parent) : 6;
}

int WrappingRow::oneRowWidth() const
{
    int width = 0;
    for (const QLayoutItem* item : items_)
        width += item->minimumSize().width();
    const QMargins margins = contentsMargins();
    return width + gap() * std::max(0, count() - 1) + margins.left() + margins.right();
}

// As narrow as the widest item; the height then follows from the width.
QSize WrappingRow::minimumSize() const
{
    QSize size;
    for (const QLayoutItem* item : items_)
        size = size.expandedTo(item->minimumSize());
    const QMargins margins = contentsMargins();
    return size.grownBy(margins);
}

QSize WrappingRow::sizeHint() const
{
    QSize size(0, 0);
    for (const QLayoutItem* item : items_)
        size = QSize(size.width() + item->sizeHint().width(), std::max(size.height(), item->sizeHint().height()));
    size.rwidth() += gap() * std::max(0, count() - 1);
    return size.grownBy(contentsMargins());
}

void WrappingRow::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int WrappingRow::arrange(const QRect& rect, bool place) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = this->gap();
    int top = area.top();
    for (qsizetype first = 0; first < items_.size();) {
        // As many items as fit at their least widths, at least one.
        auto wished = [&](qsizetype i) { return items_[i]->sizeHint().expandedTo(items_[i]->minimumSize()); };
        qsizetype end = first + 1;
        int least = items_[first]->minimumSize().width();
        while (end < items_.size() && least + gap + items_[end]->minimumSize().width() <= area.width())
            least += gap + items_[end++]->minimumSize().width();
        int wishedWidth = 0, height = 0;
        for (qsizetype i = first; i < end; ++i) {
            wishedWidth += wished(i).width() + (i > first ? gap : 0);
            height = std::max(height, wished(i).height());
        }
        if (place) {
            // Up to their wished widths in proportion, then what is left in
            // equal shares; a last row that wrapped keeps to its wished widths.
            const int n = static_cast<int>(end - first);
            const bool wrapped = first > 0 && end == items_.size();
            const int room = std::max(wrapped ? std::min(area.width(), wishedWidth) : area.width(), least);
            int x = area.left();
            for (qsizetype i = first; i < end; ++i) {
                const int min = items_[i]->minimumSize().width();
                int width = min;
                if (wishedWidth > least)
                    width += (std::min(room, wishedWidth) - least) * (wished(i).width() - min) / (wishedWidth - least);
                if (room > wishedWidth)
                    width += (room - wishedWidth) / n;
                if (i == end - 1)
                    width = area.left() + room - x;
                items_[i]->setGeometry(QRect(x, top, width, height));
                x += width + gap;
            }
        }
        top += height + (end < items_.size() ? gap : 0);
        first = end;
    }
    const QMargins margins = contentsMargins();
    return top - area.top() + margins.top() + margins.bottom();
}

}  // namespace kobalin
