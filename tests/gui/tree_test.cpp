#include "wizardtest.h"

#include "person.h"

#include "comments/bewerkcommentaar.h"
#include "layeredit/layeredit.h"
#include "layeredit/templatestore.h"
#include "wizard/layertree.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace kobalin;

class Tree : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 1);
    }

    LayerTree* tree() { return wizard<LayerTree>("TreeView1"); }

    // Every node in a walk of the whole tree, parents before children.
    std::vector<QTreeWidgetItem*> nodes()
    {
        std::vector<QTreeWidgetItem*> all;
        for (QTreeWidgetItemIterator it(tree()); *it; ++it)
            all.push_back(*it);
        return all;
    }

    void goToStep(int step)
    {
        while (run.pagina < step) {
            wizard("Button3")->setEnabled(true);  // as a chosen reference file would
            next();
        }
    }

    // Selects the node the way a user does: a click on it.
    void select(int absolute, Qt::MouseButton button = Qt::LeftButton)
    {
        QTreeWidgetItem* item = nodes().at(absolute);
        if (item->parent())
            item->parent()->setExpanded(true);
        tree()->scrollToItem(item);
        QTest::mouseClick(tree()->viewport(), button, {}, tree()->visualItemRect(item).center());
        ASSERT_EQ(tree()->selectedItems().value(0), item);
    }

    void threeLayers()
    {
        addLayer(u"L0", 0.3f);
        addLayer(u"L1", 0.2f);
        addLayer(u"L2", 0.1f);
    }

    QAction* menu(const char* name) { return windows.Form5->findChild<QAction*>(name); }

    // A command of the tree's menu, opened with a right click on the selected
    // node (below the last one when none is selected).
    void command(const char* name)
    {
        const QList<QTreeWidgetItem*> selected = tree()->selectedItems();
        const QPoint at = selected.isEmpty() ? QPoint(5, tree()->viewport()->height() - 5)
                                             : tree()->visualItemRect(selected.constFirst()).center();
        clickMenuItem(rightClick(tree()->viewport(), at), menu(name));
    }
};

TEST_F(Tree, ShowsTheCommentLinesAndEveryLayerWithItsValues)
{
    addLayer(u"Top", 0.3f);
    run.layers[0] = TLayerRecord{u"Top", 0.3f, 4, 1, 3.5f, 1, 80};
    addLayer(u"", 1.5f);
    run.layers[1] = TLayerRecord{u"", 1.5f, 0, 0, 12.0f, 2, 0};
    start();
    goToStep(2);
    EXPECT_EQ(tree()->topLevelItemCount(), 0) << "no tree before the comment step";
    goToStep(3);

    struct Node {
        QString text;
        int image;
        int depth;
    };
    const Node expected[] = {
        {"<Empty>", 0, 0},   {"<Empty>", 0, 0}, {"<Empty>", 0, 0}, {"", 1, 0},  // sorted: the larger offset first
        {"1.50 m", 2, 1},    {"0", 3, 1},       {"0", 4, 1},       {"12.00 km/h", 5, 1}, {"2 km/h", 6, 1},
        {"0 CMV", 7, 1},     {"Top", 1, 0},     {"0.30 m", 2, 1},  {"4", 3, 1},          {"1", 4, 1},
        {"3.50 km/h", 5, 1}, {"1 km/h", 6, 1},  {"80 CMV", 7, 1},
    };
    const auto all = nodes();
    ASSERT_EQ(all.size(), std::size(expected));
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(all[i]->text(0), expected[i].text);
        EXPECT_EQ(all[i]->data(0, Qt::UserRole).toInt(), expected[i].image);
        EXPECT_FALSE(all[i]->icon(0).isNull());
        EXPECT_EQ(all[i]->parent() != nullptr, expected[i].depth == 1);
        EXPECT_FALSE(all[i]->isExpanded());
        EXPECT_EQ(tree()->absoluteIndex(all[i]), static_cast<int>(i));
    }
    EXPECT_TRUE(tree()->selectedItems().isEmpty());
    EXPECT_EQ(tree()->toolTip(), "Select and right click for more options");
}

