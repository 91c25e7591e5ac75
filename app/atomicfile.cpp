#include "app/atomicfile.h"
#include "app/atomicfile_testing.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>

#ifdef _WIN32
#include "app/utf8.h"
#include "app/winerror.h"

#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kobalin {

bool refuseTemporaryFilesForTesting = false;
void (*temporaryCreatedForTesting)(const std::string& name) = nullptr;
std::optional<std::uint64_t> diskRoomForTesting;

namespace fs = std::filesystem;

namespace {

fs::path folderOf(const fs::path& path) { return path.has_parent_path() ? path.parent_path() : fs::path("."); }

// How many of bytes fit on the disk when the file already held held bytes: all
// of them, but for the test's full disk.
std::size_t fitting(std::string_view bytes, std::uint64_t held)
{
    if (!diskRoomForTesting || bytes.size() <= held + *diskRoomForTesting)
        return bytes.size();
    return static_cast<std::size_t>(held + *diskRoomForTesting);
}

// The system would end the name at a NUL (a hand-edited path may hold one) and
// write another file than the one named.
bool holdsNul(const fs::path& path) { return path.native().find(fs::path::value_type()) != fs::path::string_type::npos; }

#ifdef _WIN32

// The temporary files of a file are hidden and say whose they are:
// .<name>.kobalin-tmp-<process>.<count>.
std::wstring tempPrefix(const fs::path& file)
{
    // A long name is cut, not at a surrogate pair, so that the temporary
    // file's name still fits in 255 characters with room for its number.
    std::wstring name = file.filename().wstring();
    std::size_t keep = 255 - 14 - 24;
    if (name.size() > keep) {
        if (name[keep] >= 0xDC00 && name[keep] <= 0xDFFF)
            --keep;
        name.resize(keep);
    }
    return L"." + name + L".kobalin-tmp-";
}

bool isOwnTemporary(const std::wstring& name, const std::wstring& prefix)
{
    const int length = static_cast<int>(prefix.size());
    return name.size() > prefix.size() &&
           CompareStringOrdinal(name.c_str(), length, prefix.c_str(), length, TRUE) == CSTR_EQUAL &&
           std::all_of(name.begin() + length, name.end(), [](wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'.'; });
}

[[noreturn]] void failWin(const fs::path& path, const std::string& what)
{
    const DWORD error = GetLastError();
    // Messages are UTF-8; the narrow form of a Windows path is in the ANSI code page.
    const std::string reason = windowsErrorMessage(error);
    throw FileWriteError("Cannot write " + toUtf8(path.u16string()) + ": " + what + " (" + reason + ")", path.u16string(),
                         reason);
}

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (*this)
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    void reset(HANDLE h)
    {
        if (*this)
            CloseHandle(h_);
        h_ = h;
    }
    bool close()
    {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return CloseHandle(h);
    }

private:
    HANDLE h_;
};

