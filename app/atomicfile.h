#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace kobalin {

class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the file at path by bytes: written to a temporary file in the same
// folder, flushed to disk and renamed over the old one, so that a reader or a
// crash sees the old or the new content, complete, and a failure leaves the old
// file untouched. Temporary files left behind by a crashed writer are removed.
// A new file gets newFileMode (POSIX permission bits); an existing one keeps its mode.
// Throws FileWriteError with a message that names the path.
void replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes, unsigned newFileMode = 0644);

}  // namespace kobalin
