#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kobalin {

// A value as a registry export writes it: "name"=dword:..., ="text", =hex:...
// Types the program never writes (hex(b): and the like) are kept as they stood.
struct RegValue {
    enum class Type { Dword, String, Binary, Other };
    Type type = Type::String;
    std::int32_t dword = 0;
    std::u16string text;              // String
    std::vector<std::uint8_t> bytes;  // Binary
    std::string raw;                  // Other: the text after '='

    friend bool operator==(const RegValue&, const RegValue&) = default;
};

struct RegKey {
    std::u16string path;  // as in the section header, e.g. HKEY_CURRENT_USER\SOFTWARE\...
    std::vector<std::pair<std::u16string, RegValue>> values;

    const RegValue* find(std::u16string_view name) const;
    void set(std::u16string_view name, RegValue value);
};

// A key whose values are found by name without walking them all: a full
// template list is some 700 values, and one command reads or writes hundreds.
class IndexedRegKey {
public:
    IndexedRegKey() = default;
    explicit IndexedRegKey(RegKey key);

    const RegKey& key() const { return key_; }
    RegKey take();

    const RegValue* find(std::u16string_view name) const;
    void set(std::u16string_view name, RegValue value);  // as RegKey::set

private:
    RegKey key_;
    std::unordered_map<std::u16string, std::size_t> positions_;  // by name in upper case
};

// The per-user settings file, in the text layout of a Windows registry export
// so that a person can read and edit it. Names compare case-insensitively, as
// in the registry.
struct RegDocument {
    std::vector<RegKey> keys;
    bool damaged = false;  // something in the text could not be read and was left out

    // Never fails: what cannot be read is left out and marks the document damaged.
    static RegDocument parse(std::string_view bytes);
    std::string serialize() const;

    const RegKey* find(std::u16string_view path) const;
    RegKey& obtain(std::u16string_view path);
};

}  // namespace kobalin
