#pragma once

#include "layeredit/templatestore.h"

#include <QStyledItemDelegate>

#include <array>
#include <vector>

class QComboBox;

namespace kobalin {

// Draws an item of the template list: the name, and beside it the offset,
// pass-count target, speed target and CMV, each value in a column of its own
// that lines up over all items. The item itself stays the bare name.
class TemplateListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The columns' widths, from every item's values in the list's font.
    void measure(const QAbstractItemModel& model, const QFontMetrics& metrics);

private:
    std::array<int, 4> columns_{};
    int name_ = 0;  // the names' column, up to a width that is easily read
    int gap_ = 0;
};

// Fills box's list with the templates' names, each with its values beside it
// (in the run's number format) and in its tooltip, under the captions of their
// fields, and lets the open list be as wide as that needs.
void listTemplates(QComboBox* box, const std::vector<StoredTemplate>& templates, const std::array<QString, 4>& captions);

}  // namespace kobalin
