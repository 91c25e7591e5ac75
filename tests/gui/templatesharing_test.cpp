// The templates in sight in the name field's open list, and shared as a
// layer file through the fields' menu.
#include "wizardtest.h"

#include <QDir>

#include "editorfields.h"
#include "person.h"
#include "templatefill.h"

#include "layeredit/layeredit.h"
#include "layeredit/templatestore.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolTip>

#include <filesystem>
#include <functional>

using namespace kobalin;

namespace {

using Names = std::vector<std::u16string>;

LayerTemplate entry(std::u16string name, std::int32_t cmv) { return {std::move(name), 0.2, 5, 3, 4.5, 2, cmv}; }

std::vector<std::int32_t> storedCmvs()
{
    std::vector<std::int32_t> cmvs;
    for (const StoredTemplate& t : readTemplates())
        cmvs.push_back(t.values.compactionTarget.value_or(-1));
    return cmvs;
}

const std::string kHead = "# Leica layer file format version 1.0;;;;;;\r\n"
                          "# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n"
                          "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n";

}  // namespace

class TemplateSharing : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 1);
        start();
    }

    // Goes on to the layers step, where the editor opens by itself, and drives it with script.
    void inEditor(std::function<void(TLayeredit&)> script)
    {
        recorder.answerDialog([script](QDialog& d) { script(static_cast<TLayeredit&>(d)); });
        while (run.pagina < 4) {
            wizard("Button3")->setEnabled(true);  // as a chosen reference file would
            next();
        }
        recorder.expectAllAnswersUsed();
    }

    // A command of the fields' menu, opened with a right click in the name field.
    void command(TLayeredit& d, QAction* item) { clickMenuItem(rightClick(d.ComboBox1->lineEdit()), item); }

    QString path(const char* name) { return QString::fromStdString((folder / name).string()); }
};

