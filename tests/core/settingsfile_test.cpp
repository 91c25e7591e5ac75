// The per-user settings file that stands in for the registry off Windows.
#ifndef _WIN32

#include "app/settingsfile.h"

#include "app/regfile.h"
#include "freshsettings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kobalin;
namespace fs = std::filesystem;

using SettingsFile = FreshSettings;

TEST_F(SettingsFile, LivesUnderXdgConfigHomeOrDotConfig)
{
    EXPECT_EQ(settingsFilePath(), folder / "config" / "Tendrik" / "kobalin.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    const std::string home = ::getenv("HOME") ? ::getenv("HOME") : ".";
    EXPECT_EQ(settingsFilePath(), fs::path(home) / ".config" / "Tendrik" / "kobalin.reg");
}

TEST_F(SettingsFile, IsARegistryExportAPersonCanEdit)
{
    {
        auto key = openSettingsKey(kSettingsKey);
        key->writeInteger(u"taal", 2000);
        key->writeString(u"initdir", u"/home/ann/jobs");
    }
    openSettingsKey(kTemplateKey)->writeFloat(u"100", -0.1);
    EXPECT_EQ(slurp(settingsFilePath()), "Windows Registry Editor Version 5.00\n"
                                         "\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n"
                                         "\"taal\"=dword:000007d0\n"
                                         "\"initdir\"=\"/home/ann/jobs\"\n"
                                         "\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin\\template]\n"
                                         "\"100\"=hex:9a,99,99,99,99,99,b9,bf\n");

    // A hand edit is read at the next use.
    std::string text = slurp(settingsFilePath());
    text.replace(text.find("000007d0"), 8, "00000bb8");
    spit(settingsFilePath(), text);
    EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"taal"), 3000);
}

// A use that writes only what the file already holds leaves the file as it
// is (no new file, no flush); anything else still replaces it.
TEST_F(SettingsFile, IsRewrittenOnlyWhenAUseChangesIt)
{
    const std::string header = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n";
    struct Case {
        const char* what;
        std::string before;
        bool rewritten;
        std::string after;  // empty: as before
    };
    const Case cases[] = {
        {"the same values", header + "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n", false, ""},
        {"the same values, names in other case", header + "\"Taal\"=dword:000003e8\n\"KOPPEL\"=dword:00000001\n", false, ""},
        {"one value changed", header + "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000000\n", true,
         header + "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n"},
        {"one value missing", header + "\"taal\"=dword:000003e8\n", true,
         header + "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n"},
        {"a value of another type", header + "\"taal\"=dword:000003e8\n\"koppel\"=\"1\"\n", true,
         header + "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n"},
        {"the same values in another key",
         "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n"
         "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n",
         true,
         "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\n"
         "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n"
         "\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n"},
        {"the same values in a damaged file", header + "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\nbroken\n", true,
         header + "\"taal\"=dword:000003e8\n\"koppel\"=dword:00000001\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(settingsFilePath().parent_path());
        spit(settingsFilePath(), c.before);
        struct stat before {};
        ASSERT_EQ(::stat(settingsFilePath().c_str(), &before), 0);

        auto key = openSettingsKey(kSettingsKey);
        key->writeInteger(u"taal", 1000);
        key->writeInteger(u"koppel", 1);
        key->close();

        struct stat after {};
        ASSERT_EQ(::stat(settingsFilePath().c_str(), &after), 0);
        EXPECT_EQ(after.st_ino != before.st_ino, c.rewritten);
        EXPECT_EQ(slurp(settingsFilePath()), c.after.empty() ? c.before : c.after);
    }
}

// A use that writes back what it read must not lose to a value another use
// stored in between, however the file looked when it was opened.
TEST_F(SettingsFile, WritingBackWhatWasReadUndoesAnotherUsesChange)
{
    for (const bool committedBefore : {false, true}) {
        SCOPED_TRACE(committedBefore ? "after a commit of its own" : "first commit");
        fs::remove_all(settingsFilePath().parent_path());
        {
            auto seed = openSettingsKey(kSettingsKey);
            seed->writeInteger(u"koppel", 1);
        }
        auto mine = openSettingsKey(kSettingsKey);
        {
            auto other = openSettingsKey(kSettingsKey);
            other->writeInteger(u"koppel", 0);
        }
        if (committedBefore) {
            mine->writeString(u"initdir", u"/jobs");
            mine->close();
        }
        ASSERT_EQ(mine->readInteger(u"koppel"), 1) << "a use sees the file as it was opened";
        mine->writeInteger(u"koppel", 1);
        mine->close();
        EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"koppel"), 1);
    }
}

