#pragma once

// What a person does with the mouse and keyboard, as real events on the real
// widgets: the window tests and the picture walk act only through these and
// Qt Test's own key and mouse functions.

#include <QPoint>
#include <Qt>

class QAction;
class QComboBox;
class QMenu;
class QWidget;

// Opens the combo box's list with a click on its arrow and clicks the item.
void chooseInList(QComboBox* box, int item);

// Opens the list with Alt+Down, walks to the item with Down and presses key
// (Return, Enter or Space) on it.
void chooseInListByKey(QComboBox* box, int item, Qt::Key key);

// Turns the mouse wheel by notches (up when positive) with the pointer over
// the middle of widget.
void turnWheel(QWidget* widget, int notches);

// Right-clicks widget at pos (its middle when not given), as for its context
// menu; the menu that opens is returned, or nullptr.
QMenu* rightClick(QWidget* widget, QPoint pos = QPoint(-1, -1));

// Clicks the item in the open menu.
void clickMenuItem(QMenu* menu, QAction* item);
