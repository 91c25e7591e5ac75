// The program without a mouse: tab orders, keys that act, and the names a
// screen reader announces.
#include "wizardtest.h"

#include "person.h"

#include "comments/bewerkcommentaar.h"
#include "layeredit/layeredit.h"
#include "layeredit/spinbutton.h"
#include "wizard/layertree.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

using namespace kobalin;

namespace {

// The widgets that Tab visits from first on, in order, as names.
QStringList tabOrder(QWidget& window, QWidget* first, int steps)
{
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    first->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < steps; ++i) {
        QWidget* focus = QApplication::focusWidget();
        // A combo box or spin box has its line edit take the focus for it.
        while (focus && focus->objectName().isEmpty() && focus->parentWidget())
            focus = focus->parentWidget();
        visited << (focus ? focus->objectName() : QString("(none)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return visited;
}

}  // namespace

class Keyboard : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 1);
        start();
    }

    // To step 3, a model chosen on the way.
    void toComments()
    {
        next();
        recorder.chooseFile(QString::fromStdString((folder / "road.xml").string()));
        clickWizard("Edit1");
        next();
    }

    // Opens the layer editor where a person first meets it: at step 4, which
    // opens it on the empty table.
    void openEditor(std::function<void(TLayeredit&)> script)
    {
        recorder.answerDialog([script](QDialog& d) { script(static_cast<TLayeredit&>(d)); });
        if (run.pagina < 3)
            toComments();
        next();
        ASSERT_TRUE(recorder.dialogs.empty()) << "the layer editor did not open";
    }

    // Opens the comment editor with the tree's Edit command on the first line.
    void openCommentEditor(Recorder::DialogScript script)
    {
        auto* tree = wizard<QTreeWidget>("TreeView1");
        const QPoint line = tree->visualItemRect(tree->topLevelItem(0)).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, line);
        recorder.answerDialog(std::move(script));
        clickMenuItem(rightClick(tree->viewport(), line), windows.Form5->findChild<QAction*>("edit3"));
        ASSERT_TRUE(recorder.dialogs.empty()) << "the comment editor did not open";
    }
};

TEST_F(Keyboard, TheDialogsTabOrders)
{
    recorder.answerDialog([](QDialog& d) {
        auto* english = d.findChildren<QRadioButton*>().value(0);
        const QStringList order = tabOrder(d, english, 4);
        EXPECT_EQ(order.mid(1), QStringList({"Button1", "Button2", order[0]}));
        EXPECT_EQ(english->parentWidget()->objectName(), "RadioGroup1");
        d.close();
    });
    clickWizard("BitBtn1");

    toComments();
    openCommentEditor([](QDialog& d) {
        auto& comments = static_cast<TBewerkcommentaar&>(d);
        EXPECT_EQ(tabOrder(d, comments.Button1, 3), QStringList({"Button1", "Edit1", "Button1"}));
        d.close();
    });

    openEditor([](TLayeredit& d) {
        EXPECT_EQ(tabOrder(d, d.ComboBox1, 9), QStringList({"ComboBox1", "CSpinEdit1", "CSpinEdit2", "Edit1", "CSpinEdit3",
                                                            "CSpinEdit4", "Button1", "Button2", "ComboBox1"}));
        d.close();
    });
}

TEST_F(Keyboard, TheOffsetIsReachedWithAltOAndTheArrowKeysStep)
{
    openEditor([](TLayeredit& d) {
        d.activateWindow();
        QApplication::setActiveWindow(&d);
        d.ComboBox1->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), d.Edit2);
        retype(d.Edit2, "-0.10");
        QTest::keyClick(d.Edit2, Qt::Key_Up);
        EXPECT_EQ(d.Edit2->text(), "   0.00");
        QTest::keyClick(d.Edit2, Qt::Key_Down, Qt::ControlModifier);
        EXPECT_EQ(d.Edit2->text(), "  -0.01");
        retype(d.Edit1, "2.5");
        QTest::keyClick(d.Edit1, Qt::Key_Up);
        EXPECT_EQ(d.Edit1->text(), "   2.60");
        d.close();
    });
}

TEST_F(Keyboard, EnterInTheFileFieldOpensTheFileDialog)
{
    next();
    recorder.chooseFile(QString::fromStdString((folder / "road.xml").string()));
    QTest::keyClick(wizard("Edit1"), Qt::Key_Return);
    EXPECT_EQ(recorder.fileRequests.size(), 1u);
    EXPECT_TRUE(wizard("Button3")->isEnabled());
}

