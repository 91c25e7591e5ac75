#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace kobalin {

inline constexpr std::u16string_view kSettingsKey = u"SOFTWARE\\Tendrik\\kobalin";
inline constexpr std::u16string_view kTemplateKey = u"SOFTWARE\\Tendrik\\kobalin\\template";

// A write or an open that could not be carried out, or a value of the wrong
// type where one is required. what() is the whole story in English; the
// user's message is composed in the run's language from the parts below.
class SettingsError : public std::runtime_error {
public:
    enum class Kind { NotSaved, WrongType };

    using std::runtime_error::runtime_error;
    // where: the settings file or key (NotSaved), the value's name (WrongType);
    // reason: the system's words for a failure, UTF-8.
    SettingsError(const std::string& message, Kind kind, std::u16string where, std::string reason = {})
        : std::runtime_error(message), kind_(kind), where_(std::move(where)), reason_(std::move(reason))
    {
    }

    Kind kind() const { return kind_; }
    const std::u16string& where() const { return where_; }
    const std::string& reason() const { return reason_; }

private:
    Kind kind_ = Kind::NotSaved;
    std::u16string where_;
    std::string reason_;
};

// One use of a key under the current user, opened with create-if-missing.
// Reads behave as the registry's: a missing or wrongly typed integer or double
// gives nothing, a missing string reads as empty, a string of another type
// gives nothing. Writes create or replace the value with their type.
class SettingsKey {
public:
    virtual ~SettingsKey() = default;

    virtual std::optional<std::int32_t> readInteger(std::u16string_view name) const = 0;
    virtual std::optional<double> readFloat(std::u16string_view name) const = 0;
    virtual std::optional<std::u16string> readString(std::u16string_view name) const = 0;

    virtual void writeInteger(std::u16string_view name, std::int32_t value) = 0;
    virtual void writeFloat(std::u16string_view name, double value) = 0;
    virtual void writeString(std::u16string_view name, std::u16string_view value) = 0;

    // Ends the use: every write made through this key is durable when close()
    // returns. Throws SettingsError when that fails.
    virtual void close() = 0;
};

// Opens keyPath (relative to the current user's hive) in this platform's store:
// the registry on Windows, elsewhere the file settingsFilePath().
std::unique_ptr<SettingsKey> openSettingsKey(std::u16string_view keyPath);

// Integer reads that must succeed, for the few uses that have no fallback.
std::int32_t requireInteger(const SettingsKey& key, std::u16string_view name);
double requireFloat(const SettingsKey& key, std::u16string_view name);
std::u16string requireString(const SettingsKey& key, std::u16string_view name);

}  // namespace kobalin
