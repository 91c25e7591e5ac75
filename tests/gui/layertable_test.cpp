// The layer table as a person uses it: a spreadsheet's keys, the real
// clipboard holding what LibreOffice Calc put there (data/README.md), lifts,
// the layer editor's rules, OK, Abort and undo.
#include "wizardtest.h"

#include "person.h"

#include "app/look.h"
#include "wizard/generatelifts.h"
#include "wizard/layerfile.h"
#include "wizard/layergrid.h"
#include "wizard/layertable.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

using namespace kobalin;

namespace {

TLayerRecord layer(std::u16string name, float offset, std::int32_t passes = 4, std::int32_t extra = 1, float speed = 3,
                   std::int32_t cmv = 60)
{
    return {std::move(name), offset, passes, extra, speed, 1, cmv};
}

QString recorded(const char* name)
{
    QFile file(QString(":/clipboard/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

using Rows = std::vector<std::string>;

// Each layer row as shown, its eight cells joined by "|".
Rows shownRows(TLayerTable& d)
{
    QAbstractItemModel* model = d.StringGrid1->model();
    Rows rows;
    for (int row = 0; row + 1 < model->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
        rows.push_back(cells.join('|').toStdString());
    }
    return rows;
}

Rows operator+(Rows a, const Rows& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// What a person does, on whatever has the focus: key sequences ("Tab",
// "Shift+Tab", "Ctrl+D"), text in single quotes, and "Menu" for the table's
// menu opened on the current cell and its Remove rows chosen.
void act(TLayerTable& d, const QString& script)
{
    static const QRegularExpression token("'([^']*)'|(\\S+)");
    for (auto it = token.globalMatch(script); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(2) == "Menu") {
            const QPoint cell = d.StringGrid1->visualRect(d.StringGrid1->currentIndex()).center();
            clickMenuItem(rightClick(d.StringGrid1->viewport(), cell), d.Removerows1);
        } else if (match.capturedLength(1) > 0 || match.captured(2).isEmpty()) {
            for (const QChar c : match.captured(1)) {
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
                QCoreApplication::processEvents();
            }
        } else {
            const QKeyCombination key = QKeySequence(match.captured(2))[0];
            // Shift+Tab arrives as Backtab.
            const bool back = key.key() == Qt::Key_Tab && (key.keyboardModifiers() & Qt::ShiftModifier);
            QTest::keyClick(QApplication::focusWidget(), back ? Qt::Key_Backtab : key.key(), key.keyboardModifiers());
            // Enter in a cell being edited ends the edit from the event loop.
            QCoreApplication::processEvents();
        }
    }
}

QPoint currentCell(TLayerTable& d) { return {d.StringGrid1->currentIndex().row(), d.StringGrid1->currentIndex().column()}; }

void setClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

const std::string kA = "A|0.30|4|1|3.00|1|60|0.20";
const std::string kB = "B|0.10|4|1|3.00|1|60|";

// LibreOffice's six layers, in either language, as the table shows them.
const Rows kBuildUp = {
    "Subgrade|-0.60|6|2|3.00|1|40|",     "Fill 1|-0.45|4|1|3.50|1|60|0.15",      "Fill 2|-0.30|4|1|3.50|1|60|0.15",
    "Sub-base|-0.20|4|1|3.00|1|80|0.10", "Base course|-0.10|4|1|3.00|1|90|0.10", "Asphalt base|0.00|3|1|2.50|1|100|0.10",
};

}  // namespace

class LayerTable : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        seed(kEnglish, 1);
    }

    // To step 4 with these layers; with none, the layer editor that opens there is closed.
    void toLayers(std::initializer_list<TLayerRecord> layers)
    {
        for (const TLayerRecord& r : layers)
            run.layers[run.lagen++] = r;
        start();
        next();
        recorder.chooseFile(QString::fromStdString((folder / "road.xml").string()));
        clickWizard("Edit1");
        next();
        if (run.lagen == 0)
            recorder.answerDialog(closeBox());
        next();
        ASSERT_EQ(run.pagina, 4);
    }

    // Opens the table with its button; script must close it.
    void withTable(std::function<void(TLayerTable&)> script)
    {
        recorder.answerDialog([script](QDialog& d) { script(static_cast<TLayerTable&>(d)); });
        clickWizard("BitBtn6");
    }

    // Abort, saying Yes to dropping the changes when asked.
    void discard(TLayerTable& d, bool changed)
    {
        if (changed)
            recorder.answerQuestion(true);
        click(d.Button3);
        EXPECT_FALSE(d.isVisible());
    }
};

TEST_F(LayerTable, OpensWithTheRunsLayersLargestFirstAndAnEmptyRowToTypeIn)
{
    toLayers({layer(u"Base", -0.2f), layer(u"Top", 0.3f), layer(u"Sub-base", 0.0f)});
    withTable([&](TLayerTable& d) {
        EXPECT_EQ(d.windowTitle(), "Layer table");
        QAbstractItemModel* model = d.StringGrid1->model();
        for (int column = 0; column < 8; ++column)
            EXPECT_EQ(model->headerData(column, Qt::Horizontal).toString(), en(column < 7 ? 30 + column : 110));
        EXPECT_EQ(shownRows(d),
                  Rows({"Top|0.30|4|1|3.00|1|60|0.30", "Sub-base|0.00|4|1|3.00|1|60|0.20", "Base|-0.20|4|1|3.00|1|60|"}));
        EXPECT_EQ(model->headerData(3, Qt::Vertical).toString(), "*");
        EXPECT_EQ(currentCell(d), QPoint(3, 0));
        EXPECT_EQ(QApplication::focusWidget(), d.StringGrid1);
        EXPECT_EQ(d.Button1->text(), "Generate lifts...");
        EXPECT_EQ(d.Button2->text(), "OK");
        EXPECT_EQ(d.Button3->text(), "Abort");
        discard(d, false);
    });
    EXPECT_EQ(recorder.dialogsShown, std::vector<QString>{"LayerTable"});
}

TEST_F(LayerTable, KeysWorkAsInASpreadsheet)
{
    struct Case {
        const char* what;
        const char* script;
        Rows rows;
        QPoint current;
        std::vector<Recorder::Message> messages = {};
    };
    const Case cases[] = {
        {"typing replaces a cell", "Up 'Top' Return", {kA, "Top|0.10|4|1|3.00|1|60|"}, {2, 0}},
        {"F2 edits in place", "Up F2 'x' Return", {kA, "Bx|0.10|4|1|3.00|1|60|"}, {2, 0}},
        {"Escape cancels only the edit", "Up 'Zed' Escape", {kA, kB}, {1, 0}},
        {"Tab crosses the value columns and wraps", "Up Up Tab Tab Tab Tab Tab Tab Tab", {kA, kB}, {1, 0}},
        {"Shift+Tab wraps back", "Up Shift+Tab", {kA, kB}, {0, 6}},
        {"Enter waits in the empty row until a value is typed",
         "Return 'C' Tab '0.2' Return",
         {"A|0.30|4|1|3.00|1|60|0.10", kB, "C|0.20||||||0.10"},
         {3, 1}},
        {"Delete empties the selected cells",
         "Up Up Shift+Down Del",
         {"|0.30|4|1|3.00|1|60|0.20", "|0.10|4|1|3.00|1|60|"},
         {1, 0}},
        {"Ctrl+D fills down from the top row", "Up Tab Tab '9' Return Up Up Shift+Down Ctrl+D", {kA, kB}, {1, 2}},
        {"Ctrl+- removes the selected rows", "Up Ctrl+-", {"A|0.30|4|1|3.00|1|60|"}, {1, 0}},
        {"so does Remove rows in the menu", "Up Up Menu", {"B|0.10|4|1|3.00|1|60|"}, {0, 0}},
        {"Ctrl+Z undoes", "Up 'Top' Return Ctrl+Z", {kA, kB}, {2, 0}},
        {"Ctrl+Y redoes", "Up 'Top' Return Ctrl+Z Ctrl+Y", {kA, "Top|0.10|4|1|3.00|1|60|"}, {2, 0}},
        {"a typed \";\" is dropped", "Up 'Fill;1' Return", {kA, "Fill1|0.10|4|1|3.00|1|60|"}, {2, 0}},
        {"a name ends before \".\" or \",\"",
         "Up 'Fill 1.5' Return",
         {kA, "Fill 1|0.10|4|1|3.00|1|60|"},
         {2, 0},
         {errorBox(kobalin::catalogue(kEnglish, 53))}},
        {"numbers as the layer file has them",
         "Up Tab '-0.6' Return",
         {"A|0.30|4|1|3.00|1|60|0.90", "B|-0.60|4|1|3.00|1|60|"},
         {2, 1}},
    };
    toLayers({layer(u"A", 0.3f), layer(u"B", 0.1f)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorder.messages.clear();
        withTable([&](TLayerTable& d) {
            act(d, c.script);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(shownRows(d), c.rows);
            EXPECT_EQ(currentCell(d), c.current);
            EXPECT_EQ(recorder.messages, c.messages);
            discard(d, c.rows != Rows{kA, kB});
        });
    }
}

TEST_F(LayerTable, PastesWhatASpreadsheetCopiedThroughTheClipboard)
{
    struct Case {
        const char* what;
        QString clipboard;
        const char* before;  // keys before Ctrl+V
        Rows rows;
        std::vector<Recorder::Message> messages = {};
    };
    RunData written;
    written.commentaar1 = written.commentaar2 = written.commentaar3 = u"<Empty>";
    written.layers[0] = layer(u"Top", 0.3f);
    written.layers[1] = layer(u"Base", 0.1f);
    written.lagen = 2;
    const QString mixed = "The pasted numbers mix \",\" and \".\" as the decimal mark. Nothing was pasted. First cell with "
                          "the other mark: Row 2, Offset (m)";
    const QString tooWide =
        "Nothing was pasted, the table is unchanged:\nRow 1: 7 values, from the current column on the table has room for 6";
    const Case cases[] = {
        {"LibreOffice in English", recorded("libreoffice-en-buildup.txt"), "", kBuildUp},
        {"LibreOffice in Dutch: read with \",\" and said once",
         recorded("libreoffice-nl-buildup.txt"),
         "",
         kBuildUp,
         {infoBox(en(118))}},
        {"a thousands separator beside a decimal mark, in English",
         recorded("libreoffice-en-awkward.txt"),
         "",
         {},
         {errorBox(mixed)}},
        {"the same in Dutch", recorded("libreoffice-nl-awkward.txt"), "", {}, {errorBox(mixed)}},
        {"a field past the last column", "0.10\t4\t1\t3\t1\t60\t7\n", "Right", {}, {errorBox(tooWide)}},
        {"rows of a layer file",
         qs(layerFileText(layerFileContent(written))),
         "",
         {"Top|0.30|4|1|3.00|1|60|0.20", "Base|0.10|4|1|3.00|1|60|"}},
    };
    toLayers({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorder.messages.clear();
        setClipboard(c.clipboard);
        withTable([&](TLayerTable& d) {
            act(d, QString(c.before) + " Ctrl+V");
            EXPECT_EQ(shownRows(d), c.rows);
            EXPECT_EQ(recorder.messages, c.messages);
            discard(d, !c.rows.empty());
        });
    }
}

TEST_F(LayerTable, CopiesTheSelectedCellsAsTabSeparatedText)
{
    toLayers({layer(u"A", 0.3f), layer(u"B", 0.1f)});
    withTable([&](TLayerTable& d) {
        act(d, "Up Up Shift+Down Shift+Right Shift+Right Shift+Right Shift+Right Shift+Right Shift+Right Ctrl+C");
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "A\t0.30\t4\t1\t3.00\t1\t60\nB\t0.10\t4\t1\t3.00\t1\t60\n");
        // And back, as new rows: equal offsets now, marked in both.
        act(d, "Down Home Ctrl+V");
        EXPECT_EQ(shownRows(d), Rows({"A|0.30|4|1|3.00|1|60|0.00", "B|0.10|4|1|3.00|1|60|0.00", "A|0.30|4|1|3.00|1|60|0.20",
                                      "B|0.10|4|1|3.00|1|60|"}));
        EXPECT_EQ(d.StringGrid1->model()->index(3, 1).data(Qt::ToolTipRole).toString(), en(52));
        discard(d, true);
    });
}

TEST_F(LayerTable, GeneratesLiftsOrRefusesThemBeforeAnythingChanges)
{
    const std::string top = "Top|0.00|3|1|2.50|1|100|0.60", subgrade = "Subgrade|-0.60|6|2|3.00|1|40|";
    // With the lifts, the top lies on the first of them.
    const std::string topOnLifts = "Top|0.00|3|1|2.50|1|100|0.10";
    auto lifts = [](const char* values) {
        Rows rows;
        for (int i = 5; i >= 1; --i)
            rows.push_back(QString("Fill %1|-0.%2|%3|0.10").arg(i).arg(QString::number(6 - i) + "0", values).toStdString());
        return rows;
    };
    struct Case {
        const char* what;
        const char* before;
        std::array<const char*, 4> fields;
        Rows rows;
        std::vector<Recorder::Message> messages = {};
    };
    const QString divide = "The lift thickness must be more than 0 m and divide the height from the surface to the top "
                           "(0.50 m) into whole lifts.";
    const Case cases[] = {
        {"from the empty row: the last layer's values",
         "",
         {"-0.60", "-0.10", "0.10", "Fill"},
         Rows{topOnLifts, subgrade} + lifts("6|2|3.00|1|40")},
        {"from a layer: its values, above it",
         "Up Up",
         {"-0.60", "-0.10", "0.10", "Fill"},
         lifts("3|1|2.50|1|100") + Rows{topOnLifts, subgrade}},
        {"a name ends before \".\"",
         "",
         {"-0.60", "-0.10", "0.10", "Fill.x"},
         Rows{topOnLifts, subgrade} + lifts("6|2|3.00|1|40"),
         {errorBox(en(53))}},
        {"the top below the surface", "", {"-0.10", "-0.60", "0.10", "Fill"}, {}, {errorBox(en(128))}},
        {"a thickness that does not divide the height", "", {"-0.60", "-0.10", "0.15", "Fill"}, {}, {errorBox(divide)}},
        {"a number that is none",
         "",
         {"-0,60", "-0.10", "0.10", "Fill"},
         {},
         {errorBox(en(125) + ": \"-0,60\" is not a number with a decimal point")}},
    };
    toLayers({layer(u"Top", 0.0f, 3, 1, 2.5f, 100), layer(u"Subgrade", -0.6f, 6, 2, 3.0f, 40)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        recorder.messages.clear();
        withTable([&](TLayerTable& d) {
            act(d, c.before);
            recorder.answerDialog([&](QDialog& dialog) {
                auto& g = static_cast<TGenerateLifts&>(dialog);
                EXPECT_EQ(g.windowTitle(), en(124));
                for (int i = 0; i < 4; ++i)
                    retype(std::array{g.Edit1, g.Edit2, g.Edit3, g.Edit4}[i], c.fields[i]);
                click(g.Button1);
                // Refused: it stays open with what was typed.
                EXPECT_EQ(g.isVisible(), c.rows.empty());
                if (g.isVisible())
                    click(g.Button2);
            });
            click(d.Button1);
            EXPECT_EQ(shownRows(d), c.rows.empty() ? (Rows{top, subgrade}) : c.rows);
            EXPECT_EQ(recorder.messages, c.messages);
            discard(d, !c.rows.empty());
        });
    }
}

TEST_F(LayerTable, MarksCellsAsTheEditorMarksFields)
{
    struct Case {
        int row, column;
        bool error;  // else unusual or clashing
        QString why;
    };
    const Case cases[] = {
        {0, 1, false, en(80)},
        {0, 4, false, en(81)},
        {1, 1, false, en(52)},
        {2, 1, false, en(52)},
        {3, 2, true, en(122)},
        {4, 1, true, "\"abc\" is not a number with a decimal point"},
        {4, 6, true, "\"101\" is not a whole number from 0 to 100"},
    };
    toLayers({});
    setClipboard("A\t12\t4\t1\t50\t1\t60\nB\t0.10\t4\t1\t3\t1\t60\nC\t0.10\t4\t1\t3\t1\t60\nD\t0.05\n");
    withTable([&](TLayerTable& d) {
        act(d, "Ctrl+V Down Down Down Down 'E' Tab 'abc' Tab '4' Tab '1' Tab '3' Tab '1' Tab '101' Return");
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "row " << c.row << ", column " << c.column);
            const QModelIndex cell = d.StringGrid1->model()->index(c.row, c.column);
            EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), c.why);
            const QColor background = cell.data(Qt::BackgroundRole).value<QColor>();
            EXPECT_EQ(background == warningBackground(), !c.error);
        }
        // What is neither.
        EXPECT_FALSE(d.StringGrid1->model()->index(0, 0).data(Qt::BackgroundRole).isValid());
        EXPECT_FALSE(d.StringGrid1->model()->index(1, 4).data(Qt::ToolTipRole).isValid());
        discard(d, true);
    });
}

