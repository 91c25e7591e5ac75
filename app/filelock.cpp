#include "app/filelock.h"

#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kobalin {

namespace fs = std::filesystem;

#ifdef _WIN32

// Opened without sharing: a second opener fails until the holder's handle is
// closed, which the system does when the holder ends.
std::optional<FileLock> FileLock::tryTake(const fs::path& path, bool create)
{
    const HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr,
                                 create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    return FileLock(path, reinterpret_cast<std::intptr_t>(h));
}

void FileLock::removeAndRelease()
{
    if (handle_ == -1)
        return;
    FILE_DISPOSITION_INFO remove{TRUE};
    SetFileInformationByHandle(reinterpret_cast<HANDLE>(handle_), FileDispositionInfo, &remove, sizeof remove);
    release();
}

void FileLock::release()
{
    if (handle_ != -1)
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
}

#else

std::optional<FileLock> FileLock::tryTake(const fs::path& path, bool create)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        // Read-only suffices for the lock, and opens another's file of mode 0644 too.
        const int fd = ::open(path.c_str(), (create ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return std::nullopt;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return std::nullopt;
        }
        // A holder that was done with the file may have removed it between the
        // open and the lock: then the lock is on a file that no longer has the name.
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev)
            return FileLock(path, fd);
        ::close(fd);
        if (!create)
            return std::nullopt;
    }
    return std::nullopt;
}

void FileLock::removeAndRelease()
{
    if (handle_ == -1)
        return;
    ::unlink(path_.c_str());
    release();
}

void FileLock::release()
{
    if (handle_ != -1)
        ::close(static_cast<int>(handle_));
    handle_ = -1;
}

#endif

FileLock::FileLock(FileLock&& other) noexcept : path_(std::move(other.path_)), handle_(std::exchange(other.handle_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

FileLock::~FileLock() { release(); }

}  // namespace kobalin
