#include "wizard/replacedfiles.h"

#include "app/atomicfile.h"
#include "app/userfolders.h"
#include "app/utf8.h"
#include "wizard/localtime.h"

#include <algorithm>
#include <functional>
#include <string>
#include <system_error>

namespace kobalin {

namespace fs = std::filesystem;

namespace {

// " YYYY-MM-DD HHMMSS", the moment in a copy's name.
constexpr std::size_t kStampLength = 18;

std::u16string stamp(std::int64_t now) { return localTime(now, " %Y-%m-%d %H%M%S"); }

bool isStamp(std::u16string_view text)
{
    constexpr std::u16string_view kForm = u" 0000-00-00 000000";
    if (text.size() != kStampLength)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= u'0' && text[i] <= u'9';
        if (kForm[i] == u'0' ? !digit : text[i] != kForm[i])
            return false;
    }
    return true;
}

// A name this program gave a copy: a stem, the moment, perhaps " (n)", and
// the original's extension. Nothing else in the folder is ever removed.
bool isCopyName(const fs::path& file)
{
    std::u16string stem = file.stem().u16string();
    if (stem.ends_with(u")")) {
        const std::size_t open = stem.rfind(u" (");
        if (open == std::u16string::npos)
            return false;
        stem.resize(open);
    }
    return stem.size() > kStampLength && isStamp(std::u16string_view(stem).substr(stem.size() - kStampLength));
}

void keepNewest(const fs::path& folder)
{
    std::vector<std::pair<fs::file_time_type, fs::path>> copies;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code status;
        const auto time = fs::last_write_time(it->path(), status);
        if (!status && isCopyName(it->path()) && fs::is_regular_file(fs::symlink_status(it->path(), status)))
            copies.emplace_back(time, it->path());
    }
    if (copies.size() <= kReplacedCopiesKept)
        return;
    std::sort(copies.begin(), copies.end(), [](const auto& a, const auto& b) { return a > b; });
    for (std::size_t i = kReplacedCopiesKept; i < copies.size(); ++i)
        fs::remove(copies[i].second, ec);
}

}  // namespace

void OwnLayerFiles::add(std::string_view bytes)
{
    if (!holds(bytes))
        known_.emplace_back(bytes.size(), std::hash<std::string_view>()(bytes));
}

bool OwnLayerFiles::holds(std::string_view bytes) const
{
    const std::pair<std::size_t, std::size_t> key(bytes.size(), std::hash<std::string_view>()(bytes));
    return std::find(known_.begin(), known_.end(), key) != known_.end();
}

fs::path replacedFilesFolder() { return keptFilesFolder() / "replaced"; }

fs::path keepReplacedFile(const fs::path& folder, const fs::path& path, std::optional<std::string_view> bytes,
                          std::int64_t now)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FileWriteError("Cannot write in " + toUtf8(folder.u16string()) + ": " + ec.message());
    const std::u16string name = path.stem().u16string() + stamp(now);
    const std::u16string extension = path.extension().u16string();
    fs::path copy = folder / (name + extension);
    for (int n = 2; fs::exists(fs::symlink_status(copy, ec)); ++n) {
        const std::string count = std::to_string(n);
        copy = folder / (name + u" (" + std::u16string(count.begin(), count.end()) + u")" + extension);
    }
    if (bytes) {
        replaceFileAtomically(copy, *bytes);
    } else if (!fs::copy_file(path, copy, ec)) {
        fs::remove(copy, ec);
        throw FileWriteError("Cannot copy " + toUtf8(path.u16string()) + " to " + toUtf8(copy.u16string()));
    }
    keepNewest(folder);
    return copy;
}

}  // namespace kobalin
