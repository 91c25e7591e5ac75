// Walks the wizard through every step and opens every dialog, in each
// language, and saves a picture of each in the folder given as argument.
#include "../gui/person.h"
#include "../gui/recorder.h"

#include "app/qtext.h"
#include "app/settings.h"
#include "app/windows.h"
#include "comments/bewerkcommentaar.h"
#include "layeredit/layeredit.h"
#include "layeredit/templatestore.h"
#include "wizard/form5.h"
#include "wizard/rundata.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>

using namespace kobalin;

namespace {

QString outFolder;
bool allSaved = true;

void save(QWidget* window, const QString& name)
{
    QApplication::processEvents();
    const QString file = QDir(outFolder).filePath(name + ".png");
    if (!window->grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        allSaved = false;
    } else
        std::printf("%s\n", qPrintable(file));
}

void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

void shoot(std::int32_t taal, const char* language)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    {
        auto key = openSettingsKey(kSettingsKey);
        key->writeInteger(u"taal", taal);
        key->writeInteger(u"koppel", 1);
        key->close();
    }
    addTemplate({u"Sub-base", 0.1, 6, 2, 3.0, 1, 60});
    addTemplate({u"Top layer", 0.3, 4, 1, 3.5, 1, 80});
    addTemplate({u"Crushed rock 0/32 in two lifts", -0.45, 10, 2, 2.5, 1, 100});

    Recorder prompts;
    Prompts::install(&prompts);
    RunData run;
    Windows w = createWindows(run);
    TForm5& wizard = *w.Form5;
    auto named = [&](const char* name) { return wizard.findChild<QWidget*>(name); };
    const QString prefix = QString(language) + "-";
    wizard.show();
    // The window initialises itself once it is active.
    for (int i = 0; i < 500 && run.pagina == 0; ++i)
        QTest::qWait(10);
    if (run.pagina == 0) {
        std::fprintf(stderr, "the wizard window was never activated\n");
        allSaved = false;
    }
    save(&wizard, prefix + "1-welcome");

    prompts.answerDialog([&](QDialog& d) {
        for (auto* item : d.findChildren<QRadioButton*>())
            if (item->text() == "Nederlands")
                click(item);
        save(&d, prefix + "language-dialog");
        d.close();
    });
    click(named("BitBtn1"));

    click(named("Button3"));
    // The model's folder exists, so that step 5 writes the file beside it.
    QDir(home.path()).mkpath("jobs");
    prompts.chooseFile(QDir(home.path()).filePath("jobs/A12 north.xml"));
    click(named("Edit1"));
    save(&wizard, prefix + "2-reference-file");

    click(named("Button3"));
    for (const char* line : {"Road A12, km 10 to 14", "North lane"}) {
        click(named("Edit2"));
        QTest::keyClicks(named("Edit2"), line);
        click(named("BitBtn2"));
    }
    click(named("Edit2"));
    QTest::keyClicks(named("Edit2"), "Third line");
    save(&wizard, prefix + "3-comments");

    prompts.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        // The open template list with the values beside the names, and the fields' menu.
        QTest::keyClick(d.ComboBox1, Qt::Key_Down, Qt::AltModifier);
        save(d.ComboBox1->view()->window(), prefix + "template-list");
        QTest::keyClick(d.ComboBox1->view(), Qt::Key_Escape);
        QMenu* menu = rightClick(d.ComboBox1->lineEdit());
        save(menu, prefix + "template-menu");
        menu->close();
        chooseInList(d.ComboBox1, 1);
        save(&d, prefix + "layer-editor");
        click(d.Button1);
    });
    click(named("Button3"));
    prompts.answerDialog([&](QDialog& dialog) {
        auto& d = static_cast<TLayeredit&>(dialog);
        chooseInList(d.ComboBox1, 0);
        click(d.Button1);
    });
    click(named("BitBtn3"));
    auto* tree = wizard.findChild<QTreeWidget*>("TreeView1");
    tree->topLevelItem(3)->setExpanded(true);
    tree->setCurrentItem(tree->topLevelItem(3)->child(0));
    save(&wizard, prefix + "4-layers");

    tree->setCurrentItem(tree->topLevelItem(1));
    prompts.answerDialog([&](QDialog& d) {
        save(&d, prefix + "comment-editor");
        d.close();
    });
    clickMenuItem(rightClick(tree->viewport(), tree->visualItemRect(tree->topLevelItem(1)).center()),
                  wizard.findChild<QAction*>("edit3"));
    auto* menu = rightClick(tree->viewport(), tree->visualItemRect(tree->topLevelItem(4)).center());
    QApplication::processEvents();
    save(menu, prefix + "tree-menu");
    menu->close();

    // A road's build-up of seven layers, from 5 cm lifts to 20 cm ones.
    const std::pair<const char*, const char*> road[] = {
        {"Binder", "0.20"}, {"Base", "0.15"}, {"Formation", "0.00"}, {"Fill 2", "-0.20"}, {"Fill 1", "-0.40"}};
    for (const auto& [name, offset] : road) {
        prompts.answerDialog([&](QDialog& dialog) {
            auto& d = static_cast<TLayeredit&>(dialog);
            for (QWidget* field : {static_cast<QWidget*>(d.ComboBox1), static_cast<QWidget*>(d.Edit2)}) {
                QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(field, field == d.ComboBox1 ? name : offset);
            }
            click(d.Button1);
        });
        click(named("BitBtn3"));
    }
    save(&wizard, prefix + "4-road-build-up");

    click(named("Button3"));
    save(&wizard, prefix + "5-written");
    // The layer sheet; kobalin.sh turns its first and its last page into pictures.
    prompts.chooseFile(QDir(outFolder).filePath(prefix + "layer-sheet.pdf"));
    click(named("BitBtn5"));
    Prompts::install(nullptr);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    outFolder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outFolder);
    shoot(kEnglish, "en");
    shoot(kDutch, "nl");
    shoot(kNorwegian, "no");
    shoot(kSwedish, "sv");
    shoot(kFrench, "fr");
    shoot(kDanish, "da");
    return allSaved ? 0 : 1;
}
