#include "wizardtest.h"

#ifndef _WIN32
#include "app/settingsfile.h"
#endif

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <fstream>

using namespace kobalin;

using Startup = WizardTest;

TEST_F(Startup, FirstStartAsksForALanguageAndRunsInEnglish)
{
    recorder.answerDialog(clickButton("Button2"));  // Cancel
    start();
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"taalkeus"});
    EXPECT_EQ(run.taal, kEnglish);
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), "Welcome to the wizard for creating the layer file for MC1");
    EXPECT_EQ(wizard<QPushButton>("Button3")->text(), ">> Continue");
    EXPECT_FALSE(wizard<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(storedInteger(u"koppel"), 0);
    EXPECT_EQ(storedInteger(u"taal"), std::nullopt);
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(Startup, FallsBackToEnglishWhateverIsChosenOrStored)
{
    struct Case {
        const char* what;
        std::function<void()> prepare;
        const char* chosen;  // the language picked in the dialog, or none: Cancel
        std::optional<std::int32_t> storedTaal;
    };
    const Case cases[] = {
        {"no settings, Dutch chosen", [] {}, "Nederlands", 2000},
        {"taal without koppel", [this] { seed(2000, std::nullopt); }, nullptr, 2000},
        {"koppel without taal", [this] { seed(std::nullopt, 1); }, nullptr, std::nullopt},
        {"taal stored as a string", [] { openSettingsKey(kSettingsKey)->writeString(u"taal", u"2000"); }, nullptr,
         std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        c.prepare();
        recorder.answerDialog([&](QDialog& d) {
            if (c.chosen) {
                for (auto* item : d.findChildren<QRadioButton*>())
                    if (item->text() == c.chosen)
                        click(item);
                click(d.findChild<QPushButton*>("Button1"));
            } else {
                click(d.findChild<QPushButton*>("Button2"));
            }
        });
        start();
        EXPECT_EQ(recorder.dialogsShown.size(), 1u);
        EXPECT_EQ(run.taal, kEnglish);
        EXPECT_EQ(run.koppel, 0);
        EXPECT_EQ(wizard<QPushButton>("Button4")->text(), "Abort");
        EXPECT_FALSE(wizard<QCheckBox>("CheckBox1")->isChecked());
        EXPECT_EQ(storedInteger(u"koppel"), 0);
        EXPECT_EQ(storedInteger(u"taal"), c.storedTaal);
    }
}

TEST_F(Startup, StoredLanguageAndLinkAreUsedAndKoppelWrittenBack)
{
    seed(2000, 5);
    start();
    EXPECT_TRUE(recorder.dialogsShown.empty());
    EXPECT_EQ(run.taal, kDutch);
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), "Welkom bij de wizard voor het aanmaken van de layer file voor MC1");
    EXPECT_EQ(wizard<QPushButton>("Button3")->text(), ">> Verder");
    EXPECT_TRUE(wizard<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(storedInteger(u"koppel"), 5);
}

TEST_F(Startup, TheWindowOpensAtTheWelcomeStep)
{
    seed(1000, 1);
    start();
    EXPECT_EQ(run.pagina, 1);
    EXPECT_FALSE(wizard("Button5")->isEnabled());
    EXPECT_TRUE(wizard("Button3")->isEnabled());
    for (const char* hidden : {"Edit1", "Edit2", "BitBtn2", "BitBtn3", "actie"})
        EXPECT_TRUE(wizard(hidden)->isHidden()) << hidden;
    EXPECT_FALSE(wizard("Image1")->isHidden());
    for (const char* other : {"Image2", "Image3", "Image4", "Image5"})
        EXPECT_TRUE(wizard(other)->isHidden()) << other;
    EXPECT_EQ(run.commentaar1, u"<Empty>");
    EXPECT_EQ(run.commentaar3, u"<Empty>");
    EXPECT_EQ(windows.Form5->windowTitle(), "Kobalin");
}

#ifndef _WIN32
// Where the settings live in a file (on Windows the registry holds them).
TEST_F(Startup, ACorruptSettingsFileIsKeptAndTheProgramRuns)
{
    const auto file = settingsFilePath();
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << "\x01\x02 not a settings file [[[\n\"taal\"=dword:zz\n";
    recorder.answerDialog(clickButton("Button2"));
    start();
    EXPECT_EQ(run.taal, kEnglish);
    EXPECT_EQ(storedInteger(u"koppel"), 0);
    auto bad = file;
    bad += ".bad";
    EXPECT_TRUE(std::filesystem::exists(bad));
}

TEST_F(Startup, AStoreThatCannotBeWrittenIsReportedAndTheWizardStillStarts)
{
    seed(1000, 1);
    const auto folder = settingsFilePath().parent_path();
    // Replace the settings folder by a file: nothing can be written there.
    std::filesystem::rename(settingsFilePath(), this->folder / "kept.reg");
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "in the way";
    recorder.answerDialog(clickButton("Button2"));
    start();
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].kind, Recorder::Message::Error);
    EXPECT_TRUE(recorder.messages[0].text.contains("kobalin.reg")) << recorder.messages[0].text;
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), en(13));
    EXPECT_EQ(run.commentaar2, u"<Empty>");
}
#endif

// The language dialog of a first start belongs to a wizard window that is on
// screen and active, and opens centred on it.
TEST_F(Startup, TheLanguageDialogOpensOverTheActiveWizardWindow)
{
    QPoint dialogCentre, wizardCentre;
    recorder.answerDialog([&](QDialog& d) {
        dialogCentre = d.frameGeometry().center();
        wizardCentre = windows.Form5->frameGeometry().center();
        EXPECT_EQ(d.parentWidget(), windows.Form5.get());
        click(d.findChild<QPushButton*>("Button2"));
    });
    start();
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"taalkeus"});
    EXPECT_EQ(recorder.activeWhenShown, std::vector<QString>{"Form5"}) << "the wizard window was not active";
    EXPECT_LE((dialogCentre - wizardCentre).manhattanLength(), 2) << "dialog not centred on the wizard";
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), en(13));
}

// Where the desktop does not activate the new window, the wizard still starts,
// once, shortly after it is shown; an activation that comes later changes nothing.
TEST_F(Startup, InitialisesOnceEvenWhenTheWindowIsNeverActivated)
{
    // Stands in for a desktop that refuses to activate the window.
    class NoActivation : public QObject {
    public:
        bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ActivationChange; }
    } noActivation;
    windows.Form5->installEventFilter(&noActivation);
    recorder.answerDialog(clickButton("Button2"));  // no settings yet: the language dialog
    start();
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), "Welcome to the wizard for creating the layer file for MC1");
    EXPECT_FALSE(wizard("Button5")->isEnabled());
    windows.Form5->removeEventFilter(&noActivation);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(windows.Form5.get());
    QTest::qWait(50);
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"taalkeus"});
}

// An activation cuts the wait short: the wizard starts as soon as it is
// active, not only when the wait for a desktop that never activates it ends.
TEST_F(Startup, InitialisesAsSoonAsTheWindowIsActive)
{
    seed(kEnglish, 1);
    windows.Form5->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(windows.Form5.get()));
    for (int i = 0; i < 10 && run.pagina == 0; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(run.pagina, 1);
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), en(13));
}
