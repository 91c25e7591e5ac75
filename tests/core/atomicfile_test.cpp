#include "app/atomicfile.h"

#include "freshsettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
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
        handle_ = CreateFileW(file.wstring().c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

TEST_F(AtomicFile, RemovesTheTemporaryFilesOfADeadWriterOnly)
{
    const fs::path file = folder / "f.csv";
    spit(file, "old");
    spit(folder / "f.csv.tmp.x", "left by a crash");
    spit(folder / "g.csv.tmp.x", "another file's");
    spit(folder / "f.csv.tmpx", "not a temporary file");
    const LiveWriter live(folder / "f.csv.tmp.live");

    replaceFileAtomically(file, "new");

    EXPECT_EQ(slurp(file), "new");
    EXPECT_EQ(namesIn(folder), (std::vector<std::string>{"f.csv", "f.csv.tmp.live", "f.csv.tmpx", "g.csv.tmp.x"}));
}

#ifdef _WIN32
// Process ids are reused on Windows, so a dead writer's temporary files may
// carry the very names that this process is about to take.
TEST_F(AtomicFile, IsNotBlockedByADeadWritersFilesOfTheSameProcessId)
{
    const fs::path file = folder / "f.csv";
    for (int n = 1; n <= 100; ++n)
        spit(folder / ("f.csv.tmp." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(n)), "stale");
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
