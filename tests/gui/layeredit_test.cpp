#include "wizardtest.h"

#include "editorfields.h"
#include "person.h"

#include "app/look.h"
#include "comments/bewerkcommentaar.h"
#include "layeredit/layeredit.h"
#include "layeredit/spinbutton.h"
#include "layeredit/templatestore.h"
#include "wizard/decimal.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace kobalin;

namespace {

QLineEdit* nameField(TLayeredit& d) { return d.ComboBox1->lineEdit(); }

// What a user types into the editor; an empty text leaves a field alone.
struct Typed {
    QString name = {};
    QString offset = {};
    QString passes = {};
    QString extra = {};
    QString speed = {};
    QString speedDiff = {};
    QString cmv = {};
};

void type(TLayeredit& d, const Typed& t)
{
    const std::pair<QWidget*, QString> fields[] = {
        {nameField(d), t.name}, {d.Edit2, t.offset},         {d.CSpinEdit1, t.passes}, {d.CSpinEdit2, t.extra},
        {d.Edit1, t.speed},     {d.CSpinEdit3, t.speedDiff}, {d.CSpinEdit4, t.cmv},
    };
    for (const auto& [field, text] : fields)
        if (!text.isNull())
            retype(field, text);
}

void ok(TLayeredit& d) { QTest::mouseClick(d.Button1, Qt::LeftButton); }
void abort(TLayeredit& d) { QTest::mouseClick(d.Button2, Qt::LeftButton); }

void paste(QWidget* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

}  // namespace

class LayerEditor : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 1);
        start();
    }

    TLayeredit& editor() { return *windows.Layeredit; }

    // Opens the editor the way the wizard does and drives it with script.
    void openToAdd(std::function<void(TLayeredit&)> script)
    {
        recorder.answerDialog([script](QDialog& d) { script(static_cast<TLayeredit&>(d)); });
        const bool opensByItself = run.lagen == 0;
        while (run.pagina < 4) {
            wizard("Button3")->setEnabled(true);  // as a chosen reference file would
            next();
        }
        if (!recorder.dialogs.empty() || !opensByItself)
            clickWizard("BitBtn3");
    }

    // Opens layer k (in the table's order, as the tree shows it) with the tree's Edit command.
    void openToEdit(int k, std::function<void(TLayeredit&)> script)
    {
        auto* tree = wizard<QTreeWidget>("TreeView1");
        ASSERT_GE(run.pagina, 3) << "the tree shows the layers from step 3 on";
        const QPoint at = tree->visualItemRect(tree->topLevelItem(3 + k)).center();
        recorder.answerDialog([script](QDialog& d) { script(static_cast<TLayeredit&>(d)); });
        clickMenuItem(rightClick(tree->viewport(), at), windows.Form5->findChild<QAction*>("edit3"));
    }

    void addTemplates(std::initializer_list<std::u16string> names)
    {
        for (const auto& name : names)
            ASSERT_TRUE(addTemplate({name, 0.2, 5, 3, 4.5, 2, 70}));
    }

    QStringList listed()
    {
        QStringList items;
        for (int i = 0; i < editor().ComboBox1->count(); ++i)
            items << editor().ComboBox1->itemText(i);
        return items;
    }

    void choose(TLayeredit& d, int item) { chooseInList(d.ComboBox1, item); }

    // A command of the fields' menu, opened with a right click in the name field.
    void command(TLayeredit& d, QAction* item) { clickMenuItem(rightClick(nameField(d)), item); }
};

