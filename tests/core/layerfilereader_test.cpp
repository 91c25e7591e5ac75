#include "wizard/layerfilereader.h"

#include "wizard/decimal.h"
#include "wizard/layerfile.h"
#include "wizard/windows1252.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

using namespace kobalin;

namespace {

const std::string kHead = "# Leica layer file format version 1.0;;;;;;";
const std::string kColumns = "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target";
const std::string kEmpty = "# <Empty>;;;;;;";

std::string joined(const std::vector<std::string>& lines, const std::string& end = "\r\n")
{
    std::string out;
    for (const std::string& line : lines)
        out += line + end;
    return out;
}

// A file with the three comment lines "<Empty>" and the given rows.
std::string withRows(const std::vector<std::string>& rows)
{
    std::vector<std::string> lines{kHead, kEmpty, kEmpty, kEmpty, kColumns};
    lines.insert(lines.end(), rows.begin(), rows.end());
    return joined(lines);
}

std::string rows(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += "L" + std::to_string(i) + ";0.10;4;1;3.50;1;80\r\n";
    return out;
}

TLayerRecord top() { return {u"Top", 0.3f, 4, 1, 3.5f, 1, 80}; }

struct Good {
    const char* what;
    std::string bytes;
    std::array<std::u16string, 3> comments;
    int commentaar;
    std::vector<TLayerRecord> layers;
    bool cut = false;
};

struct Bad {
    const char* what;
    std::string bytes;
    int line;
};

void expectRead(const LayerFileReading& read, const std::array<std::u16string, 3>& comments, int commentaar,
                const std::vector<TLayerRecord>& layers, bool cut)
{
    ASSERT_EQ(read.errorLine, 0);
    EXPECT_EQ(read.run.commentaar1, comments[0]);
    EXPECT_EQ(read.run.commentaar2, comments[1]);
    EXPECT_EQ(read.run.commentaar3, comments[2]);
    EXPECT_EQ(read.run.commentaar, commentaar);
    ASSERT_EQ(read.run.lagen, static_cast<int>(layers.size()));
    for (std::size_t i = 0; i < layers.size(); ++i)
        EXPECT_EQ(read.run.layers[i], layers[i]) << "layer " << i;
    EXPECT_EQ(read.nameCut, cut);
}

}  // namespace

TEST(LayerFileReader, ReadsWhatTheProgramWritesAndWhatAPersonMayHaveEdited)
{
    const std::u16string e(kEmptyComment);
    const std::string topRow = "Top;0.30;4;1;3.50;1;80";
    const Good cases[] = {
        {"no comments", withRows({topRow}), {e, e, e}, 0, {top()}},
        {"no layers", withRows({}), {e, e, e}, 0, {}},
        {"three comments", joined({kHead, "# Road A12;;;;;;", "# Caf\xE9, 5.2 km;;;;;;", "# ;;;;;;", kColumns, topRow}),
         {u"Road A12", u"Caf\u00E9, 5.2 km", u""}, 3, {top()}},
        {"counted up to the last comment line entered", joined({kHead, kEmpty, "# x;;;;;;", kEmpty, kColumns}),
         {e, u"x", e}, 2, {}},
        {"fewer than three comment lines", joined({kHead, "#  two  spaces ;;;;;;", kColumns, topRow}),
         {u" two  spaces ", e, e}, 1, {top()}},
        {"LF line ends", joined({kHead, kEmpty, kEmpty, kEmpty, kColumns, topRow}, "\n"), {e, e, e}, 0, {top()}},
        {"empty lines at the end", withRows({topRow}) + "\r\n\n\r\n", {e, e, e}, 0, {top()}},
        {"no line end after the last row", withRows({}) + topRow, {e, e, e}, 0, {top()}},
        {"negative offsets and more decimals", withRows({"Deep;-1.25;0;0;0.00;0;0", "Fine;0.125;100;100;12;100;100"}),
         {e, e, e}, 0, {{u"Deep", -1.25f, 0, 0, 0.0f, 0, 0}, {u"Fine", 0.125f, 100, 100, 12.0f, 100, 100}}},
        {"numbers as the layer editor reads them", withRows({"Sp; +0.5 ;007; 4 ;2.5e1;\t1;80"}), {e, e, e}, 0,
         {{u"Sp", 0.5f, 7, 4, 25.0f, 1, 80}}},
        {"\xC3\xA9 and \xE2\x82\xAC in Windows-1252", joined({kHead, "# \x80 5 \x96 \x92;;;;;;", kColumns, "Caf\xE9;0.10;1;1;1.00;1;1"}),
         {u"\u20AC 5 \u2013 \u2019", e, e}, 1, {{u"Caf\u00E9", 0.1f, 1, 1, 1.0f, 1, 1}}},
        {"a UTF-8 byte-order mark", "\xEF\xBB\xBF" + joined({kHead, "# \xE2\x82\xAC 5 \xF0\x9F\x98\x80;;;;;;", kColumns, "Caf\xC3\xA9;0.10;1;1;1.00;1;1"}),
         {u"\u20AC 5 \U0001F600", e, e}, 1, {{u"Caf\u00E9", 0.1f, 1, 1, 1.0f, 1, 1}}},
        {"names cut by the name rule", withRows({"Sand.fine;0.20;1;1;1.00;1;1", "Clay,wet;0.10;1;1;1.00;1;1", ";0.00;1;1;1.00;1;1"}),
         {e, e, e}, 0, {{u"Sand", 0.2f, 1, 1, 1.0f, 1, 1}, {u"Clay", 0.1f, 1, 1, 1.0f, 1, 1}, {u"", 0.0f, 1, 1, 1.0f, 1, 1}}, true},
    };
    for (const Good& c : cases) {
        SCOPED_TRACE(c.what);
        expectRead(readLayerFile(c.bytes), c.comments, c.commentaar, c.layers, c.cut);
    }
}

