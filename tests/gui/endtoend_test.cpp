// The whole program as a user meets it: a first start, then a second run that
// goes through every step by clicks and typing only, and the layer file it writes.
#include "wizardtest.h"

#include "person.h"

#include "layeredit/layeredit.h"
#include "layeredit/spinbutton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QToolButton>
#include <QTreeWidgetItemIterator>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace kobalin;

namespace {


void typeLayer(TLayeredit& d, const QString& name, const QString& offset, int passes, int extra, const QString& speed,
               int speedDiff, int cmv)
{
    retype(d.ComboBox1->lineEdit(), name);
    retype(d.Edit2, offset);
    retype(d.CSpinEdit1, QString::number(passes));
    retype(d.CSpinEdit2, QString::number(extra));
    retype(d.Edit1, speed);
    retype(d.CSpinEdit3, QString::number(speedDiff));
    retype(d.CSpinEdit4, QString::number(cmv));
}

struct Language {
    const char* item;  // in the language dialog
    std::int32_t base;
    std::array<const char*, 3> comments;  // UTF-8, as typed
    std::array<const char*, 3> written;   // as they stand in the Windows-1252 file
};

}  // namespace

class EndToEnd : public WizardTest, public ::testing::WithParamInterface<Language> {
protected:
    void SetUp() override { WizardTest::SetUp(); }
    void TearDown() override { WizardTest::TearDown(); }

    QTreeWidgetItem* node(int absolute)
    {
        auto* tree = wizard<QTreeWidget>("TreeView1");
        QTreeWidgetItemIterator it(tree);
        for (int i = 0; i < absolute && *it; ++i)
            ++it;
        return *it;
    }

    void select(int absolute)
    {
        auto* tree = wizard<QTreeWidget>("TreeView1");
        QTreeWidgetItem* item = node(absolute);
        if (item->parent())
            item->parent()->setExpanded(true);
        tree->scrollToItem(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }

    // A command of the tree's menu, opened with a right click on the selected node.
    void menu(const char* item)
    {
        auto* tree = wizard<QTreeWidget>("TreeView1");
        const QPoint at = tree->visualItemRect(tree->selectedItems().value(0)).center();
        clickMenuItem(rightClick(tree->viewport(), at), windows.Form5->findChild<QAction*>(item));
    }
};

TEST_P(EndToEnd, FromAnEmptyStoreToTheLayerFile)
{
    const Language& language = GetParam();
    auto text = [&](int k) { return catalogue(language.base, k); };

    // First start: no settings, the language dialog, the run in English.
    recorder.answerDialog([&](QDialog& d) {
        for (auto* item : d.findChildren<QRadioButton*>())
            if (item->text() == language.item)
                QTest::mouseClick(item, Qt::LeftButton);
        QTest::mouseClick(d.findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    start();
    EXPECT_EQ(recorder.messages, std::vector{infoBox(text(12))});
    EXPECT_EQ(wizard<QPushButton>("Button3")->text(), ">> Continue");
    clickWizard("Button4");

    // Second start, in the chosen language.
    restart();
    start();
    EXPECT_TRUE(recorder.dialogsShown.empty());
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), text(13));

    next();
    const QString model = QString::fromStdString((folder / "Road A.xml").string());
    recorder.chooseFile(model);
    clickWizard("Edit1");
    clickCheckBox(wizard("CheckBox1"));
    EXPECT_EQ(wizard<QLabel>("Label9")->text(), "Road A.xml_layer.csv");

    next();
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), text(21));
    for (const char* comment : language.comments) {
        clickWizard("Edit2");
        typeText(wizard("Edit2"), QString::fromUtf8(comment));
        clickWizard("BitBtn2");
    }

    // The first layer, also kept as a template; the editor opens by itself.
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        EXPECT_EQ(d.Button1->text(), text(29));
        typeLayer(d, "Base", "0.10", 6, 2, "3", 1, 60);
        clickMenuItem(rightClick(d.ComboBox1->lineEdit()), d.pevoegen1);
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    next();
    EXPECT_FALSE(wizard("Button3")->isEnabled());

    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        EXPECT_EQ(d.ComboBox1->currentText(), text(37));
        typeLayer(d, "Top", "0.25", 4, 1, "3.5", 1, 80);
        QTest::mouseClick(d.SpinButton3->up, Qt::LeftButton);
        QTest::mouseClick(d.SpinButton3->up, Qt::LeftButton);
        QTest::mouseClick(d.SpinButton3->up, Qt::LeftButton);
        QTest::mouseClick(d.SpinButton3->up, Qt::LeftButton);
        QTest::mouseClick(d.SpinButton3->up, Qt::LeftButton);
        EXPECT_EQ(d.Edit2->text(), "   0.30");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    clickWizard("BitBtn3");
    EXPECT_TRUE(wizard("Button3")->isEnabled());

    // The third from the template: the same offset as the first.
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        ASSERT_EQ(d.ComboBox1->count(), 1);
        chooseInList(d.ComboBox1, 0);
        EXPECT_EQ(d.Edit2->text(), "   0.10");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    clickWizard("BitBtn3");
    EXPECT_EQ(run.lagen, 3);

    // Edit the copy through the tree: a name and a lower offset.
    EXPECT_EQ(node(17)->text(0), "Base");
    select(17);
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        retype(d.ComboBox1->lineEdit(), "Sub");
        QTest::mouseClick(d.SpinButton2->down, Qt::LeftButton);
        QTest::mouseClick(d.SpinButton3->up, Qt::LeftButton);
        EXPECT_EQ(d.Edit2->text(), "   0.01");
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    });
    menu("edit3");

    // Delete the top layer through the tree.
    select(5);
    menu("edit4");
    EXPECT_EQ(run.lagen, 2);
    EXPECT_EQ(node(3)->text(0), "Base");

    next();
    const QString written = QString::fromStdString((folder / "Road A.xml_layer.csv").string());
    EXPECT_EQ(recorder.messages, (std::vector{infoBox(text(45) + "Base"), errorBox(text(52)), infoBox(text(42) + written)}));
    EXPECT_EQ(wizard<QPushButton>("Button4")->text(), text(40));

    std::ifstream in(folder / "Road A.xml_layer.csv", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(file, std::string("# Leica layer file format version 1.0;;;;;;\r\n") + "# " + language.written[0] + ";;;;;;\r\n" +
                        "# " + language.written[1] + ";;;;;;\r\n" + "# " + language.written[2] + ";;;;;;\r\n" +
                        "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n"
                        "Base;0.10;6;2;3.00;1;60\r\n"
                        "Sub;0.01;6;2;3.00;1;60\r\n");
    clickWizard("Button4");
    EXPECT_FALSE(windows.Form5->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    EveryLanguage, EndToEnd,
    ::testing::Values(Language{"English", 1000, {"Road A12", "North lane", "Price 5 \xE2\x82\xAC"}, {"Road A12", "North lane", "Price 5 \x80"}},
                      Language{"Nederlands", 2000, {"Weg A12", "Caf\xC3\xA9 zijde", "Fase 2"}, {"Weg A12", "Caf\xE9 zijde", "Fase 2"}},
                      Language{"Norsk", 3000, {"Vei E6", "P\xC3\xA5 \xC3\xB8ya", "Lag 2"}, {"Vei E6", "P\xE5 \xF8ya", "Lag 2"}}),
    [](const auto& info) { return std::string(info.param.item); });
