#pragma once

#include <QLayout>
#include <QList>

namespace kobalin {

// Lays its items out in a row, as a horizontal box does, and where the row is
// narrower than their least widths, wraps them whole, in order, to further
// rows, so that no item is ever cut. Each row's items share its width and
// take its height.
class WrappingRow : public QLayout {
public:
    WrappingRow() = default;
    ~WrappingRow() override;
    WrappingRow(const WrappingRow&) = delete;
    WrappingRow& operator=(const WrappingRow&) = delete;

    // The width that keeps every item in one row.
    int oneRowWidth() const;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    int gap() const;
    // Places the items in rect (when place) and gives the height they take.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> items_;
};

}  // namespace kobalin