// Which layer a node stands for, and what deleting it does, is the core's
// (nodeSource, deleteNode): here a value node of the first layer.
TEST_F(Tree, DeletingALayerClosesTheGap)
{
    threeLayers();
    start();
    goToStep(3);
    select(9);
    command("edit4");
    ASSERT_EQ(run.lagen, 2);
    EXPECT_EQ(run.layers[0].Name, u"L1");
    EXPECT_EQ(run.layers[1].Name, u"L2");
    EXPECT_EQ(nodes().size(), 17u);  // three comment lines, two layers of seven
    EXPECT_EQ(nodes()[3]->text(0), "L1") << "the next layer moves up to index 3";
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(Tree, EditingALayerThroughTheTree)
{
    threeLayers();
    start();
    goToStep(3);
    select(16);  // the CMV of L1
    QString name, offset;
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        name = d.ComboBox1->currentText();
        offset = d.Edit2->text();
        QTest::mouseClick(d.Button2, Qt::LeftButton);
    });
    command("edit3");
    EXPECT_EQ(name, "L1");
    EXPECT_EQ(offset, "   0.20");
    EXPECT_TRUE(tree()->selectedItems().isEmpty()) << "Abort still refreshes";

    // A new offset moves the layer to its place.
    select(17);
    recorder.answerDialog([](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        QTest::keyClick(d.Edit2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.Edit2, "0.50");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    command("edit3");
    EXPECT_EQ(run.lagen, 3);
    EXPECT_EQ(run.layers[0].Name, u"L2");
    EXPECT_EQ(run.layers[0].Offset, 0.5f);
    EXPECT_EQ(nodes()[3]->text(0), "L2");
    EXPECT_EQ(nodes()[4]->text(0), "0.50 m");

    // The next add starts with a new name again.
    recorder.answerDialog([](QDialog& dialog) {
        EXPECT_EQ(static_cast<TLayeredit&>(dialog).ComboBox1->currentText(), "New Layer");
        dialog.close();
    });
    goToStep(4);
    clickWizard("BitBtn3");
}

TEST_F(Tree, DeletingTheLastLayerAtStepFourOpensTheEditor)
{
    addLayer(u"Only", 0.3f);
    start();
    goToStep(4);
    select(3);
    recorder.answerDialog(closeBox());
    command("edit4");
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"Layeredit"});
    EXPECT_EQ(run.lagen, 0);
    EXPECT_FALSE(wizard("Button3")->isEnabled());
}

TEST_F(Tree, NothingSelectedIsReportedAndChangesNothing)
{
    threeLayers();
    start();
    goToStep(3);
    for (const char* item : {"edit3", "edit4"}) {
        recorder.messages.clear();
        command(item);
        EXPECT_EQ(recorder.messages,
                  std::vector{errorBox("Error selecting. Select first and then choose right mouse button")})
            << item;
    }
    // Nothing to add as a template: the item is not offered.
    recorder.messages.clear();
    command("emplate1");
    EXPECT_FALSE(menu("emplate1")->isEnabled());
    EXPECT_TRUE(recorder.messages.empty());
    windows.Form5->findChild<QMenu*>("Boompopup")->close();
    EXPECT_EQ(run.lagen, 3);
    EXPECT_TRUE(recorder.dialogsShown.empty());
}

TEST_F(Tree, TheTemplateItemIsForLayersOnly)
{
    threeLayers();
    start();
    goToStep(3);
    EXPECT_FALSE(menu("emplate1")->isEnabled());
    select(1);
    EXPECT_FALSE(menu("emplate1")->isEnabled());
    select(12);
    EXPECT_TRUE(menu("emplate1")->isEnabled());
    select(0);
    EXPECT_FALSE(menu("emplate1")->isEnabled());
    select(3);
    EXPECT_TRUE(menu("emplate1")->isEnabled());
    // A double click opens nothing; it only sets the item.
    select(2);
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, tree()->visualItemRect(nodes()[2]).center());
    EXPECT_FALSE(menu("emplate1")->isEnabled());
    EXPECT_TRUE(recorder.dialogsShown.empty());
    EXPECT_TRUE(menu("edit3")->isEnabled());
    EXPECT_TRUE(menu("edit4")->isEnabled());
}

TEST_F(Tree, ARightClickSelectsAndOpensTheMenu)
{
    threeLayers();
    start();
    goToStep(3);
    select(17, Qt::RightButton);
    rightClick(tree()->viewport(), tree()->visualItemRect(nodes()[17]).center());
    auto* popup = windows.Form5->findChild<QMenu*>("Boompopup");
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(menu("emplate1")->isEnabled());
    popup->close();
}