TEST_F(TemplateSharing, TheOpenListShowsEachTemplatesValuesInColumns)
{
    storeOnly({{u"Clay", -0.1, 6, 1, 2.0, 1, 70},
               {u"Sand", 0.8, 8, 3, 4.5, 2, 90},
               {u"Fine sand", 0.8, 8, 3, 4.5, 2, 90},
               {u"Silt", 0.8, 8, 3, 4.5, 2, 95}});
    inEditor([&](TLayeredit& d) {
        QTest::keyClick(d.ComboBox1, Qt::Key_Down, Qt::AltModifier);
        QAbstractItemView* list = d.ComboBox1->view();
        ASSERT_TRUE(list->isVisible());
        // Wide enough for names and values, however narrow the field, and on the screen.
        EXPECT_GE(list->viewport()->width(), list->sizeHintForColumn(0));
        EXPECT_TRUE(list->screen()->availableGeometry().contains(list->window()->frameGeometry()));

        // Equal values line up whatever the name's length; other values draw otherwise.
        const QImage image = list->viewport()->grab().toImage();
        auto values = [&](int row) {
            QRect rect = list->visualRect(list->model()->index(row, 0));
            rect.setLeft(rect.center().x());
            // The pixels wholly inside the row: at 150 % its edges fall on half pixels.
            const qreal scale = image.devicePixelRatio();
            return image.copy(QRect(rect.topLeft() * scale, rect.size() * scale).adjusted(0, 1, 0, -1));
        };
        EXPECT_TRUE(values(1) == values(2)) << "equal values, other columns";
        EXPECT_TRUE(values(2) != values(3)) << "another CMV, the same picture";

        // Each item's tooltip says its values.
        const QRect fine = list->visualRect(list->model()->index(2, 0));
        QTest::mouseMove(list->viewport(), fine.center());
        QTRY_VERIFY(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), "Offset (m): 0.80\nPasscount Target #: 8\nTargetspeed km/h: 4.50\nCMV Target: 90");

        // The item is still the bare name, and taken as before.
        QTest::keyClick(list, Qt::Key_Return);
        EXPECT_EQ(shown(d), (Shown{"Fine sand", "   0.80", 8, 3, "   4.50", 2, 90}));
        d.close();
    });
    EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(TemplateSharing, ExportWritesTheListAsALayerFile)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    struct Case {
        const char* what;
        std::vector<LayerTemplate> templates;
        std::optional<QString> chosen;  // nothing: the dialog is cancelled or never opens
        bool asked;
        std::vector<Recorder::Message> told;
        std::string written;
    };
    const QString shared = path("shared.csv");
    const QString nowhere = path("no such folder/shared.csv");
    const Case cases[] = {
        {"two templates",
         {{u"Top", 0.0150000001, 4, 1, 3.456, 1, 80}, {u"Base", -0.1, 6, 2, 2.5, 0, 60}},
         shared,
         true,
         {infoBox(en(143) + shared)},
         kHead + "Top;0.01;4;1;3.46;1;80\r\nBase;-0.10;6;2;2.50;0;60\r\n"},
        {"no templates", {}, std::nullopt, false, {infoBox(en(142))}, ""},
        {"a count the file cannot hold",
         {entry(u"A", 50), entry(u"B", 150)},
         std::nullopt,
         false,
         {errorBox(en(145) + "B")},
         ""},
        {"a folder that is not there",
         {entry(u"A", 50)},
         nowhere,
         true,
         {errorBox(en(144) + QDir::toNativeSeparators(nowhere))},
         ""},
        {"the dialog cancelled", {entry(u"A", 50)}, std::nullopt, true, {}, ""},
    };
    inEditor([&](TLayeredit& d) {
        EXPECT_EQ(d.Exporteren1->text(), "Export templates...");
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            std::filesystem::remove(folder / "shared.csv");
            recorder.messages.clear();
            recorder.fileRequests.clear();
            storeOnly(c.templates);
            if (c.asked)
                recorder.chooseFile(c.chosen);
            command(d, d.Exporteren1);
            recorder.expectAllAnswersUsed();
            EXPECT_EQ(recorder.messages, c.told);
            ASSERT_EQ(recorder.fileRequests.size(), c.asked ? 1u : 0u);
            if (c.asked) {
                EXPECT_EQ(recorder.fileRequests[0].selected, documents + "/kobalin-templates.csv");
                EXPECT_EQ(recorder.fileRequests[0].filters, (QStringList{en(61), en(62)}));
            }
            EXPECT_EQ(slurp(folder / "shared.csv"), c.written);
        }
        d.close();
    });
}

