#include "wizard/layerfilereader.h"

#include "app/utf8.h"
#include "freshsettings.h"
#include "i18n/catalogue.h"

#include "wizard/decimal.h"
#include "wizard/layerfile.h"
#include "wizard/macroman.h"
#include "wizard/paths.h"
#include "wizard/windows1252.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <array>
#include <optional>
#include <random>
#include <set>
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
        out.append("L").append(std::to_string(i)).append(";0.10;4;1;3.50;1;80\r\n");
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

using Fault = LayerFileFault;

struct Bad {
    const char* what;
    std::string bytes;
    int line;
    Fault fault;
    int column = -1;
};

void expectRead(const LayerFileReading& read, const std::array<std::u16string, 3>& comments, int commentaar,
                const std::vector<TLayerRecord>& layers, bool cut)
{
    ASSERT_EQ(read.errorLine, 0) << toUtf8(refusalMessage(read, kEnglish));
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
        {"three comments",
         joined({kHead, "# Road A12;;;;;;", "# Caf\xE9, 5.2 km;;;;;;", "# ;;;;;;", kColumns, topRow}),
         {u"Road A12", u"Caf\u00E9, 5.2 km", u""},
         3,
         {top()}},
        {"counted up to the last comment line entered",
         joined({kHead, kEmpty, "# x;;;;;;", kEmpty, kColumns}),
         {e, u"x", e},
         2,
         {}},
        {"fewer than three comment lines",
         joined({kHead, "#  two  spaces ;;;;;;", kColumns, topRow}),
         {u" two  spaces ", e, e},
         1,
         {top()}},
        {"LF line ends", joined({kHead, kEmpty, kEmpty, kEmpty, kColumns, topRow}, "\n"), {e, e, e}, 0, {top()}},
        {"CR line ends", joined({kHead, kEmpty, kEmpty, kEmpty, kColumns, topRow}, "\r"), {e, e, e}, 0, {top()}},
        {"empty lines and rows at the end", withRows({topRow}) + "\r\n;;;;;;\n;;;;;;\r\n\r\n", {e, e, e}, 0, {top()}},
        {"no line end after the last row", withRows({}) + topRow, {e, e, e}, 0, {top()}},
        {"negative offsets and more decimals",
         withRows({"Deep;-1.25;0;0;0.00;0;0", "Fine;0.125;100;100;12;100;100"}),
         {e, e, e},
         0,
         {{u"Deep", -1.25f, 0, 0, 0.0f, 0, 0}, {u"Fine", 0.125f, 100, 100, 12.0f, 100, 100}}},
        {"numbers as the layer editor reads them",
         withRows({"Sp; +0.5 ;007; 4 ;2.5e1;\t+1;+80"}),
         {e, e, e},
         0,
         {{u"Sp", 0.5f, 7, 4, 25.0f, 1, 80}}},
        {"\xC3\xA9 and \xE2\x82\xAC in Windows-1252",
         joined({kHead, "# \x80 5 \x96 \x92;;;;;;", kColumns, "Caf\xE9;0.10;1;1;1.00;1;1"}),
         {u"\u20AC 5 \u2013 \u2019", e, e},
         1,
         {{u"Caf\u00E9", 0.1f, 1, 1, 1.0f, 1, 1}}},
        {"a UTF-8 byte-order mark",
         "\xEF\xBB\xBF" +
             joined({kHead, "# \xE2\x82\xAC 5 \xF0\x9F\x98\x80;;;;;;", kColumns, "Caf\xC3\xA9;0.10;1;1;1.00;1;1"}),
         {u"\u20AC 5 \U0001F600", e, e},
         1,
         {{u"Caf\u00E9", 0.1f, 1, 1, 1.0f, 1, 1}}},
        {"UTF-8 without a mark", joined({kHead, "# J\xC3\xB8rgen;;;;;;", kColumns}), {u"J\u00F8rgen", e, e}, 1, {}},
        // Real text in these languages is never also UTF-8, but these bytes are.
        {"Windows-1252 bytes that are UTF-8 too", joined({kHead, "# \xC3\xA9;;;;;;", kColumns}), {u"\u00E9", e, e}, 1, {}},
        {"names cut by the name rule",
         withRows({"Sand.fine;0.20;1;1;1.00;1;1", "Clay,wet;0.10;1;1;1.00;1;1", ";0.00;1;1;1.00;1;1"}),
         {e, e, e},
         0,
         {{u"Sand", 0.2f, 1, 1, 1.0f, 1, 1}, {u"Clay", 0.1f, 1, 1, 1.0f, 1, 1}, {u"", 0.0f, 1, 1, 1.0f, 1, 1}},
         true},
        {"fields in quotes, a doubled quote for one",
         joined({kHead, "\"# J \"\"JJ\"\" O'Neil\";;;;;;", kColumns, "\"Say \"\"hi\"\"\";\"-0.75\";7;3;1.05;3;\"55\"",
                 "\"\";0.10;1;1;1.00;1;1"}),
         {u"J \"JJ\" O'Neil", e, e},
         1,
         {{u"Say \"hi\"", -0.75f, 7, 3, 1.05f, 3, 55}, {u"", 0.1f, 1, 1, 1.0f, 1, 1}}},
        {"quotes that do not make a quoted field",
         withRows({"\"Ba;0.10;1;1;1.00;1;1", "a\"b\";0.10;1;1;1.00;1;1", "\"a\"b;0.10;1;1;1.00;1;1"}),
         {e, e, e},
         0,
         {{u"\"Ba", 0.1f, 1, 1, 1.0f, 1, 1}, {u"a\"b\"", 0.1f, 1, 1, 1.0f, 1, 1}, {u"\"a\"b", 0.1f, 1, 1, 1.0f, 1, 1}}},
        {"255 characters",
         joined({kHead, "# " + std::string(255, 'c') + ";;;;;;", kColumns, std::string(255, 'n') + ";0.10;1;1;1.00;1;1"}),
         {std::u16string(255, u'c'), e, e},
         1,
         {{std::u16string(255, u'n'), 0.1f, 1, 1, 1.0f, 1, 1}}},
    };
    for (const Good& c : cases) {
        SCOPED_TRACE(c.what);
        expectRead(readLayerFile(c.bytes), c.comments, c.commentaar, c.layers, c.cut);
    }
}

