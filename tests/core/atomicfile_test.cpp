#include "app/atomicfile.h"
#include "app/atomicfile_testing.h"

#include "freshsettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/mount.h>
#endif

using namespace kobalin;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Holds a file open the way a writer that is still alive holds its temporary file.
class LiveWriter {
public:
    explicit LiveWriter(const fs::path& file)
    {
#ifdef _WIN32
        handle_ = CreateFileW(file.wstring().c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(handle_, INVALID_HANDLE_VALUE);
#else
        fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        EXPECT_GE(fd_, 0);
        EXPECT_EQ(::flock(fd_, LOCK_EX), 0);
#endif
    }
    ~LiveWriter()
    {
#ifdef _WIN32
        CloseHandle(handle_);
#else
        ::close(fd_);
#endif
    }
    LiveWriter(const LiveWriter&) = delete;
    LiveWriter& operator=(const LiveWriter&) = delete;

private:
#ifdef _WIN32
    HANDLE handle_;
#else
    int fd_;
#endif
};

}  // namespace

using AtomicFile = FreshSettings;

TEST_F(AtomicFile, ReplacesTheWholeContentByteForByte)
{
    const fs::path file = folder / "road.xml_layer.csv";
    spit(file, std::string(10000, 'x'));
    // Line ends stay as given: no text-mode translation on any platform.
    const std::string bytes = "a;b\r\nc\n\0d"s;
    replaceFileAtomically(file, bytes);
    EXPECT_EQ(slurp(file), bytes);
    replaceFileAtomically(file, "");
    EXPECT_EQ(slurp(file), "");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"road.xml_layer.csv"});
}

TEST_F(AtomicFile, CreatesAFileThatDidNotExist)
{
    const fs::path file = folder / "new.reg";
    replaceFileAtomically(file, "one");
    EXPECT_EQ(slurp(file), "one");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"new.reg"});
}

// A name near the longest a folder takes leaves no room to add to it for the
// temporary file's name.
TEST_F(AtomicFile, WritesAFileWithTheLongestNameAFolderTakes)
{
    const fs::path file = folder / (u8"\u00e6" + std::u8string(249, u8'x') + u8".csv");  // 255 bytes in UTF-8
    for (const char* bytes : {"one", "two"}) {
        replaceFileAtomically(file, bytes);
        EXPECT_EQ(slurp(file), bytes);
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{file.filename().string()});
    }
}

TEST_F(AtomicFile, FailsInAFolderThatDoesNotExist)
{
    const fs::path file = folder / "missing" / "f.csv";
    try {
        replaceFileAtomically(file, "data");
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find("f.csv"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST_F(AtomicFile, FailsOnAFolderAndLeavesItAsItWas)
{
    const fs::path target = folder / "f.csv";
    fs::create_directory(target);
    spit(target / "inside.txt", "kept");
    EXPECT_THROW(replaceFileAtomically(target, "data"), FileWriteError);
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(slurp(target / "inside.txt"), "kept");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"f.csv"});
}

TEST_F(AtomicFile, RefusesANameThatHoldsANulCharacter)
{
    // Cut at the NUL, the name would be "f.csv": no such file may appear.
    fs::path file = folder;
    file /= fs::path::string_type{'f', '.', 'c', 's', 'v', 0, '.', 'x'};
    EXPECT_THROW(replaceFileAtomically(file, "data"), FileWriteError);
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{});
}

