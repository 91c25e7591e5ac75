#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace kobalin {

// The contents of the layer files a run opened or wrote: a file that holds one
// of them is the run's own, and replacing it loses nothing of another job.
class OwnLayerFiles {
public:
    void add(std::string_view bytes);
    bool holds(std::string_view bytes) const;

private:
    std::vector<std::pair<std::size_t, std::size_t>> known_;  // size and hash of each
};

// Where copies of replaced layer files are kept: keptFilesFolder()/replaced.
std::filesystem::path replacedFilesFolder();

inline constexpr std::size_t kReplacedCopiesKept = 100;

// Keeps bytes, the content of the file at path that is about to be replaced
// (without them, a file too large to read is copied as it stands), as a copy in folder named after path's file and the moment (local time, to
// the second): "_layer 2025-03-14 154210.csv". Of the copies there the hundred
// newest stay. The copy's path; throws FileWriteError when it cannot be made.
std::filesystem::path keepReplacedFile(const std::filesystem::path& folder, const std::filesystem::path& path,
                                       std::optional<std::string_view> bytes, std::int64_t now);

}  // namespace kobalin
