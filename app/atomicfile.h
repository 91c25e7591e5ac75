#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace kobalin {

// what() is the whole story in English, for a log; the user's message is
// composed in the run's language from path() and the system's reason().
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    FileWriteError(const std::string& message, std::u16string path, std::string reason)
        : std::runtime_error(message), path_(std::move(path)), reason_(std::move(reason))
    {
    }

    const std::u16string& path() const { return path_; }
    const std::string& reason() const { return reason_; }  // UTF-8, as the system words it

private:
    std::u16string path_;
    std::string reason_;
};

// Replaces the content of the file at path by bytes, changing nothing else:
// - A symbolic link (a chain of them, on Windows also a junction) is followed:
//   the file it finally names is replaced and the link stays as it was.
// - The bytes go to a hidden temporary file in that file's folder, named
//   .<name>.kobalin-tmp-..., flushed to disk and renamed over the old file, so
//   that a reader or a crash sees the old or the new content, complete.
// - The replaced file keeps its permission bits (Windows: attributes), and its
//   owner and group where the process may set them. A new file gets
//   newFileMode less the umask (Windows: the defaults).
// - A file that could not be opened for writing (no write permission, the
//   read-only attribute) is refused.
// - Where a rename would not serve (a file with a second name, a folder that
//   takes no new file, on Linux another user's file) the file is written in
//   place: room for the new content is reserved first, so that a full disk
//   leaves the old content whole; then it is overwritten, cut to length and
//   synced. Only a crash in the middle of that can leave a partial file.
// - Temporary files of this name left by a writer that died are removed; no
//   other file ever is.
// Any failure leaves the old file untouched, except a crash in the in-place write.
// Throws FileWriteError with a message that names the path.
void replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes, unsigned newFileMode = 0666);

// Removes the temporary files of path that writers which died left (a write of
// path does so itself), for a file that will not be written again.
void removeLeftTemporaryFiles(const std::filesystem::path& path);

}  // namespace kobalin
