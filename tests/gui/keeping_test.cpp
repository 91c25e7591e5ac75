// Nothing the operator did is lost: every change of the run is kept at once
// until its layer file is written, the next start offers it back, and a layer
// file of another job is copied aside before step 5 replaces it. All by clicks
// and typing; the crash is a real process killed.
#include "wizardtest.h"

#include "person.h"

#include "layeredit/layeredit.h"
#include "wizard/keptrun.h"
#include "wizard/layerfile.h"
#include "wizard/replacedfiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <cstdlib>
#include <filesystem>
#include <functional>

#ifdef _WIN32
#include <windows.h>
#endif

using namespace kobalin;
namespace fs = std::filesystem;

namespace {

QString qpath(const fs::path& file) { return QString::fromStdU16String(file.u16string()); }

Recorder::DialogScript typedLayer(const QString& name, const QString& offset)
{
    return [=](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        retype(d.ComboBox1->lineEdit(), name);
        retype(d.Edit2, offset);
        QTest::mouseClick(d.Button1, Qt::LeftButton);
    };
}

}  // namespace

class KeepingTheRun : public WizardTest {
protected:
    fs::path jobs() const { return folder / "jobs"; }
    QString model() const { return qpath(jobs() / "road.xml"); }

    // The run is written on a thread of its own: waits until it is on disk.
    void settled() const
    {
        if (windows.Form5)
            windows.Form5->settleKeeping();
    }

    // The recovery files there are, once the window has kept what it had.
    std::vector<fs::path> runFiles() const
    {
        settled();
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::directory_iterator it(keptRunsFolder(), ec), end; !ec && it != end; it.increment(ec))
            if (it->path().extension() == ".run")
                files.push_back(it->path());
        return files;
    }

    // The run as this copy keeps it now.
    KeptRun kept() const
    {
        const std::vector<fs::path> files = runFiles();
        EXPECT_EQ(files.size(), 1u);
        const KeptRunReading reading = readKeptRun(files.empty() ? std::string() : slurp(files[0]));
        EXPECT_EQ(reading.fault, KeptRunFault::None);
        return reading.kept;
    }

    // A run as an operator makes it: the model, one comment line, two layers.
    void enterARun()
    {
        fs::create_directories(jobs());
        next();
        recorder.chooseFile(model());
        clickWizard("Edit1");
        next();
        clickWizard("Edit2");
        typeText(wizard("Edit2"), "Road A12");
        clickWizard("BitBtn2");
        recorder.answerDialog(typedLayer("Top", "0.30"));
        next();
        recorder.answerDialog(typedLayer("Base", "0.10"));
        clickWizard("BitBtn3");
        ASSERT_EQ(run.lagen, 2);
    }

    void select(int absolute)
    {
        auto* tree = wizard<QTreeWidget>("TreeView1");
        QTreeWidgetItemIterator it(tree);
        for (int i = 0; i < absolute && *it; ++i)
            ++it;
        if ((*it)->parent())
            (*it)->parent()->setExpanded(true);
        tree->scrollToItem(*it);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(*it).center());
    }

    // A command of the tree's menu, opened with a right click on the selected node.
    void menu(const char* item)
    {
        auto* tree = wizard<QTreeWidget>("TreeView1");
        const QPoint at = tree->visualItemRect(tree->selectedItems().value(0)).center();
        clickMenuItem(rightClick(tree->viewport(), at), windows.Form5->findChild<QAction*>(item));
    }
};