// Each made from the same file the program wrote (Windows-1252, CR LF):
//   # Operator: J "JJ" O'Neil / # Jørgen – 5 € / # <Empty>
//   Say "hi";-0.75;7;3;1.05;3;55 / Top;0.30;4;1;3.50;1;80 / Bjørn;1.25;5;1;2.50;1;70
// by LibreOffice Calc 7.4 and Gnumeric 1.12 (Debian 12), with a fresh profile
// (soffice -env:UserInstallation=file:///tmp/lo --headless ...).
TEST(LayerFileReader, ReadsTheFilesSpreadsheetsSaved)
{
    const std::u16string e(kEmptyComment);
    const std::array<std::u16string, 3> comments = {u"Operator: J \"JJ\" O'Neil", u"J\u00F8rgen \u2013 5 \u20AC", e};
    const std::vector<TLayerRecord> layers = {
        {u"Say \"hi\"", -0.75f, 7, 3, 1.05f, 3, 55}, top(), {u"Bj\u00F8rn", 1.25f, 5, 1, 2.5f, 1, 70}};
    const Good cases[] = {
        // soffice --infilter=CSV:59,34,1,1 --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1' layer.csv
        {"LibreOffice, UTF-8, all text in quotes, LF",
         "\"# Leica layer file format version 1.0\";;;;;;\n"
         "\"# Operator: J \"\"JJ\"\" O'Neil\";;;;;;\n"
         "\"# J\xC3\xB8rgen \xE2\x80\x93 5 \xE2\x82\xAC\";;;;;;\n"
         "\"# <Empty>\";;;;;;\n"
         "\"Name\";\"Offset\";\"PassCount_Target\";\"PassCount_MaxExtra\";\"Speed_Target\";\"Speed_MaxDiff\";\"Compaction_Target\"\n"
         "\"Say \"\"hi\"\"\";-0.75;7;3;1.05;3;55\n"
         "\"Top\";0.3;4;1;3.5;1;80\n"
         "\"Bj\xC3\xB8rn\";1.25;5;1;2.5;1;70\n",
         comments, 2, layers},
        // soffice --infilter=CSV:59,34,1,1 --convert-to ods layer.csv, then
        // ssconvert -T Gnumeric_stf:stf_assistant -O 'separator=; eol=mac charset=UTF-8' layer.ods layer.txt
        {"Gnumeric, UTF-8, CR",
         "\"# Leica layer file format version 1.0\";;;;;;\r"
         "\"# Operator: J \"\"JJ\"\" O'Neil\";;;;;;\r"
         "\"# J\xC3\xB8rgen \xE2\x80\x93 5 \xE2\x82\xAC\";;;;;;\r"
         "\"# <Empty>\";;;;;;\r"
         "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r"
         "\"Say \"\"hi\"\"\";-0.75;7;3;1.05;3;55\r"
         "Top;0.3;4;1;3.5;1;80\r"
         "Bj\xC3\xB8rn;1.25;5;1;2.5;1;70\r",
         comments, 2, layers},
        // As above, by way of ssconvert -T Gnumeric_XmlIO:sax:0 into layer.xml, where a cell
        // <gnm:Cell Row="9" Col="0" ValueType="60"></gnm:Cell> (once touched) was added; then
        // ssconvert -T Gnumeric_stf:stf_assistant -O 'separator=; eol=windows charset=WINDOWS-1252' layer.xml layer.txt
        {"Gnumeric, Windows-1252, rows of empty cells at the end",
         "\"# Leica layer file format version 1.0\";;;;;;\r\n"
         "\"# Operator: J \"\"JJ\"\" O'Neil\";;;;;;\r\n"
         "\"# J\xF8rgen \x96 5 \x80\";;;;;;\r\n"
         "\"# <Empty>\";;;;;;\r\n"
         "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n"
         "\"Say \"\"hi\"\"\";-0.75;7;3;1.05;3;55\r\n"
         "Top;0.3;4;1;3.5;1;80\r\n"
         "Bj\xF8rn;1.25;5;1;2.5;1;70\r\n"
         ";;;;;;\r\n"
         ";;;;;;\r\n",
         comments, 2, layers},
    };
    for (const Good& c : cases) {
        SCOPED_TRACE(c.what);
        const LayerFileReading read = readLayerFile(c.bytes);
        expectRead(read, c.comments, c.commentaar, c.layers, c.cut);
        EXPECT_EQ(read.changedLines + read.unusualLines, 0);
    }
}