// A user's files beside the layer file, whatever their names, are never removed
// or changed; only the program's own temporary files that no writer holds are.
TEST_F(AtomicFile, RemovesOnlyItsOwnTemporaryFilesOfADeadWriter)
{
    const fs::path file = folder / "f.csv";
    spit(file, "old");
    const std::vector<std::string> users{"f.csv.tmp.x",         "f.csv.tmp.notes", "f.csv.notes",
                                         "f.csv.tmpx",          "f.csv.bak",       ".f.csv.kobalin-tmp-my notes",
                                         ".f.csv.kobalin-tmp-", "g.csv.tmp.x"};
    for (const std::string& name : users)
        spit(folder / name, "the user's " + name);
#ifdef _WIN32
    const std::string stale = ".f.csv.kobalin-tmp-1.2", live = ".f.csv.kobalin-tmp-3.4", other = ".g.csv.kobalin-tmp-1.2";
#else
    const std::string stale = ".f.csv.kobalin-tmp-Ab12Cd", live = ".f.csv.kobalin-tmp-LIVE00",
                      other = ".g.csv.kobalin-tmp-Ab12Cd";
#endif
    spit(folder / stale, "left by a crash");
    spit(folder / other, "another file's");
    const LiveWriter liveWriter(folder / live);

    replaceFileAtomically(file, "new");

    EXPECT_EQ(slurp(file), "new");
    std::vector<std::string> expected = users;
    expected.insert(expected.end(), {"f.csv", live, other});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(folder), expected);
    for (const std::string& name : users)
        EXPECT_EQ(slurp(folder / name), "the user's " + name);
}

#ifdef _WIN32
// Process ids are reused on Windows, so a dead writer's temporary files may
// carry the very names that this process is about to take.
TEST_F(AtomicFile, IsNotBlockedByADeadWritersFilesOfTheSameProcessId)
{
    const fs::path file = folder / "f.csv";
    for (int n = 1; n <= 100; ++n)
        spit(folder / (".f.csv.kobalin-tmp-" + std::to_string(GetCurrentProcessId()) + "." + std::to_string(n)), "stale");
    replaceFileAtomically(file, "new");
    EXPECT_EQ(slurp(file), "new");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"f.csv"});
}
#endif

#ifndef _WIN32
// Two running copies may write the same layer file at once: each write must
// succeed, even when one's sweep of stale temporary files meets the other's
// temporary file in the moment between its creation and its lock.
TEST_F(AtomicFile, ConcurrentWritersOfOneFileAllSucceed)
{
    constexpr int kProcesses = 4;
    constexpr int kWrites = 150;
    const fs::path file = folder / "_layer.csv";
    EXPECT_TRUE(allSucceedTogether(kProcesses, [&](int p) {
        for (int i = 0; i < kWrites; ++i)
            replaceFileAtomically(file, std::string(100 + p, static_cast<char>('a' + p)));
        return true;
    })) << "a write failed";
    const std::string last = slurp(file);
    ASSERT_GE(last.size(), 100u);
    EXPECT_EQ(last, std::string(last.size(), static_cast<char>('a' + (last.size() - 100))));
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"_layer.csv"});
}
#endif

#ifndef _WIN32
namespace {

struct stat statOf(const fs::path& file)
{
    struct stat st {};
    EXPECT_EQ(::stat(file.c_str(), &st), 0) << file;
    return st;
}

// For checks run in another process: "" when ok, else what went wrong.
std::string check(bool ok, const std::string& what) { return ok ? "" : what + "; "; }

}  // namespace