// From the keyboard: the menu opens at the selected node, or at the tree's
// corner when none is selected, as a right click would open it there.
TEST_F(Tree, TheMenuKeyAndShiftF10OpenTheMenuAtTheSelectedNode)
{
    threeLayers();
    start();
    goToStep(3);
    QApplication::setActiveWindow(windows.Form5.get());
    tree()->setFocus();
    auto* popup = windows.Form5->findChild<QMenu*>("Boompopup");
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool opens;
    };
    const Case cases[] = {
        {Qt::Key_Menu, Qt::NoModifier, true},
        {Qt::Key_F10, Qt::ShiftModifier, true},
        {Qt::Key_F10, Qt::NoModifier, false},
        {Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier, false},
    };
    for (const int node : {-1, 10}) {
        if (node >= 0)
            select(node);
        const QPoint at = tree()->viewport()->mapToGlobal(node < 0 ? QPoint(0, 0)
                                                                   : tree()->visualItemRect(nodes()[node]).center());
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << node << " " << c.key << " " << c.modifiers);
            QTest::keyClick(tree(), c.key, c.modifiers);
            EXPECT_EQ(popup->isVisible(), c.opens);
            if (!popup->isVisible())
                continue;
            EXPECT_EQ(menu("emplate1")->isEnabled(), node >= 0);
            EXPECT_EQ(popup->y(), at.y());
            EXPECT_LE(std::abs(popup->geometry().center().x() - at.x()), 1);
            popup->close();
        }
    }
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(Tree, TheTemplateCommandStoresTheLayerWithoutARefresh)
{
    addLayer(u"Sand", 0.3f);
    run.layers[run.lagen++] = TLayerRecord{u"Clay", -0.1f, 4, 1, 2.6f, 1, 80};
    start();
    goToStep(3);
    select(16);  // the CMV of Clay
    command("emplate1");
    EXPECT_EQ(recorder.messages, std::vector{infoBox("Layer added to template file: Clay")});
    EXPECT_EQ(templateNames(), std::vector<std::u16string>{u"Clay"});
    EXPECT_EQ(readTemplate(0).offset, static_cast<double>(-0.1f));
    EXPECT_EQ(readTemplate(0).passCountMaxExtra, 1);
    EXPECT_FALSE(tree()->selectedItems().isEmpty()) << "no refresh follows";

    for (int i = 1; i < kMaxTemplates; ++i)
        addTemplate({u"T", 0, 0, 0, 0, 0, 0});
    recorder.messages.clear();
    command("emplate1");
    EXPECT_EQ(recorder.messages, std::vector{errorBox(en(44))});
    EXPECT_EQ(templateCount(), kMaxTemplates);
    select(2);
    recorder.messages.clear();
    command("emplate1");
    EXPECT_TRUE(recorder.messages.empty()) << "a comment line is no layer";
}