// One code page per file. Mac Roman wins for a file whose every line ends in a
// CR alone and that is not UTF-8, also where Windows-1252 was meant: the note
// naming the code page is what tells the operator.
TEST(LayerFileReader, TakesTheCodePageFromTheMarkTheBytesAndTheLineEnds)
{
    struct Case {
        const char* what;
        std::string line;  // the first comment line, in the file's code page
        const char* end;
        std::u16string read;
        std::optional<CodePage> codePage;
    };
    const std::string w1252 = "# B\xE6relag, J\xF8rgen \xD8ye, Sand \x96 fin \x80;;;;;;";
    const std::string utf8 = "# B\xC3\xA6relag, J\xC3\xB8rgen \xC3\x98ye, Sand \xE2\x80\x93 fin \xE2\x82\xAC;;;;;;";
    const std::string macRoman = "# B\xBErelag, J\xBFrgen \xAFye, Sand \xD0 fin \xDB;;;;;;";
    const std::u16string meant = u"B\u00E6relag, J\u00F8rgen \u00D8ye, Sand \u2013 fin \u20AC";
    const Case cases[] = {
        {"Windows-1252, CR LF", w1252, "\r\n", meant, CodePage::Windows1252},
        {"Windows-1252, LF", w1252, "\n", meant, CodePage::Windows1252},
        {"Windows-1252, CR", w1252, "\r", u"B\u00CArelag, J\u00AFrgen \u00FFye, Sand \u00F1 fin \u00C4", CodePage::MacRoman},
        {"UTF-8, CR LF", utf8, "\r\n", meant, CodePage::Utf8},
        {"UTF-8, LF", utf8, "\n", meant, CodePage::Utf8},
        {"UTF-8, CR", utf8, "\r", meant, CodePage::Utf8},
        {"Mac Roman, CR", macRoman, "\r", meant, CodePage::MacRoman},
        {"Mac Roman, LF", macRoman, "\n", u"B\u00BErelag, J\u00BFrgen \u00AFye, Sand \u00D0 fin \u00DB",
         CodePage::Windows1252},
        {"Mac Roman, CR LF", macRoman, "\r\n", u"B\u00BErelag, J\u00BFrgen \u00AFye, Sand \u00D0 fin \u00DB",
         CodePage::Windows1252},
        {"ASCII, CR", "# Road A12;;;;;;", "\r", u"Road A12", std::nullopt},
        {"ASCII after a UTF-8 mark", "\xEF\xBB\xBF# Road A12;;;;;;", "\r\n", u"Road A12", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The mark, where there is one, comes first.
        const bool marked = c.line.starts_with("\xEF\xBB\xBF");
        const std::string bytes = (marked ? "\xEF\xBB\xBF" : "") +
                                  joined({kHead, c.line.substr(marked ? 3 : 0), kColumns, "Top;0.30;4;1;3.50;1;80"}, c.end);
        const LayerFileReading read = readLayerFile(bytes);
        ASSERT_EQ(read.errorLine, 0) << toUtf8(refusalMessage(read, kEnglish));
        EXPECT_EQ(toUtf8(read.run.commentaar1), toUtf8(c.read));
        EXPECT_EQ(read.codePage, c.codePage);
    }

    // A CR alone on some lines only is no Mac file.
    const LayerFileReading mixed = readLayerFile(kHead + "\r\n" + w1252 + "\r" + kColumns + "\r\n");
    ASSERT_EQ(mixed.errorLine, 0);
    EXPECT_EQ(mixed.run.commentaar1, meant);
}

TEST(LayerFileReader, NamesTheCodePageOfAFileWithLettersBeyondAscii)
{
    const std::string row = "Top;0.30;4;1;3.50;1;80";
    const std::string macFile = joined({kHead, "# J\xBFrgen;;;;;;", kColumns, row, "A;0.125;4;1;3.50;1;80"}, "\r");
    EXPECT_EQ(toUtf8(readingNotes(readLayerFile(macFile), kEnglish)),
              "Letters and signs beyond A to Z, such as \"\u00F8\" or \"\u2013\", were read in the character set Mac "
              "Roman. Check them before the file is written.\n\nLines that the next write will change: 1, the first "
              "is line 5 (values get two decimals, names end before \".\" or \",\", letters the layer file cannot hold "
              "become \"?\").");
    const std::string utf8File = joined({kHead, "# J\xC3\xB8rgen;;;;;;", kColumns, row});
    EXPECT_EQ(toUtf8(readingNotes(readLayerFile(utf8File), kNorwegian)),
              "Bokstaver og tegn utenfor A til Z, som \"\u00F8\" eller \"\u2013\", er lest med tegnsettet UTF-8. "
              "Kontroller dem f\u00F8r filen skrives.");
}

TEST(LayerFileReader, HoldsUpTo999Layers)
{
    const LayerFileReading read = readLayerFile(withRows({}) + rows(999));
    ASSERT_EQ(read.errorLine, 0);
    EXPECT_EQ(read.run.lagen, 999);
    EXPECT_EQ(read.run.layers[998].Name, u"L998");
    const LayerFileReading more = readLayerFile(withRows({}) + rows(1000));
    EXPECT_EQ(more.errorLine, 5 + 1000);
    EXPECT_EQ(more.fault, Fault::TooManyLayers);
}

TEST(LayerFileReader, RefusesAnythingElseAtItsFirstLineInErrorAndSaysWhy)
{
    const std::string row = "Top;0.30;4;1;3.50;1;80";
    const Bad cases[] = {
        {"an empty file", "", 1, Fault::NotHeader},
        {"another header", joined({"# Leica layer file format version 2.0;;;;;;", kEmpty, kEmpty, kEmpty, kColumns}), 1,
         Fault::NotHeader},
        {"the header without its fields", joined({"# Leica layer file format version 1.0", kColumns}), 1, Fault::NotHeader},
        {"a file of UTF-16", std::string("\xFF\xFE#\0 \0", 6), 1, Fault::NotHeader},
        {"the header alone", joined({kHead}), 2, Fault::NoColumns},
        {"no column line after the comments", joined({kHead, kEmpty, kEmpty, kEmpty}), 5, Fault::NoColumns},
        {"another column line",
         joined({kHead, "name;offset;passcount_target;passcount_maxextra;speed_target;speed_maxdiff;compaction_target"}), 2,
         Fault::NotComment},
        {"another column line after three comments", joined({kHead, kEmpty, kEmpty, kEmpty, "Name;Offset"}), 5,
         Fault::FieldCount},
        {"a fourth comment line", joined({kHead, kEmpty, kEmpty, kEmpty, kEmpty, kColumns}), 5, Fault::NotColumns},
        {"a comment line without its fields", joined({kHead, "# Road A12", kColumns}), 2, Fault::FieldCount},
        {"a comment line without the space", joined({kHead, "#Road;;;;;;", kColumns}), 2, Fault::NotComment},
        {"a \";\" in a comment line", joined({kHead, "# a;b;;;;;;", kColumns}), 2, Fault::FieldCount},
        {"a \";\" in a quoted comment line", joined({kHead, "\"# a;b\";;;;;;", kColumns}), 2, Fault::Semicolon},
        {"a \";\" in a quoted name", withRows({"\"a;b\";0.10;6;2;3.00;1;60"}), 6, Fault::Semicolon, 0},
        {"an empty line before the column line", joined({kHead, "", kColumns}), 2, Fault::NotComment},
        {"6 fields", withRows({row, "Base;0.10;6;2;3.00;1"}), 7, Fault::FieldCount},
        {"8 fields", withRows({"Base;0.10;6;2;3.00;1;60;"}), 6, Fault::FieldCount},
        {"a decimal comma", withRows({row, "Base;1,5;6;2;3.00;1;60"}), 7, Fault::NotDecimal, 1},
        {"letters for a speed", withRows({"Base;0.10;6;2;abc;1;60"}), 6, Fault::NotDecimal, 4},
        {"nan", withRows({"Base;nan;6;2;3.00;1;60"}), 6, Fault::NotDecimal, 1},
        {"inf", withRows({"Base;0.10;6;2;inf;1;60"}), 6, Fault::NotDecimal, 4},
        {"an offset beyond single precision", withRows({"Base;1e39;6;2;3.00;1;60"}), 6, Fault::NotDecimal, 1},
        {"an empty offset", withRows({"Base;;6;2;3.00;1;60"}), 6, Fault::NotDecimal, 1},
        {"101", withRows({"Base;0.10;101;2;3.00;1;60"}), 6, Fault::NotWhole, 2},
        {"-1", withRows({"Base;0.10;6;-1;3.00;1;60"}), 6, Fault::NotWhole, 3},
        {"+-1", withRows({"Base;0.10;6;2;3.00;+-1;60"}), 6, Fault::NotWhole, 5},
        {"a decimal for a whole number", withRows({"Base;0.10;6;2;3.00;1;60.0"}), 6, Fault::NotWhole, 6},
        {"an empty whole number", withRows({"Base;0.10;6;2;3.00;1;"}), 6, Fault::NotWhole, 6},
        {"a line break inside a quoted name", withRows({row, "\"Ba", "se\";0.10;6;2;3.00;1;60"}), 7, Fault::FieldCount},
        {"a CR inside a comment", joined({kHead, "# a\rb;;;;;;", kColumns}), 2, Fault::FieldCount},
        {"an empty line between rows", withRows({row, "", row}), 7, Fault::EmptyRow},
        {"a row of empty fields between rows", withRows({row, ";;;;;;", ";;;;;;", row}), 7, Fault::EmptyRow},
        {"spaces after the rows", withRows({row}) + " \r\n", 7, Fault::FieldCount},
        {"bytes that are not UTF-8 after the mark", "\xEF\xBB\xBF" + withRows({row, "Caf\xE9;0.10;1;1;1.00;1;1"}), 7,
         Fault::NotUtf8, 0},
        {"an encoded surrogate after the mark", "\xEF\xBB\xBF" + joined({kHead, "# \xED\xA0\x80;;;;;;", kColumns}), 2,
         Fault::NotUtf8},
        {"a second byte-order mark", "\xEF\xBB\xBF\xEF\xBB\xBF" + withRows({}), 1, Fault::NotHeader},
        {"a letter lost in a comment line, without a mark", joined({kHead, kEmpty, "# J\xEF\xBF\xBDrgen;;;;;;", kColumns}),
         3, Fault::LostText},
        {"a letter lost, then read as Windows-1252", withRows({row, "Bj\xEF\xBF\xBDrn \xF8;0.10;1;1;1.00;1;1"}), 7,
         Fault::LostText},
        {"a letter lost in a name, after the mark", "\xEF\xBB\xBF" + withRows({row, "Bj\xEF\xBF\xBDrn;0.10;1;1;1.00;1;1"}),
         7, Fault::LostText},
        {"a name of 256 characters", withRows({row, std::string(256, 'n') + ";0.10;1;1;1.00;1;1"}), 7, Fault::TooLong, 0},
        {"a comment line of 256 characters", joined({kHead, "# " + std::string(256, 'c') + ";;;;;;", kColumns}), 2,
         Fault::TooLong},
        {"a control character in a name", withRows({"Ba\x1Fse;0.10;1;1;1.00;1;1"}), 6, Fault::ControlCharacter, 0},
        {"a NUL in a comment line", joined({kHead, std::string("# a\0b;;;;;;", 11), kColumns}), 2, Fault::ControlCharacter},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.what);
        const LayerFileReading read = readLayerFile(c.bytes);
        EXPECT_EQ(read.errorLine, c.line);
        EXPECT_EQ(read.fault, c.fault);
        EXPECT_EQ(read.errorColumn, c.column);
    }
}