TEST_F(LayerTable, OkPutsTheRowsInPlaceOfTheLayersOnlyWhenNoCellIsInError)
{
    toLayers({layer(u"A", 0.3f), layer(u"B", 0.1f)});
    // Refused while a cell is in error: the cell is named and made current.
    withTable([&](TLayerTable& d) {
        act(d, "'C' Return");
        click(d.Button2);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(recorder.messages, std::vector{errorBox(en(123) + "Row 3, Offset (m): empty")});
        EXPECT_EQ(currentCell(d), QPoint(2, 1));
        discard(d, true);
    });
    EXPECT_EQ(run.lagen, 2);

    // Taken over, sorted, refreshed: equal offsets warned about as after the editor.
    recorder.messages.clear();
    setClipboard(recorded("libreoffice-en-buildup.txt") + "Top\t0.00\t3\t1\t2.5\t1\t100\n");
    withTable([&](TLayerTable& d) {
        act(d, "Up Up Shift+Down Ctrl+- Ctrl+V");
        click(d.Button2);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(recorder.messages, std::vector{errorBox(en(52))});
    ASSERT_EQ(run.lagen, 7);
    EXPECT_EQ(run.layers[0], (TLayerRecord{u"Asphalt base", 0.0f, 3, 1, 2.5f, 1, 100}));
    EXPECT_EQ(run.layers[6], (TLayerRecord{u"Subgrade", -0.6f, 6, 2, 3.0f, 1, 40}));
    EXPECT_EQ(wizard<QTreeWidget>("TreeView1")->topLevelItemCount(), 3 + 7);
    EXPECT_TRUE(wizard("Button3")->isEnabled());

    // No rows: the layer editor opens, as at an empty step 4.
    withTable([&](TLayerTable& d) {
        act(d, "Ctrl+A Ctrl+-");
        recorder.answerDialog(closeBox());
        click(d.Button2);
    });
    EXPECT_EQ(run.lagen, 0);
    EXPECT_EQ(recorder.dialogsShown.back(), "Layeredit");
}

TEST_F(LayerTable, AbortEscapeAndTheCloseBoxChangeNothingAndAskFirstAfterAChange)
{
    enum Way { Abort, Escape, CloseBox };
    struct Case {
        Way way;
        bool changed;
        bool yes;  // the answer when asked
    };
    const Case cases[] = {
        {Abort, false, false}, {Escape, false, false}, {CloseBox, false, false}, {Abort, true, true},
        {Escape, true, true},  {CloseBox, true, true}, {Abort, true, false},     {CloseBox, true, false},
    };
    toLayers({layer(u"A", 0.3f), layer(u"B", 0.1f)});
    const RunData before = run;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.way << " " << c.changed << " " << c.yes);
        recorder.questions.clear();
        withTable([&](TLayerTable& d) {
            // A change undone is no change.
            act(d, c.changed ? "Up Del" : "Up Del Ctrl+Z");
            if (c.changed)
                recorder.answerQuestion(c.yes);
            if (c.way == Abort)
                click(d.Button3);
            else if (c.way == Escape)
                act(d, "Escape");
            else
                d.close();  // as the window's close box does
            EXPECT_EQ(recorder.questions, c.changed ? std::vector{en(115)} : std::vector<QString>());
            if (c.changed) {
                EXPECT_EQ(recorder.questionButtons.back(), QStringList({en(59), en(60)}));
            }
            EXPECT_EQ(d.isVisible(), c.changed && !c.yes);
            if (d.isVisible())
                discard(d, true);
        });
        EXPECT_TRUE(std::equal(run.layers.begin(), run.layers.begin() + 2, before.layers.begin()));
        EXPECT_EQ(run.lagen, 2);
    }
}