TEST_F(Tree, CommentLinesAreEditedAndReset)
{
    start();
    goToStep(3);
    for (const char* line : {"one", "two", "three"}) {
        clickWizard("Edit2");
        QTest::keyClicks(wizard("Edit2"), line);
        clickWizard("BitBtn2");
    }
    EXPECT_FALSE(wizard("BitBtn2")->isEnabled());

    select(1);
    command("edit4");
    EXPECT_EQ(run.commentaar2, u"<Empty>");
    EXPECT_EQ(nodes()[1]->text(0), "<Empty>");
    EXPECT_FALSE(wizard("BitBtn2")->isEnabled()) << "the count is not lowered";

    // The comment editor: filled by the wizard, kept however it is closed.
    select(2);
    recorder.answerDialog([](QDialog& dialog) {
        auto& d = static_cast<TBewerkcommentaar&>(dialog);
        EXPECT_EQ(d.Edit1->text(), "three");
        EXPECT_EQ(d.windowTitle(), "Edit comment lines");
        EXPECT_EQ(d.Label1->text(), "Edit the comment line and choose OK to save");
        EXPECT_EQ(d.Button1->text(), "OK");
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible()) << "Escape does not close it";
        QTest::keyClicks(d.Edit1, " and a much longer text; than 25 characters");
        d.close();
    });
    command("edit3");
    EXPECT_EQ(run.commentaar3, u"three and a much longer text than 25 characters");
    EXPECT_EQ(nodes()[2]->text(0), "three and a much longer text than 25 characters");

    select(1);
    recorder.answerDialog([](QDialog& dialog) {
        auto& d = static_cast<TBewerkcommentaar&>(dialog);
        EXPECT_EQ(d.Edit1->text(), "<Empty>");
        d.Edit1->clear();
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    command("edit3");
    EXPECT_EQ(run.commentaar2, u"");
}

TEST_F(Tree, TheCommentEditorSpeaksTheWizardsLanguage)
{
    seed(kDutch, 0);
    start();
    goToStep(3);
    select(0);
    recorder.answerDialog([](QDialog& dialog) {
        auto& d = static_cast<TBewerkcommentaar&>(dialog);
        EXPECT_EQ(d.windowTitle(), "Bewerk commentaar regels");
        EXPECT_EQ(d.Label1->text(), "Bewerk de commentaar regel en kies OK om op te slaan");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    command("edit3");
}

TEST_F(Tree, ThePlusButtonFillsTheThreeLinesInTurn)
{
    start();
    goToStep(3);
    auto* field = wizard<QLineEdit>("Edit2");
    EXPECT_EQ(field->text(), "<Empty>");

    clickWizard("BitBtn2");  // before any click in the field
    EXPECT_EQ(run.commentaar1, u"<Empty>");
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(run.commentaar, 1);

    QTest::keyClicks(field, "12345678901234567890123456789");
    EXPECT_EQ(field->text(), "1234567890123456789012345") << "at most 25 characters";
    clickWizard("Edit2");
    EXPECT_EQ(field->text(), "") << "a click wipes the field";
    QTest::keyClicks(field, "a;b");
    EXPECT_EQ(field->text(), "ab");
    clickWizard("BitBtn2");
    EXPECT_EQ(run.commentaar2, u"ab");
    EXPECT_EQ(nodes()[1]->text(0), "ab");
    EXPECT_TRUE(wizard("BitBtn2")->isEnabled());

    clickWizard("Edit2");
    clickWizard("BitBtn2");  // an empty line is a line
    EXPECT_EQ(run.commentaar3, u"");
    EXPECT_FALSE(wizard("BitBtn2")->isEnabled());

    back();
    EXPECT_TRUE(wizard("BitBtn2")->isHidden());
    goToStep(3);
    EXPECT_FALSE(wizard("BitBtn2")->isHidden());
    EXPECT_FALSE(wizard("BitBtn2")->isEnabled()) << "disabled for the rest of the run";
    EXPECT_EQ(run.commentaar, 3);
}

// The editor opened from the tree shows the layer's own seven values, none
// left over from the editor's previous opening.
TEST_F(Tree, EditingALayerFillsEveryFieldFromThatLayer)
{
    run.layers[run.lagen++] = TLayerRecord{u"Edited", -1.25f, 7, 3, 5.5f, 4, 88};
    addLayer(u"Other", -2.0f);
    start();
    goToStep(3);
    // The previous opening leaves other values in every field.
    auto& editor = *windows.Layeredit;
    editor.ComboBox1->setEditText("Previous");
    editor.Edit2->setText("0.10");
    editor.CSpinEdit1->setValue(1);
    editor.CSpinEdit2->setValue(0);
    editor.Edit1->setText("2.5");
    editor.CSpinEdit3->setValue(1);
    editor.CSpinEdit4->setValue(50);
    select(3);
    QStringList shown;
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        shown << d.ComboBox1->currentText() << d.Edit2->text() << QString::number(d.CSpinEdit1->value())
              << QString::number(d.CSpinEdit2->value()) << d.Edit1->text() << QString::number(d.CSpinEdit3->value())
              << QString::number(d.CSpinEdit4->value());
        QTest::mouseClick(d.Button2, Qt::LeftButton);
    });
    command("edit3");
    EXPECT_EQ(shown, (QStringList{"Edited", "  -1.25", "7", "3", "   5.50", "4", "88"}));
}

// At the last step an edit or a delete made through the tree writes the
// layer file again at once.
TEST_F(Tree, EditAndDeleteAtTheLastStepRewriteTheLayerFile)
{
    threeLayers();
    start();
    next();
    recorder.chooseFile(QString::fromStdString((folder / "road.xml").string()));
    clickWizard("Edit1");
    goToStep(5);
    const auto file = folder / "road.xml_layer.csv";
    const std::string header = "# Leica layer file format version 1.0;;;;;;\r\n"
                               "# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n"
                               "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;"
                               "Compaction_Target\r\n";
    EXPECT_EQ(slurp(file), header + "L0;0.30;0;0;0.00;0;0\r\nL1;0.20;0;0;0.00;0;0\r\nL2;0.10;0;0;0.00;0;0\r\n");

    select(10);
    recorder.answerDialog([](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        retype(d.ComboBox1->lineEdit(), "Renamed");
        retype(d.CSpinEdit4, "77");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    command("edit3");
    EXPECT_EQ(slurp(file), header + "L0;0.30;0;0;0.00;0;0\r\nRenamed;0.20;0;0;0.00;0;77\r\nL2;0.10;0;0;0.00;0;0\r\n");

    select(3);
    command("edit4");
    EXPECT_EQ(slurp(file), header + "Renamed;0.20;0;0;0.00;0;77\r\nL2;0.10;0;0;0.00;0;0\r\n");
    const QString written = "The layer file has been created: " + QString::fromStdString(file.string());
    EXPECT_EQ(recorder.messages, (std::vector{infoBox(written), infoBox(written), infoBox(written)}));
}
