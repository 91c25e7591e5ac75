#include "wizardtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace kobalin;
namespace fs = std::filesystem;

namespace {

const std::string kHead = "# Leica layer file format version 1.0;;;;;;\r\n";
const std::string kColumns =
    "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n";

// Yesterday's file: two comment lines and three layers, not in the order of their offsets.
const std::string kComments = "# Road A12;;;;;;\r\n# Caf\xE9 \x80 5;;;;;;\r\n# <Empty>;;;;;;\r\n";
const std::string kYesterday = kHead + kComments + kColumns +
                               "Base;0.10;6;2;3.00;1;60\r\nTop;0.30;4;1;3.50;1;80\r\nMiddle;0.20;5;1;3.20;2;70\r\n";
const std::string kSorted = kHead + kComments + kColumns +
                            "Top;0.30;4;1;3.50;1;80\r\nMiddle;0.20;5;1;3.20;2;70\r\nBase;0.10;6;2;3.00;1;60\r\n";

QStringList topTexts(const QTreeWidget* tree)
{
    QStringList out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        out << tree->topLevelItem(i)->text(0);
    return out;
}

}  // namespace

class OpenLayerFile : public WizardTest {
protected:
    QString path(const fs::path& file) const { return QString::fromStdString(file.string()); }

    // Starts the wizard and goes to step 2, where the model road.xml is chosen.
    void toStepTwo(bool linked = true)
    {
        seed(kEnglish, linked ? 1 : 0);
        start();
        next();
        recorder.chooseFile(path(folder / "road.xml"));
        clickWizard("Edit1");
    }

    // Chooses file in the dialog that the button opens.
    void open(const fs::path& file)
    {
        recorder.chooseFile(path(file));
        clickWizard("BitBtn4");
    }

    void openCancelled()
    {
        recorder.chooseFile(std::nullopt);
        clickWizard("BitBtn4");
    }

    // Everything stored in the settings, to compare before and after.
#ifdef _WIN32
    std::string settingsFile() const
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\Tendrik\\kobalin", 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {};
        std::string values;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            BYTE data[4096];
            DWORD nameLength = 256, size = sizeof data, type = 0;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
                break;
            values += std::string(reinterpret_cast<const char*>(name), nameLength * sizeof(wchar_t)) + '=' +
                      std::to_string(type) + ':' + std::string(reinterpret_cast<const char*>(data), size) + '\n';
        }
        RegCloseKey(key);
        return values;
    }
#else
    std::string settingsFile() const { return slurp(folder / "config" / "Tendrik" / "kobalin.reg"); }
#endif
};

TEST_F(OpenLayerFile, ReadsTheFileAndStepFiveWritesItForTheChosenModel)
{
    toStepTwo();
    spit(folder / "other" / "old.csv", kYesterday);
    const std::string settings = settingsFile();
    open(folder / "other" / "old.csv");

    EXPECT_TRUE(recorder.questions.empty()) << "nothing entered yet, nothing to ask";
    ASSERT_EQ(recorder.fileRequests.size(), 2u);
    EXPECT_EQ(recorder.fileRequests[1].folder, path(folder));
    EXPECT_EQ(recorder.fileRequests[1].filters, QStringList({"Layer file (*.csv)", "All files (*)"}));
    EXPECT_EQ(recorder.fileRequests[1].selected, "") << "step 5 has written no file yet";
    EXPECT_EQ(recorder.messages, std::vector{infoBox("The layer file has been read: " + path(folder / "other" / "old.csv") +
                                                     "\n\n" + en(92).replace("%1", "Windows-1252"))});
    EXPECT_EQ(settingsFile(), settings);
    EXPECT_EQ(wizard<QLabel>("Label23")->text(), "road.xml");
    ASSERT_TRUE(wizard("Button3")->isEnabled()) << "the model chosen before stays chosen";

    next();
    auto* tree = wizard<QTreeWidget>("TreeView1");
    ASSERT_EQ(topTexts(tree), QStringList({"Road A12", "Caf\u00E9 \u20AC 5", "<Empty>", "Top", "Middle", "Base"}));
    EXPECT_EQ(tree->topLevelItem(4)->child(0)->text(0), "0.20 m");
    EXPECT_EQ(tree->topLevelItem(4)->child(3)->text(0), "3.20 km/h");
    EXPECT_EQ(tree->topLevelItem(4)->child(5)->text(0), "70 CMV");
    next();
    EXPECT_TRUE(wizard("Button3")->isEnabled());
    next();
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"), kSorted);
    EXPECT_EQ(recorder.messages.back(), infoBox("The layer file has been created: " + path(folder / "road.xml_layer.csv")));
    EXPECT_EQ(slurp(folder / "other" / "old.csv"), kYesterday);

    // Next time the file step 5 wrote is offered first, and it comes back byte for byte.
    restart();
    toStepTwo();
    openCancelled();
    EXPECT_EQ(recorder.fileRequests.back().selected, path(folder / "road.xml_layer.csv"));
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(run.commentaar1, kEmptyComment);
    open(folder / "road.xml_layer.csv");
    next();
    next();
    next();
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"), kSorted);
}

