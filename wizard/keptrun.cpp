#include "wizard/keptrun.h"

#include "app/atomicfile.h"
#include "app/userfolders.h"
#include "app/utf8.h"
#include "i18n/catalogue.h"
#include "wizard/layerfile.h"
#include "wizard/layerfilereader.h"
#include "wizard/localtime.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kobalin {

namespace fs = std::filesystem;

namespace {

// The file's head, one "name;value" line each; the layers follow as a layer
// file of exactly the length the last line gives, so that a cut file shows.
constexpr std::string_view kFormatLine = "Kobalin kept run;";
constexpr std::string_view kEndOfLine = "\r\n";

void appendLine(std::string& out, std::string_view name, std::string_view value)
{
    out += name;
    out += ';';
    out += value;
    out += kEndOfLine;
}

template <class T>
std::string number(T value)
{
    char buffer[24];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

template <class T>
std::optional<T> readNumber(std::string_view text)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A path may hold any character but NUL: "%", CR, LF and the other control
// characters are written as "%XX", so that it stays on its line.
std::string escaped(std::string_view bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || c == '%') {
            constexpr char kHex[] = "0123456789ABCDEF";
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned value = 0;
        if (i + 2 >= text.size())
            return std::nullopt;
        const auto [end, error] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (error != std::errc() || end != text.data() + i + 3)
            return std::nullopt;
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

// The head's lines, one at a time.
class Head {
public:
    explicit Head(std::string_view bytes) : rest_(bytes) {}

    // The value of the next line when it is named name.
    std::optional<std::string_view> value(std::string_view name)
    {
        const std::size_t end = rest_.find(kEndOfLine);
        if (end == std::string_view::npos)
            return std::nullopt;
        const std::string_view line = rest_.substr(0, end);
        if (line.size() <= name.size() || !line.starts_with(name) || line[name.size()] != ';')
            return std::nullopt;
        rest_.remove_prefix(end + kEndOfLine.size());
        return line.substr(name.size() + 1);
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

void replaceAll(std::u16string& text, std::u16string_view what, std::u16string_view by)
{
    for (std::size_t at = text.find(what); at != std::u16string::npos; at = text.find(what, at + by.size()))
        text.replace(at, what.size(), by);
}

std::u16string decimal(std::int64_t value)
{
    const std::string text = number(value);
    return std::u16string(text.begin(), text.end());
}

std::int64_t processId()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return ::getpid();
#endif
}

// Recovery files are named run-<process>-<start>-<count>.run; their locks
// have the same name ending in .lock.
// Names are compared as UTF-16: on Windows another file's name in the folder
// may have no narrow form.
constexpr std::u16string_view kRunPrefix = u"run-";
constexpr std::u16string_view kRunSuffix = u".run";
constexpr std::u16string_view kLockSuffix = u".lock";
constexpr std::u16string_view kSetAsideSuffixes[] = {u".not-offered", u".unreadable", u".newer-format"};

bool named(const fs::path& file, std::u16string_view suffix)
{
    const std::u16string name = file.filename().u16string();
    return name.size() > kRunPrefix.size() + suffix.size() && name.starts_with(kRunPrefix) && name.ends_with(suffix);
}

fs::path withSuffix(fs::path file, std::u16string_view suffix)
{
    return file.replace_extension(fs::path(std::u16string(suffix)));
}

// Only a plain file of this user's is this user's run to take or move.
bool ownPlainFile(const fs::path& file)
{
#ifdef _WIN32
    std::error_code ec;
    return fs::is_regular_file(fs::symlink_status(file, ec));
#else
    struct stat st {};
    return ::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
#endif
}

std::vector<fs::path> filesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        files.push_back(it->path());
    return files;
}

// Renames file to say why it is set aside; its new name, or nothing.
std::optional<fs::path> setAside(const fs::path& file, std::u16string_view why)
{
    fs::path target = file;
    target += std::u16string(why);
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(target, ec)); ++n) {
        target = file;
        target += u"-" + decimal(n) + std::u16string(why);
    }
    fs::rename(file, target, ec);
    if (ec)
        return std::nullopt;
    return target;
}

bool isSetAside(const fs::path& file)
{
    const std::u16string name = file.filename().u16string();
    return std::any_of(std::begin(kSetAsideSuffixes), std::end(kSetAsideSuffixes), [&](std::u16string_view suffix) {
        return named(file, suffix) && name.find(kRunSuffix) != std::u16string::npos;
    });
}

// Of the files set aside, the ten newest stay.
void pruneSetAside(const fs::path& folder)
{
    std::vector<std::pair<fs::file_time_type, fs::path>> kept;
    for (const fs::path& file : filesIn(folder)) {
        std::error_code ec;
        const auto time = fs::last_write_time(file, ec);
        if (!ec && isSetAside(file) && ownPlainFile(file))
            kept.emplace_back(time, file);
    }
    if (kept.size() <= kSetAsideKept)
        return;
    std::sort(kept.begin(), kept.end(), [](const auto& a, const auto& b) { return a > b; });
    for (std::size_t i = kSetAsideKept; i < kept.size(); ++i) {
        std::error_code ec;
        fs::remove(kept[i].second, ec);
    }
}

// Locks whose copy ended without a recovery file to leave (its run written).
void removeStaleLocks(const fs::path& folder)
{
    for (const fs::path& file : filesIn(folder)) {
        const fs::path run = withSuffix(file, kRunSuffix);
        std::error_code ec;
        if (!named(file, kLockSuffix) || fs::exists(fs::symlink_status(run, ec)) || !ownPlainFile(file))
            continue;
        if (auto lock = FileLock::tryTake(file, false)) {
            removeLeftTemporaryFiles(run);
            lock->removeAndRelease();
        }
    }
}

// The claim on a recovery file: its lock, taken. Nothing when a running copy
// holds it; where no lock can be made (a folder that takes no new file) and
// there is none, no copy holds it either, and it is taken without a claim.
std::optional<std::optional<FileLock>> claim(const fs::path& runFile)
{
    const fs::path lock = withSuffix(runFile, kLockSuffix);
    if (auto taken = FileLock::tryTake(lock, true))
        return std::optional<FileLock>(std::move(*taken));
    // Not found is an error too: only that one means there is no lock.
    std::error_code ec;
    if (fs::symlink_status(lock, ec).type() == fs::file_type::not_found)
        return std::optional<FileLock>();
    return std::nullopt;
}

void release(std::optional<FileLock>& lock)
{
    if (lock)
        lock->removeAndRelease();
    lock.reset();
}

}  // namespace

