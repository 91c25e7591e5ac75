// A writer killed at any moment leaves each file with its old or its new
// content, complete: the settings file, the layer file and the kept run are
// replaced, never rewritten in place; and a killed copy's run is offered to the
// next. POSIX only: the writer is a child process killed with SIGKILL.
#ifndef _WIN32

#include "app/atomicfile.h"
#include "app/regfile.h"
#include "app/settings.h"
#include "app/settingsfile.h"
#include "freshsettings.h"
#include "wizard/keptrun.h"
#include "wizard/layerfile.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace kobalin;
namespace fs = std::filesystem;

namespace {

std::u16string u16(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Two complete states of everything the writer writes. They differ in size,
// so that a cut-off copy of one can never pass for the other.
struct Side {
    std::int32_t stand;
    std::u16string note;       // large, so that a kill often lands inside a write
    std::u16string template0;  // the template key's entry 0, written in a use of its own
    double offset0;
    RunData run;
    std::string layerFile;  // the layer file's bytes
    std::string kept;       // the recovery file's
};

Side makeSide(std::int32_t stand, int layers, char16_t fill)
{
    Side side{stand,
              std::u16string(30000 + 20000 * stand, fill),
              u"Template " + u16(std::to_string(stand)),
              stand + 0.25,
              RunData{},
              {},
              {}};
    side.run.commentaar1 = u"side " + u16(std::to_string(stand));
    side.run.commentaar2 = side.run.commentaar3 = kEmptyComment;
    for (int i = 0; i < layers; ++i) {
        side.run.layers[side.run.lagen++] = TLayerRecord{u"Layer " + std::u16string(40, fill) + u16(std::to_string(i)),
                                                         static_cast<float>(layers - i) / 10,
                                                         4,
                                                         1,
                                                         3.5f,
                                                         1,
                                                         80};
    }
    side.layerFile = layerFileContent(side.run);
    side.kept = keptRunFile(keptRunBody(side.run, true), stand);
    return side;
}

// One round of the writer's work: the run kept, the settings key, the
// template key, then the layer file through the last step's writer (which
// stores "koppel" too).
void writeEverything(const Side& side, const fs::path& layerFile, RunKeeper& keeper)
{
    keeper.keep(side.kept);
    auto key = openSettingsKey(kSettingsKey);
    key->writeInteger(u"stand", side.stand);
    key->writeString(u"note", side.note);
    key->writeString(u"meetfile", layerFile.u16string());
    key->close();
    auto templates = openSettingsKey(kTemplateKey);
    templates->writeString(u"0", side.template0);
    templates->writeFloat(u"100", side.offset0);
    templates->close();
    if (!writeLayerFile(side.run, true).written)
        throw FileWriteError("the layer file was not written");
}

// The child: writes the two sides in turn until it is killed; tells the parent
// through the pipe once both files exist.
[[noreturn]] void writeUntilKilled(const std::array<Side, 2>& sides, const fs::path& layerFile, int ready)
{
    try {
        RunKeeper keeper(keptRunsFolder());
        for (int round = 0; round < 1000000; ++round) {
            writeEverything(sides[round % 2], layerFile, keeper);
            if (round == 0 && ::write(ready, "r", 1) != 1)
                ::_exit(3);
        }
    } catch (...) {
        ::_exit(2);
    }
    ::_exit(0);
}

std::vector<fs::path> runFilesIn(const fs::path& folder)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".run")
            found.push_back(entry.path());
    return found;
}

std::vector<std::string> temporaryFilesIn(const fs::path& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.find(".kobalin-tmp-") != std::string::npos)
            found.push_back(name);
    }
    return found;
}

}  // namespace

using KillSafety = FreshSettings;

TEST_F(KillSafety, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewContentComplete)
{
    const std::array<Side, 2> sides{makeSide(0, 999, u'a'), makeSide(1, 600, u'b')};
    const fs::path jobs = folder / "jobs";
    fs::create_directories(jobs);
    const fs::path layerFile = jobs / "road.xml_layer.csv";
    const fs::path settings = settingsFilePath();

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);

    constexpr int kKills = 25;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        int pipeEnds[2];
        ASSERT_EQ(::pipe(pipeEnds), 0);
        const auto forked = std::chrono::steady_clock::now();
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeEnds[0]);
            writeUntilKilled(sides, layerFile, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        char ready = 0;
        const bool started = ::read(pipeEnds[0], &ready, 1) == 1;
        ::close(pipeEnds[0]);
        if (started) {
            // The first round's length, however fast this machine or build is,
            // spreads the kills over a whole round of writing.
            const auto round =
                std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - forked);
            std::uniform_int_distribution<long long> delay(0, round.count());
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
            ::kill(child, SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(started && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the writer failed on its own, status " << status;

        // The layer file and every killed copy's kept run are one side's bytes, whole.
        const std::string layer = slurp(layerFile);
        EXPECT_TRUE(layer == sides[0].layerFile || layer == sides[1].layerFile)
            << "the layer file holds " << layer.size() << " bytes of neither side";
        const std::vector<fs::path> runs = runFilesIn(keptRunsFolder());
        EXPECT_EQ(runs.size(), static_cast<std::size_t>(kill + 1)) << "one run for each copy";
        for (const fs::path& run : runs) {
            const std::string kept = slurp(run);
            EXPECT_TRUE(kept == sides[0].kept || kept == sides[1].kept) << run << " holds " << kept.size() << " bytes";
        }

        // The settings file reads undamaged, and each key holds one side's values together.
        EXPECT_FALSE(RegDocument::parse(slurp(settings)).damaged);
        auto key = openSettingsKey(kSettingsKey);
        const auto stand = key->readInteger(u"stand");
        ASSERT_TRUE(stand == 0 || stand == 1);
        EXPECT_EQ(key->readString(u"note"), sides[*stand].note);
        EXPECT_EQ(key->readString(u"meetfile"), layerFile.u16string());
        EXPECT_EQ(key->readInteger(u"koppel"), 1);
        auto templates = openSettingsKey(kTemplateKey);
        const auto name = templates->readString(u"0");
        ASSERT_TRUE(name == sides[0].template0 || name == sides[1].template0);
        EXPECT_EQ(templates->readFloat(u"100"), sides[name == sides[1].template0 ? 1 : 0].offset0);
    }

    // The next successful write (of values not stored yet) clears every
    // temporary file that the killed writers left.
    const Side last = makeSide(2, 300, u'c');
    RunKeeper keeper(keptRunsFolder());
    writeEverything(last, layerFile, keeper);
    EXPECT_EQ(temporaryFilesIn(jobs), std::vector<std::string>{});
    EXPECT_EQ(temporaryFilesIn(settings.parent_path()), std::vector<std::string>{});
    // A dead copy's run is offered, the others set aside, what they were
    // writing removed; the living copy's run is left alone.
    const OrphanSearch search = findOrphanedRuns(keptRunsFolder());
    ASSERT_TRUE(search.newest);
    EXPECT_NE(search.newest->file(), keeper.file());
    EXPECT_EQ(search.setAside.size(), static_cast<std::size_t>(kKills - 1));
    EXPECT_EQ(temporaryFilesIn(keptRunsFolder()), std::vector<std::string>{});
    EXPECT_EQ(slurp(layerFile), last.layerFile);
    EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"stand"), 2);
    // No write ever found the settings file damaged (it would have kept a copy).
    fs::path bad = settings;
    bad += ".bad";
    EXPECT_FALSE(fs::exists(bad));
}

#endif
