#include "wizard/layerfile.h"

#include "app/settings.h"
#include "freshsettings.h"
#include "wizard/layerfilereader.h"
#include "wizard/paths.h"
#include "wizard/replacedfiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>

#ifndef _WIN32
#include <sys/resource.h>
#endif

using namespace kobalin;
namespace fs = std::filesystem;

namespace {

const std::string kHead = "# Leica layer file format version 1.0;;;;;;\r\n";
const std::string kColumns =
    "Name;Offset;PassCount_Target;PassCount_MaxExtra;Speed_Target;Speed_MaxDiff;Compaction_Target\r\n";
const std::string kNoComments = "# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n# <Empty>;;;;;;\r\n";

RunData emptyRun()
{
    RunData run;
    run.commentaar1 = run.commentaar2 = run.commentaar3 = kEmptyComment;
    return run;
}

void add(RunData& run, std::u16string name, float offset, int passes, int extra, float speed, int speedDiff, int cmv)
{
    run.layers[run.lagen++] = TLayerRecord{std::move(name), offset, passes, extra, speed, speedDiff, cmv};
}

RunData topAndBase()
{
    RunData run = emptyRun();
    add(run, u"Top", 0.3f, 4, 1, 3.5f, 1, 80);
    add(run, u"Base", 0.1f, 6, 2, 3.0f, 1, 60);
    return run;
}

}  // namespace

TEST(LayerFileContent, HeaderCommentsColumnsAndOneRowPerLayer)
{
    EXPECT_EQ(layerFileContent(topAndBase()),
              kHead + kNoComments + kColumns + "Top;0.30;4;1;3.50;1;80\r\nBase;0.10;6;2;3.00;1;60\r\n");

    RunData none = emptyRun();
    EXPECT_EQ(layerFileContent(none), kHead + kNoComments + kColumns);

    RunData commented = emptyRun();
    commented.commentaar1 = u"Road A12";
    commented.commentaar3 = u"";
    EXPECT_EQ(layerFileContent(commented), kHead + "# Road A12;;;;;;\r\n# <Empty>;;;;;;\r\n# ;;;;;;\r\n" + kColumns);
}

TEST(LayerFileContent, NumbersAreWrittenWithTwoDecimalsAndAPoint)
{
    struct Case {
        float offset;
        float speed;
        int passes;
        std::string row;
    };
    const Case cases[] = {
        {0.1f, 12.0f, 0, "L;0.10;0;2;12.00;1;50\r\n"},
        {-0.1f, 2.5f, 100, "L;-0.10;100;2;2.50;1;50\r\n"},
        {-0.004f, 0.0f, -3, "L;-0.00;-3;2;0.00;1;50\r\n"},
        {1.005f, 3.675f, 7, "L;1.00;7;2;3.67;1;50\r\n"},  // the single-precision value decides the rounding
        {1e6f, 99.999f, 1, "L;1000000.00;1;2;100.00;1;50\r\n"},
    };
    // A locale whose decimal mark is "," must not leak into the file.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string restore = previous ? previous : "C";
    const bool commaLocale = (std::setlocale(LC_ALL, "nl_NL.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8")) &&
                             *std::localeconv()->decimal_point == ',';
    for (const Case& c : cases) {
        RunData run = emptyRun();
        add(run, u"L", c.offset, c.passes, 2, c.speed, 1, 50);
        EXPECT_EQ(layerFileContent(run), kHead + kNoComments + kColumns + c.row);
    }
    std::setlocale(LC_ALL, restore.c_str());
    if (!commaLocale)
        GTEST_SKIP() << "no locale with a decimal comma is installed";
}

TEST(LayerFileContent, TextIsWindows1252AndNeverBreaksTheSevenFields)
{
    RunData run = emptyRun();
    run.commentaar1 = u"Caf\u00e9 \u20ac5";
    run.commentaar2 = u"a;b\r\nc";
    add(run, u"Bj\u00f8rn;1\n", 0.2f, 1, 1, 1, 1, 1);
    add(run, u"", 0.1f, 1, 1, 1, 1, 1);
    add(run, u"\U0001F600x", 0.0f, 1, 1, 1, 1, 1);
    EXPECT_EQ(layerFileContent(run), kHead +
                                         "# Caf\xe9 \x80"
                                         "5;;;;;;\r\n# a,b  c;;;;;;\r\n# <Empty>;;;;;;\r\n" +
                                         kColumns +
                                         "Bj\xf8rn,1 ;0.20;1;1;1.00;1;1\r\n;0.10;1;1;1.00;1;1\r\n?x;0.00;1;1;1.00;1;1\r\n");
}