std::string keptRunBody(const RunData& run, bool linked)
{
    const std::string layers = layerFileContent(run, LayerFileForm::Exact);
    std::string out;
    appendLine(out, "commentaar", number(run.commentaar));
    appendLine(out, "koppel", linked ? "1" : "0");
    appendLine(out, "model", escaped(toUtf8(run.model)));
    appendLine(out, "layers", number(run.lagen) + ";" + number(layers.size()));
    out += layers;
    return out;
}

std::string keptRunFile(std::string_view body, std::int64_t keptAt)
{
    std::string out(kFormatLine);
    out += number(kKeptRunFormat);
    out += kEndOfLine;
    appendLine(out, "kept", number(keptAt));
    out += body;
    return out;
}

KeptRunReading readKeptRun(std::string_view bytes)
{
    KeptRunReading reading;
    auto unreadable = [&] {
        reading.fault = KeptRunFault::Unreadable;
        return reading;
    };
    const std::size_t firstEnd = bytes.find(kEndOfLine);
    if (!bytes.starts_with(kFormatLine) || firstEnd == std::string_view::npos)
        return unreadable();
    const auto format = readNumber<int>(bytes.substr(kFormatLine.size(), firstEnd - kFormatLine.size()));
    if (!format || *format < 1)
        return unreadable();
    if (*format > kKeptRunFormat) {
        reading.fault = KeptRunFault::NewerFormat;
        return reading;
    }
    Head head(bytes.substr(firstEnd + kEndOfLine.size()));
    KeptRun& kept = reading.kept;
    const auto keptAt = head.value("kept");
    const auto commentaar = head.value("commentaar");
    const auto koppel = head.value("koppel");
    const auto model = head.value("model");
    const auto layers = head.value("layers");
    if (!keptAt || !commentaar || !koppel || !model || !layers)
        return unreadable();
    const std::size_t split = layers->find(';');
    const auto at = readNumber<std::int64_t>(*keptAt);
    const auto count = readNumber<int>(*commentaar);
    const auto lagen = readNumber<std::int32_t>(layers->substr(0, split));
    const auto length = split == std::string_view::npos ? std::nullopt : readNumber<std::size_t>(layers->substr(split + 1));
    const auto path = unescaped(*model);
    if (!at || !count || *count < 0 || *count > 3 || (*koppel != "0" && *koppel != "1") || !lagen || !length || !path ||
        head.rest().size() != *length)
        return unreadable();
    bool invalid = false;
    kept.run.model = fromUtf8(*path, &invalid);
    const LayerFileReading table = readLayerFile(head.rest());
    if (invalid || table.errorLine > 0 || table.run.lagen != *lagen)
        return unreadable();
    replaceEntries(kept.run, table);
    kept.run.commentaar = *count;
    kept.linked = *koppel == "1";
    kept.keptAt = *at;
    return reading;
}