TEST_F(LayerEditor, TheFirstOpeningShowsTheDefaultsAndOkAppendsThem)
{
    openToAdd([](TLayeredit& d) {
        EXPECT_EQ(shown(d), (Shown{"New Layer", "-0.10", 4, 2, "2.5", 1, 50}));
        EXPECT_EQ(d.Label1->text(), "Add new layer by filling in the fields below");
        EXPECT_EQ(d.Button1->text(), "Add Layer");
        EXPECT_EQ(d.Button2->text(), "Abort");
        EXPECT_EQ(d.captions[0]->text(), "Layer Name");
        EXPECT_EQ(d.captions[6]->text(), "CMV Target");
        EXPECT_EQ(d.ComboBox1->toolTip(), "Select and right click for more options");
        EXPECT_FALSE(d.Verwijderuittemplate1->isEnabled());
        EXPECT_FALSE(d.Overschrijven1->isEnabled());
        EXPECT_TRUE(d.pevoegen1->isEnabled());
        ok(d);
    });
    ASSERT_EQ(run.lagen, 1);
    EXPECT_EQ(run.layers[0], (TLayerRecord{u"New Layer", -0.1f, 4, 2, 2.5f, 1, 50}));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(LayerEditor, TheTextsFollowTheRunsLanguage)
{
    seed(kNorwegian, 1);
    restart();
    start();
    openToAdd([](TLayeredit& d) {
        EXPECT_EQ(d.ComboBox1->currentText(), "Nytt lag");
        EXPECT_EQ(d.captions[4]->text(), QString::fromUtf8("Målhastighet km/t"));
        EXPECT_EQ(d.Overschrijven1->text(), "Overskriv redigert lag i liste");
        EXPECT_EQ(d.windowTitle(), "Layeredit");
        abort(d);
    });
}

TEST_F(LayerEditor, TheNameEndsBeforeItsFirstPointOrComma)
{
    struct Case {
        QString typed;
        std::u16string stored;
        bool told;
    };
    const Case cases[] = {
        {"Sub.base,2", u"Sub", true},
        {"Top,layer.1", u"Top", true},
        {",first", u"", true},
        {"Plain name", u"Plain name", false},
        {"", u"", false},
    };
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        recorder.messages.clear();
        const int before = run.lagen;
        const QString offset = QString::number(++i);
        openToAdd([&](TLayeredit& d) {
            type(d, {.name = c.typed, .offset = offset});
            ok(d);
            EXPECT_EQ(d.ComboBox1->currentText(), c.typed) << "the field keeps what was typed";
        });
        ASSERT_EQ(run.lagen, before + 1);
        // Each new layer has the largest offset so far: the sort puts it first.
        EXPECT_EQ(run.layers[0].Name, c.stored);
        EXPECT_EQ(recorder.messages, c.told ? std::vector{errorBox(en(53))} : std::vector<Recorder::Message>{});
    }
}

TEST_F(LayerEditor, TheNameFieldRefusesWhatWouldBreakTheFile)
{
    openToAdd([](TLayeredit& d) {
        retype(nameField(d), "a;b");
        EXPECT_EQ(d.ComboBox1->currentText(), "ab");
        abort(d);
    });
}

TEST_F(LayerEditor, SpinButtonsStepFromTheTwoDecimalText)
{
    struct Case {
        const char* button;
        bool up;
        QString from;
        QString to;
        bool offset;
    };
    const Case cases[] = {
        {"SpinButton2", true, "-0.10", "   0.00", true},   {"SpinButton2", false, "-0.10", "  -0.20", true},
        {"SpinButton3", false, "-0.10", "  -0.11", true},  {"SpinButton3", true, "1", "   1.01", true},
        {"SpinButton1", true, "2.5", "   2.60", false},    {"SpinButton1", false, " 0.05 ", "  -0.05", false},
        {"SpinButton3", true, "   1.23", "   1.24", true},
    };
    openToAdd([&](TLayeredit& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.button);
            QLineEdit* field = c.offset ? d.Edit2 : d.Edit1;
            field->setText(c.from);
            auto* spin = d.findChild<SpinButton*>(c.button);
            QTest::mouseClick(c.up ? spin->up : spin->down, Qt::LeftButton);
            EXPECT_EQ(field->text(), c.to);
        }
        // Many steps do not add up rounding.
        d.Edit2->setText("0");
        for (int i = 0; i < 30; ++i)
            QTest::mouseClick(d.SpinButton3->up, Qt::LeftButton);
        EXPECT_EQ(d.Edit2->text(), "   0.30");
        // A huge value is formatted in full.
        d.Edit2->setText("1e30");
        QTest::mouseClick(d.SpinButton2->up, Qt::LeftButton);
        EXPECT_EQ(d.Edit2->text(), "1000000000000000019884624838656.00");
        abort(d);
    });
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(LayerEditor, NumbersThatAreNoNumbersAreRefusedNamingTheField)
{
    addLayer(u"Kept", 0.3f);
    const TLayerRecord before = run.layers[0];
    const QString refused[] = {"abc", "", "1,5", "nan", "inf", "1e39", "0x1"};
    openToAdd([&](TLayeredit& d) {
        for (const QString& bad : refused) {
            SCOPED_TRACE(bad.toStdString());
            recorder.messages.clear();
            type(d, {.offset = bad});
            ok(d);
            EXPECT_TRUE(d.isVisible());
            ASSERT_EQ(recorder.messages.size(), 1u);
            EXPECT_EQ(recorder.messages[0].kind, Recorder::Message::Error);
            EXPECT_TRUE(recorder.messages[0].text.startsWith("Offset (m)")) << recorder.messages[0].text;
            // The number is typed anew in its field.
            EXPECT_EQ(QApplication::focusWidget(), d.Edit2);
            EXPECT_EQ(d.Edit2->selectedText(), bad);
            // A spin button leaves the field's text as it is.
            QTest::mouseClick(d.SpinButton2->up, Qt::LeftButton);
            EXPECT_EQ(d.Edit2->text(), bad);
        }
        type(d, {.offset = "0.2", .speed = "fast"});
        recorder.messages.clear();
        ok(d);
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_TRUE(recorder.messages[0].text.startsWith("Targetspeed km/h")) << recorder.messages[0].text;
        EXPECT_EQ(QApplication::focusWidget(), d.Edit1);
        EXPECT_EQ(d.Edit1->selectedText(), "fast");
        abort(d);
    });
    EXPECT_EQ(run.lagen, 1);
    EXPECT_EQ(run.layers[0], before);
    EXPECT_EQ(run.layers[1], TLayerRecord{});

    // In edit mode a refused number leaves the record whole, its name included.
    openToEdit(0, [](TLayeredit& d) {
        type(d, {.name = "Renamed", .offset = "abc"});
        ok(d);
        abort(d);
    });
    EXPECT_EQ(run.layers[0], before);
}