TEST_F(Keyboard, TheMenuKeyOpensTheTreeMenu)
{
    addLayer(u"Top", 0.3f);
    wizard("Button3")->setEnabled(true);
    next();
    wizard("Button3")->setEnabled(true);
    next();
    auto* tree = wizard<kobalin::LayerTree>("TreeView1");
    windows.Form5->activateWindow();
    QApplication::setActiveWindow(windows.Form5.get());
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QTest::keyClick(tree, Qt::Key_End);  // to the layer
    EXPECT_EQ(tree->absoluteIndex(tree->selectedItems().value(0)), 3);
    QTest::keyClick(tree, Qt::Key_Menu);
    auto* menu = windows.Form5->findChild<QMenu*>("Boompopup");
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(windows.Form5->findChild<QAction*>("emplate1")->isEnabled());
    menu->close();
}

TEST_F(Keyboard, ScreenReadersHearTheCataloguesNames)
{
    EXPECT_EQ(wizard("Edit1")->accessibleName(), "Choose the reference file");
    EXPECT_EQ(wizard("Edit2")->accessibleName(), "Add comment");
    EXPECT_EQ(wizard("BitBtn2")->accessibleName(), "Add comment");
    EXPECT_EQ(wizard("BitBtn1")->accessibleName(), "Language");
    EXPECT_EQ(wizard<QPushButton>("BitBtn3")->text(), "New Layer");

    // The layer editor's, in a run in Dutch.
    seed(kDutch, 1);
    restart();
    start();
    openEditor([](TLayeredit& d) {
        EXPECT_EQ(d.ComboBox1->accessibleName(), "Laag Naam");
        EXPECT_EQ(d.Edit2->accessibleName(), "Offset (m)");
        EXPECT_EQ(d.CSpinEdit4->accessibleName(), "CMV Doel");
        EXPECT_EQ(d.SpinButton3->down->accessibleName(), "Offset (m) -0.01");
        EXPECT_EQ(d.SpinButton1->up->accessibleName(), "Doelsnelheid km/h +0.1");
        d.close();
    });
}

// What is typed after a comment line was added goes into the comment field,
// not onto the green + (where a space would add an empty line) or, once that
// is disabled, the link box (where it would change the layer file's name).
TEST_F(Keyboard, TypingAfterThePlusStaysInTheCommentField)
{
    toComments();
    auto* field = wizard<QLineEdit>("Edit2");
    auto* linked = wizard<QCheckBox>("CheckBox1");
    const bool wasLinked = linked->isChecked();
    windows.Form5->activateWindow();
    QApplication::setActiveWindow(windows.Form5.get());
    // A keyboard user reaches the field with Tab, which leaves its text as it is.
    for (int i = 0; i < 20 && QApplication::focusWidget() != field; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), field);

    // Typing and keys go wherever the focus is, as a person's do.
    auto type = [](const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); };
    auto enter = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
    struct Step {
        const char* what;
        std::function<void()> act;
        std::array<std::u16string, 3> lines;
        int count;
        QString inField;
    };
    const std::u16string e(kEmptyComment);
    const Step steps[] = {
        {"Enter before any click", enter, {e, e, e}, 1, ""},
        {"typing", [&] { type("Road A12"); }, {e, e, e}, 1, "Road A12"},
        {"the green +", [&] { clickWizard("BitBtn2"); }, {e, u"Road A12", e}, 2, ""},
        {"typing after it", [&] { type("Base course"); }, {e, u"Road A12", e}, 2, "Base course"},
        {"Enter, the third line", enter, {e, u"Road A12", u"Base course"}, 3, ""},
        {"typing with + disabled", [&] { type("x y"); }, {e, u"Road A12", u"Base course"}, 3, "x y"},
        {"Enter after the third line", enter, {e, u"Road A12", u"Base course"}, 3, "x y"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->text(), step.inField);
        EXPECT_EQ(run.commentaar1, step.lines[0]);
        EXPECT_EQ(run.commentaar2, step.lines[1]);
        EXPECT_EQ(run.commentaar3, step.lines[2]);
        EXPECT_EQ(run.commentaar, step.count);
        EXPECT_EQ(linked->isChecked(), wasLinked);
    }
    EXPECT_FALSE(wizard("BitBtn2")->isEnabled());
}