TEST_F(AtomicFile, ReplacesTheFileALinkFinallyNamesAndKeepsTheLink)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links;  // in jobs/: name, where it points
        bool exists;                                             // does elsewhere/real.csv exist before
    };
    const fs::path real = folder / "elsewhere" / "real.csv";
    const Case cases[] = {
        {"a relative link", {{"pier.xml_layer.csv", "../elsewhere/real.csv"}}, true},
        {"an absolute link", {{"pier.xml_layer.csv", real.string()}}, true},
        {"a link to a link", {{"pier.xml_layer.csv", "middle"}, {"middle", real.string()}}, true},
        {"a link to a file not made yet", {{"pier.xml_layer.csv", "../elsewhere/real.csv"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder / "jobs");
        fs::remove_all(folder / "elsewhere");
        fs::create_directories(folder / "jobs");
        fs::create_directories(folder / "elsewhere");
        if (c.exists)
            spit(real, "old");
        for (const auto& [name, to] : c.links)
            fs::create_symlink(to, folder / "jobs" / name);
        const std::vector<std::string> jobs = namesIn(folder / "jobs");

        replaceFileAtomically(folder / "jobs" / "pier.xml_layer.csv", "new");

        EXPECT_EQ(slurp(real), "new");
        for (const auto& [name, to] : c.links) {
            EXPECT_TRUE(fs::is_symlink(folder / "jobs" / name)) << name;
            EXPECT_EQ(fs::read_symlink(folder / "jobs" / name), to);
        }
        EXPECT_EQ(namesIn(folder / "jobs"), jobs);
        EXPECT_EQ(namesIn(folder / "elsewhere"), std::vector<std::string>{"real.csv"});
    }

    // Links in a circle name no file: an error, and nothing changes.
    fs::remove_all(folder / "jobs");
    fs::create_directories(folder / "jobs");
    fs::create_symlink("b", folder / "jobs" / "a");
    fs::create_symlink("a", folder / "jobs" / "b");
    EXPECT_THROW(replaceFileAtomically(folder / "jobs" / "a", "new"), FileWriteError);
    EXPECT_EQ(namesIn(folder / "jobs"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(fs::read_symlink(folder / "jobs" / "a"), "b");
}

TEST_F(AtomicFile, KeepsPermissionsOwnerAndGroupAndGivesANewFileTheDefaults)
{
    const fs::path file = folder / "f.csv";
    // Root may write a file without write permission, as opening it would let it.
    const std::vector<mode_t> modes = ::geteuid() == 0 ? std::vector<mode_t>{0600, 0640, 0604, 0444}
                                                       : std::vector<mode_t>{0600, 0640, 0604};
    for (const mode_t mode : modes) {
        SCOPED_TRACE(mode);
        spit(file, "old");
        ::chmod(file.c_str(), mode);
        replaceFileAtomically(file, "new");
        EXPECT_EQ(slurp(file), "new");
        EXPECT_EQ(statOf(file).st_mode & 07777, mode);
    }

    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        replaceFileAtomically(file, "newer");
        EXPECT_EQ(statOf(file).st_uid, 65534u);
        EXPECT_EQ(statOf(file).st_gid, 65534u);
    }

    const mode_t umask = ::umask(027);
    replaceFileAtomically(folder / "new.csv", "new");
    replaceFileAtomically(folder / "private.reg", "new", 0600);
    ::umask(umask);
    EXPECT_EQ(statOf(folder / "new.csv").st_mode & 07777, 0640u);
    EXPECT_EQ(statOf(folder / "private.reg").st_mode & 07777, 0600u);
}

// Runs as a user without root's rights, who may not write the file but may
// create files in its folder (where a rename would have replaced it).
TEST_F(AtomicFile, RefusesAFileTheUserMayNotWriteAndChangesNothing)
{
    const fs::path mine = folder / "mine";
    fs::create_directories(mine);
    ::chmod(folder.c_str(), 0755);
    ::chmod(mine.c_str(), 0755);
    giveToUserWithoutRoot(mine);
    const fs::path file = mine / "f.csv";
    spit(file, "old");
    giveToUserWithoutRoot(file);
    ::chmod(file.c_str(), 0444);
    const ino_t inode = statOf(file).st_ino;

    const auto problems = runWithoutRoot([&] {
        std::string problems;
        try {
            replaceFileAtomically(file, "new");
            problems += "no error; ";
        } catch (const FileWriteError& e) {
            problems += check(std::string(e.what()).find("f.csv") != std::string::npos, std::string("message ") + e.what());
        }
        return problems;
    });
    if (!problems)
        GTEST_SKIP() << "cannot run as a user without root's rights (no setuid here)";
    EXPECT_EQ(*problems, "");
    EXPECT_EQ(slurp(file), "old");
    EXPECT_EQ(statOf(file).st_ino, inode);
    EXPECT_EQ(statOf(file).st_mode & 07777, 0444u);
    EXPECT_EQ(namesIn(mine), std::vector<std::string>{"f.csv"});
}

// A share where the user may change files but not create them: the file is
// written in place, and every failure of that write is reported.
TEST_F(AtomicFile, WritesInPlaceWhereTheFolderTakesNoNewFile)
{
    const fs::path share = folder / "share";
    fs::create_directories(share);
    ::chmod(folder.c_str(), 0755);
    giveToUserWithoutRoot(share);
    const fs::path file = share / "f.csv";
    spit(file, "old content");
    giveToUserWithoutRoot(file);
    ::chmod(file.c_str(), 0640);
    ::chmod(share.c_str(), 0555);
    const ino_t inode = statOf(file).st_ino;

    const auto problems = runWithoutRoot([&] {
        std::string problems;
        try {
            replaceFileAtomically(file, "new");
            problems += check(slurp(file) == "new", "content " + slurp(file));
        } catch (const FileWriteError& e) {
            problems += std::string("error ") + e.what() + "; ";
        }
        problems += check(!fs::exists(share / "g.csv"), "a new file was made");
        try {
            replaceFileAtomically(share / "g.csv", "new");
            problems += "a new file in the folder: no error; ";
        } catch (const FileWriteError&) {
        }
        // As a full disk would: the in-place write fails halfway.
        std::signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit {
            4, 4
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            replaceFileAtomically(file, "longer than four bytes");
            problems += "a write cut short: no error; ";
        } catch (const FileWriteError&) {
        }
        return problems;
    });
    ::chmod(share.c_str(), 0755);
    if (!problems)
        GTEST_SKIP() << "cannot run as a user without root's rights (no setuid here)";
    EXPECT_EQ(*problems, "");
    EXPECT_EQ(statOf(file).st_ino, inode);
    EXPECT_EQ(statOf(file).st_mode & 07777, 0640u);
    EXPECT_EQ(namesIn(share), std::vector<std::string>{"f.csv"});

    // A folder with the sticky bit lets a user create files but not replace
    // another's file that they may write: written in place too.
    if (::geteuid() != 0)
        return;
    const fs::path shared = folder / "sticky";
    fs::create_directories(shared);
    ::chmod(shared.c_str(), 01777);
    spit(shared / "f.csv", "old");
    ::chmod((shared / "f.csv").c_str(), 0666);
    const ino_t rootsInode = statOf(shared / "f.csv").st_ino;
    EXPECT_EQ(runWithoutRoot([&] {
                  replaceFileAtomically(shared / "f.csv", "new");
                  return std::string();
              }),
              "");
    EXPECT_EQ(slurp(shared / "f.csv"), "new");
    EXPECT_EQ(statOf(shared / "f.csv").st_ino, rootsInode);
    EXPECT_EQ(namesIn(shared), std::vector<std::string>{"f.csv"});
}

TEST_F(AtomicFile, AKilledWriterLeavesTheUsersFilesAsTheyWere)
{
    const fs::path file = folder / "pier.xml_layer.csv";
    spit(file, "old");
    const std::vector<std::string> users{"pier.xml_layer.csv.tmp.notes", "pier.xml_layer.csv.notes",
                                         "pier.xml_layer.csv.tmp.1"};
    for (const std::string& name : users)
        spit(folder / name, "the user's " + name);
    const std::string big(4 << 20, 'b');

    for (int kill = 0; kill < 5; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                replaceFileAtomically(file, big);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + 10 * kill));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = slurp(file);
        EXPECT_TRUE(now == "old" || now == big) << now.size() << " bytes";
        for (const std::string& name : users)
            EXPECT_EQ(slurp(folder / name), "the user's " + name);
    }
    replaceFileAtomically(file, "new");
    std::vector<std::string> expected = users;
    expected.push_back("pier.xml_layer.csv");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(namesIn(folder), expected);
}