std::u16string restoreQuestion(const KeptRun& kept, std::int32_t taal)
{
    int comments = 0;
    for (const std::u16string* line : {&kept.run.commentaar1, &kept.run.commentaar2, &kept.run.commentaar3})
        comments += *line != kEmptyComment ? 1 : 0;
    std::u16string text(catalogueText(taal, 100));
    replaceAll(text, u"%1", localTime(kept.keptAt, "%Y-%m-%d"));
    replaceAll(text, u"%2", localTime(kept.keptAt, "%H:%M"));
    replaceAll(text, u"%3", decimal(kept.run.lagen));
    replaceAll(text, u"%4", decimal(comments));
    return text;
}

fs::path keptRunsFolder() { return keptFilesFolder() / "runs"; }

RunKeeper::RunKeeper(fs::path folder) : folder_(std::move(folder))
{
    // The moment of the start and a count besides the process id: an id is
    // reused, and one process may start the wizard more than once (tests).
    static std::atomic<int> started{0};
    const auto start =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    const std::u16string stem = std::u16string(kRunPrefix) + decimal(processId()) + u"-" + decimal(start) + u"-" +
                                decimal(started++);
    file_ = folder_ / (stem + std::u16string(kRunSuffix));
    lockFile_ = folder_ / (stem + std::u16string(kLockSuffix));
}

RunKeeper::~RunKeeper() { release(lock_); }

void RunKeeper::keep(std::string_view bytes)
{
    if (!lock_) {
        // The lock comes before the first recovery file: a file without a lock
        // beside it is never that of a running copy.
        std::error_code ec;
        fs::create_directories(folder_, ec);
        if (!ec)
            lock_ = FileLock::tryTake(lockFile_, true);
        if (!lock_)
            throw FileWriteError("Cannot keep the run in " + toUtf8(folder_.u16string()) + ": " +
                                 (ec ? ec.message() : std::string("its lock cannot be made")));
    }
    replaceFileAtomically(file_, bytes, 0600);
}

void RunKeeper::forget()
{
    std::error_code ec;
    fs::remove(file_, ec);
}

OrphanedRun::OrphanedRun(fs::path file, KeptRun kept, std::optional<FileLock> claim)
    : file_(std::move(file)), kept_(std::move(kept)), claim_(std::move(claim))
{
}

OrphanedRun::~OrphanedRun() { release(claim_); }

void OrphanedRun::discard()
{
    std::error_code ec;
    fs::remove(file_, ec);
    release(claim_);
}

OrphanSearch findOrphanedRuns(const fs::path& folder)
{
    struct Found {
        fs::path file;
        KeptRun kept;
        std::optional<FileLock> claim;
    };
    OrphanSearch search;
    std::vector<Found> readable;
    for (const fs::path& file : filesIn(folder)) {
        if (!named(file, kRunSuffix) || !ownPlainFile(file))
            continue;
        auto claimed = claim(file);
        if (!claimed)
            continue;  // its copy still runs
        std::optional<FileLock> lock = std::move(*claimed);
        // Another starting copy may have taken it in the meantime.
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(file, ec))) {
            release(lock);
            continue;
        }
        // What the dead copy was writing when it ended goes.
        if (lock)
            removeLeftTemporaryFiles(file);
        const std::optional<std::string> bytes = readPlainFile(file);
        KeptRunReading reading = bytes ? readKeptRun(*bytes) : KeptRunReading{{}, KeptRunFault::Unreadable};
        if (reading.fault == KeptRunFault::None) {
            readable.push_back({file, std::move(reading.kept), std::move(lock)});
            continue;
        }
        if (auto moved = setAside(file,
                                  reading.fault == KeptRunFault::NewerFormat ? kSetAsideSuffixes[2] : kSetAsideSuffixes[1]))
            search.setAside.push_back(*moved);
        release(lock);
    }
    std::sort(readable.begin(), readable.end(), [](const Found& a, const Found& b) {
        return a.kept.keptAt != b.kept.keptAt ? a.kept.keptAt > b.kept.keptAt : a.file > b.file;
    });
    for (std::size_t i = 0; i < readable.size(); ++i) {
        Found& found = readable[i];
        if (i == 0) {
            search.newest.emplace(found.file, std::move(found.kept), std::move(found.claim));
            continue;
        }
        if (auto moved = setAside(found.file, kSetAsideSuffixes[0]))
            search.setAside.push_back(*moved);
        release(found.claim);
    }
    pruneSetAside(folder);
    removeStaleLocks(folder);
    return search;
}

}  // namespace kobalin
