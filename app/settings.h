#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kobalin {

inline constexpr std::u16string_view kSettingsKey = u"SOFTWARE\\Tendrik\\kobalin";
inline constexpr std::u16string_view kTemplateKey = u"SOFTWARE\\Tendrik\\kobalin\\template";

// A write or an open that could not be carried out; what() is the message the
// user sees in the standard error box.
class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