TEST_F(LayerEditor, ADecimalCommaIsAskedToBeAPointInTheRunsLanguage)
{
    struct Case {
        std::int32_t taal;
        QString offset, speed;
        QString message;
    };
    const Case cases[] = {
        {kEnglish, "-0,15", "3.5",
         "Offset (m): \"-0,15\" is written with a decimal comma. Use a point (.) as the decimal mark: -0.15"},
        {kDanish, "0.2", " 2,5 ",
         QString::fromUtf8(
             "Målhastighed km/t: \" 2,5 \" er skrevet med decimalkomma. Brug punktum (.) som decimaltegn: 2.5")},
        {kDutch, "0,2,5", "3.5", "Offset (m): \"0,2,5\" is geen geldig getal"},
        {kFrench, ",", "3.5", QString::fromUtf8("Décalage (m)\u00A0: \",\" n'est pas un nombre valide")},
        {kSwedish, "abc", "3.5", QString::fromUtf8("Offset (m): \"abc\" är inte ett giltigt tal")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taal);
        seed(c.taal, 1);
        restart();
        start();
        openToAdd([&](TLayeredit& d) {
            type(d, {.offset = c.offset, .speed = c.speed});
            ok(d);
            abort(d);
        });
        EXPECT_EQ(recorder.messages, std::vector{errorBox(c.message)});
    }
}

TEST_F(LayerEditor, AbortKeepsTheTypedValuesForTheNextOpening)
{
    addLayer(u"One", 0.3f);
    openToAdd([](TLayeredit& d) {
        type(d, {"Typed", "0.75", "9", "3", "4.25", "2", "90"});
        abort(d);
    });
    EXPECT_EQ(run.lagen, 1);
    openToAdd([](TLayeredit& d) {
        EXPECT_EQ(shown(d), (Shown{"New Layer", "0.75", 9, 3, "4.25", 2, 90}));
        d.close();  // the close box is Abort too
    });
    EXPECT_EQ(run.lagen, 1);
}

TEST_F(LayerEditor, EnterAndEscapePressNoButton)
{
    openToAdd([](TLayeredit& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        QTest::keyClick(nameField(d), Qt::Key_Return);
        QTest::keyClick(d.Edit1, Qt::Key_Enter);
        EXPECT_TRUE(d.isVisible());
        abort(d);
    });
    EXPECT_EQ(run.lagen, 0);
}