TEST_F(SettingsFile, ADamagedFileIsKeptBesideTheNewOne)
{
    const std::string damaged = "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n"
                                "\"taal\"=dword:0000zzzz\n\"initdir\"=\"/data\"\n";
    spit(settingsFilePath(), damaged);
    {
        auto key = openSettingsKey(kSettingsKey);
        EXPECT_FALSE(key->readInteger(u"taal"));
        EXPECT_EQ(key->readString(u"initdir"), u"/data");
    }
    EXPECT_EQ(slurp(settingsFilePath()), damaged) << "reading alone changes nothing";

    openSettingsKey(kSettingsKey)->writeInteger(u"koppel", 0);
    fs::path bad = settingsFilePath();
    bad += ".bad";
    EXPECT_EQ(slurp(bad), damaged);
    auto key = openSettingsKey(kSettingsKey);
    EXPECT_EQ(key->readString(u"initdir"), u"/data");
    EXPECT_EQ(key->readInteger(u"koppel"), 0);

    // A second damaged file does not replace the first copy.
    spit(settingsFilePath(), "garbage");
    openSettingsKey(kSettingsKey)->writeInteger(u"koppel", 1);
    EXPECT_EQ(slurp(bad), damaged);
    fs::path bad2 = settingsFilePath();
    bad2 += ".bad2";
    EXPECT_EQ(slurp(bad2), "garbage");
}

TEST_F(SettingsFile, AFolderThatCannotBeWrittenFailsTheWriteClearly)
{
    if (::geteuid() == 0) {
        // root writes anywhere: make the folder's place a plain file instead.
        spit(folder / "config" / "Tendrik", "not a folder");
    } else {
        fs::create_directories(folder / "config" / "Tendrik");
        ::chmod((folder / "config" / "Tendrik").c_str(), 0500);
    }
    auto key = openSettingsKey(kSettingsKey);
    key->writeInteger(u"taal", 1000);
    try {
        key->close();
        FAIL() << "the write should fail";
    } catch (const SettingsError& e) {
        EXPECT_NE(std::string(e.what()).find("kobalin.reg"), std::string::npos) << e.what();
    }
    ::chmod((folder / "config" / "Tendrik").c_str(), 0700);
}

// kobalin.reg kept in the user's dotfiles and linked into place stays a link;
// the lock and a copy of a damaged file stay in the program's own folder.
TEST_F(SettingsFile, ALinkIntoTheUsersDotfilesStaysALink)
{
    const fs::path dotfiles = folder / "dotfiles" / "kobalin.reg";
    const std::string header = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Tendrik\\kobalin]\n";
    spit(dotfiles, header + "\"taal\"=dword:000007d0\n");
    fs::create_directories(settingsFilePath().parent_path());
    fs::create_symlink("../../dotfiles/kobalin.reg", settingsFilePath());

    openSettingsKey(kSettingsKey)->writeInteger(u"koppel", 1);
    EXPECT_TRUE(fs::is_symlink(settingsFilePath()));
    EXPECT_EQ(slurp(dotfiles), header + "\"taal\"=dword:000007d0\n\"koppel\"=dword:00000001\n");

    spit(dotfiles, "damaged");
    openSettingsKey(kSettingsKey)->writeInteger(u"koppel", 0);
    EXPECT_TRUE(fs::is_symlink(settingsFilePath()));
    EXPECT_EQ(slurp(dotfiles), header + "\"koppel\"=dword:00000000\n");
    fs::path bad = settingsFilePath();
    bad += ".bad";
    EXPECT_EQ(slurp(bad), "damaged");

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder / "dotfiles"))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"kobalin.reg"});
}