// The last step shows the file as it is on disk, not the table formatted again.
TEST(LayerFileText, EachByteIsItsWindows1252CharacterAndCrLfOneLineEnd)
{
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"a;b\r\nc\r\n", u"a;b\nc\n"},
        {"a\rb\nc", u"a\rb\nc"},  // a CR or an LF alone stays
        {"a\r\r\nb", u"a\r\nb"},  // only the CR right before the LF goes
        {"a\r", u"a\r"},          // a CR at the very end
        {"Caf\xE9 \x80 \x96", u"Caf\u00E9 \u20AC \u2013"},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layerFileText(c.bytes), c.text) << c.bytes;
}

TEST(LayerFilePath, LinkedUsesTheStoredNameUnlinkedTheFolder)
{
    EXPECT_EQ(layerFilePath(true, u"D:\\jobs\\road.xml_layer.csv", u"D:\\jobs", PathStyle::Windows),
              u"D:\\jobs\\road.xml_layer.csv");
    EXPECT_EQ(layerFilePath(false, u"D:\\jobs\\road.xml_layer.csv", u"D:\\jobs", PathStyle::Windows),
              u"D:\\jobs\\_layer.csv");
    EXPECT_EQ(layerFilePath(false, u"", u"D:\\", PathStyle::Windows), u"D:\\_layer.csv");
    EXPECT_EQ(layerFilePath(false, u"", u"/home/ann", PathStyle::Posix), u"/home/ann/_layer.csv");
}

class LayerFileWrite : public FreshSettings {
protected:
    void store(const fs::path& model)
    {
        auto key = openSettingsKey(kSettingsKey);
        const std::u16string path = nativeText(model);
        key->writeString(u"meetfile", ChangeFileExt(path, u".xml_layer.csv"));
        key->writeString(u"initdir", ExtractFileDir(path));
        key->close();
    }
    static std::u16string nativeText(const fs::path& p) { return p.u16string(); }
};

TEST_F(LayerFileWrite, WritesTheLinkedOrTheUnlinkedFileAndStoresTheChoice)
{
    store(folder / "road.lin");
    const RunData run = topAndBase();

    const LayerFileResult linked = writeLayerFile(run, true);
    EXPECT_TRUE(linked.written);
    EXPECT_EQ(nativePath(linked.path), folder / "road.xml_layer.csv");
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"), layerFileContent(run));
    EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"koppel"), 1);

    const LayerFileResult unlinked = writeLayerFile(run, false);
    EXPECT_TRUE(unlinked.written);
    EXPECT_EQ(nativePath(unlinked.path), folder / "_layer.csv");
    EXPECT_EQ(slurp(folder / "_layer.csv"), layerFileContent(run));
    EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"koppel"), 0);

    // An existing file is replaced completely, and nothing else is left beside it.
    RunData shorter = emptyRun();
    EXPECT_TRUE(writeLayerFile(shorter, false).written);
    EXPECT_EQ(slurp(folder / "_layer.csv"), layerFileContent(shorter));
    // Counting files only: the settings folder is there off Windows, not on it.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2);  // road.xml_layer.csv and _layer.csv
}

TEST_F(LayerFileWrite, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept)
{
    struct Case {
        const char* what;
        std::function<fs::path()> prepare;  // returns the model chosen
    };
    const Case cases[] = {
        {"folder missing", [this] { return folder / "gone" / "road.xml"; }},
        {"path is a folder",
         [this] {
             fs::create_directories(folder / "road.xml_layer.csv");
             return folder / "road.xml";
         }},
        {"parent is a file",
         [this] {
             std::ofstream(folder / "plain") << "x";
             return folder / "plain" / "road.xml";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store(c.prepare());
        const LayerFileResult result = writeLayerFile(topAndBase(), true);
        EXPECT_FALSE(result.written);
        EXPECT_FALSE(result.path.empty());
        EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"koppel"), 1) << "stored before the file is opened";
    }
}

#ifndef _WIN32
TEST_F(LayerFileWrite, AWriteThatFailsHalfwayKeepsTheOldFileWhole)
{
    store(folder / "road.xml");
    const RunData small = topAndBase();
    ASSERT_TRUE(writeLayerFile(small, true).written);
    const std::string before = slurp(folder / "road.xml_layer.csv");

    RunData big = emptyRun();
    for (int i = 0; i < 500; ++i)
        add(big, u"A rather long layer name", 0.1f * i, 4, 1, 3.5f, 1, 80);
    // As a full disk would: no file may grow beyond a few bytes more than the old one.
    struct rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = previous;
    limit.rlim_cur = before.size() + 100;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const LayerFileResult result = writeLayerFile(big, true);
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.written);
    EXPECT_EQ(slurp(folder / "road.xml_layer.csv"), before);
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".kobalin-tmp-"), std::string::npos) << entry.path();
}
#endif

