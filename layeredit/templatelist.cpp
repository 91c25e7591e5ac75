#include "layeredit/templatelist.h"

#include "app/qtext.h"
#include "wizard/decimal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>
#include <numeric>

namespace kobalin {

namespace {

// The four values of an item, as text; empty where the store holds none.
constexpr int kValueRole = Qt::UserRole + 1;

QString decimal(std::optional<double> value)
{
    const auto shown = narrowed(value);
    return shown ? qs(formatFixed2u(*shown)) : QString();
}

QString whole(std::optional<std::int32_t> value) { return value ? QString::number(*value) : QString(); }

std::array<QString, 4> valuesOf(const TemplateValues& v)
{
    return {decimal(v.offset), whole(v.passCountTarget), decimal(v.speedTarget), whole(v.compactionTarget)};
}

QString tooltipOf(const std::array<QString, 4>& values, const std::array<QString, 4>& captions)
{
    QStringList lines;
    for (std::size_t c = 0; c < values.size(); ++c)
        if (!values[c].isEmpty())
            lines << captions[c] + ": " + values[c];
    return lines.join('\n');
}

}  // namespace

void TemplateListDelegate::measure(const QAbstractItemModel& model, const QFontMetrics& metrics)
{
    columns_.fill(0);
    name_ = 0;
    gap_ = metrics.horizontalAdvance(QStringLiteral("   "));
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex item = model.index(row, 0);
        name_ = std::max(name_, metrics.horizontalAdvance(item.data(Qt::DisplayRole).toString()));
        const QStringList values = item.data(kValueRole).toStringList();
        for (int c = 0; c < static_cast<int>(columns_.size()) && c < values.size(); ++c)
            columns_[c] = std::max(columns_[c], metrics.horizontalAdvance(values[c]));
    }
    // A long name is cut short with an ellipsis rather than widen the list.
    name_ = std::min(name_, metrics.averageCharWidth() * 32);
}

QSize TemplateListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // As high as a plain item; as wide as the measured columns, never as a long name.
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int values = std::accumulate(columns_.begin(), columns_.end(), 0) + gap_ * static_cast<int>(columns_.size());
    size.setWidth(gap_ + name_ + values + gap_);
    return size;
}

void TemplateListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString name = item.text;
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(gap_ / 3, 0, -gap_ / 3, 0);
    const QPalette::ColorGroup group = item.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setFont(item.font);
    painter->setPen(
        item.palette.color(group, item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    // The values from the right edge leftwards, each right-aligned in its column.
    const QStringList values = index.data(kValueRole).toStringList();
    int right = text.right() + 1;
    for (int c = static_cast<int>(columns_.size()) - 1; c >= 0; --c) {
        const QRect cell(right - columns_[c], text.top(), columns_[c], text.height());
        if (c < values.size())
            painter->drawText(cell, Qt::AlignRight | Qt::AlignVCenter, values[c]);
        right = cell.left() - gap_;
    }
    const QRect nameCell(text.left(), text.top(), std::max(right - text.left(), 0), text.height());
    painter->drawText(nameCell, Qt::AlignLeft | Qt::AlignVCenter,
                      item.fontMetrics.elidedText(name, Qt::ElideRight, nameCell.width()));
    painter->restore();
}

void listTemplates(QComboBox* box, const std::vector<StoredTemplate>& templates, const std::array<QString, 4>& captions)
{
    QAbstractItemView* list = box->view();
    auto* delegate = dynamic_cast<TemplateListDelegate*>(box->itemDelegate());
    if (!delegate) {
        delegate = new TemplateListDelegate(box);
        box->setItemDelegate(delegate);
    }
    auto* model = qobject_cast<QStandardItemModel*>(box->model());
    for (const StoredTemplate& t : templates) {
        box->addItem(qs(t.name));
        const std::array<QString, 4> values = valuesOf(t.values);
        QStandardItem* item = model->item(box->count() - 1);
        item->setData(QStringList(values.begin(), values.end()), kValueRole);
        const QString tip = tooltipOf(values, captions);
        item->setToolTip(tip);
        item->setAccessibleDescription(tip);
    }
    delegate->measure(*model, list->fontMetrics());

    // The open list is as wide as its items need, however narrow the field.
    int width = 0;
    QStyleOptionViewItem option;
    option.initFrom(list);
    for (int row = 0; row < model->rowCount(); ++row)
        width = std::max(width, delegate->sizeHint(option, model->index(row, 0)).width());
    const int frame = list->frameWidth() * 2;
    const int scrollBar = box->count() > box->maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
    list->setMinimumWidth(width + frame + scrollBar);
}

}  // namespace kobalin
