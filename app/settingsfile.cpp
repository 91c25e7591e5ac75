#include "app/settingsfile.h"

#include "app/atomicfile.h"
#include "app/regfile.h"
#include "app/userfolders.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kobalin {

namespace fs = std::filesystem;

namespace {

std::u16string sectionOf(std::u16string_view keyPath) { return u"HKEY_CURRENT_USER\\" + std::u16string(keyPath); }

[[noreturn]] void fail(const fs::path& file, const std::string& what, int error)
{
    const std::string reason = std::strerror(error);
    throw SettingsError("Cannot write the settings file " + file.string() + ": " + what + " (" + reason + ")",
                        SettingsError::Kind::NotSaved, file.u16string(), reason);
}

struct FileContents {
    bool exists = false;
    bool readable = true;
    std::string bytes;
};

FileContents readFile(const fs::path& file)
{
    FileContents contents;
    std::error_code ec;
    if (!fs::exists(file, ec))
        return contents;
    contents.exists = true;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        contents.readable = false;
        return contents;
    }
    contents.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    contents.readable = !in.bad();
    return contents;
}

// Keeps an unreadable file beside the new one before it is replaced, without
// overwriting an earlier copy.
void keepDamagedCopy(const fs::path& file, const std::string& bytes)
{
    fs::path copy = file;
    copy += ".bad";
    std::error_code ec;
    for (int n = 2; fs::exists(copy, ec); ++n) {
        copy = file;
        copy += ".bad" + std::to_string(n);
    }
    try {
        replaceFileAtomically(copy, bytes, 0600);
    } catch (const FileWriteError& e) {
        throw SettingsError(e.what(), SettingsError::Kind::NotSaved, e.path(), e.reason());
    }
}

// Opens and locks the lock of the settings file. It lies beside the path the
// program uses, so that every copy of the program finds the same one even
// where kobalin.reg is a link into the user's dotfiles.
int lockFile(const fs::path& file)
{
    fs::path lockPath = file;
    lockPath += ".lock";
    for (;;) {
        int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        // A folder that takes no new file: the settings file is then written
        // in place, so the file itself is a lock all copies share.
        const bool ownFile = lock < 0 && (errno == EACCES || errno == EPERM);
        if (ownFile) {
            const int error = errno;
            lock = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            errno = error;
        }
        if (lock < 0)
            fail(file, "cannot create its lock file", errno);
        while (::flock(lock, LOCK_EX) != 0) {
            if (errno != EINTR) {
                const int error = errno;
                ::close(lock);
                fail(file, "cannot lock it", error);
            }
        }
        // Unless a link leads to a folder that did take a new file: then the
        // file locked may have been replaced meanwhile, so lock the new one.
        struct stat held {};
        struct stat now {};
        if (!ownFile || (::fstat(lock, &held) == 0 && ::stat(file.c_str(), &now) == 0 && held.st_ino == now.st_ino &&
                         held.st_dev == now.st_dev))
            return lock;
        ::close(lock);
    }
}

bool holdsAll(const IndexedRegKey& stored, const RegKey& values)
{
    for (const auto& [name, value] : values.values) {
        const RegValue* held = stored.find(name);
        if (!held || *held != value)
            return false;
    }
    return true;
}

class FileKey final : public SettingsKey {
public:
    FileKey(fs::path file, std::u16string_view keyPath) : file_(std::move(file)), section_(sectionOf(keyPath))
    {
        FileContents opened = readFile(file_);
        const RegDocument doc = RegDocument::parse(opened.bytes);
        if (const RegKey* key = doc.find(section_))
            values_ = IndexedRegKey(*key);
        if (opened.exists && opened.readable && !doc.damaged)
            opened_ = std::move(opened.bytes);
    }

    ~FileKey() override
    {
        // Leaving a use early (an error in the handler) still keeps what it wrote,
        // as the registry would have.
        try {
            close();
        } catch (...) {
        }
    }

    std::optional<std::int32_t> readInteger(std::u16string_view name) const override
    {
        const RegValue* v = values_.find(name);
        if (!v || v->type != RegValue::Type::Dword)
            return std::nullopt;
        return v->dword;
    }

