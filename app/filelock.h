#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

namespace kobalin {

// A lock on a file, held until it is released or its holder ends in any way
// (closed, killed, logged out): the system lets go of it then. Two holders of
// one file, in one process or in two, exclude each other.
class FileLock {
public:
    // Takes the lock of the file at path, making the file where create is set;
    // nothing when another holds it, or the file is not there (or cannot be
    // made or opened).
    static std::optional<FileLock> tryTake(const std::filesystem::path& path, bool create);

    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Removes the file while still holding it, then lets go.
    void removeAndRelease();

private:
    FileLock(std::filesystem::path path, std::intptr_t handle) : path_(std::move(path)), handle_(handle) {}
    void release();

    std::filesystem::path path_;
    std::intptr_t handle_;  // a descriptor, or on Windows a HANDLE; -1 when none
};

}  // namespace kobalin