// Another local user may open the temporary file from its creation on, and
// read through that what is written into it later.
TEST_F(AtomicFile, NoOneElseMayOpenTheTemporaryFile)
{
    static std::vector<mode_t> modes;
    modes.clear();
    temporaryCreatedForTesting = [](const std::string& name) {
        struct stat st {};
        modes.push_back(::stat(name.c_str(), &st) == 0 ? st.st_mode & 07777 : 07777);
    };
    const mode_t umask = ::umask(0);
    spit(folder / "private.csv", "old");
    ::chmod((folder / "private.csv").c_str(), 0600);
    replaceFileAtomically(folder / "private.csv", "new");
    replaceFileAtomically(folder / "new.csv", "new");
    ::umask(umask);
    temporaryCreatedForTesting = nullptr;
    EXPECT_EQ(modes, (std::vector<mode_t>{0600, 0600}));
    EXPECT_EQ(statOf(folder / "private.csv").st_mode & 07777, 0600u);
    EXPECT_EQ(statOf(folder / "new.csv").st_mode & 07777, 0666u);
}

// A file of root's that the user may write, in a folder where the user may
// make files: a rename would make it the user's.
TEST_F(AtomicFile, WritesInPlaceWhereTheFileWouldLoseItsOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to give the file to another user";
    const fs::path open = folder / "open";
    fs::create_directories(open);
    ::chmod(folder.c_str(), 0755);
    ::chmod(open.c_str(), 0777);
    const fs::path file = open / "f.csv";
    spit(file, "old");
    ::chmod(file.c_str(), 0666);
    const ino_t inode = statOf(file).st_ino;
    const auto problems = runWithoutRoot([&] {
        replaceFileAtomically(file, "new");
        return std::string();
    });
    if (!problems)
        GTEST_SKIP() << "cannot run as a user without root's rights (no setuid here)";
    EXPECT_EQ(*problems, "");
    EXPECT_EQ(slurp(file), "new");
    EXPECT_EQ(statOf(file).st_uid, 0u);
    EXPECT_EQ(statOf(file).st_ino, inode);
    EXPECT_EQ(namesIn(open), std::vector<std::string>{"f.csv"});
}
#endif

