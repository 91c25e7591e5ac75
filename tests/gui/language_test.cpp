#include "wizardtest.h"

#ifndef _WIN32
#include "app/settingsfile.h"
#endif
#include "i18n/taalkeus.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace kobalin;

namespace {

Recorder::DialogScript choose(const char* language, const char* button = "Button1")
{
    return [language, button](QDialog& d) {
        if (language) {
            for (auto* item : d.findChildren<QRadioButton*>())
                if (item->text() == language)
                    QTest::mouseClick(item, Qt::LeftButton);
        }
        QTest::mouseClick(d.findChild<QPushButton*>(button), Qt::LeftButton);
    };
}

QString selected(Ttaalkeus& d)
{
    for (auto* item : d.findChildren<QRadioButton*>())
        if (item->isChecked())
            return item->text();
    return {};
}

}  // namespace

using Language = WizardTest;

TEST_F(Language, EachLanguageStartsWithItsStoredBaseAndShowsItsTexts)
{
    struct Case {
        std::int32_t taal;
        QString next, abort, step2;  // texts 2, 1 and 16, typed here apart from the catalogue
    };
    const Case cases[] = {
        {kEnglish, ">> Continue", "Abort", "Choose the reference file"},
        {kDutch, ">> Verder", "Afbreken", "Kies de referentie file"},
        {kNorwegian, ">> Fortsett", "Avbryt", "Lagre som"},
        {kSwedish, QString::fromUtf8(">> Fortsätt"), "Avbryt", QString::fromUtf8("Välj referensfilen")},
        {kFrench, ">> Continuer", "Annuler", QString::fromUtf8("Choisir le fichier de référence")},
        {kDanish, QString::fromUtf8(">> Fortsæt"), "Afbryd", QString::fromUtf8("Vælg referencefilen")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taal);
        seed(c.taal, 1);
        restart();
        start();
        EXPECT_TRUE(recorder.dialogsShown.empty()) << "a stored language opens no dialog";
        EXPECT_EQ(run.taal, c.taal);
        EXPECT_EQ(wizard<QPushButton>("Button3")->text(), c.next);
        EXPECT_EQ(wizard<QPushButton>("Button4")->text(), c.abort);
        // Every text the wizard puts up at the start comes from the same language.
        EXPECT_EQ(wizard<QLabel>("Label1")->text(), catalogue(c.taal, 13));
        EXPECT_EQ(wizard<QLabel>("Label2")->text(), catalogue(c.taal, 14));
        EXPECT_EQ(wizard<QPushButton>("Button5")->text(), catalogue(c.taal, 3));
        EXPECT_EQ(wizard("CheckBox1")->property("text").toString(), catalogue(c.taal, 51));
        next();
        EXPECT_EQ(wizard<QLabel>("Label1")->text(), c.step2);
        EXPECT_EQ(wizard("Edit1")->property("text").toString(), catalogue(c.taal, 18));
    }
}

