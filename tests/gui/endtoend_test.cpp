// The whole program as a user meets it, in each language: a first start, then a
// second run that goes through every step and dialog by clicks and typing
// only, and the layer file it writes. On the way, every step and dialog shows
// its own texts in the run's language, whole (fits.h), and Back shows each
// step's texts again. The layouts are checked once more at twice the pixel
// density (gui_scaled).
#include "wizardtest.h"

#include "fits.h"
#include "person.h"

#include "layeredit/layeredit.h"
#include "layeredit/spinbutton.h"
#include "wizard/generatelifts.h"
#include "wizard/layergrid.h"
#include "wizard/layertable.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <filesystem>

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

void PrintTo(const Language& language, std::ostream* out) { *out << language.item; }

// Each step's title, explanation and the caption of Abort.
struct StepTexts {
    int title, explanation, abortCaption;
};
constexpr StepTexts kSteps[] = {{13, 14, 1}, {16, 17, 1}, {21, 22, 1}, {19, 20, 1}, {38, 39, 40}};

}  // namespace

class EndToEnd : public WizardTest, public ::testing::WithParamInterface<Language> {
protected:
    QString text(int k) const { return catalogue(GetParam().base, k); }

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

    // The step's own texts, the captions every step shows, all of them whole.
    void expectStep(int step, int abortCaption)
    {
        SCOPED_TRACE(step);
        ASSERT_EQ(run.pagina, step);
        const StepTexts& s = kSteps[step - 1];
        EXPECT_EQ(wizard<QLabel>("Label1")->text(), text(s.title));
        EXPECT_EQ(wizard<QLabel>("Label2")->text(), text(s.explanation));
        EXPECT_EQ(wizard<QPushButton>("Button4")->text(), text(abortCaption));
        const std::pair<const char*, int> captions[] = {{"Label3", 15},  {"Button3", 2},   {"Button5", 3},
                                                        {"BitBtn3", 37}, {"BitBtn6", 111}, {"CheckBox1", 51}};
        for (const auto& [name, k] : captions)
            EXPECT_EQ(wizard(name)->property("text").toString(), text(k)) << name;
        EXPECT_EQ(wizard("TreeView1")->toolTip(), text(49));
        const std::pair<const char*, int> items[] = {{"edit3", 23}, {"edit4", 24}, {"emplate1", 25}};
        for (const auto& [item, k] : items)
            EXPECT_EQ(windows.Form5->findChild<QAction*>(item)->text(), text(k)) << item;
        expectFits(windows.Form5.get(), QString("step %1").arg(step));
    }
    void expectStep(int step) { expectStep(step, kSteps[step - 1].abortCaption); }
};

