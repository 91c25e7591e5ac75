// Every window inside the screen's available area with every control within
// reach; ctest also runs these on a laptop's screen at 150 % and 200 %.
#include "wizardtest.h"

#include "person.h"

#include "comments/bewerkcommentaar.h"
#include "layeredit/layeredit.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>

using namespace kobalin;

namespace {

// From this area on (a 1920 x 1080 screen at 150 %, less 72 pixels), every
// window shows whole, without scrolling.
constexpr QSize kRoomForAll(1280, 672);

QScrollArea* scrolledBy(QWidget* w, QWidget* window)
{
    for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p))
            return area;
    return nullptr;
}

void expectOnTheScreen(QWidget* window, const QString& where)
{
    SCOPED_TRACE(where.toStdString());
    // As the event loop does before the window is drawn: layouts settle,
    // scroll bars show or hide.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(area.contains(frame)) << "frame " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                      << frame.height() << " on " << area.width() << "x" << area.height();
    const bool roomForAll = area.width() >= kRoomForAll.width() && area.height() >= kRoomForAll.height();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow())
            continue;
        if (auto* scrolled = scrolledBy(w, window)) {
            // Reached by scrolling; where the screen has the room, nothing scrolls.
            if (roomForAll && w->parentWidget() == scrolled) {
                EXPECT_FALSE(scrolled->horizontalScrollBar()->isVisibleTo(window)) << scrolled->objectName().toStdString();
                EXPECT_FALSE(scrolled->verticalScrollBar()->isVisibleTo(window)) << scrolled->objectName().toStdString();
            }
            continue;
        }
        const QRect placed(w->mapTo(window, QPoint(0, 0)), w->size());
        EXPECT_TRUE(window->rect().contains(placed)) << w->objectName().toStdString() << " is cut off";
    }
}

}  // namespace

// In every language: the longer texts of some widen the windows.
class ScreenFit : public WizardTest, public ::testing::WithParamInterface<std::int32_t> {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(GetParam(), 1);
        addLayer(u"A rather long layer name", 0.3f);
        addLayer(u"Base", 0.1f);
    }
};

TEST_P(ScreenFit, EveryWindowOpensInsideTheAvailableAreaWithEveryControlWithinReach)
{
    start();
    expectOnTheScreen(windows.Form5.get(), "step 1");
    recorder.answerDialog([&](QDialog& d) {
        expectOnTheScreen(&d, "language dialog");
        d.close();
    });
    clickWizard("BitBtn1");
    next();
    recorder.chooseFile(QString::fromStdString((folder / "reference model.xml").string()));
    clickWizard("Edit1");
    for (int step = 2; step <= 5; ++step) {
        expectOnTheScreen(windows.Form5.get(), "step " + QString::number(step));
        if (step == 4) {
            recorder.answerDialog([&](QDialog& d) {
                expectOnTheScreen(&d, "layer editor");
                d.close();
            });
            clickWizard("BitBtn3");
            recorder.answerDialog([&](QDialog& table) {
                expectOnTheScreen(&table, "layer table");
                recorder.answerDialog([&](QDialog& lifts) {
                    expectOnTheScreen(&lifts, "lifts");
                    lifts.close();
                });
                click(table.findChild<QWidget*>("Button1"));
                table.close();
            });
            clickWizard("BitBtn6");
            auto* tree = wizard<QTreeWidget>("TreeView1");
            recorder.answerDialog([&](QDialog& d) {
                expectOnTheScreen(&d, "comment editor");
                d.close();
            });
            clickMenuItem(rightClick(tree->viewport(), tree->visualItemRect(tree->topLevelItem(0)).center()),
                          windows.Form5->findChild<QAction*>("edit3"));
        }
        next();
    }
}

TEST_P(ScreenFit, AWindowTheUserMadeSmallerKeepsItsSizeAcrossTheSteps)
{
    start();
    // As the window manager does when the user drags the window's corner.
    const QSize smaller = windows.Form5->size() - QSize(200, 100);
    windows.Form5->resize(smaller);
    for (int step = 1; step <= 4; ++step) {
        SCOPED_TRACE(step);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        EXPECT_EQ(windows.Form5->size(), smaller);
        if (step == 2) {
            recorder.chooseFile(QString::fromStdString((folder / "road.xml").string()));
            clickWizard("Edit1");
        }
        next();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, ScreenFit,
                         ::testing::Values(kEnglish, kDutch, kNorwegian, kSwedish, kFrench, kDanish));
