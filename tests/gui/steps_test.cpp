#include "wizardtest.h"

#include "person.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <set>

using namespace kobalin;

namespace {

struct StepState {
    int pagina;
    bool next;
    bool back;
    const char* shown;  // the step's own control, if any
};

}  // namespace

class Steps : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 0);
    }

    void expectStep(const StepState& s)
    {
        SCOPED_TRACE(s.pagina);
        EXPECT_EQ(run.pagina, s.pagina);
        EXPECT_EQ(wizard("Button3")->isEnabled(), s.next);
        EXPECT_EQ(wizard("Button5")->isEnabled(), s.back);
        for (const char* control : {"Edit1", "BitBtn4", "Edit2", "BitBtn2", "BitBtn3", "BitBtn6"}) {
            const bool expected = s.shown && (QString(s.shown).contains(control));
            EXPECT_EQ(!wizard(control)->isHidden(), expected) << control;
        }
    }
};

TEST_F(Steps, NextAndBackWalkTheFiveSteps)
{
    addLayer(u"Top", 0.3f);
    addLayer(u"Base", 0.1f);
    start();
    expectStep({1, true, false, nullptr});
    next();
    expectStep({2, false, true, "Edit1 BitBtn4"});
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), "Choose the reference file");
    wizard("Button3")->setEnabled(true);  // as a chosen reference file does
    next();
    expectStep({3, true, true, "Edit2 BitBtn2"});
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), "Add comment");
    next();
    expectStep({4, true, true, "BitBtn3 BitBtn6"});
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), "Add layer files");
    back();
    expectStep({3, true, true, "Edit2 BitBtn2"});
    back();
    expectStep({2, false, true, "Edit1 BitBtn4"});
    back();
    expectStep({1, true, false, nullptr});
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), en(13));
    EXPECT_EQ(wizard<QPushButton>("Button4")->text(), "Abort");
}

TEST_F(Steps, StepFourNeedsTwoLayers)
{
    addLayer(u"Only", 0.3f);
    start();
    next();
    wizard("Button3")->setEnabled(true);
    next();
    next();
    // One layer: no editor, no way on.
    expectStep({4, false, true, "BitBtn3 BitBtn6"});
    EXPECT_TRUE(recorder.dialogsShown.empty());
}

TEST_F(Steps, AnEmptyTableOpensTheLayerEditorAtStepFour)
{
    start();
    next();
    wizard("Button3")->setEnabled(true);
    next();
    recorder.answerDialog(closeBox());
    next();
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"Layeredit"});
    expectStep({4, false, true, "BitBtn3 BitBtn6"});
    // Every later refresh at step 4 opens it again while the table is empty.
    recorder.answerDialog(closeBox());
    back();
    next();
    EXPECT_EQ(recorder.dialogsShown.size(), 2u);
}

// The refresh leaves the step's own controls shown, but the editor that opens
// on an emptied table must not have New Layer (nor the table) beside it.
TEST_F(Steps, NewLayerIsHiddenWhileTheEditorOpensOnAnEmptiedTable)
{
    addLayer(u"Only", 0.3f);
    start();
    next();
    wizard("Button3")->setEnabled(true);
    next();
    next();
    expectStep({4, false, true, "BitBtn3 BitBtn6"});
    bool newLayerShown = true;
    recorder.answerDialog([&](QDialog& dialog) {
        newLayerShown = !wizard("BitBtn3")->isHidden() || !wizard("BitBtn6")->isHidden();
        closeBox()(dialog);
    });
    // The last layer deleted through the tree's menu.
    auto* tree = wizard<QTreeWidget>("TreeView1");
    const QPoint layer = tree->visualItemRect(tree->topLevelItem(3)).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, layer);
    clickMenuItem(rightClick(tree->viewport(), layer), windows.Form5->findChild<QAction*>("edit4"));
    EXPECT_EQ(run.lagen, 0);
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"Layeredit"});
    EXPECT_FALSE(newLayerShown);
    expectStep({4, false, true, "BitBtn3 BitBtn6"});
}

TEST_F(Steps, AbortClosesTheWindowAtAnyStep)
{
    addLayer(u"A", 0.2f);
    addLayer(u"B", 0.1f);
    start();
    next();
    EXPECT_TRUE(windows.Form5->isVisible());
    clickWizard("Button4");
    EXPECT_FALSE(windows.Form5->isVisible());
}

// Next draws a picture at random, as does a click on the picture column; Back
// keeps the one shown. Over a few hundred draws every picture appears and the
// picture changes most of the time (four times in five when fair).
TEST_F(Steps, NextAndThePictureColumnDrawAnyOfTheFivePictures)
{
    start();
    auto shown = [this] {
        int count = 0, index = -1;
        for (int i = 0; i < 5; ++i) {
            if (!wizard(qPrintable(QString("Image%1").arg(i + 1)))->isHidden()) {
                ++count;
                index = i;
            }
        }
        EXPECT_EQ(count, 1);
        return index;
    };
    EXPECT_EQ(shown(), 0) << "the first picture at start";
    const int draws = 200;
    for (const char* how : {"Panel3", "Button3"}) {
        SCOPED_TRACE(how);
        std::set<int> seen;
        int changes = 0;
        for (int i = 0; i < draws; ++i) {
            const int before = shown();
            if (QString(how) == "Button3") {
                next();
                seen.insert(shown());
                const int atTwo = shown();
                back();
                EXPECT_EQ(shown(), atTwo) << "Back keeps the picture";
            } else {
                clickWizard("Panel3");
                seen.insert(shown());
                EXPECT_EQ(run.pagina, 1) << "the picture column changes no step";
            }
            changes += shown() != before;
        }
        EXPECT_EQ(seen.size(), 5u);
        EXPECT_GT(changes, draws / 2);
    }
}

TEST_F(Steps, EveryRefreshSortsTheTableAndWarnsOfEqualOffsets)
{
    addLayer(u"low", 0.1f);
    addLayer(u"same1", 0.3f);
    addLayer(u"same2", 0.3f);
    start();
    EXPECT_TRUE(recorder.messages.empty()) << "the initialisation runs no refresh";
    next();
    EXPECT_EQ(run.layers[0].Name, u"same1");
    EXPECT_EQ(run.layers[1].Name, u"same2");
    EXPECT_EQ(run.layers[2].Name, u"low");
    EXPECT_EQ(recorder.messages, std::vector{errorBox("There are two or more layers with the same offset!")});
    back();
    EXPECT_EQ(recorder.messages.size(), 2u);
    run.layers[1].Offset = 0.5f;
    next();
    EXPECT_EQ(recorder.messages.size(), 2u) << "no warning once the offsets differ";
    EXPECT_EQ(run.layers[0].Name, u"same2");
}