// Which file is offered is the core's (layerFileToOpen); the link choice is
// the one ticked when the button is pressed.
TEST_F(OpenLayerFile, PreselectsTheFileOfTheLinkChoiceAsTickedNow)
{
    toStepTwo(false);
    spit(folder / "_layer.csv", kYesterday);
    spit(folder / "road.xml_layer.csv", kYesterday);
    openCancelled();
    EXPECT_EQ(recorder.fileRequests.back().selected, path(folder / "_layer.csv"));
    clickCheckBox(wizard("CheckBox1"));
    openCancelled();
    EXPECT_EQ(recorder.fileRequests.back().selected, path(folder / "road.xml_layer.csv"));
    EXPECT_TRUE(recorder.messages.empty());
}

// What counts as entered is the core's (holdsEntries).
TEST_F(OpenLayerFile, AsksBeforeReplacingWhatWasEnteredAndNoChangesNothing)
{
    toStepTwo();
    spit(folder / "old.csv", kYesterday);
    run.layers[run.lagen++] = TLayerRecord{u"Sand", 0.5f, 1, 1, 1.0f, 1, 1};
    const RunData before = run;

    recorder.answerQuestion(false);
    clickWizard("BitBtn4");
    EXPECT_EQ(recorder.questions, std::vector{en(57)});
    EXPECT_EQ(recorder.questionButtons, (std::vector{QStringList{en(59), en(60)}}));
    EXPECT_EQ(recorder.fileRequests.size(), 1u) << "no file dialog after No";
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(run.lagen, before.lagen);
    EXPECT_EQ(run.layers[0], before.layers[0]);

    recorder.answerQuestion(true);
    open(folder / "old.csv");
    EXPECT_EQ(recorder.questions.size(), 2u);
    EXPECT_EQ(run.lagen, 3);
    EXPECT_EQ(run.commentaar1, u"Road A12");
}

TEST_F(OpenLayerFile, ThePlusButtonGoesOnAfterTheLastCommentLineOfTheFile)
{
    toStepTwo();
    spit(folder / "three.csv", kHead + "# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n# z;;;;;;\r\n" + kColumns);
    spit(folder / "one.csv", kHead + "# a;;;;;;\r\n" + kColumns);

    open(folder / "three.csv");
    EXPECT_EQ(run.commentaar, 3);
    next();
    ASSERT_EQ(run.pagina, 3);
    EXPECT_FALSE(wizard("BitBtn2")->isEnabled());

    back();
    recorder.answerQuestion(true);
    open(folder / "one.csv");
    recorder.chooseFile(path(folder / "road.xml"));  // Back asks for the model again
    clickWizard("Edit1");
    next();
    ASSERT_EQ(run.pagina, 3);
    EXPECT_TRUE(wizard("BitBtn2")->isEnabled());
    clickWizard("Edit2");
    QTest::keyClicks(wizard("Edit2"), "b");
    clickWizard("BitBtn2");
    EXPECT_EQ(topTexts(wizard<QTreeWidget>("TreeView1")), QStringList({"a", "b", "<Empty>"}));
}

