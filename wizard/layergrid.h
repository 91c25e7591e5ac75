#pragma once

#include <QTableView>

#include <functional>

namespace kobalin {

// The layer table's cells with a spreadsheet's keys: typing replaces a cell,
// F2 edits it in place, Escape cancels only the edit, Tab and Shift+Tab go
// across the value columns and on to the next row, Enter moves down.
class LayerGrid : public QTableView {
    Q_OBJECT
public:
    explicit LayerGrid(QWidget* parent = nullptr);

    // The window's keys (copy, paste, ...), tried first; true when taken.
    std::function<bool(QKeyEvent*)> keyDown;
    // Runs each time an edit of a cell has ended.
    std::function<void()> editEnded;

    // Makes the cell current, alone selected, and brings it into view.
    void moveTo(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

}  // namespace kobalin