#ifdef _WIN32
namespace {

DWORD attributesOf(const fs::path& file) { return GetFileAttributesW(file.c_str()); }

}  // namespace

TEST_F(AtomicFile, RefusesAReadOnlyFileAndChangesNothing)
{
    const fs::path file = folder / "f.csv";
    spit(file, "old");
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        replaceFileAtomically(file, "new");
        ADD_FAILURE() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_NE(std::string(e.what()).find("f.csv"), std::string::npos) << e.what();
    }
    EXPECT_EQ(slurp(file), "old");
    EXPECT_TRUE(attributesOf(file) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"f.csv"});
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// In place (the folder refusing new files is simulated: Wine cannot make one)
// and by rename alike.
TEST_F(AtomicFile, KeepsTheAttributesOfTheFile)
{
    const fs::path file = folder / "f.csv";
    for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "renamed");
        refuseTemporaryFilesForTesting = inPlace;
        for (const DWORD set : {DWORD{FILE_ATTRIBUTE_NORMAL}, DWORD{FILE_ATTRIBUTE_HIDDEN},
                                DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
                                DWORD{FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED}}) {
            SCOPED_TRACE(set);
            spit(file, "old");
            ASSERT_TRUE(SetFileAttributesW(file.c_str(), set));
            const DWORD before = attributesOf(file);
            replaceFileAtomically(file, "new content");
            EXPECT_EQ(slurp(file), "new content");
            EXPECT_EQ(attributesOf(file), before);
            EXPECT_EQ(namesIn(folder), std::vector<std::string>{"f.csv"});
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    // In place, a file not there yet cannot be made.
    EXPECT_THROW(replaceFileAtomically(folder / "g.csv", "new"), FileWriteError);
    refuseTemporaryFilesForTesting = false;
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"f.csv"});

    // A new file is not hidden like the temporary file it was written as.
    replaceFileAtomically(folder / "g.csv", "new");
    EXPECT_FALSE(attributesOf(folder / "g.csv") & FILE_ATTRIBUTE_HIDDEN);
}