    std::optional<double> readFloat(std::u16string_view name) const override
    {
        const RegValue* v = values_.find(name);
        if (!v || v->type != RegValue::Type::Binary || v->bytes.size() != 8)
            return std::nullopt;
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | v->bytes[static_cast<std::size_t>(i)];
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    std::optional<std::u16string> readString(std::u16string_view name) const override
    {
        const RegValue* v = values_.find(name);
        if (!v)
            return std::u16string();
        if (v->type != RegValue::Type::String)
            return std::nullopt;
        return v->text;
    }

    void writeInteger(std::u16string_view name, std::int32_t value) override
    {
        RegValue v;
        v.type = RegValue::Type::Dword;
        v.dword = value;
        write(name, std::move(v));
    }

    void writeFloat(std::u16string_view name, double value) override
    {
        RegValue v;
        v.type = RegValue::Type::Binary;
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 0; i < 8; ++i)
            v.bytes.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        write(name, std::move(v));
    }

    void writeString(std::u16string_view name, std::u16string_view value) override
    {
        RegValue v;
        v.type = RegValue::Type::String;
        v.text = value;
        write(name, std::move(v));
    }

    void close() override
    {
        if (pending_.key().values.empty())
            return;
        const RegKey pending = pending_.take();
        commit(pending);
    }

private:
    void write(std::u16string_view name, RegValue value)
    {
        const RegValue* held = values_.find(name);
        changed_ = changed_ || !held || *held != value;
        values_.set(name, value);
        pending_.set(name, std::move(value));
    }

    void commit(const RegKey& pending)
    {
        std::error_code ec;
        fs::create_directories(file_.parent_path(), ec);
        if (ec)
            fail(file_, "cannot create its folder", ec.value());

        struct Unlock {
            int fd;
            ~Unlock() { ::close(fd); }
        } unlock{lockFile(file_)};

        // Merge into the file as it is now: another instance may have written since we read it.
        const FileContents current = readFile(file_);
        if (current.exists && !current.readable)
            fail(file_, "cannot read it", EACCES);
        // Values that were all in the file as read, and a file still as read:
        // nothing to merge, so not even parsed again. After this commit the
        // file is no longer the one read.
        const bool unchanged = !changed_ && opened_ && current.exists && current.bytes == *opened_;
        opened_.reset();
        changed_ = false;
        if (unchanged)
            return;
        RegDocument doc = RegDocument::parse(current.bytes);
        RegKey& key = doc.obtain(section_);
        IndexedRegKey merged(std::move(key));
        // The program stores the link choice at every start, mostly unchanged:
        // a file that already holds every value is not written and flushed again.
        if (current.exists && !doc.damaged && holdsAll(merged, pending))
            return;
        if (current.exists && doc.damaged)
            keepDamagedCopy(file_, current.bytes);
        for (const auto& [name, value] : pending.values)
            merged.set(name, value);
        key = merged.take();
        try {
            replaceFileAtomically(file_, doc.serialize(), 0600);
        } catch (const FileWriteError& e) {
            throw SettingsError(e.what(), SettingsError::Kind::NotSaved, e.path(), e.reason());
        }
    }

    fs::path file_;
    std::u16string section_;
    IndexedRegKey values_;               // this use's view: the file at open, plus its own writes
    IndexedRegKey pending_;              // the writes not yet in the file
    std::optional<std::string> opened_;  // the file as read at open, when it could be read whole
    bool changed_ = false;               // a write not yet in the file gave a value the view did not hold
};

}  // namespace

fs::path settingsFilePath() { return userConfigFolder() / "Tendrik" / "kobalin.reg"; }

std::unique_ptr<SettingsKey> openFileSettingsKey(const fs::path& file, std::u16string_view keyPath)
{
    return std::make_unique<FileKey>(file, keyPath);
}

#ifndef _WIN32
std::unique_ptr<SettingsKey> openSettingsKey(std::u16string_view keyPath)
{
    return openFileSettingsKey(settingsFilePath(), keyPath);
}
#endif

}  // namespace kobalin