TEST(LayerFileReader, HoldsUpTo999Layers)
{
    const LayerFileReading read = readLayerFile(withRows({}) + rows(999));
    ASSERT_EQ(read.errorLine, 0);
    EXPECT_EQ(read.run.lagen, 999);
    EXPECT_EQ(read.run.layers[998].Name, u"L998");
    EXPECT_EQ(readLayerFile(withRows({}) + rows(1000)).errorLine, 5 + 1000);
}

TEST(LayerFileReader, RefusesAnythingElseAtItsFirstLineInError)
{
    const std::string row = "Top;0.30;4;1;3.50;1;80";
    const Bad cases[] = {
        {"an empty file", "", 1},
        {"another header", joined({"# Leica layer file format version 2.0;;;;;;", kEmpty, kEmpty, kEmpty, kColumns}), 1},
        {"the header without its fields", joined({"# Leica layer file format version 1.0", kColumns}), 1},
        {"a file of UTF-16", std::string("\xFF\xFE#\0 \0", 6), 1},
        {"the header alone", joined({kHead}), 2},
        {"no column line after the comments", joined({kHead, kEmpty, kEmpty, kEmpty}), 5},
        {"another column line", joined({kHead, "name;offset;passcount_target;passcount_maxextra;speed_target;speed_maxdiff;compaction_target"}), 2},
        {"another column line after three comments", joined({kHead, kEmpty, kEmpty, kEmpty, "Name;Offset"}), 5},
        {"a fourth comment line", joined({kHead, kEmpty, kEmpty, kEmpty, kEmpty, kColumns}), 5},
        {"a comment line without its fields", joined({kHead, "# Road A12", kColumns}), 2},
        {"a comment line without the space", joined({kHead, "#Road;;;;;;", kColumns}), 2},
        {"a \";\" in a comment line", joined({kHead, "# a;b;;;;;;", kColumns}), 2},
        {"an empty line before the column line", joined({kHead, "", kColumns}), 2},
        {"6 fields", withRows({row, "Base;0.10;6;2;3.00;1"}), 7},
        {"8 fields", withRows({"Base;0.10;6;2;3.00;1;60;"}), 6},
        {"a decimal comma", withRows({row, "Base;1,5;6;2;3.00;1;60"}), 7},
        {"letters for a speed", withRows({"Base;0.10;6;2;abc;1;60"}), 6},
        {"nan", withRows({"Base;nan;6;2;3.00;1;60"}), 6},
        {"inf", withRows({"Base;0.10;6;2;inf;1;60"}), 6},
        {"an offset beyond single precision", withRows({"Base;1e39;6;2;3.00;1;60"}), 6},
        {"an empty offset", withRows({"Base;;6;2;3.00;1;60"}), 6},
        {"101", withRows({"Base;0.10;101;2;3.00;1;60"}), 6},
        {"-1", withRows({"Base;0.10;6;-1;3.00;1;60"}), 6},
        {"+1", withRows({"Base;0.10;6;2;3.00;+1;60"}), 6},
        {"a decimal for a whole number", withRows({"Base;0.10;6;2;3.00;1;60.0"}), 6},
        {"an empty whole number", withRows({"Base;0.10;6;2;3.00;1;"}), 6},
        {"a CR inside a name", withRows({row, "Ba\rse;0.10;6;2;3.00;1;60"}), 7},
        {"a line break inside a quoted name", withRows({row, "\"Ba", "se\";0.10;6;2;3.00;1;60"}), 7},
        {"a CR inside a comment", joined({kHead, "# a\rb;;;;;;", kColumns}), 2},
        {"a CR without LF at the end", withRows({}) + row + "\r", 6},
        {"an empty line between rows", withRows({row, "", row}), 7},
        {"spaces after the rows", withRows({row}) + " \r\n", 7},
        {"bytes that are not UTF-8 after the mark", "\xEF\xBB\xBF" + withRows({row, "Caf\xE9;0.10;1;1;1.00;1;1"}), 7},
        {"an encoded surrogate after the mark", "\xEF\xBB\xBF" + joined({kHead, "# \xED\xA0\x80;;;;;;", kColumns}), 2},
        {"a second byte-order mark", "\xEF\xBB\xBF\xEF\xBB\xBF" + withRows({}), 1},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readLayerFile(c.bytes).errorLine, c.line);
    }
}