TEST_P(EndToEnd, FromAnEmptyStoreToTheLayerFile)
{
    const Language& language = GetParam();

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
    expectStep(1);
    EXPECT_EQ(wizard<QLineEdit>("Edit1")->text(), text(18));
    // Texts that are the same in every language.
    EXPECT_EQ(windows.Form5->windowTitle(), "Kobalin");
    const std::pair<const char*, const char*> fixed[] = {
        {"Label7", "1.0.3"}, {"Label4", "Folder:"}, {"Label22", "Reference file"}, {"Label5", "Layer file:"}};
    for (const auto& [label, shown] : fixed)
        EXPECT_EQ(wizard<QLabel>(label)->text(), shown) << label;

    // The gear's language dialog, looked at and closed.
    recorder.answerDialog([&](QDialog& d) {
        expectFits(&d, "language dialog");
        d.close();
    });
    clickWizard("BitBtn1");

    next();
    expectStep(2);
    const std::filesystem::path jobs = folder / "a folder with a long name";
    std::filesystem::create_directories(jobs);
    recorder.chooseFile(QString::fromStdString((jobs / "Road A.xml").string()));
    clickWizard("Edit1");
    EXPECT_EQ(wizard<QLabel>("Label9")->text(), "_layer.csv") << "the first start stored no link";
    expectFits(windows.Form5.get(), "step 2, a model chosen");

    next();
    for (const char* comment : language.comments) {
        clickWizard("Edit2");
        typeText(wizard("Edit2"), QString::fromUtf8(comment));
        clickWizard("BitBtn2");
    }
    expectStep(3);

    // The first layer, also kept as a template; the editor opens by itself.
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        EXPECT_EQ(d.Button1->text(), text(29));
        expectFits(&d, "layer editor");
        // The decimal fields show a whole value of their widest format.
        for (QLineEdit* field : {d.Edit1, d.Edit2}) {
            retype(field, "  -0.10");
            EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()), field->contentsRect().width() - 4)
                << field->objectName().toStdString();
        }
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
        for (int i = 0; i < 5; ++i)
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

    // The comment editor on the first line, looked at and closed: the line stays.
    select(0);
    recorder.answerDialog([&](QDialog& d) {
        expectFits(&d, "comment editor");
        d.close();
    });
    menu("edit3");
    EXPECT_EQ(node(0)->text(0), QString::fromUtf8(language.comments[0]));

    // The layer table and its lifts, looked at and left unchanged.
    recorder.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayerTable&>(dialog);
        EXPECT_EQ(d.windowTitle(), text(112));
        for (int column = 0; column < 8; ++column)
            EXPECT_EQ(d.StringGrid1->model()->headerData(column, Qt::Horizontal).toString(),
                      text(column < 7 ? 30 + column : 110));
        const std::pair<QPushButton*, int> buttons[] = {{d.Button1, 113}, {d.Button2, 0}, {d.Button3, 1}};
        for (const auto& [button, k] : buttons)
            EXPECT_EQ(button->text(), text(k));
        expectFits(&d, "layer table");
        recorder.answerDialog([&](QDialog& lifts) {
            auto& g = static_cast<TGenerateLifts&>(lifts);
            EXPECT_EQ(g.windowTitle(), text(124));
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(g.captions[i]->text(), text(i < 3 ? 125 + i : 30));
            expectFits(&g, "lifts");
            QTest::mouseClick(g.Button2, Qt::LeftButton);
        });
        QTest::mouseClick(d.Button1, Qt::LeftButton);
        QTest::mouseClick(d.Button3, Qt::LeftButton);
    });
    clickWizard("BitBtn6");
    EXPECT_EQ(run.lagen, 2);

    // Linked to the model only now: the name is the model's all the same.
    clickCheckBox(wizard("CheckBox1"));
    EXPECT_EQ(wizard<QLabel>("Label9")->text(), "Road A.xml_layer.csv");
    expectStep(4);

    next();
    expectStep(5);
    const QString written = QString::fromStdString((jobs / "Road A.xml_layer.csv").string());
    EXPECT_EQ(recorder.messages, (std::vector{infoBox(text(45) + "Base"), errorBox(text(52)), infoBox(text(42) + written)}));
    EXPECT_EQ(slurp(jobs / "Road A.xml_layer.csv"),
              std::string("# Leica layer file format version 1.0;;;;;;\r\n") + "# " + language.written[0] + ";;;;;;\r\n" +
                  "# " + language.written[1] + ";;;;;;\r\n" + "# " + language.written[2] + ";;;;;;\r\n" +
                  "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n"
                  "Base;0.10;6;2;3.00;1;60\r\n"
                  "Sub;0.01;6;2;3.00;1;60\r\n");

    // Back to the start: every step shows its texts again; End program stays.
    for (int step = 4; step >= 1; --step) {
        back();
        expectStep(step, 40);
    }
    clickWizard("Button4");
    EXPECT_FALSE(windows.Form5->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    EveryLanguage, EndToEnd,
    ::testing::Values(
        Language{"English",
                 1000,
                 {"Road A12", "North lane", "Price 5 \xE2\x82\xAC"},
                 {"Road A12", "North lane", "Price 5 \x80"}},
        Language{"Nederlands", 2000, {"Weg A12", "Caf\xC3\xA9 zijde", "Fase 2"}, {"Weg A12", "Caf\xE9 zijde", "Fase 2"}},
        Language{"Norsk", 3000, {"Vei E6", "P\xC3\xA5 \xC3\xB8ya", "Lag 2"}, {"Vei E6", "P\xE5 \xF8ya", "Lag 2"}},
        Language{"Svenska",
                 4000,
                 {"V\xC3\xA4g E4", "Norra k\xC3\xB6rf\xC3\xA4ltet", "Etapp 2"},
                 {"V\xE4g E4", "Norra k\xF6rf\xE4ltet", "Etapp 2"}},
        Language{"French",
                 5000,
                 {"Route A12", "C\xC3\xB4t\xC3\xA9 nord", "Phase 2"},
                 {"Route A12", "C\xF4t\xE9 nord", "Phase 2"}},
        // The English run's very comments: the file is then the English run's, byte for byte.
        Language{"Dansk",
                 6000,
                 {"Road A12", "North lane", "Price 5 \xE2\x82\xAC"},
                 {"Road A12", "North lane", "Price 5 \x80"}}),
    [](const auto& info) { return std::string(info.param.item); });
