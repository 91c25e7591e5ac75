#include "app/atomicfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#ifdef _WIN32
#include "app/utf8.h"
#include "app/winerror.h"

#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kobalin {

namespace fs = std::filesystem;

namespace {

fs::path folderOf(const fs::path& path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The system would end the name at a NUL (a hand-edited path may hold one) and
// write another file than the one named.
bool holdsNul(const fs::path& path)
{
    return path.native().find(fs::path::value_type()) != fs::path::string_type::npos;
}

#ifdef _WIN32

// The temporary files of path are named <name>.tmp.<process>.<count>.
std::wstring tempPrefix(const fs::path& path)
{
    return path.filename().wstring() + L".tmp.";
}

[[noreturn]] void failWin(const fs::path& path, const std::string& what)
{
    const DWORD error = GetLastError();
    // Messages are UTF-8; the narrow form of a Windows path is in the ANSI code page.
    throw FileWriteError("Cannot write " + toUtf8(path.u16string()) + ": " + what + " (" + windowsErrorMessage(error) + ")");
}

// A temporary file that nobody holds open belongs to a writer that died: a
// live writer holds its own without sharing it, so this exclusive open fails.
void removeStaleTemporaries(const fs::path& path)
{
    const fs::path folder = folderOf(path);
    const std::wstring prefix = tempPrefix(path);
    const std::wstring pattern = (folder / (prefix + L"*")).wstring();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // The pattern also matches through 8.3 short names: check the real name.
        const std::wstring name = found.cFileName;
        const int prefixLength = static_cast<int>(prefix.size());
        if (name.size() < prefix.size() || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            || CompareStringOrdinal(name.c_str(), prefixLength, prefix.c_str(), prefixLength, TRUE) != CSTR_EQUAL)
            continue;
        const std::wstring candidate = (folder / name).wstring();
        HANDLE h = CreateFileW(candidate.c_str(), DELETE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void replace(const fs::path& path, std::string_view bytes, unsigned)
{
    if (holdsNul(path)) {
        SetLastError(ERROR_INVALID_NAME);
        failWin(path, "the name holds a NUL character");
    }
    static unsigned counter = 0;
    const fs::path folder = folderOf(path);
    fs::path temp;
    HANDLE h = INVALID_HANDLE_VALUE;
    // Process ids are reused: a dead writer's temporary file may carry the name
    // this one would take, so go on to the next number.
    for (int attempt = 0; attempt < 1000 && h == INVALID_HANDLE_VALUE; ++attempt) {
        temp = folder / (tempPrefix(path) + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter));
        // Held open until it has been renamed, shared for the rename only, so
        // that no other writer takes it for stale.
        h = CreateFileW(temp.wstring().c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (h == INVALID_HANDLE_VALUE)
        failWin(path, "cannot create a temporary file");
    auto abandon = [&](const std::string& what) {
        const DWORD error = GetLastError();
        CloseHandle(h);
        DeleteFileW(temp.wstring().c_str());
        SetLastError(error);
        failWin(path, what);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            abandon("write failed");
        done += written;
    }
    if (!FlushFileBuffers(h))
        abandon("flush failed");
    if (!MoveFileExW(temp.wstring().c_str(), path.wstring().c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        abandon("cannot replace the file");
    CloseHandle(h);
    removeStaleTemporaries(path);
}

#else

// The temporary files of path are named <name>.tmp.<unique>.
std::string tempPrefix(const fs::path& path)
{
    return path.filename().string() + ".tmp.";
}

[[noreturn]] void fail(const fs::path& path, const std::string& what, int error)
{
    throw FileWriteError("Cannot write " + path.string() + ": " + what + " (" + std::generic_category().message(error) + ")");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { if (fd_ >= 0) ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd) { if (fd_ >= 0) ::close(fd_); fd_ = fd; }
    int release() { const int fd = fd_; fd_ = -1; return fd; }
private:
    int fd_;
};

// A temporary file whose lock can be taken belongs to a writer that died
// (a live writer holds the lock from creation until the rename).
void removeStaleTemporaries(const fs::path& path)
{
    const std::string prefix = tempPrefix(path);
    const fs::path folder = folderOf(path);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) != 0)
            continue;
        const fs::path candidate = folder / name;
        Descriptor fd(::open(candidate.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
        if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(candidate.c_str());
    }
    ::closedir(dir);
}

void replace(const fs::path& path, std::string_view bytes, unsigned newFileMode)
{
    if (holdsNul(path))
        fail(path, "the name holds a NUL character", EINVAL);
    const std::string pattern = (folderOf(path) / (tempPrefix(path) + "XXXXXX")).string();
    std::string temp;
    Descriptor fd(-1);
    // Between its creation and its lock a new temporary file looks stale, and
    // another writer's sweep may remove it then: take a fresh one if so.
    for (int attempt = 0;; ++attempt) {
        temp = pattern;
        fd.reset(::mkostemp(temp.data(), O_CLOEXEC));
        if (fd.get() < 0)
            fail(path, "cannot create a temporary file", errno);
        int locked;
        while ((locked = ::flock(fd.get(), LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            const int error = errno;
            ::unlink(temp.c_str());
            fail(path, "cannot lock a temporary file", error);
        }
        struct stat own {};
        if (::fstat(fd.get(), &own) != 0 || own.st_nlink > 0)
            break;
        if (attempt == 100)
            fail(path, "cannot keep a temporary file", ENOENT);
    }
    auto abandon = [&](const std::string& what) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(path, what, error);
    };

    struct stat existing {};
    const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : static_cast<mode_t>(newFileMode);
    if (::fchmod(fd.get(), mode) != 0)
        abandon("cannot set permissions");

    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            abandon("write failed");
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0)
        abandon("flush failed");
    if (::rename(temp.c_str(), path.c_str()) != 0)
        abandon("cannot replace the file");
    if (::close(fd.release()) != 0)
        fail(path, "close failed", errno);

    // Make the rename itself durable.
    Descriptor folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    removeStaleTemporaries(path);
}

#endif

}  // namespace

void replaceFileAtomically(const fs::path& path, std::string_view bytes, unsigned newFileMode)
{
    replace(path, bytes, newFileMode);
}

}  // namespace kobalin
