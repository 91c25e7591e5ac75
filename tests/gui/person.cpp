#include "person.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

QModelIndex itemIndex(QComboBox* box, int item) { return box->view()->model()->index(item, box->modelColumn()); }

}  // namespace

void chooseInList(QComboBox* box, int item)
{
    // The arrow is at the right end of the field.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2));
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible()) << "the list did not open";
    const QRect rect = list->visualRect(itemIndex(box, item));
    ASSERT_TRUE(rect.isValid()) << "no item " << item;
    QTest::mouseMove(list->viewport(), rect.center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void chooseInListByKey(QComboBox* box, int item, Qt::Key key)
{
    QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* list = box->view();
    ASSERT_TRUE(list->isVisible()) << "the list did not open";
    for (int i = 0; i <= box->count() && list->currentIndex().row() != item; ++i)
        QTest::keyClick(list, list->currentIndex().row() < item ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(list->currentIndex().row(), item);
    QTest::keyClick(list, key);
}

void turnWheel(QWidget* widget, int notches)
{
    const QPointF pos(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

QMenu* rightClick(QWidget* widget, QPoint pos)
{
    if (pos == QPoint(-1, -1))
        pos = widget->rect().center();
    QTest::mouseClick(widget, Qt::RightButton, {}, pos);
    // The window system follows a right click with the context menu event.
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &menu);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void clickMenuItem(QMenu* menu, QAction* item)
{
    ASSERT_NE(menu, nullptr) << "no menu open";
    ASSERT_TRUE(menu->isVisible());
    const QRect rect = menu->actionGeometry(item);
    ASSERT_TRUE(rect.isValid()) << item->objectName().toStdString() << " is not in the menu";
    QTest::mouseMove(menu, rect.center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, rect.center());
}
