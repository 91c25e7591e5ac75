// The run kept until its layer file is written: the recovery file's form, and
// the folder of them, where a running copy's run is never taken by another.
#include "wizard/keptrun.h"

#include "app/atomicfile.h"
#include "freshsettings.h"
#include "i18n/catalogue.h"
#include "wizard/layerfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace kobalin;
namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kMarch14 = 1741963320;  // 2025-03-14 14:42:00 UTC

RunData emptyRun()
{
    RunData run;
    run.commentaar1 = run.commentaar2 = run.commentaar3 = kEmptyComment;
    return run;
}

void add(RunData& run, std::u16string name, float offset, float speed = 3.5f)
{
    run.layers[run.lagen++] = TLayerRecord{std::move(name), offset, 4, 1, speed, 1, 80};
}

RunData threeLayers()
{
    RunData run = emptyRun();
    run.commentaar1 = u"Road A12";
    run.commentaar2 = u"";
    run.commentaar = 2;
    run.model = u"/jobs/road.xml";
    add(run, u"Top", 0.3f);
    add(run, u"Middle", 0.2f);
    add(run, u"Base", 0.1f);
    return run;
}

std::string keptFile(const RunData& run, bool linked = true, std::int64_t at = kMarch14)
{
    return keptRunFile(keptRunBody(run, linked), at);
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(KeptRunFile, ReadsBackExactlyWhatWasKept)
{
    struct Case {
        const char* what;
        std::function<void(RunData&)> make;
        bool linked;
    };
    const Case cases[] = {
        {"nothing entered but the model", [](RunData& r) { r.model = u"D:\\jobs\\road.lin"; }, false},
        {"values the layer file rounds",
         [](RunData& r) {
             add(r, u"Fine", 0.125f, 0.001f);
             add(r, u"Tiny", 1e-40f, 29.999f);
             add(r, u"Zero", -0.0f);
             add(r, u"Far", FLT_MAX, -FLT_MAX);
         },
         true},
        {"letters the layer file cannot hold, quotes, a tab, the longest name",
         [](RunData& r) {
             r.commentaar1 = u"P\u00E5 \u00F8ya \u0141\u00F3d\u017A";
             r.commentaar = 1;
             add(r, u"\u9053\u8DEF \U0001F6A7", 0.2f);
             add(r, u"\"Top\"", 0.1f);
             add(r, u"a\tb", 0.0f);
             add(r, std::u16string(kLongestText, u'\u00E6'), -0.1f);
         },
         true},
        {"three lines added, the second deleted, the third left empty",
         [](RunData& r) {
             r.commentaar1 = u"One";
             r.commentaar3 = u"";
             r.commentaar = 3;
         },
         false},
        {"a model whose path holds %, a line break and a control character",
         [](RunData& r) { r.model = u"/home/ann/100% ready/road\r\n\x01.xml"; }, true},
        {"a full table",
         [](RunData& r) {
             for (int i = 0; i < kMaxLayers; ++i)
                 add(r, u"Layer " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)), static_cast<float>(i) / 7);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunData run = emptyRun();
        c.make(run);
        const KeptRunReading reading = readKeptRun(keptFile(run, c.linked));
        ASSERT_EQ(reading.fault, KeptRunFault::None);
        const RunData& back = reading.kept.run;
        ASSERT_EQ(back.lagen, run.lagen);
        for (int i = 0; i < run.lagen; ++i)
            EXPECT_EQ(back.layers[i], run.layers[i]) << "layer " << i;
        EXPECT_EQ(std::vector({back.commentaar1, back.commentaar2, back.commentaar3}),
                  std::vector({run.commentaar1, run.commentaar2, run.commentaar3}));
        EXPECT_EQ(back.commentaar, run.commentaar);
        EXPECT_TRUE(back.model == run.model);
        EXPECT_EQ(reading.kept.linked, c.linked);
        EXPECT_EQ(reading.kept.keptAt, kMarch14);
    }
}

// A file cut anywhere (a disk that failed, a copy by hand), of a later
// version, or of something else is never taken for a run.
TEST(KeptRunFile, RefusesWhatIsNotAWholeKeptRun)
{
    const std::string whole = keptFile(threeLayers());
    for (std::size_t length = 0; length < whole.size(); ++length)
        ASSERT_EQ(readKeptRun(whole.substr(0, length)).fault, KeptRunFault::Unreadable) << "cut at " << length;

    auto replaced = [&](const std::string& what, const std::string& by) {
        std::string changed = whole;
        changed.replace(changed.find(what), what.size(), by);
        return changed;
    };
    struct Case {
        const char* what;
        std::string bytes;
        KeptRunFault fault;
    };
    const Case cases[] = {
        {"a byte more", whole + "\n", KeptRunFault::Unreadable},
        {"the next format", replaced("run;1\r\n", "run;2\r\n"), KeptRunFault::NewerFormat},
        {"a far later format", replaced("run;1\r\n", "run;1000\r\n"), KeptRunFault::NewerFormat},
        {"format 0", replaced("run;1\r\n", "run;0\r\n"), KeptRunFault::Unreadable},
        {"no format", replaced("run;1\r\n", "run;\r\n"), KeptRunFault::Unreadable},
        {"another count of layers", replaced("layers;3;", "layers;2;"), KeptRunFault::Unreadable},
        {"a broken escape in the model", replaced("/jobs/", "/jobs%G/"), KeptRunFault::Unreadable},
        {"a fourth comment line counted", replaced("commentaar;2", "commentaar;4"), KeptRunFault::Unreadable},
        {"line ends changed by a copy", replaced("kept;", "kept;1\n"), KeptRunFault::Unreadable},
        {"a layer file, not a kept run", layerFileContent(threeLayers()), KeptRunFault::Unreadable},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readKeptRun(c.bytes).fault, c.fault) << c.what;
    EXPECT_EQ(readKeptRun(whole).fault, KeptRunFault::None);
}

TEST(KeptRunFile, TheQuestionSaysWhenItWasKeptAndHowMuchItHolds)
{
#ifdef _WIN32
    _putenv_s("TZ", "UTC0");
    _tzset();
#else
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
#endif
    KeptRun kept;
    kept.run = threeLayers();
    kept.keptAt = kMarch14;
    EXPECT_EQ(restoreQuestion(kept, kEnglish), u"Work whose layer file had not yet been created was kept on 2025-03-14 at "
                                               u"14:42 (layers: 3, comment lines: 2). Restore it?");
    EXPECT_EQ(restoreQuestion(kept, kDutch), u"Op 2025-03-14 om 14:42 is werk bewaard waarvan de layer file nog niet was "
                                             u"aangemaakt (lagen: 3, commentaar regels: 2). Herstellen?");
    kept.run.commentaar2 = kEmptyComment;  // deleted: no longer a line
    EXPECT_EQ(restoreQuestion(kept, kNorwegian),
              u"Arbeid der lagfilen enn\u00E5 ikke var opprettet, ble tatt vare p\u00E5 2025-03-14 kl. 14:42 (lag: 3, "
              u"kommentarlinjer: 1). Gjenopprette det?");
}

using KeptRuns = FreshSettings;

// One process holds its lock as a running copy does; as the run's own
// process it also stands for a dead copy whose process id has been reused.
TEST_F(KeptRuns, ARunningCopysRunIsNeitherOfferedNorMovedAndADeadOnesIs)
{
    const fs::path runs = folder / "runs";
    const std::string bytes = keptFile(threeLayers());
    auto keeper = std::make_unique<RunKeeper>(runs);
    keeper->keep(bytes);
    const std::vector<std::string> whileRunning = namesIn(runs);
    ASSERT_EQ(whileRunning.size(), 2u) << "the run and its lock";

    OrphanSearch search = findOrphanedRuns(runs);
    EXPECT_FALSE(search.newest);
    EXPECT_TRUE(search.setAside.empty());
    EXPECT_EQ(namesIn(runs), whileRunning);
    EXPECT_EQ(slurp(keeper->file()), bytes);

    const fs::path file = keeper->file();
    keeper.reset();  // the copy ends: its run stays, its lock goes
    EXPECT_EQ(namesIn(runs), std::vector<std::string>{file.filename().string()});
    search = findOrphanedRuns(runs);
    ASSERT_TRUE(search.newest);
    EXPECT_EQ(search.newest->file(), file);
    EXPECT_EQ(search.newest->kept().run.lagen, 3);

    // Offered, but neither taken nor refused (an error on the way): offered again.
    search.newest.reset();
    search = findOrphanedRuns(runs);
    ASSERT_TRUE(search.newest);
    search.newest->discard();
    EXPECT_EQ(namesIn(runs), std::vector<std::string>{});
    EXPECT_FALSE(findOrphanedRuns(runs).newest);
}

TEST_F(KeptRuns, OfSeveralTheNewestIsOfferedAndTheOthersAreSetAsideSayingWhy)
{
    const fs::path runs = folder / "runs";
    const std::string cut = keptFile(threeLayers());
    std::string newer = keptFile(threeLayers());
    newer.replace(newer.find(";1\r\n"), 4, ";2\r\n");
    // The names' order is not the runs': the moment inside counts.
    spit(runs / "run-1-1-0.run", keptFile(threeLayers(), true, kMarch14 + 100));
    spit(runs / "run-2-2-0.run", keptFile(threeLayers(), true, kMarch14 + 300));
    spit(runs / "run-3-3-0.run", keptFile(threeLayers(), true, kMarch14 + 200));
    spit(runs / "run-4-4-0.run", "");
    spit(runs / "run-5-5-0.run", cut.substr(0, cut.size() / 2));
    spit(runs / "run-6-6-0.run", newer);
    spit(runs / "run-7-7-0.run.unreadable", "set aside before");
    spit(runs / "notes.txt", "the user's");
    fs::create_directories(runs / "run-8-8-0.run");

    OrphanSearch search = findOrphanedRuns(runs);
    ASSERT_TRUE(search.newest);
    EXPECT_EQ(search.newest->file().filename(), "run-2-2-0.run");
    EXPECT_EQ(search.newest->kept().keptAt, kMarch14 + 300);
    std::vector<std::string> setAside;
    for (const fs::path& file : search.setAside)
        setAside.push_back(file.filename().string());
    std::sort(setAside.begin(), setAside.end());
    EXPECT_EQ(setAside,
              (std::vector<std::string>{"run-1-1-0.run.not-offered", "run-3-3-0.run.not-offered", "run-4-4-0.run.unreadable",
                                        "run-5-5-0.run.unreadable", "run-6-6-0.run.newer-format"}));
    search.newest->discard();
    EXPECT_EQ(namesIn(runs),
              (std::vector<std::string>{"notes.txt", "run-1-1-0.run.not-offered", "run-3-3-0.run.not-offered",
                                        "run-4-4-0.run.unreadable", "run-5-5-0.run.unreadable", "run-6-6-0.run.newer-format",
                                        "run-7-7-0.run.unreadable", "run-8-8-0.run"}));
    EXPECT_EQ(slurp(runs / "run-5-5-0.run.unreadable"), cut.substr(0, cut.size() / 2)) << "moved, not changed";
    EXPECT_EQ(slurp(runs / "notes.txt"), "the user's");
}

TEST_F(KeptRuns, OfTheFilesSetAsideTheTenNewestAreKept)
{
    const fs::path runs = folder / "runs";
    const auto now = fs::file_time_type::clock::now();
    for (int i = 0; i < 12; ++i) {
        const fs::path file = runs / ("run-" + std::to_string(i) + "-0-0.run.unreadable");
        spit(file, "old");
        fs::last_write_time(file, now - std::chrono::hours(24 * (12 - i)));
    }
    spit(runs / "run-99-0-0.run", "no run");
    EXPECT_FALSE(findOrphanedRuns(runs).newest);
    std::vector<std::string> expected{"run-99-0-0.run.unreadable"};
    for (int i = 3; i < 12; ++i)
        expected.push_back("run-" + std::to_string(i) + "-0-0.run.unreadable");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(runs), expected);
}

