#include "wizardtest.h"

#include <QLabel>
#include <QPushButton>

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
        for (const char* control : {"Edit1", "BitBtn4", "Edit2", "BitBtn2", "BitBtn3"}) {
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
    expectStep({4, true, true, "BitBtn3"});
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
    expectStep({4, false, true, "BitBtn3"});
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
    expectStep({4, false, true, "BitBtn3"});
    // Every later refresh at step 4 opens it again while the table is empty.
    recorder.answerDialog(closeBox());
    back();
    next();
    EXPECT_EQ(recorder.dialogsShown.size(), 2u);
}

// The refresh leaves the step's own controls shown, but the editor that opens
// on an emptied table must not have New Layer beside it.
TEST_F(Steps, NewLayerIsHiddenWhileTheEditorOpensOnAnEmptiedTable)
{
    addLayer(u"Only", 0.3f);
    start();
    next();
    wizard("Button3")->setEnabled(true);
    next();
    next();
    expectStep({4, false, true, "BitBtn3"});
    bool newLayerShown = true;
    recorder.answerDialog([&](QDialog& dialog) {
        newLayerShown = !wizard("BitBtn3")->isHidden();
        closeBox()(dialog);
    });
    run.lagen = 0;  // as deleting the last layer leaves it
    windows.Form5->actieClick();
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"Layeredit"});
    EXPECT_FALSE(newLayerShown);
    expectStep({4, false, true, "BitBtn3"});
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

TEST_F(Steps, ThePicturePanelShowsOnePictureAndBackKeepsIt)
{
    start();
    auto shown = [this] {
        int count = 0;
        QString name;
        for (const char* image : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
            if (!wizard(image)->isHidden()) {
                ++count;
                name = image;
            }
        }
        EXPECT_EQ(count, 1);
        return name;
    };
    for (int i = 0; i < 20; ++i) {
        clickWizard("Panel3");
        shown();
    }
    EXPECT_EQ(run.pagina, 1);
    next();
    const QString atTwo = shown();
    back();
    EXPECT_EQ(shown(), atTwo);
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