TEST_F(LayerEditor, EditModeKeepsTheNameAddModeResetsIt)
{
    openToAdd([](TLayeredit& d) {
        type(d, {.name = "First", .offset = "0.3"});
        ok(d);
    });
    openToEdit(0, [](TLayeredit& d) {
        EXPECT_EQ(d.ComboBox1->currentText(), "First");
        EXPECT_EQ(d.Edit2->text(), "   0.30");
        type(d, {.name = "Renamed"});
        ok(d);
    });
    EXPECT_EQ(run.lagen, 1);
    EXPECT_EQ(run.layers[0].Name, u"Renamed");
    EXPECT_EQ(run.layers[0].Offset, 0.3f);
    openToAdd([](TLayeredit& d) {
        EXPECT_EQ(d.ComboBox1->currentText(), "New Layer");
        type(d, {.offset = "0.1"});
        ok(d);
    });
    EXPECT_EQ(run.lagen, 2);
    EXPECT_TRUE(wizard("Button3")->isEnabled()) << "two layers: the wizard may go on";
}

TEST_F(LayerEditor, TheTableHoldsAtMost999Layers)
{
    for (int i = 0; i < kMaxLayers - 1; ++i)
        addLayer(u"L", static_cast<float>(i));
    openToAdd([](TLayeredit& d) { ok(d); });
    EXPECT_EQ(run.lagen, kMaxLayers);
    EXPECT_FALSE(wizard("BitBtn3")->isEnabled());
    EXPECT_EQ(run.layers[kMaxLayers], TLayerRecord{}) << "the record beyond the table is never written";

    // Were New Layer left enabled, the editor it opens would still write
    // nothing beyond the table.
    wizard("BitBtn3")->setEnabled(true);
    recorder.answerDialog([](QDialog& d) { ok(static_cast<TLayeredit&>(d)); });
    clickWizard("BitBtn3");
    EXPECT_EQ(recorder.dialogsShown.size(), 2u);
    EXPECT_EQ(run.lagen, kMaxLayers);
    EXPECT_EQ(run.layers[kMaxLayers], TLayerRecord{});
    EXPECT_FALSE(wizard("BitBtn3")->isEnabled());
}

TEST_F(LayerEditor, AddingTheFieldsAsATemplate)
{
    openToAdd([&](TLayeredit& d) {
        EXPECT_TRUE(listed().isEmpty());
        type(d, {"Sand.fine", "-0.10", "6", "2", "3.5", "1", "80"});
        command(d, d.pevoegen1);
        EXPECT_EQ(d.ComboBox1->currentText(), "Sand");
        EXPECT_TRUE(listed().isEmpty()) << "the list is reloaded at the next opening";
        ok(d);
    });
    EXPECT_EQ(recorder.messages, (std::vector{errorBox(en(53)), infoBox("Layer added to template file: Sand")}));
    auto key = openSettingsKey(kTemplateKey);
    EXPECT_EQ(key->readInteger(u"aantal"), 1);
    EXPECT_EQ(key->readString(u"0"), u"Sand");
    EXPECT_EQ(key->readFloat(u"100"), -0.1);
    EXPECT_EQ(key->readInteger(u"200"), 6);
    EXPECT_EQ(key->readInteger(u"300"), 2);
    EXPECT_EQ(key->readFloat(u"400"), 3.5);
    EXPECT_EQ(key->readInteger(u"500"), 1);
    EXPECT_EQ(key->readInteger(u"600"), 80);
    openToAdd([&](TLayeredit& d) {
        EXPECT_EQ(listed(), QStringList{"Sand"});
        abort(d);
    });
}

TEST_F(LayerEditor, AFullTemplateListTakesNoMore)
{
    std::vector<std::u16string> names(99, u"T");
    for (const auto& n : names)
        addTemplate({n, 0.1, 1, 1, 1, 1, 1});
    openToAdd([&](TLayeredit& d) {
        type(d, {.name = "Ninety-nine"});
        command(d, d.pevoegen1);
        EXPECT_EQ(templateCount(), 100);
        recorder.messages.clear();
        type(d, {.name = "Full,up"});
        command(d, d.pevoegen1);
        EXPECT_EQ(recorder.messages, std::vector{errorBox(en(44))});
        EXPECT_EQ(d.ComboBox1->currentText(), "Full,up") << "the name field is left as it is";
        abort(d);
    });
    EXPECT_EQ(templateCount(), 100);
    EXPECT_EQ(templateNames().back(), u"Ninety-nine");
}