// The file a path finally names, as the system resolves it.
std::wstring finalPathOf(const fs::path& path)
{
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    std::wstring name(1024, L'\0');
    name.resize(GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED));
    CloseHandle(h);
    return name;
}

// Wine makes no symbolic links of its own (CreateSymbolicLinkW does nothing)
// but follows the host's: under ctest the build makes one and names its
// folder in KOBALIN_HOST_LINKS.
TEST_F(AtomicFile, ReplacesTheFileASymbolicLinkNamesAndKeepsTheLink)
{
    fs::path base = folder;
    if (const char* hostLinks = std::getenv("KOBALIN_HOST_LINKS")) {
        base = hostLinks;
    } else {
        fs::create_directories(folder / "elsewhere");
        fs::create_directories(folder / "jobs");
        spit(folder / "elsewhere" / "real.csv", "");
        if (!CreateSymbolicLinkW((folder / "jobs" / "pier.xml_layer.csv").c_str(), L"..\\elsewhere\\real.csv",
                                 SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
            GetFileAttributesW((folder / "jobs" / "pier.xml_layer.csv").c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "no symbolic links to files here, and none made by the build (KOBALIN_HOST_LINKS)";
    }
    const fs::path real = base / "elsewhere" / "real.csv";
    const fs::path link = base / "jobs" / "pier.xml_layer.csv";
    spit(real, "old");
    const std::wstring linked = finalPathOf(link);
    ASSERT_EQ(linked, finalPathOf(real));

    replaceFileAtomically(link, "new");
    EXPECT_EQ(slurp(real), "new");
    EXPECT_EQ(finalPathOf(link), linked) << "the link is still a link to the same file";
    EXPECT_EQ(namesIn(base / "jobs"), std::vector<std::string>{"pier.xml_layer.csv"});
    EXPECT_EQ(namesIn(base / "elsewhere"), std::vector<std::string>{"real.csv"});
}
#endif

// The copy an operator keeps in another folder under a second name: a rename
// would give one name the new content and leave the old one under the other.
TEST_F(AtomicFile, AFileWithASecondNameKeepsItAndBothShowTheNewContent)
{
    const fs::path file = folder / "pier.xml_layer.csv";
    const fs::path copy = folder / "usb" / "pier.csv";
    spit(file, "old");
    fs::create_directories(copy.parent_path());
    std::error_code ec;
    fs::create_hard_link(file, copy, ec);
    if (ec)
        GTEST_SKIP() << "no hard link can be made here: " << ec.message();
    for (const fs::path& name : {copy, file}) {
        SCOPED_TRACE(name.string());
        const std::string bytes = "new through " + name.filename().string();
        replaceFileAtomically(name, bytes);
        EXPECT_EQ(slurp(file), bytes);
        EXPECT_EQ(slurp(copy), bytes);
    }
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"pier.xml_layer.csv", "usb"}));
    EXPECT_EQ(namesIn(copy.parent_path()), std::vector<std::string>{"pier.csv"});
}

namespace {

// A file of one repeated letter, as its letters and their count: a cut or
// mixed file shows as such without printing it whole.
std::string summary(const std::string& bytes)
{
    std::string letters;
    for (const char c : bytes)
        if (letters.find(c) == std::string::npos)
            letters += c;
    return letters + " x " + std::to_string(bytes.size());
}

}  // namespace