TEST_F(KeepingTheRun, EveryChangeIsKeptAtOnceAndNothingBeforeTheFirst)
{
    seed(kEnglish, 0);
    start();
    next();
    back();
    EXPECT_TRUE(runFiles().empty()) << "walking the steps changes nothing";

    fs::create_directories(jobs());
    spit(jobs() / "yesterday.csv", "# Leica layer file format version 1.0;;;;;;\r\n# Old;;;;;;\r\nName;Offset;"
                                   "PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_"
                                   "Target\r\nOld;0.50;1;1;1.00;1;1\r\n");
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<void(const KeptRun&)> check;
    };
    const Case cases[] = {
        {"the model chosen",
         [&] {
             next();
             recorder.chooseFile(model());
             clickWizard("Edit1");
         },
         [&](const KeptRun& k) { EXPECT_EQ(QString::fromStdU16String(k.run.model), model()); }},
        {"a layer file opened",
         [&] {
             recorder.chooseFile(qpath(jobs() / "yesterday.csv"));
             clickWizard("BitBtn4");
         },
         [](const KeptRun& k) {
             EXPECT_EQ(k.run.commentaar1, u"Old");
             ASSERT_EQ(k.run.lagen, 1);
             EXPECT_EQ(k.run.layers[0].Name, u"Old");
         }},
        {"a comment line added",
         [&] {
             next();
             clickWizard("Edit2");
             typeText(wizard("Edit2"), "Road A12");
             clickWizard("BitBtn2");
         },
         [](const KeptRun& k) {
             EXPECT_EQ(k.run.commentaar2, u"Road A12");
             EXPECT_EQ(k.run.commentaar, 2);
         }},
        {"a comment line edited",
         [&] {
             select(1);
             recorder.answerDialog([](QDialog& d) {
                 retype(d.findChild<QLineEdit*>("Edit1"), "Road A13");
                 QTest::mouseClick(d.findChild<QPushButton*>("Button1"), Qt::LeftButton);
             });
             menu("edit3");
         },
         [](const KeptRun& k) { EXPECT_EQ(k.run.commentaar2, u"Road A13"); }},
        {"a comment line reset",
         [&] {
             select(0);
             menu("edit4");
         },
         [](const KeptRun& k) { EXPECT_EQ(k.run.commentaar1, kEmptyComment); }},
        {"a layer added with New Layer",
         [&] {
             next();
             recorder.answerDialog(typedLayer("Top", "0.30"));
             clickWizard("BitBtn3");
         },
         [](const KeptRun& k) {
             ASSERT_EQ(k.run.lagen, 2);
             EXPECT_EQ(k.run.layers[0].Name, u"Old");  // 0.50 above 0.30
             EXPECT_EQ(k.run.layers[1].Name, u"Top");
         }},
        {"a layer edited",
         [&] {
             select(3 + 7);
             recorder.answerDialog([](QDialog& dialog) {
                 auto& d = static_cast<TLayeredit&>(dialog);
                 retype(d.ComboBox1->lineEdit(), "Sub");
                 QTest::mouseClick(d.Button1, Qt::LeftButton);
             });
             menu("edit3");
         },
         [](const KeptRun& k) { EXPECT_EQ(k.run.layers[1].Name, u"Sub"); }},
        {"a layer deleted",
         [&] {
             select(3);
             menu("edit4");
         },
         [](const KeptRun& k) {
             ASSERT_EQ(k.run.lagen, 1);
             EXPECT_EQ(k.run.layers[0].Name, u"Sub");
         }},
        {"the link box changed", [&] { clickCheckBox(wizard("CheckBox1")); },
         [](const KeptRun& k) { EXPECT_TRUE(k.linked); }},
        {"the last layer deleted, the editor adding one at once",
         [&] {
             select(3);
             recorder.answerDialog(typedLayer("Fill", "0.05"));
             menu("edit4");
         },
         [](const KeptRun& k) {
             ASSERT_EQ(k.run.lagen, 1);
             EXPECT_EQ(k.run.layers[0].Name, u"Fill");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.act();
        c.check(kept());
    }
    EXPECT_TRUE(recorder.messages.size() == 1 && recorder.messages[0].kind == Recorder::Message::Info)
        << "only the box of the file opened";
}

// Abort, and the next start offers the run: in the run's language, Yes the
// default; Yes puts it back, step 2 counts its model as chosen, and step 5
// writes it where its model is, whatever the settings named meanwhile.
TEST_F(KeepingTheRun, AfterAbortTheNextStartOffersTheRunAndYesPutsItBack)
{
    seed(kDutch, 0);
    start();
    enterARun();
    clickCheckBox(wizard("CheckBox1"));
    const KeptRun before = kept();
    clickWizard("Button4");
    ASSERT_FALSE(windows.Form5->isVisible());

    auto key = openSettingsKey(kSettingsKey);
    key->writeString(u"meetfile", u"/elsewhere/other.xml_layer.csv");
    key->writeString(u"initdir", u"/elsewhere");
    key->close();
    restart();
    recorder.whileShown = [&] { EXPECT_EQ(wizard<QPushButton>("Button3")->text(), ">> Verder") << "texts set first"; };
    recorder.answerQuestion(true);
    start();
    recorder.whileShown = nullptr;
    EXPECT_EQ(recorder.questions, std::vector{qs(restoreQuestion(before, kDutch))});
    EXPECT_EQ(recorder.questionButtons, (std::vector{QStringList{"Ja", "Nee"}}));
    EXPECT_EQ(recorder.questionDefaults, std::vector{Prompts::Default::Yes});
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_TRUE(wizard<QCheckBox>("CheckBox1")->isChecked());

    next();
    EXPECT_EQ(wizard<QLineEdit>("Edit1")->text(), model());
    EXPECT_EQ(wizard<QLabel>("Label23")->text(), "road.xml");
    EXPECT_EQ(wizard<QLabel>("Label9")->text(), "road.xml_layer.csv");
    ASSERT_TRUE(wizard("Button3")->isEnabled()) << "the model counts as chosen";
    next();
    auto* tree = wizard<QTreeWidget>("TreeView1");
    ASSERT_EQ(tree->topLevelItemCount(), 5);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Road A12");
    EXPECT_EQ(tree->topLevelItem(3)->text(0), "Top");
    EXPECT_EQ(run.commentaar, 1);
    EXPECT_TRUE(wizard("BitBtn2")->isEnabled()) << "the + keeps its count";
    next();
    EXPECT_TRUE(wizard("Button3")->isEnabled());
    next();
    EXPECT_EQ(slurp(jobs() / "road.xml_layer.csv"), layerFileContent(before.run));
    EXPECT_TRUE(runFiles().empty()) << "written: nothing left to keep";

    // Walked back and forth unchanged: still nothing; changed at step 5: kept again.
    back();
    next();
    EXPECT_TRUE(runFiles().empty());
    select(3);
    menu("edit4");
    EXPECT_TRUE(runFiles().empty()) << "step 5 wrote the change at once";
    clickCheckBox(wizard("CheckBox1"));
    EXPECT_EQ(kept().linked, false) << "the file of the other name is not written yet";
    clickCheckBox(wizard("CheckBox1"));
    EXPECT_TRUE(runFiles().empty());

    restart();
    start();
    EXPECT_TRUE(recorder.questions.empty());
}

TEST_F(KeepingTheRun, NoRemovesTheKeptRun)
{
    seed(kNorwegian, 1);
    start();
    enterARun();
    clickWizard("Button4");
    restart();
    recorder.answerQuestion(false);
    start();
    EXPECT_EQ(recorder.questionButtons, (std::vector{QStringList{"Ja", "Nei"}}));
    EXPECT_EQ(run.lagen, 0);
    EXPECT_EQ(run.commentaar1, kEmptyComment);
    EXPECT_TRUE(runFiles().empty());
    next();
    EXPECT_FALSE(wizard("Button3")->isEnabled()) << "no model chosen in this run";
    restart();
    start();
    EXPECT_TRUE(recorder.questions.empty());
}

// A first start asks for the language first, then offers the run in English.
TEST_F(KeepingTheRun, AFirstStartAsksForTheLanguageBeforeOfferingTheRun)
{
    RunData entered;
    entered.commentaar1 = u"Road A12";
    entered.commentaar2 = entered.commentaar3 = kEmptyComment;
    entered.commentaar = 1;
    RunKeeper(keptRunsFolder()).keep(keptRunFile(keptRunBody(entered, false), 1741963320));
    recorder.answerDialog([&](QDialog& d) {
        EXPECT_TRUE(recorder.questions.empty()) << "the question waits for the language";
        d.close();
    });
    recorder.answerQuestion(true);
    start();
    ASSERT_EQ(recorder.questions.size(), 1u);
    EXPECT_EQ(recorder.questionButtons, (std::vector{QStringList{"Yes", "No"}}));
    EXPECT_EQ(run.commentaar1, u"Road A12");
}

// Files that cannot be offered are set aside and named, the newest whole one
// is offered, and the start goes on; a run of 999 layers comes back whole.
TEST_F(KeepingTheRun, FilesThatCannotBeOfferedAreSetAsideAndTheNewestComesBack)
{
    RunData full;
    full.commentaar1 = full.commentaar2 = full.commentaar3 = kEmptyComment;
    for (int k = 0; k < kMaxLayers; ++k)
        full.layers[static_cast<std::size_t>(k)] = TLayerRecord{u"L" + std::u16string(1, char16_t(u'A' + k % 26)),
                                                                static_cast<float>(kMaxLayers - k) / 100.0f,
                                                                4,
                                                                1,
                                                                3.5f,
                                                                1,
                                                                80};
    full.lagen = kMaxLayers;
    const std::string whole = keptRunFile(keptRunBody(full, false), 1741963320);
    const fs::path runs = keptRunsFolder();
    spit(runs / "run-1-1-0.run", whole);
    spit(runs / "run-2-2-0.run", "");
    spit(runs / "run-3-3-0.run", whole.substr(0, whole.size() / 2));
    spit(runs / "run-4-4-0.run", keptRunFile(keptRunBody(full, false), 1741963320 - 60));
    seed(kEnglish, 0);
    recorder.answerQuestion(true);
    start();
    recorder.expectAllAnswersUsed();

    ASSERT_EQ(recorder.messages.size(), 1u);
    const QString told = recorder.messages[0].text;
    EXPECT_TRUE(told.startsWith(en(101) + "\n")) << told;
    for (const char* name : {"run-2-2-0.run.unreadable", "run-3-3-0.run.unreadable", "run-4-4-0.run.not-offered"}) {
        EXPECT_TRUE(told.contains(qpath(runs / name))) << name;
        EXPECT_TRUE(fs::exists(runs / name)) << name;
    }
    EXPECT_FALSE(told.contains("run-1-1-0")) << "the one offered";
    ASSERT_EQ(recorder.questions.size(), 1u);
    EXPECT_TRUE(recorder.questions[0].contains("(layers: 999, comment lines: 0)")) << recorder.questions[0];

    next();
    EXPECT_FALSE(wizard("Button3")->isEnabled()) << "a run without a model: one must still be chosen";
    ASSERT_EQ(run.lagen, kMaxLayers);
    fs::create_directories(jobs());
    recorder.chooseFile(model());
    clickWizard("Edit1");
    EXPECT_EQ(layerFileContent(run), layerFileContent(full));
    next();
    EXPECT_EQ(wizard<QTreeWidget>("TreeView1")->topLevelItemCount(), 3 + kMaxLayers);
}

// Where the run cannot be kept (here no folder can be made for it) the
// operator is told once, not at every change, and work goes on.
TEST_F(KeepingTheRun, AKeepThatFailsIsToldOnce)
{
    spit(keptRunsFolder(), "a file where the folder would be");
    seed(kEnglish, 1);
    start();
    next();
    fs::create_directories(jobs());
    recorder.chooseFile(model());
    clickWizard("Edit1");
    next();
    for (const char* line : {"one", "two"}) {
        clickWizard("Edit2");
        typeText(wizard("Edit2"), line);
        clickWizard("BitBtn2");
        settled();
    }
    EXPECT_EQ(recorder.messages, std::vector{errorBox(en(104) + qpath(keptRunsFolder()))});
    EXPECT_EQ(run.commentaar2, u"two");

    // Once it can be kept again, it is, and nothing more is told.
    fs::remove(keptRunsFolder());
    clickWizard("Edit2");
    typeText(wizard("Edit2"), "three");
    clickWizard("BitBtn2");
    EXPECT_EQ(kept().run.commentaar3, u"three");
    EXPECT_EQ(recorder.messages.size(), 1u);

#ifndef _WIN32
    // A later failure is told again (the folder goes under the open lock,
    // which Windows would not allow).
    fs::remove_all(keptRunsFolder());
    spit(keptRunsFolder(), "a file where the folder would be");
    select(0);
    menu("edit4");  // the first comment line reset
    settled();
    EXPECT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(run.commentaar1, kEmptyComment);
#endif
}

// With the box not ticked every model in a folder shares _layer.csv.
TEST_F(KeepingTheRun, AnotherJobsLayerFileIsCopiedAsideAndTheBoxSaysWhere)
{
    struct Case {
        const char* what;
        bool copiesBlocked;
    };
    for (const Case& c : {Case{"copied", false}, Case{"no folder for copies", true}}) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        spit(jobs() / "_layer.csv", "another job's");
        if (c.copiesBlocked)
            spit(replacedFilesFolder(), "a file where the folder would be");
        seed(kEnglish, 0);
        start();
        enterARun();
        next();
        const QString written = qpath(jobs() / "_layer.csv");
        ASSERT_FALSE(recorder.messages.empty());
        if (c.copiesBlocked) {
            EXPECT_EQ(recorder.messages.back(), infoBox(en(42) + written + "\n\n" + en(103) + qpath(replacedFilesFolder())));
        } else {
            ASSERT_TRUE(fs::is_directory(replacedFilesFolder()));
            const fs::path copy = fs::directory_iterator(replacedFilesFolder())->path();
            EXPECT_EQ(recorder.messages.back(), infoBox(en(42) + written + "\n\n" + en(102) + qpath(copy)));
            EXPECT_EQ(slurp(copy), "another job's");
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(jobs()), fs::directory_iterator()), 1) << "the layer file alone";

        // Its own file, written again: no copy, no note.
        back();
        next();
        EXPECT_EQ(recorder.messages.back(), infoBox(en(42) + written));
    }
}