// The file that path finally names, through symbolic links and junctions;
// path itself where no file is yet.
fs::path finalTarget(const fs::path& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool link = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    const Handle h(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h) {
        const DWORD error = GetLastError();
        // A rename would put a file in the place of a link that leads nowhere.
        if (link)
            failWin(path, "the link leads to no file");
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return path;
        failWin(path, "cannot open it");
    }
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(h.get(), name.data(), static_cast<DWORD>(name.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= name.size()) {
        name.resize(length);
        length = GetFinalPathNameByHandleW(h.get(), name.data(), static_cast<DWORD>(name.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= name.size()) {
        // A volume without a drive letter, say: fine unless a link has to be followed.
        if (link)
            failWin(path, "cannot follow the link");
        return path;
    }
    name.resize(length);
    return fs::path(name);
}

// A temporary file that nobody holds open belongs to a writer that died: a
// live writer holds its own without sharing it, so this exclusive open fails.
void removeStaleTemporaries(const fs::path& file)
{
    const fs::path folder = folderOf(file);
    const std::wstring prefix = tempPrefix(file);
    const std::wstring pattern = (folder / (prefix + L"*")).wstring();
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        // The pattern also matches through 8.3 short names: check the real name.
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
            !isOwnTemporary(name, prefix))
            continue;
        const std::wstring candidate = (folder / name).wstring();
        HANDLE h = CreateFileW(candidate.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Writes bytes at the file's position; held is what the file held (or had
// reserved) before, which the test's full disk takes without more room.
bool writeAll(HANDLE h, std::string_view bytes, std::uint64_t held = 0)
{
    const std::size_t fits = fitting(bytes, held);
    std::size_t done = 0;
    while (done < fits) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(fits - done, 1u << 20));
        if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    if (fits < bytes.size())
        SetLastError(ERROR_DISK_FULL);
    return fits == bytes.size();
}

bool moveTo(HANDLE h, std::uint64_t offset)
{
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(h, at, nullptr, FILE_BEGIN);
}

// Makes sure the disk has room for bytes in the file, which holds oldSize,
// without touching a byte of it: its allocation is raised, or where the file
// system cannot do that, the file is lengthened (and shortened back on failure).
bool reserve(HANDLE h, std::string_view bytes, std::uint64_t oldSize)
{
    if (fitting(bytes, oldSize) < bytes.size()) {
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
    FILE_ALLOCATION_INFO allocation{};
    // Less than the file holds would cut it.
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(std::max<std::uint64_t>(bytes.size(), oldSize));
    if (SetFileInformationByHandle(h, FileAllocationInfo, &allocation, sizeof allocation))
        return true;
    const DWORD refused = GetLastError();
    if (refused == ERROR_DISK_FULL || refused == ERROR_HANDLE_DISK_FULL)
        return false;
    if (bytes.size() <= oldSize)
        return true;
    if (moveTo(h, bytes.size()) && SetEndOfFile(h) && moveTo(h, 0))
        return true;
    const DWORD error = GetLastError();
    if (moveTo(h, oldSize))
        SetEndOfFile(h);
    moveTo(h, 0);
    SetLastError(error);
    return false;
}

// For a folder that takes no new file, or a file with a second name: the one
// way left, with no guarantee against a crash in the middle. A full disk,
// though, is found before the first old byte is overwritten.
void writeInPlace(const fs::path& path, const fs::path& target, std::string_view bytes)
{
    Handle h(
        CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h)
        failWin(path, "cannot open it for writing");
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.get(), &size))
        failWin(path, "cannot read its size");
    const std::uint64_t oldSize = static_cast<std::uint64_t>(size.QuadPart);
    if (!reserve(h.get(), bytes, oldSize))
        failWin(path, "no room for the new content");
    if (!writeAll(h.get(), bytes, std::max<std::uint64_t>(bytes.size(), oldSize)))
        failWin(path, "write failed");
    if (!moveTo(h.get(), bytes.size()) || !SetEndOfFile(h.get()))
        failWin(path, "cannot set its length");
    if (!FlushFileBuffers(h.get()))
        failWin(path, "flush failed");
    if (!h.close())
        failWin(path, "close failed");
}

void replace(const fs::path& path, std::string_view bytes, unsigned)
{
    if (holdsNul(path)) {
        SetLastError(ERROR_INVALID_NAME);
        failWin(path, "the name holds a NUL character");
    }
    const fs::path target = finalTarget(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            SetLastError(ERROR_ACCESS_DENIED);
            failWin(path, "it is a folder");
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            SetLastError(ERROR_ACCESS_DENIED);
            failWin(path, "the file is read-only");
        }
        // What the file's permissions or another program holding it allow.
        Handle writable(CreateFileW(target.c_str(), FILE_WRITE_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!writable)
            failWin(path, "the file may not be written");
        // A rename would leave the file's other names with the old content.
        BY_HANDLE_FILE_INFORMATION info{};
        const bool linked = GetFileInformationByHandle(writable.get(), &info) && info.nNumberOfLinks > 1;
        writable.reset(INVALID_HANDLE_VALUE);
        if (linked)
            return writeInPlace(path, target, bytes);
    }

    static unsigned counter = 0;
    const fs::path folder = folderOf(target);
    fs::path temp;
    Handle h(INVALID_HANDLE_VALUE);
    // Process ids are reused: a dead writer's temporary file may carry the name
    // this one would take, so go on to the next number.
    for (int attempt = 0; attempt < 1000 && !h; ++attempt) {
        temp = folder / (tempPrefix(target) + std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(++counter));
        if (refuseTemporaryFilesForTesting) {
            SetLastError(ERROR_ACCESS_DENIED);
            break;
        }
        // Held open until it has been renamed, shared for the rename only, so
        // that no other writer takes it for stale.
        h.reset(CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (!h && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (!h) {
        if (exists && GetLastError() == ERROR_ACCESS_DENIED)
            return writeInPlace(path, target, bytes);
        failWin(path, "cannot create a temporary file");
    }
    auto abandon = [&](const std::string& what) {
        const DWORD error = GetLastError();
        h.reset(INVALID_HANDLE_VALUE);
        DeleteFileW(temp.c_str());
        SetLastError(error);
        failWin(path, what);
    };
    if (!writeAll(h.get(), bytes))
        abandon("write failed");
    if (!FlushFileBuffers(h.get()))
        abandon("flush failed");
    // The file's own attributes instead of the temporary file's hidden one.
    constexpr DWORD kept = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = exists ? (attributes & kept) : FILE_ATTRIBUTE_ARCHIVE;
    if (basic.FileAttributes == 0)
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(h.get(), FileBasicInfo, &basic, sizeof basic))
        abandon("cannot set its attributes");
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        abandon("cannot replace the file");
    h.close();
    removeStaleTemporaries(target);
}

#else

constexpr std::string_view kTempChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTempSuffixLength = 6;

// The temporary files of a file are hidden and say whose they are:
// .<name>.kobalin-tmp-XXXXXX.
std::string tempPrefix(const fs::path& file)
{
    // A long name is cut, at the start of a UTF-8 character, so that the
    // temporary file's name still fits in 255 bytes.
    std::string name = file.filename().string();
    std::size_t keep = 255 - 14 - kTempSuffixLength;
    if (name.size() > keep) {
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        name.resize(keep);
    }
    return "." + name + ".kobalin-tmp-";
}

bool isOwnTemporary(const std::string& name, const std::string& prefix)
{
    return name.size() == prefix.size() + kTempSuffixLength && name.compare(0, prefix.size(), prefix) == 0 &&
           name.find_first_not_of(kTempChars, prefix.size()) == std::string::npos;
}

[[noreturn]] void fail(const fs::path& path, const std::string& what, int error)
{
    const std::string reason = std::generic_category().message(error);
    throw FileWriteError("Cannot write " + path.string() + ": " + what + " (" + reason + ")", path.u16string(), reason);
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// The file that path finally names, through any chain of symbolic links
// (relative ones from the link's own folder). It need not exist.
fs::path finalTarget(const fs::path& path)
{
    fs::path target = path;
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec)))
            return target;
        if (hops == 40)
            fail(path, "too many symbolic links", ELOOP);
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            fail(path, "cannot read the symbolic link", ec.value());
        target = folderOf(target) / next;
    }
}

// A temporary file whose lock can be taken belongs to a writer that died
// (a live writer holds the lock from creation until the rename).
void removeStaleTemporaries(const fs::path& file)
{
    const std::string prefix = tempPrefix(file);
    const fs::path folder = folderOf(file);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isOwnTemporary(name, prefix))
            continue;
        const fs::path candidate = folder / name;
        Descriptor fd(::open(candidate.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat st {};
        if (fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(candidate.c_str());
    }
    ::closedir(dir);
}

// What a file created now would lose of its mode. Reading it means setting
// it, for a moment; the program has one thread that writes files.
mode_t currentUmask()
{
    const mode_t mask = ::umask(077);
    ::umask(mask);
    return mask;
}

// Writes bytes at offset; held is what the file held (or had reserved)
// before, which the test's full disk takes without more room. 0, or the errno
// of the failed write.
int writeAll(int fd, std::string_view bytes, off_t offset = 0, std::uint64_t held = 0)
{
    const std::size_t fits = fitting(bytes, held);
    std::size_t done = 0;
    while (done < fits) {
        const ssize_t n = ::pwrite(fd, bytes.data() + done, fits - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return fits < bytes.size() ? ENOSPC : 0;
}

// Makes sure the disk has room for bytes in the file, which holds oldSize,
// without touching a byte of it: 0, or the errno that says why not.
int reserve(int fd, std::string_view bytes, off_t oldSize)
{
    if (fitting(bytes, static_cast<std::uint64_t>(oldSize)) < bytes.size())
        return ENOSPC;
#ifdef __linux__
    // Blocks beyond the end are allocated without lengthening the file.
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) == 0)
        return 0;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
#endif
    // A file system that allocates no blocks ahead: the part beyond the old
    // end is written first, where it overwrites nothing, and synced, so that a
    // full disk shows now; the file is shortened back when it does.
    if (static_cast<off_t>(bytes.size()) <= oldSize)
        return 0;
    int error = writeAll(fd, bytes.substr(static_cast<std::size_t>(oldSize)), oldSize);
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (error)
        (void)!::ftruncate(fd, oldSize);
    return error;
}

// For a folder that takes no new file, or a file with a second name: the one
// way left, with no guarantee against a crash in the middle. A full disk,
// though, is found before the first old byte is overwritten.
void writeInPlace(const fs::path& path, const fs::path& target, std::string_view bytes)
{
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW));
    if (fd.get() < 0)
        fail(path, "cannot open it for writing", errno);
    struct stat old {};
    if (::fstat(fd.get(), &old) != 0)
        fail(path, "cannot read its size", errno);
    if (const int error = reserve(fd.get(), bytes, old.st_size))
        fail(path, "no room for the new content", error);
    const auto reserved = std::max<std::uint64_t>(bytes.size(), static_cast<std::uint64_t>(old.st_size));
    if (const int error = writeAll(fd.get(), bytes, 0, reserved))
        fail(path, "write failed", error);
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0)
        fail(path, "cannot set its length", errno);
    if (::fsync(fd.get()) != 0)
        fail(path, "flush failed", errno);
    if (::close(fd.release()) != 0)
        fail(path, "close failed", errno);
}