// Run as a user without root's rights: a settings file without write
// permission is refused; one that may be written, in a folder that takes no
// new file (not even the lock), is written in place.
TEST_F(SettingsFile, IsWrittenAsItsPermissionsAndItsFoldersAllow)
{
    struct Case {
        const char* what;
        mode_t file, folder;
        bool written;
    };
    const Case cases[] = {
        {"a file without write permission", 0444, 0755, false},
        {"a folder that takes no new file", 0600, 0555, true},
    };
    const fs::path tendrik = settingsFilePath().parent_path();
    ::chmod(folder.c_str(), 0755);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder / "config");
        spit(settingsFilePath(), "Windows Registry Editor Version 5.00\n");
        for (const fs::path& mine : {folder / "config", tendrik, settingsFilePath()})
            giveToUserWithoutRoot(mine);
        ::chmod((folder / "config").c_str(), 0755);
        ::chmod(settingsFilePath().c_str(), c.file);
        ::chmod(tendrik.c_str(), c.folder);
        const auto problems = runWithoutRoot([&] {
            try {
                auto key = openSettingsKey(kSettingsKey);
                key->writeInteger(u"koppel", 1);
                key->close();
                return std::string(c.written ? "" : "no error");
            } catch (const SettingsError& e) {
                return c.written ? std::string(e.what()) : std::string();
            }
        });
        ::chmod(tendrik.c_str(), 0755);
        if (!problems)
            GTEST_SKIP() << "cannot run as a user without root's rights (no setuid here)";
        EXPECT_EQ(*problems, "");
        EXPECT_EQ(openSettingsKey(kSettingsKey)->readInteger(u"koppel"),
                  c.written ? std::optional<std::int32_t>(1) : std::nullopt);
        EXPECT_EQ(fs::exists(tendrik / "kobalin.reg.lock"), !c.written) << "a lock file where one can be made";
    }
}

TEST_F(SettingsFile, ConcurrentProcessesLoseNoneOfEachOthersValues)
{
    constexpr int kProcesses = 4;
    constexpr int kRounds = 40;
    auto name = [](int p) { return u"p" + std::u16string(1, static_cast<char16_t>(u'0' + p)); };
    auto lastWords = [](int p, int round) {
        return u"p" + std::u16string(1, static_cast<char16_t>(u'0' + p)) + u" round " +
               std::u16string(1, static_cast<char16_t>(u'0' + round % 10));
    };
    ASSERT_TRUE(allSucceedTogether(kProcesses, [&](int p) {
        const std::u16string mine = name(p);
        for (int round = 1; round <= kRounds; ++round) {
            auto key = openSettingsKey(kSettingsKey);
            key->writeInteger(mine, round);
            key->writeString(u"shared", lastWords(p, round));
            key->close();
            auto templates = openSettingsKey(kTemplateKey);
            templates->writeString(mine, lastWords(p, round));
            templates->writeFloat(mine + u"f", round + 0.5);
            templates->close();
        }
        return true;
    }));

    // Every process's last value of each of its names is there.
    const RegDocument doc = RegDocument::parse(slurp(settingsFilePath()));
    EXPECT_FALSE(doc.damaged);
    auto key = openSettingsKey(kSettingsKey);
    auto templates = openSettingsKey(kTemplateKey);
    for (int p = 0; p < kProcesses; ++p) {
        EXPECT_EQ(key->readInteger(name(p)), kRounds);
        EXPECT_EQ(templates->readString(name(p)), lastWords(p, kRounds));
        EXPECT_EQ(templates->readFloat(name(p) + u"f"), kRounds + 0.5);
    }
    // A value they all write ends as one process's last write, never an older one.
    const auto shared = key->readString(u"shared");
    bool someonesLast = false;
    for (int p = 0; p < kProcesses; ++p)
        someonesLast = someonesLast || shared == lastWords(p, kRounds);
    EXPECT_TRUE(someonesLast);
    for (const auto& entry : fs::directory_iterator(settingsFilePath().parent_path())) {
        const std::string file = entry.path().filename().string();
        EXPECT_EQ(file.find(".kobalin-tmp-"), std::string::npos) << file;
        EXPECT_EQ(file.find(".bad"), std::string::npos) << file;
    }
}

#endif