// The name rule comes first, so its message is not lost to a refused number;
// nothing is written then.
TEST_F(LayerEditor, ARefusedNumberWritesNoTemplateAfterTheNameRule)
{
    addTemplates({u"A"});
    addLayer(u"Kept", 0.3f);
    for (const bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite ? "overwrite" : "add");
        recorder.messages.clear();
        openToAdd([&](TLayeredit& d) {
            choose(d, 0);
            type(d, {.name = "B.2", .speed = "x"});
            command(d, overwrite ? d.Overschrijven1 : d.pevoegen1);
            EXPECT_EQ(d.ComboBox1->currentText(), "B");
            abort(d);
        });
        ASSERT_EQ(recorder.messages.size(), 2u);
        EXPECT_EQ(recorder.messages[0], errorBox(en(53)));
        EXPECT_TRUE(recorder.messages[1].text.startsWith("Targetspeed km/h")) << recorder.messages[1].text;
        EXPECT_EQ(templateNames(), std::vector<std::u16string>{u"A"});
        EXPECT_EQ(openSettingsKey(kTemplateKey)->readString(u"1"), u"") << "no name written beyond the count";
    }
}

TEST_F(LayerEditor, ChoosingATemplateFillsTheFields)
{
    addTemplates({u"Gravel"});
    addTemplate(templateOf(TLayerRecord{u"From table", -0.1f, 8, 0, 2.6f, 3, 95}));
    addTemplate({u"Typed", -0.1, 8, 0, 2.6, 3, 95});
    openToAdd([&](TLayeredit& d) {
        EXPECT_EQ(listed(), (QStringList{"Gravel", "From table", "Typed"}));
        EXPECT_EQ(d.ComboBox1->currentText(), "New Layer");
        choose(d, 0);
        EXPECT_EQ(shown(d), (Shown{"Gravel", "   0.20", 5, 3, "   4.50", 2, 70}));
        EXPECT_TRUE(d.Verwijderuittemplate1->isEnabled());
        EXPECT_TRUE(d.Overschrijven1->isEnabled());
        choose(d, 1);
        EXPECT_EQ(shown(d), (Shown{"From table", "  -0.10", 8, 0, "   2.60", 3, 95}));
        choose(d, 2);
        EXPECT_EQ(shown(d), (Shown{"Typed", "  -0.10", 8, 0, "   2.60", 3, 95}));
        ok(d);
    });
    EXPECT_EQ(run.layers[0], (TLayerRecord{u"Typed", -0.1f, 8, 0, 2.6f, 3, 95}));
    openToAdd([&](TLayeredit& d) {
        EXPECT_FALSE(d.Overschrijven1->isEnabled()) << "disabled again at every opening";
        abort(d);
    });
}

