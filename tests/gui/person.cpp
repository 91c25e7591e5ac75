#include "person.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSpontaneKeyEvent>
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
    // As the window hands on a real turn: to the deepest widget under the
    // pointer, spontaneous, so that it gives the focus as the widgets' focus
    // policies say and goes on to the enclosing widgets while none takes it.
    QWidget* window = widget->window();
    const QPoint at = widget->mapTo(window, widget->rect().center());
    QWidget* under = window->childAt(at);
    if (!under)
        under = window;
    const QPoint pos = under->mapFrom(window, at);
    QTest::mouseMove(under, pos);
    QWheelEvent wheel(pos, under->mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(under, &wheel);
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
