#include "wizard/layergrid.h"

#include "app/fieldfilter.h"
#include "wizard/layerrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace kobalin {

namespace {

// A name is typed as in the layer editor: ";" and line breaks are dropped,
// and it is as long as a name may be.
class CellDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && index.column() == kNameColumn) {
            line->setValidator(new FieldFilter(line));
            line->setMaxLength(static_cast<int>(kLongestText));
        }
        return editor;
    }
};

}  // namespace

LayerGrid::LayerGrid(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(AnyKeyPressed | DoubleClicked);
    setSelectionMode(ExtendedSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
}

void LayerGrid::moveTo(int row, int column)
{
    const QModelIndex cell = model()->index(row, column);
    if (!cell.isValid())
        return;
    setCurrentIndex(cell);
    scrollTo(cell);
}

void LayerGrid::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (state() == EditingState) {
        // A key the cell's editor left to the table. Enter ends the edit from
        // the cell (closeEditor); the window's keys wait until it has ended.
        if (enter)
            event->accept();
        else
            QTableView::keyPressEvent(event);
        return;
    }
    if (keyDown && keyDown(event)) {
        event->accept();
        return;
    }
    const QModelIndex current = currentIndex();
    const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
    if (plain && enter) {
        // Down, where there is a row below: the empty last row has none.
        if (current.isValid())
            moveTo(current.row() + 1, current.column());
        event->accept();
        return;
    }
    if (plain && event->key() == Qt::Key_F2 && current.isValid() && (current.flags() & Qt::ItemIsEditable)) {
        // In place: the cursor after the text, nothing selected.
        edit(current);
        if (auto* line = qobject_cast<QLineEdit*>(indexWidget(current))) {
            line->deselect();
            line->end(false);
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

QModelIndex LayerGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || (action != MoveNext && action != MovePrevious))
        return QTableView::moveCursor(action, modifiers);
    // Across the value columns only; the thickness is worked out, never typed.
    int row = current.row(), column = current.column();
    if (action == MoveNext) {
        column = column + 1 < kValueColumns ? column + 1 : 0;
        row += column == 0 ? 1 : 0;
    } else if (column > 0) {
        column = std::min(column - 1, kValueColumns - 1);
    } else {
        column = kValueColumns - 1;
        --row;
    }
    return model()->index(row, column);
}

void LayerGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Enter in the cell leaves it current; a move to another cell, which
    // also ends the edit, has made that one current already.
    const bool enter = hint == QAbstractItemDelegate::SubmitModelCache &&
                       indexAt(editor->geometry().center()) == currentIndex();
    // The next cell is made current, not opened for editing: typing there
    // replaces it, and the window's keys (paste, ...) work on it at once.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const QModelIndex current = currentIndex();
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
        const QModelIndex next = moveCursor(hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, {});
        if (next.isValid())
            moveTo(next.row(), next.column());
    } else if (enter && current.isValid()) {
        moveTo(current.row() + 1, current.column());
    }
    if (editEnded)
        editEnded();
}

}  // namespace kobalin