// Made from a file the program wrote, with the values 0.125 and 2.500 and
// -1.250 typed in, by LibreOffice Calc 7.4 in Dutch:
// soffice --infilter=CSV:59,34,1,1,,1043 --convert-to 'csv:Text - txt - csv (StarCalc):59,34,1,1,,1043,false,true,true' layer.csv
const std::string kDutchSpreadsheet =
    "# Leica layer file format version 1.0;;;;;;\n"
    "# <Empty>;;;;;;\n"
    "# <Empty>;;;;;;\n"
    "# <Empty>;;;;;;\n"
    "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\n"
    "Top;0.30;4;1;3.50;1;80\n"
    "Fine;125;5;1;2500;1;70\n"
    "Deep;-1250;6;2;3.00;1;60\n";

TEST(LayerFileReader, CountsTheLinesTheNextWriteChangesAndThoseWithUnusualValues)
{
    struct Case {
        const char* what;
        std::string bytes;
        int changedLine, changedLines, unusualLine, unusualLines;
    };
    const std::string row = "Top;0.30;4;1;3.50;1;80";
    const Case cases[] = {
        {"what the writer writes, with fewer decimals or in quotes",
         withRows(
             {row, "Sp;-0.3;4;1;12;1;80", "\"Q\";0.1;4;1;1e1;1;80", "W;0.10;007;+1;3.50;1;80", "Z;-0.00;4;1;10.00;1;80"}),
         0, 0, 0, 0},
        {"more than two decimals", withRows({row, "A;0.125;4;1;3.50;1;80", row, "B;0.30;4;1;3.505;1;80"}), 7, 2, 0, 0},
        {"an exponent", withRows({row, row, "A;1.005e-1;4;1;3.50;1;80"}), 8, 1, 0, 0},
        {"a small negative offset written as -0.00", withRows({"A;-0.0049;4;1;3.50;1;80"}), 6, 1, 0, 0},
        {"more digits than single precision holds", withRows({"A;16777217;4;1;3.50;1;80"}), 6, 1, 6, 1},
        {"a letter Windows-1252 lacks",
         joined({kHead, "# \xCE\xA9;;;;;;", kColumns, row, "\xE4\xB8\xAD;0.30;4;1;3.50;1;80"}), 2, 2, 0, 0},
        {"a name cut", withRows({row, "Sand.fine;0.20;1;1;1.00;1;1"}), 7, 1, 0, 0},
        {"the usual ranges, just inside", withRows({"A;-10;4;1;0.5;1;80", "B;10.00;4;1;30;1;80"}), 0, 0, 0, 0},
        {"just outside",
         withRows({row, "A;-10.01;4;1;3.50;1;80", "B;10.01;4;1;3.50;1;80", "C;0;4;1;0.49;1;80", "D;0;4;1;30.01;1;80"}), 0, 0,
         7, 4},
        {"a Dutch spreadsheet's thousands", kDutchSpreadsheet, 0, 0, 7, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LayerFileReading read = readLayerFile(c.bytes);
        ASSERT_EQ(read.errorLine, 0);
        EXPECT_EQ(read.changedLine, c.changedLine);
        EXPECT_EQ(read.changedLines, c.changedLines);
        EXPECT_EQ(read.unusualLine, c.unusualLine);
        EXPECT_EQ(read.unusualLines, c.unusualLines);
    }
}

TEST(LayerFileReader, MessagesNameTheLineTheColumnAndWhatWasExpected)
{
    struct Case {
        std::string bytes;
        std::int32_t taal;
        std::u16string message;
    };
    const std::u16string en56(catalogueText(kEnglish, 56));
    const std::string row = "Top;0.30;4;1;3.50;1;80";
    const Case cases[] = {
        {withRows({row, "Base;\"0,30\";6;2;3.00;1;60"}), kEnglish,
         en56 + u"7, Offset: \"0,30\" is not a number with a decimal point"},
        {withRows({row, "Base;0.10;6;2;3.00;1;60;"}), kEnglish, en56 + u"7: 8 fields, a layer file has 7"},
        {"Name;Offset\r\n", kEnglish, en56 + u"1: not the header of a layer file"},
        {withRows({"Base;0.10;6;2;3.00;1;" + std::string(50, '7')}), kEnglish,
         en56 + u"6, Compaction_Target: \"" + std::u16string(40, u'7') + u"\u2026\" is not a whole number from 0 to 100"},
        {"\xEF\xBB\xBF" + withRows({"Caf\xC3\xA9;0.10;6;2;x\xC3\xA9\x01;1;60"}), kEnglish,
         en56 + u"6, Speed_Target: \"x\u00E9\uFFFD\" is not a number with a decimal point"},
        {withRows({row, "Base;0.10;6;2;3.00;1;abc"}), kDutch,
         std::u16string(catalogueText(kDutch, 56)) + u"7, Compaction_Target: \"abc\" is geen geheel getal van 0 tot 100"},
    };
    for (const Case& c : cases) {
        const LayerFileReading read = readLayerFile(c.bytes);
        EXPECT_EQ(toUtf8(refusalMessage(read, c.taal)), toUtf8(c.message));
    }

    const LayerFileReading read = readLayerFile(withRows({row, "A;0.125;4;1;3.50;1;80", "B;0.125;4;1;3.50;1;80"}) +
                                                kDutchSpreadsheet.substr(kDutchSpreadsheet.find("Fine")));
    ASSERT_EQ(read.errorLine, 0);
    EXPECT_EQ(readingNotes(readLayerFile(withRows({row})), kEnglish), u"");
    EXPECT_EQ(
        toUtf8(readingNotes(read, kEnglish)),
        "Lines that the next write will change: 2, the first is line 7 (values get two decimals, names end before \".\" or "
        "\",\", letters the layer file cannot hold become \"?\").\n\nLines with a value no compaction layer has: 2, the first "
        "is line 9 (offsets are usually within -10 \u2026 +10 m, target speeds within 0.5 \u2026 30 km/h). Check them before "
        "the file is written.");
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
    EXPECT_NE(written.find("\r\n# \x80"
                           "5 \x96 it\x92s caf\xE9;;;;;;\r\n# ? ? ? ?;;;;;;\r\n"),
              std::string::npos);
    const LayerFileReading read = readLayerFile(written);
    ASSERT_EQ(read.errorLine, 0);
    EXPECT_EQ(read.run.commentaar1, run.commentaar1);
    EXPECT_EQ(read.run.commentaar2, u"? ? ? ?");
}

TEST(MacRoman, EveryByteIsAnotherCharacterAndTheLetterOfItsPlace)
{
    std::set<char16_t> seen;
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t c = fromMacRoman(static_cast<unsigned char>(byte));
        EXPECT_TRUE(seen.insert(c).second) << byte;
        if (byte < 0x80) {
            EXPECT_EQ(c, byte);
        }
    }
    const std::pair<unsigned char, char16_t> letters[] = {
        {0x80, u'\u00C4'}, {0x8A, u'\u00E4'}, {0x8E, u'\u00E9'}, {0xAE, u'\u00C6'}, {0xAF, u'\u00D8'},
        {0xBE, u'\u00E6'}, {0xBF, u'\u00F8'}, {0x81, u'\u00C5'}, {0x8C, u'\u00E5'}, {0xD0, u'\u2013'},
        {0xD5, u'\u2019'}, {0xDB, u'\u20AC'}, {0xCA, u'\u00A0'}, {0xF0, u'\uF8FF'}, {0xFF, u'\u02C7'},
    };
    for (const auto& [byte, letter] : letters)
        EXPECT_EQ(fromMacRoman(byte), letter) << int(byte);
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
    // Letters of the code page only, so the run itself comes back; none whose
    // byte begins a UTF-8 sequence (such as "\u00E9"), or a file could be UTF-8 too.
    const std::u16string_view letters = u"aZ09 -_#<>/\\\"'\t\u00F6\u00F8\u00C0\u00FC\u00FF\u20AC\u2013\u2019\u0160\u0178";
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
    RunData examples[5];
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
    // Names a reader of quoted fields could take for quoted ones.
    for (const std::u16string_view name :
         {u"\"quoted\"", u"\"\"", u"\"", u"\"a\"\"", u"\"x", u"y\"", u"\"a\"b\"", u"\"\"\""})
        examples[4].layers[examples[4].lagen++] = {std::u16string(name), 0.1f, 1, 1, 1, 1, 1};
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
    EXPECT_NE(layerFileContent(examples[4]).find("\r\n\"\"\"quoted\"\"\";0.10;"), std::string::npos);
    expectSameRun(readLayerFile(layerFileContent(examples[4])).run, examples[4]);
    EXPECT_EQ(readLayerFile(layerFileContent(examples[2])).run.layers[2].Offset, 1.0f);
    EXPECT_EQ(readLayerFile(layerFileContent(examples[3])).run.commentaar1, u"a,b  c");
}