TEST_F(LayerEditor, AnUnreadableTemplateValueLeavesItsFieldAsItWas)
{
    addTemplates({u"Odd"});
    {
        auto key = openSettingsKey(kTemplateKey);
        key->writeString(u"300", u"two");  // PassCount_MaxExtra: not an integer
        key->writeFloat(u"100", 1e300);    // an offset beyond single precision
    }
    openToAdd([&](TLayeredit& d) {
        choose(d, 0);
        EXPECT_EQ(shown(d), (Shown{"Odd", "-0.10", 5, 2, "2.5", 1, 50}));
        abort(d);
    });
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(LayerEditor, OverwritingAndRemovingTheChosenTemplate)
{
    addTemplates({u"A", u"B", u"C"});
    openToAdd([&](TLayeredit& d) {
        // Nothing chosen: the commands do nothing.
        d.Overschrijven1->setEnabled(true);
        command(d, d.Overschrijven1);
        EXPECT_TRUE(recorder.messages.empty());

        choose(d, 1);
        type(d, {.name = "B2", .cmv = "99"});
        command(d, d.Overschrijven1);
        EXPECT_EQ(recorder.messages.back(), infoBox("Layer is saved in template file B2"));
        EXPECT_EQ(templateNames(), (std::vector<std::u16string>{u"A", u"B2", u"C"}));
        EXPECT_EQ(readTemplate(1).compactionTarget, 99);
        EXPECT_EQ(listed(), (QStringList{"A", "B", "C"})) << "the list shows the old name until it is reloaded";

        command(d, d.Verwijderuittemplate1);
        EXPECT_EQ(recorder.messages.back(), infoBox("Chosen layer has been removed from the template list" + QString("B2")));
        EXPECT_EQ(listed(), (QStringList{"A", "C"}));
        EXPECT_EQ(d.ComboBox1->currentText(), "B2");
        EXPECT_TRUE(d.Verwijderuittemplate1->isEnabled());
        const std::size_t shownMessages = recorder.messages.size();
        command(d, d.Verwijderuittemplate1);  // nothing chosen since the reload
        EXPECT_EQ(recorder.messages.size(), shownMessages);
        abort(d);
    });
    EXPECT_EQ(templateNames(), (std::vector<std::u16string>{u"A", u"C"}));
}

// Another running copy removed the entries from the chosen one on already.
TEST_F(LayerEditor, RemovingWhatIsGoneAlreadyOnlyBringsTheListUpToDate)
{
    addTemplates({u"A", u"B", u"C"});
    openToAdd([&](TLayeredit& d) {
        choose(d, 2);
        removeTemplate(1);
        command(d, d.Verwijderuittemplate1);
        EXPECT_EQ(listed(), (QStringList{"A", "C"}));
        abort(d);
    });
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(templateNames(), (std::vector<std::u16string>{u"A", u"C"}));
}

// Only a choice in the open list takes a template. The combo box itself would
// also take one for a typed name equal to a template's when the focus leaves
// it, and for the arrow and page keys or a wheel turn on the closed list.
TEST_F(LayerEditor, WhatWasTypedStaysUnlessATemplateIsChosenInTheOpenList)
{
    ASSERT_TRUE(addTemplate({u"Sand", 0.80, 8, 3, 4.50, 2, 90}));
    ASSERT_TRUE(addTemplate({u"Clay", 0.40, 6, 1, 2.00, 1, 70}));
    ASSERT_TRUE(addTemplate({u"Silt", 0.10, 5, 2, 3.00, 3, 60}));
    struct Case {
        const char* what;
        std::function<void(TLayeredit&)> act;
    };
    auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) {
        return [k, m](TLayeredit&) { QTest::keyClick(QApplication::focusWidget(), k, m); };
    };
    const Case cases[] = {
        {"Tab", key(Qt::Key_Tab)},
        {"Alt+O", key(Qt::Key_O, Qt::AltModifier)},
        {"click into another field", [](TLayeredit& d) { QTest::mouseClick(d.Edit1, Qt::LeftButton); }},
        {"Up", key(Qt::Key_Up)},
        {"Down", key(Qt::Key_Down)},
        {"Page Up", key(Qt::Key_PageUp)},
        {"Page Down", key(Qt::Key_PageDown)},
        {"wheel", [](TLayeredit& d) { turnWheel(nameField(d), 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        run.lagen = 0;
        openToAdd([&](TLayeredit& d) {
            choose(d, 1);  // Clay, in the middle of the list
            type(d, {.offset = "0.25", .speed = "3.2"});
            QTest::mouseClick(nameField(d), Qt::LeftButton);
            retype(nameField(d), "Sand");
            c.act(d);
            EXPECT_EQ(shown(d), (Shown{"Sand", "0.25", 6, 1, "3.2", 1, 70}));
            ok(d);
        });
        ASSERT_EQ(run.lagen, 1);
        EXPECT_EQ(run.layers[0], (TLayerRecord{u"Sand", 0.25f, 6, 1, 3.2f, 1, 70}));
    }
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(LayerEditor, EnterReturnOrSpaceInTheOpenListChoosesItsItem)
{
    addTemplates({u"A", u"B"});
    addLayer(u"Kept", 0.3f);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        SCOPED_TRACE(key);
        openToAdd([&](TLayeredit& d) {
            type(d, {.cmv = "1"});
            chooseInListByKey(d.ComboBox1, 1, key);
            EXPECT_FALSE(d.ComboBox1->view()->isVisible());
            EXPECT_EQ(shown(d), (Shown{"B", "   0.20", 5, 3, "   4.50", 2, 70}));
            abort(d);
        });
    }
}

// Typing replaces the name at every opening, in either mode; after a refused
// number the focus is back in its field.
TEST_F(LayerEditor, EveryOpeningStartsInTheNameFieldWithItsTextSelected)
{
    auto typeName = [](TLayeredit& d, const QString& expected, const QString& typed) {
        EXPECT_EQ(QApplication::focusWidget(), d.ComboBox1);
        EXPECT_EQ(nameField(d)->selectedText(), expected);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        EXPECT_EQ(d.ComboBox1->currentText(), typed);
    };
    openToAdd([&](TLayeredit& d) {
        typeName(d, "New Layer", "Subbase");
        type(d, {.offset = "0.2"});
        ok(d);
    });
    openToAdd([&](TLayeredit& d) {
        typeName(d, "New Layer", "Base");
        type(d, {.offset = "0.1"});
        ok(d);
    });
    ASSERT_EQ(run.lagen, 2);
    openToEdit(0, [&](TLayeredit& d) {
        typeName(d, "Subbase", "Top");
        ok(d);
    });
    EXPECT_EQ(run.layers[0].Name, u"Top");
    EXPECT_EQ(run.layers[1].Name, u"Base");
}

// What the user typed is what the layer gets: no template name is completed
// into it, and neither Enter nor Escape chooses a template or changes a field.
TEST_F(LayerEditor, TheFieldsKeepExactlyWhatWasTyped)
{
    addTemplates({u"Base 2", u"Sand"});
    const Typed typed{"", "0.33", "9", "3", "4.25", "2", "90"};
    const Shown expected{"sand", "0.33", 9, 3, "4.25", 2, 90};
    openToAdd([&](TLayeredit& d) {
        type(d, typed);
        // Typed into the combo box as the keyboard reaches it, with the focus in it.
        d.ComboBox1->setFocus();
        QTest::keyClick(d.ComboBox1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.ComboBox1, "Base");
        EXPECT_EQ(d.ComboBox1->currentText(), "Base");
        QTest::keyClick(d.ComboBox1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.ComboBox1, "sand");
        for (QWidget* field : std::initializer_list<QWidget*>{d.ComboBox1, nameField(d), d.Edit2, d.CSpinEdit1, d.CSpinEdit2,
                                                              d.Edit1, d.CSpinEdit3, d.CSpinEdit4}) {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                SCOPED_TRACE(field->objectName().toStdString() + " " + std::to_string(key));
                QTest::keyClick(field, key);
                EXPECT_EQ(shown(d), expected);
                EXPECT_TRUE(d.isVisible());
                EXPECT_FALSE(d.Overschrijven1->isEnabled()) << "no template was chosen";
            }
        }
        // Even the exact name of a template, with Enter, chooses nothing.
        QTest::keyClick(d.ComboBox1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.ComboBox1, "Sand");
        QTest::keyClick(d.ComboBox1, Qt::Key_Return);
        EXPECT_EQ(shown(d), (Shown{"Sand", "0.33", 9, 3, "4.25", 2, 90}));
        QTest::keyClick(d.ComboBox1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.ComboBox1, "Base");
        ok(d);
    });
    ASSERT_EQ(run.lagen, 1);
    EXPECT_EQ(run.layers[0], (TLayerRecord{u"Base", 0.33f, 9, 3, 4.25f, 2, 90}));
    EXPECT_TRUE(recorder.messages.empty());
}

// Held down on a field that holds no number, a spin button repeats its click;
// the repeats must not pile error boxes on the one already open.
TEST_F(LayerEditor, ASpinButtonShowsOneErrorPerClick)
{
    int open = 0;
    recorder.whileShown = [&] {
        if (open++ == 0)
            QTest::qWait(1000);  // the box stays open a second, the button held down
        --open;
    };
    openToAdd([&](TLayeredit& d) {
        type(d, {.offset = "abc"});
        QToolButton* up = d.SpinButton2->up;
        QTest::mousePress(up, Qt::LeftButton);
        QTest::qWait(up->autoRepeatDelay() + 5 * up->autoRepeatInterval());
        QTest::mouseRelease(up, Qt::LeftButton);
        EXPECT_EQ(recorder.messages.size(), 1u);
        QTest::mouseClick(up, Qt::LeftButton);
        EXPECT_EQ(recorder.messages.size(), 2u) << "every new click reports again";
        EXPECT_EQ(d.Edit2->text(), "abc");
        // With a number in the field, holding the button steps on and on.
        recorder.whileShown = nullptr;
        type(d, {.offset = "0"});
        QTest::mousePress(up, Qt::LeftButton);
        QTest::qWait(up->autoRepeatDelay() + 5 * up->autoRepeatInterval());
        QTest::mouseRelease(up, Qt::LeftButton);
        EXPECT_GE(d.Edit2->text().toDouble(), 0.3);
        abort(d);
    });
    EXPECT_EQ(recorder.messages.size(), 2u);
}

// A pasted text keeps everything but the characters that would break a line
// of the layer file.
TEST_F(LayerEditor, PastingDropsOnlyTheRefusedCharacters)
{
    struct Case {
        QString pasted, kept;
    };
    const Case cases[] = {{"Road; lane 2", "Road lane 2"}, {"a\r\nb;;c\n", "abc"}, {";", ""}, {"plain", "plain"}};
    openToAdd([&](TLayeredit& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.pasted.toStdString());
            paste(d.ComboBox1, c.pasted);
            EXPECT_EQ(d.ComboBox1->currentText(), c.kept);
        }
        // Typed in the middle: the cursor stays where the typing was.
        QTest::keyClick(d.ComboBox1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(d.ComboBox1, "ab");
        QTest::keyClick(d.ComboBox1, Qt::Key_Left);
        QTest::keyClicks(d.ComboBox1, ";x");
        EXPECT_EQ(d.ComboBox1->currentText(), "axb");
        abort(d);
    });
    // The comment field of step 3 and the comment editor alike.
    while (run.pagina < 3) {
        wizard("Button3")->setEnabled(true);
        next();
    }
    auto* comment = wizard<QLineEdit>("Edit2");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted.toStdString());
        paste(comment, c.pasted);
        EXPECT_EQ(comment->text(), c.kept);
    }
    auto* editorField = windows.Bewerkcommentaar->findChild<QLineEdit*>("Edit1");
    paste(editorField, "Road; lane 2");
    EXPECT_EQ(editorField->text(), "Road lane 2");
}