TEST_F(LayerTable, UndoAndRedoGoAcrossEveryKindOfChange)
{
    toLayers({layer(u"A", 0.125f), layer(u"B", -0.1f)});
    const RunData before = run;
    setClipboard(recorded("libreoffice-en-buildup.txt"));
    withTable([&](TLayerTable& d) {
        std::vector<Rows> states{shownRows(d)};
        recorder.answerDialog([this](QDialog& dialog) {
            auto& g = static_cast<TGenerateLifts&>(dialog);
            retype(g.Edit4, "Fill");
            click(g.Button1);
        });
        // A paste, a fill, a generation and a removal.
        for (const char* change : {"Ctrl+V", "Up Up Shift+Down Ctrl+D", "Generate", "Up Ctrl+-"}) {
            if (QString(change) == "Generate")
                click(d.Button1);
            else
                act(d, change);
            states.push_back(shownRows(d));
            EXPECT_NE(states.back(), states[states.size() - 2]) << change;
        }
        for (int i = 4; i > 0; --i) {
            act(d, "Ctrl+Z");
            EXPECT_EQ(shownRows(d), states[static_cast<std::size_t>(i - 1)]) << "undone down to " << i - 1;
        }
        for (std::size_t i = 1; i <= 4; ++i) {
            act(d, "Ctrl+Y");
            EXPECT_EQ(shownRows(d), states[i]) << "redone up to " << i;
        }
        act(d, "Ctrl+Z Ctrl+Z Ctrl+Z Ctrl+Z");
        click(d.Button2);
    });
    // The very same layers, to the last bit of their offsets.
    EXPECT_EQ(run.lagen, 2);
    EXPECT_TRUE(std::equal(run.layers.begin(), run.layers.begin() + 2, before.layers.begin()));
}

// A full table has no room for a thousandth layer: neither typing into its
// empty row nor filling down into it adds one, and OK keeps the 999.
TEST_F(LayerTable, AFullTableTakesNoFurtherLayer)
{
    struct Case {
        const char* what;
        const char* script;
    };
    const Case cases[] = {
        {"typed into the empty row", "'X' Tab 'Y' Enter"},
        {"filled down into the empty row", "Up Shift+Down Ctrl+D"},
    };
    for (std::int32_t k = 0; k < kMaxLayers; ++k)
        run.layers[run.lagen++] = layer(u"L" + std::u16string(1, u'a' + k % 26), 0.01f * static_cast<float>(k));
    toLayers({});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        withTable([&](TLayerTable& d) {
            act(d, c.script);
            EXPECT_EQ(d.StringGrid1->model()->rowCount(), kMaxLayers + 1);
            click(d.Button2);
        });
        EXPECT_EQ(run.lagen, kMaxLayers);
        EXPECT_TRUE(
            std::none_of(run.layers.begin(), run.layers.end(), [](const TLayerRecord& r) { return r.Name == u"X"; }));
    }
}