using ChosenFile = FreshSettings;

// Only a plain file is read, and only up to the bound: a pipe or a device
// would keep the program waiting, a huge file fill its memory.
TEST_F(ChosenFile, IsReadWholeWhenItIsAPlainFileOfAtMost16MiB)
{
    namespace fs = std::filesystem;
    const std::string bound(kLargestLayerFile, 'x');
    struct Case {
        const char* what;
        std::function<fs::path()> make;
        std::optional<std::string> read;
    };
    std::vector<Case> cases = {
        // Ctrl+Z ends a file read as text on Windows, which also turns CR LF into LF.
        {"a plain file, byte for byte",
         [&] {
             spit(folder / "a.csv", "a\r\nb\x1A\xE9");
             return folder / "a.csv";
         },
         "a\r\nb\x1A\xE9"},
        {"an empty file",
         [&] {
             spit(folder / "e.csv", "");
             return folder / "e.csv";
         },
         ""},
        {"a name beyond any one code page",
         [&] {
             const fs::path file = nativePath(folder.u16string() + u"/\u0394 \u00F8 \u4E2D.csv");
             spit(file, "wide");
             return file;
         },
         "wide"},
        {"16 MiB",
         [&] {
             spit(folder / "bound.csv", bound);
             return folder / "bound.csv";
         },
         bound},
        {"one byte more",
         [&] {
             spit(folder / "huge.csv", bound + "x");
             return folder / "huge.csv";
         },
         std::nullopt},
        {"a missing file", [&] { return folder / "missing.csv"; }, std::nullopt},
        {"a folder", [&] { return folder; }, std::nullopt},
        // The name up to the NUL is a file: reading it would read another file.
        {"a name holding a NUL",
         [&] {
             spit(folder / "real.csv", "real");
             fs::path::string_type name = (folder / "real.csv").native();
             name += fs::path::value_type();
             name += (fs::path("x")).native();
             return fs::path(name);
         },
         std::nullopt},
#ifndef _WIN32
        {"a link to a plain file",
         [&] {
             spit(folder / "target.csv", "linked");
             fs::create_symlink(folder / "target.csv", folder / "link.csv");
             return folder / "link.csv";
         },
         "linked"},
        // No one writes to it: reading it would never end.
        {"a pipe",
         [&] {
             ::mkfifo((folder / "pipe.csv").c_str(), 0600);
             return folder / "pipe.csv";
         },
         std::nullopt},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<std::string> read = readPlainFile(c.make());
        ASSERT_EQ(read.has_value(), c.read.has_value());
        if (read) {
            EXPECT_TRUE(*read == *c.read) << read->size() << " bytes";
        }
    }
#ifndef _WIN32
    // One the user may not read.
    ::chmod(folder.c_str(), 0755);
    spit(folder / "locked.csv", "secret");
    ::chmod((folder / "locked.csv").c_str(), 0200);
    const auto problems = runWithoutRoot([&] {
        return readPlainFile(folder / "locked.csv") ? std::string("read a file the user may not read") : std::string();
    });
    if (problems) {
        EXPECT_EQ(*problems, "");
    }
#endif
}

