#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kobalin {

// Tests only: makes the creation of temporary files fail as in a folder that
// takes no new file, for where a test cannot make such a folder (Wine, which
// runs as root in CI and does not model folder permissions).
extern bool refuseTemporaryFilesForTesting;

// Tests only: called with the name of each temporary file as soon as it is made.
extern void (*temporaryCreatedForTesting)(const std::string& name);

// Tests only: a disk that takes this many bytes more than the file being
// written held when the write began. Reserving room beyond it fails, and a
// write beyond it lands up to there and then fails, as on a full disk.
extern std::optional<std::uint64_t> diskRoomForTesting;

}  // namespace kobalin