TEST(Windows1252, EveryByteIsOneCharacterAndBack)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t c = fromWindows1252(static_cast<unsigned char>(byte));
        EXPECT_EQ(toWindows1252(c), static_cast<unsigned char>(byte)) << byte;
    }
    EXPECT_EQ(fromWindows1252(0x80), u'\u20AC');
    EXPECT_EQ(fromWindows1252(0x96), u'\u2013');
    EXPECT_EQ(fromWindows1252(0x92), u'\u2019');
    EXPECT_EQ(fromWindows1252(0x9F), u'\u0178');
    EXPECT_EQ(fromWindows1252(0xE9), u'\u00E9');
    EXPECT_EQ(fromWindows1252(0x81), u'\u0081');
    // Characters the code page puts elsewhere, or lacks.
    for (char16_t c : {u'\u0080', u'\u0096', u'\u0100', u'\u03A9', u'\uFFFD', u'\xD83D'})
        EXPECT_FALSE(toWindows1252(c)) << int(c);
}

TEST(Windows1252, TheWriterWritesItsBytesAndOneQuestionMarkForAnythingElse)
{
    RunData run;
    run.commentaar1 = u"\u20AC5 \u2013 it\u2019s caf\u00E9";
    run.commentaar2 = u"\u03A9 \U0001F600 \xD83D \u0080";
    run.commentaar3 = kEmptyComment;
    const std::string written = layerFileContent(run);
    EXPECT_NE(written.find("\r\n# \x80" "5 \x96 it\x92s caf\xE9;;;;;;\r\n# ? ? ? ?;;;;;;\r\n"), std::string::npos);
    const LayerFileReading read = readLayerFile(written);
    ASSERT_EQ(read.errorLine, 0);
    EXPECT_EQ(read.run.commentaar1, run.commentaar1);
    EXPECT_EQ(read.run.commentaar2, u"? ? ? ?");
}

namespace {

// A run as the program's editors make it: names without "." "," ";" or line
// breaks, comment lines without ";" or line breaks, whole numbers 0 to 100 and
// the editors' two-decimal values, here from a seeded generator.
RunData randomRun(std::mt19937& random, std::u16string_view letters, int maxLayers)
{
    auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    auto text = [&](int longest) {
        std::u16string out;
        for (int n = pick(0, longest); n > 0; --n)
            out += letters[pick(0, static_cast<int>(letters.size()) - 1)];
        return out;
    };
    RunData run;
    for (int line = 1; line <= 3; ++line)
        run.comment(line) = pick(0, 2) == 0 ? std::u16string(kEmptyComment) : text(40);
    run.lagen = pick(0, maxLayers);
    for (int i = 0; i < run.lagen; ++i) {
        TLayerRecord& r = run.layers[i];
        r.Name = text(25);
        r.Offset = static_cast<float>(pick(-100000, 100000) / 100.0);
        r.PassCount_Target = pick(0, 100);
        r.PassCount_MaxExtra = pick(0, 100);
        r.Speed_Target = static_cast<float>(pick(0, 5000) / 100.0);
        r.Speed_MaxDiff = pick(0, 100);
        r.Compaction_Target = pick(0, 100);
    }
    return run;
}

void expectSameRun(const RunData& read, const RunData& written)
{
    EXPECT_EQ(read.commentaar1, written.commentaar1);
    EXPECT_EQ(read.commentaar2, written.commentaar2);
    EXPECT_EQ(read.commentaar3, written.commentaar3);
    ASSERT_EQ(read.lagen, written.lagen);
    for (int i = 0; i < read.lagen; ++i)
        EXPECT_EQ(read.layers[i], written.layers[i]) << "layer " << i;
}

}  // namespace