// A new temporary file for target, readable and writable by its owner only
// (whoever opened it before it got its mode could read what comes into it),
// and locked; -1 with errno set when none can be made.
int createTemporary(const fs::path& target, std::string& name)
{
    const std::string prefix = (folderOf(target) / tempPrefix(target)).string();
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, kTempChars.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (refuseTemporaryFilesForTesting) {
            errno = EACCES;
            return -1;
        }
        name = prefix;
        for (std::size_t i = 0; i < kTempSuffixLength; ++i)
            name += kTempChars[pick(random)];
        Descriptor fd(::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (fd.get() < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        int locked;
        while ((locked = ::flock(fd.get(), LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            const int error = errno;
            ::unlink(name.c_str());
            errno = error;
            return -1;
        }
        // Between its creation and its lock a new temporary file looks stale,
        // and another writer's sweep may remove it then: take a fresh one if so.
        struct stat own {};
        if (::fstat(fd.get(), &own) == 0 && own.st_nlink > 0) {
            if (temporaryCreatedForTesting)
                temporaryCreatedForTesting(name);
            return fd.release();
        }
    }
    errno = EEXIST;
    return -1;
}

void replace(const fs::path& path, std::string_view bytes, unsigned newFileMode)
{
    if (holdsNul(path))
        fail(path, "the name holds a NUL character", EINVAL);
    const fs::path target = finalTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        fail(path, "cannot reach it", errno);
    if (exists && !S_ISREG(old.st_mode))
        fail(path, "not a plain file", S_ISDIR(old.st_mode) ? EISDIR : EINVAL);
    // As opening it for writing would (root may write any file, as the open would let it).
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        fail(path, "the file may not be written", errno);
    // A rename would leave the file's other names with the old content.
    if (exists && old.st_nlink > 1)
        return writeInPlace(path, target, bytes);

    std::string temp;
    Descriptor fd(createTemporary(target, temp));
    if (fd.get() < 0) {
        if (exists && (errno == EACCES || errno == EPERM))
            return writeInPlace(path, target, bytes);
        fail(path, "cannot create a temporary file", errno);
    }
    auto abandon = [&](const std::string& what, int error) {
        ::unlink(temp.c_str());
        fail(path, what, error);
    };

    if (exists) {
        // Owner and group where this process may give them (root; a group of
        // the user's); where it may not, a rename would hand the file, and
        // what its mode lets the group read, to others: written in place.
        struct stat own {};
        if (::fstat(fd.get(), &own) != 0)
            abandon("cannot read its owner", errno);
        if ((own.st_uid != old.st_uid || own.st_gid != old.st_gid) && ::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
            ::unlink(temp.c_str());
            return writeInPlace(path, target, bytes);
        }
    }
    if (::fchmod(fd.get(), exists ? old.st_mode & 07777 : newFileMode & ~currentUmask() & 07777) != 0)
        abandon("cannot set permissions", errno);
    if (const int error = writeAll(fd.get(), bytes))
        abandon("write failed", error);
    if (::fsync(fd.get()) != 0)
        abandon("flush failed", errno);
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        // A folder with the sticky bit lets no one replace another's file.
        if (exists && (error == EACCES || error == EPERM))
            return writeInPlace(path, target, bytes);
        fail(path, "cannot replace the file", error);
    }
    if (::close(fd.release()) != 0)
        fail(path, "close failed", errno);

    // Make the rename itself durable.
    Descriptor folder(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    removeStaleTemporaries(target);
}

#endif

}  // namespace

void replaceFileAtomically(const fs::path& path, std::string_view bytes, unsigned newFileMode)
{
    replace(path, bytes, newFileMode);
}

void removeLeftTemporaryFiles(const fs::path& path)
{
    if (!holdsNul(path))
        removeStaleTemporaries(path);
}

}  // namespace kobalin