TEST_F(KeptRuns, KeepingWhereNoFolderCanBeMadeFailsNamingTheFolder)
{
    spit(folder / "runs", "a file where the folder would be");
    RunKeeper keeper(folder / "runs");
    try {
        keeper.keep(keptFile(threeLayers()));
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find((folder / "runs").string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(slurp(folder / "runs"), "a file where the folder would be");
}

#ifndef _WIN32
// A copy killed while it runs: its run is not taken while it lives, and is
// offered once it is dead, whatever its process id.
TEST_F(KeptRuns, AKilledCopysRunIsOfferedOnceItIsDead)
{
    const fs::path runs = folder / "runs";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RunKeeper keeper(runs);
        keeper.keep(keptFile(threeLayers()));
        (void)!::write(ready[1], "k", 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char kept = 0;
    ASSERT_EQ(::read(ready[0], &kept, 1), 1);
    ::close(ready[0]);
    EXPECT_FALSE(findOrphanedRuns(runs).newest);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const OrphanSearch search = findOrphanedRuns(runs);
    ASSERT_TRUE(search.newest);
    EXPECT_EQ(search.newest->kept().run.lagen, 3);
}

// Two copies that start at the same moment find the same dead copy's run:
// only one of them may offer it.
TEST_F(KeptRuns, TwoCopiesStartingAtOnceNeverBothTakeOneRun)
{
    const fs::path runs = folder / "runs";
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        RunKeeper(runs).keep(keptFile(threeLayers()));
        EXPECT_TRUE(allSucceedTogether(4, [&](int p) {
            OrphanSearch search = findOrphanedRuns(runs);
            if (search.newest) {
                spit(folder / ("taken-" + std::to_string(p)), "");
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                search.newest->discard();
            }
            return true;
        }));
        int taken = 0;
        for (const std::string& name : namesIn(folder))
            if (name.starts_with("taken-")) {
                ++taken;
                fs::remove(folder / name);
            }
        EXPECT_EQ(taken, 1);
        EXPECT_EQ(namesIn(runs), std::vector<std::string>{});
    }
}

// A run kept by another user (the program once run as root, say) is theirs.
TEST_F(KeptRuns, AnotherUsersRunIsLeftAlone)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to give the file to another user";
    const fs::path runs = folder / "runs";
    spit(runs / "run-1-1-0.run", keptFile(threeLayers()));
    spit(runs / "run-2-2-0.run", "");
    giveToUserWithoutRoot(runs / "run-1-1-0.run");
    giveToUserWithoutRoot(runs / "run-2-2-0.run");
    const OrphanSearch search = findOrphanedRuns(runs);
    EXPECT_FALSE(search.newest);
    EXPECT_TRUE(search.setAside.empty());
    EXPECT_EQ(namesIn(runs), (std::vector<std::string>{"run-1-1-0.run", "run-2-2-0.run"}));
}
// A settings folder the user may read but not write: nothing can be kept,
// which is told, and the start reads what is there and changes nothing.
TEST_F(KeptRuns, AReadOnlyFolderKeepsNothingAndLosesNothing)
{
    const fs::path runs = folder / "runs";
    const std::string whole = keptFile(threeLayers());
    spit(runs / "run-1-1-0.run", whole);
    spit(runs / "run-2-2-0.run", whole.substr(0, 20));
    giveToUserWithoutRoot(runs / "run-1-1-0.run");
    giveToUserWithoutRoot(runs / "run-2-2-0.run");
    ::chmod(folder.c_str(), 0755);
    ::chmod(runs.c_str(), 0555);

    const auto problems = runWithoutRoot([&] {
        std::string problems;
        try {
            RunKeeper(runs).keep(whole);
            problems += "kept; ";
        } catch (const FileWriteError& e) {
            if (std::string(e.what()).find(runs.string()) == std::string::npos)
                problems += std::string("message ") + e.what() + "; ";
        }
        OrphanSearch search = findOrphanedRuns(runs);
        if (!search.newest || search.newest->file() != runs / "run-1-1-0.run")
            problems += "the whole run not offered; ";
        if (!search.setAside.empty())
            problems += "something set aside; ";
        if (search.newest)
            search.newest->discard();
        return problems;
    });
    ::chmod(runs.c_str(), 0755);
    if (!problems)
        GTEST_SKIP() << "cannot run as a user without root's rights (no setuid here)";
    EXPECT_EQ(*problems, "");
    EXPECT_EQ(namesIn(runs), (std::vector<std::string>{"run-1-1-0.run", "run-2-2-0.run"}));
    EXPECT_EQ(slurp(runs / "run-1-1-0.run"), whole);
}
#endif