#ifndef _WIN32
// The user's layer file is a link to a file elsewhere, and a notes file of
// theirs sits beside it: the file linked to gets the content, the rest stays.
TEST_F(LayerFileWrite, TheUsersLinkAndOtherFilesStayAsTheyWere)
{
    spit(folder / "survey" / "pier.csv", "old");
    fs::create_directories(folder / "jobs");
    fs::create_symlink("../survey/pier.csv", folder / "jobs" / "pier.xml_layer.csv");
    spit(folder / "jobs" / "pier.xml_layer.csv.tmp.notes", "notes");
    store(folder / "jobs" / "pier.xml");

    ASSERT_TRUE(writeLayerFile(topAndBase(), true).written);
    EXPECT_EQ(slurp(folder / "survey" / "pier.csv"), layerFileContent(topAndBase()));
    EXPECT_EQ(fs::read_symlink(folder / "jobs" / "pier.xml_layer.csv"), "../survey/pier.csv");
    EXPECT_EQ(slurp(folder / "jobs" / "pier.xml_layer.csv.tmp.notes"), "notes");
}
#endif

// With the box not ticked every model in a folder shares _layer.csv: the file
// there may be another job's, and is kept before it is replaced. Nothing but
// the layer file is ever written into the model's folder.
TEST_F(LayerFileWrite, AFileOfOtherContentIsCopiedAsideBeforeItIsReplaced)
{
    const fs::path jobs = folder / "jobs";
    const fs::path target = jobs / "_layer.csv";
    const RunData run = topAndBase();
    const std::string ours = layerFileContent(run);
    struct Case {
        const char* what;
        std::function<void(OwnLayerFiles&)> prepare;
        std::string copied;  // the copy's content; empty: none, "-": the copy failed
    };
    const std::string big(kLargestLayerFile + 1, 'x');
    const Case cases[] = {
        {"no file there", [](OwnLayerFiles&) {}, ""},
        {"the same bytes", [&](OwnLayerFiles&) { spit(target, ours); }, ""},
        {"another job's file", [&](OwnLayerFiles&) { spit(target, "pier"); }, "pier"},
        {"a file the run opened",
         [&](OwnLayerFiles& own) {
             spit(target, "opened");
             own.add("opened");
         },
         ""},
        {"the run's own write, since replaced by another copy",
         [&](OwnLayerFiles& own) {
             own.add(ours + "x");
             spit(target, "another copy's");
         },
         "another copy's"},
        {"a file too large to read", [&](OwnLayerFiles&) { spit(target, big); }, big},
        {"no folder for copies",
         [&](OwnLayerFiles&) {
             spit(target, "pier");
             spit(replacedFilesFolder(), "a file in its place");
         },
         "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        fs::create_directories(jobs);
        store(jobs / "road.xml");
        OwnLayerFiles own;
        c.prepare(own);
        const LayerFileResult result = writeLayerFile(run, false, &own);
        EXPECT_TRUE(result.written) << "the write goes on";
        EXPECT_EQ(slurp(target), ours);
        EXPECT_EQ(result.copyFailedIn, c.copied == "-" ? replacedFilesFolder().u16string() : u"");
        if (c.copied.empty() || c.copied == "-") {
            EXPECT_EQ(result.keptCopy, u"");
        } else {
            EXPECT_EQ(nativePath(result.keptCopy).parent_path(), replacedFilesFolder());
            EXPECT_EQ(slurp(nativePath(result.keptCopy)), c.copied);
        }
        EXPECT_EQ(fs::directory_iterator(jobs)->path(), target);
        EXPECT_EQ(std::distance(fs::directory_iterator(jobs), fs::directory_iterator()), 1);
        // What it wrote is the run's own now: the next write replaces it without a copy.
        RunData changed = run;
        changed.commentaar1 = u"changed";
        const LayerFileResult again = writeLayerFile(changed, false, &own);
        EXPECT_TRUE(again.keptCopy.empty() && again.copyFailedIn.empty());
    }
}

#ifndef _WIN32
// A layer file that is a link to another job's file: the file linked to is
// copied under the link's name, and replaced through the link.
TEST_F(LayerFileWrite, ALinkToAnotherJobsFileIsCopiedUnderItsOwnName)
{
    spit(folder / "survey" / "pier.csv", "pier");
    fs::create_directories(folder / "jobs");
    fs::create_symlink("../survey/pier.csv", folder / "jobs" / "road.xml_layer.csv");
    store(folder / "jobs" / "road.xml");
    const LayerFileResult result = writeLayerFile(topAndBase(), true);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(slurp(folder / "survey" / "pier.csv"), layerFileContent(topAndBase()));
    EXPECT_TRUE(fs::is_symlink(folder / "jobs" / "road.xml_layer.csv"));
    EXPECT_EQ(slurp(nativePath(result.keptCopy)), "pier");
    EXPECT_TRUE(nativePath(result.keptCopy).filename().string().starts_with("road.xml_layer 20"));
}
#endif

using ReplacedCopies = FreshSettings;

// Named after the file and the moment, a second copy of the same second apart;
// of the copies the hundred newest stay, and nothing else there is removed.
TEST_F(ReplacedCopies, AreNamedByFileAndMomentAndTheHundredNewestKept)
{
#ifdef _WIN32
    _putenv_s("TZ", "UTC0");
    _tzset();
#else
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
#endif
    const fs::path copies = folder / "replaced";
    constexpr std::int64_t kMarch14 = 1741963320;  // 2025-03-14 14:42:00 UTC
    EXPECT_EQ(keepReplacedFile(copies, folder / "jobs" / "_layer.csv", "one", kMarch14),
              copies / "_layer 2025-03-14 144200.csv");
    EXPECT_EQ(keepReplacedFile(copies, folder / "jobs" / "_layer.csv", "two", kMarch14),
              copies / "_layer 2025-03-14 144200 (2).csv");
    EXPECT_EQ(slurp(copies / "_layer 2025-03-14 144200.csv"), "one");

    const auto now = fs::file_time_type::clock::now();
    for (int i = 0; i < 100; ++i) {
        const fs::path copy = copies / ("road.xml_layer 2024-01-01 " + std::to_string(100000 + i) + ".csv");
        spit(copy, "old");
        fs::last_write_time(copy, now - std::chrono::hours(1000 - i));
    }
    spit(copies / "notes.txt", "the user's");
    spit(copies / "road 2024.csv", "the user's");
    fs::last_write_time(copies / "notes.txt", now - std::chrono::hours(5000));
    keepReplacedFile(copies, folder / "jobs" / "road.xml_layer.csv", "three", kMarch14 + 1);
    // 103 copies: the three oldest went.
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(fs::exists(copies / ("road.xml_layer 2024-01-01 " + std::to_string(100000 + i) + ".csv"))) << i;
    EXPECT_TRUE(fs::exists(copies / "road.xml_layer 2024-01-01 100003.csv"));
    EXPECT_EQ(slurp(copies / "road.xml_layer 2025-03-14 144201.csv"), "three");
    EXPECT_EQ(slurp(copies / "notes.txt"), "the user's");
    EXPECT_EQ(slurp(copies / "road 2024.csv"), "the user's");
    EXPECT_EQ(std::distance(fs::directory_iterator(copies), fs::directory_iterator()), 102);
}

TEST_F(LayerFileWrite, NoStoredFolderIsAFailureNotTheRootOfTheDrive)
{
    const LayerFileResult unlinked = writeLayerFile(topAndBase(), false);
    EXPECT_FALSE(unlinked.written);
    EXPECT_EQ(unlinked.path, joinPath(u"", u"_layer.csv"));
    EXPECT_FALSE(writeLayerFile(topAndBase(), true).written);
}

using OpenDialog = FreshSettings;

// The file the last step would write is offered first, where it is there.
TEST_F(OpenDialog, StartsInTheModelsFolderWithTheFileOfTheLinkChoiceChosen)
{
    struct Case {
        const char* what;
        bool linked;
        std::vector<std::u16string> files;  // in the model's folder before the dialog opens
        bool stored;                        // a model was chosen before
        std::u16string existing;            // the file chosen, empty for none
    };
    const Case cases[] = {
        {"no model chosen yet", true, {u"road.xml_layer.csv", u"_layer.csv"}, false, u""},
        {"linked, the file there", true, {u"road.xml_layer.csv", u"_layer.csv"}, true, u"road.xml_layer.csv"},
        {"linked, the file not there", true, {u"_layer.csv"}, true, u""},
        {"not linked, the file there", false, {u"road.xml_layer.csv", u"_layer.csv"}, true, u"_layer.csv"},
        {"not linked, the file not there", false, {u"road.xml_layer.csv"}, true, u""},
        {"a folder of the file's name", true, {u"road.xml_layer.csv/x"}, true, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        const std::u16string dir = folder.u16string();
        for (const std::u16string& file : c.files)
            spit(folder / nativePath(file), "x");
        if (c.stored) {
            auto key = openSettingsKey(kSettingsKey);
            key->writeString(u"meetfile", joinPath(dir, u"road.xml_layer.csv"));
            key->writeString(u"initdir", dir);
            key->close();
        }
        const LayerFileToOpen start = layerFileToOpen(c.linked);
        EXPECT_EQ(start.folder, c.stored ? dir : u"");
        EXPECT_EQ(start.existing, c.existing.empty() ? u"" : joinPath(dir, c.existing));
    }
}