// Which files are not read at all is the core's (readPlainFile): a missing
// one stands for them here.
TEST_F(OpenLayerFile, ARefusedFileChangesNothing)
{
    toStepTwo();
    run.layers[0] = TLayerRecord{u"Sand", 0.5f, 1, 1, 1.0f, 1, 1};
    run.lagen = 1;
    run.commentaar1 = u"mine";
    run.commentaar = 1;
    spit(folder / "bad.csv", kHead + kComments + kColumns + "Top;0.30;4;1;3.50;1;80\r\nBase;1,5;6;2;3.00;1;60\r\n");
    const std::string settings = settingsFile();

    recorder.answerQuestion(true);
    open(folder / "bad.csv");
    recorder.answerQuestion(true);
    open(folder / "missing.csv");
    // A file that is never read is named, with no line in error.
    EXPECT_EQ(recorder.messages, (std::vector{errorBox(en(56) + "7, Offset: \"1,5\" is not a number with a decimal point"),
                                              errorBox(en(58) + path(folder / "missing.csv"))}));
    EXPECT_EQ(run.lagen, 1);
    EXPECT_EQ(run.layers[0].Name, u"Sand");
    EXPECT_EQ(run.commentaar1, u"mine");
    EXPECT_EQ(run.commentaar2, kEmptyComment);
    EXPECT_EQ(run.commentaar, 1);
    EXPECT_TRUE(wizard("Button3")->isEnabled());
    EXPECT_EQ(settingsFile(), settings);
}

TEST_F(OpenLayerFile, NamesCutByTheNameRuleAreToldOnce)
{
    toStepTwo();
    spit(folder / "dots.csv", kHead + kColumns + "Sand.fine;0.20;1;1;1.00;1;1\r\nClay,wet;0.10;1;1;1.00;1;1\r\n");
    open(folder / "dots.csv");
    EXPECT_EQ(recorder.messages, (std::vector{errorBox(en(53)), infoBox(en(55) + path(folder / "dots.csv") + "\n\n" +
                                                                        en(77).replace("%1", "3").replace("%2", "2"))}));
    EXPECT_EQ(run.layers[0].Name, u"Sand");
    EXPECT_EQ(run.layers[1].Name, u"Clay");
}

TEST_F(OpenLayerFile, TheInformationBoxTellsWhatTheNextWriteChangesAndWhichValuesAreUnusual)
{
    toStepTwo();
    // 0.125 loses its third decimal; 125 m and 2500 km/h are a Dutch spreadsheet's 0.125 and 2.500.
    spit(folder / "odd.csv", kHead + kComments + kColumns + "Top;0.30;4;1;3.50;1;80\r\nFine;0.125;5;1;3.20;2;70\r\n" +
                                 "Thick;125;5;1;2500;2;70\r\nBase;0.10;6;2;3.00;1;60\r\n");
    open(folder / "odd.csv");
    ASSERT_EQ(run.lagen, 4);
    EXPECT_EQ(recorder.messages,
              std::vector{infoBox(en(55) + path(folder / "odd.csv") + "\n\n" + en(92).replace("%1", "Windows-1252") +
                                  "\n\n" + en(77).replace("%1", "7").replace("%2", "1") + "\n\n" +
                                  en(78).replace("%1", "8").replace("%2", "1"))});
}

// As a spreadsheet on a Mac saves "CSV (Macintosh)": Mac Roman, a CR alone at
// each line's end. Read so, said so, and written as every layer file is.
TEST_F(OpenLayerFile, AMacSpreadsheetsFileKeepsItsLettersAndIsWrittenInWindows1252)
{
    toStepTwo();
    spit(folder / "mac.csv", "# Leica layer file format version 1.0;;;;;;\r# J\xBFrgen \xAFye;;;;;;\r"
                             "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r"
                             "B\xBErelag;0.3;4;1;3.5;1;80\rSand \xD0 fin;0.1;6;2;3;1;60\r");
    open(folder / "mac.csv");
    EXPECT_EQ(recorder.messages,
              std::vector{infoBox(en(55) + path(folder / "mac.csv") + "\n\n" + en(92).replace("%1", "Mac Roman"))});
    next();
    EXPECT_EQ(topTexts(wizard<QTreeWidget>("TreeView1")),
              QStringList({"J\u00F8rgen \u00D8ye", "<Empty>", "<Empty>", "B\u00E6relag", "Sand \u2013 fin"}));
    next();
    next();
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"),
              kHead + "# J\xF8rgen \xD8ye;;;;;;\r\n# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n" + kColumns +
                  "B\xE6relag;0.30;4;1;3.50;1;80\r\nSand \x96 fin;0.10;6;2;3.00;1;60\r\n");
}