TEST_F(TemplateSharing, ImportAddsTheFilesLayersAfterOneQuestion)
{
    const std::string file = kHead + "B;0.20;5;3;4.50;2;21\r\nC;0.20;5;3;4.50;2;31\r\nD.x;0.20;5;3;4.50;2;41\r\n";
    const Names ninetyNine(99, u"T");
    struct Case {
        const char* what;
        Names listed;
        std::string bytes;        // the file chosen; empty: a folder is chosen
        std::optional<bool> yes;  // the answer to the question about B
        std::vector<Recorder::Message> told;
        Names names;                     // the list afterwards; empty: as before
        std::vector<std::int32_t> cmvs;  // their CMVs, when given
    };
    const QString refused = en(56) + "1: " + en(64);
    const Case cases[] = {
        {"Yes overwrites B in place",
         {u"A", u"B"},
         file,
         true,
         {errorBox(en(53)), infoBox("Templates imported: 2 added, 1 overwritten.")},
         {u"A", u"B", u"C", u"D"},
         {0, 21, 31, 41}},
        {"No keeps B",
         {u"A", u"B"},
         file,
         false,
         {errorBox(en(53)), infoBox("Templates imported: 2 added, 0 overwritten.")},
         {u"A", u"B", u"C", u"D"},
         {0, 1, 31, 41}},
        {"past a hundred", ninetyNine, file, std::nullopt, {errorBox(en(146).arg(99).arg(3))}, ninetyNine, {}},
        {"past a hundred only with Yes",
         [&] {
             Names n(98, u"T");
             n.push_back(u"B");
             return n;
         }(),
         kHead + "B;0.20;5;3;4.50;2;21\r\nB;0.20;5;3;4.50;2;22\r\nC;0.20;5;3;4.50;2;31\r\n",
         true,
         {errorBox(en(146).arg(99).arg(2))},
         {},
         {}},
        {"a file that is no layer file", {u"A"}, "Name;Offset\r\n" + file, std::nullopt, {errorBox(refused)}, {u"A"}, {0}},
        {"a folder", {u"A"}, "", std::nullopt, {errorBox(en(58) + path("in"))}, {u"A"}, {0}},
    };
    inEditor([&](TLayeredit& d) {
        EXPECT_EQ(d.Importeren1->text(), "Import templates...");
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            std::vector<LayerTemplate> listed;
            for (std::size_t i = 0; i < c.listed.size(); ++i)
                listed.push_back(entry(c.listed[i], static_cast<std::int32_t>(i)));
            storeOnly(listed);
            std::filesystem::remove_all(folder / "in");
            if (c.bytes.empty())
                std::filesystem::create_directories(folder / "in");
            else
                spit(folder / "in", c.bytes);
            recorder.messages.clear();
            recorder.questions.clear();
            recorder.chooseFile(path("in"));
            if (c.yes)
                recorder.answerQuestion(*c.yes);
            command(d, d.Importeren1);
            recorder.expectAllAnswersUsed();
            EXPECT_EQ(recorder.messages, c.told);
            if (c.yes) {
                EXPECT_EQ(recorder.questions, std::vector<QString>{en(147).arg("\"B\"")});
            }
            EXPECT_EQ(templateNames(), c.names.empty() ? c.listed : c.names);
            if (!c.cmvs.empty()) {
                EXPECT_EQ(storedCmvs(), c.cmvs);
            }
            EXPECT_EQ(recorder.fileRequests.back().folder,
                      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
            if (c.names.empty())
                continue;
            // The list shows what was imported at once.
            QStringList items;
            for (int i = 0; i < d.ComboBox1->count(); ++i)
                items << d.ComboBox1->itemText(i);
            EXPECT_EQ(items, (QStringList{"A", "B", "C", "D"}));
        }
        d.close();
    });
}

// What the editor shows of each template, chosen from the list, is the same
// after the list went out to a file and came back from it.
TEST_F(TemplateSharing, AHundredTemplatesExportedAndImportedShowTheSameValues)
{
    std::vector<LayerTemplate> entries;
    for (int i = 0; i < kMaxTemplates; ++i) {
        const std::string n = "Layer " + std::to_string(i);
        entries.push_back({std::u16string(n.begin(), n.end()), (i - 50) * 0.137 + (i % 3 ? 0.0049 : 0.0150000001), i % 101,
                           i % 5, 0.5 + i * 0.2999, i % 7, 100 - i});
    }
    storeOnly(entries);
    inEditor([&](TLayeredit& d) {
        auto everyTemplate = [&] {
            std::vector<Shown> all;
            for (int i = 0; i < kMaxTemplates; ++i) {
                chooseInListByKey(d.ComboBox1, i, Qt::Key_Return);
                all.push_back(shown(d));
            }
            return all;
        };
        const std::vector<Shown> before = everyTemplate();
        recorder.chooseFile(path("all.csv"));
        command(d, d.Exporteren1);
        // A new store, whose old values cannot show through.
        storeOnly(std::vector<LayerTemplate>(kMaxTemplates, entry(u"gone", 0)));
        openSettingsKey(kTemplateKey)->writeInteger(u"aantal", 0);
        recorder.chooseFile(path("all.csv"));
        command(d, d.Importeren1);
        EXPECT_EQ(recorder.messages.back(), infoBox("Templates imported: 100 added, 0 overwritten."));
        EXPECT_EQ(everyTemplate(), before);
        d.close();
    });
}