TEST(LayerFileRoundTrip, EveryFileWrittenReadsBackToTheSameRunAndWritesBackByteForByte)
{
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // Letters of the code page only, so the run itself comes back.
    const std::u16string_view letters = u"aZ09 -_#<>/\\\"'\t\u00E9\u00F8\u00C5\u00DF\u00FF\u20AC\u2013\u2019\u0160\u0178";
    for (int i = 0; i < 300; ++i) {
        const RunData run = randomRun(random, letters, i == 0 ? kMaxLayers : 12);
        const std::string file = layerFileContent(run);
        const LayerFileReading read = readLayerFile(file);
        ASSERT_EQ(read.errorLine, 0) << file;
        EXPECT_FALSE(read.nameCut);
        expectSameRun(read.run, run);
        ASSERT_EQ(layerFileContent(read.run), file);
    }
    // Letters the code page lacks come back as "?", and the file is written again byte for byte.
    const std::u16string_view foreign = u"a \u03A9\u4E2D\U0001F600\xDC00\u0080\u00E9";
    for (int i = 0; i < 100; ++i) {
        const std::string file = layerFileContent(randomRun(random, foreign, 5));
        const LayerFileReading read = readLayerFile(file);
        ASSERT_EQ(read.errorLine, 0) << file;
        ASSERT_EQ(layerFileContent(read.run), file);
    }
}

TEST(LayerFileRoundTrip, TheWritersExamplesReadBackAndWriteBackByteForByte)
{
    RunData examples[4];
    for (RunData& run : examples)
        run.commentaar1 = run.commentaar2 = run.commentaar3 = kEmptyComment;
    examples[0].layers[0] = top();
    examples[0].layers[1] = {u"Base", 0.1f, 6, 2, 3.0f, 1, 60};
    examples[0].lagen = 2;
    examples[1].commentaar1 = u"Road A12";
    examples[1].commentaar3 = u"";
    // Values the file rounds: they read back as the file says and then stay.
    examples[2].layers[0] = {u"L", -0.004f, 100, 2, 3.675f, 1, 50};
    examples[2].layers[1] = {u"L", 1e6f, 1, 2, 99.999f, 1, 50};
    examples[2].layers[2] = {u"L", 1.005f, 0, 0, 0.0f, 0, 0};
    examples[2].lagen = 3;
    // What the writer must keep from breaking the seven fields.
    examples[3].commentaar1 = u"a;b\r\nc";
    examples[3].layers[0] = {u"Bj\u00F8rn", 0.2f, 1, 1, 1, 1, 1};
    examples[3].layers[1] = {u"", 0.1f, 1, 1, 1, 1, 1};
    examples[3].lagen = 2;
    for (const RunData& run : examples) {
        const std::string file = layerFileContent(run);
        SCOPED_TRACE(file);
        const LayerFileReading read = readLayerFile(file);
        ASSERT_EQ(read.errorLine, 0);
        EXPECT_EQ(layerFileContent(read.run), file);
        EXPECT_EQ(read.run.lagen, run.lagen);
    }
    expectSameRun(readLayerFile(layerFileContent(examples[0])).run, examples[0]);
    expectSameRun(readLayerFile(layerFileContent(examples[1])).run, examples[1]);
    EXPECT_EQ(readLayerFile(layerFileContent(examples[2])).run.layers[2].Offset, 1.0f);
    EXPECT_EQ(readLayerFile(layerFileContent(examples[3])).run.commentaar1, u"a,b  c");
}