// A longer name or comment line would be refused when the file is opened again.
TEST_F(LayerEditor, TheNameAndTheCommentEditorTakeAtMost255Characters)
{
    const QString longer(300, 'n');
    openToAdd([&](TLayeredit& d) {
        paste(d.ComboBox1, longer);
        QTest::keyClicks(d.ComboBox1, "x");
        EXPECT_EQ(d.ComboBox1->currentText(), QString(255, 'n'));
        abort(d);
    });
    auto* editorField = windows.Bewerkcommentaar->findChild<QLineEdit*>("Edit1");
    paste(editorField, longer);
    EXPECT_EQ(editorField->text(), QString(255, 'n'));
}

TEST_F(LayerEditor, UnusualValuesAreMarkedAtTheirFieldAndTakenAsTyped)
{
    struct Case {
        QLineEdit* TLayeredit::*field;
        QString typed;
        int why;  // the text of the mark, 0 for none
    };
    const Case cases[] = {
        {&TLayeredit::Edit2, "12", 80},   // an offset in centimetres
        {&TLayeredit::Edit2, "-10", 0},   // the limit is usual, and the mark goes again
        {&TLayeredit::Edit2, "abc", 0},   // no number: left to OK
        {&TLayeredit::Edit1, "400", 81},  // 4.00 km/h without its point
        {&TLayeredit::Edit1, "0.5", 0},
    };
    openToAdd([&](TLayeredit& d) {
        for (const Case& c : cases) {
            QLineEdit* field = d.*c.field;
            retype(field, c.typed);
            const QString why = c.why ? en(c.why) : QString();
            EXPECT_EQ(field->toolTip(), why) << c.typed;
            EXPECT_EQ(field->palette().color(QPalette::Base) == warningBackground(), c.why != 0) << c.typed;
        }
        retype(d.Edit2, "12");
        ok(d);
    });
    ASSERT_EQ(run.lagen, 1);
    EXPECT_EQ(run.layers[0].Offset, 12.0f);
    EXPECT_TRUE(recorder.messages.empty());

    // A layer opened to edit shows its mark at once, in the editor's language.
    run.taal = kDutch;
    openToEdit(0, [](TLayeredit& d) {
        EXPECT_EQ(d.Edit2->toolTip(), catalogue(kDutch, 80));
        abort(d);
    });
}
