// The layer table's cells: what a paste reads and refuses, what is copied,
// which lifts are generated, and the cells' own rules.
#include "app/utf8.h"
#include "i18n/catalogue.h"
#include "wizard/layerrows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kobalin;

namespace {

using Cells = std::vector<std::vector<std::u16string>>;

std::string utf8(std::u16string_view text) { return toUtf8(text); }

std::u16string rows(int count, std::u16string_view row)
{
    std::u16string out;
    for (int i = 0; i < count; ++i)
        (out += row) += u'\n';
    return out;
}

const std::u16string kLong(255, u'x');

}  // namespace

TEST(LayerRows, PasteReadsSpreadsheetCellsAndLayerFileRows)
{
    struct Case {
        const char* what;
        std::u16string text;
        CellPlace at;
        Cells expected;
        bool decimalComma = false;
        bool nameCut = false;
    };
    const Case cases[] = {
        {"LibreOffice's rows, LF after each",
         u"Subgrade\t-0.60\t6\t2\t3\t1\t40\nFill 1\t-0.45\t4\t1\t3.5\t1\t60\n",
         {0, 0},
         {{u"Subgrade", u"-0.60", u"6", u"2", u"3.00", u"1", u"40"},
          {u"Fill 1", u"-0.45", u"4", u"1", u"3.50", u"1", u"60"}}},
        {"CR LF, no line end after the last, a trailing empty line",
         u"A\t0.1\r\nB\t0.2\r\n\r\n",
         {0, 0},
         {{u"A", u"0.10"}, {u"B", u"0.20"}}},
        {"quoted cells: a tab, a doubled quote",
         u"\"Tab\there\"\t0.1\n\"Say \"\"hi\"\"\"\t0.2\n",
         {0, 0},
         {{u"Tab\there", u"0.10"}, {u"Say \"hi\"", u"0.20"}}},
        {"a quote that does not close the cell is text",
         u"\"quoted\" word\t0.1\nSay \"hi\"\t0.2",
         {0, 0},
         {{u"\"quoted\" word", u"0.10"}, {u"Say \"hi\"", u"0.20"}}},
        {"a whole layer file, its header, comments and column names passed over",
         u"# Leica layer file format version 1.0;;;;;;\r\n# Road A12;;;;;;\r\n# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n"
         u"Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n"
         u"Top;0.30;4;1;3.50;1;80\r\n\"Base\";0.10;6;2;3.00;1;60\r\n;;;;;;\r\n",
         {0, 0},
         {{u"Top", u"0.30", u"4", u"1", u"3.50", u"1", u"80"}, {u"Base", u"0.10", u"6", u"2", u"3.00", u"1", u"60"}}},
        {"a layer named with a leading #",
         u"# 2;0.1;4;1;3;1;60\n",
         {0, 0},
         {{u"# 2", u"0.10", u"4", u"1", u"3.00", u"1", u"60"}}},
        {"six fields leave the seventh cell", u"A\t0.1\t4\t1\t3\t1\n", {2, 0}, {{u"A", u"0.10", u"4", u"1", u"3.00", u"1"}}},
        {"from the current column on", u"4\t1\t3\n", {0, 2}, {{u"4", u"1", u"3.00"}}},
        {"an empty cell past the last column carries nothing",
         u"A\t0.1\t4\t1\t3\t1\t60\t\n",
         {0, 0},
         {{u"A", u"0.10", u"4", u"1", u"3.00", u"1", u"60"}}},
        {"one column: a cell per line", u"0.5\n0.25", {0, 1}, {{u"0.50"}, {u"0.25"}}},
        {"numbers as the table keeps them",
         u"x\t+0.125\t 007 \t+1\t12\t0\t100\n",
         {0, 0},
         {{u"x", u"0.125", u"7", u"1", u"12.00", u"0", u"100"}}},
        {"empty cells empty the cells they land on", u"x\t\t \t1\n", {0, 0}, {{u"x", u"", u"", u"1"}}},
        {"LibreOffice in Dutch: \",\" as the mark",
         u"Subgrade\t-0,60\t6\t2\t3\t1\t40\nFill 1\t-0,45\t4\t1\t3,5\t1\t60\n",
         {0, 0},
         {{u"Subgrade", u"-0.60", u"6", u"2", u"3.00", u"1", u"40"},
          {u"Fill 1", u"-0.45", u"4", u"1", u"3.50", u"1", u"60"}},
         true},
        {"a \",\" in a name is no decimal mark", u"Fill, sand\t0.5\n", {0, 0}, {{u"Fill", u"0.50"}}, false, true},
        {"names end before \".\" or \",\"", u"Fill 1.5\nBase\n", {0, 0}, {{u"Fill 1"}, {u"Base"}}, false, true},
        {"a name of 255 characters", kLong + u"\n", {0, 0}, {{kLong}}},
        {"nothing", u"", {0, 0}, {}},
        {"empty lines only", u"\n\r\n", {0, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Paste paste = readPaste(c.text, c.at, 3);
        EXPECT_FALSE(paste.refused()) << utf8(pasteRefusal(paste, kEnglish));
        EXPECT_EQ(paste.rows, c.expected);
        EXPECT_EQ(paste.decimalComma, c.decimalComma);
        EXPECT_EQ(paste.nameCut, c.nameCut);
    }
}

TEST(LayerRows, PasteIsRefusedAsAWholeNamingEachCell)
{
    const std::u16string row7 = u"A\t0.1\t4\t1\t3\t1\t60";
    struct Case {
        const char* what;
        std::u16string text;
        CellPlace at;
        std::u16string message;
    };
    const Case cases[] = {
        {"eight fields",
         u"A\t0.1\t4\t1\t3\t1\t60\t7\n",
         {0, 0},
         u"Nothing was pasted, the table is unchanged:\nRow 1: 8 values, from the current column on the table has room for 7"},
        {"seven fields from the second column",
         u"0.1\t4\t1\t3\t1\t60\t7\n",
         {1, 1},
         u"Nothing was pasted, the table is unchanged:\nRow 2: 7 values, from the current column on the table has room for 6"},
        {"a number that is none",
         u"A\tabc\n",
         {0, 0},
         u"Nothing was pasted, the table is unchanged:\nRow 1, Offset (m): \"abc\" is not a number with a decimal point"},
        {"counts outside the editor's range",
         u"101\t-1\t3\t4.0\n",
         {2, 2},
         u"Nothing was pasted, the table is unchanged:\n"
         u"Row 3, Passcount Target #: \"101\" is not a whole number from 0 to 100\n"
         u"Row 3, Passcount Tolerance: \"-1\" is not a whole number from 0 to 100\n"
         u"Row 3, Speed Tolerance: \"4.0\" is not a whole number from 0 to 100"},
        {"a name with \";\"",
         u"\"a;b\"\t0.1\n",
         {0, 0},
         u"Nothing was pasted, the table is unchanged:\nRow 1, Layer Name: holds a \";\", which a layer name or comment line "
         u"cannot hold"},
        {"a name with a line break",
         u"\"Two\nlines\"\t0.1\n",
         {0, 0},
         u"Nothing was pasted, the table is unchanged:\nRow 1, Layer Name: holds a control character"},
        {"a name of 256 characters",
         kLong + u"y\n",
         {0, 0},
         u"Nothing was pasted, the table is unchanged:\nRow 1, Layer Name: longer than 255 characters"},
        {"1,000 layers",
         rows(1000, row7),
         {0, 0},
         u"Nothing was pasted, the table is unchanged:\nThat would make 1000 layers; the table holds at most 999."},
        {"a Dutch block with a thousands point",
         u"A\t0,30\nB\t1.250\n",
         {0, 0},
         u"The pasted numbers mix \",\" and \".\" as the decimal mark. Nothing was pasted. First cell with the other mark: "
         u"Row 2, Offset (m)"},
        {"both marks in one number",
         u"A\t3\t4\t1\t1.250,5\n",
         {4, 0},
         u"The pasted numbers mix \",\" and \".\" as the decimal mark. Nothing was pasted. First cell with the other mark: "
         u"Row 5, Targetspeed km/h"},
        {"more cells in error than a message names",
         rows(25, u"A\tx"),
         {0, 0},
         u"Nothing was pasted, the table is unchanged:\n" +
             [] {
                 std::u16string lines;
                 for (int row = 1; row <= 20; ++row)
                     lines += u"Row " + fromUtf8(std::to_string(row)) +
                              u", Offset (m): \"x\" is not a number with a decimal point\n";
                 return lines;
             }() +
             u"\u2026 (+5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Paste paste = readPaste(c.text, c.at, 3);
        EXPECT_TRUE(paste.refused());
        EXPECT_EQ(utf8(pasteRefusal(paste, kEnglish)), utf8(c.message));
    }
    // Up to the table's capacity, past the last layer too.
    EXPECT_FALSE(readPaste(rows(999, row7), {0, 0}, 0).refused());
    EXPECT_FALSE(readPaste(rows(4, row7), {995, 0}, 995).refused());
    EXPECT_EQ(readPaste(rows(5, row7), {995, 0}, 995).layerCount, 1000);
}

TEST(LayerRows, PastedRowsOverwriteFromTheCurrentCellAndAddRowsPastTheLast)
{
    const std::vector<LayerRow> table = {{u"A", u"0.30", u"4", u"1", u"3.00", u"1", u"60"},
                                         {u"B", u"0.10", u"4", u"1", u"3.00", u"1", u"60"}};
    const Paste paste = readPaste(u"0.05\t5\n0.00\t6\n", {1, 1}, 2);
    const std::vector<LayerRow> expected = {{u"B", u"0.05", u"5", u"1", u"3.00", u"1", u"60"},
                                            {u"", u"0.00", u"6", u"", u"", u"", u""}};
    EXPECT_EQ(pastedRows(table, paste), expected);
}

TEST(LayerRows, CopiedCellsAreQuotedWhereASpreadsheetNeedsIt)
{
    const Cells cells = {{u"Plain", u"0.30"}, {u"Tab\there", u"Say \"hi\""}, {u"Two\nlines", u""}};
    const std::u16string text = copiedText(cells);
    EXPECT_EQ(utf8(text), "Plain\t0.30\n\"Tab\there\"\t\"Say \"\"hi\"\"\"\n\"Two\nlines\"\t\n");
}

TEST(LayerRows, LiftsAreGeneratedToTheCentimetreOrRefused)
{
    const LayerRow values = {u"Subgrade", u"-0.60", u"6", u"2", u"3.00", u"1", u"40"};
    struct Case {
        const char* what;
        LiftRequest request;
        int layerRows;
        std::vector<std::u16string> names;  // top lift first
        std::vector<std::u16string> offsets;
        std::u16string refusal = {};
    };
    const Case cases[] = {
        {"five lifts",
         {-0.60, -0.10, 0.10, u"Fill"},
         1,
         {u"Fill 5", u"Fill 4", u"Fill 3", u"Fill 2", u"Fill 1"},
         {u"-0.10", u"-0.20", u"-0.30", u"-0.40", u"-0.50"}},
        {"to the centimetre",
         {-0.604, -0.0951, 0.0999, u"Fill"},
         1,
         {u"Fill 5", u"Fill 4", u"Fill 3", u"Fill 2", u"Fill 1"},
         {u"-0.10", u"-0.20", u"-0.30", u"-0.40", u"-0.50"}},
        {"no name", {0, 0.5, 0.25, u""}, 0, {u"2", u"1"}, {u"0.50", u"0.25"}},
        {"up to 999 layers",
         {0, 0.5, 0.1, u"L"},
         994,
         {u"L 5", u"L 4", u"L 3", u"L 2", u"L 1"},
         {u"0.50", u"0.40", u"0.30", u"0.20", u"0.10"}},
        {"the top at the surface",
         {-0.1, -0.1, 0.1, u"x"},
         0,
         {},
         {},
         u"The top of the last lift must lie above the surface."},
        {"the top below the surface",
         {-0.1, -0.3, 0.1, u"x"},
         0,
         {},
         {},
         u"The top of the last lift must lie above the surface."},
        {"no thickness",
         {-0.6, -0.1, 0.004, u"x"},
         0,
         {},
         {},
         u"The lift thickness must be more than 0 m and divide the height from the surface to the top (0.50 m) into whole "
         u"lifts."},
        {"a thickness below zero",
         {-0.6, -0.1, -0.1, u"x"},
         0,
         {},
         {},
         u"The lift thickness must be more than 0 m and divide the height from the surface to the top (0.50 m) into whole "
         u"lifts."},
        {"a height the thickness does not divide",
         {-0.6, -0.1, 0.15, u"x"},
         0,
         {},
         {},
         u"The lift thickness must be more than 0 m and divide the height from the surface to the top (0.50 m) into whole "
         u"lifts."},
        {"1,000 layers", {0, 0.5, 0.1, u"x"}, 995, {}, {}, u"That would make 1000 layers; the table holds at most 999."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Lifts lifts = generateLifts(c.request, values, c.layerRows);
        EXPECT_EQ(utf8(liftRefusal(lifts, kEnglish)), utf8(c.refusal));
        std::vector<std::u16string> names, offsets;
        for (const LayerRow& row : lifts.rows) {
            names.push_back(row[kNameColumn]);
            offsets.push_back(row[kOffsetColumn]);
            EXPECT_TRUE(std::equal(row.begin() + 2, row.end(), values.begin() + 2)) << "values from the current row";
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(offsets, c.offsets);
    }
    // More lifts than any count holds.
    EXPECT_EQ(generateLifts({-3e38, 3e38, 0.01, u"x"}, values, 0).fault, LiftFault::TooManyLayers);
    const Lifts cut = generateLifts({0, 0.2, 0.1, u"Sand.x"}, values, 0);
    EXPECT_TRUE(cut.nameCut);
    EXPECT_EQ(cut.rows.at(1)[kNameColumn], u"Sand 1");
}

TEST(LayerRows, CellsFollowTheEditorsRules)
{
    struct Case {
        int column;
        std::u16string text;
        CellFault fault;
        std::u16string tidy;  // as the table keeps it
    };
    const Case cases[] = {
        {kNameColumn, u"", CellFault::Empty, u""},
        {kNameColumn, u" ", CellFault::None, u" "},
        {kNameColumn, u"Sub-base, sand", CellFault::None, u"Sub-base"},
        {kNameColumn, u"a\tb", CellFault::None, u"a\tb"},
        {kNameColumn, u"a\x01", CellFault::ControlCharacter, u"a\x01"},
        {kOffsetColumn, u"  ", CellFault::Empty, u"  "},
        {kOffsetColumn, u"-0.6", CellFault::None, u"-0.60"},
        {kOffsetColumn, u"0,6", CellFault::NotDecimal, u"0,6"},
        {kOffsetColumn, u"1e39", CellFault::NotDecimal, u"1e39"},
        {kSpeedColumn, u"1e-7", CellFault::None, u"0.0000001"},
        {kPassTargetColumn, u"100", CellFault::None, u"100"},
        {kCmvColumn, u"0101", CellFault::NotWhole, u"0101"},
        {kSpeedDiffColumn, u"99999999999999999999", CellFault::NotWhole, u"99999999999999999999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(utf8(c.text));
        EXPECT_EQ(cellFault(c.column, c.text), c.fault);
        EXPECT_EQ(tidyCell(c.column, c.text), c.tidy);
    }
}

TEST(LayerRows, ALayerTakenBackUnchangedIsTheSameLayer)
{
    for (const float value : {0.3f, -0.1f, 0.125f, 1.005f, 1e30f, 1e-10f, -0.0f, 3.4e38f}) {
        const TLayerRecord r{u"L", value, 4, 1, value, 1, 60};
        EXPECT_EQ(recordOf(rowOf(r)), r) << value;
    }
    EXPECT_EQ(decimalCell(0.3f), u"0.30");
    EXPECT_EQ(decimalCell(0.125f), u"0.125");
}

TEST(LayerRows, ThicknessesAndEqualOffsetsFollowTheOffsets)
{
    auto row = [](std::u16string offset) { return LayerRow{u"x", std::move(offset)}; };
    const std::vector<LayerRow> table = {row(u"0.00"), row(u"-0.60"), row(u""), row(u"-0.20"), row(u"-0.2"), row(u"abc")};
    const auto thickness = rowThicknesses(table);
    ASSERT_EQ(thickness.size(), table.size());
    EXPECT_NEAR(thickness[0].value(), 0.20, 1e-6);
    EXPECT_FALSE(thickness[1]) << "the lowest";
    EXPECT_FALSE(thickness[2]) << "no offset";
    EXPECT_FALSE(thickness[5]) << "no number";
    // Equal offsets keep their order: the first lies on the second.
    EXPECT_EQ(thickness[3].value(), 0);
    EXPECT_NEAR(thickness[4].value(), 0.40, 1e-6);
    EXPECT_EQ(equalOffsetRows(table), (std::vector<bool>{false, false, false, true, true, false}));
}