// The real box: its buttons carry the captions asked for, or Qt's own.
TEST_F(OpenLayerFile, TheQuestionBoxAnswersNoToEnterAndShowsItsTextAsItIs)
{
    struct Case {
        QString yes, no;
    };
    for (const Case& c : {Case{"Ja", "Nee"}, Case{}}) {
        SCOPED_TRACE(c.yes);
        Prompts::install(nullptr);
        QMessageBox* shown = nullptr;
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!shown)
                return;
            EXPECT_EQ(shown->textFormat(), Qt::PlainText);
            EXPECT_EQ(shown->text(), "Replace <b>all</b>?");
            buttons << shown->button(QMessageBox::Yes)->text() << shown->button(QMessageBox::No)->text();
            QTest::keyClick(shown, Qt::Key_Return);
        });
        const bool yes = prompts().question(windows.Form5.get(), "Replace <b>all</b>?", c.yes, c.no);
        Prompts::install(&recorder);
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(yes);
        ASSERT_EQ(buttons.size(), 2);
        if (c.yes.isEmpty())
            EXPECT_TRUE(!buttons[0].isEmpty() && !buttons[1].isEmpty()) << buttons.join(", ");
        else
            EXPECT_EQ(buttons, (QStringList{c.yes, c.no}));
    }
}

// The question's buttons and the file dialog's filters are in the run's language.
TEST_F(OpenLayerFile, TheQuestionsButtonsAndTheFiltersSpeakTheRunsLanguage)
{
    for (const std::int32_t taal : {kEnglish, kDutch, kNorwegian}) {
        SCOPED_TRACE(taal);
        restart();
        seed(taal, 1);
        addLayer(u"Mine", 0.2f);
        start();
        next();
        recorder.answerQuestion(true);
        openCancelled();
        EXPECT_EQ(recorder.questionButtons, (std::vector{QStringList{catalogue(taal, 59), catalogue(taal, 60)}}));
        ASSERT_EQ(recorder.fileRequests.size(), 1u);
        EXPECT_EQ(recorder.fileRequests[0].filters, (QStringList{catalogue(taal, 61), catalogue(taal, 62)}));
        EXPECT_EQ(run.layers[0].Name, u"Mine");
    }
}

class OpenLayerFileButton : public WizardTest, public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(OpenLayerFileButton, IsOnStepTwoOnlyAndCarriesItsTextInTheLanguage)
{
    const std::int32_t taal = GetParam();
    seed(taal, 1);
    run.layers[0].Name = u"A";
    run.layers[1].Name = u"B";
    run.lagen = 2;
    start();
    auto* button = wizard<QPushButton>("BitBtn4");
    EXPECT_EQ(button->text(), catalogue(taal, 54));
    EXPECT_FALSE(button->text().isEmpty());
    EXPECT_EQ(button->accessibleName(), catalogue(taal, 54));
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_TRUE(button->isHidden());
    next();
    EXPECT_FALSE(button->isHidden());
    EXPECT_TRUE(button->isEnabled());
    wizard("Button3")->setEnabled(true);  // as a chosen model does
    next();
    EXPECT_TRUE(button->isHidden());
    next();
    EXPECT_TRUE(button->isHidden());
    back();
    back();
    EXPECT_FALSE(button->isHidden());
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, OpenLayerFileButton, ::testing::Values(kEnglish, kDutch, kNorwegian),
                         [](const auto& info) { return std::to_string(info.param); });