TEST_F(Language, QtsOwnTextsFollowTheRunWhereQtHasThem)
{
    // The first entry of the reference field's context menu: Qt's own "Copy".
    struct Case {
        std::int32_t taal;
        QString copy;
    };
    const Case cases[] = {
        {kDanish, QString::fromUtf8("&Kopiér")},  {kEnglish, "&Copy"}, {kFrench, "Cop&ier"}, {kNorwegian, "&Copy"},
        {kDutch, QString::fromUtf8("&Kopiëren")}, {kSwedish, "&Copy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taal);
        seed(c.taal, 1);
        restart();
        start();
        std::unique_ptr<QMenu> menu(wizard<QLineEdit>("Edit1")->createStandardContextMenu());
        ASSERT_FALSE(menu->actions().isEmpty());
        EXPECT_EQ(menu->actions().first()->text().section('\t', 0, 0), c.copy);
    }
}

TEST_F(Language, ABaseWithoutTextsShowsEmptyTextsAndEmptyMessages)
{
    seed(7000, 0);
    addLayer(u"a", 0.2f);
    addLayer(u"b", 0.2f);
    start();
    EXPECT_TRUE(recorder.dialogsShown.empty());
    for (const char* name : {"Label1", "Button3", "Button5", "Button4", "CheckBox1", "Edit1"})
        EXPECT_EQ(wizard(name)->property("text").toString(), "") << name;
    EXPECT_EQ(windows.Form5->findChild<QAction*>("emplate1")->text(), "");
    EXPECT_EQ(wizard("TreeView1")->toolTip(), "");
    next();
    EXPECT_EQ(wizard<QLabel>("Label1")->text(), "");
    EXPECT_EQ(recorder.messages, std::vector{errorBox("")});
}

TEST_F(Language, OkStoresTheChoiceAndSaysSoInTheChosenLanguage)
{
    struct Case {
        const char* language;
        std::int32_t stored;
        std::vector<Recorder::Message> messages;
    };
    const Case cases[] = {
        {"English", 1000, {infoBox("To activate the choosen language, restart the application.")}},
        {"Nederlands", 2000, {infoBox("Om de gekozen taal te activeren, herstart de applicatie. ")}},
        {"Norsk", 3000, {infoBox(QString::fromUtf8("For å aktivere det valgte språket, start applikasjonen på nytt."))}},
        {"Svenska", 4000, {infoBox(QString::fromUtf8("Starta om programmet för att aktivera det valda språket."))}},
        {"French", 5000, {infoBox(QString::fromUtf8("Redémarrez l'application pour activer la langue choisie."))}},
        {"Dansk", 6000, {infoBox("Genstart programmet for at aktivere det valgte sprog.")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        TearDown();
        SetUp();
        seed(3000, 1);
        start();
        recorder.answerDialog(choose(c.language));
        clickWizard("BitBtn1");
        EXPECT_EQ(storedInteger(u"taal"), c.stored);
        EXPECT_EQ(recorder.messages, c.messages);
        // The running wizard keeps its language.
        EXPECT_EQ(run.taal, 3000);
        EXPECT_EQ(wizard<QPushButton>("Button3")->text(), ">> Fortsett");
    }
}

TEST_F(Language, TheDialogPreselectsTheStoredLanguage)
{
    struct Case {
        std::optional<std::int32_t> stored;
        QString preselected;
    };
    const Case cases[] = {
        {std::nullopt, "English"}, {1000, "English"}, {2000, "Nederlands"}, {3000, "Norsk"},
        {4000, "Svenska"},         {5000, "French"},  {6000, "Dansk"},      {7, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preselected.toStdString());
        TearDown();
        SetUp();
        seed(c.stored, 0);
        recorder.answerDialog([&](QDialog& d) {
            EXPECT_EQ(selected(static_cast<Ttaalkeus&>(d)), c.preselected);
            QTest::mouseClick(d.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        });
        start();  // without a stored language the dialog opens by itself
        if (c.stored)
            clickWizard("BitBtn1");
        EXPECT_EQ(recorder.dialogsShown.size(), 1u);
    }
}

TEST_F(Language, NoSelectionStoresEnglishAndAnUnknownValueKeepsTheLastSelection)
{
    seed(7, 0);
    start();
    recorder.answerDialog(choose(nullptr));
    clickWizard("BitBtn1");
    EXPECT_EQ(storedInteger(u"taal"), 1000);

    // An unknown value leaves what was selected when the dialog last closed.
    recorder.answerDialog(choose("Norsk", "Button2"));
    clickWizard("BitBtn1");
    seed(7, 0);
    recorder.answerDialog([](QDialog& d) {
        EXPECT_EQ(selected(static_cast<Ttaalkeus&>(d)), "Norsk");
        d.close();
    });
    clickWizard("BitBtn1");
}

TEST_F(Language, CancelAndTheCloseBoxStoreNothing)
{
    seed(2000, 0);
    start();
    for (auto script : {choose("Norsk", "Button2"), Recorder::DialogScript([](QDialog& d) {
                            for (auto* item : d.findChildren<QRadioButton*>())
                                if (item->text() == "Norsk")
                                    QTest::mouseClick(item, Qt::LeftButton);
                            d.close();
                        })}) {
        recorder.answerDialog(script);
        clickWizard("BitBtn1");
        EXPECT_EQ(storedInteger(u"taal"), 2000);
        EXPECT_TRUE(recorder.messages.empty());
    }
}

TEST_F(Language, TheNextStartUsesTheNewChoice)
{
    seed(1000, 0);
    start();
    recorder.answerDialog(choose("Nederlands"));
    clickWizard("BitBtn1");
    EXPECT_EQ(wizard<QPushButton>("Button3")->text(), ">> Continue");

    restart();
    start();
    EXPECT_EQ(wizard<QPushButton>("Button3")->text(), ">> Verder");
}

#ifndef _WIN32
// Where the settings live in a file, which can be put out of reach.
TEST_F(Language, AFailedWriteKeepsTheDialogOpenWithoutTheRestartMessage)
{
    seed(1000, 0);
    start();
    const auto file = settingsFilePath();
    const auto folder = file.parent_path();
    recorder.answerDialog([&](QDialog& d) {
        // Make the store unwritable while the dialog is open.
        std::filesystem::remove_all(folder);
        std::ofstream(folder) << "in the way";
        choose("Norsk")(d);
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(recorder.messages.size(), 1u);
        EXPECT_EQ(recorder.messages[0].kind, Recorder::Message::Error);
        // Once the store can be written again, Ok works.
        std::filesystem::remove(folder);
        choose("Norsk")(d);
    });
    clickWizard("BitBtn1");
    EXPECT_EQ(storedInteger(u"taal"), 3000);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[1],
              infoBox(QString::fromUtf8("For å aktivere det valgte språket, start applikasjonen på nytt.")));
}

TEST_F(Language, AFailedWriteIsToldInTheRunsLanguageWithTheSystemsReason)
{
    seed(kDanish, 0);
    start();
    const auto folder = settingsFilePath().parent_path();
    recorder.answerDialog([&](QDialog& d) {
        std::filesystem::remove_all(folder);
        std::ofstream(folder) << "in the way";
        choose("Norsk")(d);
        std::filesystem::remove(folder);
        d.close();
    });
    clickWizard("BitBtn1");
    ASSERT_EQ(recorder.messages.size(), 1u);
    const QStringList lines = recorder.messages[0].text.split('\n');
    ASSERT_EQ(lines.size(), 2) << recorder.messages[0].text.toStdString();
    EXPECT_TRUE(lines[0].startsWith("Indstillingerne kunne ikke gemmes i " + QString::fromStdString(folder.string())))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(":"));
    EXPECT_FALSE(lines[1].trimmed().isEmpty()) << "the system's reason";
}
#endif
