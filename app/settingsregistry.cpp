// The settings store on Windows: the current user's registry.
#include "app/settings.h"

#include "app/utf8.h"
#include "app/winerror.h"

#include <cstring>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace kobalin {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");

std::wstring wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

class RegistryKey final : public SettingsKey {
public:
    explicit RegistryKey(std::u16string_view keyPath) : path_(keyPath)
    {
        const std::wstring path = wide(keyPath);
        openStatus_ = RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr);
        // Not reported here: reads then find nothing and writes report why.
        if (openStatus_ != ERROR_SUCCESS)
            key_ = nullptr;
    }

    ~RegistryKey() override
    {
        if (key_)
            RegCloseKey(key_);
    }

    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    std::optional<std::int32_t> readInteger(std::u16string_view name) const override
    {
        DWORD type = 0;
        unsigned char data[4];
        DWORD size = sizeof data;
        if (!query(name, &type, data, &size) || type != REG_DWORD || size != sizeof data)
            return std::nullopt;
        std::int32_t value;
        std::memcpy(&value, data, sizeof value);
        return value;
    }

    std::optional<double> readFloat(std::u16string_view name) const override
    {
        DWORD type = 0;
        unsigned char data[8];
        DWORD size = sizeof data;
        if (!query(name, &type, data, &size) || type != REG_BINARY || size != sizeof data)
            return std::nullopt;
        std::uint64_t bits = 0;
        for (int i = 7; i >= 0; --i)
            bits = (bits << 8) | data[i];
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    std::optional<std::u16string> readString(std::u16string_view name) const override
    {
        if (!key_)
            return std::u16string();
        const std::wstring valueName = wide(name);
        DWORD type = 0;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, nullptr, &size);
        if (status == ERROR_FILE_NOT_FOUND)
            return std::u16string();
        std::vector<char16_t> units;
        // The value may grow between asking its size and reading it.
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            if (type != REG_SZ)
                return std::nullopt;
            units.assign(size / sizeof(char16_t) + 1, u'\0');
            DWORD got = static_cast<DWORD>(units.size() * sizeof(char16_t));
            status = RegQueryValueExW(key_, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(units.data()), &got);
            if (status == ERROR_SUCCESS) {
                if (type != REG_SZ)
                    return std::nullopt;
                // The stored terminator is optional and an odd last byte is no character:
                // the text is the whole units up to the first NUL.
                const std::size_t count = got / sizeof(char16_t);
                std::size_t end = 0;
                while (end < count && units[end] != u'\0')
                    ++end;
                return std::u16string(units.data(), end);
            }
            if (status == ERROR_FILE_NOT_FOUND)
                return std::u16string();
            size = got;
        }
        return std::nullopt;
    }

    void writeInteger(std::u16string_view name, std::int32_t value) override
    {
        unsigned char data[4];
        std::memcpy(data, &value, sizeof data);
        set(name, REG_DWORD, data, sizeof data);
    }

    void writeFloat(std::u16string_view name, double value) override
    {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        unsigned char data[8];
        for (int i = 0; i < 8; ++i)
            data[i] = static_cast<unsigned char>(bits >> (8 * i));
        set(name, REG_BINARY, data, sizeof data);
    }

    void writeString(std::u16string_view name, std::u16string_view value) override
    {
        if (value.size() >= MAXDWORD / sizeof(char16_t))
            fail(name, "the text is too long");
        std::u16string terminated(value);
        set(name, REG_SZ, reinterpret_cast<const BYTE*>(terminated.c_str()),
            static_cast<DWORD>((terminated.size() + 1) * sizeof(char16_t)));
    }

    // Every write has already gone to the registry; only the handle is left.
    void close() override
    {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
        closed_ = true;
    }

private:
    bool query(std::u16string_view name, DWORD* type, unsigned char* data, DWORD* size) const
    {
        if (!key_)
            return false;
        const std::wstring valueName = wide(name);
        return RegQueryValueExW(key_, valueName.c_str(), nullptr, type, data, size) == ERROR_SUCCESS;
    }

    void set(std::u16string_view name, DWORD type, const BYTE* data, DWORD size)
    {
        if (closed_)
            fail(name, "the key has already been closed");
        if (!key_)
            fail(name, "the key cannot be opened (" + windowsErrorMessage(static_cast<unsigned long>(openStatus_)) + ")");
        const std::wstring valueName = wide(name);
        const LSTATUS status = RegSetValueExW(key_, valueName.c_str(), 0, type, data, size);
        if (status != ERROR_SUCCESS)
            fail(name, windowsErrorMessage(static_cast<unsigned long>(status)));
    }

    [[noreturn]] void fail(std::u16string_view name, const std::string& why) const
    {
        throw SettingsError(
            "Failed to write the registry value '" + toUtf8(name) + "' in HKEY_CURRENT_USER\\" + toUtf8(path_) + ": " + why,
            SettingsError::Kind::NotSaved, u"HKEY_CURRENT_USER\\" + path_, why);
    }

    std::u16string path_;
    HKEY key_ = nullptr;
    LSTATUS openStatus_ = ERROR_SUCCESS;
    bool closed_ = false;
};

}  // namespace

std::unique_ptr<SettingsKey> openSettingsKey(std::u16string_view keyPath) { return std::make_unique<RegistryKey>(keyPath); }

}  // namespace kobalin
