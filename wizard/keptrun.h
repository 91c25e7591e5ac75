#pragma once

#include "app/filelock.h"
#include "wizard/rundata.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kobalin {

// The run is kept, from its first change until its layer file is written, in a
// recovery file of the running copy's own, so that Abort, a crash or a power
// cut loses nothing: the next start offers it back.

// The layout of the recovery file; a later version that changes it counts up,
// and this one sets such a file aside instead of misreading it.
inline constexpr int kKeptRunFormat = 1;

// What of a run is kept: the comment lines and their count, the layers and the
// chosen model (in run), the link choice, and when it was kept.
struct KeptRun {
    RunData run;
    bool linked = false;
    std::int64_t keptAt = 0;  // seconds since 1970, UTC
};

// The kept content without its moment: equal for two runs that hold the same.
// The layers are in the layer file's exact form, read back by its reader.
std::string keptRunBody(const RunData& run, bool linked);
// The recovery file's bytes: its format, the moment, then body.
std::string keptRunFile(std::string_view body, std::int64_t keptAt);

enum class KeptRunFault { None, Unreadable, NewerFormat };

struct KeptRunReading {
    KeptRun kept;
    KeptRunFault fault = KeptRunFault::None;
};

KeptRunReading readKeptRun(std::string_view bytes);

// The start's question, in the language of base taal: when the run was kept
// (local date and time) and how many layers and comment lines it holds.
std::u16string restoreQuestion(const KeptRun& kept, std::int32_t taal);

// Where the recovery files are: keptFilesFolder()/runs.
std::filesystem::path keptRunsFolder();

// This running copy's recovery file in a folder, and the lock that tells the
// other copies that it still runs. Nothing is made before the first keep.
class RunKeeper {
public:
    explicit RunKeeper(std::filesystem::path folder);
    ~RunKeeper();  // lets go of the lock; the recovery file stays for the next start
    RunKeeper(const RunKeeper&) = delete;
    RunKeeper& operator=(const RunKeeper&) = delete;

    // Replaces the recovery file atomically by bytes; throws FileWriteError.
    void keep(std::string_view bytes);
    // Removes the recovery file, when there is one.
    void forget();

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path file_;
    std::filesystem::path lockFile_;
    std::optional<FileLock> lock_;
};

// A recovery file whose copy no longer runs, claimed: while this is held, no
// other copy takes it.
class OrphanedRun {
public:
    OrphanedRun(std::filesystem::path file, KeptRun kept, std::optional<FileLock> claim);
    OrphanedRun(OrphanedRun&&) = default;
    OrphanedRun& operator=(OrphanedRun&&) = default;
    ~OrphanedRun();  // lets go of it as it is: the next start offers it again

    const KeptRun& kept() const { return kept_; }
    const std::filesystem::path& file() const { return file_; }
    // Removes it: taken into this run, or refused.
    void discard();

private:
    std::filesystem::path file_;
    KeptRun kept_;
    std::optional<FileLock> claim_;
};

struct OrphanSearch {
    std::optional<OrphanedRun> newest;            // to offer
    std::vector<std::filesystem::path> setAside;  // the others, as they are named now
};

// The recovery files in folder that are this user's and whose copy no longer
// runs: the newest readable one is claimed to be offered; the others, older,
// unreadable or of a newer format, are renamed to say so (".not-offered",
// ".unreadable", ".newer-format") and of such files the ten newest are kept.
// A running copy's file, another user's and anything not named as a recovery
// file are left alone, as is whatever cannot be read or renamed.
OrphanSearch findOrphanedRuns(const std::filesystem::path& folder);

inline constexpr std::size_t kSetAsideKept = 10;

}  // namespace kobalin