// What opening a layer file takes into the run, and what it leaves there.
TEST(LayerFileOpening, ReplacesTheCommentLinesTheirCountAndTheLayersOnly)
{
    RunData before;
    before.commentaar1 = u"mine";
    before.commentaar2 = before.commentaar3 = kEmptyComment;
    before.commentaar = 1;
    for (int k = 0; k < 5; ++k)
        before.layers[before.lagen++] = {u"Old", 0.5f, 1, 1, 1.0f, 1, 1};
    before.kalenaam = u"road.xml_layer.csv";
    before.koppel = 1;
    before.taal = kDutch;
    before.pagina = 2;

    struct Case {
        const char* what;
        std::string file;
        std::array<std::u16string, 3> comments;
        int commentaar;
        std::vector<TLayerRecord> layers;
    };
    const Case cases[] = {
        {"comment lines, whole layers",
         joined({kHead, "# Road A12;;;;;;", kEmpty, "# z;;;;;;", kColumns, "Top;0.30;4;1;3.50;1;80",
                 "Base;0.10;6;2;3.00;1;60"}),
         {u"Road A12", u"<Empty>", u"z"},
         3,
         {top(), {u"Base", 0.1f, 6, 2, 3.0f, 1, 60}}},
        {"no layers", withRows({}), {u"<Empty>", u"<Empty>", u"<Empty>"}, 0, {}},
        {"refused: nothing changes",
         withRows({"Top;1,5;4;1;3.50;1;80"}),
         {u"mine", u"<Empty>", u"<Empty>"},
         1,
         std::vector<TLayerRecord>(5, {u"Old", 0.5f, 1, 1, 1.0f, 1, 1})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunData run = before;
        replaceEntries(run, readLayerFile(c.file));
        EXPECT_EQ(run.commentaar1, c.comments[0]);
        EXPECT_EQ(run.commentaar2, c.comments[1]);
        EXPECT_EQ(run.commentaar3, c.comments[2]);
        EXPECT_EQ(run.commentaar, c.commentaar);
        ASSERT_EQ(run.lagen, static_cast<int>(c.layers.size()));
        for (std::size_t k = 0; k < c.layers.size(); ++k)
            EXPECT_EQ(run.layers[k], c.layers[k]) << k;
        EXPECT_EQ(run.kalenaam, before.kalenaam);
        EXPECT_EQ(run.koppel, before.koppel);
        EXPECT_EQ(run.taal, before.taal);
        EXPECT_EQ(run.pagina, before.pagina);
    }
}