// The copy of the program that runs the crash test's other side: it enters a
// run, says so, and waits to be killed. Skipped unless started for that.
TEST_F(KeepingTheRun, ChildEntersARunAndWaitsToBeKilled)
{
    const char* config = std::getenv("KOBALIN_KEEPING_CHILD");
    if (!config)
        GTEST_SKIP() << "started only by AKilledCopysRunComesBackAndALiveOnesIsNotOffered";
    const fs::path shared = config;
    fs::remove_all(folder);
    folder = shared;
#ifdef _WIN32
    SetEnvironmentVariableW(L"LOCALAPPDATA", (shared / "local").wstring().c_str());
#else
    ::setenv("XDG_CONFIG_HOME", (shared / "config").c_str(), 1);
#endif
    // Seeded here: on Windows this copy's set-up has just emptied the one
    // registry key both copies read.
    seed(kEnglish, 1);
    start();
    enterARun();
    settled();
    spit(shared / "entered", "");
    for (;;)
        QTest::qWait(50);
}

// The crash: a real process, killed (SIGKILL; TerminateProcess on Windows).
// While it runs its run is not offered; once killed, it is, whole.
TEST_F(KeepingTheRun, AKilledCopysRunComesBackAndALiveOnesIsNotOffered)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("KOBALIN_KEEPING_CHILD", qpath(folder));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=KeepingTheRun.ChildEntersARunAndWaitsToBeKilled"});
    ASSERT_TRUE(child.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(folder / "entered"); }, 60000)) << child.readAll().toStdString();
    ASSERT_EQ(runFiles().size(), 1u);

    start();
    EXPECT_TRUE(recorder.questions.empty()) << "the live copy's run is its own";
    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

    restart();
    recorder.answerQuestion(true);
    start();
    ASSERT_EQ(recorder.questions.size(), 1u);
    EXPECT_TRUE(recorder.questions[0].contains("(layers: 2, comment lines: 1)")) << recorder.questions[0];
    ASSERT_EQ(run.lagen, 2);
    EXPECT_EQ(run.layers[0].Name, u"Top");
    EXPECT_EQ(run.commentaar1, u"Road A12");
    EXPECT_EQ(run.model, model().toStdU16String());
}