// A disk that fills up during a write leaves every file whole under every
// name, whichever way it is written; the error names the file. The full disk
// is the test's (the seam counts the room a write takes); a small file system
// below fills up for real.
TEST_F(AtomicFile, AFullDiskLeavesTheOldContentWholeUnderEveryName)
{
    enum class Way { Rename, SecondName, InPlace };
    struct Case {
        const char* what;
        Way way;
        std::size_t newSize;
        std::uint64_t room;
        bool written;
    };
    // The old file holds 3000 bytes; a rename needs room for a whole new file,
    // in place only what it grows by.
    const Case cases[] = {
        {"renamed, no room", Way::Rename, 9000, 0, false},
        {"renamed, a byte short", Way::Rename, 9000, 8999, false},
        {"renamed, room enough", Way::Rename, 9000, 9000, true},
        {"second name, a byte short", Way::SecondName, 9000, 5999, false},
        {"second name, room enough", Way::SecondName, 9000, 6000, true},
        {"second name, shorter, no room", Way::SecondName, 1000, 0, true},
        {"in place, a byte short", Way::InPlace, 9000, 5999, false},
        {"in place, room enough", Way::InPlace, 9000, 6000, true},
        {"in place, shorter, no room", Way::InPlace, 1000, 0, true},
    };
    const std::string old(3000, 'o');
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        const fs::path file = folder / "pier.xml_layer.csv";
        const fs::path copy = folder / "usb" / "pier.csv";
        spit(file, old);
        if (c.way == Way::SecondName) {
            fs::create_directories(copy.parent_path());
            std::error_code ec;
            fs::create_hard_link(file, copy, ec);
            if (ec)
                GTEST_SKIP() << "no hard link can be made here: " << ec.message();
        }
        const std::string bytes(c.newSize, 'n');
        refuseTemporaryFilesForTesting = c.way == Way::InPlace;
        diskRoomForTesting = c.room;
        std::string error;
        try {
            replaceFileAtomically(file, bytes);
        } catch (const FileWriteError& e) {
            error = e.what();
        }
        refuseTemporaryFilesForTesting = false;
        diskRoomForTesting.reset();
        const std::string expected = c.written ? bytes : old;
        EXPECT_EQ(error.empty(), c.written) << error;
        if (!c.written) {
            EXPECT_NE(error.find(file.string()), std::string::npos) << error;
        }
        EXPECT_EQ(summary(slurp(file)), summary(expected));
        if (c.way == Way::SecondName) {
            EXPECT_EQ(summary(slurp(copy)), summary(expected));
        }
        EXPECT_EQ(namesIn(folder).size(), c.way == Way::SecondName ? 2u : 1u) << "no temporary file left";
    }
}

#ifdef __linux__
// A file system of 256 KiB, filled up: the in-place writes find that before
// they touch the file.
TEST_F(AtomicFile, ASmallFileSystemThatFillsUpLeavesTheOldContentWhole)
{
    const fs::path small = folder / "small";
    fs::create_directories(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k,mode=0700") != 0)
        GTEST_SKIP() << "no small file system can be mounted here: " << std::strerror(errno);
    struct Unmount {
        fs::path at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{small};

    for (const bool secondName : {true, false}) {
        SCOPED_TRACE(secondName ? "a file with a second name" : "a folder that takes no new file");
        for (const auto& entry : fs::directory_iterator(small))
            fs::remove_all(entry.path());
        const fs::path file = small / "pier.xml_layer.csv";
        const fs::path copy = small / "pier.csv";
        const std::string old(8192, 'o');
        spit(file, old);
        if (secondName)
            fs::create_hard_link(file, copy);
        // Filled to the last byte.
        {
            std::ofstream filler(small / "filler", std::ios::binary);
            const std::string block(4096, 'f');
            while (filler.write(block.data(), block.size()) && filler.flush()) {
            }
        }
        const std::string bytes(65536, 'n');
        refuseTemporaryFilesForTesting = !secondName;
        EXPECT_THROW(replaceFileAtomically(file, bytes), FileWriteError);
        EXPECT_EQ(summary(slurp(file)), summary(old));
        if (secondName) {
            EXPECT_EQ(summary(slurp(copy)), summary(old));
        }
        // With room made, the same write goes through.
        fs::remove(small / "filler");
        EXPECT_NO_THROW(replaceFileAtomically(file, bytes));
        refuseTemporaryFilesForTesting = false;
        EXPECT_EQ(summary(slurp(file)), summary(bytes));
        if (secondName) {
            EXPECT_EQ(summary(slurp(copy)), summary(bytes));
        }
    }
}
#endif
